# Builds deliverables as the hosts load them.
#
# Modules are shared libraries named as the table says (Varnex200_2013x64.dbx,
# Varnex200_CNx64.dll ...), built with hidden visibility so that only what the
# code marks reaches the export table, and linked so that each binds its own
# definitions: a format 200 and a format 101 module hold classes of the same
# names with different bodies, as separate DLLs do.
#
# Layout under the build folder, as a host finds the modules:
#   Modules/                              the modules a host loads by path
#   CommonFiles/Quendal Solutions/        the format 101 modules; point the
#                                         environment variable CommonProgramFiles
#                                         at CommonFiles/ to have them found
set(PM_MODULE_DIR ${CMAKE_BINARY_DIR}/Modules)
set(PM_COMMON_FILES_DIR ${CMAKE_BINARY_DIR}/CommonFiles)
set(PM_COMPANY_DIR "${PM_COMMON_FILES_DIR}/Quendal Solutions")

# pm_add_module(<deliverable> [COMPANY_FOLDER] SOURCES ... LINK ...)
# COMPANY_FOLDER places the module under CommonFiles/Quendal Solutions/.
function(pm_add_module name)
  cmake_parse_arguments(PARSE_ARGV 1 M "COMPANY_FOLDER" "" "SOURCES;LINK")
  pm_deliverable_file(${name} file)
  get_filename_component(base ${file} NAME_WE)
  get_filename_component(suffix ${file} EXT)
  if(M_COMPANY_FOLDER)
    set(dir "${PM_COMPANY_DIR}")
  else()
    set(dir "${PM_MODULE_DIR}")
  endif()
  add_library(${name} SHARED ${M_SOURCES})
  set_property(GLOBAL APPEND PROPERTY PM_MODULES ${name})  # every module, by its deliverable name
  set_target_properties(${name} PROPERTIES
    PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
    LIBRARY_OUTPUT_DIRECTORY "${dir}"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN OFF)
  pm_apply_variant(${name} ${name})
  target_link_libraries(${name} PRIVATE PmSourceIncludes ${M_LINK})
  target_link_options(${name} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined)
  # A client reaches the module's exported data (a class descriptor, vtables)
  # through its global offset table, as a Windows client reaches a DLL's data
  # through the import table: a copy of that data in a position-independent
  # executable would not be the one the module, bound to its own definitions,
  # works with.
  target_compile_options(${name} INTERFACE -fPIC)
endfunction()
