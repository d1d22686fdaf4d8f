#include <gtest/gtest.h>

#include "saver/InputPolicy.h"
#include "saver/PasswordGate.h"

using namespace saver;

TEST(MouseThreshold, FourPixelsOfTravelAreJitter)
{
    EXPECT_FALSE(MouseMovedBeyondThreshold({100, 100}, {103, 101}));
    EXPECT_TRUE(MouseMovedBeyondThreshold({100, 100}, {103, 102}));
    EXPECT_FALSE(MouseMovedBeyondThreshold({100, 100}, {96, 100}));
    EXPECT_TRUE(MouseMovedBeyondThreshold({100, 100}, {97, 98}));
}

TEST(PointerMove, AMoveInAChangedVirtualScreenIsTheLayoutsNotTheUsers)
{
    const ScreenArea one{0, 0, 1920, 1080};
    const ScreenArea added_left{-1280, 0, 3200, 1080};
    const struct {
        PointerPlace origin, now;
        PointerAction want;
    } cases[] = {
        {{{960, 540}, one}, {{963, 541}, one}, PointerAction::Stay},
        {{{960, 540}, one}, {{963, 542}, one}, PointerAction::Close},
        // A monitor added on the left: the same spot is 1280 further left.
        {{{960, 540}, one}, {{-320, 540}, added_left}, PointerAction::Rebase},
        {{{960, 540}, one}, {{960, 540}, added_left}, PointerAction::Rebase},
        {{{-320, 540}, added_left}, {{960, 540}, one}, PointerAction::Rebase},
        {{{-320, 540}, added_left}, {{-300, 540}, added_left}, PointerAction::Close},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecidePointerMove(c.origin, c.now), c.want) << c.now.point.x << "," << c.now.screen.left;
}

TEST(PowerBroadcast, DecisionTable)
{
    EXPECT_EQ(DecidePowerBroadcast(0, 0), PowerAction::AllowSuspend);
    for (std::uintptr_t e : {1u, 2u, 3u, 4u, 5u, 9u})
        EXPECT_EQ(DecidePowerBroadcast(e, 1), PowerAction::Close) << e;
    for (std::uintptr_t e : {6u, 7u, 8u, 18u}) {
        EXPECT_EQ(DecidePowerBroadcast(e, 0), PowerAction::Close) << e;
        // A resume the system started by itself has nobody at the keyboard.
        EXPECT_EQ(DecidePowerBroadcast(e, 1), PowerAction::Ignore) << e;
    }
    EXPECT_EQ(DecidePowerBroadcast(10, 0), PowerAction::Ignore);
    EXPECT_EQ(DecidePowerBroadcast(0x8013, 0), PowerAction::Ignore);
    EXPECT_EQ(DecidePowerBroadcast(11, 0), PowerAction::Close);
    EXPECT_EQ(DecidePowerBroadcast(0x7777, 0), PowerAction::Close);
}

TEST(SysCommand, TaskSwitchingSwallowedMonitorPowerCloses)
{
    EXPECT_EQ(DecideSysCommand(0xF040), SysCommandAction::Swallow);
    EXPECT_EQ(DecideSysCommand(0xF052), SysCommandAction::Swallow); // low bits are the system's
    EXPECT_EQ(DecideSysCommand(0xF140), SysCommandAction::Swallow);
    EXPECT_EQ(DecideSysCommand(0xF170), SysCommandAction::CloseFirst);
    EXPECT_EQ(DecideSysCommand(0xF060), SysCommandAction::PassOn);
}

namespace {

class FakePrompt final : public PasswordPrompt {
public:
    bool HasVerifier() const override { return has_verifier; }
    std::uint32_t NowMs() override { return now; }
    void DropPendingTimers() override { ++dropped; }
    bool Ask() override
    {
        ++asked;
        return answer;
    }
    void HideCursor() override { ++hidden; }

    bool has_verifier = true;
    bool answer = false;
    std::uint32_t now = 1000;
    int asked = 0, dropped = 0, hidden = 0;
};

} // namespace

TEST(PasswordGate, NoVerifierAcceptsAtOnce)
{
    PasswordGate gate;
    FakePrompt prompt;
    prompt.has_verifier = false;
    EXPECT_TRUE(gate.Verify(prompt));
    EXPECT_TRUE(gate.accepted());
    EXPECT_EQ(prompt.asked, 0);
}

TEST(PasswordGate, RefusalBlocksPromptsFor200Ms)
{
    PasswordGate gate;
    FakePrompt prompt;
    EXPECT_FALSE(gate.Verify(prompt));
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(prompt.dropped, 1);
    EXPECT_EQ(prompt.hidden, 1);

    prompt.answer = true;
    prompt.now += 199;
    EXPECT_FALSE(gate.Verify(prompt)); // neither prompts nor closes
    EXPECT_EQ(prompt.asked, 1);

    prompt.now += 1;
    EXPECT_TRUE(gate.Verify(prompt));
    EXPECT_EQ(prompt.asked, 2);
    EXPECT_EQ(prompt.hidden, 1);
    // Once accepted no further prompt is made.
    EXPECT_FALSE(gate.Verify(prompt));
    EXPECT_EQ(prompt.asked, 2);
}

TEST(PasswordGate, RetryIntervalSurvivesTickWrap)
{
    PasswordGate gate;
    FakePrompt prompt;
    prompt.now = 0xFFFFFFF0u;
    EXPECT_FALSE(gate.Verify(prompt));
    prompt.now = 0x10; // 32 ms later
    prompt.answer = true;
    EXPECT_FALSE(gate.Verify(prompt));
    EXPECT_EQ(prompt.asked, 1);
}
