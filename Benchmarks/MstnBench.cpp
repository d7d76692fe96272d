// The CONNECT module in the stand-in MicroStation host: a simulation saved and
// loaded in the active model and through a design file, and the listing of a
// model of K simulations.
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include <mdl.h>
#include <mstnhost.h>

#include "BenchSupport.h"
#include "PmDbxFactory200.h"
#include "PmPart.h"
#include "PmSim200.h"

namespace
{
using Bench::MakeSim;
using Bench::SimPtr;

std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The stream length the header of the model's one record gives: kind 1000 at
// byte 34, the UTF-16 name from 38, then the length.
std::size_t StoredStreamBytes()
{
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        mstnHost_elementAt(i, &info);
        const std::uint8_t* b = info.bytes;
        if (info.deleted || info.type != 66 || info.sizeWords * 2 < 40 || U32(b + 34) != 1000)
            continue;
        std::size_t at = 38;
        while (at + 2 <= info.sizeWords * 2u && (b[at] | b[at + 1]) != 0)
            at += 2;
        return U32(b + at + 2);
    }
    return 0;
}

std::size_t RecordBytes(long positions)
{
    static std::map<long, std::size_t> known;
    auto& bytes = known[positions];
    if (bytes == 0)
    {
        mstnHost_resetModel();
        SimPtr sim = MakeSim(_T("Bench"), positions);
        sim->Save();
        bytes = StoredStreamBytes();
        mstnHost_resetModel();
    }
    return bytes;
}

void SaveAndLoad(CPmSim200& sim)
{
    if (sim.Save() != 0)
        std::abort();
    SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Bench")));
    if (!loaded)
        std::abort();
}

std::string TempDesignFile(const char* tag)
{
    return "/tmp/varnex-bench-" + std::to_string(getpid()) + "-" + tag + ".dgn";
}

// Save plus LoadSim in an emptied model.
void MstnSaveLoad(benchmark::State& state)
{
    SimPtr sim = MakeSim(_T("Bench"), state.range(0));
    for (auto _ : state)
    {
        state.PauseTiming();
        mstnHost_resetModel();
        state.ResumeTiming();
        SaveAndLoad(*sim);
    }
    state.counters["record_bytes"] = static_cast<double>(RecordBytes(state.range(0)));
}

// Save, the design file written and read back, LoadSim.
void MstnDesignFileRoundTrip(benchmark::State& state)
{
    SimPtr sim = MakeSim(_T("Bench"), state.range(0));
    const std::string path = TempDesignFile("roundtrip");
    for (auto _ : state)
    {
        state.PauseTiming();
        mstnHost_resetModel();
        state.ResumeTiming();
        if (sim->Save() != 0 || mstnHost_saveDesignFile(path.c_str()) != 0)
            std::abort();
        state.PauseTiming();
        mstnHost_resetModel();
        state.ResumeTiming();
        if (mstnHost_loadDesignFile(path.c_str()) != 0)
            std::abort();
        SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Bench")));
        if (!loaded)
            std::abort();
    }
    std::remove(path.c_str());
}

// Makes the active model one of K simulations of three positions ("Sim
// 00001", ...); a model made before is read back from its design file.
void UseModelOf(long k)
{
    static long current = -1;
    static std::map<long, std::string> files;
    if (current == k)
        return;
    current = k;
    auto file = files.find(k);
    if (file != files.end() && mstnHost_loadDesignFile(file->second.c_str()) == 0)
        return;
    mstnHost_resetModel();
    for (long i = 1; i <= k; ++i)
    {
        SimPtr sim = MakeSim(Bench::ListedName(i), 3);
        if (sim->Save() != 0)
            std::abort();
    }
    const std::string path = TempDesignFile(("k" + std::to_string(k)).c_str());
    if (mstnHost_saveDesignFile(path.c_str()) == 0)
    {
        files[k] = path;
        static const struct Cleanup
        {
            ~Cleanup()
            {
                for (const auto& entry : files)
                    std::remove(entry.second.c_str());
            }
        } cleanup;
    }
}

void MstnLoadSimNames(benchmark::State& state)
{
    UseModelOf(state.range(0));
    Bench::LoadSimNamesLoop(state);
}

void MstnLoadSimList(benchmark::State& state)
{
    UseModelOf(state.range(0));
    Bench::LoadSimListLoop(state);
}

void MstnLoadSimByName(benchmark::State& state)
{
    UseModelOf(state.range(0));
    Bench::LoadSimByNameLoop(state);
}

void MstnVectorBaseline(benchmark::State& state)
{
    Bench::VectorRoundTrip(state, RecordBytes(state.range(0)));
}

void MstnMemcpyBaseline(benchmark::State& state)
{
    Bench::MemcpyRecord(state, RecordBytes(state.range(0)));
}
} // namespace

BENCHMARK(MstnVectorBaseline)->Apply(Bench::Positions);
BENCHMARK(MstnMemcpyBaseline)->Apply(Bench::Positions);
BENCHMARK(MstnSaveLoad)->Apply(Bench::Positions);
BENCHMARK(MstnDesignFileRoundTrip)->Apply(Bench::Positions);
BENCHMARK(MstnLoadSimNames)->Apply(Bench::Simulations);
BENCHMARK(MstnLoadSimList)->Apply(Bench::Simulations);
BENCHMARK(MstnLoadSimByName)->Apply(Bench::Simulations);

int Bench::RunPeakCase(const std::string& name, long positions, std::size_t recordBytes)
{
    // Nothing is stored before the case: the empty run holds the simulation alone.
    SimPtr sim = MakeSim(_T("Bench"), positions);
    if (name == "save-load")
    {
        SaveAndLoad(*sim);
        recordBytes = StoredStreamBytes();
    }
    else if (name == "vector")
        benchmark::DoNotOptimize(VectorRoundTripOnce(recordBytes));
    else if (name != "empty")
        return 2;
    PrintPeak(name, positions, recordBytes);
    return 0;
}
