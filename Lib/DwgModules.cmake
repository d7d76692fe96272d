# The format 200 modules of the configured bitness (VARNEX_BITS) for the DWG-model
# hosts: the model, the part tree, the transform and the DWG-host enabler, each
# compiled with the traits of its deliverable and linked to the stand-in host and
# the framework.
pm_deliverables_for(PM_DWG200_MODULES FAMILY DWG FORMAT 200)
set_property(GLOBAL PROPERTY PM_DWG200_MODULES ${PM_DWG200_MODULES})

foreach(deliverable IN LISTS PM_DWG200_MODULES)
  pm_add_module(${deliverable}
    SOURCES ${PM_MODEL200_SOURCES} ${PM_LEGACY101_ACCESSOR_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_DWGHOST_SOURCES}
    LINK DwgHost Framework)
endforeach()
