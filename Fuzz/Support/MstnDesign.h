// The MicroStation host's side of the design-file harnesses.
//
// An input is a design file without its closing checksum: the harness adds it,
// or almost no input would pass the host's check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The checksum the host's design file closes with, over every byte before it.
std::uint64_t DesignFileChecksum(const std::uint8_t* data, std::size_t size);

// The input with its checksum opened as the active model, then the client's
// session of Client200Session.h; the host must count no descriptor fault and
// the module hold no descriptor when it ends.
void FuzzDesignFile(const std::uint8_t* data, std::size_t size);
