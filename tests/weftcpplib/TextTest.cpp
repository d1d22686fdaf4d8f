#include <gtest/gtest.h>

#include <string>

#include "platform/Utf16.h"
#include "weftcpplib/WideFormat.h"

using namespace weftcpplib;
using namespace platform;

TEST(WideFormat, FormatsWideStringsWithLs)
{
    wchar_t buffer[64];
    const auto n = FormatWide(buffer, 64, L"%ls:%d", L"範囲", 42);
    EXPECT_EQ(std::wstring(buffer), L"範囲:42");
    EXPECT_EQ(n, 5u);
}

TEST(WideFormat, CutsLongTextAndAlwaysTerminates)
{
    wchar_t buffer[8];
    const std::wstring long_text(300, L'x');
    const auto n = FormatWide(buffer, 8, L"ab%ls", long_text.c_str());
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(std::wstring(buffer), L"abxxxxx");
}

TEST(Utf16, FieldIsTruncatedAndZeroFilled)
{
    utf16_unit field[4];
    for (auto& u : field)
        u = 0x7777;
    WideToUtf16Field(L"ルールコード", field, 4);
    EXPECT_EQ(field[0], static_cast<utf16_unit>(0x30EB));
    EXPECT_EQ(field[3], 0);
    EXPECT_EQ(WideFromUtf16(field, 4), L"ルール");

    WideToUtf16Field(L"a", field, 4);
    EXPECT_EQ(field[1], 0);
    EXPECT_EQ(field[2], 0);
}

TEST(Utf16, LittleEndianBytesAndSurrogatePairs)
{
    std::string bytes;
    AppendUtf16LE(L"A\x3042", bytes);
    EXPECT_EQ(bytes, std::string("A\0\x42\x30", 4));

    // U+1F600 takes two units and is never split by a short field.
    const std::wstring emoji = WideFromUtf8("\xF0\x9F\x98\x80");
    bytes.clear();
    AppendUtf16LE(emoji, bytes);
    EXPECT_EQ(bytes, std::string("\x3D\xD8\x00\xDE", 4));
    utf16_unit field[2];
    WideToUtf16Field(emoji, field, 2);
    EXPECT_EQ(field[0], 0);
}

TEST(Utf16, Utf8RoundTripAndInvalidBytes)
{
    EXPECT_EQ(Utf8FromWide(WideFromUtf8("中央集中")), "中央集中");
    EXPECT_EQ(WideFromUtf8("a\xFFz"), L"a\xFFFDz");
    EXPECT_EQ(WideFromUtf8("\xE3\x81"), L"\xFFFD\xFFFD");
}
