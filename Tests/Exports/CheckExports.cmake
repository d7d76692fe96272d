# Compares a module's dynamic symbol table with the set its traits call for.
#
#   cmake -DNM=<nm> -DMODULE=<module file> -DEXPECTED=<expected set> -P CheckExports.cmake
#
# The expected set is the file ExportRules.cmake writes for the module. Every
# required export must be there, and nothing else may be: an export of the
# system beyond the set fails, and so does anything of the C++ runtime, the
# framework, the hosts or Windows that leaks into the table. What the toolchain
# adds by itself (the linker's section symbols, the thunks of exported virtual
# operations, the instances of the runtime's templates in namespace std) is
# passed over.
cmake_minimum_required(VERSION 3.25)

foreach(var NM MODULE EXPECTED)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckExports.cmake needs -D${var}=...")
  endif()
endforeach()

# CMake lists group elements inside square brackets; demangled names may hold
# them ("[abi:cxx11]"), so they travel as tokens until printed.
macro(pm_escape var)
  string(REPLACE "[" "%LSB%" ${var} "${${var}}")
  string(REPLACE "]" "%RSB%" ${var} "${${var}}")
endmacro()
macro(pm_unescape var)
  string(REPLACE "%LSB%" "[" ${var} "${${var}}")
  string(REPLACE "%RSB%" "]" ${var} "${${var}}")
endmacro()

# What the toolchain adds by itself: the symbols the linker defines in a shared
# library, and AddressSanitizer's indicator beside every exported variable.
set(toolchainSymbols _init _fini _edata _end __bss_start __bss_start__ __end__ _bss_end__)
set(toolchainPattern "^__odr_asan[._]")

# Where an export that is not in the set comes from. The C++ runtime's names
# are told by their mangled form (namespace std, __gnu_cxx, the global
# allocation operators), whatever result type precedes them; the others by the
# name that owns the demangled export.
function(pm_origin mangled symbol out)
  string(REGEX REPLACE "^_Z(T[VTIS]|GV|TH|TW|Th[n0-9]+_|Tv[n0-9_]+_|Tc[hv][n0-9_]+_)" "" m "${mangled}")
  if(m MATCHES "^(_Z)?N?[rVKRO]*(St|Sa|Sb|Ss|Si|So|Sd|9__gnu_cxx|10__cxxabiv1)"
     OR m MATCHES "^_Z(nw|na|dl|da)"
     OR m MATCHES "^(__cxa_|__gxx_|_Unwind_|__asan|__lsan|__ubsan|__sanitizer|__interceptor_)")
    set(${out} "the C++ runtime's" PARENT_SCOPE)
    return()
  endif()
  set(s "${symbol}")
  string(REGEX REPLACE "^(vtable|VTT|typeinfo|typeinfo name|construction vtable|guard variable|TLS init function|TLS wrapper function|reference temporary #[0-9]+) for " "" s "${s}")
  string(REGEX REPLACE "^(non-virtual thunk|virtual thunk|covariant return thunk) to " "" s "${s}")
  string(REGEX MATCH "^[A-Za-z_][A-Za-z0-9_]*" owner "${s}")
  if(owner MATCHES "^(C(Pm|Qd|Zr)[A-Za-z0-9_]*|Pm[A-Za-z0-9_]*|PM[A-Za-z0-9_]*|CGoogleEarthConfig|CleanSims|PurgeDeletedSims|LoadMstnSim|LoadLegacyModule|CreateAcadSim|acrxEntryPoint|zcrxEntryPoint|odrxCreateModuleObject|operator)$")
    set(${out} "the system's" PARENT_SCOPE)
  elseif(owner MATCHES "^(C(StringT|SimpleStringT|StringArray|Time|TimeSpan|Exception|InvalidArgException|MemoryException|Object|CmdTarget|WinThread|WinApp)|framework_[a-z_]+|Afx[A-Za-z0-9_]*|SYSTEMTIME)$")
    set(${out} "the framework stand-in's" PARENT_SCOPE)
  elseif(owner MATCHES "^(Ac[A-Z][A-Za-z0-9_]*|Adesk|Acad|acrx[A-Za-z0-9_]*|acdb[A-Za-z0-9_]*|acut[A-Za-z0-9_]*|Zc[A-Z][A-Za-z0-9_]*|Zdesk|Zcad|zcrx[A-Za-z0-9_]*|Od[A-Z][A-Za-z0-9_]*|odrx[A-Za-z0-9_]*)$")
    set(${out} "the DWG host stand-in's" PARENT_SCOPE)
  elseif(owner MATCHES "^(mdl[A-Za-z0-9_]*|mstnHost[A-Za-z0-9_]*|MstnHost[A-Za-z0-9_]*|MSElement[A-Za-z0-9_]*|DPoint3d|TransElemDescr|DgnModelRef|ElementRef|ScanCriteria)$")
    set(${out} "the MicroStation stand-in's" PARENT_SCOPE)
  elseif(owner MATCHES "^(LoadLibrary[AW]?|GetModuleHandle[AW]?|GetProcAddress|FreeLibrary|DelayLoad[A-Za-z0-9_]*|_wgetenv|HINSTANCE__)$")
    set(${out} "the Windows stand-in's" PARENT_SCOPE)
  else()
    set(${out} "of no known origin" PARENT_SCOPE)
  endif()
endfunction()

# The expected set.
if(NOT EXISTS "${EXPECTED}")
  message(FATAL_ERROR "No expected set ${EXPECTED}: configure the build again")
endif()
file(READ "${EXPECTED}" text)
pm_escape(text)
string(REPLACE "\n" ";" entries "${text}")
set(required "")
set(optional "")
set(acceptedBits "")
foreach(entry IN LISTS entries)
  if(entry MATCHES "^#module (.*)$")
    set(module "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^#traits (.*)$")
    set(traits "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^#lists (.*)$")
    set(lists "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^#accepts-bits (.*)$")
    set(acceptedBits "${CMAKE_MATCH_1}")
  elseif(entry MATCHES "^([RO])\t([^\t]+)\t(.+)$")
    set(symbol "${CMAKE_MATCH_3}")
    string(MD5 key "${symbol}")
    set(list_${key} "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_1 STREQUAL "R")
      list(APPEND required "${symbol}")
    else()
      list(APPEND optional "${symbol}")
    endif()
  endif()
endforeach()
set(known ${required} ${optional})

# The module's exports, mangled and demangled, in the order of the table.
foreach(form mangled demangled)
  if(form STREQUAL "demangled")
    set(demangle -C)
  else()
    set(demangle "")
  endif()
  execute_process(COMMAND "${NM}" -D --defined-only --no-sort ${demangle} "${MODULE}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${MODULE}: ${err}")
  endif()
  pm_escape(out)
  string(REPLACE "\n" ";" lines "${out}")
  set(${form} "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] (.+)$")
      # A version node, if a version script gave one, is not part of the name.
      string(REGEX REPLACE "@@?[A-Za-z0-9_.]+$" "" symbol "${CMAKE_MATCH_1}")
      list(APPEND ${form} "${symbol}")
    endif()
  endforeach()
endforeach()
list(LENGTH mangled count)
list(LENGTH demangled demangledCount)
if(NOT count EQUAL demangledCount)
  message(FATAL_ERROR "${NM} listed ${count} symbols of ${MODULE}, and ${demangledCount} demangled")
endif()

set(exported "")
foreach(mangledName symbol IN ZIP_LISTS mangled demangled)
  if(mangledName IN_LIST toolchainSymbols OR mangledName MATCHES "${toolchainPattern}")
    continue()
  endif()
  # The instances of the C++ runtime's templates (namespace std, and the
  # runtime's own __gnu_cxx) that the code uses: the compiler emits them as
  # weak symbols of default visibility whatever the module's visibility, so
  # they are the toolchain's, not the system's. Anything else of the runtime
  # (a function or object that is not a template instance) still counts as a leak.
  if(symbol MATCHES "<")
    string(REGEX REPLACE "^_ZT[VTIS]|^_ZGV" "_Z" m "${mangledName}")
    if(m MATCHES "^_Z(N[rVKRO]*)?(St|Sa|Sb|Ss|Si|So|Sd|9__gnu_cxx)")
      continue()
    endif()
  endif()
  # A thunk of an exported virtual operation comes with the operation.
  if(symbol MATCHES "^(non-virtual thunk|virtual thunk|covariant return thunk) to (.+)$")
    if(CMAKE_MATCH_2 IN_LIST known)
      continue()
    endif()
  endif()
  string(MD5 key "${symbol}")
  set(mangled_${key} "${mangledName}")
  list(APPEND exported "${symbol}")
endforeach()
list(REMOVE_DUPLICATES exported)

# The code the module is built as: the class byte of its ELF header.
set(bitsNote "")
file(READ "${MODULE}" header LIMIT 5 HEX)
if(header MATCHES "^7f454c46(01|02)$")
  if(CMAKE_MATCH_1 STREQUAL "01")
    set(builtBits 32)
  else()
    set(builtBits 64)
  endif()
  if(traits MATCHES "BITS ([0-9]+)" AND NOT CMAKE_MATCH_1 STREQUAL builtBits
     AND NOT builtBits IN_LIST acceptedBits)
    set(bitsNote "The module is built as ${builtBits}-bit code; its traits say BITS ${CMAKE_MATCH_1}.\n")
  endif()
endif()

set(missing ${required})
if(exported)
  list(REMOVE_ITEM missing ${exported})
endif()
set(extra ${exported})
if(known)
  list(REMOVE_ITEM extra ${known})
endif()
list(SORT missing)
list(SORT extra)

if(NOT missing AND NOT extra AND NOT bitsNote)
  list(LENGTH exported count)
  message(STATUS "${module}: the ${count} exports its traits call for, and nothing else")
  return()
endif()

set(report "Exports of ${module} (${traits})\nfrom the lists: ${lists}\n${bitsNote}")
if(missing)
  list(LENGTH missing count)
  string(APPEND report "\nMissing: the traits call for these, the module does not export them (${count}):\n")
  foreach(symbol IN LISTS missing)
    string(MD5 key "${symbol}")
    string(APPEND report "  - ${symbol}    [${list_${key}}]\n")
  endforeach()
endif()
set(origins "")
foreach(symbol IN LISTS extra)
  string(MD5 key "${symbol}")
  pm_origin("${mangled_${key}}" "${symbol}" origin)
  string(MD5 key "${origin}")
  if(NOT DEFINED origin_${key})
    list(APPEND origins "${origin}")
  endif()
  list(APPEND origin_${key} "${symbol}")
endforeach()
# The system's own extras first, then the leaks by origin.
if("the system's" IN_LIST origins)
  list(REMOVE_ITEM origins "the system's")
  list(PREPEND origins "the system's")
endif()
foreach(origin IN LISTS origins)
  string(MD5 key "${origin}")
  list(LENGTH origin_${key} count)
  if(origin STREQUAL "the system's")
    string(APPEND report "\nExported beyond the set: the system's, not called for by the traits (${count}):\n")
  else()
    string(APPEND report "\nExported, not the system's: ${origin} (${count}):\n")
  endif()
  foreach(symbol IN LISTS origin_${key})
    string(APPEND report "  + ${symbol}\n")
  endforeach()
endforeach()
list(LENGTH missing missingCount)
list(LENGTH extra extraCount)
pm_unescape(report)
message("${report}")
message(FATAL_ERROR "${module}: ${missingCount} exports missing, ${extraCount} exports beyond the set")
