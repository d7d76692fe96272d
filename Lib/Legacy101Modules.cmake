# The format 101 modules of the configured bitness (VARNEX_BITS): the format 101
# model, the part tree, the transform (compiled, not exported), points and
# vectors, the format 101 DWG enabler and the DWG sources it shares with the
# format 200 modules, each compiled with the traits of its deliverable. They go
# to the company folder, where the format 200 modules' start-up loads them from.
pm_deliverables_for(PM_LEGACY101_MODULES FAMILY DWG FORMAT 101)
set_property(GLOBAL PROPERTY PM_LEGACY101_MODULES ${PM_LEGACY101_MODULES})

foreach(deliverable IN LISTS PM_LEGACY101_MODULES)
  pm_add_module(${deliverable} COMPANY_FOLDER
    SOURCES ${PM_MODEL101_SOURCES} ${PM_LEGACY101_ACCESSOR_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_POINTS_SOURCES}
            ${PM_LEGACY101_MODULE_SOURCES} ${PM_LEGACY101_SHARED_DWG_SOURCES}
    LINK DwgHost Framework)
  target_include_directories(${deliverable} PRIVATE ${PM_DWGHOST_DIR})
endforeach()
