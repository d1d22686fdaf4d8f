#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/Patterns.h"
#include "support/ScriptedRandom.h"

using core::DrawPattern;

namespace {

struct Block {
    std::uint32_t w;
    std::uint32_t h;
    std::vector<short> cells;

    Block(std::uint32_t width, std::uint32_t height) : w(width), h(height), cells(std::size_t{width} * height, 0) {}
    short at(std::int64_t x, std::int64_t y) const { return cells.at(static_cast<std::size_t>(y * w + x)); }
    std::size_t Count() const
    {
        std::size_t n = 0;
        for (short c : cells) {
            EXPECT_TRUE(c == 0 || c == 255);
            n += c == 255;
        }
        return n;
    }
};

Block Draw(std::uint32_t w, std::uint32_t h, int pattern)
{
    Block block(w, h);
    DrawPattern(block.cells.data(), w, h, pattern);
    return block;
}

} // namespace

TEST(Patterns, FixedFiguresOn130)
{
    const Block line = Draw(130, 130, 2);
    EXPECT_EQ(line.Count(), 66u);
    EXPECT_EQ(line.at(32, 65), 255);
    EXPECT_EQ(line.at(97, 65), 255);
    EXPECT_EQ(line.at(31, 65), 0);
    EXPECT_EQ(line.at(98, 65), 0);

    const Block dot = Draw(130, 130, 3);
    EXPECT_EQ(dot.Count(), 797u);
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 130; ++x)
            ASSERT_EQ(dot.at(x, y) != 0, (x - 65) * (x - 65) + (y - 65) * (y - 65) <= 256) << x << "," << y;

    const Block cross = Draw(130, 130, 4);
    EXPECT_EQ(cross.Count(), 129u);
    EXPECT_EQ(cross.at(33, 65), 255);
    EXPECT_EQ(cross.at(97, 65), 255);
    EXPECT_EQ(cross.at(65, 33), 255);
    EXPECT_EQ(cross.at(65, 97), 255);
    EXPECT_EQ(cross.at(32, 65), 0);
    EXPECT_EQ(cross.at(66, 66), 0);

    const Block square = Draw(130, 130, 5);
    EXPECT_EQ(square.Count(), 33u * 33u);
    EXPECT_EQ(square.at(49, 49), 255);
    EXPECT_EQ(square.at(81, 81), 255);
    EXPECT_EQ(square.at(48, 60), 0);
    EXPECT_EQ(square.at(60, 82), 0);

    const Block rhombus = Draw(130, 130, 6);
    EXPECT_EQ(rhombus.Count(), 545u);
    EXPECT_EQ(rhombus.at(49, 65), 255);
    EXPECT_EQ(rhombus.at(57, 57), 255); // |dx| + |dy| = 16
    EXPECT_EQ(rhombus.at(57, 56), 0);

    EXPECT_EQ(Draw(130, 130, 7).cells, dot.cells);
}

TEST(Patterns, FixedFiguresOnAWideField)
{
    // 802 x 602: centre (401, 301), a = 100, b = 75, cross arms of 150.
    const Block line = Draw(802, 602, 2);
    EXPECT_EQ(line.Count(), 402u);
    EXPECT_EQ(line.at(200, 301), 255);
    EXPECT_EQ(line.at(601, 301), 255);

    const Block cross = Draw(802, 602, 4);
    EXPECT_EQ(cross.Count(), 601u);
    EXPECT_EQ(cross.at(251, 301), 255);
    EXPECT_EQ(cross.at(250, 301), 0);
    EXPECT_EQ(cross.at(401, 451), 255);
    EXPECT_EQ(cross.at(401, 452), 0);

    EXPECT_EQ(Draw(802, 602, 5).Count(), 201u * 151u);

    const Block rhombus = Draw(802, 602, 6);
    EXPECT_EQ(rhombus.at(301, 301), 255);
    EXPECT_EQ(rhombus.at(401, 226), 255);
    EXPECT_EQ(rhombus.at(301, 302), 0);
    EXPECT_EQ(rhombus.at(351, 301 - 38), 255); // 38 + 75 * 50 / 100 = 75
    EXPECT_EQ(rhombus.at(351, 301 - 39), 0);

    const Block ellipse = Draw(802, 602, 7);
    EXPECT_EQ(ellipse.at(301, 301), 255);
    EXPECT_EQ(ellipse.at(401, 376), 255);
    EXPECT_EQ(ellipse.at(301, 300), 0);
    EXPECT_EQ(ellipse.at(471, 301 + 53), 255); // 0.49 + 53^2 / 75^2 = 0.989
    EXPECT_EQ(ellipse.at(471, 301 + 54), 0);   // 0.49 + 54^2 / 75^2 = 1.008
}

TEST(Patterns, UnknownPatternsDrawNothing)
{
    for (int pattern : {8, -1, 255}) {
        const Block block = Draw(130, 130, pattern);
        EXPECT_EQ(block.Count(), 0u) << pattern;
    }
}

TEST(Patterns, FiguresAreClippedToSmallBlocks)
{
    // The disc is wider than a 20 x 12 block; only cells inside are written.
    const Block dot = Draw(20, 12, 3);
    std::size_t inside = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            inside += (x - 10) * (x - 10) + (y - 6) * (y - 6) <= 256;
    EXPECT_EQ(dot.Count(), inside);

    // Blocks narrower than 8 have semi-axes of 0: the figures shrink to lines.
    EXPECT_EQ(Draw(5, 20, 6).Count(), 5u);
    EXPECT_EQ(Draw(5, 20, 7).Count(), 5u);
    EXPECT_EQ(Draw(5, 5, 7).Count(), 1u);
    for (int pattern = 0; pattern < 8; ++pattern) {
        EXPECT_LE(Draw(1, 1, pattern).Count(), 1u);
        Draw(0, 0, pattern);
        Draw(2, 0, pattern);
    }
}

TEST(Patterns, UniformDrawsOncePerCellAndKeepsResiduesBelow33)
{
    // Residues mod 256: 32 and 0 select, 33 and 255 do not; high bits are ignored.
    tessel_test::ScriptedRandom script{32, 33, 0xABCDEF20u, 0xFFFFFF21u, 0x100u, 255u};
    platform::ScopedRandomSource scoped(script);
    const Block block = Draw(130, 130, 0);
    EXPECT_EQ(script.draws(), 130u * 130u);
    const bool selected[] = {true, false, true, false, true, false};
    for (std::size_t i = 0; i < block.cells.size(); ++i)
        ASSERT_EQ(block.cells[i] == 255, selected[i % 6]) << "cell " << i;
}

TEST(Patterns, UniformDensityIsAbout33In256)
{
    tessel_test::XorShiftRandom random(2024);
    platform::ScopedRandomSource scoped(random);
    const std::size_t count = Draw(130, 130, 0).Count();
    // 16900 x 33 / 256 = 2178, standard deviation about 44.
    EXPECT_GT(count, 2000u);
    EXPECT_LT(count, 2360u);
}

TEST(Patterns, CentredFollowsTheDistanceFromTheMiddle)
{
    {
        // The smallest draw selects every cell; one draw per cell.
        tessel_test::ScriptedRandom zero{0};
        platform::ScopedRandomSource scoped(zero);
        EXPECT_EQ(Draw(130, 130, 1).Count(), 130u * 130u);
        EXPECT_EQ(zero.draws(), 130u * 130u);
    }
    {
        // The largest selects only where g < 1/64: the centre and its four
        // orthogonal neighbours (g = 1/65 there, 0.0218 on the diagonals).
        tessel_test::ScriptedRandom top{0xFFFFFFFFu};
        platform::ScopedRandomSource scoped(top);
        const Block block = Draw(130, 130, 1);
        EXPECT_EQ(block.Count(), 5u);
        EXPECT_EQ(block.at(65, 65), 255);
        EXPECT_EQ(block.at(64, 65), 255);
        EXPECT_EQ(block.at(65, 66), 255);
        EXPECT_EQ(block.at(64, 64), 0);
    }
    {
        // Random draws: about 462 cells expected, the centre always among them,
        // and far denser inside the middle quarter than outside it.
        tessel_test::XorShiftRandom random(99);
        platform::ScopedRandomSource scoped(random);
        const Block block = Draw(130, 130, 1);
        const std::size_t count = block.Count();
        EXPECT_GT(count, 380u);
        EXPECT_LT(count, 550u);
        EXPECT_EQ(block.at(65, 65), 255);
        std::size_t middle = 0;
        for (int y = 49; y <= 81; ++y)
            for (int x = 49; x <= 81; ++x)
                middle += block.at(x, y) == 255;
        EXPECT_GT(middle * 4, count); // 6% of the area holds over a quarter of the cells
    }
}

TEST(Patterns, CentredOnAWideFieldFollowsItsOwnAxes)
{
    // A draw of 2^26 selects where g < 1 (to within 2^-32): the ellipse
    // inscribed in the block, wide on a wide block. A transposed field would
    // draw a tall one, or walk the rows with the wrong stride.
    constexpr std::int64_t w = 40;
    constexpr std::int64_t h = 10;
    tessel_test::ScriptedRandom quarter{1u << 26};
    platform::ScopedRandomSource scoped(quarter);
    const Block block = Draw(w, h, 1);
    std::size_t expected = 0;
    for (std::int64_t y = 0; y < h; ++y) {
        for (std::int64_t x = 0; x < w; ++x) {
            const bool inside = (2 * x - w) * (2 * x - w) * h * h + (2 * y - h) * (2 * y - h) * w * w < w * w * h * h;
            expected += inside;
            ASSERT_EQ(block.at(x, y) != 0, inside) << x << "," << y;
        }
    }
    EXPECT_EQ(block.Count(), expected);
    EXPECT_EQ(block.at(1, 5), 255);
    EXPECT_EQ(block.at(39, 5), 255);
    EXPECT_EQ(block.at(20, 0), 0);
}
