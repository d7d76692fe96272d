// The one host of the process: its system registry and its own classes.
#include "HostInternal.h"

namespace DwgHostDetail
{
namespace
{
template <class T>
AcRxObject* makeObject()
{
    return new T;
}

struct BuiltInRow
{
    BuiltInClass slot;
    const ACHAR* name;
    const ACHAR* parent;
    const ACHAR* dxfName;
    AcRxPseudoConstructor constructor;
};

void registerBuiltInClasses(HostState& state)
{
    const BuiltInRow rows[] = {
        {kRxObject, L"AcRxObject", nullptr, nullptr, nullptr},
        {kRxClass, L"AcRxClass", L"AcRxObject", nullptr, nullptr},
        {kRxDictionary, L"AcRxDictionary", L"AcRxObject", nullptr, &makeObject<AcRxDictionary>},
        {kRxService, L"AcRxService", L"AcRxObject", nullptr, &makeObject<AcRxService>},
        {kDbObject, L"AcDbObject", L"AcRxObject", nullptr, nullptr},
        {kDbEntity, L"AcDbEntity", L"AcDbObject", nullptr, nullptr},
        {kDbBlockReference, L"AcDbBlockReference", L"AcDbEntity", L"INSERT", &makeObject<AcDbBlockReference>},
        {kDbDictionary, L"AcDbDictionary", L"AcDbObject", L"DICTIONARY", &makeObject<AcDbDictionary>},
        {kDbSymbolTableRecord, L"AcDbSymbolTableRecord", L"AcDbObject", nullptr, nullptr},
        {kDbBlockTableRecord, L"AcDbBlockTableRecord", L"AcDbSymbolTableRecord", L"BLOCK_RECORD",
         &makeObject<AcDbBlockTableRecord>},
        {kDbSymbolTable, L"AcDbSymbolTable", L"AcDbObject", nullptr, nullptr},
        {kDbBlockTable, L"AcDbBlockTable", L"AcDbSymbolTable", L"TABLE", &makeObject<AcDbBlockTable>},
        {kDbProxyObject, L"AcDbProxyObject", L"AcDbObject", L"ACAD_PROXY_OBJECT", nullptr},
        {kDbDwgFiler, L"AcDbDwgFiler", L"AcRxObject", nullptr, nullptr},
        {kDbMemoryFiler, L"AcDbMemoryFiler", L"AcDbDwgFiler", nullptr, nullptr},
        {kDbDatabase, L"AcDbDatabase", L"AcRxObject", nullptr, nullptr},
    };
    for (const BuiltInRow& row : rows) {
        AcRxClass* cls = DwgHostClassAccess::build(row.name, row.parent, 0, 0, 0, row.constructor, row.dxfName,
                                                   nullptr, nullptr);
        DwgHostClassAccess::setBuiltIn(*cls);
        state.builtIn[row.slot] = cls;
        classDictionary()->atPut(row.name, cls);
    }
    acrxBuildClassHierarchy();
}
}  // namespace

HostState& host()
{
    static HostState* state = nullptr;
    if (!state) {
        state = new HostState;
        state->sysRegistry = new AcRxDictionary;
        state->sysRegistry->atPut(ACRX_CLASS_DICTIONARY, new AcRxDictionary);
        state->sysRegistry->atPut(ACRX_SERVICE_DICTIONARY, new AcRxDictionary);
        registerBuiltInClasses(*state);
    }
    return *state;
}

AcRxClass* builtInClass(BuiltInClass which)
{
    return host().builtIn[which];
}

// The dictionaries are looked up each time: a host process may take them out.
AcRxDictionary* classDictionary()
{
    AcRxObject* entry = host().sysRegistry->at(ACRX_CLASS_DICTIONARY);
    return entry ? dynamic_cast<AcRxDictionary*>(entry) : nullptr;
}

AcRxDictionary* serviceDictionary()
{
    AcRxObject* entry = host().sysRegistry->at(ACRX_SERVICE_DICTIONARY);
    return entry ? dynamic_cast<AcRxDictionary*>(entry) : nullptr;
}
}  // namespace DwgHostDetail

AcRxDictionary* acrxSysRegistry()
{
    return DwgHostDetail::host().sysRegistry;
}
