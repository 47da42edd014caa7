cmake_minimum_required(VERSION 3.25)
# Lays out an installation folder the way the package installs itself:
#   ROOT/Exe  Korvel.exe, the package programs, the help file, Uir icons, Wav sounds
#   ROOT/Dat  sample Geometry and Loading files
#   ROOT/Doc  the user's guide
# The package programs are the stand-in, copied under each name in PROGRAMS.
foreach(var ROOT KORVEL_EXE STANDIN_EXE ASSETS_ROOT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${ROOT}")
file(COPY "${ASSETS_ROOT}/" DESTINATION "${ROOT}")
file(MAKE_DIRECTORY "${ROOT}/Exe" "${ROOT}/Dat" "${ROOT}/Doc")
file(COPY_FILE "${KORVEL_EXE}" "${ROOT}/Exe/Korvel.exe")
string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  file(COPY_FILE "${STANDIN_EXE}" "${ROOT}/Exe/${program}")
endforeach()
message(STATUS "Installation laid out in ${ROOT}")
