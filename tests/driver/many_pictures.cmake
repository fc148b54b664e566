# A script line starts only once the line before it has finished: `open frmMain` with
# thousands of pictures to find must not let the next line run inside it, so `print`
# lists every picture, however fast the machine is.
set(folder ${WORK}/pictures)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${folder})
set(count 2500)
foreach(i RANGE 1 ${count})
  file(COPY_FILE ${PICTURE} ${folder}/p${i}.jpg)
endforeach()
file(WRITE ${WORK}/many.script "folder ${folder}\nopen frmMain\nprint frmMain.List2\n")
execute_process(COMMAND ${DRIVER} ${WORK}/many.script
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "driver exited with ${status}\n${err}")
endif()
string(REGEX MATCHALL "p[0-9]+\\.jpg" names "${out}")
list(LENGTH names found)
if(NOT found EQUAL count)
  message(FATAL_ERROR "the script saw ${found} of ${count} pictures")
endif()
file(REMOVE_RECURSE ${WORK})
