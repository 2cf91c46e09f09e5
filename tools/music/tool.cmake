# Music: each song text assets/music/NAME.EXT.txt becomes the module
# music/NAME.EXT in the data folder, written in the format EXT names (it,
# s3m or mod), and rebuilt whenever the text or the generator changes.
set(MUSIC_ASSETS ${PROJECT_SOURCE_DIR}/assets/music)
target_compile_definitions(dorian_tools PUBLIC DORIAN_MUSIC_ASSETS="${MUSIC_ASSETS}")

add_executable(dorian_music ${CMAKE_CURRENT_LIST_DIR}/music_main.cpp)
target_link_libraries(dorian_music PRIVATE dorian_tools)

file(GLOB SONG_TEXTS CONFIGURE_DEPENDS ${MUSIC_ASSETS}/*.txt)
set(MUSIC_OUTPUTS)
foreach(song ${SONG_TEXTS})
  get_filename_component(file ${song} NAME)
  string(REGEX REPLACE "\\.txt$" "" module ${file})
  set(output ${DORIAN_DATA_DIR}/music/${module})
  add_custom_command(OUTPUT ${output}
    COMMAND dorian_music ${song} ${output}
    DEPENDS dorian_music ${song}
    COMMENT "Writing music/${module}"
    VERBATIM)
  list(APPEND MUSIC_OUTPUTS ${output})
endforeach()
add_custom_target(music ALL DEPENDS ${MUSIC_OUTPUTS})
