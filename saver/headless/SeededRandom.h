#pragma once
#include <cstdint>
#include <random>

#include "platform/Random.h"

// The renderer's repeatable random source: the standard Mersenne twister,
// whose sequence for a seed is the same on every system.
namespace headless {

class SeededRandom final : public platform::RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }

private:
    std::mt19937 engine_;
};

} // namespace headless
