# Sound effects: each recipe assets/sounds/NAME.txt becomes NAME.wav in the
# data folder, rebuilt whenever the recipe or the synthesiser changes.
set(SOUND_ASSETS ${PROJECT_SOURCE_DIR}/assets/sounds)
target_compile_definitions(dorian_tools PUBLIC DORIAN_SOUND_ASSETS="${SOUND_ASSETS}")

add_executable(dorian_sound ${CMAKE_CURRENT_LIST_DIR}/sound_main.cpp)
target_link_libraries(dorian_sound PRIVATE dorian_tools)

file(GLOB SOUND_RECIPES CONFIGURE_DEPENDS ${SOUND_ASSETS}/*.txt)
dorian_generate_each(sounds dorian_sound ${DORIAN_DATA_DIR} ".wav" "Synthesising" ${SOUND_RECIPES})
