# The format 200 modules of the configured bitness (VARNEX_BITS) for the DWG-model
# hosts: the model, the part tree, the transform and the DWG-host enabler, each
# compiled with the traits of its deliverable and linked to the stand-in host of
# its host family and the framework.
pm_deliverables_for(PM_DWG200_MODULES FAMILY DWG FORMAT 200)
set_property(GLOBAL PROPERTY PM_DWG200_MODULES ${PM_DWG200_MODULES})

foreach(deliverable IN LISTS PM_DWG200_MODULES)
  pm_dwg_host_library(${deliverable} host_library)
  pm_add_module(${deliverable}
    SOURCES ${PM_MODEL200_SOURCES} ${PM_LEGACY101_ACCESSOR_SOURCES} ${PM_LEGACY101_ASSIGNMENT200_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_DWGHOST_SOURCES}
    LINK ${host_library} Framework)
  target_compile_options(${deliverable} PRIVATE -include ${PM_DWGHOST_DIR}/PmHostNames.h)
endforeach()
