#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "EngineSupport.h"
#include "ReferenceRule.h"
#include "core/CAEngine.h"
#include "support/ScriptedRandom.h"

using tessel_test::Field;

namespace {

struct Size {
    std::int32_t w;
    std::int32_t h;
};

struct Rule {
    std::int16_t p1, p2, p3;
};

// Half the cells dead, the rest spread over 1..255, so that births, decay and
// deaths all occur in the first generations.
void Scatter(core::CAEngine& engine, std::uint32_t seed)
{
    tessel_test::XorShiftRandom random(seed);
    for (std::int32_t y = 1; y + 1 < engine.height; ++y) {
        for (std::int32_t x = 1; x + 1 < engine.width; ++x) {
            const std::uint32_t r = random.Next();
            engine.current.at(x, y) = (r & 1) ? static_cast<short>(1 + (r >> 8) % 255) : 0;
        }
    }
    tessel_test::RefreshBorder(engine);
}

} // namespace

// The engine's row-buffer Step against the cell-by-cell rule, over several
// generations so that the border fill of each mode feeds the next one.
TEST(StepOracle, MatchesTheReferenceRuleInEveryTilingMode)
{
    const Size sizes[] = {{3, 3}, {4, 7}, {5, 5}, {17, 9}, {64, 33}, {131, 67}};
    const Rule rules[] = {
        {91, 94, 1},   // catalogue rules
        {32, 214, 5},  //
        {85, 111, 21}, //
        {95, 95, 1},   // a band of one value
        {112, 95, 2},  // reversed band: no births
        {-4, 40, 3},   // band holding 0: empty neighbourhoods give birth
        {0, 255, 255}, // every live cell dies at once
        {255, 300, 1}, // only a full neighbourhood gives birth
    };
    std::uint32_t seed = 1;
    for (const Size& size : sizes) {
        for (std::uint16_t tilling = 0; tilling <= 5; ++tilling) {
            for (const Rule& rule : rules) {
                core::CAEngine engine;
                tessel_test::ResetEngine(engine, size.w, size.h, rule.p1, rule.p2, rule.p3, tilling);
                Scatter(engine, seed++);
                Field expected(engine.current.data, engine.current.cols, engine.current.rows);
                for (int generation = 1; generation <= 4; ++generation) {
                    bool expected_alive = false;
                    expected = tessel_test::ReferenceStep(expected, engine.param, tilling, expected_alive);
                    engine.Step();
                    const Field actual(engine.current.data, engine.current.cols, engine.current.rows);
                    ASSERT_EQ(actual.cells, expected.cells)
                        << size.w << "x" << size.h << " mode " << tilling << " rule " << rule.p1 << "-" << rule.p2
                        << "-" << rule.p3 << " generation " << generation;
                    ASSERT_EQ(engine.alive, expected_alive);
                }
            }
        }
    }
}

// Many generations of a catalogue rule on a field of the smallest frame size:
// the two agree throughout and the cells never leave 0..255.
TEST(StepOracle, LongRunAgreesAndStaysInRange)
{
    core::CAEngine engine;
    tessel_test::ResetEngine(engine, 130, 130, 93, 133, 7, core::TILE_SHIFT_H);
    tessel_test::XorShiftRandom random(77);
    platform::ScopedRandomSource scoped(random);
    engine.init = 0;
    engine.Initialize();
    Field expected(engine.current.data, engine.current.cols, engine.current.rows);
    for (int generation = 1; generation <= 60; ++generation) {
        bool expected_alive = false;
        expected = tessel_test::ReferenceStep(expected, engine.param, engine.tilling, expected_alive);
        engine.Step();
        ASSERT_EQ(Field(engine.current.data, 130, 130).cells, expected.cells) << "generation " << generation;
        ASSERT_TRUE(tessel_test::AllCellsInRange(engine.current));
    }
    EXPECT_TRUE(engine.alive);
}
