#include <gtest/gtest.h>

#include <string>

#include "LogManagerFixture.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/LogFileSet.h"
#include "weftcpplib/LogLine.h"

using namespace weftcpplib;

namespace {

class LogLevels : public tessel_test::LogFolderTest {
protected:
    // Writes one line per kind of call at `level` and returns the file's text.
    std::string WriteAllKinds(int minimum_level, int level)
    {
        CWeftLogManager log;
        log.Configure(folder_.c_str(), L"L_", 1, minimum_level);
        log.Print(level, L"print");
        log.Write(level, L"a.cpp", 1, L"write");
        log.PrintAt(level, L"a.cpp", 2, L"%ls", L"printat");
        log.Dump(level, L"dump", "\x01", 1);
        log.WriteLine(L"%ls", L"end");
        log.Close();
        return Read(L"L_0.log");
    }
};

TEST_F(LogLevels, PrintHasNoRangeCheckButTaggedLinesDo)
{
    EXPECT_EQ(WriteAllKinds(LOG_NONE, LOG_NONE), NewLog({L"print", L"dump 01", L"end"}));
    EXPECT_EQ(WriteAllKinds(LOG_NONE, 6), NewLog({L"print", L"dump 01", L"end"}));
    EXPECT_EQ(WriteAllKinds(LOG_DEBUG, LOG_NONE), NewLog({L"end"}));
}

TEST_F(LogLevels, MinimumLevelDropsLowerLines)
{
    EXPECT_EQ(WriteAllKinds(LOG_WARN, LOG_INFO), NewLog({L"end"}));
    EXPECT_EQ(WriteAllKinds(LOG_WARN, LOG_ERROR),
              NewLog({L"print", L"ERROR [a.cpp:1] write", L"ERROR [a.cpp:2] printat", L"dump 01", L"end"}));
}

TEST_F(LogLevels, LevelNamesConfigureTheMinimum)
{
    CWeftLogManager log;
    log.Configure(folder_.c_str(), L"L_", 1, L"info"); // unknown: nothing tagged passes
    log.Write(LOG_FATAL, L"a.cpp", 1, L"hidden");
    log.Print(5, L"five");
    log.Print(6, L"six");
    log.Configure(1, L"WARN");
    log.Write(LOG_WARN, L"a.cpp", 2, L"shown");
    log.Write(LOG_INFO, L"a.cpp", 3, L"hidden");
    log.Close();
    EXPECT_EQ(Read(L"L_0.log"), NewLog({L" WARN [a.cpp:2] shown"}));
}

TEST(LogLevelNames, LookupIsExactAndCaseSensitive)
{
    const wchar_t* names[] = {L"DEBUG", L"INFO", L"WARN", L"ERROR", L"FATAL"};
    for (int level = 1; level <= 5; ++level) {
        EXPECT_EQ(CWeftLogManager::LevelFromName(names[level - 1]), level);
        EXPECT_STREQ(CWeftLogManager::LevelName(level), names[level - 1]);
    }
    for (const wchar_t* other : {L"info", L"NONE", L"", L"INFO ", L"DEBUGX"})
        EXPECT_EQ(CWeftLogManager::LevelFromName(other), 6) << other;
    EXPECT_EQ(CWeftLogManager::LevelFromName(nullptr), 6);
    EXPECT_STREQ(CWeftLogManager::LevelName(LOG_NONE), L"NONE");
}

TEST(LogShortFileName, BackslashThenColonOtherwiseWhole)
{
    EXPECT_STREQ(CWeftLogManager::ShortFileName(L"C:\\x\\y\\Foo.cpp"), L"Foo.cpp");
    EXPECT_STREQ(CWeftLogManager::ShortFileName(L"D:Foo.cpp"), L"Foo.cpp");
    EXPECT_STREQ(CWeftLogManager::ShortFileName(L"a/b/Foo.cpp"), L"a/b/Foo.cpp");
    EXPECT_STREQ(CWeftLogManager::ShortFileName(L"x:\\a:b"), L"a:b");
    EXPECT_STREQ(CWeftLogManager::ShortFileName(L"dir\\"), L"");
    EXPECT_STREQ(CWeftLogManager::ShortFileName(nullptr), L"");
}

TEST(LogGenerationNumber, ReadsLikeAtoiAfterTheBaseName)
{
    EXPECT_EQ(LogGenerationNumber(L"T_12.log", 2), 12);
    EXPECT_EQ(LogGenerationNumber(L"T_.log", 2), 0);
    EXPECT_EQ(LogGenerationNumber(L"T_ \t-7.log", 2), -7);
    EXPECT_EQ(LogGenerationNumber(L"T_+3x.log", 2), 3);
    EXPECT_EQ(LogGenerationNumber(L"T_- 3.log", 2), 0);
    EXPECT_EQ(LogGenerationNumber(L"T", 5), 0);
    EXPECT_EQ(LogGenerationNumber(L"T_99999999999999999999.log", 2), 2147483647);
    EXPECT_EQ(LogGenerationNumber(L"T_-99999999999999999999.log", 2), -2147483647 - 1);
}

TEST(LogLineFormat, StampMessageAndLineEnd)
{
    wchar_t line[kLogLineUnits];
    const platform::LocalTime time{987, 12, 31, 23, 59, 5, 7};
    EXPECT_EQ(FormatLogLine(line, kLogLineUnits, time, L"abc"), 29u);
    EXPECT_STREQ(line, L"0987/12/31 23:59:05.007 abc\r\n");

    // Cut short, the line still ends with CR LF inside the buffer.
    wchar_t small[12];
    EXPECT_EQ(FormatLogLine(small, 12, time, L"abc"), 11u);
    EXPECT_STREQ(small, L"0987/12/3\r\n");
}

TEST(LogLineFormat, CutNeverSplitsASurrogatePair)
{
    if constexpr (sizeof(wchar_t) != 2)
        GTEST_SKIP() << "wchar_t holds whole code points here";
    const platform::LocalTime time{2026, 3, 6, 7, 8, 9, 45};
    // 28 units: the cut for CR LF falls between the two units of the pair.
    const std::wstring message = L"a\xD83D\xDE00";
    wchar_t line[29];
    const std::size_t length = FormatLogLine(line, 29, time, message.c_str());
    EXPECT_EQ(std::wstring(line, length), L"2026/03/06 07:08:09.045 a\r\n");
}

} // namespace
