# Checks that a DWG module calls its host by the host's own names: none of its
# undefined symbols names another DWG host family's calls or types, and it calls
# its own host at least once.
#
#   cmake -DNM=<nm> -DMODULE=<module file> -DHOST=<ACAD|BRX|ZRX> -P CheckImports.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var NM MODULE HOST)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckImports.cmake needs -D${var}=...")
  endif()
endforeach()

# A name of a family, anywhere in a demangled symbol (a class, a parameter type,
# a function), not inside a longer name of the system's (CPmAcadSim200).
set(edge "(^|[^A-Za-z0-9_])")
set(acNames "${edge}(Ac[A-Z][A-Za-z0-9_]*|Acad|Adesk|acrx[A-Za-z0-9_]*|acdb[A-Za-z0-9_]*|acut[A-Za-z0-9_]*|newAcRxClass|deleteAcRxClass)([^A-Za-z0-9_]|$)")
set(zcNames "${edge}(Zc[A-Z][A-Za-z0-9_]*|Zcad|Zdesk|zcrx[A-Za-z0-9_]*|zcdb[A-Za-z0-9_]*|zcut[A-Za-z0-9_]*|newZcRxClass|deleteZcRxClass)([^A-Za-z0-9_]|$)")
if(HOST STREQUAL "ZRX")
  set(own "${zcNames}")
  set(foreign "${acNames}")
elseif(HOST MATCHES "^(ACAD|BRX)$")
  set(own "${acNames}")
  set(foreign "${zcNames}")
else()
  message(FATAL_ERROR "CheckImports.cmake: no DWG host ${HOST}")
endif()

execute_process(COMMAND "${NM}" -D --undefined-only -C "${MODULE}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${MODULE}: ${err}")
endif()
string(REPLACE "[" "%LSB%" out "${out}")
string(REPLACE "]" "%RSB%" out "${out}")
string(REPLACE ";" "%SC%" out "${out}")
string(REPLACE "\n" ";" lines "${out}")

set(ownCount 0)
set(wrong "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^ *[A-Za-z] +" "" symbol "${line}")
  if(symbol STREQUAL "")
    continue()
  endif()
  if(symbol MATCHES "${foreign}")
    string(APPEND wrong "  ${symbol}\n")
  elseif(symbol MATCHES "${own}")
    math(EXPR ownCount "${ownCount} + 1")
  endif()
endforeach()

if(NOT wrong STREQUAL "")
  message(FATAL_ERROR "${MODULE} (host ${HOST}) imports names of another host:\n${wrong}")
endif()
if(ownCount EQUAL 0)
  message(FATAL_ERROR "${MODULE} (host ${HOST}) imports nothing of its host")
endif()
message(STATUS "${MODULE}: ${ownCount} host imports, all under the ${HOST} host's names")
