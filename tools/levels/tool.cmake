# Levels: each source assets/levels/levelNN.txt becomes levelN.dat in the
# data folder once every level passes its checks. The routes (without the
# creatures and with them alive) and the level maps are made on request:
#   cmake --build BUILD --target level_routes   (search routes that no longer work)
#   cmake --build BUILD --target level_maps     (redraw docs/levels/*.png)
set(LEVEL_SOURCE_DIR ${PROJECT_SOURCE_DIR}/assets/levels)
set(LEVEL_MAP_DIR ${PROJECT_SOURCE_DIR}/docs/levels)
file(GLOB LEVEL_SOURCES CONFIGURE_DEPENDS ${LEVEL_SOURCE_DIR}/level*.txt)

# The tests find the sources and the built level files through this.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/level_set.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS DORIAN_LEVEL_SOURCE_DIR="${LEVEL_SOURCE_DIR}"
  DORIAN_LEVEL_DATA_DIR="${DORIAN_DATA_DIR}")

add_executable(dorian_levels ${CMAKE_CURRENT_LIST_DIR}/levels_main.cpp)
target_link_libraries(dorian_levels PRIVATE dorian_tools)

add_executable(dorian_routes ${CMAKE_CURRENT_LIST_DIR}/routes_main.cpp)
target_link_libraries(dorian_routes PRIVATE dorian_tools)

# OSMesa first, so that the game's GL calls draw into memory; the map code in
# dorian_tools needs the offscreen context after it.
add_executable(dorian_level_maps ${CMAKE_CURRENT_LIST_DIR}/level_map_main.cpp)
target_link_libraries(dorian_level_maps PRIVATE ${OSMESA_LIB} dorian_tools dorian_offscreen)

set(LEVEL_FILES)
foreach(number RANGE 1 12)
  list(APPEND LEVEL_FILES ${DORIAN_DATA_DIR}/level${number}.dat)
endforeach()
list(APPEND LEVEL_FILES ${DORIAN_DATA_DIR}/titles.txt)
add_custom_command(
  OUTPUT ${LEVEL_FILES}
  COMMAND dorian_levels ${LEVEL_SOURCE_DIR} ${DORIAN_DATA_DIR}
  DEPENDS dorian_levels ${LEVEL_SOURCES}
  COMMENT "Checking the level sources and writing the level files"
  VERBATIM)
add_custom_target(levels ALL DEPENDS ${LEVEL_FILES})

add_custom_target(level_routes
  COMMAND dorian_routes ${LEVEL_SOURCE_DIR}
  DEPENDS dorian_routes
  COMMENT "Proving every level can be finished, without its creatures and with them"
  VERBATIM USES_TERMINAL)

add_custom_target(level_maps
  COMMAND dorian_level_maps ${LEVEL_SOURCE_DIR} ${DORIAN_DATA_DIR} ${LEVEL_MAP_DIR}
  DEPENDS dorian_level_maps levels art
  COMMENT "Drawing the level maps into docs/levels"
  VERBATIM)
