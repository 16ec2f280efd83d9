# A Debian package of what `cmake --install` puts in place:
#
#   cmake -S . -B b -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build b --target zarvo && (cd b && cpack -G DEB)
#
# makes b/zarvo_<version>_<arch>.deb. The package installs under the
# prefix the build was configured with.
set(CPACK_PACKAGE_NAME zarvo)
set(CPACK_PACKAGE_VENDOR "The Zarvo authors")
set(CPACK_PACKAGE_CONTACT "${ZARVO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "brick-breaker game with a paddle, a ball and falling coins")
set(CPACK_PACKAGE_DESCRIPTION
    "A paddle slides along the bottom of the field under the arrow keys or a
joystick, and a red ball breaks every brick it touches; where the ball meets
the paddle sets how fast it leaves sideways. Coins worth 50, 100 and 150
points fall from the top, eight walls come back ever harder, and the ten
best results are kept. The game's texts are in Italian.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
# The install rules run with DESTDIR pointing into the package and the
# real prefix as CMAKE_INSTALL_PREFIX, so that the desktop entry written
# while installing names the launcher where it will really lie.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
# Only what the build installs: no other project's rules.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZARVO_HOME_PAGE}")
# The libraries' packages come from dpkg-shlibdeps; the fonts are read
# through fontconfig at run time, which no library dependency brings.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# Owned by root, with the permissions Debian expects of folders.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
