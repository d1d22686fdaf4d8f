#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/Random.h"

namespace tessel_test {

// Hands out a fixed sequence of numbers, then repeats it; counts the draws.
class ScriptedRandom final : public platform::RandomSource {
public:
    ScriptedRandom(std::initializer_list<std::uint32_t> values) : values_(values) {}
    explicit ScriptedRandom(std::vector<std::uint32_t> values) : values_(std::move(values)) {}
    std::uint32_t Next() override
    {
        const std::uint32_t v = values_.empty() ? 0 : values_[draws_ % values_.size()];
        ++draws_;
        return v;
    }
    std::size_t draws() const { return draws_; }

private:
    std::vector<std::uint32_t> values_;
    std::size_t draws_ = 0;
};

// A small deterministic generator (xorshift32) for seeded random fields.
class XorShiftRandom final : public platform::RandomSource {
public:
    explicit XorShiftRandom(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
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

} // namespace tessel_test
