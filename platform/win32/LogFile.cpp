#include <windows.h>

#include "platform/LogFile.h"

namespace platform {
namespace {

HANDLE AsHandle(std::intptr_t native)
{
    return reinterpret_cast<HANDLE>(native);
}

} // namespace

LogFile::~LogFile()
{
    Close();
}

std::uint32_t LogFile::OpenAlways(const std::wstring& path, bool& existed)
{
    Close();
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    if (handle == INVALID_HANDLE_VALUE)
        return error != 0 ? error : ERROR_OPEN_FAILED;
    existed = error == ERROR_ALREADY_EXISTS;
    native_ = reinterpret_cast<std::intptr_t>(handle);
    return 0;
}

std::uint32_t LogFile::Write(const void* bytes, std::size_t count)
{
    DWORD written = 0;
    if (!WriteFile(AsHandle(native_), bytes, static_cast<DWORD>(count), &written, nullptr))
        return GetLastError();
    return written == count ? 0 : ERROR_WRITE_FAULT;
}

std::uint32_t LogFile::SeekToEnd()
{
    if (SetFilePointer(AsHandle(native_), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) {
        // INVALID_SET_FILE_POINTER is also a valid low part of a huge offset.
        const DWORD error = GetLastError();
        if (error != NO_ERROR)
            return error;
    }
    return 0;
}

void LogFile::Close()
{
    if (!IsOpen())
        return;
    FlushFileBuffers(AsHandle(native_));
    CloseHandle(AsHandle(native_));
    native_ = kClosed;
}

} // namespace platform
