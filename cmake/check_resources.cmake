cmake_minimum_required(VERSION 3.25)
# Checks the resources linked into Korvel.exe, read back from the program with
# windres: the version Explorer shows is the project's, the program icon is
# there, and the manifest is well-formed XML that asks for no elevation, names
# the Windows versions we support, asks for the UTF-8 code page and per-monitor
# DPI awareness (v2, system DPI before it). Windows
# refuses to start a program whose manifest does not parse; Wine starts it all
# the same.
foreach(var WINDRES XMLLINT PROGRAM VERSION WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${WINDRES}" -i "${PROGRAM}" -O rc OUTPUT_VARIABLE rc RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres could not read the resources of ${PROGRAM}")
endif()

set(failures "")
function(expect regex what)
  if(NOT rc MATCHES "${regex}")
    set(failures "${failures}\n  ${what}" PARENT_SCOPE)
  endif()
endfunction()

string(REPLACE "." ", " numbers "${VERSION}")
expect("FILEVERSION ${numbers}, 0\n" "FILEVERSION ${numbers}, 0")
expect("PRODUCTVERSION ${numbers}, 0\n" "PRODUCTVERSION ${numbers}, 0")
expect("VALUE \"FileVersion\", \"${VERSION}\"" "FileVersion ${VERSION}")
expect("VALUE \"ProductVersion\", \"${VERSION}\"" "ProductVersion ${VERSION}")
expect("VALUE \"FileDescription\", \"KORVEL Launcher\"" "FileDescription KORVEL Launcher")
expect("VALUE \"ProductName\", \"KORVEL\"" "ProductName KORVEL")
expect("\n1 14 /\\* RT_GROUP_ICON \\*/" "the program icon (icon group 1)")

# The manifest comes back as quoted lines; undo the quoting to get the XML.
string(REGEX MATCH "\n1 24 /\\* RT_MANIFEST \\*/\nBEGIN\n(.*)" manifest_block "${rc}")
set(manifest "")
if(manifest_block)
  string(REGEX REPLACE "\nEND\n.*" "" quoted "${CMAKE_MATCH_1}")
  string(REGEX MATCHALL "\"[^\n]*\"" lines "${quoted}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^\"(.*)\"$" "\\1" line "${line}")
    string(REPLACE "\"\"" "\"" line "${line}")
    string(REPLACE "\\n" "\n" line "${line}")
    string(APPEND manifest "${line}")
  endforeach()
endif()
if(manifest STREQUAL "")
  string(APPEND failures "\n  the application manifest (resource 1 of type 24)")
else()
  file(WRITE "${WORK_DIR}/Korvel.exe.manifest" "${manifest}")
  execute_process(COMMAND "${XMLLINT}" --noout "${WORK_DIR}/Korvel.exe.manifest" ERROR_VARIABLE xml_errors
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    string(APPEND failures "\n  a well-formed manifest: ${xml_errors}")
  endif()
  foreach(needed
      "level=\"asInvoker\""
      "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
      "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, system</dpiAwareness>"
      "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>"
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"   # Windows 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"   # Windows 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"   # Windows 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")  # Windows 10 and 11
    string(FIND "${manifest}" "${needed}" at)
    if(at EQUAL -1)
      string(APPEND failures "\n  ${needed} in the manifest")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "${PROGRAM} lacks:${failures}")
endif()
message(STATUS "${PROGRAM}: version ${VERSION}, icon and manifest present")
