#include <gtest/gtest.h>

#include "saver/CommandLine.h"

using saver::ParseSaverCommand;
using saver::ParseWindowHandle;
using saver::SaverMode;
using saver::SkipProgramName;

namespace {

void ExpectCommand(const wchar_t* line, SaverMode mode, std::uintptr_t window)
{
    const auto command = ParseSaverCommand(line);
    EXPECT_EQ(command.mode, mode) << "line: " << testing::PrintToString(std::wstring(line));
    EXPECT_EQ(command.window, window) << "line: " << testing::PrintToString(std::wstring(line));
}

} // namespace

TEST(SaverCommandLine, FullScreenInAnySpelling)
{
    ExpectCommand(L"/s", SaverMode::FullScreen, 0);
    ExpectCommand(L"-S", SaverMode::FullScreen, 0);
    ExpectCommand(L"s", SaverMode::FullScreen, 0);
    ExpectCommand(L" -/ /S 1234", SaverMode::FullScreen, 0);
}

TEST(SaverCommandLine, PreviewTakesTheHandleWithOrWithoutSpace)
{
    ExpectCommand(L"/p 1234", SaverMode::Preview, 1234);
    ExpectCommand(L"/p1234", SaverMode::Preview, 1234);
    ExpectCommand(L"/P   77x", SaverMode::Preview, 77);
    ExpectCommand(L"/l 5", SaverMode::Preview, 5);
    // Without a number the caller finds no window and refuses.
    ExpectCommand(L"/p", SaverMode::Preview, 0);
    ExpectCommand(L"/p abc", SaverMode::Preview, 0);
}

TEST(SaverCommandLine, SettingsDialogParentOnlyAfterColon)
{
    ExpectCommand(L"/c:1234", SaverMode::SettingsOver, 1234);
    ExpectCommand(L"/c 1234", SaverMode::SettingsOver, 0);
    ExpectCommand(L"/C", SaverMode::SettingsOver, 0);
    ExpectCommand(L"", SaverMode::Settings, 0);
    ExpectCommand(L"  /-", SaverMode::Settings, 0);
}

TEST(SaverCommandLine, PasswordChangeAndUnknownLetters)
{
    ExpectCommand(L"/a 99", SaverMode::ChangePassword, 99);
    ExpectCommand(L"/x", SaverMode::Invalid, 0);
    ExpectCommand(L"/1234", SaverMode::Invalid, 0);
    ExpectCommand(L"\t/s", SaverMode::Invalid, 0);
}

TEST(SaverCommandLine, WindowHandleDigitsOnly)
{
    EXPECT_EQ(ParseWindowHandle(L"0042abc"), 42u);
    EXPECT_EQ(ParseWindowHandle(L""), 0u);
    EXPECT_EQ(ParseWindowHandle(L"-5"), 0u);
    // Too large for a handle: no window rather than a wrapped one.
    EXPECT_EQ(ParseWindowHandle(L"99999999999999999999999"), 0u);
}

TEST(SaverCommandLine, ProgramNameIsSkipped)
{
    EXPECT_STREQ(SkipProgramName(L"\"C:\\Program Files\\Tessel.scr\"  /s"), L"/s");
    EXPECT_STREQ(SkipProgramName(L"C:\\Tessel.scr /p 12"), L"/p 12");
    EXPECT_STREQ(SkipProgramName(L"Tessel.scr"), L"");
    // An unclosed quote takes the rest of the line as the name.
    EXPECT_STREQ(SkipProgramName(L"\"C:\\a b /s"), L"");
    EXPECT_STREQ(SkipProgramName(L"Tessel.scr\t /c:5"), L"/c:5");
}
