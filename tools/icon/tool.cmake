# The desktop icon, cut by our own tool from the hero sheet the art tool draws.
add_executable(dorian_icon ${CMAKE_CURRENT_SOURCE_DIR}/icon/icon_main.cpp)
target_link_libraries(dorian_icon PRIVATE dorian_tools)

set(DORIAN_ICONS)
foreach(size ${DORIAN_ICON_SIZES})
  set(icon ${CMAKE_BINARY_DIR}/icons/dorian-hazardous-${size}.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
    COMMAND dorian_icon ${DORIAN_DATA_DIR}/dorin3.bmp ${size} ${icon}
    DEPENDS dorian_icon ${DORIAN_DATA_DIR}/dorin3.bmp
    COMMENT "Cutting the ${size} pixel icon"
    VERBATIM)
  list(APPEND DORIAN_ICONS ${icon})
endforeach()
add_custom_target(icons ALL DEPENDS ${DORIAN_ICONS})
