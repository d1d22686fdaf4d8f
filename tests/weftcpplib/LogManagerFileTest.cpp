#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LogManagerFixture.h"
#include "platform/Files.h"
#include "platform/LogFile.h"
#include "weftcpplib/CWeftLogManager.h"

using namespace weftcpplib;
using tessel_test::kBom;
using tessel_test::kFixedStamp;
using tessel_test::Utf16Bytes;

namespace {

using Names = std::vector<std::wstring>;

class LogFile : public tessel_test::LogFolderTest {
protected:
    void Configure(CWeftLogManager& log, int generations, int level = LOG_NONE, const wchar_t* base = L"T_")
    {
        log.Configure(folder_.c_str(), base, generations, level);
    }
};

TEST_F(LogFile, NewFileStartsWithBomAndStampedLines)
{
    CWeftLogManager log;
    EXPECT_STREQ(log.GetFilePath(), L"");
    Configure(log, 2);
    log.Print(LOG_INFO, L"abc");
    log.Print(LOG_INFO, L"%ls=%d", L"幅", 640);
    EXPECT_EQ(std::wstring(log.GetFilePath()), Path(L"T_0.log"));
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"abc", L"幅=640"}));
}

TEST_F(LogFile, TaggedLinesRightAlignTheLevelName)
{
    CWeftLogManager log;
    Configure(log, 1);
    log.Write(LOG_INFO, L"C:\\x\\y\\Foo.cpp", 12, L"abc");
    log.Write(LOG_DEBUG, L"Bar.cpp", 3, L"d");
    log.PrintAt(LOG_WARN, L"D:Baz.cpp", 40, L"%ls %d%%", L"w", 5);
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L" INFO [Foo.cpp:12] abc", L"DEBUG [Bar.cpp:3] d", L" WARN [Baz.cpp:40] w 5%"}));
}

TEST_F(LogFile, FirstLineRotatesTwoGenerations)
{
    Put(L"T_0.log", "zero");
    Put(L"T_1.log", "one");
    Put(L"T_5.log", "five");
    {
        CWeftLogManager log;
        Configure(log, 2);
        log.Print(LOG_INFO, L"first");
        log.Print(LOG_INFO, L"second"); // same file: no second rotation
    }
    EXPECT_EQ(Files(), (Names{L"T_0.log", L"T_1.log"}));
    EXPECT_EQ(Read(L"T_1.log"), "zero");
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"first", L"second"}));

    // A new run (or a Configure) rotates again.
    CWeftLogManager next;
    Configure(next, 2);
    next.Print(LOG_INFO, L"third");
    next.Close();
    EXPECT_EQ(Read(L"T_1.log"), NewLog({L"first", L"second"}));
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"third"}));
}

TEST_F(LogFile, OneGenerationReplacesTheFileWithoutMoving)
{
    Put(L"T_0.log", "zero");
    CWeftLogManager log;
    Configure(log, 1);
    log.Print(LOG_INFO, L"new");
    log.Close();
    EXPECT_EQ(Files(), (Names{L"T_0.log"}));
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"new"}));
}

TEST_F(LogFile, FileThatCannotBeMovedIsAppendedWithoutSecondBom)
{
    // A folder in generation 1's place can neither be deleted nor replaced.
    std::filesystem::create_directory(std::filesystem::path(Path(L"T_1.log")));
    const std::string old = NewLog({L"old"});
    Put(L"T_0.log", old);
    CWeftLogManager log;
    Configure(log, 2);
    log.Print(LOG_INFO, L"more");
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), old + Utf16Bytes(std::wstring(kFixedStamp) + L"more\r\n"));
}

TEST_F(LogFile, PercentSignsInTheBaseNameAreLiteral)
{
    const wchar_t* base = L"Tessel_%%%%%%_";
    Put(L"Tessel_%%%%%%_0.log", "previous");
    CWeftLogManager log;
    Configure(log, 2, LOG_DEBUG, base);
    log.Print(LOG_INFO, L"%ls", L"****** make scenario");
    EXPECT_EQ(std::wstring(log.GetFilePath()), Path(L"Tessel_%%%%%%_0.log"));
    log.Close();
    EXPECT_EQ(Files(), (Names{L"Tessel_%%%%%%_0.log", L"Tessel_%%%%%%_1.log"}));
    EXPECT_EQ(Read(L"Tessel_%%%%%%_1.log"), "previous");
    EXPECT_EQ(Read(L"Tessel_%%%%%%_0.log"), NewLog({L"****** make scenario"}));
}

TEST_F(LogFile, StopsAfterMaximumLinesWithNoticeUntilReopened)
{
    CWeftLogManager log;
    Configure(log, 2);
    log.SetMaxLines(3);
    for (int i = 1; i <= 5; ++i)
        log.Print(LOG_INFO, L"line %d", i);
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"line 1", L"line 2", L"line 3"}) + Utf16Bytes(L"出力数が最大に達しました。\r\n"));

    // Reopening (here after Close) starts counting again in a fresh file.
    log.Print(LOG_INFO, L"line 6");
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"line 6"}));
}

TEST_F(LogFile, ZeroMaximumLinesWritesNothing)
{
    CWeftLogManager log;
    Configure(log, 2);
    log.SetMaxLines(0);
    log.Print(LOG_FATAL, L"never");
    log.Dump(L"never", "x", 1);
    log.Close();
    EXPECT_TRUE(Files().empty());
}

TEST_F(LogFile, DeleteOldFilesReadsNumbersLikeAtoi)
{
    for (const wchar_t* name : {L"T_.log", L"T_ 3.log", L"T_+4.log", L"T_-2.log", L"T_7x.log", L"T_2.log",
                                L"T_1.log", L"T_0.log", L"T_12.log", L"other9.log", L"T_9.txt"})
        Put(name, "x");
    CWeftLogManager log;
    Configure(log, 10);
    log.DeleteOldFiles(2);
    EXPECT_EQ(Files(), (Names{L"T_-2.log", L"T_.log", L"T_0.log", L"T_1.log", L"T_9.txt", L"other9.log"}));

    // Missing digits count as 0, so nothing of the set survives a bound of 0.
    log.DeleteOldFiles(0);
    EXPECT_EQ(Files(), (Names{L"T_-2.log", L"T_9.txt", L"other9.log"}));
}

TEST_F(LogFile, FirstLineDeletesGenerationsBeyondTheSet)
{
    for (const wchar_t* name : {L"T_1.log", L"T_2.log", L"T_10.log"})
        Put(name, "x");
    CWeftLogManager log;
    Configure(log, 3);
    log.Print(LOG_INFO, L"a");
    log.Close();
    // 1 became 2 (old 2 deleted first), 10 is beyond the set.
    EXPECT_EQ(Files(), (Names{L"T_0.log", L"T_2.log"}));
}

TEST_F(LogFile, NoGenerationsMeansNoFileAndAnEmptySet)
{
    for (const wchar_t* name : {L"T_0.log", L"T_1.log", L"T_.log", L"U_0.log"})
        Put(name, "x");
    CWeftLogManager log;
    Configure(log, 0);
    log.Print(LOG_INFO, L"dropped");
    log.Close();
    EXPECT_EQ(Files(), (Names{L"U_0.log"}));
}

TEST_F(LogFile, NegativeGenerationsKeepThePreviousCount)
{
    Put(L"T_0.log", "zero");
    CWeftLogManager log;
    Configure(log, 2);
    log.Configure(-1, LOG_DEBUG);
    log.Print(LOG_INFO, L"a");
    log.Close();
    EXPECT_EQ(Read(L"T_1.log"), "zero");
}

TEST_F(LogFile, OpenFailureIsSilentAndRetriedByTheNextLine)
{
    CWeftLogManager log;
    const std::wstring missing = folder_ + L"later" + platform::kPathSeparator;
    log.Configure(missing.c_str(), L"T_", 2, LOG_NONE);
    EXPECT_NE(log.Open(), 0);
    log.Print(LOG_INFO, L"lost");
    std::filesystem::create_directory(std::filesystem::path(missing));
    log.Print(LOG_INFO, L"kept");
    log.Close();
    EXPECT_EQ(Read(L"later" + std::wstring(1, platform::kPathSeparator) + L"T_0.log"), NewLog({L"kept"}));
}

TEST_F(LogFile, OverlongNamesTouchNoFile)
{
    CWeftLogManager log;
    const std::wstring base(250, L'b');
    Configure(log, 2, LOG_NONE, base.c_str());
    EXPECT_EQ(static_cast<std::uint32_t>(log.Open()), platform::NameTooLongError());
    log.Print(LOG_INFO, L"x");
    log.DeleteOldFiles(0);
    EXPECT_TRUE(Files().empty());
}

TEST_F(LogFile, LongMessageIsCutAndKeepsItsLineEnd)
{
    CWeftLogManager log;
    Configure(log, 1);
    const std::wstring long_text(2000, L'x');
    log.Print(LOG_INFO, L"%ls", long_text.c_str());
    log.Write(LOG_INFO, L"Foo.cpp", 1, long_text.c_str());
    log.Print(LOG_INFO, L"after");
    log.Close();
    // 511 units per line: the 24-unit stamp, the message, CR LF.
    const std::wstring cut(511 - 24 - 2, L'x');
    const std::wstring tagged = L" INFO [Foo.cpp:1] " + std::wstring(511 - 24 - 2 - 18, L'x');
    EXPECT_EQ(Read(L"T_0.log"), NewLog({cut, tagged, L"after"}));
}

TEST_F(LogFile, DumpWritesCaptionAndHexBytes)
{
    CWeftLogManager log;
    Configure(log, 1, LOG_INFO);
    const unsigned char bytes[] = {0x0A, 0xFF};
    log.Dump(L"id", bytes, 2);
    log.Dump(LOG_DEBUG, L"hidden", bytes, 2);
    log.Dump(LOG_INFO, L"shown", bytes, 1);
    log.Dump(L"none", bytes, 0);

    // A long dump is cut like any long line, never overflowing.
    std::vector<unsigned char> many(600, 0xAB);
    log.Dump(L"id", many.data(), static_cast<int>(many.size()));
    log.Close();
    std::wstring full = L"id";
    while (full.size() < 511)
        full += L" AB";
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"id 0A FF", L"shown 0A", L"none", full.substr(0, 511 - 26)}));
}

TEST_F(LogFile, SystemErrorCarriesTheSystemTextUntrimmed)
{
    const std::uint32_t not_found = 2; // ENOENT / ERROR_FILE_NOT_FOUND
    std::wstring text;
    ASSERT_TRUE(platform::SystemErrorText(not_found, text));
    CWeftLogManager log;
    Configure(log, 1);
    log.WriteSystemError(LOG_ERROR, L"C:\\src\\WeftConfig.cpp", 7, not_found);
    log.WriteSystemError(LOG_ERROR, L"Tessel.cpp", 8, 0x7FFFFFF0u);
    log.WriteSystemError(LOG_NONE, L"Tessel.cpp", 9, not_found);
    log.Close();
    EXPECT_EQ(Read(L"T_0.log"), NewLog({L"ERROR [WeftConfig.cpp:7] " + text, L"ERROR [Tessel.cpp:8] "}));
}

TEST_F(LogFile, DefaultsNameTheSetAfterTheProgram)
{
    std::wstring program;
    std::uint32_t error = 0;
    ASSERT_TRUE(platform::ModuleFilePath(program, error));
    const std::filesystem::path program_path(program);
    CWeftLogManager log;
    log.Configure(1, LOG_NONE);
    log.Print(LOG_INFO, L"default");
    const std::wstring path = log.GetFilePath();
    log.Close();
    std::filesystem::remove(std::filesystem::path(path));
    EXPECT_EQ(path, program.substr(0, program.size() - program_path.filename().wstring().size()) +
                        program_path.stem().wstring() + L"0.log");
}

TEST(LogProcess, OneInstanceForTheProcess)
{
    EXPECT_EQ(&WeftLog(), &WeftLog());
}

} // namespace
