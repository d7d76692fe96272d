#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>

#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "QdVector.h"

namespace Bench
{
std::vector<PmPosition200> MakePath(long count)
{
    std::vector<PmPosition200> path;
    path.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i)
    {
        const double x = static_cast<double>(i);
        PmPosition200 position;
        position.pt = {x, 2.0 * x, 0.0};
        position.tpt = {x, 0.0, 1.0};
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), x / 10.0);
        position.transform.SetTranslation(CQdVector(x, 2.0 * x, 0.0));
        path.push_back(position);
    }
    return path;
}

SimPtr MakeSim(const CString& name, long positions)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(0, 3));
    sim->SetName(name);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(50.0, 0);
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(CPmDbxFactory200::MakePart());
    segment->AddPath(MakePath(positions));
    section->AddSegment(segment);
    sim->AddSection(section);
    return sim;
}

CString ListedName(long i)
{
    CString name;
    name.Format(_T("Sim %05ld"), i);
    return name;
}

void LoadSimNamesLoop(benchmark::State& state)
{
    for (auto _ : state)
    {
        std::vector<CString> names;
        CPmDbxFactory200::LoadSimNames(names);
        if (names.size() != static_cast<std::size_t>(state.range(0)))
            std::abort();
    }
}

void LoadSimListLoop(benchmark::State& state)
{
    for (auto _ : state)
    {
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        if (list->Size() != state.range(0))
            std::abort();
    }
}

void LoadSimByNameLoop(benchmark::State& state)
{
    const CString last = ListedName(state.range(0));
    for (auto _ : state)
    {
        SimPtr sim(CPmDbxFactory200::LoadSim(last));
        if (!sim)
            std::abort();
    }
}

void Positions(benchmark::internal::Benchmark* b)
{
    b->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
}

void Simulations(benchmark::internal::Benchmark* b)
{
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
}

void StoredPositions(benchmark::internal::Benchmark* b)
{
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

namespace
{
std::vector<double> Values(std::size_t recordBytes)
{
    std::vector<double> values(recordBytes / sizeof(double));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 0.5 * static_cast<double>(i);
    return values;
}

// Writes each value to a vector as a writer would, then reads each back.
double WriteAndRead(const std::vector<double>& values)
{
    std::vector<double> stored;
    for (const double value : values)
        stored.push_back(value);
    std::vector<double> read;
    for (std::size_t i = 0; i < stored.size(); ++i)
        read.push_back(stored[i]);
    return read.empty() ? 0.0 : read.back();
}
} // namespace

void VectorRoundTrip(benchmark::State& state, std::size_t recordBytes)
{
    const std::vector<double> values = Values(recordBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteAndRead(values));
    state.counters["record_bytes"] = static_cast<double>(recordBytes);
}

void MemcpyRecord(benchmark::State& state, std::size_t recordBytes)
{
    const std::vector<unsigned char> from(recordBytes, 0x5A);
    std::vector<unsigned char> to(recordBytes);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), recordBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["record_bytes"] = static_cast<double>(recordBytes);
}

double VectorRoundTripOnce(std::size_t recordBytes)
{
    return WriteAndRead(Values(recordBytes));
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void PrintPeak(const std::string& name, long positions, std::size_t recordBytes)
{
    std::printf("peak case=%s positions=%ld peak_kib=%ld record_bytes=%zu\n", name.c_str(), positions,
                PeakResidentKiB(), recordBytes);
}
} // namespace Bench
