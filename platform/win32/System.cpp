#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/System.h"
#include "platform/win32/GdiHandles.h"

namespace platform {

std::uint32_t TickCountMs()
{
    return GetTickCount();
}

LocalTime LocalNow()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::uint32_t LastErrorCode()
{
    return GetLastError();
}

void ClearLastErrorCode()
{
    SetLastError(0);
}

bool ModuleFilePath(std::wstring& path, std::uint32_t& error)
{
    // A name that fills the buffer may have been cut: try again with more
    // room, up to the longest path the system has.
    constexpr DWORD kLongest = 32767;
    std::wstring buffer;
    for (DWORD size = MAX_PATH;; size = size * 2 > kLongest ? kLongest : size * 2) {
        buffer.assign(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            error = GetLastError();
            return false;
        }
        if (length < size) {
            buffer.resize(length);
            path = std::move(buffer);
            return true;
        }
        if (size == kLongest) {
            error = ERROR_INSUFFICIENT_BUFFER;
            return false;
        }
    }
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

bool LogFolder(std::wstring& folder, std::wstring&)
{
    folder = TempFolder();
    return true;
}

bool SystemErrorText(std::uint32_t code, std::wstring& text)
{
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length == 0 || message == nullptr)
        return false;
    text.assign(message, length);
    LocalFree(message);
    return true;
}

bool NtStatusText(std::uint32_t code, std::wstring& text)
{
    const win32::Library ntdll(LoadLibraryW(L"NTDLL.DLL"));
    if (!ntdll)
        return false;
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                        ntdll.get(), code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length == 0 || message == nullptr)
        return false;
    text.assign(message, length);
    LocalFree(message);
    return true;
}

void WriteErrorLine(const wchar_t* line)
{
    std::fputws(line, stderr);
    std::fputws(L"\n", stderr);
    std::fflush(stderr);
}

} // namespace platform
