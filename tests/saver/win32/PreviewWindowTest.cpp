#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "saver/win32/HostState.h"

// The preview run in a parent window of this process. Under Wine a child
// window of another process is drawn nowhere, so the end-to-end preview can
// check the window but not its picture; here the saver's own class and frame
// loop paint into a parent whose pixels the test reads back.
namespace {

constexpr UINT_PTR kLookTimer = 7;
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Look {
    int ticks = 0;
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

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_TIMER && wparam == kLookTimer) {
        ++look.ticks;
        if (HWND child = FindWindowExW(window, nullptr, saver::kSaverClassName, saver::kPreviewTitle)) {
            look.child_seen = true;
            GetClientRect(child, &look.child_client);
        }
        if (look.ticks == 10)
            look.first = Sample(window);
        if (look.ticks == 40) {
            look.last = Sample(window);
            // The preview ends with its parent.
            DestroyWindow(window);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

int CountNot(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    int count = 0;
    for (COLORREF pixel : pixels)
        count += pixel != colour ? 1 : 0;
    return count;
}

TEST(PreviewWindow, FillsItsParentPaintsAChangingPictureAndEndsWithIt)
{
    saver::Host().instance = GetModuleHandleW(nullptr);
    WNDCLASSW cls{};
    cls.lpfnWndProc = ParentProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = L"TesselPreviewParentTest";
    RegisterClassW(&cls);
    HWND parent = CreateWindowExW(0, cls.lpszClassName, L"Preview parent", WS_POPUP | WS_VISIBLE, 40, 40, 320, 240,
                                  nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_NE(SetTimer(parent, kLookTimer, 50, nullptr), 0u);

    EXPECT_EQ(saver::RunSaver(parent), 0);
    saver::Host().preview_mode = false;

    EXPECT_FALSE(IsWindow(parent));
    ASSERT_TRUE(look.child_seen);
    EXPECT_EQ(look.child_client.right, 320);
    EXPECT_EQ(look.child_client.bottom, 240);
    ASSERT_EQ(look.first.size(), look.last.size());
    ASSERT_FALSE(look.last.empty());
    // The picture is either lively or changing: a sparse scene may be all its
    // dead-cell colour for a while, but not for two seconds and unchanged,
    // and never the parent's own white.
    EXPECT_GT(CountNot(look.last, kWhite), 0);
    const bool changed = look.first != look.last;
    const bool coloured = CountNot(look.last, look.last.front()) > 0;
    EXPECT_TRUE(changed || coloured);
}

} // namespace
