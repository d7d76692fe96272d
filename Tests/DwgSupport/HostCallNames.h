// Every kind of DWG host call a test can fail, with its name (an identifier, fit for test names); a
// kind added to the host without a name here stops the build of the sweeps.
#pragma once

#include <cstddef>
#include <iterator>

#include "dbhostfaults.h"

namespace HostCallNames
{
struct Named
{
    DwgHostCall call;
    const char* name;
};

constexpr Named kAll[] = {
    {DwgHostCall::HeapAllocation, "HeapAllocation"},       {DwgHostCall::OpenForRead, "OpenForRead"},
    {DwgHostCall::OpenForWrite, "OpenForWrite"},    {DwgHostCall::DictionarySetAt, "DictionarySetAt"},
    {DwgHostCall::DictionaryGetAt, "DictionaryGetAt"}, {DwgHostCall::DictionaryRemove, "DictionaryRemove"},
    {DwgHostCall::AddObject, "AddObject"},           {DwgHostCall::AppendEntity, "AppendEntity"},
    {DwgHostCall::Erase, "Erase"},                    {DwgHostCall::SaveDrawing, "SaveDrawing"},
    {DwgHostCall::ReadDrawing, "ReadDrawing"},       {DwgHostCall::FilerRead, "FilerRead"},
    {DwgHostCall::FilerWrite, "FilerWrite"},
};
static_assert(std::size(kAll) == static_cast<std::size_t>(DwgHostCall::Kinds), "every kind of host call is named");
}  // namespace HostCallNames
