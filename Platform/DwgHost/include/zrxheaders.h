// The ZWCAD host under the names of the ZRX SDK: Zcad, Zdesk, ZcDb..., ZcRx...,
// zcrx..., zcdb..., zcut..., as ZwHost exports them.
#pragma once

#include "zrxnames.h"

#include "arxheaders.h"

#define ZCRX_CLASS_DICTIONARY L"ClassDictionary"
#define ZCRX_SERVICE_DICTIONARY L"ServiceDictionary"
#define ZCDB_MODEL_SPACE L"*Model_Space"
