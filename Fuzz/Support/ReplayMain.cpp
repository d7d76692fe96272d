// The main of a harness in the ordinary builds: runs every file of the folders
// (or the files) named on the command line through the harness once, as the
// fuzzer would, and fails when a folder holds nothing. A harness's checks abort
// the process on a violation, the sanitizers on a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <corpus folder or input file>...\n", argv[0]);
        return 2;
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i)
    {
        struct stat info{};
        std::vector<std::string> inputs;
        if (stat(argv[i], &info) == 0 && S_ISDIR(info.st_mode))
            inputs = FilesIn(argv[i]);
        else
            inputs.push_back(argv[i]);
        if (inputs.empty())
        {
            std::fprintf(stderr, "%s holds no input\n", argv[i]);
            return 1;
        }
        for (const std::string& input : inputs)
        {
            std::vector<std::uint8_t> bytes;
            if (!ReadWholeFile(input, bytes))
            {
                std::fprintf(stderr, "%s does not read\n", input.c_str());
                return 1;
            }
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    return 0;
}
