# Installing the program as a desktop application (`cmake --install build --prefix P`)
# and packaging it as a Debian package (`make package`, which runs cpack).
include(GNUInstallDirs)

set(MORVANE_DATA ${CMAKE_SOURCE_DIR}/data)
set(MORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)

# The program as `morvane`, and `Morvane` beside it for the name the scripts know.
install(PROGRAMS $<TARGET_FILE:Morvane> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME morvane)
install(CODE "file(CREATE_LINK morvane
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Morvane\" SYMBOLIC)")
# The window module, found by the program in ../lib/morvane/ beside its bin/.
install(TARGETS morvane_window LIBRARY DESTINATION lib/morvane)
install(FILES ${MORVANE_DATA}/morvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MORVANE_DATA}/morvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.morvane.morvane.metainfo.xml)
install(FILES ${MORVANE_DATA}/icons/morvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${MORVANE_ICON_SIZES})
  install(FILES ${MORVANE_DATA}/icons/hicolor/${size}x${size}/apps/morvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${MORVANE_DATA}/morvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: its library dependencies are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION 6.32c)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn outline fonts into bitmap fonts for embedded displays")
set(CPACK_PACKAGE_DESCRIPTION
    "Renders the characters of installed outline fonts at 1, 2 or 4 bits per pixel and\n"
    "writes them as C source, SIF or XBF files; reads C, XBF and BDF fonts back.")
set(CPACK_PACKAGE_CONTACT "Morvane developers <maintainers@morvane.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A face to convert from the first run on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
include(CPack)

if(NOT MORVANE_FUZZ)
  # Installs into a temporary prefix and validates the data files, then builds the
  # package, unpacks it into a temporary root and runs the unpacked program.
  add_test(NAME Install.PrefixAndPackage
           COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR})
endif()
