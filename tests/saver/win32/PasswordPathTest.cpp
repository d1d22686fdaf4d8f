#include <windows.h>

#include <gtest/gtest.h>

#include "saver/win32/PasswordServices.h"
#include "saver/win32/SaverWindow.h"
#include "saver/win32/ScreenGeometry.h"

// The older family's password path, driven on any system by setting the
// family flag and a fake verifier. The window under test hands every message
// to the saver window's default stage, as the frame stage does, so WM_CLOSE
// runs through VerifyPassword and the verifier is reached by the sent
// verification message.
namespace {

using saver::win32::SaverState;
using saver::win32::SaverWindow;

SaverState state;
SaverWindow saver_window(state, saver::win32::TheSaverSession());

struct FakeVerifier {
    BOOL answer = FALSE;
    int calls = 0;
    HWND asked_for = nullptr;
    bool check_running_seen = false;
    bool disturb = false; // send input and a close request while the prompt is up
};
FakeVerifier verifier_state;
int timer_ticks = 0;

BOOL WINAPI FakeVerify(HWND window)
{
    FakeVerifier& v = verifier_state;
    ++v.calls;
    v.asked_for = window;
    v.check_running_seen = state.password.check_running();
    if (v.disturb) {
        SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
        SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
    return v.answer;
}

LRESULT CALLBACK TestSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE)
        saver_window.Attach(window);
    if (message == WM_TIMER)
        ++timer_ticks;
    return saver_window.SaverDefaultProc(message, wparam, lparam);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

bool ClosePending(HWND window)
{
    MSG message;
    return PeekMessageW(&message, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
}

class PasswordPath : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW cls{};
        cls.lpfnWndProc = TestSaverProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"TesselPasswordPathTest";
        RegisterClassW(&cls);
        window_ = CreateWindowExW(0, cls.lpszClassName, L"Screen Saver", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                                  cls.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        Pump();

        verifier_state = FakeVerifier{};
        timer_ticks = 0;
        state.older_family = true;
        state.preview_mode = false;
        state.verifier = FakeVerify;
        state.password = saver::PasswordGate{};
    }

    void TearDown() override
    {
        state.older_family = false;
        state.verifier = nullptr;
        state.password = saver::PasswordGate{};
        if (IsWindow(window_))
            DestroyWindow(window_);
        Pump();
    }

    void RequestClose()
    {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        Pump();
    }

    HWND window_ = nullptr;
};

TEST_F(PasswordPath, RefusedPasswordKeepsTheSaverAndResetsTheCursorOrigin)
{
    state.cursor_origin = {-5000, -5000};
    RequestClose();

    EXPECT_EQ(verifier_state.calls, 1);
    EXPECT_EQ(verifier_state.asked_for, window_);
    EXPECT_TRUE(verifier_state.check_running_seen);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(state.password.accepted());
    EXPECT_FALSE(state.password.check_running());
    const saver::CursorPoint now = saver::win32::CurrentCursor();
    EXPECT_EQ(state.cursor_origin.x, now.x);
    EXPECT_EQ(state.cursor_origin.y, now.y);
}

TEST_F(PasswordPath, AcceptedPasswordClosesAndInputIsNoLongerWatched)
{
    verifier_state.answer = TRUE;
    RequestClose();

    EXPECT_EQ(verifier_state.calls, 1);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(state.password.accepted());

    // Once closing is allowed, a key press asks for nothing more.
    window_ = CreateWindowExW(0, L"TesselPasswordPathTest", L"Screen Saver", WS_POPUP, 0, 0, 64, 64, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    SendMessageW(window_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(ClosePending(window_));
}

TEST_F(PasswordPath, WithoutAVerifierTheSaverClosesUnasked)
{
    state.verifier = nullptr;
    EXPECT_EQ(SendMessageW(window_, saver::win32::MSG_VERIFY_PASSWORD, 0, 0), 1);
    RequestClose();
    EXPECT_EQ(verifier_state.calls, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(state.password.accepted());
}

TEST_F(PasswordPath, InputDuringThePromptStartsNoSecondCheck)
{
    verifier_state.disturb = true;
    // Sent, not posted: nothing may pump away a close request that the input
    // during the prompt would have queued.
    SendMessageW(window_, WM_CLOSE, 0, 0);

    // The nested close request and the input reach no second prompt and
    // leave no close request behind.
    EXPECT_EQ(verifier_state.calls, 1);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(ClosePending(window_));
}

TEST_F(PasswordPath, PendingTicksBeforeThePromptAreDroppedUpToTwo)
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
    for (int i = 0; i < 3; ++i)
        PostMessageW(window_, WM_TIMER, saver::win32::kFrameTimerId, 0);
    Pump();
    EXPECT_EQ(verifier_state.calls, 1);
    EXPECT_EQ(timer_ticks, 1);
}

TEST_F(PasswordPath, NewerFamilyNeverAsks)
{
    state.older_family = false;
    // The verification message is not the saver's own there.
    EXPECT_EQ(SendMessageW(window_, saver::win32::MSG_VERIFY_PASSWORD, 0, 0), 0);
    RequestClose();
    EXPECT_EQ(verifier_state.calls, 0);
    EXPECT_FALSE(IsWindow(window_));
}

} // namespace
