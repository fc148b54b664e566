# Runs a script the driver must refuse: status 2 and a message on stderr naming the line
# given in the script's first line as "# refused at line N".
file(STRINGS ${SCRIPT} first LIMIT_COUNT 1)
string(REGEX MATCH "line ([0-9]+)" found "${first}")
if(NOT found)
  message(FATAL_ERROR "${SCRIPT} does not say at which line it is refused")
endif()
set(line ${CMAKE_MATCH_1})
execute_process(COMMAND ${DRIVER} ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "expected status 2, got ${status}\n${err}")
endif()
if(NOT err MATCHES "line ${line}:")
  message(FATAL_ERROR "the message does not name line ${line}:\n${err}")
endif()
