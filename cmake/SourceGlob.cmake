# Collects the .cpp files of a folder for the platform being built. Code for
# one platform lives in subfolders named after it, at any depth: win32/ is
# Windows-only, posix/ POSIX-only.
#   FOLDER sub     the files under subfolder `sub` rather than the whole folder
#   NO_SUBFOLDERS  the folder's own files only: its subfolders build targets
#                  of their own
#   EXCLUDE f...   files to leave out, named relative to the folder searched:
#                  a program's entry, built beside the folder's library
function(tessel_platform_sources out_var)
  cmake_parse_arguments(ARG "NO_SUBFOLDERS" "FOLDER" "EXCLUDE" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_FOLDER)
    set(dir ${dir}/${ARG_FOLDER})
  endif()
  if(ARG_NO_SUBFOLDERS)
    file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  else()
    file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp)
  endif()
  set(kept)
  foreach(f IN LISTS all)
    file(RELATIVE_PATH in_dir ${dir} ${f})
    # The platform subfolders count from the calling folder, `sub` included.
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${f})
    if(in_dir IN_LIST ARG_EXCLUDE)
      continue()
    endif()
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

# A static library of the folder's sources (chosen as by
# tessel_platform_sources, whose options it takes) that links `LIBS`
# publicly; a folder without sources for this platform gives an interface
# library with the same links.
function(tessel_folder_library name)
  cmake_parse_arguments(ARG "NO_SUBFOLDERS" "FOLDER" "EXCLUDE;LIBS" ${ARGN})
  set(choice)
  if(ARG_NO_SUBFOLDERS)
    list(APPEND choice NO_SUBFOLDERS)
  endif()
  if(ARG_FOLDER)
    list(APPEND choice FOLDER ${ARG_FOLDER})
  endif()
  if(ARG_EXCLUDE)
    list(APPEND choice EXCLUDE ${ARG_EXCLUDE})
  endif()
  tessel_platform_sources(sources ${choice})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
