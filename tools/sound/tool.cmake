# Sound effects: each recipe assets/sounds/NAME.txt becomes NAME.wav in the
# data folder, rebuilt whenever the recipe or the synthesiser changes.
set(SOUND_ASSETS ${PROJECT_SOURCE_DIR}/assets/sounds)
target_compile_definitions(dorian_tools PUBLIC DORIAN_SOUND_ASSETS="${SOUND_ASSETS}")

add_executable(dorian_sound ${CMAKE_CURRENT_LIST_DIR}/sound_main.cpp)
target_link_libraries(dorian_sound PRIVATE dorian_tools)

file(GLOB SOUND_RECIPES CONFIGURE_DEPENDS ${SOUND_ASSETS}/*.txt)
set(SOUND_OUTPUTS)
foreach(recipe ${SOUND_RECIPES})
  get_filename_component(name ${recipe} NAME_WE)
  set(output ${DORIAN_DATA_DIR}/${name}.wav)
  add_custom_command(OUTPUT ${output}
    COMMAND dorian_sound ${recipe} ${output}
    DEPENDS dorian_sound ${recipe}
    COMMENT "Synthesising ${name}.wav"
    VERBATIM)
  list(APPEND SOUND_OUTPUTS ${output})
endforeach()
add_custom_target(sounds ALL DEPENDS ${SOUND_OUTPUTS})
