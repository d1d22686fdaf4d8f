#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "weftcpplib/WeftException.h"

using weftcpplib::WeftException;
using weftcpplib::WeftExceptionF;

TEST(Exception, PlainExceptionPointsAtItsMessage)
{
    static const wchar_t text[] = L"メッセージ";
    const WeftException e(text);
    const WeftException copy = e;
    EXPECT_EQ(e.Message(), text);
    EXPECT_EQ(copy.Message(), text);
}

TEST(Exception, FormattedMessageFillsTheTemplate)
{
    const WeftExceptionF e(L"weftcpplib::weft2dmapper<short>::at(%d,%d) 横位置または縦位置が範囲外です", 10, 0);
    EXPECT_EQ(std::wstring(e.Message()), L"weftcpplib::weft2dmapper<short>::at(10,0) 横位置または縦位置が範囲外です");

    const WeftExceptionF named(L"%ls=%d", L"幅", -3);
    EXPECT_EQ(std::wstring(named.Message()), L"幅=-3");
    const WeftException& base = named;
    EXPECT_EQ(std::wstring(base.Message()), L"幅=-3");
}

TEST(Exception, AllFormattedExceptionsShowTheLastMessage)
{
    const WeftExceptionF first(L"first %d", 1);
    const WeftExceptionF second(L"second %d", 2);
    EXPECT_EQ(std::wstring(first.Message()), L"second 2");
    EXPECT_EQ(first.Message(), second.Message());
}

TEST(Exception, LongMessagesAreCutToTheBuffer)
{
    const std::wstring long_text(1000, L'範');
    const WeftExceptionF e(L"[%ls]", long_text.c_str());
    const std::wstring message = e.Message();
    EXPECT_EQ(message.size(), WeftExceptionF::kBufferUnits - 1);
    EXPECT_EQ(message.substr(0, 3), L"[範範");
}

TEST(Exception, ThrownByValueAndCaughtByBase)
{
    try {
        throw WeftExceptionF(L"code %d", 7);
    } catch (const WeftException& e) {
        EXPECT_STREQ(e.Message(), L"code 7");
        return;
    }
    FAIL() << "not caught";
}
