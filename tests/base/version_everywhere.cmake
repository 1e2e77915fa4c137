# Every place that shows the version shows the one of project(VERSION), handed in as VERSION:
# each program's --version, the AppStream release, the Debian package, the newest entry of its
# changelog (written by hand, as a release's notes are) and the manual pages. The window's label
# and support notice are checked by orvane-app-tests against the same value.
# Run as: cmake -DVERSION=... -DSOURCE_DIR=... -DBINARY_DIR=... -DORVANECTL=... -DVMOUSE=...
#         [-DORVANE=...] -P this
if(NOT VERSION MATCHES "^[0-9]+[.][0-9]+[.][0-9]+$")
  message(FATAL_ERROR "VERSION is \"${VERSION}\", not the project's version")
endif()
set(failures "")
function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    set(failures "${failures}\n  ${what}: \"${actual}\" (expected \"${expected}\")" PARENT_SCOPE)
  endif()
endfunction()

set(programs orvanectl ${ORVANECTL} orvane-virtual-mouse ${VMOUSE})
if(ORVANE)
  list(APPEND programs orvane ${ORVANE})
endif()
while(programs)
  list(POP_FRONT programs name path)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${path} --version
    OUTPUT_VARIABLE said RESULT_VARIABLE rc TIMEOUT 30 OUTPUT_STRIP_TRAILING_WHITESPACE)
  expect("${name} --version (exit ${rc})" "${said}" "${name} ${VERSION}")
endwhile()

file(STRINGS ${BINARY_DIR}/packaging/org.orvane.Orvane.metainfo.xml releases REGEX "<release ")
string(REGEX MATCHALL "version=\"[^\"]*\"" release_versions "${releases}")
list(GET release_versions 0 newest)
expect("AppStream newest release" "${newest}" "version=\"${VERSION}\"")

file(STRINGS ${BINARY_DIR}/CPackConfig.cmake package REGEX "^set\\(CPACK_PACKAGE_VERSION ")
expect("Debian package version" "${package}" "set(CPACK_PACKAGE_VERSION \"${VERSION}\")")

file(STRINGS ${SOURCE_DIR}/packaging/changelog entries REGEX "^orvane [(]")
list(GET entries 0 newest_entry)
string(REGEX MATCH "[(][^)]*[)]" newest_entry "${newest_entry}")
expect("newest entry of packaging/changelog" "${newest_entry}" "(${VERSION})")

foreach(page orvane orvanectl orvane-virtual-mouse)
  file(STRINGS ${BINARY_DIR}/packaging/man/${page}.1 title REGEX "^[.]TH ")
  string(REGEX MATCH "\"Orvane [^\"]*\"" source "${title}")
  expect("manual page ${page}(1)" "${source}" "\"Orvane ${VERSION}\"")
endforeach()

if(failures)
  message(FATAL_ERROR "not the project's version ${VERSION}:${failures}")
endif()
message(STATUS "version ${VERSION} everywhere")
