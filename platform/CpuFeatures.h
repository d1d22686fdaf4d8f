#pragma once
#include <cstdint>
#include <string_view>

// Which vector instructions the hot loops (the automaton's step, colouring,
// the image filters) may use. The widest level the processor and the system
// support is chosen once. Tests and benchmarks select a level directly (the
// benchmarks also take a cap by name, to compare variants); the saver itself
// takes no such option. Every level gives the same results.
namespace platform {

enum class SimdLevel : std::uint8_t {
    Scalar = 0, // the plain loops
    Sse2 = 1,   // 128-bit; present on every x86-64 and on the 32-bit target
    Avx2 = 2,   // 256-bit
    Avx512 = 3, // 512-bit with byte and word operations and byte permutes (F, BW, VL, VBMI)
};

// The widest level this processor and its operating system support.
SimdLevel SupportedSimdLevel();

// The level in force: the supported one unless a level was selected.
SimdLevel ActiveSimdLevel();

// Puts a level in force. False, changing nothing, when it is not supported.
bool SelectSimdLevel(SimdLevel level);

// Lower-case names: scalar, sse2, avx2, avx512.
const char* SimdLevelName(SimdLevel level);
bool ParseSimdLevel(std::string_view text, SimdLevel& level);

// Puts the named level in force when it is known and supported; a level
// above the supported one, or an unknown name, changes nothing (false).
bool CapSimdLevel(std::string_view name);

} // namespace platform
