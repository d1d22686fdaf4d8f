#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/System.h"
#include "weftcpplib/FaultReport.h"

using namespace weftcpplib;

namespace {

TEST(FormatErrorText, ExceptionCodesComeFromTheTable)
{
    wchar_t text[kErrorTextUnits];
    FormatErrorText(0xC0000005u, text);
    EXPECT_EQ(std::wstring(text), L"c0000005(TABLE) メモリアクセス違反。");
    FormatErrorText(0xC00000FDu, text);
    EXPECT_EQ(std::wstring(text), L"c00000fd(TABLE) スタックオーバーフロー。");
    FormatErrorText(0x80000003u, text);
    EXPECT_EQ(std::wstring(text), L"80000003(TABLE) プレークポイント。");
}

TEST(FormatErrorText, UnknownCodeIsNotFoundAndTheRestZeroed)
{
    wchar_t text[kErrorTextUnits];
    std::wmemset(text, L'#', kErrorTextUnits);
    FormatErrorText(0xDEADBEEFu, text);
    EXPECT_EQ(std::wstring(text), L"deadbeef(not found)");
    for (std::size_t i = std::wcslen(text); i < kErrorTextUnits; ++i)
        ASSERT_EQ(text[i], L'\0') << i;
}

TEST(FormatErrorText, SystemTextIsTaggedAndFitsTheField)
{
    std::wstring system;
    ASSERT_TRUE(platform::SystemErrorText(2, system));
    wchar_t text[kErrorTextUnits];
    FormatErrorText(2, text);
    const std::wstring expected = (L"00000002(SYSTEM) " + system).substr(0, kErrorTextUnits - 1);
    EXPECT_EQ(std::wstring(text), expected);
    EXPECT_EQ(text[kErrorTextUnits - 1], L'\0');
}

TEST(FormatErrorText, AsOneLineEndsWithoutTheSystemsLineBreak)
{
    // Windows ends its message texts with "\r\n".
    const std::wstring line = ErrorTextLine(2);
    EXPECT_EQ(line.rfind(L"00000002(SYSTEM) ", 0), 0u) << line;
    EXPECT_GT(line.size(), 17u);
    EXPECT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(ErrorTextLine(0xDEADBEEFu), L"deadbeef(not found)");
}

TEST(ReportFault, WritesTwoLinesToStderr)
{
    testing::internal::CaptureStderr();
    ReportFault(L"weftcpplib::CDIBData::SetDIBits", L"00000008(SYSTEM) out of memory");
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("weftcpplib : weftcpplib::CDIBData::SetDIBits"), std::string::npos) << out;
    const auto second = out.find("00000008(SYSTEM) out of memory");
    ASSERT_NE(second, std::string::npos) << out;
    EXPECT_GT(second, out.find('\n'));

    // Longer than the report buffer: cut, not overflowed.
    const std::wstring long_where(1000, L'w');
    testing::internal::CaptureStderr();
    ReportFault(long_where.c_str(), L"x");
    const std::string cut = testing::internal::GetCapturedStderr();
    EXPECT_EQ(cut.find(std::string(300, 'w')), std::string::npos);
    EXPECT_NE(cut.find(std::string(200, 'w')), std::string::npos);
}

TEST(ModuleFolder, KeepsTheTrailingSeparator)
{
    std::wstring folder = L"unchanged";
    EXPECT_TRUE(FolderOfPath(L"C:\\Apps\\Saver\\Tessel.scr", L'\\', folder));
    EXPECT_EQ(folder, L"C:\\Apps\\Saver\\");
    folder = L"unchanged";
    EXPECT_FALSE(FolderOfPath(L"Tessel.scr", L'\\', folder));
    EXPECT_EQ(folder, L"unchanged");

    std::wstring own;
    ASSERT_TRUE(weft_get_module_folder(own));
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), platform::kPathSeparator);
    std::wstring path;
    std::uint32_t error = 0;
    ASSERT_TRUE(platform::ModuleFilePath(path, error));
    EXPECT_EQ(path.rfind(own, 0), 0u);
    EXPECT_EQ(path.find(platform::kPathSeparator, own.size()), std::wstring::npos);
}

} // namespace
