# The 64-bit format 200 modules for the DWG-model hosts: the model, the part
# tree, the transform and the DWG-host enabler, each compiled with the traits of
# its deliverable and linked to the stand-in host and the framework.
set(PM_DWG200_MODULES
  Varnex200_2007x64
  Varnex200_2010x64
  Varnex200_2013x64
  Varnex200_2015x64
  Varnex200_2017x64
  Varnex200_2018x64
  Varnex200_BCAD15x64
  Varnex200_BCAD16x64
  Varnex200_BCAD17x64
  Varnex200_ZWCAD2017x64)
set_property(GLOBAL PROPERTY PM_DWG200_MODULES ${PM_DWG200_MODULES})

foreach(deliverable IN LISTS PM_DWG200_MODULES)
  pm_add_module(${deliverable}
    SOURCES ${PM_MODEL200_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_DWGHOST_SOURCES}
    LINK DwgHost Framework)
endforeach()
