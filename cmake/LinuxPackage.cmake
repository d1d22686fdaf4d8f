# The Debian package of tessel-x11 (cpack -G DEB from a release build):
# the program where XScreenSaver runs its display programs and its option
# description where xscreensaver-settings reads them.
set(CPACK_PACKAGE_NAME tessel-x11)
set(CPACK_PACKAGE_VENDOR "Tessel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tessel cellular-automaton screen saver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION "A cellular automaton of birth-and-decay rules fills the screen.\n\
Scenes and settings are kept in ~/.config/tessel/Tessel.dat, the same file\n\
as the Windows saver's.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only the X11 front end goes into this package, whatever else installs.
set(CPACK_COMPONENTS_ALL x11)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The address the project's history is written under.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessel maintainers <maintainers@users.noreply.c-seed-9006ff24.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
find_program(TESSEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TESSEL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libx11-6, libxext6")
endif()
include(CPack)
