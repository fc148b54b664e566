# The Debian package: `cpack -G DEB` in a build folder makes sumiplex_<version>_<arch>.deb
# from what the install rules put under /usr, plus the manual pages, the copyright file and
# the changelog that Debian asks of every package.

include(GNUInstallDirs)

set(SUMIPLEX_PACKAGE_MAINTAINER "Sumiplex developers <sumiplex@users.noreply.github.com>"
  CACHE STRING "Maintainer written into the Debian package")

# Debian wants manual pages and changelogs compressed, without the file's name and time in
# the gzip header, so the same sources always give the same package.
find_program(SUMIPLEX_GZIP gzip REQUIRED)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
set(man_en ${packaging_out}/man/sumiplex.1.gz)
set(man_ja ${packaging_out}/man/ja/sumiplex.1.gz)
set(changelog_gz ${packaging_out}/changelog.gz)
set(compressed "")
foreach(pair
    "${PROJECT_SOURCE_DIR}/resources/man/sumiplex.1|${man_en}"
    "${PROJECT_SOURCE_DIR}/resources/man/ja/sumiplex.1|${man_ja}"
    "${PROJECT_SOURCE_DIR}/resources/package/changelog|${changelog_gz}")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  get_filename_component(target_dir ${target} DIRECTORY)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${target_dir}
    COMMAND ${SUMIPLEX_GZIP} -9 -n -c ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${target})
endforeach()
add_custom_target(package_docs ALL DEPENDS ${compressed})

install(FILES ${man_en} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${man_ja} DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
# Debian looks for these under the package's name, not the project's.
install(FILES ${changelog_gz} ${PROJECT_SOURCE_DIR}/resources/package/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sumiplex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sumiplex)
set(CPACK_PACKAGE_VENDOR "Sumiplex developers")
set(CPACK_PACKAGE_CONTACT "${SUMIPLEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://sumiplex.github.io/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adding-machine calculator with a history tape")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A binary with its symbol table is an error to Debian's checker; the debug build's too.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SUMIPLEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CJK fonts draw the Japanese captions; without them every caption is boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Sumiplex is a desktop calculator for Japanese users that works like an
adding machine: every figure typed with a trailing operator changes a
running total and is written to a history tape kept on disk.
.
It shows the total with consumption tax added and contained, reads large
totals in Japanese four-digit groups and converts between dollars and yen.
A memo pad and tools for notes and coins, dates, ages, times, units, tax by
rate and margins come with it.")
include(CPack)
