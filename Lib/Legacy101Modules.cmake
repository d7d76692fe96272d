# The 64-bit format 101 modules: the format 101 model, the part tree, the
# transform (compiled, not exported), points and vectors, the format 101 DWG
# enabler and the DWG sources it shares with the format 200 modules, each
# compiled with the traits of its deliverable. They go to the company folder,
# where the format 200 modules' start-up loads them from.
set(PM_LEGACY101_MODULES
  Varnex101_2007x64
  Varnex101_2010x64
  Varnex101_2013x64)
set_property(GLOBAL PROPERTY PM_LEGACY101_MODULES ${PM_LEGACY101_MODULES})

# pm_add_legacy101_modules(<module dir> <company dir>): the layout of
# PmModule.cmake, passed in so that the call may run outside Lib/.
function(pm_add_legacy101_modules moduleDir companyDir)
  set(PM_MODULE_DIR "${moduleDir}")
  set(PM_COMPANY_DIR "${companyDir}")
  get_property(modules GLOBAL PROPERTY PM_LEGACY101_MODULES)
  foreach(deliverable IN LISTS modules)
    pm_add_module(${deliverable} COMPANY_FOLDER
      SOURCES ${PM_MODEL101_SOURCES} ${PM_PART_SOURCES} ${PM_TRANSFORM_SOURCES} ${PM_POINTS_SOURCES}
              ${PM_LEGACY101_MODULE_SOURCES} ${PM_LEGACY101_SHARED_DWG_SOURCES}
      LINK DwgHost Framework)
    target_include_directories(${deliverable} PRIVATE ${PM_DWGHOST_DIR})
  endforeach()
endfunction()

if(DEFINED PM_LEGACY101_MODULE_SOURCES)
  pm_add_legacy101_modules("${PM_MODULE_DIR}" "${PM_COMPANY_DIR}")
else()
  # The source lists are set after Lib/ is configured: add the modules at the end
  # of the top-level directory, which has them, with the layout known here.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL pm_add_legacy101_modules [[${PM_MODULE_DIR}]] [[${PM_COMPANY_DIR}]])")
endif()
