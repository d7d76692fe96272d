// The host's names as the ZRX SDK spells them. Compiling the host's sources with
// this header first builds the ZWCAD host (ZwHost), which exports these names and
// no other host's; a client compiled with it (through zrxheaders.h) calls them.
//
// The names of the host interface are the enabler's own table (PmHostNames.h),
// the one table of the ZRX spelling; only what this stand-in has beyond a host's
// interface, for its own checks and the tests, is spelled here.
#pragma once

#define AcDbStub ZcDbStub
#define AcDbFilerItem ZcDbFilerItem
#define AcDbMemoryFiler ZcDbMemoryFiler
#define AcDbProxyClassInfo ZcDbProxyClassInfo
#define AcRxEntryPointFunc ZcRxEntryPointFunc
#define acrxApplicationIsLocked zcrxApplicationIsLocked
#define acrxIsAppMDIAware zcrxIsAppMDIAware
#define acrxHostClassFinds zcrxHostClassFinds
#define acdbHostWriteOpens zcdbHostWriteOpens
#define acdbHostHeapLiveBlocks zcdbHostHeapLiveBlocks
#define acdbHostHeapContains zcdbHostHeapContains

#ifndef PM_ZRX_NAMES
#define PM_ZRX_NAMES
#endif
#include "../../../Source/PM/DwgHost/PmHostNames.h"
