#include "HostDrawing.h"

#include <limits>
#include <memory>

#include "ZrAcadObject.h"

namespace HostDrawing
{
namespace
{
AcDbDatabase* Working()
{
    return acdbHostApplicationServices()->workingDatabase();
}
} // namespace

bool LoadModule(const char* path)
{
    return acrxLoadModule(CStringW(path).GetString(), true);
}

std::wstring RegistrationText(const wchar_t* moduleFile)
{
    return std::wstring(L"\"") + moduleFile +
           L"    |Product Desc:     Varnex motion simulations object enabler    |Company:          Quendal Solutions"
           L"    |WEB Address:      www.quendal-solutions.example\";";
}

AcDbObjectId AddBlockDefinition(const wchar_t* name)
{
    AcDbBlockTable* table = nullptr;
    Working()->getBlockTable(table, AcDb::kForWrite);
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbObjectId id;
    table->add(id, record);
    record->close();
    table->close();
    return id;
}

AcDbObjectId AddReference(AcDbObjectId definition, dpoint3d at)
{
    AcDbBlockTable* table = nullptr;
    Working()->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite);
    table->close();
    AcDbObjectId id;
    auto* reference = new AcDbBlockReference(AcGePoint3d(at.x, at.y, at.z), definition);
    modelSpace->appendAcDbEntity(id, reference);
    reference->close();
    modelSpace->close();
    return id;
}

void Erase(AcDbObjectId id)
{
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForWrite) != Acad::eOk)
        return;
    object->erase(true);
    object->close();
}

PmSimId IdOf(const AcDbHandle& handle)
{
    return static_cast<Adesk::UInt64>(handle);
}

PmSimId IdOf(AcDbObjectId id)
{
    return IdOf(id.handle());
}

AcDbObjectId IdOfHandle(const AcDbHandle& handle)
{
    AcDbObjectId id;
    Working()->getAcDbObjectId(id, false, handle);
    return id;
}

Xyz PositionOf(const AcDbHandle& handle)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, IdOfHandle(handle), AcDb::kForRead) != Acad::eOk)
        return {nan, nan, nan};
    const AcGePoint3d position = reference->position();
    reference->close();
    return {position.x, position.y, position.z};
}

bool IsErased(const AcDbHandle& handle)
{
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, IdOfHandle(handle), AcDb::kForRead, true) != Acad::eOk)
        return false;
    const bool erased = object->isErased();
    object->close();
    return erased;
}

std::vector<CString> StoredNames(int* status)
{
    CStringArray names;
    const int read = CZrAcadObject::GetObjectNames(_T("QD_SIM"), &names);
    if (status)
        *status = read;
    std::vector<CString> result;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        result.push_back(names.GetAt(i));
    return result;
}

std::wstring StoredClass(const CString& key)
{
    const AcDbObjectId id = CZrAcadObject::GetObjectId(_T("QD_SIM"), key);
    AcDbObject* object = nullptr;
    if (id.isNull() || acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk)
        return L"";
    std::wstring name = object->isA()->name();
    if (const AcDbProxyObject* proxy = AcDbProxyObject::cast(object))
        name += std::wstring(L" for ") + proxy->originalClassName();
    object->close();
    return name;
}

void StoreForeignEntry(const CString& key)
{
    AcDbDictionary* named = nullptr;
    Working()->getNamedObjectsDictionary(named, AcDb::kForWrite);
    AcDbObject* found = nullptr;
    AcDbDictionary* sims = nullptr;
    AcDbObjectId id;
    if (named->getAt(L"QD_SIM", found, AcDb::kForWrite) == Acad::eOk)
    {
        sims = AcDbDictionary::cast(found);
    }
    else
    {
        auto* made = new AcDbDictionary;
        if (named->setAt(L"QD_SIM", made, id) == Acad::eOk)
            sims = made;
        else
            delete made;
    }
    if (sims)
    {
        auto* foreign = new AcDbDictionary;
        if (sims->setAt(key.GetString(), foreign, id) == Acad::eOk)
            foreign->close();
        else
            delete foreign;
        sims->close();
    }
    named->close();
}

AcDbDatabase* OpenDrawing(const std::string& file)
{
    auto drawing = std::make_unique<AcDbDatabase>(false, true);
    if (drawing->readDwgFile(CStringW(file.c_str()).GetString()) != Acad::eOk)
        return nullptr;
    acdbHostApplicationServices()->setWorkingDatabase(drawing.get());
    return drawing.release();
}

Acad::ErrorStatus HeldOpen::Open(AcDbObjectId id, AcDb::OpenMode mode)
{
    Release();
    return acdbOpenAcDbObject(m_object, id, mode, false);
}

void HeldOpen::Release()
{
    if (m_object)
        m_object->close();
    m_object = nullptr;
}

std::string OpenObjects()
{
    std::string open;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    const Adesk::UInt64 seed = static_cast<Adesk::UInt64>(drawing->handseed());
    for (Adesk::UInt64 handle = 1; handle < seed; ++handle)
    {
        AcDbObjectId id;
        if (drawing->getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk)
            continue;
        AcDbObject* object = nullptr;
        const Acad::ErrorStatus status = acdbOpenAcDbObject(object, id, AcDb::kForWrite, true);
        if (status == Acad::eOk)
            object->close();
        else if (status != Acad::ePermanentlyErased)
            open += " " + std::to_string(handle) + " (" + std::to_string(status) + ")";
    }
    return open;
}
} // namespace HostDrawing

void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << CStringA(text.GetString()).GetString() << '"';
}

void DrawingCloser::operator()(AcDbDatabase* drawing) const
{
    if (acdbHostApplicationServices()->workingDatabase() == drawing)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
}
