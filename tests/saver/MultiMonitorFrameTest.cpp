#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "FrameFakes.h"
#include "core/TilingMode.h"
#include "render/CellPalette.h"
#include "saver/ImageCanvas.h"

using namespace saver;
using saver_test::FrameRig;

namespace {

// Records which image went to the presenter with which places.
class GroupingPresenter final : public FramePresenter {
public:
    void Present(const weftcpplib::CDIBData& source, std::span<const BlitPlan> plans) override
    {
        groups.push_back({&source, {plans.begin(), plans.end()}});
    }
    struct Group {
        const weftcpplib::CDIBData* source;
        std::vector<BlitPlan> plans;
    };
    std::vector<Group> groups;
};

// A 7 x 6 grid (a 5 x 4 field) of uneven values and a palette whose entries
// are easy to tell apart; the global palette is put back afterwards.
class MultiMonitorCanvasTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::copy(std::begin(render::CellPalette), std::end(render::CellPalette), saved_);
        for (std::uint32_t i = 0; i < 256; ++i)
            render::CellPalette[i] = 0x00010203u * i + 0x00400000u;
        engine_.SetSize(7, 6);
        for (std::uint32_t j = 0; j < 42; ++j)
            engine_.current.data[j] = static_cast<short>((j * 89 + 7) % 256);
    }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), render::CellPalette); }

    core::CAEngine engine_;
    GroupingPresenter presenter_;
    std::uint32_t saved_[256]{};
};

bool SamePixels(const weftcpplib::CDIBData& a, const weftcpplib::CDIBData& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Pixels(), a.Pixels() + a.Count(), b.Pixels());
}

} // namespace

TEST_F(MultiMonitorCanvasTest, EveryMonitorSizeGetsTheImageOfASingleScreenOfThatSize)
{
    // Sizes larger and smaller than a tile, odd and even, so that centring,
    // grid starts and shift phases all differ between the images.
    const std::vector<Size> sizes{{16, 11}, {9, 13}, {3, 2}, {23, 7}};
    for (std::uint16_t mode : {core::TILE_CENTER, core::TILE_GRID, core::TILE_SHIFT_H,
                               core::TILE_SHIFT_V}) {
        ImageCanvas several(engine_, presenter_);
        several.SetScreenSizes(sizes);
        several.NewImages(16, 11, 7, 6);
        several.Render(mode, 0);
        ASSERT_EQ(several.screen_image_count(), 4);
        for (int i = 0; i < 4; ++i) {
            ImageCanvas single(engine_, presenter_);
            single.NewImages(sizes[i].width, sizes[i].height, 7, 6);
            single.Render(mode, 0);
            EXPECT_TRUE(SamePixels(*several.screen_image(i), *single.screen_image()))
                << "mode " << mode << " image " << i;
        }
    }
}

TEST_F(MultiMonitorCanvasTest, NewSizesReplaceTheScreenImagesAndKeepTheField)
{
    ImageCanvas canvas(engine_, presenter_);
    canvas.SetScreenSizes({{16, 11}}); // no images before the first scene
    EXPECT_EQ(canvas.screen_image_count(), 0);
    canvas.NewImages(16, 11, 7, 6);
    canvas.Render(core::TILE_GRID, 0);
    const weftcpplib::CDIBData* field = canvas.cell_image();
    const std::vector<std::uint32_t> colours(field->Pixels(), field->Pixels() + field->Count());

    canvas.SetScreenSizes({{12, 10}, {5, 5}});
    ASSERT_EQ(canvas.screen_image_count(), 2);
    EXPECT_EQ(canvas.screen_image(1)->Width(), 5);
    for (int i = 0; i < 2; ++i) {
        const weftcpplib::CDIBData& image = *canvas.screen_image(i);
        EXPECT_TRUE(std::all_of(image.Pixels(), image.Pixels() + image.Count(), [](std::uint32_t p) { return p == 0; }))
            << "image " << i << " holds a picture of the old size";
    }
    EXPECT_EQ(canvas.cell_image(), field);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), field->Pixels()));

    // The next scene keeps the other monitors' sizes, with the primary's given anew.
    canvas.NewImages(14, 9, 7, 6);
    ASSERT_EQ(canvas.screen_image_count(), 2);
    EXPECT_EQ(canvas.screen_image(0)->Width(), 14);
    EXPECT_EQ(canvas.screen_image(1)->Width(), 5);
}

TEST_F(MultiMonitorCanvasTest, EachImageGoesToThePresenterOnceWithAllItsPlaces)
{
    ImageCanvas canvas(engine_, presenter_);
    canvas.SetScreenSizes({{16, 11}, {9, 13}});
    canvas.NewImages(16, 11, 7, 6);
    std::vector<BlitPlan> plans(4);
    for (BlitPlan& plan : plans)
        plan.kind = BlitKind::Copy;
    plans[0].dest = {0, 0, 16, 11};
    plans[1].screen_image = 1;
    plans[2].dest = {16, 0, 16, 11};
    plans[3].screen_image = 7; // no such image: skipped
    canvas.PresentMonitors(plans);
    ASSERT_EQ(presenter_.groups.size(), 2u);
    EXPECT_EQ(presenter_.groups[0].source, canvas.screen_image(0));
    ASSERT_EQ(presenter_.groups[0].plans.size(), 2u);
    EXPECT_EQ(presenter_.groups[0].plans[1].dest, (Rect{16, 0, 16, 11}));
    EXPECT_EQ(presenter_.groups[1].source, canvas.screen_image(1));

    presenter_.groups.clear();
    for (BlitPlan& plan : plans)
        plan.from_cell_image = true;
    canvas.PresentMonitors(plans);
    ASSERT_EQ(presenter_.groups.size(), 1u);
    EXPECT_EQ(presenter_.groups[0].source, canvas.cell_image());
    EXPECT_EQ(presenter_.groups[0].plans.size(), 4u);
}

namespace {

DisplayInfo TwoMonitors(int second_x)
{
    return {1920, 1080, {{0, 0, 1920, 1080}, {second_x, 0, 1280, 1024}},
            {std::min(0, second_x), 0, 3200, 1080}};
}

} // namespace

TEST(MultiMonitorFrameLoop, EveryMonitorIsPresentedFromTheImageOfItsSize)
{
    FrameRig rig;
    rig.automaton.width = 802;
    rig.automaton.height = 602;
    rig.store.current.tilling = core::TILE_GRID;
    rig.Create();
    rig.loop.SetDisplay(TwoMonitors(-1280));
    ASSERT_EQ(rig.canvas.screen_sizes.size(), 1u);
    EXPECT_EQ(rig.canvas.screen_sizes[0], (std::vector<Size>{{1920, 1080}, {1280, 1024}}));

    rig.Tick(0, 3200, 1080);
    // The scene's frame size is still drawn for the primary screen.
    EXPECT_EQ(rig.scenes.screens.at(0), (std::pair{1920, 1080}));
    EXPECT_EQ(rig.automaton.steps, 1);
    EXPECT_TRUE(rig.canvas.plans.empty());
    ASSERT_EQ(rig.canvas.monitor_frames.size(), 1u);
    const std::vector<BlitPlan>& plans = rig.canvas.monitor_frames[0];
    ASSERT_EQ(plans.size(), 2u);
    EXPECT_EQ(plans[0].kind, BlitKind::Copy);
    EXPECT_EQ(plans[0].screen_image, 0);
    EXPECT_EQ(plans[0].dest, (Rect{1280, 0, 1920, 1080}));
    EXPECT_EQ(plans[1].screen_image, 1);
    EXPECT_EQ(plans[1].source, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(plans[1].dest, (Rect{0, 0, 1280, 1024}));

    rig.store.current.tilling = core::TILE_FIT;
    rig.Tick(0, 3200, 1080);
    ASSERT_EQ(rig.canvas.monitor_frames.size(), 2u);
    for (const BlitPlan& plan : rig.canvas.monitor_frames[1])
        EXPECT_EQ(plan.kind, BlitKind::FitStretch);
    EXPECT_EQ(rig.canvas.monitor_frames[1][1].dest, (Rect{0, 0, 1280, 1024}));
}

TEST(MultiMonitorFrameLoop, OneMonitorIsDrawnAsASingleScreen)
{
    FrameRig rig;
    rig.Create();
    rig.loop.SetDisplay({1920, 1080, {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}});
    rig.Tick();
    EXPECT_TRUE(rig.canvas.monitor_frames.empty());
    ASSERT_EQ(rig.canvas.plans.size(), 1u);
    EXPECT_EQ(rig.canvas.plans[0].kind, BlitKind::Copy);
    EXPECT_EQ(rig.canvas.plans[0].dest, (Rect{0, 0, 1920, 1080}));
}

TEST(MultiMonitorFrameLoop, DisplayChangeRelaysTheMonitorsAndTheNextScenesSize)
{
    FrameRig rig;
    rig.Create();
    rig.loop.SetDisplay(TwoMonitors(-1280));
    rig.Tick(0, 3200, 1080);

    // The second monitor moves to the right and the primary gets larger.
    rig.loop.SetDisplay({2560, 1440, {{0, 0, 2560, 1440}, {2560, 0, 1280, 1024}}, {0, 0, 3840, 1440}});
    EXPECT_EQ(rig.canvas.screen_sizes.back(), (std::vector<Size>{{2560, 1440}, {1280, 1024}}));
    rig.Tick(0, 3840, 1440);
    EXPECT_EQ(rig.canvas.monitor_frames.back()[1].dest, (Rect{2560, 0, 1280, 1024}));
    EXPECT_EQ(rig.automaton.steps, 2); // the same automaton goes on

    // Back to one monitor: a single screen again, and the next scene is drawn for its size.
    rig.loop.SetDisplay({1600, 900, {{0, 0, 1600, 900}}, {0, 0, 1600, 900}});
    rig.automaton.dies_at_step = 3;
    rig.Tick(0, 1600, 900);
    EXPECT_EQ(rig.scenes.screens.back(), (std::pair{1600, 900}));
    EXPECT_EQ(rig.canvas.images.back().sw, 1600);
    EXPECT_EQ(rig.canvas.plans.back().dest, (Rect{0, 0, 1600, 900}));
}
