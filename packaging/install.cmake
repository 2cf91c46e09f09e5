# cmake --install: the game, its data, a launcher, a menu entry and icons.
include(GNUInstallDirs)
set(DORIAN_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/dorian-hazardous)
set(DORIAN_INSTALL_GAME ${CMAKE_INSTALL_LIBEXECDIR}/dorian-hazardous)

install(TARGETS dorian RUNTIME DESTINATION ${DORIAN_INSTALL_GAME})
install(DIRECTORY ${DORIAN_DATA_DIR}/ DESTINATION ${DORIAN_INSTALL_DATA})

# The launcher finds the game and its data relative to itself, so the
# installed tree can be moved as a whole.
file(RELATIVE_PATH DATA_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${DORIAN_INSTALL_DATA})
file(RELATIVE_PATH GAME_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${DORIAN_INSTALL_GAME}/dorian)
configure_file(${CMAKE_CURRENT_LIST_DIR}/dorian-hazardous.in ${CMAKE_BINARY_DIR}/dorian-hazardous @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/dorian-hazardous DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/dorian-hazardous.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size ${DORIAN_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/dorian-hazardous-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME dorian-hazardous.png)
endforeach()
