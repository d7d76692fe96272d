// What the benchmark programs share: the simulations they file, the listing
// loops, the baselines every figure is divided by, and the peak resident size
// of a process.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmPosition200.h"
#include "PmSim200.h"

namespace Bench
{
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;

// Positions (i, 2i, 0) aiming at (i, 0, 1), turned about z by i/10.
std::vector<PmPosition200> MakePath(long count);

// One section (speed 50) of one segment of that many positions; its part shows
// nothing of the drawing, so that the drawing can be emptied under it.
SimPtr MakeSim(const CString& name, long positions);

// The name of the ith simulation of a listed drawing: "Sim 00001", ...
CString ListedName(long i);

// The listing loops over a drawing the caller made of state.range(0)
// simulations named by ListedName: LoadSimNames, LoadSimList, and LoadSim of
// the last name; each aborts when the module answers otherwise.
void LoadSimNamesLoop(benchmark::State& state);
void LoadSimListLoop(benchmark::State& state);
void LoadSimByNameLoop(benchmark::State& state);

// The arguments of the benchmarks: positions of a path, simulations of a drawing.
void Positions(benchmark::internal::Benchmark* b);
void Simulations(benchmark::internal::Benchmark* b);
// Positions of each stored simulation of a drawing of K = 100: 10 to 10,000.
void StoredPositions(benchmark::internal::Benchmark* b);

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
