// Where the seed writers put what they write: one folder per harness under
// the corpus folder, files named after what they hold.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <afx.h>

#include "FuzzFiles.h"

inline std::string SeedFolder(const std::string& corpus, const std::string& harness)
{
    const std::string folder = corpus + "/" + harness;
    mkdir(folder.c_str(), 0777);
    return folder;
}

// A file name from a simulation's key: letters and digits as they are, anything else '_'.
inline std::string SeedName(const CString& key)
{
    std::string name;
    for (const TCHAR* c = key.GetString(); *c; ++c)
        name += ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9')) ? static_cast<char>(*c) : '_';
    return name.empty() ? "unnamed" : name;
}

inline bool WriteSeed(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (!WriteWholeFile(path, bytes))
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
    return true;
}
