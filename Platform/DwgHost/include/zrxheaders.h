// The host's calls and types under the names of the ZRX SDK, for the ZWCAD builds.
// They are the same host: every name below is the corresponding Ac/acrx one.
#pragma once

#include "arxheaders.h"

typedef ACHAR ZTCHAR;

namespace Zcad = Acad;
namespace ZcDb = AcDb;
namespace ZcRx = AcRx;
namespace Zdesk = Adesk;

using ZcRxObject = AcRxObject;
using ZcRxClass = AcRxClass;
using ZcRxDictionary = AcRxDictionary;
using ZcRxService = AcRxService;
using ZcHeapOperators = AcHeapOperators;
using ZcDbObject = AcDbObject;
using ZcDbObjectId = AcDbObjectId;
using ZcDbHandle = AcDbHandle;
using ZcDbDatabase = AcDbDatabase;
using ZcDbHostApplicationServices = AcDbHostApplicationServices;
using ZcDbDictionary = AcDbDictionary;
using ZcDbDictionaryIterator = AcDbDictionaryIterator;
using ZcDbEntity = AcDbEntity;
using ZcDbBlockReference = AcDbBlockReference;
using ZcDbSymbolTable = AcDbSymbolTable;
using ZcDbSymbolTableRecord = AcDbSymbolTableRecord;
using ZcDbBlockTable = AcDbBlockTable;
using ZcDbBlockTableRecord = AcDbBlockTableRecord;
using ZcDbDwgFiler = AcDbDwgFiler;
using ZcGePoint2d = AcGePoint2d;
using ZcGePoint3d = AcGePoint3d;
using ZcGeScale3d = AcGeScale3d;

#define ZCRX_CLASS_DICTIONARY ACRX_CLASS_DICTIONARY
#define ZCRX_SERVICE_DICTIONARY ACRX_SERVICE_DICTIONARY
#define ZCDB_MODEL_SPACE ACDB_MODEL_SPACE

inline ZcRxDictionary* zcrxSysRegistry() { return acrxSysRegistry(); }
inline ZcRxClass* zcrxFindZcRxClass(const ACHAR* className) { return acrxFindAcRxClass(className); }
inline void zcrxBuildClassHierarchy() { acrxBuildClassHierarchy(); }
inline void deleteZcRxClass(ZcRxClass* classObj) { deleteAcRxClass(classObj); }

inline ZcRxClass* newZcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                               int maintenanceVersion, int proxyFlags = 0,
                               AcRxPseudoConstructor pseudoConstructor = nullptr, const ACHAR* dxfName = nullptr,
                               const ACHAR* appName = nullptr, AppNameChangeFuncPtr appNameChange = nullptr)
{
    return newAcRxClass(className, parentClassName, dwgVersion, maintenanceVersion, proxyFlags, pseudoConstructor,
                        dxfName, appName, appNameChange);
}

inline ZcRxObject* zcrxRegisterService(const ACHAR* serviceName) { return acrxRegisterService(serviceName); }
inline bool zcrxServiceIsRegistered(const ACHAR* serviceName) { return acrxServiceIsRegistered(serviceName); }
inline bool zcrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd = false)
{
    return acrxLoadModule(moduleName, printit, asCmd);
}
inline bool zcrxUnloadModule(const ACHAR* moduleName, bool asCmd = false)
{
    return acrxUnloadModule(moduleName, asCmd);
}
inline bool zcrxUnlockApplication(void* appId) { return acrxUnlockApplication(appId); }
inline bool zcrxRegisterAppMDIAware(void* appId) { return acrxRegisterAppMDIAware(appId); }
#define zcrx_abort acrx_abort

inline ZcDbHostApplicationServices* zcdbHostApplicationServices() { return acdbHostApplicationServices(); }
inline Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& object, ZcDbObjectId id, ZcDb::OpenMode mode,
                                            bool openErased = false)
{
    return acdbOpenAcDbObject(object, id, mode, openErased);
}
inline Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& object, ZcDbObjectId id, const ZcRxClass* ofClass,
                                            ZcDb::OpenMode mode, bool openErased = false)
{
    return acdbOpenAcDbObject(object, id, ofClass, mode, openErased);
}
template <class T>
Zcad::ErrorStatus zcdbOpenObject(T*& object, ZcDbObjectId id, ZcDb::OpenMode mode = ZcDb::kForRead,
                                 bool openErased = false)
{
    return acdbOpenObject(object, id, mode, openErased);
}
inline void zcutDelBuffer(ACHAR*& buffer) { acutDelBuffer(buffer); }
