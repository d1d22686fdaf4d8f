# Flags shared by every target of the project.
add_library(tessel_options INTERFACE)
target_compile_options(tessel_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_include_directories(tessel_options INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
target_compile_definitions(tessel_options INTERFACE
  TESSEL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  TESSEL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  TESSEL_VERSION_BUILD=${PROJECT_VERSION_PATCH}
  TESSEL_VERSION_REVISION=${PROJECT_VERSION_TWEAK})

if(WIN32)
  target_compile_definitions(tessel_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601 WINVER=0x0601)
  # No MinGW DLLs beside the program: the runtime libraries are linked in.
  target_link_options(tessel_options INTERFACE -static -static-libgcc -static-libstdc++)
  # The same sources give the same program, wherever they and the build
  # folder lie and whenever it is linked: no link time in the PE header,
  # no absolute paths in what the compiler writes.
  target_link_options(tessel_options INTERFACE -Wl,--no-insert-timestamp)
  target_compile_options(tessel_options INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "i686|x86$")
    target_compile_options(tessel_options INTERFACE -msse2 -mfpmath=sse -march=pentium4 -mtune=generic)
  endif()
endif()

if(TESSEL_SANITIZE)
  target_compile_options(tessel_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  target_link_options(tessel_options INTERFACE -fsanitize=address,undefined)
endif()

# The version numbers live in one place (project() above); the resource
# compiler and the native build both read them from this header.
configure_file(${PROJECT_SOURCE_DIR}/cmake/tessel_version.h.in
  ${PROJECT_BINARY_DIR}/generated/tessel_version.h @ONLY)
