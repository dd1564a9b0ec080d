# Runs one scenario: a fresh working folder, the scenario's files copied in, the driver run on
# the script there, and its standard output and exit status compared with the expected ones.
# Usage: cmake -DDRIVER=... -DSCENARIO=<folder>/<name> -DWORK=<folder> [-DEMULATOR=...] -P run_scenario.cmake
foreach(var DRIVER SCENARIO WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_scenario.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(IS_DIRECTORY "${SCENARIO}.files")
  file(COPY "${SCENARIO}.files/" DESTINATION "${WORK}")
endif()

# Nothing of the machine running the tests may leak into a scenario: the user folders point
# into the working folder, under names a scenario's files can provide.
set(ENV{APPDATA} "appdata")
set(ENV{LOCALAPPDATA} "localappdata")
set(ENV{HOME} "home")
unset(ENV{XDG_DATA_HOME})
unset(ENV{SG_JOB_RUNNER})

if(EMULATOR)
  # The Windows driver runs under Wine, which gives every program the prefix's own user folders:
  # the command processor sets the scenario's folders for the driver, as a user's shell would.
  # Its console writes lines that end in CR LF.
  string(REPLACE "/" "\\" driver_path "Z:${DRIVER}")
  execute_process(COMMAND ${EMULATOR} cmd /c
                          "set APPDATA=appdata&& set LOCALAPPDATA=localappdata&& ${driver_path} ${SCENARIO}.script"
                  WORKING_DIRECTORY "${WORK}"
                  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
  string(REPLACE "\r\n" "\n" actual "${actual}")
  # The saves folder is spelt with the system's own separator.
  set(windows_expected TRUE)
else()
  execute_process(COMMAND "${DRIVER}" "${SCENARIO}.script"
                  WORKING_DIRECTORY "${WORK}"
                  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
endif()

set(expected_status 0)
if(EXISTS "${SCENARIO}.status")
  file(STRINGS "${SCENARIO}.status" expected_status LIMIT_COUNT 1)
  string(STRIP "${expected_status}" expected_status)
endif()

set(expected "")
if(EXISTS "${SCENARIO}.expected")
  file(READ "${SCENARIO}.expected" expected)
  if(windows_expected)
    string(REPLACE "appdata/.minecraft/saves/" "appdata\\.minecraft\\saves\\" expected "${expected}")
  endif()
endif()

set(failed "")
if(NOT "${actual}" STREQUAL "${expected}")
  file(WRITE "${WORK}.actual" "${actual}")
  set(diff_text "")
  find_program(DIFF diff)
  if(DIFF AND EXISTS "${SCENARIO}.expected")
    execute_process(COMMAND "${DIFF}" -u "${SCENARIO}.expected" "${WORK}.actual"
                    OUTPUT_VARIABLE diff_text)
  else()
    set(diff_text "actual output:\n${actual}")
  endif()
  set(failed "standard output differs from ${SCENARIO}.expected (actual in ${WORK}.actual):\n${diff_text}")
endif()
if(NOT "${status}" STREQUAL "${expected_status}")
  set(failed "${failed}exit status ${status}, expected ${expected_status}\n")
endif()
if(failed)
  # NOTICE prints the text as it stands; an error message would be re-wrapped.
  message(NOTICE "${failed}driver's standard error:\n${errors}")
  message(FATAL_ERROR "scenario ${SCENARIO} failed")
endif()
