# Every file named in assets/manifest.txt is made from the art beside it by assetconv, in one
# step; the pictures, icons and cursors are then built into tasselcore.
set(ART_MANIFEST ${CMAKE_SOURCE_DIR}/assets/manifest.txt)
set(ART_DIR ${CMAKE_BINARY_DIR}/assets)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ART_MANIFEST})

set(ART_OUTPUTS)
set(ART_SOURCES)
set(ART_RESOURCES)
file(STRINGS ${ART_MANIFEST} art_lines REGEX "^[^#]")
foreach(line IN LISTS art_lines)
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(GET fields 0 output)
  list(APPEND ART_OUTPUTS ${ART_DIR}/${output})
  if(output MATCHES "\\.(bmp|ico|cur)$")
    list(APPEND ART_RESOURCES ${ART_DIR}/${output})
  endif()
  list(SUBLIST fields 2 -1 inputs)
  foreach(input IN LISTS inputs)
    if(input MATCHES "\\.(svg|png)$")
      list(APPEND ART_SOURCES ${CMAKE_SOURCE_DIR}/assets/${input})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES ART_SOURCES)

if(TASSELDAY_ASSETCONV)
  set(ART_CONVERTER ${TASSELDAY_ASSETCONV})
else()
  set(ART_CONVERTER assetconv) # a target: the step reruns when the converter changes
endif()
add_custom_command(OUTPUT ${ART_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_DIR}
  COMMAND ${ART_CONVERTER} ${ART_MANIFEST} ${CMAKE_SOURCE_DIR}/assets ${ART_DIR}
  DEPENDS ${ART_MANIFEST} ${ART_SOURCES} ${ART_CONVERTER}
  COMMENT "Making the pictures, icons and cursors from assets/"
  VERBATIM)
add_custom_target(tasselart DEPENDS ${ART_OUTPUTS})
# Format 1 records no file times, which would be the time of each build.
qt_add_resources(tasselcore "assets" PREFIX "/assets" BASE ${ART_DIR} FILES ${ART_RESOURCES}
  OPTIONS --format-version 1)
