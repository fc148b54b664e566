# Runs an event script through the driver under a file-size limit (prlimit --fsize=LIMIT)
# and compares its output with the expected file. A write past the limit must fail and be
# reported; the driver must not be ended by the signal such a write raises.
execute_process(
  COMMAND ${PRLIMIT} --fsize=${LIMIT} ${DRIVER} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "driver exited with ${status}\n${errors}\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${actual}")
endif()
