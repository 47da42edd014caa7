cmake_minimum_required(VERSION 3.25)
# Fails on any #include "..." in src/ that runs upward. The layers, lowest
# first: common <- platform <- settings <- ui <- project <- tools <- app. Each
# folder may include its own headers and those of the folders listed for it.
# The platform seam stands apart from the core: it includes only itself, but
# for the entry point, which builds the Win32 platform and hands it to the app.
set(allowed_common common)
set(allowed_platform platform)
set(allowed_settings common platform settings)
set(allowed_ui ${allowed_settings} ui)
set(allowed_project ${allowed_ui} project)
set(allowed_tools ${allowed_project} tools)
set(allowed_app ${allowed_tools} app)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(offences "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  set(allowed ${allowed_${folder}})
  if(source STREQUAL "platform/win32/winmain.cpp")
    list(APPEND allowed app)
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()  # a file generated beside the build, such as the resource ids
    endif()
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(NOT target IN_LIST allowed)
      string(APPEND offences "\n  src/${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "Includes that run against the layers:${offences}")
endif()
