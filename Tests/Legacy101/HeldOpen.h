// An object of the drawing that the test holds open, as a client holds the
// object it works on (a block reference it moves, a simulation it edits),
// while it calls the module. The open ends with the holder; ending an open
// the module ended already changes nothing.
#pragma once

#include <arxheaders.h>

class HeldOpen
{
public:
    HeldOpen(AcDbObjectId id, AcDb::OpenMode mode) : m_status(acdbOpenAcDbObject(m_object, id, mode)) {}
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen()
    {
        if (m_object)
            m_object->close();
    }

    Acad::ErrorStatus Status() const { return m_status; }
    AcDbObject* Object() const { return m_object; }

private:
    AcDbObject* m_object = nullptr;
    Acad::ErrorStatus m_status;
};

// What a test names by an open mode in its table of cases.
inline const char* ModeName(AcDb::OpenMode mode)
{
    return mode == AcDb::kForWrite ? "open for write" : "open for read";
}
