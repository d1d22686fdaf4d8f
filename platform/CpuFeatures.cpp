#include "platform/CpuFeatures.h"

#include <atomic>
#include <cstddef>
#include <iterator>

namespace platform {

namespace {

constexpr const char* kNames[] = {"scalar", "sse2", "avx2", "avx512"};

SimdLevel Detect()
{
#if defined(__i386__) || defined(__x86_64__)
    // The runtime's check includes the system's support for saving the wide
    // registers, not only the instruction set.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi"))
        return SimdLevel::Avx512;
    if (__builtin_cpu_supports("avx2"))
        return SimdLevel::Avx2;
    if (__builtin_cpu_supports("sse2"))
        return SimdLevel::Sse2;
#endif
    return SimdLevel::Scalar;
}

std::atomic<SimdLevel>& Active()
{
    static std::atomic<SimdLevel> active{SupportedSimdLevel()};
    return active;
}

} // namespace

SimdLevel SupportedSimdLevel()
{
    static const SimdLevel supported = Detect();
    return supported;
}

SimdLevel ActiveSimdLevel() { return Active().load(std::memory_order_relaxed); }

bool SelectSimdLevel(SimdLevel level)
{
    if (level > SupportedSimdLevel())
        return false;
    Active().store(level, std::memory_order_relaxed);
    return true;
}

const char* SimdLevelName(SimdLevel level)
{
    const auto index = static_cast<std::size_t>(level);
    return index < std::size(kNames) ? kNames[index] : "?";
}

bool ParseSimdLevel(std::string_view text, SimdLevel& level)
{
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        if (text == kNames[i]) {
            level = static_cast<SimdLevel>(i);
            return true;
        }
    }
    return false;
}

bool CapSimdLevel(std::string_view name)
{
    SimdLevel level = SimdLevel::Scalar;
    return ParseSimdLevel(name, level) && SelectSimdLevel(level);
}

} // namespace platform
