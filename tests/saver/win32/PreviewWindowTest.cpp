#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "config/SceneData.h"
#include "saver/SeededRandom.h"
#include "saver/win32/ProcessObjects.h"
#include "saver/win32/RunSaver.h"
#include "saver/win32/SaverWindow.h"

// The preview run in a parent window of this process. Under Wine a child
// window of another process is drawn nowhere, so the end-to-end preview can
// check the window but not its picture; here the saver's own class and frame
// loop paint into a parent whose pixels the test reads back. Each run plays
// a chosen scene from a seeded source, and waits are counted in the test's
// own looks at the picture, generous for a busy machine.
namespace {

constexpr UINT_PTR kLookTimer = 7;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kMaxLooks = 600; // 30 s of 50 ms looks

struct Look {
    bool must_change = false;
    int looks = 0;
    bool child_seen = false;
    RECT child_client{};
    std::vector<COLORREF> first, last;
};
Look look;

std::vector<COLORREF> Sample(HWND window)
{
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 5; y < 240; y += 10)
        for (int x = 5; x < 320; x += 10)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

// Neither the parent's white nor the empty window's black: a frame is shown.
bool Painted(const std::vector<COLORREF>& pixels)
{
    for (COLORREF pixel : pixels)
        if (pixel != kWhite && pixel != kBlack)
            return true;
    return false;
}

// Ends the run (the preview ends with its parent) once the picture is
// painted, and for a lively scene once it has changed too.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_TIMER && wparam == kLookTimer) {
        ++look.looks;
        if (HWND child = FindWindowExW(window, nullptr, saver::win32::kSaverClassName, saver::win32::kPreviewTitle)) {
            look.child_seen = true;
            GetClientRect(child, &look.child_client);
        }
        look.last = Sample(window);
        if (look.first.empty() && Painted(look.last))
            look.first = look.last;
        const bool done = !look.first.empty() && (!look.must_change || look.first != look.last);
        if (done || look.looks >= kMaxLooks)
            DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// The settings of the run: no data file, one scene played.
void PlayOnly(std::int16_t scene_no)
{
    weft_config.data_file_path.clear();
    weft_config.user_data_file_path.clear();
    weft_config.settings.play = config::PLAY_RULE_SELECT;
    for (std::size_t i = 0; i < weft_config.scene_list.size(); ++i)
        if (weft_config.scene_list[i].no == scene_no)
            weft_config.settings.select = static_cast<std::int32_t>(i);
    scene_scheduler.play_list.clear();
}

HWND MakeParent()
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = ParentProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = L"TesselPreviewParentTest";
    RegisterClassW(&cls);
    return CreateWindowExW(0, cls.lpszClassName, L"Preview parent", WS_POPUP | WS_VISIBLE, 40, 40, 320, 240, nullptr,
                           nullptr, cls.hInstance, nullptr);
}

// Filling the parent, painting it and ending with it hold for any scene:
// scene 1, the flattest (one colour for its first seconds), shows them.
// A lively scene (3) must also change.
struct PreviewCase {
    std::int16_t scene;
    bool must_change;
};

TEST(PreviewWindow, FillsItsParentPaintsItAndEndsWithIt)
{
    for (const PreviewCase c : {PreviewCase{1, false}, PreviewCase{3, true}}) {
        SCOPED_TRACE(c.scene);
        saver::win32::SaverState state;
        state.instance = GetModuleHandleW(nullptr);
        saver::SeededRandom random(7);
        platform::ScopedRandomSource seeded(random);
        PlayOnly(c.scene);
        look = {};
        look.must_change = c.must_change;
        HWND parent = MakeParent();
        ASSERT_NE(parent, nullptr);
        ASSERT_NE(SetTimer(parent, kLookTimer, 50, nullptr), 0u);

        EXPECT_EQ(saver::win32::RunSaver(state, parent), 0);

        EXPECT_FALSE(IsWindow(parent));
        EXPECT_EQ(weft_config.current_scene.no, c.scene);
        ASSERT_TRUE(look.child_seen);
        EXPECT_EQ(look.child_client.right, 320);
        EXPECT_EQ(look.child_client.bottom, 240);
        EXPECT_TRUE(Painted(look.first)) << "never painted in " << look.looks << " looks";
        if (c.must_change) {
            EXPECT_NE(look.first, look.last) << "unchanged after " << look.looks << " looks";
        }
    }
}

// A window that cannot be made fails the run instead of ending it quietly.
TEST(PreviewWindow, AParentThatIsGoneFailsTheRun)
{
    saver::win32::SaverState state;
    state.instance = GetModuleHandleW(nullptr);
    HWND parent = MakeParent();
    ASSERT_NE(parent, nullptr);
    DestroyWindow(parent);
    EXPECT_EQ(saver::win32::RunSaver(state, parent), -1);
}

} // namespace
