// The host names the DWG enabler's code spells, mapped to the names of the host the
// build is written for. Every DWG source sees this header first (the build
// force-includes it), so the shared code names one set of calls and a ZWCAD build
// calls only what a ZRX host exports.
#pragma once

#if defined(PM_HOST_ZRX)

#include <zrxheaders.h>

#define Acad Zcad
#define Adesk Zdesk
#define AcDb ZcDb
#define AcRx ZcRx
#define ACHAR ZTCHAR
#define AcDbObject ZcDbObject
#define AcDbObjectId ZcDbObjectId
#define AcDbHandle ZcDbHandle
#define AcDbDatabase ZcDbDatabase
#define AcDbDictionary ZcDbDictionary
#define AcDbDictionaryIterator ZcDbDictionaryIterator
#define AcDbBlockReference ZcDbBlockReference
#define AcDbBlockTable ZcDbBlockTable
#define AcDbBlockTableRecord ZcDbBlockTableRecord
#define AcDbDwgFiler ZcDbDwgFiler
#define AcGePoint2d ZcGePoint2d
#define AcGePoint3d ZcGePoint3d
#define AcHeapOperators ZcHeapOperators
#define AcRxClass ZcRxClass
#define AcRxDictionary ZcRxDictionary
#define AcRxObject ZcRxObject
#define AcRxPseudoConstructor ZcRxPseudoConstructor
#define acdbHostApplicationServices zcdbHostApplicationServices
#define acdbOpenAcDbObject zcdbOpenZcDbObject
#define acdbOpenObject zcdbOpenObject
#define acrxBuildClassHierarchy zcrxBuildClassHierarchy
#define acrxFindAcRxClass zcrxFindZcRxClass
#define acrxLoadModule zcrxLoadModule
#define acrxRegisterAppMDIAware zcrxRegisterAppMDIAware
#define acrxRegisterService zcrxRegisterService
#define acrxServiceIsRegistered zcrxServiceIsRegistered
#define acrxSysRegistry zcrxSysRegistry
#define acrxUnlockApplication zcrxUnlockApplication
#define acrx_abort zcrx_abort
#define acutDelBuffer zcutDelBuffer
#define newAcRxClass newZcRxClass
#define deleteAcRxClass deleteZcRxClass
#define addAcDbObject addZcDbObject
#define appendAcDbEntity appendZcDbEntity
#define getAcDbObjectId getZcDbObjectId
#define readAcDbHandle readZcDbHandle
#define writeAcDbHandle writeZcDbHandle

#endif
