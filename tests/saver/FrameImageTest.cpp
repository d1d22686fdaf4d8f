#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/TilingMode.h"
#include "render/Tiling.h"
#include "saver/FrameImage.h"

using saver::BlitKind;
using saver::BlitPlan;
using saver::FrameImage;
using saver::PixelRows;
using saver::Rect;

namespace {

// A frame drawn straight into a front end's rows must equal the screen
// image made first and then copied there; only then may the image be skipped.
TEST(FrameImage, DrawEqualsTheImageCopiedAndSkipsItWhenTheTilesCoverTheCopy)
{
    struct Case {
        std::uint16_t mode;
        int cells_w, cells_h;
        Rect dest;
        bool straight; // the image is never made
    };
    const Case cases[] = {
        {core::TILE_GRID, 6, 5, {3, 2, 13, 9}, true},
        {core::TILE_SHIFT_H, 6, 5, {0, 0, 13, 9}, true},
        {core::TILE_SHIFT_V, 7, 4, {7, 6, 13, 9}, true},
        {core::TILE_CENTER, 6, 5, {3, 2, 13, 9}, false}, // leaves the rest black
        {core::TILE_GRID, 6, 5, {10, 2, 13, 9}, false},  // runs past the rows
        {core::TILE_GRID, 2, 2, {3, 2, 13, 9}, false},   // an empty tile
    };
    for (const Case& c : cases) {
        weftcpplib::CDIBData cells;
        cells.Create(c.cells_w, c.cells_h);
        for (std::int32_t i = 0; i < cells.Count(); ++i)
            cells.Pixels()[i] = static_cast<std::uint32_t>(i) * 2654435761u & 0xFFFFFFu;
        weftcpplib::CDIBData screen, reference;
        screen.Create(13, 9);
        reference.Create(13, 9);
        render::Tiling(reference, cells, c.cells_w - 2, c.cells_h - 2, c.mode);
        const BlitPlan plan{BlitKind::Copy, false, 0, false, {0, 0, 13, 9}, c.dest};

        std::vector<std::uint32_t> drawn(20 * 15, 0xABCDEFu), expected(drawn);
        bool tiled = false;
        FrameImage(screen, cells, c.mode, tiled).Draw(plan, PixelRows{drawn.data(), 20, 15, 20});
        saver::DrawPlan(reference, plan, PixelRows{expected.data(), 20, 15, 20});

        EXPECT_EQ(drawn, expected) << "mode " << c.mode << " at " << c.dest.x << "," << c.dest.y;
        EXPECT_EQ(tiled, !c.straight) << "mode " << c.mode << " at " << c.dest.x << "," << c.dest.y;
    }
}

} // namespace
