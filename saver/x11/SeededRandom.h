#pragma once
#include <cstdint>

#include "platform/Random.h"

namespace saver::x11 {

// A small deterministic generator (xorshift32) for -seed: the same seed
// gives the same scenes and fields.
class SeededRandom final : public platform::RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t Next() override
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    std::uint32_t state_;
};

} // namespace saver::x11
