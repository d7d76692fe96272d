# Source lists of the system. Modules and tests compile them with the traits of
# a deliverable (see Lib/Deliverables.cmake); nothing here is built on its own.

set(PM_FORCOMMON_DIR ${CMAKE_CURRENT_LIST_DIR}/PM/ForCommon)
set(PM_LEGACY101_DIR ${CMAKE_CURRENT_LIST_DIR}/PM/Legacy101)

# The transform, compiled into every module.
set(PM_TRANSFORM_SOURCES ${PM_FORCOMMON_DIR}/QdTransform.cpp)

# The format 200 model: simulation, sections, segments, list and text dump.
set(PM_MODEL200_SOURCES
  ${PM_FORCOMMON_DIR}/PmSim200.cpp
  ${PM_FORCOMMON_DIR}/PmSection200.cpp
  ${PM_FORCOMMON_DIR}/PmSegment200.cpp
  ${PM_FORCOMMON_DIR}/PmPosition200.cpp
  ${PM_FORCOMMON_DIR}/PmSimList200.cpp)

# The 16-byte time record of the stored simulations of every host.
set(PM_TIME_RECORD_SOURCES ${PM_FORCOMMON_DIR}/PmTimeRecord.cpp)

# The part tree and block interfaces: one design for both formats. Each module
# compiles it with its own factories (PM_MODEL_FORMAT selects them).
set(PM_PART_SOURCES
  ${PM_FORCOMMON_DIR}/PmPart.cpp
  ${PM_FORCOMMON_DIR}/QdBlock.cpp)

# The format 101 model, host-independent.
set(PM_MODEL101_SOURCES
  ${PM_LEGACY101_DIR}/PmSim.cpp
  ${PM_LEGACY101_DIR}/PmSection.cpp
  ${PM_LEGACY101_DIR}/PmSegment.cpp
  ${PM_LEGACY101_DIR}/PmSimList.cpp)

# The plain accessors of the format 101 simulation, section and segment: in
# every module of either format, which all export them.
set(PM_LEGACY101_ACCESSOR_SOURCES ${PM_LEGACY101_DIR}/PmLegacyAccessors.cpp)

# The format 101 classes' copy assignment in the format 200 modules, which
# cannot make format 101 objects: plain fields only.
set(PM_LEGACY101_ASSIGNMENT200_SOURCES ${PM_LEGACY101_DIR}/PmLegacyAssignment200.cpp)

# Point and vector measures (their constructors and components are inline).
set(PM_POINTS_SOURCES ${PM_LEGACY101_DIR}/QdPoint.cpp ${PM_LEGACY101_DIR}/QdVector.cpp)

include(${CMAKE_CURRENT_LIST_DIR}/PM/DwgHost/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/PM/Legacy101/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../Projects/Mstn/Sources.cmake)

# What every system source needs on its include path.
add_library(PmSourceIncludes INTERFACE)
target_include_directories(PmSourceIncludes INTERFACE ${PM_FORCOMMON_DIR} ${PM_LEGACY101_DIR})
target_link_libraries(PmSourceIncludes INTERFACE Framework MstnTypes DwgTypes)
