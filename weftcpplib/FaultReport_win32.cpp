#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/System.h"
#include "weftcpplib/FaultReportSystem.h"

namespace weftcpplib::fault_detail {
namespace {

// NTSTATUS codes that the system table lacks are often in NTDLL's own messages.
bool NtdllMessageText(std::uint32_t code, std::wstring& text)
{
    HMODULE ntdll = LoadLibraryW(L"NTDLL.DLL");
    if (ntdll == nullptr)
        return false;
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                        ntdll, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    FreeLibrary(ntdll);
    if (length == 0 || message == nullptr)
        return false;
    text.assign(message, length);
    LocalFree(message);
    return true;
}

} // namespace

bool SystemMessageText(std::uint32_t code, std::wstring& text, const wchar_t*& tag)
{
    if (platform::SystemErrorText(code, text)) {
        tag = L"SYSTEM";
        return true;
    }
    if (NtdllMessageText(code, text)) {
        tag = L"NTDLL";
        return true;
    }
    return false;
}

void WriteFaultLine(const wchar_t* line)
{
    std::fputws(line, stderr);
    std::fputws(L"\n", stderr);
    std::fflush(stderr);
}

} // namespace weftcpplib::fault_detail
