#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "EngineSupport.h"
#include "core/CAEngine.h"
#include "support/ScriptedRandom.h"

using core::TILE_CENTER;
using core::TILE_FIT;
using core::TILE_GRID;
using core::TILE_SHIFT_H;
using core::TILE_SHIFT_V;

namespace {

bool AllZero(const weftcpplib::weft2dmapper<short>& grid)
{
    for (std::size_t i = 0, n = std::size_t{grid.cols} * grid.rows; i < n; ++i) {
        if (grid.data[i] != 0)
            return false;
    }
    return true;
}

bool BorderIsZero(core::CAEngine& engine)
{
    for (std::int32_t x = 0; x < engine.width; ++x) {
        if (engine.current.at(x, 0) != 0 || engine.current.at(x, engine.height - 1) != 0)
            return false;
    }
    for (std::int32_t y = 0; y < engine.height; ++y) {
        if (engine.current.at(0, y) != 0 || engine.current.at(engine.width - 1, y) != 0)
            return false;
    }
    return true;
}

// Pattern 0 from a fixed seed, so that the border has live cells to copy.
void InitializeRandomField(core::CAEngine& engine, std::int32_t w, std::int32_t h, std::uint16_t tilling,
                           std::uint32_t seed = 5)
{
    tessel_test::XorShiftRandom random(seed);
    platform::ScopedRandomSource scoped(random);
    engine.SetSize(w, h);
    engine.tilling = tilling;
    engine.init = 0;
    engine.Initialize();
}

} // namespace

TEST(Engine, StartsAsAnEmpty130Field)
{
    core::CAEngine engine;
    EXPECT_EQ(engine.width, 130);
    EXPECT_EQ(engine.height, 130);
    EXPECT_EQ(engine.current.cols, 130u);
    EXPECT_EQ(engine.current.rows, 130u);
    EXPECT_EQ(engine.work.cols, 130u);
    EXPECT_EQ(engine.work.rows, 130u);
    EXPECT_TRUE(AllZero(engine.current));
    EXPECT_TRUE(AllZero(engine.work));
    EXPECT_EQ(engine.param[0], 91);
    EXPECT_EQ(engine.param[1], 94);
    EXPECT_EQ(engine.param[2], 1);
    EXPECT_EQ(engine.init, 0);
    EXPECT_EQ(engine.tilling, 0);
    EXPECT_FALSE(engine.alive);
}

TEST(Engine, SetSizeResizesOnlyOnChangeAndClearsBothGrids)
{
    core::CAEngine engine;
    InitializeRandomField(engine, 130, 130, TILE_GRID);
    const short* block = engine.current.data;
    engine.SetSize(130, 130);
    EXPECT_EQ(engine.current.data, block) << "the same pair reallocates nothing";
    EXPECT_FALSE(AllZero(engine.current));

    engine.SetSize(802, 602);
    EXPECT_EQ(engine.width, 802);
    EXPECT_EQ(engine.height, 602);
    for (const auto* grid : {&engine.current, &engine.work}) {
        EXPECT_EQ(grid->cols, 802u);
        EXPECT_EQ(grid->rows, 602u);
        EXPECT_TRUE(AllZero(*grid));
    }
    EXPECT_NE(engine.current.data, engine.work.data);
}

TEST(Engine, FailedSetSizeLeavesTheEngineAsItWas)
{
    core::CAEngine engine;
    engine.SetSize(200, 150);
    for (auto size : {std::pair{-1, 150}, std::pair{200, -5}, std::pair{-1, 0}, std::pair{70000, 70000}}) {
        EXPECT_THROW(engine.SetSize(size.first, size.second), std::bad_alloc);
        EXPECT_EQ(engine.width, 200);
        EXPECT_EQ(engine.height, 150);
        EXPECT_EQ(engine.current.cols, 200u);
        EXPECT_EQ(engine.work.rows, 150u);
    }
    engine.init = 3;
    engine.Initialize();
    engine.Step();
    EXPECT_TRUE(engine.alive);
}

TEST(Engine, InitializeDrawsIntoAClearedFieldAndPublishes)
{
    core::CAEngine engine;
    InitializeRandomField(engine, 130, 130, TILE_CENTER);
    const short* shown = engine.current.data;
    engine.init = 5;
    engine.alive = true;
    engine.Initialize();
    EXPECT_TRUE(engine.alive) << "Initialize leaves alive alone";
    EXPECT_NE(engine.current.data, shown) << "the new generation is published by exchange";
    std::size_t live = 0;
    for (std::size_t i = 0; i < 130u * 130u; ++i)
        live += engine.current.data[i] == 255;
    EXPECT_EQ(live, 33u * 33u) << "no cell of the previous field survives";

    engine.init = 8;
    engine.Initialize();
    EXPECT_TRUE(AllZero(engine.current));
    engine.Step();
    EXPECT_FALSE(engine.alive);
}

TEST(Engine, BorderFollowsTheTilingAfterInitializeAndStep)
{
    core::CAEngine engine;
    InitializeRandomField(engine, 130, 130, TILE_GRID);
    for (int generation = 0; generation < 2; ++generation) {
        const std::int32_t w = engine.width;
        const std::int32_t h = engine.height;
        for (std::int32_t y = 0; y < h; ++y) {
            ASSERT_EQ(engine.current.at(0, y), engine.current.at(w - 2, y));
            ASSERT_EQ(engine.current.at(w - 1, y), engine.current.at(1, y));
        }
        for (std::int32_t x = 0; x < w; ++x) {
            ASSERT_EQ(engine.current.at(x, 0), engine.current.at(x, h - 2));
            ASSERT_EQ(engine.current.at(x, h - 1), engine.current.at(x, 1));
        }
        EXPECT_EQ(engine.current.at(0, 0), engine.current.at(w - 2, h - 2));
        engine.Step();
    }

    InitializeRandomField(engine, 130, 130, TILE_SHIFT_H);
    for (std::int32_t k = 0; k < 65; ++k)
        ASSERT_EQ(engine.current.at(k, 0), engine.current.at(64 + k, 128)) << k;

    for (std::uint16_t mode : {TILE_CENTER, TILE_FIT}) {
        InitializeRandomField(engine, 130, 130, mode);
        EXPECT_TRUE(BorderIsZero(engine));
        engine.param[0] = 0; // births next to the edges too
        engine.param[1] = 255;
        for (int generation = 0; generation < 3; ++generation) {
            engine.Step();
            EXPECT_TRUE(BorderIsZero(engine)) << "mode " << mode << " step " << generation;
        }
    }
}

TEST(Engine, UnwrittenBorderCellsStayZeroAcrossScenes)
{
    // A scene in grid tiling fills the whole ring; the next one, with an odd
    // width in the horizontal shift tiling, never writes two of its corners.
    core::CAEngine engine;
    InitializeRandomField(engine, 131, 130, TILE_GRID);
    engine.current.at(130, 0) = 200;
    engine.work.at(130, 0) = 200;
    engine.current.at(130, 129) = 100;
    engine.work.at(130, 129) = 100;

    InitializeRandomField(engine, 131, 130, TILE_SHIFT_H, 6);
    for (int generation = 0; generation < 4; ++generation) {
        EXPECT_EQ(engine.current.at(130, 0), 0) << generation;
        EXPECT_EQ(engine.current.at(130, 129), 0) << generation;
        engine.Step();
    }

    // The same for an odd height in the vertical shift tiling, and for an
    // unknown mode that writes no border at all.
    InitializeRandomField(engine, 130, 131, TILE_SHIFT_V);
    for (int generation = 0; generation < 3; ++generation) {
        EXPECT_EQ(engine.current.at(0, 130), 0);
        EXPECT_EQ(engine.current.at(129, 130), 0);
        engine.Step();
    }
    InitializeRandomField(engine, 130, 131, 7);
    for (int generation = 0; generation < 3; ++generation) {
        EXPECT_TRUE(BorderIsZero(engine));
        EXPECT_TRUE(tessel_test::AllCellsInRange(engine.current));
        engine.Step();
    }
}

TEST(Engine, LockIsFreeAfterEachOperation)
{
    core::CAEngine engine;
    engine.init = 3;
    engine.Initialize();
    ASSERT_TRUE(engine.lock.try_lock());
    engine.lock.unlock();
    engine.Step();
    ASSERT_TRUE(engine.lock.try_lock());
    engine.lock.unlock();
}

TEST(Engine, TinyFieldsStepWithoutInterior)
{
    core::CAEngine engine;
    for (auto size : {std::pair{2, 2}, std::pair{1, 5}, std::pair{0, 0}, std::pair{3, 1}}) {
        engine.SetSize(size.first, size.second);
        for (std::uint16_t mode = 0; mode <= 5; ++mode) {
            engine.tilling = mode;
            engine.init = 3;
            engine.Initialize();
            engine.param[0] = 0; // the band holds 0, but there is no interior to be born in
            engine.param[1] = 255;
            engine.Step();
            EXPECT_FALSE(engine.alive);
            EXPECT_TRUE(tessel_test::AllCellsInRange(engine.current));
        }
    }
}
