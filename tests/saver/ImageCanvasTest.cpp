#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "config/SceneData.h"
#include "core/TilingMode.h"
#include "render/CellPalette.h"
#include "render/Filters.h"
#include "saver/ImageCanvas.h"

using saver::BlitKind;
using saver::BlitPlan;
using saver::ImageCanvas;

namespace {

class RecordingPresenter final : public saver::FramePresenter {
public:
    void Present(const weftcpplib::CDIBData& source, std::span<const BlitPlan> plans) override
    {
        ASSERT_EQ(plans.size(), 1u);
        ++shown;
        last_kind = plans[0].kind;
        last_source = &source;
    }
    int shown = 0;
    BlitKind last_kind = BlitKind::None;
    const weftcpplib::CDIBData* last_source = nullptr;
};

// A 6 x 5 grid (a 4 x 3 field inside its border) of uneven values, and a
// palette whose entries are easy to tell apart; the global palette is put
// back afterwards.
class ImageCanvasTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::copy(std::begin(render::CellPalette), std::end(render::CellPalette), saved_);
        for (std::uint32_t i = 0; i < 256; ++i)
            render::CellPalette[i] = 0x00010203u * i + 0x00400000u;
        engine_.SetSize(6, 5);
        for (std::uint32_t j = 0; j < 30; ++j)
            engine_.current.data[j] = static_cast<short>((j * 97 + 13) % 256);
    }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), render::CellPalette); }

    core::CAEngine engine_;
    RecordingPresenter presenter_;
    ImageCanvas canvas_{engine_, presenter_};
    std::uint32_t saved_[256]{};
};

TEST_F(ImageCanvasTest, ColorsEveryCellAndCentresTheFieldWithoutItsBorder)
{
    canvas_.NewImages(10, 8, 6, 5);
    canvas_.Render(core::TILE_CENTER, 0);

    const weftcpplib::CDIBData& cells = *canvas_.cell_image();
    for (int j = 0; j < 30; ++j)
        ASSERT_EQ(cells.Pixels()[j], render::CellPalette[engine_.current.data[j]]) << "pixel " << j;

    // The 4 x 3 field lands at column 3, row 2 of the 10 x 8 screen image;
    // everything around it stays black.
    const std::uint32_t* screen = canvas_.screen_image()->Pixels();
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 10; ++c) {
            const bool inside = c >= 3 && c < 7 && r >= 2 && r < 5;
            const std::uint32_t expected = inside ? cells.Pixels()[(r - 1) * 6 + (c - 2)] : 0u;
            ASSERT_EQ(screen[r * 10 + c], expected) << "column " << c << " row " << r;
        }
    }
}

TEST_F(ImageCanvasTest, NoiseRemovalRunsBeforeBlurAndOtherBitsDoNothing)
{
    // The same frame built step by step in the intended order.
    auto expected = weftcpplib::MakeImage(6, 5);
    for (int j = 0; j < 30; ++j)
        expected->Pixels()[j] = render::CellPalette[engine_.current.data[j]];
    auto swapped = weftcpplib::MakeImage(6, 5);
    std::copy(expected->Pixels(), expected->Pixels() + 30, swapped->Pixels());
    render::MedianToImage(engine_.current, *expected, core::TILE_GRID);
    render::BoxBlur(*expected, core::TILE_GRID);
    render::BoxBlur(*swapped, core::TILE_GRID);
    render::MedianToImage(engine_.current, *swapped, core::TILE_GRID);
    // The grid is uneven enough for the order to show.
    ASSERT_FALSE(std::equal(expected->Pixels(), expected->Pixels() + 30, swapped->Pixels()));

    canvas_.NewImages(10, 8, 6, 5);
    canvas_.Render(core::TILE_GRID, config::PROC_NOISE | config::PROC_BLUR | 0x0001 | 0x0008);
    EXPECT_TRUE(std::equal(expected->Pixels(), expected->Pixels() + 30, canvas_.cell_image()->Pixels()));
}

TEST_F(ImageCanvasTest, GridOfAnotherSizeDrawsNothing)
{
    canvas_.NewImages(10, 8, 7, 5);
    canvas_.Render(core::TILE_CENTER, 0);
    const std::uint32_t* screen = canvas_.screen_image()->Pixels();
    EXPECT_TRUE(std::all_of(screen, screen + 80, [](std::uint32_t p) { return p == 0; }));
}

TEST_F(ImageCanvasTest, PresentsTheImageThePlanNames)
{
    BlitPlan plan;
    plan.kind = BlitKind::Copy;
    canvas_.Present(plan); // no images before the first scene
    EXPECT_EQ(presenter_.shown, 0);

    canvas_.NewImages(10, 8, 6, 5);
    canvas_.Present(plan);
    EXPECT_EQ(presenter_.last_source, canvas_.screen_image());
    plan.kind = BlitKind::FitStretch;
    plan.from_cell_image = true;
    canvas_.Present(plan);
    EXPECT_EQ(presenter_.last_source, canvas_.cell_image());
    plan.kind = BlitKind::None;
    canvas_.Present(plan);
    EXPECT_EQ(presenter_.shown, 2);
}

} // namespace
