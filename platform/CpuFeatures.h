#pragma once
#include <cstdint>
#include <string_view>

// Which vector instructions the hot loops (the automaton's step, colouring,
// the image filters) may use. The widest level the processor and the system
// support is chosen once; the environment variable TESSEL_SIMD
// (scalar, sse2, avx2, avx512) can lower it to compare variants, and tests
// and benchmarks select a level directly. Every level gives the same results.
namespace platform {

enum class SimdLevel : std::uint8_t {
    Scalar = 0, // the plain loops
    Sse2 = 1,   // 128-bit; present on every x86-64 and on the 32-bit target
    Avx2 = 2,   // 256-bit
    Avx512 = 3, // 512-bit with byte and word operations and byte permutes (F, BW, VL, VBMI)
};

// The widest level this processor and its operating system support.
SimdLevel SupportedSimdLevel();

// The level in force: TESSEL_SIMD when it names a supported level, otherwise
// the supported one; read on first use.
SimdLevel ActiveSimdLevel();

// Puts a level in force. False, changing nothing, when it is not supported.
bool SelectSimdLevel(SimdLevel level);

// Lower-case names as TESSEL_SIMD takes them.
const char* SimdLevelName(SimdLevel level);
bool ParseSimdLevel(std::string_view text, SimdLevel& level);

} // namespace platform
