#include "PmTimeRecordFiler.h"

#include <dbfiler.h>

void PmTimeRecord::Write(AcDbDwgFiler* filer, const CTime& time)
{
    const Bytes bytes = Encode(time);
    filer->writeBytes(bytes.data(), bytes.size());
}

CTime PmTimeRecord::Read(AcDbDwgFiler* filer)
{
    Bytes bytes{};
    if (filer->readBytes(bytes.data(), bytes.size()) != Acad::eOk)
        return CTime(0);
    return Decode(bytes);
}
