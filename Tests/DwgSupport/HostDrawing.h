// Host-side helpers the test programs of the DWG modules share, whichever
// module they link: drawings, block references and stored entries.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include <afx.h>
#include <arxheaders.h>

#include "PmHostTypes.h"

namespace HostDrawing
{
// Loads and initialises a module through the host's loader.
bool LoadModule(const char* path);
// The text a module registers its class with, naming the module file.
std::wstring RegistrationText(const wchar_t* moduleFile);

// A block definition (block table record) in the working drawing.
AcDbObjectId AddBlockDefinition(const wchar_t* name);
// A visible block reference appended directly to model space.
AcDbObjectId AddReference(AcDbObjectId definition, dpoint3d at);
// Erases the object of the id (opened for write, erased, closed).
void Erase(AcDbObjectId id);

PmSimId IdOf(const AcDbHandle& handle);
PmSimId IdOf(AcDbObjectId id);
AcDbObjectId IdOfHandle(const AcDbHandle& handle);

// The position (x, y, z) of the block reference with the handle; NaN when it does not open.
using Xyz = std::array<double, 3>;
Xyz PositionOf(const AcDbHandle& handle);
// True when the handle names an object of the working drawing that is erased.
bool IsErased(const AcDbHandle& handle);

// The keys of "QD_SIM", and the status of reading them when asked.
std::vector<CString> StoredNames(int* status = nullptr);
// The host class of the object stored under the key ("" when there is none):
// the module's class, or the proxy's for a class the host does not know.
std::wstring StoredClass(const CString& key);

// Stores an object of another class (an empty dictionary) under the key of
// "QD_SIM", making the sub-dictionary when it is missing.
void StoreForeignEntry(const CString& key);

// The objects of the working drawing that do not open for write (left open by
// someone), each as " <handle> (<status>)"; empty when every one opens.
std::string OpenObjects();

// A new database read from the file, made the working database; null when
// the file does not read. The caller deletes it.
AcDbDatabase* OpenDrawing(const std::string& file);

// An object of the working drawing that a client holds open while it calls a
// module, as it holds the object it edits or the block reference it moves.
// The open ends with Release (or at the end of the scope), unless the object
// was handed over to a call that ends the open itself.
class HeldOpen
{
public:
    HeldOpen() = default;
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen() { Release(); }

    // Opens the object of the id; the host's status.
    Acad::ErrorStatus Open(AcDbObjectId id, AcDb::OpenMode mode);
    AcDbObject* Object() const { return m_object; }
    // The open is no longer the holder's to end.
    void HandOver() { m_object = nullptr; }
    void Release();

private:
    AcDbObject* m_object = nullptr;
};

} // namespace HostDrawing

// Test messages show the framework's strings as their text.
void PrintTo(const CString& text, std::ostream* os);

// Gives back the objects of a drawing read for a test.
struct DrawingCloser
{
    void operator()(AcDbDatabase* drawing) const;
};
