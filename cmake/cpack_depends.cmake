# Read by cpack before it builds the Debian package: the package depends on the
# libraries that dpkg-shlibdeps finds for the program and its window module, and on
# the packages named in CPACK_MORVANE_EXTRA_DEPENDS.
if(CPACK_GENERATOR STREQUAL "DEB")
  # dpkg-shlibdeps wants to run beside a debian/control file; an empty one will do.
  file(MAKE_DIRECTORY "${CPACK_MORVANE_WORK_DIR}/debian")
  file(TOUCH "${CPACK_MORVANE_WORK_DIR}/debian/control")
  set(arguments)
  foreach(binary IN LISTS CPACK_MORVANE_BINARIES)
    list(APPEND arguments "-e${binary}")
  endforeach()
  # Its warnings (the binaries are read from the build tree, the module's calls
  # into the program are no library's) are shown only when it fails.
  execute_process(COMMAND dpkg-shlibdeps -O ${arguments}
    WORKING_DIRECTORY "${CPACK_MORVANE_WORK_DIR}"
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT output MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${result}): ${output}${errors}")
  endif()
  set(depends "${CMAKE_MATCH_1}")
  foreach(package IN LISTS CPACK_MORVANE_EXTRA_DEPENDS)
    string(APPEND depends ", ${package}")
  endforeach()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${depends}")
endif()
