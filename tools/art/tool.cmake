# The game's pictures: dorian_art turns the text sources in assets/art into BMP files.
set(ART_SOURCE_DIR ${CMAKE_SOURCE_DIR}/assets/art)
file(GLOB ART_SOURCES CONFIGURE_DEPENDS ${ART_SOURCE_DIR}/*.txt)
set(ART_PICTURES blocks1a dorin3 enemy2 enemy3 blocks2 blocks3 big tiger flares items snake tribe
    flies background5 background9 font ottologo4)
list(TRANSFORM ART_PICTURES PREPEND ${DORIAN_DATA_DIR}/)
list(TRANSFORM ART_PICTURES APPEND .bmp)
set(ART_CONTACT_SHEET ${CMAKE_BINARY_DIR}/contact_sheet.png)

add_executable(dorian_art ${CMAKE_CURRENT_SOURCE_DIR}/art/art_main.cpp)
target_link_libraries(dorian_art PRIVATE dorian_tools)

# The tests find the sources through this.
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/art/art_paths.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS DORIAN_ART_SOURCE_DIR="${ART_SOURCE_DIR}")

add_custom_command(
  OUTPUT ${ART_PICTURES} ${ART_CONTACT_SHEET}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DORIAN_DATA_DIR}
  COMMAND dorian_art ${ART_SOURCE_DIR} ${DORIAN_DATA_DIR} --contact ${ART_CONTACT_SHEET}
  DEPENDS dorian_art ${ART_SOURCES}
  COMMENT "Drawing the game's pictures"
  VERBATIM)
add_custom_target(art ALL DEPENDS ${ART_PICTURES} ${ART_CONTACT_SHEET})
