# Installs the build into a scratch prefix and checks what lands there: the program, the
# desktop entry, the AppStream file and the icons, each PNG at the size its folder names.
# Then validates the desktop entry and the AppStream file when the validators are present.
#
# cmake -DBUILD_DIR=… -DPREFIX=… -DDATADIR=share -DBINDIR=bin
#       [-DDESKTOP_FILE_VALIDATE=…] [-DAPPSTREAMCLI=…] -P CheckInstall.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR PREFIX DATADIR BINDIR)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "CheckInstall: ${var} not given")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed (${status}):\n${out}")
endif()

set(desktop "${PREFIX}/${DATADIR}/applications/sumiplex.desktop")
set(metainfo "${PREFIX}/${DATADIR}/metainfo/io.github.sumiplex.Sumiplex.metainfo.xml")
set(icons "${PREFIX}/${DATADIR}/icons/hicolor")
set(expected
  "${PREFIX}/${BINDIR}/sumiplex" "${desktop}" "${metainfo}"
  "${icons}/scalable/apps/sumiplex.svg")
foreach(size 48 128 256)
  list(APPEND expected "${icons}/${size}x${size}/apps/sumiplex.png")
endforeach()

set(problems "")
foreach(path ${expected})
  if(NOT EXISTS "${path}")
    string(APPEND problems "missing: ${path}\n")
  endif()
endforeach()
if(EXISTS "${PREFIX}/${BINDIR}/sumiplex" AND NOT IS_DIRECTORY "${PREFIX}/${BINDIR}/sumiplex")
  file(READ "${PREFIX}/${BINDIR}/sumiplex" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    string(APPEND problems "not an executable: ${PREFIX}/${BINDIR}/sumiplex\n")
  endif()
endif()

# A PNG holds its width and height as big-endian 32-bit numbers at bytes 16 to 23.
foreach(size 48 128 256)
  set(png "${icons}/${size}x${size}/apps/sumiplex.png")
  if(EXISTS "${png}")
    file(READ "${png}" signature LIMIT 8 HEX)
    file(READ "${png}" dimensions OFFSET 16 LIMIT 8 HEX)
    math(EXPR want "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${want}" 2 -1 want)
    string(LENGTH "${want}" len)
    math(EXPR pad "8 - ${len}")
    string(REPEAT "0" ${pad} zeros)
    set(want "${zeros}${want}")
    if(NOT signature STREQUAL "89504e470d0a1a0a")
      string(APPEND problems "not a PNG: ${png}\n")
    elseif(NOT dimensions STREQUAL "${want}${want}")
      string(APPEND problems "${png} is not ${size}x${size} (header ${dimensions})\n")
    endif()
  endif()
endforeach()

if(EXISTS "${desktop}")
  file(STRINGS "${desktop}" lines)
  foreach(line "Exec=sumiplex" "Icon=sumiplex")
    if(NOT line IN_LIST lines)
      string(APPEND problems "${desktop} lacks ${line}\n")
    endif()
  endforeach()
endif()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "install layout:\n${problems}")
endif()
message(STATUS "install layout complete under ${PREFIX}")

set(skipped "")
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  # The validator also reports hints on success; only its exit status decides.
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate:\n${out}")
  endif()
else()
  string(APPEND skipped " desktop-file-validate")
endif()
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --explain "${metainfo}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate:\n${out}")
  endif()
else()
  string(APPEND skipped " appstreamcli")
endif()
if(NOT skipped STREQUAL "")
  message("validator not installed:${skipped}")
endif()
