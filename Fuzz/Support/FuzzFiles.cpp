#include "FuzzFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string TemporaryFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}
} // namespace

FuzzFile::FuzzFile(const char* role, const char* extension)
    : m_path(TemporaryFolder() + "/varnex-fuzz-" + std::to_string(getpid()) + "-" + role + extension)
{
}

FuzzFile::~FuzzFile()
{
    std::remove(m_path.c_str());
    std::remove((m_path + ".tmp").c_str());
}

bool FuzzFile::Write(const std::uint8_t* data, std::size_t size) const
{
    return WriteWholeFile(m_path, std::vector<std::uint8_t>(data, data + size));
}

bool FuzzFile::Read(std::vector<std::uint8_t>& bytes) const
{
    return ReadWholeFile(m_path, bytes);
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return files;
    while (const dirent* entry = readdir(dir))
    {
        const std::string path = folder + "/" + entry->d_name;
        struct stat info{};
        if (entry->d_name[0] != '.' && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            files.push_back(path);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
