# The format 200 modules for MicroStation of the configured bitness (VARNEX_BITS:
# XM and V8i 32-bit, CONNECT 64-bit): the model, the part tree, the transform and
# the MicroStation host layer, each compiled with the traits of its deliverable
# and linked to the stand-in host and the framework.
pm_deliverables_for(PM_MSTN200_MODULES FAMILY MSTN FORMAT 200)
set_property(GLOBAL PROPERTY PM_MSTN200_MODULES ${PM_MSTN200_MODULES})

foreach(deliverable IN LISTS PM_MSTN200_MODULES)
  # The builds that bind a format 101 module load and upgrade through it.
  pm_deliverable_get(${deliverable} BINDS_101 binds101)
  if(binds101 STREQUAL "YES")
    set(loadSim ${PM_MSTN_FORMAT101_SOURCES})
  else()
    set(loadSim ${PM_MSTN_LOADSIM_SOURCES})
  endif()
  pm_add_module(${deliverable}
    SOURCES ${PM_MODEL200_SOURCES} ${PM_LEGACY101_ACCESSOR_SOURCES} ${PM_LEGACY101_ASSIGNMENT200_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_MSTN_SOURCES} ${loadSim}
    LINK MstnHost Framework WindowsApi)
  target_include_directories(${deliverable} PRIVATE ${PM_MSTN_DIR})
endforeach()
