# Installing the program as a desktop application (`cmake --install build --prefix P`)
# and packaging it as a Debian package (`make package`, which runs cpack).
include(GNUInstallDirs)

set(MORVANE_DATA ${CMAKE_SOURCE_DIR}/data)
set(MORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(MORVANE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/morvane)  # named after the package
# Installing (and so cpack) builds only what is installed, the program and its window
# module, not the tests and tools of the `all` target.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# The program as `morvane`, and `Morvane` beside it for the name the scripts know.
install(PROGRAMS $<TARGET_FILE:Morvane> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME morvane)
install(CODE "file(CREATE_LINK morvane
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Morvane\" SYMBOLIC)")
# The window module, found by the program in ../lib/morvane/ beside its bin/.
install(TARGETS morvane_window LIBRARY DESTINATION lib/morvane)
# A stripped install (`cmake --install --strip`, cpack) strips the program as the
# module, and both without the compiler's notes.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  foreach(file ${CMAKE_INSTALL_BINDIR}/morvane lib/morvane/Morvane-window.so)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()")
install(FILES ${MORVANE_DATA}/morvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MORVANE_DATA}/morvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.morvane.morvane.metainfo.xml)
install(FILES ${MORVANE_DATA}/icons/morvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${MORVANE_ICON_SIZES})
  install(FILES ${MORVANE_DATA}/icons/hicolor/${size}x${size}/apps/morvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The man page, compressed as Debian wants it (gzip -9n: no name, no time stamp),
# under both names of the program; the copyright notice and the changelog.
install(FILES ${MORVANE_DATA}/copyright DESTINATION ${MORVANE_DOCDIR})
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${root}/${CMAKE_INSTALL_MANDIR}/man1\" \"\${root}/${MORVANE_DOCDIR}\")
  foreach(pair \"morvane.1;${CMAKE_INSTALL_MANDIR}/man1/morvane.1.gz\" \"changelog;${MORVANE_DOCDIR}/changelog.gz\")
    list(GET pair 0 source)
    list(GET pair 1 target)
    execute_process(COMMAND gzip -9n -c \"${MORVANE_DATA}/\${source}\" OUTPUT_FILE \"\${root}/\${target}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  file(CREATE_LINK morvane.1.gz \"\${root}/${CMAKE_INSTALL_MANDIR}/man1/Morvane.1.gz\" SYMBOLIC)")

# The Debian package. Its library dependencies come from dpkg-shlibdeps, run by
# cmake/cpack_depends.cmake rather than by cpack, which would also add ldconfig
# calls for the private window module.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION 6.32c)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn outline fonts into bitmap fonts for embedded displays")
set(CPACK_PACKAGE_DESCRIPTION "Renders the characters of installed outline fonts at 1, 2 or 4 bits per pixel
and writes them as C source, SIF or XBF files; reads C, XBF and BDF fonts back.")
set(CPACK_PACKAGE_CONTACT "Morvane developers <maintainers@morvane.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/cpack_depends.cmake)
set(CPACK_MORVANE_BINARIES ${CMAKE_BINARY_DIR}/Morvane ${CMAKE_BINARY_DIR}/Morvane-window.so)
set(CPACK_MORVANE_WORK_DIR ${CMAKE_BINARY_DIR}/shlibdeps)
# The window's platform plugins (X11, Wayland) are a package of their own.
set(CPACK_MORVANE_EXTRA_DEPENDS qt6-qpa-plugins)
# A face to convert from the first run on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
include(CPack)

if(NOT MORVANE_FUZZ)
  # Installs into a temporary prefix and validates the data files, then builds the
  # package, unpacks it into a temporary root and runs the unpacked program.
  add_test(NAME Install.PrefixAndPackage
           COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR})
endif()
