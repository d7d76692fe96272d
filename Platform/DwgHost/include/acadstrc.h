// The status every host call returns. 0 is success; 22 and 301 have the values
// that modules rely on; the other values are this host's own.
#pragma once

namespace Acad
{
enum ErrorStatus
{
    eOk = 0,
    eKeyNotFound = 22,     // a dictionary or table holds no entry under the key
    eMakeMeProxy = 301,    // a record of a format version the reader does not know

    eInvalidInput = 1001,
    eNullObjectPointer = 1002,
    eNullObjectId = 1003,
    eNotOpenForRead = 1004,
    eNotOpenForWrite = 1005,
    eWasOpenForRead = 1006,
    eWasOpenForWrite = 1007,
    eWasErased = 1008,
    ePermanentlyErased = 1009,  // the id names an object that no longer exists
    eNotThatKindOfClass = 1010,
    eNullHandle = 1011,
    eUnknownHandle = 1012,
    eAlreadyInDb = 1013,
    eNoDatabase = 1014,         // the object belongs to no database
    eWrongDatabase = 1015,
    eInvalidKey = 1016,
    eDuplicateRecordName = 1017,
    eAtMaxReaders = 1018,
    eNotAllowedForThisProxy = 1019,
    eNotApplicable = 1020,
    eEndOfFile = 1021,          // a filer read past its last item
    eFilerItemMismatch = 1022,  // a filer read of another kind or size than the item holds
    eFileAccessErr = 1023,
    eBadDwgHeader = 1024,       // not a drawing file of this host
    eDwgObjectImproperlyRead = 1025,  // a truncated or inconsistent drawing file
    eOutOfMemory = 1026,
    eFilerError = 1027          // a filer could not carry out a read or write
};
}  // namespace Acad
