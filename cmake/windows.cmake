# The Windows executable: a GUI program (no console window opens beside it) that carries the
# program's icon and its version information; the folder it runs from; the installer.
if(NOT WIN32)
  return()
endif()

enable_language(RC)
configure_file(${CMAKE_SOURCE_DIR}/windows/tasselday.rc.in
               ${CMAKE_BINARY_DIR}/generated/tasselday.rc @ONLY)
target_sources(tasselday PRIVATE ${CMAKE_BINARY_DIR}/generated/tasselday.rc)
# The resource script names the icon the art step makes.
target_include_directories(tasselday PRIVATE ${ART_DIR})
add_dependencies(tasselday tasselart)
set_target_properties(tasselday PROPERTIES WIN32_EXECUTABLE ON)

# Beside the program, what a Windows machine without Qt needs: the three Qt libraries, the
# platform plugin, the image plugin that reads the icons and cursors (.ico, .cur; BMP and PNG
# are Qt's own), and the compiler's runtime. No style plugin: the program draws with Fusion,
# which is part of Qt Widgets. Copied, stripped, into runtime/, where the tests find them too;
# Qt's test library and the offscreen platform the unit suite runs on go to testlibs/, on the
# tests' own path, and are never installed.
set(runtime_outputs)
function(lay_out from folder)
  get_filename_component(name ${from} NAME)
  set(to ${CMAKE_BINARY_DIR}/${folder}/${name})
  if(CMAKE_STRIP)
    set(copy ${CMAKE_STRIP} --strip-unneeded -o ${to} ${from})
  else()
    set(copy ${CMAKE_COMMAND} -E copy ${from} ${to})
  endif()
  add_custom_command(OUTPUT ${to}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${folder}
    COMMAND ${copy} DEPENDS ${from} VERBATIM)
  set(runtime_outputs ${runtime_outputs} ${to} PARENT_SCOPE)
endfunction()
function(lay_out_targets) # TARGET FOLDER ...
  while(ARGN)
    list(POP_FRONT ARGN target folder)
    get_target_property(path ${target} LOCATION)
    lay_out(${path} ${folder})
  endwhile()
  set(runtime_outputs ${runtime_outputs} PARENT_SCOPE)
endfunction()
lay_out_targets(Qt6::Core runtime Qt6::Gui runtime Qt6::Widgets runtime
  Qt6::QWindowsIntegrationPlugin runtime/platforms Qt6::QICOPlugin runtime/imageformats)
if(BUILD_TESTING)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  lay_out_targets(Qt6::Test testlibs Qt6::QOffscreenIntegrationPlugin testlibs/platforms)
endif()
if(MINGW)
  foreach(lib libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${lib}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "The compiler does not know where ${lib} is")
    endif()
    lay_out(${path} runtime)
  endforeach()
else()
  include(InstallRequiredSystemLibraries) # Visual C++'s runtime
endif()
add_custom_target(tasselruntime ALL DEPENDS ${runtime_outputs})

install(TARGETS tasselday RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/runtime/ DESTINATION .)

# The installer (NSIS, LZMA-compressed as one block) and a zip of the same folder.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Tasselday)
set(CPACK_PACKAGE_VENDOR "The Tasselday developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Countdown to the graduation ceremony")
set(CPACK_PACKAGE_FILE_NAME tasselday-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tasselday)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tasselday)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer for a 64-bit program: it runs where the program runs, 64-bit Wine included.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_DISPLAY_NAME Tasselday)
set(CPACK_NSIS_PACKAGE_NAME Tasselday)
set(CPACK_NSIS_MUI_ICON ${ART_DIR}/tasselday.ico)
set(CPACK_NSIS_MUI_UNIICON ${ART_DIR}/tasselday.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME tasselday.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
# The program sits in the installation folder itself, not in a bin folder below it.
set(CPACK_NSIS_MENU_LINKS tasselday.exe Tasselday)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(${CMAKE_SOURCE_DIR}/cmake/packagetime.cmake)
include(CPack)

# A cross build's tests run under Wine, in scratch prefixes of the build's own.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/windows/wine.sh ${CMAKE_BINARY_DIR})
endif()
