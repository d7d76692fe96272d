# What a module exports, derived from its traits in Lib/Deliverables.cmake.
#
# A rule names traits and the lists (Sets/<list>.txt) that a module with all of
# those traits exports; a trait given several values matches any of them. A
# module's expected set is every list of every rule it matches. The types table
# gives the spelling of the types that differ between builds, which the lists
# name as ${Name}.

# The traits a rule may name.
set_property(GLOBAL PROPERTY PM_EXPORT_TRAITS FAMILY HOST SDK BITS STRINGS FORMAT SIM_BASE TRANSFORM POINTS)

# pm_export_rule([<trait> <value>...]... LISTS <list>...)
function(pm_export_rule)
  get_property(traits GLOBAL PROPERTY PM_EXPORT_TRAITS)
  cmake_parse_arguments(PARSE_ARGV 0 R "" "" "${traits};LISTS")
  get_property(count GLOBAL PROPERTY PM_EXPORT_RULE_COUNT)
  if(NOT count)
    set(count 0)
  endif()
  foreach(trait IN LISTS traits)
    set_property(GLOBAL PROPERTY PM_EXPORT_RULE_${count}_${trait} "${R_${trait}}")
  endforeach()
  set_property(GLOBAL PROPERTY PM_EXPORT_RULE_${count}_LISTS "${R_LISTS}")
  math(EXPR count "${count} + 1")
  set_property(GLOBAL PROPERTY PM_EXPORT_RULE_COUNT ${count})
endfunction()

# pm_export_types(<trait> <value> <name> <type> [<name> <type>]...)
function(pm_export_types trait value)
  set_property(GLOBAL PROPERTY PM_EXPORT_TYPES_${trait}_${value} "${ARGN}")
endfunction()

# Every module.
pm_export_rule(LISTS parts)
# Every format 200 module: the model, its factory, and what it shares of format 101.
pm_export_rule(FORMAT 200 LISTS model200 shared101)
# CPmSim200 with bodies for Save, Update and Close.
pm_export_rule(FORMAT 200 SIM_BASE INSTANTIABLE LISTS sim-base-bodies)
# The transform, whole or by its element access only.
pm_export_rule(TRANSFORM WHOLE LISTS transform-whole)
pm_export_rule(TRANSFORM ELEMENT_ACCESS LISTS transform-element)
# The DWG-model hosts.
pm_export_rule(FAMILY DWG LISTS dwg)
pm_export_rule(FAMILY DWG FORMAT 200 LISTS dwg200)
pm_export_rule(FAMILY DWG HOST ACAD BRX LISTS entry-acrx)
pm_export_rule(FAMILY DWG HOST ZRX LISTS entry-zcrx)
pm_export_rule(FAMILY DWG HOST BRX LISTS brx)
# MicroStation.
pm_export_rule(FAMILY MSTN FORMAT 200 LISTS mstn200)
# The format 101 modules, and the builds of them that offer points and vectors.
pm_export_rule(FORMAT 101 LISTS legacy101)
pm_export_rule(POINTS EXPORTED LISTS points)

# The framework's string, string array and the text dump's stream by width.
pm_export_types(STRINGS WIDE
  CString "CStringT<wchar_t>"
  CStringArray "framework_wide_strings::CStringArray"
  Stream "std::__cxx11::basic_ostringstream<wchar_t, std::char_traits<wchar_t>, std::allocator<wchar_t> >")
pm_export_types(STRINGS NARROW
  CString "CStringT<char>"
  CStringArray "framework_narrow_strings::CStringArray"
  Stream "std::__cxx11::basic_ostringstream<char, std::char_traits<char>, std::allocator<char> >")
# The host's own names: the lists spell the host types as the DWG host's SDK
# does; a module of another host family has them under its host's names.
# pm_export_host_names(<host> <name> <host's name> [<name> <host's name>]...)
function(pm_export_host_names host)
  set_property(GLOBAL PROPERTY PM_EXPORT_HOST_NAMES_${host} "${ARGN}")
endfunction()
pm_export_host_names(ZRX
  AcDbBlockReference ZcDbBlockReference AcDbDwgFiler ZcDbDwgFiler AcDbObjectId ZcDbObjectId
  AcGePoint2d ZcGePoint2d AcGePoint3d ZcGePoint3d AcRxClass ZcRxClass AcRxObject ZcRxObject)

# The unsigned 64-bit ids.
pm_export_types(BITS 64 UInt64 "unsigned long")
pm_export_types(BITS 32 UInt64 "unsigned long long")
# The host's types in the model's signatures: a part's offset, the animation
# block's previous element, what the block factory wraps.
pm_export_types(FAMILY DWG Offset "dpoint3d" PrevElement "int" BlockSource "element")
pm_export_types(FAMILY MSTN Offset "DPoint3d" PrevElement "TransElemDescr*" BlockSource "MSElementDescr")

# pm_export_pointer_bits(<deliverable> <out>): the bitness the module's code is
# compiled as: the build's pointer size, unless the module itself asks for
# 32-bit code.
function(pm_export_pointer_bits deliverable out)
  math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
  if(TARGET ${deliverable})
    foreach(property COMPILE_OPTIONS INTERFACE_COMPILE_OPTIONS)
      get_target_property(options ${deliverable} ${property})
      if(options AND "-m32" IN_LIST options)
        set(bits 32)
      endif()
    endforeach()
  endif()
  set(${out} ${bits} PARENT_SCOPE)
endfunction()

# pm_export_expected(<deliverable> <lists dir> <file>): writes the expected set
# of the deliverable into <file>, one export a line: "R" (required) or "O"
# (optional), a tab, the list it comes from, a tab, the export. Three header
# lines give the module, its traits and its lists; a fourth, if there, the
# bitness the check accepts beside the one the traits give.
function(pm_export_expected deliverable listsDir file)
  get_property(allTraits GLOBAL PROPERTY PM_EXPORT_TRAITS)
  pm_export_pointer_bits(${deliverable} pointerBits)
  set(traits "")
  set(substitutions "")
  set(acceptedBits "")
  foreach(trait IN LISTS allTraits)
    pm_deliverable_get(${deliverable} ${trait} value)
    set(value_${trait} "${value}")
    if(value STREQUAL "")
      string(APPEND traits " ${trait} -")
    else()
      string(APPEND traits " ${trait} ${value}")
      set(typesValue "${value}")
      # A 32-bit module that this 64-bit build still compiles as 64-bit code:
      # its types are spelt as the code it is built as, and the check accepts
      # the bitness.
      if(trait STREQUAL "BITS" AND value STREQUAL "32" AND pointerBits STREQUAL "64")
        set(typesValue 64)
        set(acceptedBits 64)
      endif()
      get_property(types GLOBAL PROPERTY PM_EXPORT_TYPES_${trait}_${typesValue})
      list(APPEND substitutions ${types})
    endif()
  endforeach()

  get_property(hostNames GLOBAL PROPERTY PM_EXPORT_HOST_NAMES_${value_HOST})

  set(lists "")
  get_property(count GLOBAL PROPERTY PM_EXPORT_RULE_COUNT)
  math(EXPR last "${count} - 1")
  foreach(rule RANGE ${last})
    set(matches TRUE)
    foreach(trait IN LISTS allTraits)
      get_property(wanted GLOBAL PROPERTY PM_EXPORT_RULE_${rule}_${trait})
      if(NOT wanted STREQUAL "" AND NOT value_${trait} IN_LIST wanted)
        set(matches FALSE)
      endif()
    endforeach()
    if(matches)
      get_property(ruleLists GLOBAL PROPERTY PM_EXPORT_RULE_${rule}_LISTS)
      list(APPEND lists ${ruleLists})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES lists)

  list(JOIN lists " " listNames)
  set(text "#module ${deliverable}\n#traits${traits}\n#lists ${listNames}\n")
  if(acceptedBits)
    string(APPEND text "#accepts-bits ${acceptedBits}\n")
  endif()
  foreach(list IN LISTS lists)
    set(listFile "${listsDir}/${list}.txt")
    if(NOT EXISTS "${listFile}")
      message(FATAL_ERROR "Export list ${listFile} is missing")
    endif()
    file(STRINGS "${listFile}" lines)
    foreach(line IN LISTS lines)
      string(STRIP "${line}" line)
      if(line STREQUAL "" OR line MATCHES "^#")
        continue()
      endif()
      set(kind R)
      if(line MATCHES "^\\?(.*)$")
        set(kind O)
        set(line "${CMAKE_MATCH_1}")
      endif()
      set(pairs ${substitutions})
      while(NOT "${pairs}" STREQUAL "")
        list(POP_FRONT pairs name type)
        string(REPLACE "\${${name}}" "${type}" line "${line}")
      endwhile()
      set(pairs ${hostNames})
      while(NOT "${pairs}" STREQUAL "")
        list(POP_FRONT pairs name hostName)
        set(before "")
        while(NOT line STREQUAL before)
          set(before "${line}")
          string(REGEX REPLACE "(^|[^A-Za-z0-9_])${name}([^A-Za-z0-9_]|$)" "\\1${hostName}\\2" line "${line}")
        endwhile()
      endwhile()
      # The demangler parts closing angle brackets: "> >".
      string(REPLACE "operator>>" "%SHIFT%" line "${line}")
      while(line MATCHES ">>")
        string(REPLACE ">>" "> >" line "${line}")
      endwhile()
      string(REPLACE "%SHIFT%" "operator>>" line "${line}")
      if(line MATCHES "\\$\\{([A-Za-z0-9_]+)\\}")
        message(FATAL_ERROR "${listFile}: no type ${CMAKE_MATCH_1} for the traits of ${deliverable}")
      endif()
      if(line MATCHES "^@polymorphic (.+)$")
        foreach(what "vtable for" "typeinfo for" "typeinfo name for")
          string(APPEND text "${kind}\t${list}\t${what} ${CMAKE_MATCH_1}\n")
        endforeach()
      else()
        string(APPEND text "${kind}\t${list}\t${line}\n")
      endif()
    endforeach()
  endforeach()
  file(CONFIGURE OUTPUT "${file}" CONTENT "${text}" @ONLY)
endfunction()
