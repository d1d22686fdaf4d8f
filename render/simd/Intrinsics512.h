#pragma once

// GCC 12's AVX-512 intrinsics fill unused lanes from a self-initialised
// variable, which -Wuninitialized reports inside the header when the
// sanitizers are on; only the header's own lines are exempted.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#else
#include <immintrin.h>
#endif
