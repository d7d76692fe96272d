// Enumerations of the drawing database.
#pragma once

namespace AcDb
{
enum OpenMode
{
    kForRead = 0,
    kForWrite = 1
};

enum Visibility
{
    kVisible = 0,
    kInvisible = 1
};

// Why a filer is filing: to a drawing file, or for a copy of an object.
enum FilerType
{
    kFileFiler = 0,
    kCopyFiler = 1
};
}  // namespace AcDb

#define ACDB_MODEL_SPACE L"*Model_Space"
