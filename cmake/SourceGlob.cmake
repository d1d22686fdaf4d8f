# Collects the .cpp files of a folder for the platform being built. Code for
# one platform lives in subfolders named after it, at any depth: win32/ is
# Windows-only, posix/ POSIX-only.
function(tessel_platform_sources out_var)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(kept)
  foreach(f IN LISTS all)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${f})
    if(WIN32 AND rel MATCHES "(^|/)posix/")
      continue()
    endif()
    if(NOT WIN32 AND rel MATCHES "(^|/)win32/")
      continue()
    endif()
    list(APPEND kept ${f})
  endforeach()
  set(${out_var} ${kept} PARENT_SCOPE)
endfunction()

# A static library of the folder's sources that links `LIBS` publicly; a folder
# without sources yet gives an interface library with the same links.
function(tessel_folder_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  tessel_platform_sources(sources)
  list(FILTER sources EXCLUDE REGEX "/fuzz/")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
