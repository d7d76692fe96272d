# The export check on a library whose table is known (Fixture/ExportFixture.cpp):
# an exact set passes; a set that lacks and adds exports fails with the report.
#
#   cmake -DNM=<nm> -DFIXTURE=<library> -DCHECK=<CheckExports.cmake> -DWORK=<dir> -P CheckExportsTest.cmake
cmake_minimum_required(VERSION 3.25)

# An expected set in the form ExportRules.cmake writes: kind, list, export.
# HEADER_TRAITS and HEADER_EXTRA, when set, give the traits and further header lines.
function(write_expected file)
  if(NOT DEFINED HEADER_TRAITS)
    set(HEADER_TRAITS "TEST fixture")
  endif()
  set(text "#module ExportFixture\n#traits ${HEADER_TRAITS}\n#lists fixture\n${HEADER_EXTRA}")
  foreach(entry IN LISTS ARGN)
    string(REGEX REPLACE "^([RO]) " "\\1\tfixture\t" entry "${entry}")
    string(APPEND text "${entry}\n")
  endforeach()
  file(WRITE "${file}" "${text}")
endfunction()

function(run_check expected rcOut stdoutOut stderrOut)
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DNM=${NM}" "-DMODULE=${FIXTURE}" "-DEXPECTED=${expected}" -P "${CHECK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${rcOut} "${rc}" PARENT_SCOPE)
  set(${stdoutOut} "${out}" PARENT_SCOPE)
  set(${stderrOut} "${err}" PARENT_SCOPE)
endfunction()

set(failures "")
macro(expect_equal what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    string(APPEND failures "${what}:\n--- got\n${actual}\n--- wanted\n${wanted}\n")
  endif()
endmacro()

set(classes
  "R CPmFixtureBase::~CPmFixtureBase()"
  "R CPmFixtureBase::Value() const"
  "R vtable for CPmFixtureBase"
  "R typeinfo for CPmFixtureBase"
  "R typeinfo name for CPmFixtureBase"
  "R CPmFixtureSide::~CPmFixtureSide()"
  "R CPmFixtureSide::Side()"
  "R vtable for CPmFixtureSide"
  "R typeinfo for CPmFixtureSide"
  "R typeinfo name for CPmFixtureSide"
  "R CPmFixture::~CPmFixture()"
  "R CPmFixture::s_count"
  "R vtable for CPmFixture"
  "R typeinfo for CPmFixture"
  "R typeinfo name for CPmFixture"
  "R CleanFixture()")

# Every export listed (the leak names too), the thunks left to the toolchain,
# an optional export absent: a pass.
write_expected("${WORK}/exact.exports" ${classes}
  "R CPmFixture::Side()"
  "R __gnu_cxx::FixtureLeak()"
  "R CTime::Now()"
  "R acdbFixtureCall()"
  "O CPmFixture::CPmFixture()")
run_check("${WORK}/exact.exports" rc out err)
expect_equal("exact set, exit code" "${rc}" "0")
expect_equal("exact set, output" "${out}" "-- ExportFixture: the 20 exports its traits call for, and nothing else\n")

# One export missing; one not called for, which takes its thunk along; the
# three leaks by origin.
write_expected("${WORK}/wrong.exports" ${classes} "R CPmFixture::Missing()")
run_check("${WORK}/wrong.exports" rc out err)
expect_equal("wrong set, exit code" "${rc}" "1")
string(FIND "${err}" "CMake Error" end)
string(SUBSTRING "${err}" 0 ${end} report)
expect_equal("wrong set, report" "${report}" [[
Exports of ExportFixture (TEST fixture)
from the lists: fixture

Missing: the traits call for these, the module does not export them (1):
  - CPmFixture::Missing()    [fixture]

Exported beyond the set: the system's, not called for by the traits (2):
  + CPmFixture::Side()
  + non-virtual thunk to CPmFixture::Side()

Exported, not the system's: the framework stand-in's (1):
  + CTime::Now()

Exported, not the system's: the C++ runtime's (1):
  + __gnu_cxx::FixtureLeak()

Exported, not the system's: the DWG host stand-in's (1):
  + acdbFixtureCall()

]])
if(NOT err MATCHES "ExportFixture: 1 exports missing, 5 exports beyond the set")
  string(APPEND failures "wrong set, summary missing from:\n${err}\n")
endif()

# A module whose traits say BITS 32, built as 64-bit code: refused, unless the
# set accepts that bitness (a 64-bit build that still compiles it as 64-bit).
file(READ "${FIXTURE}" header LIMIT 5 HEX)
if(header STREQUAL "7f454c4602")
  set(HEADER_TRAITS "TEST fixture BITS 32")
  write_expected("${WORK}/bits.exports" ${classes}
    "R CPmFixture::Side()" "R __gnu_cxx::FixtureLeak()" "R CTime::Now()" "R acdbFixtureCall()")
  run_check("${WORK}/bits.exports" rc out err)
  expect_equal("other bitness, exit code" "${rc}" "1")
  if(NOT err MATCHES "The module is built as 64-bit code; its traits say BITS 32")
    string(APPEND failures "other bitness, note missing from:\n${err}\n")
  endif()
  set(HEADER_EXTRA "#accepts-bits 64\n")
  write_expected("${WORK}/bits-accepted.exports" ${classes}
    "R CPmFixture::Side()" "R __gnu_cxx::FixtureLeak()" "R CTime::Now()" "R acdbFixtureCall()")
  run_check("${WORK}/bits-accepted.exports" rc out err)
  expect_equal("accepted bitness, exit code" "${rc}" "0")
  unset(HEADER_TRAITS)
  unset(HEADER_EXTRA)
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
