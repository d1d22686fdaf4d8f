#include <cstdio>
#include <string>

#include "platform/System.h"
#include "weftcpplib/FaultReportSystem.h"
#include "weftcpplib/Utf16.h"

namespace weftcpplib::fault_detail {

// The C library's error strings stand in for the system message table.
bool SystemMessageText(std::uint32_t code, std::wstring& text, const wchar_t*& tag)
{
    if (!platform::SystemErrorText(code, text))
        return false;
    tag = L"SYSTEM";
    return true;
}

// stderr stays byte-oriented here: the line goes out as UTF-8, whatever the locale.
void WriteFaultLine(const wchar_t* line)
{
    const std::string bytes = Utf8FromWide(line) + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

} // namespace weftcpplib::fault_detail
