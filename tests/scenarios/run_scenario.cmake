# Runs one golden scenario through the driver and compares its output with the expected
# file. On a difference the actual output is kept beside the test's working folder and a
# unified diff is shown. With PRLIMIT and LIMIT the driver runs under that file-size limit
# (prlimit --fsize): a write past it must fail and be reported, and the signal such a write
# raises must not end the driver.
set(launcher)
if(PRLIMIT)
  set(launcher ${PRLIMIT} --fsize=${LIMIT})
endif()
execute_process(
  COMMAND ${launcher} ${DRIVER} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "driver exited with ${status}\n${errors}\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  get_filename_component(name ${SCRIPT} NAME_WE)
  set(kept ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
  file(WRITE ${kept} "${actual}")
  # The diff goes straight to the output: a CMake message would fold its blanks.
  find_program(DIFF diff)
  if(DIFF)
    execute_process(COMMAND ${DIFF} -u ${EXPECTED} ${kept})
  endif()
  message(FATAL_ERROR "output differs from ${EXPECTED}; actual output kept in ${kept}")
endif()
