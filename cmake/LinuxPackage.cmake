# The Debian packages (cpack -G DEB from a release build), one per front
# end, as each needs its own window system's libraries and nothing of the
# other's: tessel-x11, the program where XScreenSaver runs its display
# programs and its option description where xscreensaver-settings reads
# them; tessel-wayland, the layer-shell program for Wayland compositors.
set(CPACK_PACKAGE_NAME tessel)
set(CPACK_PACKAGE_VENDOR "Tessel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each package's description, its summary first, is its component's below
# (a common summary would be put before both).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only the front ends go into packages, whatever else installs.
set(CPACK_COMPONENTS_ALL x11 wayland)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_X11_PACKAGE_NAME tessel-x11)
set(CPACK_DEBIAN_WAYLAND_PACKAGE_NAME tessel-wayland)
set(CPACK_DEBIAN_WAYLAND_DESCRIPTION "Tessel cellular-automaton screen saver for Wayland compositors\n\
A cellular automaton of birth-and-decay rules fills every output, as a\n\
layer-shell overlay started by an idle daemon (swayidle, hypridle) or as\n\
swaylock-plugin's animated background. Scenes and settings are kept in\n\
~/.config/tessel/Tessel.dat, the same file as the Windows saver's.")
set(CPACK_DEBIAN_X11_DESCRIPTION "Tessel cellular-automaton screen saver for XScreenSaver\n\
A cellular automaton of birth-and-decay rules fills the screen.\n\
Scenes and settings are kept in ~/.config/tessel/Tessel.dat, the same file\n\
as the Windows saver's.")
# The address the project's history is written under.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessel maintainers <maintainers@users.noreply.c-seed-9006ff24.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_X11_PACKAGE_RECOMMENDS xscreensaver)
set(CPACK_DEBIAN_WAYLAND_PACKAGE_SUGGESTS "swayidle | hypridle | swaylock-plugin")
find_program(TESSEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TESSEL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_X11_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libx11-6, libxext6")
  set(CPACK_DEBIAN_WAYLAND_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libwayland-client0")
endif()
include(CPack)
