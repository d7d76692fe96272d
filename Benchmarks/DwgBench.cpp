// The format 200 DWG module in the stand-in DWG host: a simulation filed out
// and in through the host's filer and through a drawing saved and reopened,
// and the listing of a drawing of K simulations.
#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include <arxheaders.h>
#include <dbmemfiler.h>

#include "BenchSupport.h"
#include "PmAcadSim200.h"
#include "PmDbxFactory200.h"
#include "PmPart.h"

namespace
{
using Bench::MakeSim;
using Bench::SimPtr;

// The host loads the module once a process, through its loader.
void LoadModuleOnce()
{
    static const bool loaded = acrxLoadModule(CStringW(BENCH_MODULE_PATH).GetString(), true);
    if (!loaded)
    {
        std::fprintf(stderr, "the module %s did not load\n", BENCH_MODULE_PATH);
        std::exit(1);
    }
}

// A new empty drawing as the working database, deleted with the scope.
struct WorkingDrawing
{
    explicit WorkingDrawing(AcDbDatabase* database = new AcDbDatabase) : drawing(database)
    {
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
    }
    ~WorkingDrawing()
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;
    AcDbDatabase* drawing;
};

// Counts the bytes of the values a record files (strings as UTF-16) and keeps
// none of them, so that counting adds nothing to a peak-memory run.
class CountingFiler : public AcDbDwgFiler
{
public:
    std::size_t bytes = 0;

    Acad::ErrorStatus filerStatus() const override { return Acad::eOk; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus) override {}
    void resetFilerStatus() override {}
    AcDbDatabase* database() const override { return nullptr; }

    Acad::ErrorStatus writeInt32(Adesk::Int32) override { return Count(4); }
    Acad::ErrorStatus writeBool(Adesk::Boolean) override { return Count(1); }
    Acad::ErrorStatus writeDouble(double) override { return Count(8); }
    Acad::ErrorStatus writePoint3d(const AcGePoint3d&) override { return Count(24); }
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle&) override { return Count(8); }
    Acad::ErrorStatus writeBytes(const void*, Adesk::UIntPtr length) override { return Count(length); }
    Acad::ErrorStatus writeString(const ACHAR* value) override { return Count(2 * (std::wcslen(value) + 1)); }

    Acad::ErrorStatus readInt32(Adesk::Int32*) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readBool(Adesk::Boolean*) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readDouble(double*) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readPoint3d(AcGePoint3d*) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readAcDbHandle(AcDbHandle*) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readBytes(void*, Adesk::UIntPtr) override { return Acad::eInvalidInput; }
    Acad::ErrorStatus readString(ACHAR**) override { return Acad::eInvalidInput; }

private:
    Acad::ErrorStatus Count(std::size_t n)
    {
        bytes += n;
        return Acad::eOk;
    }
};

std::size_t RecordBytes(long positions)
{
    static std::map<long, std::size_t> known;
    auto& bytes = known[positions];
    if (bytes == 0)
    {
        LoadModuleOnce();
        WorkingDrawing drawing;
        SimPtr sim = MakeSim(_T("Bench"), positions);
        CountingFiler counter;
        PmAcadSimOf(sim.get())->dwgOutFields(&counter);
        bytes = counter.bytes;
    }
    return bytes;
}

// Files the simulation out and into a new object as the host makes one.
void FilerRoundTrip(const CPmAcadSim200& sim)
{
    AcDbMemoryFiler filer;
    sim.dwgOutFields(&filer);
    std::unique_ptr<CPmAcadSim200> read(CPmAcadSim200::cast(acrxFindAcRxClass(L"CPmAcadSim200")->create()));
    if (read->dwgInFields(&filer) != Acad::eOk)
        std::abort();
}

std::wstring TempDrawing(const char* tag)
{
    return CStringW((std::string("/tmp/varnex-bench-") + std::to_string(getpid()) + "-" + tag + ".dwg").c_str())
        .GetString();
}

void DwgFilerRoundTrip(benchmark::State& state)
{
    LoadModuleOnce();
    WorkingDrawing drawing;
    SimPtr sim = MakeSim(_T("Bench"), state.range(0));
    for (auto _ : state)
        FilerRoundTrip(*PmAcadSimOf(sim.get()));
    state.counters["record_bytes"] = static_cast<double>(RecordBytes(state.range(0)));
}

// Save into a drawing, the drawing saved and read back by a new database, LoadSim.
void DwgDrawingRoundTrip(benchmark::State& state)
{
    LoadModuleOnce();
    const std::wstring path = TempDrawing("roundtrip");
    for (auto _ : state)
    {
        state.PauseTiming();
        auto* written = new WorkingDrawing;
        SimPtr sim = MakeSim(_T("Bench"), state.range(0));
        state.ResumeTiming();
        if (sim->Save() != 0 || written->drawing->saveAs(path.c_str()) != Acad::eOk)
            std::abort();
        state.PauseTiming();
        sim.reset();
        delete written;
        state.ResumeTiming();
        WorkingDrawing read(new AcDbDatabase(false, true));
        if (read.drawing->readDwgFile(path.c_str()) != Acad::eOk)
            std::abort();
        SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Bench")));
        if (!loaded)
            std::abort();
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    std::remove(CStringA(path.c_str()).GetString());
}

// The working drawing holds K simulations of three positions ("Sim 00001", ...),
// each with an id of its own: a Save stores again every other simulation that
// shares its id, so K saves of one id would leave about K*K/2 replaced objects
// in the drawing (gigabytes at K = 5,000) and measure the listing among them.
class ListedDrawing
{
public:
    static ListedDrawing& Of(long k)
    {
        static std::unique_ptr<ListedDrawing> current;
        if (!current || current->m_k != k)
        {
            current.reset();
            current.reset(new ListedDrawing(k));
        }
        return *current;
    }

private:
    explicit ListedDrawing(long k) : m_k(k)
    {
        LoadModuleOnce();
        for (long i = 1; i <= k; ++i)
        {
            SimPtr sim = MakeSim(Bench::ListedName(i), 3);
            sim->SetId(static_cast<PmSimId>(i));
            if (sim->Save() != 0)
                std::abort();
        }
    }
    long m_k;
    WorkingDrawing m_drawing;
};

void DwgLoadSimNames(benchmark::State& state)
{
    ListedDrawing::Of(state.range(0));
    Bench::LoadSimNamesLoop(state);
}

void DwgLoadSimList(benchmark::State& state)
{
    ListedDrawing::Of(state.range(0));
    Bench::LoadSimListLoop(state);
}

void DwgLoadSimByName(benchmark::State& state)
{
    ListedDrawing::Of(state.range(0));
    Bench::LoadSimByNameLoop(state);
}

// The working drawing holds K = 100 simulations of P positions each, with ids
// of their own. They are stored as the host's dictionary stores them, without
// the id pass of Save, so that making a drawing of large simulations costs
// K stores rather than K*K/2 copies.
class FilledDrawing
{
public:
    static constexpr long kSimulations = 100;
    // Ids that name no object of the drawing.
    static constexpr PmSimId kFirstId = 0x70000000;

    static FilledDrawing& Of(long positions)
    {
        static std::unique_ptr<FilledDrawing> current;
        if (!current || current->m_positions != positions)
        {
            current.reset();
            current.reset(new FilledDrawing(positions));
        }
        return *current;
    }

private:
    explicit FilledDrawing(long positions) : m_positions(positions)
    {
        LoadModuleOnce();
        for (long i = 1; i <= kSimulations; ++i)
        {
            SimPtr sim = MakeSim(Bench::ListedName(i), positions);
            sim->SetId(kFirstId + static_cast<PmSimId>(i));
            if (CZrAcadObject::Save(kPmSimDictionary, *sim->Name(), PmAcadSimOf(sim.get())) != 0)
                std::abort();
            // The drawing's now: the deleter only cancels it.
        }
    }

    long m_positions;
    WorkingDrawing m_drawing;
};

// Save of a new simulation of 10 positions, with an id no other one carries,
// into the drawing of K simulations of P positions; each pass replaces the one
// the pass before stored.
void DwgSaveAmongStored(benchmark::State& state)
{
    FilledDrawing::Of(state.range(0));
    for (auto _ : state)
    {
        state.PauseTiming();
        SimPtr sim = MakeSim(_T("Saved"), 10);
        sim->SetId(FilledDrawing::kFirstId);
        state.ResumeTiming();
        if (sim->Save() != 0)
            std::abort();
    }
}

void DwgLoadSimNamesAmongStored(benchmark::State& state)
{
    FilledDrawing::Of(state.range(0));
    for (auto _ : state)
    {
        std::vector<CString> names;
        CPmDbxFactory200::LoadSimNames(names);
        if (names.size() < static_cast<std::size_t>(FilledDrawing::kSimulations))
            std::abort();
    }
}

void DwgVectorBaseline(benchmark::State& state)
{
    Bench::VectorRoundTrip(state, RecordBytes(state.range(0)));
}

void DwgMemcpyBaseline(benchmark::State& state)
{
    Bench::MemcpyRecord(state, RecordBytes(state.range(0)));
}
} // namespace

BENCHMARK(DwgVectorBaseline)->Apply(Bench::Positions);
BENCHMARK(DwgMemcpyBaseline)->Apply(Bench::Positions);
BENCHMARK(DwgFilerRoundTrip)->Apply(Bench::Positions);
BENCHMARK(DwgDrawingRoundTrip)->Apply(Bench::Positions);
BENCHMARK(DwgLoadSimNames)->Apply(Bench::Simulations);
BENCHMARK(DwgLoadSimList)->Apply(Bench::Simulations);
BENCHMARK(DwgLoadSimByName)->Apply(Bench::Simulations);
BENCHMARK(DwgSaveAmongStored)->Apply(Bench::StoredPositions);
BENCHMARK(DwgLoadSimNamesAmongStored)->Apply(Bench::StoredPositions);

int Bench::RunPeakCase(const std::string& name, long positions, std::size_t /*recordBytes*/)
{
    // Counting the record's bytes keeps none of them.
    LoadModuleOnce();
    const std::size_t bytes = RecordBytes(positions);
    WorkingDrawing drawing;
    SimPtr sim = MakeSim(_T("Bench"), positions);
    if (name == "filer")
        FilerRoundTrip(*PmAcadSimOf(sim.get()));
    else if (name == "vector")
        benchmark::DoNotOptimize(VectorRoundTripOnce(bytes));
    else if (name != "empty")
        return 2;
    PrintPeak(name, positions, bytes);
    return 0;
}
