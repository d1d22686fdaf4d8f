#pragma once
#include <cstdint>
#include <random>

#include "platform/Random.h"

// A repeatable random source for the front ends that offer seeded runs
// (tessel-render, tessel-x11 -seed): the standard Mersenne twister, whose
// sequence for a seed is the same on every system. The saver itself always
// draws from the system's secure generator.
namespace saver {

class SeededRandom final : public platform::RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }

private:
    std::mt19937 engine_;
};

} // namespace saver
