// A record reader fed fuzzed filer items, through the host's memory filer, on
// a new object of the module's class as the host makes one. What it reads
// whole must write, read back and write again the same: the writer stores
// nothing its reader refuses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <arxheaders.h>
#include <dbmemfiler.h>

#include "FilerItems.h"
#include "FuzzCheck.h"
#include "FuzzTrace.h"
#include "SimTexts.h"

// Sim: the module's persistent class; GiveBack returns an object it made.
template <typename Sim, typename GiveBack>
void RoundTripRecord(const std::uint8_t* data, std::size_t size, GiveBack giveBack, bool compareDoubles)
{
    auto make = [&giveBack] {
        return std::unique_ptr<Sim, GiveBack>(Sim::cast(Sim::desc()->create()), giveBack);
    };
    auto read = make();
    FuzzCheck(read != nullptr, "the host makes no object of the class");
    AcDbMemoryFiler fuzzed(DecodeFilerItems(data, size));
    const Acad::ErrorStatus status = read->dwgInFields(&fuzzed);
    FuzzTrace("record read: " + std::to_string(static_cast<int>(status)));
    if (status != Acad::eOk)
        return;

    AcDbMemoryFiler written;
    FuzzCheck(read->dwgOutFields(&written) == Acad::eOk, "a record read whole does not write");
    auto again = make();
    AcDbMemoryFiler reread(written.items());
    FuzzCheck(again->dwgInFields(&reread) == Acad::eOk, "the reader refuses what the writer stored");
    FuzzCheck(reread.remainingItems() == 0, "the reader leaves items of what the writer stored");
    AcDbMemoryFiler rewritten;
    FuzzCheck(again->dwgOutFields(&rewritten) == Acad::eOk, "a record read back does not write");
    FuzzCheck(SameFilerItems(written.items(), rewritten.items(), compareDoubles),
              "the record read back writes other items");
    FuzzCheck(DumpOf(*read) == DumpOf(*again), "the record read back dumps otherwise");
}

// The working drawing the records are read in, for as long as the process runs.
inline void UseRecordDrawing()
{
    static AcDbDatabase drawing(true);
    acdbHostApplicationServices()->setWorkingDatabase(&drawing);
}
