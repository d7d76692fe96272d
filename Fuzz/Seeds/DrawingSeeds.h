// What the DWG seed writers write: a drawing as it saves, and a stored
// simulation's record as the filer items it files out.
#pragma once

#include <string>
#include <vector>

#include <arxheaders.h>
#include <dbmemfiler.h>

#include "DwgDrawings.h"
#include "FilerItems.h"
#include "SeedFiles.h"

inline bool SaveDrawingSeed(AcDbDatabase& drawing, const std::string& path)
{
    const FuzzFile file("seed", ".dwg");
    std::vector<std::uint8_t> bytes;
    return SaveDrawing(drawing, file.Path()) && file.Read(bytes) && WriteSeed(path, bytes);
}

// <folder>/<key>.items from the record, opened by the caller; it ends closed.
inline bool WriteRecordSeed(AcDbObject& record, const std::string& folder, const CString& key)
{
    AcDbMemoryFiler filer;
    const Acad::ErrorStatus written = record.dwgOutFields(&filer);
    record.close();
    return written == Acad::eOk && WriteSeed(folder + "/" + SeedName(key) + ".items", EncodeFilerItems(filer.items()));
}
