# cmake --install: the game, its data, a launcher, a menu entry, icons,
# software-centre metadata, the manual page and the licence. The same files
# in Debian's places for games make the package (packaging/debian.cmake).
include(GNUInstallDirs)
set(DORIAN_ID io.github.dorian_hazardous)
set(DORIAN_PACKAGE_DOC ${CMAKE_INSTALL_DATAROOTDIR}/doc/dorian-hazardous)

# The game, its data and its launcher: BIN_DIR/dorian-hazardous starts
# GAME_DIR/dorian in DATA_DIR. The launcher finds both relative to itself, so
# an installed tree can be moved as a whole.
function(dorian_install_game component bin_dir game_dir data_dir)
  install(TARGETS dorian RUNTIME DESTINATION ${game_dir} COMPONENT ${component} ${ARGN})
  install(DIRECTORY ${DORIAN_DATA_DIR}/ DESTINATION ${data_dir} COMPONENT ${component} ${ARGN})
  file(RELATIVE_PATH DATA_FROM_BIN /${bin_dir} /${data_dir})
  file(RELATIVE_PATH GAME_FROM_BIN /${bin_dir} /${game_dir}/dorian)
  set(launcher ${CMAKE_BINARY_DIR}/launchers/${component}/dorian-hazardous)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/dorian-hazardous.in ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${bin_dir} COMPONENT ${component} ${ARGN})
endfunction()

# A plain install puts the launcher on the usual PATH; the package follows
# Debian's layout for games and is left out of a plain install.
dorian_install_game(tree ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_LIBEXECDIR}/dorian-hazardous
                    ${CMAKE_INSTALL_DATADIR}/dorian-hazardous)
dorian_install_game(debian games ${CMAKE_INSTALL_LIBEXECDIR}/dorian-hazardous share/games/dorian-hazardous
                    EXCLUDE_FROM_ALL)

# Man pages and changelogs are read compressed; gzip -n keeps the package
# reproducible (no name or time stamp inside).
function(dorian_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$0\" >\"$1\"" ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()
configure_file(${CMAKE_CURRENT_LIST_DIR}/dorian-hazardous.6.in ${CMAKE_BINARY_DIR}/dorian-hazardous.6 @ONLY)
dorian_gzip(${CMAKE_BINARY_DIR}/dorian-hazardous.6 ${CMAKE_BINARY_DIR}/dorian-hazardous.6.gz)
dorian_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(compressed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/dorian-hazardous.6.gz
                                              ${CMAKE_BINARY_DIR}/changelog.gz)

# What both layouts share, all in the standard places under the prefix.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${DORIAN_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT shared)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${DORIAN_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT shared)
foreach(size ${DORIAN_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/dorian-hazardous-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME dorian-hazardous.png COMPONENT shared)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/dorian-hazardous.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT shared)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${DORIAN_PACKAGE_DOC} COMPONENT shared)

include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
