// The names of the DWG host interface as the enabler's code spells them, mapped to
// the names of the host the build is written for. Every DWG source sees this header
// first (the build force-includes it), so the shared code names one set of calls and
// a ZWCAD build calls only what a ZRX host exports. It is the one table of the ZRX
// spelling: PM_ZRX_NAMES asks for the names without the host's headers, as the
// stand-in ZWCAD host does, whose sources are compiled under this table.
#pragma once

#if defined(PM_HOST_ZRX) || defined(PM_ZRX_NAMES)

// Before the host's headers, so that every header of the build sees one set of names.
#define Acad Zcad
#define Adesk Zdesk
#define AcDb ZcDb
#define AcRx ZcRx
#define ACHAR ZTCHAR
#define AcDbObject ZcDbObject
#define AcDbObjectId ZcDbObjectId
#define AcDbHandle ZcDbHandle
#define AcDbDatabase ZcDbDatabase
#define AcDbHostApplicationServices ZcDbHostApplicationServices
#define AcDbDictionary ZcDbDictionary
#define AcDbDictionaryIterator ZcDbDictionaryIterator
#define AcDbEntity ZcDbEntity
#define AcDbBlockReference ZcDbBlockReference
#define AcDbSymbolTable ZcDbSymbolTable
#define AcDbSymbolTableRecord ZcDbSymbolTableRecord
#define AcDbBlockTable ZcDbBlockTable
#define AcDbBlockTableRecord ZcDbBlockTableRecord
#define AcDbBlockTableRecordIterator ZcDbBlockTableRecordIterator
#define AcDbProxyObject ZcDbProxyObject
#define AcDbDwgFiler ZcDbDwgFiler
#define AcGePoint2d ZcGePoint2d
#define AcGePoint3d ZcGePoint3d
#define AcGeScale3d ZcGeScale3d
#define AcHeapOperators ZcHeapOperators
#define AcRxClass ZcRxClass
#define AcRxDictionary ZcRxDictionary
#define AcRxObject ZcRxObject
#define AcRxService ZcRxService
#define AcRxPseudoConstructor ZcRxPseudoConstructor
#define acdbHostApplicationServices zcdbHostApplicationServices
#define acdbOpenAcDbObject zcdbOpenZcDbObject
#define acdbOpenObject zcdbOpenObject
#define acrxBuildClassHierarchy zcrxBuildClassHierarchy
#define acrxFindAcRxClass zcrxFindZcRxClass
#define acrxLoadModule zcrxLoadModule
#define acrxUnloadModule zcrxUnloadModule
#define acrxRegisterAppMDIAware zcrxRegisterAppMDIAware
#define acrxRegisterService zcrxRegisterService
#define acrxServiceIsRegistered zcrxServiceIsRegistered
#define acrxSysRegistry zcrxSysRegistry
#define acrxUnlockApplication zcrxUnlockApplication
#define acrx_abort zcrx_abort
#define acutDelBuffer zcutDelBuffer
#define acutNewString zcutNewString
#define newAcRxClass newZcRxClass
#define deleteAcRxClass deleteZcRxClass
#define addAcDbObject addZcDbObject
#define appendAcDbEntity appendZcDbEntity
#define getAcDbObjectId getZcDbObjectId
#define readAcDbHandle readZcDbHandle
#define writeAcDbHandle writeZcDbHandle

#endif

#if defined(PM_HOST_ZRX)
#include <zrxheaders.h>
#endif
