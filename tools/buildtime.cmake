# Writes the source file that tells the program when it was built, run by the build
# (not by CMake's configuration) as: cmake -DOUTPUT=<file> -P buildtime.cmake
# The time is now, or SOURCE_DATE_EPOCH when that is set (string(TIMESTAMP) honours
# it), so that two builds of one source give identical programs and C files. The
# file is left alone when its text would not change, which spares a rebuild.
if(NOT OUTPUT)
  message(FATAL_ERROR "buildtime.cmake: OUTPUT not given")
endif()
string(TIMESTAMP epoch "%s" UTC)
set(text "// Written by tools/buildtime.cmake when the program is built.\n#include <ctime>\n\nstd::time_t OUT_GetBuildTime();\nstd::time_t OUT_GetBuildTime() { return ${epoch}; }\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
