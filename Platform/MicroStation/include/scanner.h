// Scan criteria: select elements of a model by type and level and deliver
// their file positions in file order.
#pragma once

#include <cstdint>

#include "msdefs.h"

struct ScanCriteria;
typedef ScanCriteria* ScanCriteriaP;

// Return types of a scan. This host delivers file positions only.
constexpr int MSTN_SCAN_RETURN_FILEPOS = 1;

// New criteria: no model, every type, every level, file positions returned. Freed with _free.
ScanCriteriaP mdlScanCriteria_create();
int mdlScanCriteria_free(ScanCriteriaP criteria);

int mdlScanCriteria_setModel(ScanCriteriaP criteria, DgnModelRefP model);

// Each call adds one type (or level) to those accepted; with none added, all are accepted.
int mdlScanCriteria_addSingleElementTypeTest(ScanCriteriaP criteria, int type);
int mdlScanCriteria_addSingleLevelTest(ScanCriteriaP criteria, LevelId level);

// Only MSTN_SCAN_RETURN_FILEPOS is accepted. The two flags are accepted and
// change nothing: this host has no complex elements.
int mdlScanCriteria_setReturnType(ScanCriteriaP criteria, int returnType, bool oneElementOnly,
                                  bool includeComponents);

// Delivers into buffer the file positions of the live elements that match, in
// file order, starting at *filePos. *bufferSize gives the buffer's size in
// 16-bit words on entry (two words a position) and holds twice the number of
// positions delivered on return; *filePos then holds where the next call goes on.
// Answers MSTN_SCAN_BUFFER_FULL (11) when the buffer is full and the model goes
// on, MSTN_SCAN_END_OF_MODEL (10) when the scan reached the end, and
// MSTN_SCAN_PAST_END (12) when *filePos lay past the end (nothing delivered).
int mdlScanCriteria_scan(ScanCriteriaP criteria, std::uint32_t buffer[], int* bufferSize,
                         std::uint32_t* filePos);
