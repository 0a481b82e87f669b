# The Windows executable: a GUI program (no console window opens beside it) that carries the
# program's icon and its version information.
if(WIN32)
  enable_language(RC)
  configure_file(${CMAKE_SOURCE_DIR}/windows/tasselday.rc.in
                 ${CMAKE_BINARY_DIR}/generated/tasselday.rc @ONLY)
  target_sources(tasselday PRIVATE ${CMAKE_BINARY_DIR}/generated/tasselday.rc)
  # The resource script names the icon the art step makes.
  target_include_directories(tasselday PRIVATE ${ART_DIR})
  add_dependencies(tasselday tasselart)
  set_target_properties(tasselday PROPERTIES WIN32_EXECUTABLE ON)
endif()
