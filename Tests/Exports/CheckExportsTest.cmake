# The export check on a library whose table is known (Fixture/ExportFixture.cpp):
# an exact set passes; a set that lacks and adds exports fails with the report.
#
#   cmake -DNM=<nm> -DFIXTURE=<library> -DCHECK=<CheckExports.cmake> -DWORK=<dir> -P CheckExportsTest.cmake
cmake_minimum_required(VERSION 3.25)

# An expected set in the form ExportRules.cmake writes: kind, list, export.
function(write_expected file)
  set(text "#module ExportFixture\n#traits TEST fixture\n#lists fixture\n")
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

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
