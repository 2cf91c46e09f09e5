# cpack -G DEB in the build folder: dorian-hazardous_<version>_<arch>.deb with
# the game in Debian's places for games and the shared files beside it.
set(DORIAN_MAINTAINER "Dorian Hazardous developers <dorian-hazardous@users.noreply.github.com>"
    CACHE STRING "The package's Maintainer field")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorian-hazardous)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL shared debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# Folders as Debian wants them (755), whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME dorian-hazardous)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DORIAN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://dorian-hazardous.github.io/)
# The libraries the game links, as dpkg-shlibdeps reads them from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "side-scrolling platform shooter in four eras
Run, jump, climb, swim and shoot through twelve tile-based levels in four
eras: present day, post-apocalyptic, prehistoric and futuristic. The hero
has an unlimited straight shot and a few precious shots aimed with the
mouse, six lives, checkpoints and pick-ups. Plays with keyboard and mouse
or a gamepad, full screen or in a window.")

include(CPack)
