#pragma once
#include <vector>

#include "platform/CpuFeatures.h"

namespace tessel_test {

// Every SIMD level this processor supports, scalar first.
inline std::vector<platform::SimdLevel> SupportedSimdLevels()
{
    std::vector<platform::SimdLevel> levels;
    for (auto level = platform::SimdLevel::Scalar; level <= platform::SupportedSimdLevel();
         level = static_cast<platform::SimdLevel>(static_cast<int>(level) + 1))
        levels.push_back(level);
    return levels;
}

// Puts a level in force for its lifetime and then restores the one before.
class ScopedSimdLevel {
public:
    explicit ScopedSimdLevel(platform::SimdLevel level) : saved_(platform::ActiveSimdLevel())
    {
        selected_ = platform::SelectSimdLevel(level);
    }
    ~ScopedSimdLevel() { platform::SelectSimdLevel(saved_); }
    ScopedSimdLevel(const ScopedSimdLevel&) = delete;
    ScopedSimdLevel& operator=(const ScopedSimdLevel&) = delete;

    bool selected() const { return selected_; }

private:
    platform::SimdLevel saved_;
    bool selected_ = false;
};

} // namespace tessel_test
