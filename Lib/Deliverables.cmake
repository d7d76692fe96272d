# The build variant of every deliverable, in one place.
#
# Each row names a module and its traits. Build code asks this table through
# pm_deliverable_get() and pm_variant_definitions(); C++ code sees only the
# compile definitions derived from the traits, never a deliverable's name.
#
# Traits:
#   FAMILY     DWG or MSTN (which host object model the module is written against)
#   HOST       ACAD, BRX, ZRX or MSTN (whose SDK: the DWG-model hosts differ in names and entry points)
#   SDK        the host SDK release the module is built with
#   BITS       32 or 64
#   STRINGS    WIDE or NARROW: the width of CString and of the text dump stream
#   FORMAT     200 for the current enabler, 101 for the legacy enabler
#   SIM_BASE   ABSTRACT: CPmSim200's Save/Update/Close are pure;
#              INSTANTIABLE: they have bodies answering -1
#   TRANSFORM  WHOLE, ELEMENT_ACCESS (only operator() exported) or HIDDEN
#   POINTS     EXPORTED or HIDDEN: CQdPoint and CQdVector in the module's export set
#   DWG_VERSION, DWG_MAINT  drawing version and maintenance release of the host SDK
#   REG_FILE   the module file name quoted in the registration text
#   LEGACY     the format 101 module loaded at start-up ("" for none)
#   BINDS_101  YES when the module binds the format 101 module by delayed import
#   DELAY_IMPORT  the module file the delayed import names, when it differs from LEGACY
#   COPIES_101_BLOCKS  YES when CPmBlockFactory::CopyBlock accepts a format 101 block
#   CLASS_LOOKUP  FIND when the SDK finds the module's class with acrxFindAcRxClass
#              instead of in the class dictionary
#   SAVE_PREOPENS  YES when storing an object first opens the entry it replaces
#
# Compile definitions: PM_HOST_FAMILY_<FAMILY>, PM_HOST_<HOST>, PM_SDK_<SDK>,
# PM_MODEL_FORMAT, UNICODE/_UNICODE, PM_SIM_BASE_INSTANTIABLE,
# PM_TRANSFORM_EXPORT_<TRANSFORM>, PM_POINTS_EXPORTED, PM_BINDS_FORMAT101,
# PM_LEGACY_MODULE_FILE, PM_DELAY_IMPORT_FILE, PM_REGISTRATION_FILE, PM_DWG_VERSION, PM_DWG_MAINT.

set(PM_DELIVERABLES "")

function(pm_deliverable name)
  set(keys FAMILY HOST SDK BITS STRINGS FORMAT SIM_BASE TRANSFORM POINTS
           DWG_VERSION DWG_MAINT REG_FILE LEGACY BINDS_101 COPIES_101_BLOCKS
           CLASS_LOOKUP SAVE_PREOPENS DELAY_IMPORT)
  cmake_parse_arguments(PARSE_ARGV 1 D "" "${keys}" "")
  foreach(key IN LISTS keys)
    if(NOT DEFINED D_${key})
      if(key MATCHES "^(POINTS|LEGACY|BINDS_101|COPIES_101_BLOCKS|CLASS_LOOKUP|SAVE_PREOPENS|DWG_VERSION|DWG_MAINT|REG_FILE|DELAY_IMPORT)$")
        set(D_${key} "")
      else()
        message(FATAL_ERROR "Deliverable ${name}: trait ${key} missing")
      endif()
    endif()
    set_property(GLOBAL PROPERTY PM_DELIVERABLE_${name}_${key} "${D_${key}}")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY PM_DELIVERABLES ${name})
endfunction()

function(pm_deliverable_get name key out)
  get_property(known GLOBAL PROPERTY PM_DELIVERABLES)
  if(NOT name IN_LIST known)
    message(FATAL_ERROR "Unknown deliverable ${name}")
  endif()
  get_property(value GLOBAL PROPERTY PM_DELIVERABLE_${name}_${key})
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Compile definitions that carry a deliverable's traits into the code.
function(pm_variant_definitions name out)
  foreach(key FAMILY HOST SDK STRINGS FORMAT SIM_BASE TRANSFORM POINTS)
    pm_deliverable_get(${name} ${key} ${key})
  endforeach()
  set(defs PM_HOST_FAMILY_${FAMILY}=1 PM_HOST_${HOST}=1 PM_MODEL_FORMAT=${FORMAT})
  if(STRINGS STREQUAL "WIDE")
    list(APPEND defs UNICODE _UNICODE)
  endif()
  if(SIM_BASE STREQUAL "INSTANTIABLE")
    list(APPEND defs PM_SIM_BASE_INSTANTIABLE=1)
  endif()
  list(APPEND defs PM_TRANSFORM_EXPORT_${TRANSFORM}=1)
  if(POINTS STREQUAL "EXPORTED")
    list(APPEND defs PM_POINTS_EXPORTED=1)
  endif()
  list(APPEND defs PM_SDK_${SDK}=1)
  foreach(key BITS BINDS_101 LEGACY REG_FILE DWG_VERSION DWG_MAINT)
    pm_deliverable_get(${name} ${key} ${key})
  endforeach()
  if(BINDS_101 STREQUAL "YES")
    list(APPEND defs PM_BINDS_FORMAT101=1)
    pm_deliverable_get(${name} DELAY_IMPORT delayImport)
    if(delayImport STREQUAL "")
      set(delayImport "${LEGACY}")
    endif()
    list(APPEND defs "PM_DELAY_IMPORT_FILE=\"${delayImport}\"")
  endif()
  pm_deliverable_get(${name} COPIES_101_BLOCKS copies101)
  if(copies101 STREQUAL "YES")
    list(APPEND defs PM_COPIES_FORMAT101_BLOCKS=1)
  endif()
  pm_deliverable_get(${name} CLASS_LOOKUP classLookup)
  if(classLookup STREQUAL "FIND")
    list(APPEND defs PM_CLASS_LOOKUP_FIND=1)
  endif()
  pm_deliverable_get(${name} SAVE_PREOPENS savePreopens)
  if(savePreopens STREQUAL "YES")
    list(APPEND defs PM_SAVE_PREOPENS_ENTRY=1)
  endif()
  # Texts as narrow literals; the code widens them where it needs wide text.
  list(APPEND defs "PM_LEGACY_MODULE_FILE=\"${LEGACY}\"")
  if(NOT REG_FILE STREQUAL "")
    list(APPEND defs "PM_REGISTRATION_FILE=\"${REG_FILE}\"")
  endif()
  if(NOT DWG_VERSION STREQUAL "")
    list(APPEND defs PM_DWG_VERSION=${DWG_VERSION} PM_DWG_MAINT=${DWG_MAINT})
  endif()
  set(${out} ${defs} PARENT_SCOPE)
endfunction()

# The file name a host loads the deliverable by.
function(pm_deliverable_file name out)
  pm_deliverable_get(${name} FAMILY family)
  if(family STREQUAL "DWG")
    set(${out} "${name}.dbx" PARENT_SCOPE)
  else()
    set(${out} "${name}.dll" PARENT_SCOPE)
  endif()
endfunction()

# The stand-in host library a DWG deliverable links and runs in: the ZWCAD host
# (ZRX names) for HOST ZRX, the DWG host (Ac names) for the others.
function(pm_dwg_host_library name out)
  pm_deliverable_get(${name} HOST host)
  if(host STREQUAL "ZRX")
    set(${out} ZwHost PARENT_SCOPE)
  else()
    set(${out} DwgHost PARENT_SCOPE)
  endif()
endfunction()

# Format 200 modules for the DWG-model hosts.
foreach(bits 32 64)
  if(bits EQUAL 64)
    set(sfx x64)
  else()
    set(sfx "")
  endif()
  set(common FAMILY DWG BITS ${bits} STRINGS WIDE FORMAT 200)
  set(classic ${common} SIM_BASE ABSTRACT TRANSFORM WHOLE)
  set(modern ${common} SIM_BASE INSTANTIABLE TRANSFORM ELEMENT_ACCESS)
  # The 2007 SDK's maintenance release differs by bitness; the format 200 and
  # format 101 modules built with it both register it.
  if(bits EQUAL 64)
    set(maint2007 25)
  else()
    set(maint2007 1)
  endif()
  pm_deliverable(Varnex200_2007${sfx} ${classic} HOST ACAD SDK 2007 DWG_VERSION 27 DWG_MAINT ${maint2007}
                 REG_FILE "Varnex200_2007.dbx" LEGACY "Varnex101_2007${sfx}.dbx" BINDS_101 YES
                 COPIES_101_BLOCKS YES)
  pm_deliverable(Varnex200_2010${sfx} ${classic} HOST ACAD SDK 2010 DWG_VERSION 29 DWG_MAINT 6
                 REG_FILE "Varnex200_2010.dbx" LEGACY "Varnex101_2010${sfx}.dbx" BINDS_101 YES
                 COPIES_101_BLOCKS YES)
  pm_deliverable(Varnex200_2013${sfx} ${classic} HOST ACAD SDK 2013 DWG_VERSION 31 DWG_MAINT 8
                 REG_FILE "Varnex200_2013.dbx" LEGACY "Varnex101_2013${sfx}.dbx" BINDS_101 YES
                 COPIES_101_BLOCKS YES)
  pm_deliverable(Varnex200_2015${sfx} ${classic} HOST ACAD SDK 2015 DWG_VERSION 31 DWG_MAINT 81
                 REG_FILE "Varnex200_2015.dbx")
  pm_deliverable(Varnex200_2017${sfx} ${modern} HOST ACAD SDK 2017 DWG_VERSION 31 DWG_MAINT 125
                 REG_FILE "Varnex200_2017.dbx" COPIES_101_BLOCKS YES SAVE_PREOPENS YES)
  pm_deliverable(Varnex200_2018${sfx} ${modern} HOST ACAD SDK 2018 DWG_VERSION 33 DWG_MAINT 0
                 REG_FILE "Varnex200_2018.dbx" LEGACY "Varnex101_V8.dll"
                 COPIES_101_BLOCKS YES CLASS_LOOKUP FIND SAVE_PREOPENS YES)
  pm_deliverable(Varnex200_BCAD15${sfx} ${classic} HOST BRX SDK V15 DWG_VERSION 29 DWG_MAINT 1
                 REG_FILE "Varnex200_BCAD15.dbx" SAVE_PREOPENS YES)
  pm_deliverable(Varnex200_BCAD16${sfx} ${modern} HOST BRX SDK V16 DWG_VERSION 29 DWG_MAINT 1
                 REG_FILE "Varnex200_2004.dbx 1.0" SAVE_PREOPENS YES)
  pm_deliverable(Varnex200_BCAD17${sfx} ${modern} HOST BRX SDK V17 DWG_VERSION 29 DWG_MAINT 1
                 REG_FILE "Varnex200_2004.dbx 1.0" SAVE_PREOPENS YES)
  pm_deliverable(Varnex200_ZWCAD2017${sfx} ${modern} HOST ZRX SDK 2017 DWG_VERSION 31 DWG_MAINT 8
                 REG_FILE "Varnex200_2004.dbx 1.0")

  # Format 101 modules: the legacy enabler loaded and bound by the 2007, 2010 and 2013 builds.
  set(legacy FAMILY DWG HOST ACAD BITS ${bits} STRINGS WIDE FORMAT 101 SIM_BASE ABSTRACT TRANSFORM HIDDEN)
  pm_deliverable(Varnex101_2007${sfx} ${legacy} SDK 2007 POINTS EXPORTED DWG_VERSION 27 DWG_MAINT ${maint2007}
                 REG_FILE "Varnex101_2007.dbx")
  pm_deliverable(Varnex101_2010${sfx} ${legacy} SDK 2010 POINTS EXPORTED DWG_VERSION 29 DWG_MAINT 6
                 REG_FILE "Varnex101_2010.dbx")
  pm_deliverable(Varnex101_2013${sfx} ${legacy} SDK 2013 POINTS HIDDEN DWG_VERSION 31 DWG_MAINT 8
                 REG_FILE "Varnex101_2004.dbx 1.1")
endforeach()

# MicroStation modules.
pm_deliverable(Varnex200_Xm FAMILY MSTN HOST MSTN SDK XM BITS 32 STRINGS NARROW FORMAT 200
               SIM_BASE ABSTRACT TRANSFORM WHOLE LEGACY "Varnex101_XM.dll" BINDS_101 YES
               DELAY_IMPORT "Varnex101_Xm.dll")
pm_deliverable(Varnex200_8i FAMILY MSTN HOST MSTN SDK V8I BITS 32 STRINGS NARROW FORMAT 200
               SIM_BASE ABSTRACT TRANSFORM WHOLE LEGACY "Varnex101_8i.dll" BINDS_101 YES)
pm_deliverable(Varnex200_CNx64 FAMILY MSTN HOST MSTN SDK CONNECT BITS 64 STRINGS WIDE FORMAT 200
               SIM_BASE INSTANTIABLE TRANSFORM ELEMENT_ACCESS LEGACY "Varnex101_CNx64.dll")

# The deliverables of the configured bitness (VARNEX_BITS) whose traits match,
# in table order:
#   pm_deliverables_for(<out> FAMILY DWG FORMAT 200 [<trait> <value>]...)
function(pm_deliverables_for out)
  set(wanted ${ARGN})
  list(APPEND wanted BITS ${VARNEX_BITS})
  get_property(known GLOBAL PROPERTY PM_DELIVERABLES)
  set(found "")
  foreach(name IN LISTS known)
    set(matches TRUE)
    set(pairs ${wanted})
    while(pairs)
      list(POP_FRONT pairs key value)
      get_property(actual GLOBAL PROPERTY PM_DELIVERABLE_${name}_${key})
      if(NOT actual STREQUAL value)
        set(matches FALSE)
        break()
      endif()
    endwhile()
    if(matches)
      list(APPEND found ${name})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The one deliverable of the configured bitness whose traits match:
#   pm_deliverable_for(<out> FAMILY DWG FORMAT 200 HOST ACAD SDK 2013)
function(pm_deliverable_for out)
  pm_deliverables_for(found ${ARGN})
  list(LENGTH found count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "Expected one ${VARNEX_BITS}-bit deliverable with ${ARGN}, found ${count}: ${found}")
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
