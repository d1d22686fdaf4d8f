#include <windows.h>

#include "platform/System.h"

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

bool ModuleFilePath(std::wstring& path, std::uint32_t& error)
{
    wchar_t buffer[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, buffer, MAX_PATH) == 0) {
        error = GetLastError();
        return false;
    }
    path = buffer;
    return true;
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
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

} // namespace platform
