// Files a harness hands the host: the input as a drawing or design file in the
// temporary folder, one name per process and use, removed when done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FuzzFile
{
public:
    // <temporary folder>/varnex-fuzz-<pid>-<role><extension>; nothing written yet.
    FuzzFile(const char* role, const char* extension);
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;
    ~FuzzFile();

    const std::string& Path() const { return m_path; }
    bool Write(const std::uint8_t* data, std::size_t size) const;
    bool Write(const std::vector<std::uint8_t>& bytes) const { return Write(bytes.data(), bytes.size()); }
    bool Read(std::vector<std::uint8_t>& bytes) const;

private:
    std::string m_path;
};

// Every file of the folder, in name order; empty when it does not open.
std::vector<std::string> FilesIn(const std::string& folder);
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
