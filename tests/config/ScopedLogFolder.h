#pragma once
#include <string>

namespace tessel_test {

// Points the folder where the program keeps its log (as the program asks
// the system for it) at another folder while the guard lives.
class ScopedLogFolder {
public:
    explicit ScopedLogFolder(const std::wstring& folder);
    ~ScopedLogFolder();
    ScopedLogFolder(const ScopedLogFolder&) = delete;
    ScopedLogFolder& operator=(const ScopedLogFolder&) = delete;

    // Where in that folder the log files are.
    static const wchar_t* const kLogSubfolder;

private:
    std::wstring saved_;
    bool had_value_ = false;
};

} // namespace tessel_test
