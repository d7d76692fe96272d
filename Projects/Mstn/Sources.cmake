# The MicroStation host layer (and, in the builds that bind a format 101
# module, its fallback): the record store (scan, header index, load, delete,
# commit), the simulation stream, the MicroStation-bound model, the blocks, the
# factories and the application object.
set(PM_MSTN_DIR ${CMAKE_CURRENT_LIST_DIR})

set(PM_MSTN_SOURCES
  ${PM_MSTN_DIR}/LegacyModule.cpp
  ${PM_MSTN_DIR}/MstnBlockFactory.cpp
  ${PM_MSTN_DIR}/MstnDbxFactory200.cpp
  ${PM_MSTN_DIR}/MstnElements.cpp
  ${PM_MSTN_DIR}/MstnHeaderIndex.cpp
  ${PM_MSTN_DIR}/MstnRecordElement.cpp
  ${PM_MSTN_DIR}/MstnRecordText.cpp
  ${PM_MSTN_DIR}/MstnSimStream.cpp
  ${PM_TIME_RECORD_SOURCES}
  ${PM_MSTN_DIR}/PmMstnAnimationBlock.cpp
  ${PM_MSTN_DIR}/PmMstnPart.cpp
  ${PM_MSTN_DIR}/PmMstnSection.cpp
  ${PM_MSTN_DIR}/PmMstnSegment.cpp
  ${PM_MSTN_DIR}/PmMstnSim200.cpp
  ${PM_MSTN_DIR}/PmMstnSimList200.cpp
  ${PM_MSTN_DIR}/PmXMDbxApp.cpp
  ${PM_MSTN_DIR}/ZrMstnBlock.cpp
  ${PM_MSTN_DIR}/ZrMstnObject.cpp
  ${PM_MSTN_DIR}/ZrMstnObjectCommit.cpp
  ${PM_MSTN_DIR}/ZrMstnObjectDelete.cpp
  ${PM_MSTN_DIR}/ZrMstnObjectLoad.cpp
  ${PM_MSTN_DIR}/ZrMstnObjectScan.cpp)

# LoadSim and UpgradeSim: read in place, or with the format 101 fallback.
set(PM_MSTN_LOADSIM_SOURCES ${PM_MSTN_DIR}/MstnLoadSim.cpp)
set(PM_MSTN_FORMAT101_SOURCES ${PM_MSTN_DIR}/MstnLoadSim101.cpp ${PM_MSTN_DIR}/MstnFormat101.cpp)
