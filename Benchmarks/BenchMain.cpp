// A benchmark program: Google Benchmark's flags, or "--peak <case> <positions> [record bytes]"
// for one peak-memory case in this process.
#include <cstdlib>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

int main(int argc, char** argv)
{
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--peak") == 0)
        return Bench::RunPeakCase(argv[2], std::atol(argv[3]), argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
