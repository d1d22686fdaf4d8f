#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Random.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/LogLine.h"
#include "platform/Utf16.h"

namespace tessel_test {

// Every log line of these tests carries this moment.
inline platform::LocalTime FixedLogTime()
{
    return {2026, 3, 6, 7, 8, 9, 45};
}
inline constexpr const wchar_t* kFixedStamp = L"2026/03/06 07:08:09.045 ";

inline std::string Utf16Bytes(std::wstring_view text)
{
    std::string bytes;
    platform::AppendUtf16LE(text, bytes);
    return bytes;
}

inline const std::string kBom = "\xFF\xFE";

// A private folder for one test's log files, removed afterwards, and a fixed
// clock for the lines written meanwhile.
class LogFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_clock_ = weftcpplib::SetLogClock(&FixedLogTime);
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder_ = platform::TempFolder() + L"tessel_log_" + platform::WideFromUtf8(test) + L"_" +
                  std::to_wstring(platform::Random32()) + platform::kPathSeparator;
        std::filesystem::create_directories(std::filesystem::path(folder_));
    }

    void TearDown() override
    {
        weftcpplib::SetLogClock(previous_clock_);
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
    }

    std::wstring Path(const std::wstring& name) const { return folder_ + name; }

    bool Exists(const std::wstring& name) const { return std::filesystem::exists(std::filesystem::path(Path(name))); }

    std::string Read(const std::wstring& name) const
    {
        std::ifstream in(std::filesystem::path(Path(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void Put(const std::wstring& name, const std::string& bytes) const
    {
        std::ofstream out(std::filesystem::path(Path(name)), std::ios::binary);
        out << bytes;
    }

    // Names in the folder, sorted.
    std::vector<std::wstring> Files() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder_)))
            names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The bytes of a new log file holding these lines (each without its stamp).
    static std::string NewLog(std::initializer_list<std::wstring_view> messages)
    {
        std::string bytes = kBom;
        for (const auto& m : messages)
            bytes += Utf16Bytes(std::wstring(kFixedStamp) + std::wstring(m) + L"\r\n");
        return bytes;
    }

    std::wstring folder_;

private:
    weftcpplib::LogClock previous_clock_ = nullptr;
};

} // namespace tessel_test
