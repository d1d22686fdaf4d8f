#include <gtest/gtest.h>

#include <vector>

#include "EngineSupport.h"
#include "core/CAEngine.h"

using tessel_test::Interior;
using tessel_test::ResetEngine;
using Rows = std::vector<std::vector<short>>;

namespace {

// A 7 x 7 engine (5 x 5 interior) with a single cell set at the centre.
void ResetWithCentre(core::CAEngine& engine, short value, std::int16_t p1, std::int16_t p2, std::int16_t p3)
{
    ResetEngine(engine, 7, 7, p1, p2, p3);
    engine.current.at(3, 3) = value;
}

} // namespace

TEST(StepRule, WorkedSequenceOnFiveByFive)
{
    core::CAEngine engine;
    ResetEngine(engine, 5, 5, 31, 31, 100);
    engine.current.at(2, 2) = 255;

    const Rows expected[] = {
        {{255, 255, 255}, {255, 155, 255}, {255, 255, 255}},
        {{155, 155, 155}, {155, 55, 155}, {155, 155, 155}},
        {{55, 55, 55}, {55, 0, 55}, {55, 55, 55}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    };
    for (int generation = 0; generation < 4; ++generation) {
        engine.Step();
        EXPECT_EQ(Interior(engine), expected[generation]) << "after step " << generation + 1;
        EXPECT_EQ(engine.alive, generation < 3) << "after step " << generation + 1;
    }
    // Modes 0 and 1 keep the ring dead.
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(engine.current.at(x, 0), 0);
        EXPECT_EQ(engine.current.at(0, x), 0);
    }
}

TEST(StepRule, DeadFieldStaysDeadUnlessTheBandHoldsZero)
{
    core::CAEngine engine;
    ResetEngine(engine, 9, 8, 91, 94, 1);
    for (int i = 0; i < 3; ++i) {
        engine.Step();
        EXPECT_FALSE(engine.alive);
        EXPECT_EQ(Interior(engine), Rows(6, std::vector<short>(7, 0)));
    }

    engine.param[0] = -3;
    engine.param[1] = 0;
    engine.Step();
    EXPECT_TRUE(engine.alive);
    EXPECT_EQ(Interior(engine), Rows(6, std::vector<short>(7, 255)));
}

TEST(StepRule, LoneCellDecaysAndItsNeighboursSeeMean31)
{
    core::CAEngine engine;
    ResetWithCentre(engine, 255, 91, 94, 1);
    engine.Step();
    EXPECT_TRUE(engine.alive);
    EXPECT_EQ(engine.current.at(3, 3), 254);
    EXPECT_EQ(Interior(engine)[0], std::vector<short>(5, 0));
    EXPECT_EQ(engine.current.at(2, 2), 0);

    ResetWithCentre(engine, 255, 31, 31, 1);
    engine.Step();
    const Rows expected = {
        {0, 0, 0, 0, 0}, {0, 255, 255, 255, 0}, {0, 255, 254, 255, 0}, {0, 255, 255, 255, 0}, {0, 0, 0, 0, 0},
    };
    EXPECT_EQ(Interior(engine), expected);
}

TEST(StepRule, BandEndsAreInclusive)
{
    // Three neighbours of 255 give S = 765 and a mean of 95.
    auto born = [](std::int16_t p1, std::int16_t p2) {
        core::CAEngine engine;
        ResetEngine(engine, 7, 7, p1, p2, 1);
        engine.current.at(2, 2) = 255;
        engine.current.at(3, 2) = 255;
        engine.current.at(4, 2) = 255;
        engine.Step();
        return engine.current.at(3, 3) == 255;
    };
    EXPECT_TRUE(born(95, 112));
    EXPECT_TRUE(born(90, 95));
    EXPECT_TRUE(born(95, 95));
    EXPECT_FALSE(born(91, 94));
    EXPECT_FALSE(born(96, 200));
    EXPECT_FALSE(born(112, 95)) << "a reversed band never gives birth";
    EXPECT_FALSE(born(100, 50));
}

TEST(StepRule, FullNeighbourhoodReachesOnlyMean255)
{
    auto born = [](std::int16_t p1, std::int16_t p2) {
        core::CAEngine engine;
        ResetEngine(engine, 5, 5, p1, p2, 1);
        for (int y = 1; y <= 3; ++y)
            for (int x = 1; x <= 3; ++x)
                engine.current.at(x, y) = 255;
        engine.current.at(2, 2) = 0;
        engine.Step();
        return engine.current.at(2, 2) == 255;
    };
    EXPECT_TRUE(born(255, 255));
    EXPECT_TRUE(born(200, 300));
    EXPECT_FALSE(born(256, 400));
    EXPECT_FALSE(born(100, 254));
}

TEST(StepRule, DecayKillsAtOrBelowTheDecay)
{
    core::CAEngine engine;
    ResetWithCentre(engine, 3, 91, 94, 3);
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 0);
    EXPECT_FALSE(engine.alive) << "a dying cell does not count as alive";

    ResetWithCentre(engine, 3, 91, 94, 2);
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 1);
    EXPECT_TRUE(engine.alive);
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 0);
    EXPECT_FALSE(engine.alive);
}

TEST(StepRule, DecayOf21LivesThirteenGenerations)
{
    core::CAEngine engine;
    ResetWithCentre(engine, 255, 91, 94, 21);
    std::vector<short> seen{engine.current.at(3, 3)};
    while (engine.current.at(3, 3) != 0) {
        engine.Step();
        seen.push_back(engine.current.at(3, 3));
    }
    const std::vector<short> expected = {255, 234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3, 0};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(engine.alive);
}

TEST(StepRule, NoDecayOrNegativeDecayKeepsCellsInRange)
{
    core::CAEngine engine;
    ResetWithCentre(engine, 200, 300, 300, 0);
    engine.Step();
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 200);

    // A damaged record could carry a negative decay: cells must still stop at 255.
    ResetWithCentre(engine, 250, 300, 300, -10);
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 255);
    ResetWithCentre(engine, 1, 300, 300, -32768);
    engine.Step();
    EXPECT_EQ(engine.current.at(3, 3), 255);
}

TEST(StepRule, GridTilingWrapsBirthsAcrossTheEdges)
{
    core::CAEngine engine;
    ResetEngine(engine, 10, 10, 31, 31, 1, core::TILE_GRID);
    engine.current.at(8, 5) = 255; // the rightmost interior column
    tessel_test::RefreshBorder(engine);
    engine.Step();
    for (int y = 4; y <= 6; ++y) {
        EXPECT_EQ(engine.current.at(1, y), 255) << "wrapped birth at (1," << y << ")";
        EXPECT_EQ(engine.current.at(7, y), 255);
        EXPECT_EQ(engine.current.at(2, y), 0);
    }
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(engine.current.at(0, row), engine.current.at(8, row));

    // The same cell on the top row appears next to the bottom row.
    ResetEngine(engine, 10, 10, 31, 31, 1, core::TILE_GRID);
    engine.current.at(4, 1) = 255;
    tessel_test::RefreshBorder(engine);
    engine.Step();
    EXPECT_EQ(engine.current.at(4, 8), 255);
    EXPECT_EQ(engine.current.at(3, 8), 255);
    EXPECT_EQ(engine.current.at(4, 7), 0);
}
