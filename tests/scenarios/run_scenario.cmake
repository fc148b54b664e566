# Runs one golden scenario through the driver and compares its output with the expected file.
execute_process(
  COMMAND ${DRIVER} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "driver exited with ${status}\n${errors}\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${SCRIPT}.actual "${actual}")
  message(FATAL_ERROR "output differs from ${EXPECTED}; actual output written to ${SCRIPT}.actual\n--- actual ---\n${actual}\n--- expected ---\n${expected}")
endif()
