// What the benchmark programs share: the paths they file, the baselines every
// figure is divided by, and the peak resident size of a process.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "PmPosition200.h"

namespace Bench
{
// Positions (i, 2i, 0) aiming at (i, 0, 1), turned about z by i/10.
std::vector<PmPosition200> MakePath(long count);

// The baselines of a record of that many bytes, measured in the same run as
// the figures they divide: the record's values (bytes / 8 doubles) written to
// a std::vector<double> and read back, and a memcpy of the bytes.
void VectorRoundTrip(benchmark::State& state, std::size_t recordBytes);
void MemcpyRecord(benchmark::State& state, std::size_t recordBytes);

// The same write and read once, for the peak-memory runs.
double VectorRoundTripOnce(std::size_t recordBytes);

// The peak resident size of this process so far, in KiB.
long PeakResidentKiB();

// Prints the line bench.sh reads from a peak-memory run.
void PrintPeak(const std::string& name, long positions, std::size_t recordBytes);

// The case of a peak-memory run ("--peak <case> <positions> [record bytes]"),
// one case a process; each program defines it. recordBytes is the record's
// size a run before measured (0 when not given). Returns the exit status.
int RunPeakCase(const std::string& name, long positions, std::size_t recordBytes);
} // namespace Bench
