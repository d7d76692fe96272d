# The format 101 DWG enabler: the persistent format 101 simulation, its record,
# storage, list and factories, its blocks in model space and its entry point.
# Where it does what the format 200 enabler does (the dictionary store, the
# block classes, the part record, the block factory, the time record), it
# compiles the same DWG sources; their names follow PM_MODEL_FORMAT.
set(PM_LEGACY101_MODULE_SOURCES
  ${PM_LEGACY101_DIR}/PmAcadSim.cpp
  ${PM_LEGACY101_DIR}/PmAcadSimRecord.cpp
  ${PM_LEGACY101_DIR}/PmAcadSection.cpp
  ${PM_LEGACY101_DIR}/PmAcadSegment.cpp
  ${PM_LEGACY101_DIR}/PmAcadSimList.cpp
  ${PM_LEGACY101_DIR}/PmDbxFactoryDwg.cpp
  ${PM_LEGACY101_DIR}/PmSimCleanup.cpp
  ${PM_LEGACY101_DIR}/PmLegacyEntryPoint.cpp)

set(PM_LEGACY101_SHARED_DWG_SOURCES
  ${PM_DWGHOST_DIR}/ZrAcadObject.cpp
  ${PM_DWGHOST_DIR}/PmRxClass.cpp
  ${PM_DWGHOST_DIR}/PmModuleEntry.cpp
  ${PM_DWGHOST_DIR}/ZrAcadBlock.cpp
  ${PM_DWGHOST_DIR}/PmAcadAnimationBlock.cpp
  ${PM_DWGHOST_DIR}/PmBlockReferences.cpp
  ${PM_DWGHOST_DIR}/PmBlockFactoryDwg.cpp
  ${PM_DWGHOST_DIR}/PmAcadPart.cpp
  ${PM_DWGHOST_DIR}/PmTimeRecordFiler.cpp
  ${PM_TIME_RECORD_SOURCES})
