#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "EngineSupport.h"
#include "ReferenceRule.h"
#include "core/CAEngine.h"
#include "core/simd/VectorStep.h"
#include "platform/CpuFeatures.h"
#include "support/ScriptedRandom.h"
#include "support/SimdLevels.h"

using platform::SimdLevel;
using tessel_test::Field;
using tessel_test::ScopedSimdLevel;

namespace {

struct Rule {
    std::int16_t p1, p2, p3;
};

// One engine per supported level, all fed the same field and stepped in
// lockstep; engine 0 runs the plain loop and is the oracle of the others.
class Lockstep {
public:
    Lockstep(std::int32_t w, std::int32_t h, const Rule& rule, std::uint16_t tilling)
    {
        for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
            levels_.push_back(level);
            engines_.push_back(std::make_unique<core::CAEngine>());
            tessel_test::ResetEngine(*engines_.back(), w, h, rule.p1, rule.p2, rule.p3, tilling);
        }
    }

    core::CAEngine& oracle() { return *engines_.front(); }

    // Copies the oracle's current field (border included) into every engine.
    void Share()
    {
        const core::CAEngine& from = oracle();
        const std::size_t n = std::size_t{from.current.cols} * from.current.rows;
        for (auto& engine : engines_)
            std::copy(from.current.data, from.current.data + n, engine->current.data);
    }

    // Steps every engine at its level; a failure names the first that differs.
    ::testing::AssertionResult Step()
    {
        for (std::size_t i = 0; i < engines_.size(); ++i) {
            const ScopedSimdLevel scoped(levels_[i]);
            engines_[i]->Step();
        }
        const core::CAEngine& expected = oracle();
        const std::size_t n = std::size_t{expected.current.cols} * expected.current.rows;
        for (std::size_t i = 1; i < engines_.size(); ++i) {
            const core::CAEngine& actual = *engines_[i];
            if (actual.alive != expected.alive)
                return ::testing::AssertionFailure() << platform::SimdLevelName(levels_[i]) << ": alive differs";
            for (std::size_t k = 0; k < n; ++k) {
                if (actual.current.data[k] != expected.current.data[k])
                    return ::testing::AssertionFailure()
                           << platform::SimdLevelName(levels_[i]) << ": cell (" << k % expected.current.cols << ", "
                           << k / expected.current.cols << ") is " << actual.current.data[k] << ", expected "
                           << expected.current.data[k];
            }
        }
        return ::testing::AssertionSuccess();
    }

private:
    std::vector<SimdLevel> levels_;
    std::vector<std::unique_ptr<core::CAEngine>> engines_;
};

// Half the interior dead, the rest spread over 1..255.
void Scatter(core::CAEngine& engine, tessel_test::XorShiftRandom& random)
{
    for (std::int32_t y = 1; y + 1 < engine.height; ++y) {
        for (std::int32_t x = 1; x + 1 < engine.width; ++x) {
            const std::uint32_t r = random.Next();
            engine.current.at(x, y) = (r & 1) ? static_cast<short>(1 + (r >> 8) % 255) : 0;
        }
    }
    tessel_test::RefreshBorder(engine);
}

// Eight neighbours of a dead cell summing to `sum` (at most 2295).
void PlaceNeighbourhood(core::CAEngine& engine, std::int32_t cx, std::int32_t cy, int sum)
{
    int left = sum;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0)
                continue;
            const int v = left > 255 ? 255 : left;
            engine.current.at(cx + dx, cy + dy) = static_cast<short>(v);
            left -= v;
        }
    }
    engine.current.at(cx, cy) = 0;
}

} // namespace

// The vector forms are actually taken wherever the level and width allow,
// so that the comparisons below compare something.
TEST(StepSimd, VectorFormsRunAtEveryVectorLevel)
{
    // Under Wine too: the log shows which wide forms this machine exercised.
    std::printf("SIMD levels compared: scalar up to %s\n", platform::SimdLevelName(platform::SupportedSimdLevel()));
    std::vector<short> cells(130 * 20, 0), next(130 * 20, 7);
    const std::int16_t param[3] = {-1, 5, 1}; // an all-dead field gives birth everywhere
    for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
        const ScopedSimdLevel scoped(level);
        ASSERT_TRUE(scoped.selected());
        const std::optional<bool> alive = core::simd::VectorGeneration(cells.data(), next.data(), 130, 20, param);
        EXPECT_EQ(alive.has_value(), level != SimdLevel::Scalar) << platform::SimdLevelName(level);
        if (alive) {
            EXPECT_TRUE(*alive);
            EXPECT_EQ(next[5 * 130 + 77], 255);
            EXPECT_EQ(next[5 * 130 + 0], 7) << "the border ring is left to FillBorder";
        }
    }
    // A damaged data file's negative decay takes the plain loop.
    const std::int16_t negative[3] = {91, 94, -2};
    EXPECT_FALSE(core::simd::VectorGeneration(cells.data(), next.data(), 130, 20, negative).has_value());
}

// Dead cells whose neighbours sum to just outside and just inside each end of
// the band, spread along rows so that they fall on every lane and in the
// overlapping last vector; checked against the plain rule as well.
TEST(StepSimd, BandEdgesAreExact)
{
    const Rule rules[] = {{91, 94, 1}, {2, 57, 3}, {33, 248, 9}, {0, 0, 1}, {95, 95, 21}};
    for (const Rule& rule : rules) {
        const std::int32_t w = 803, h = 11;
        Lockstep lockstep(w, h, rule, core::TILE_GRID);
        core::CAEngine& engine = lockstep.oracle();
        const int sums[] = {8 * rule.p1 - 1, 8 * rule.p1, 8 * rule.p2 + 7, 8 * rule.p2 + 8};
        int placed = 0;
        for (std::int32_t cy = 2; cy + 2 < h; cy += 3) {
            for (std::int32_t cx = 2 + (cy % 2); cx + 2 < w; cx += 3) {
                const int sum = sums[placed++ % 4];
                if (sum >= 0 && sum <= 8 * 255)
                    PlaceNeighbourhood(engine, cx, cy, sum);
            }
        }
        tessel_test::RefreshBorder(engine);
        lockstep.Share();
        const Field before(engine.current.data, w, h);
        bool expected_alive = false;
        const Field expected = tessel_test::ReferenceStep(before, engine.param, engine.tilling, expected_alive);
        ASSERT_TRUE(lockstep.Step()) << rule.p1 << "-" << rule.p2 << "-" << rule.p3;
        EXPECT_EQ(Field(engine.current.data, w, h).cells, expected.cells);
        // The centres: born exactly at 8 p1 and 8 p2 + 7.
        EXPECT_EQ(engine.current.at(2, 2), rule.p1 > 0 ? 0 : 255);
        EXPECT_EQ(engine.current.at(5, 2), 255);
        EXPECT_EQ(engine.current.at(8, 2), 255);
        EXPECT_EQ(engine.current.at(11, 2), 0);
    }
}

// Seeded fields over hundreds of generations at every level, every tiling
// mode, odd and even widths around the vector widths, and rules that reach
// the corners of the rule: decay to exactly zero, no decay, a reversed band,
// a band holding 0, a band no sum reaches, a negative decay.
TEST(StepSimd, LongRunsMatchThePlainLoop)
{
    struct Size {
        std::int32_t w, h;
    };
    const Size sizes[] = {{3, 40}, {37, 29}, {130, 67}, {803, 21}, {131, 5}, {36, 3}};
    const Rule rules[] = {
        {91, 94, 1},    // catalogue rules
        {32, 214, 5},   //
        {85, 111, 21},  // 255 - 12 x 21 = 3: decays to exactly 0
        {112, 95, 2},   // reversed band: no births
        {-4, 40, 3},    // band holding 0
        {0, 255, 255},  // every live cell dies at once
        {2, 57, 0},     // no decay
        {255, 300, 1},  // only a full neighbourhood gives birth
        {300, 400, 1},  // a band beyond every sum
        {60, 120, -3},  // damaged: negative decay
    };
    tessel_test::XorShiftRandom random(4242);
    std::size_t next_rule = 0;
    for (const Size& size : sizes) {
        for (std::uint16_t tilling = 0; tilling <= 5; ++tilling) {
            const Rule& rule = rules[next_rule++ % std::size(rules)];
            Lockstep lockstep(size.w, size.h, rule, tilling);
            Scatter(lockstep.oracle(), random);
            lockstep.Share();
            for (int generation = 1; generation <= 200; ++generation) {
                // A field that dies out is seeded again, so that every run keeps testing.
                if (generation % 50 == 0 && !lockstep.oracle().alive) {
                    Scatter(lockstep.oracle(), random);
                    lockstep.Share();
                }
                ASSERT_TRUE(lockstep.Step()) << size.w << "x" << size.h << " mode " << tilling << " rule "
                                             << rule.p1 << "-" << rule.p2 << "-" << rule.p3 << " generation "
                                             << generation;
            }
        }
    }
}

TEST(StepSimd, ACapByNameLowersTheLevelAndNeverRaisesIt)
{
    ScopedSimdLevel restore(platform::SupportedSimdLevel());
    EXPECT_TRUE(platform::CapSimdLevel("scalar"));
    EXPECT_EQ(platform::ActiveSimdLevel(), SimdLevel::Scalar);
    EXPECT_FALSE(platform::CapSimdLevel("avx3"));
    EXPECT_FALSE(platform::CapSimdLevel(""));
    EXPECT_EQ(platform::ActiveSimdLevel(), SimdLevel::Scalar);
    if (platform::SupportedSimdLevel() < SimdLevel::Avx512) {
        EXPECT_FALSE(platform::CapSimdLevel("avx512"));
        EXPECT_EQ(platform::ActiveSimdLevel(), SimdLevel::Scalar);
    }
    EXPECT_TRUE(platform::CapSimdLevel(platform::SimdLevelName(platform::SupportedSimdLevel())));
    EXPECT_EQ(platform::ActiveSimdLevel(), platform::SupportedSimdLevel());
}
