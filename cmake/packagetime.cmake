# Every file in a package carries the time of the last commit (or SOURCE_DATE_EPOCH when it
# is set), read when the package is made, so that two builds of one commit give the same
# bytes; a Windows binary's stripped header takes its time stamp from it too. Included just
# before include(CPack).
find_package(Git QUIET)
file(CONFIGURE OUTPUT cpack_time.cmake @ONLY CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND EXISTS "@GIT_EXECUTABLE@")
  execute_process(COMMAND "@GIT_EXECUTABLE@" -C "@CMAKE_SOURCE_DIR@" log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  endif()
endif()
]])
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack_time.cmake)
