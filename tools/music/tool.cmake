# Music: each song text assets/music/NAME.EXT.txt becomes the module
# music/NAME.EXT in the data folder, written in the format EXT names (it,
# s3m or mod), and rebuilt whenever the text or the generator changes.
set(MUSIC_ASSETS ${PROJECT_SOURCE_DIR}/assets/music)
target_compile_definitions(dorian_tools PUBLIC DORIAN_MUSIC_ASSETS="${MUSIC_ASSETS}")

add_executable(dorian_music ${CMAKE_CURRENT_LIST_DIR}/music_main.cpp)
target_link_libraries(dorian_music PRIVATE dorian_tools)

file(GLOB SONG_TEXTS CONFIGURE_DEPENDS ${MUSIC_ASSETS}/*.txt)
dorian_generate_each(music dorian_music ${DORIAN_DATA_DIR}/music "" "Writing the song" ${SONG_TEXTS})
