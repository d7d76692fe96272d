# The format 200 DWG-host object enabler: the dictionary store and the reader
# of the stored simulations, the persistent simulation class and its record, the
# factories, the blocks in model space, the binding of a format 101 module, the
# ZRX host names and the module's entry point.
set(PM_DWGHOST_DIR ${CMAKE_CURRENT_LIST_DIR})

set(PM_DWGHOST_SOURCES
  ${PM_DWGHOST_DIR}/ZrAcadObject.cpp
  ${PM_DWGHOST_DIR}/PmAcadSim200.cpp
  ${PM_DWGHOST_DIR}/PmRxClass.cpp
  ${PM_DWGHOST_DIR}/PmAcadSimList200.cpp
  ${PM_DWGHOST_DIR}/PmStoredSims.cpp
  ${PM_DWGHOST_DIR}/PmDbxFactory200Dwg.cpp
  ${PM_DWGHOST_DIR}/PmEntryPoint.cpp
  ${PM_DWGHOST_DIR}/PmModuleEntry.cpp
  ${PM_DWGHOST_DIR}/PmAcadSection200.cpp
  ${PM_DWGHOST_DIR}/PmAcadSegment200.cpp
  ${PM_DWGHOST_DIR}/PmAcadPart.cpp
  ${PM_DWGHOST_DIR}/ZrAcadBlock.cpp
  ${PM_DWGHOST_DIR}/PmAcadAnimationBlock.cpp
  ${PM_DWGHOST_DIR}/PmBlockReferences.cpp
  ${PM_DWGHOST_DIR}/PmBlockFactoryDwg.cpp
  ${PM_DWGHOST_DIR}/PmSimRecord.cpp
  ${PM_DWGHOST_DIR}/PmTimeRecordFiler.cpp
  ${PM_TIME_RECORD_SOURCES}
  ${PM_DWGHOST_DIR}/PmLegacyBinding.cpp)
