include_guard(GLOBAL)
# Kernels for the wider vector units live in files named *_avx2.cpp and
# *_avx512.cpp; only those files are compiled for them, and the program picks
# them at run time from the processor's features (platform/CpuFeatures.h).
function(tessel_simd_sources target)
  if(NOT CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86|x86)$")
    return()
  endif()
  set(unaligned)
  if(WIN32)
    # GCC does not align the stack for 32- and 64-byte spills on Windows; the
    # assembler makes its aligned vector moves unaligned ones, which cost the
    # same on aligned data.
    set(unaligned -Wa,-muse-unaligned-vector-move)
  endif()
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "_avx2\\.cpp$")
      set_source_files_properties(${source} PROPERTIES COMPILE_OPTIONS "-mavx2;${unaligned}")
    elseif(source MATCHES "_avx512\\.cpp$")
      set_source_files_properties(${source} PROPERTIES
        COMPILE_OPTIONS "-mavx512f;-mavx512bw;-mavx512vl;-mavx512vbmi;${unaligned}")
    endif()
  endforeach()
endfunction()
