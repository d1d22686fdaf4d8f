#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The log's file: open for appending while others may read it (the steps
// of rotating a file set are in platform/Files.h).
// Every failure is reported as the system's error code (0 means success).
namespace platform {

class LogFile {
public:
    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens the file for writing, creating it when missing; `existed` tells
    // which of the two happened. Any file already open is closed first.
    std::uint32_t OpenAlways(const std::wstring& path, bool& existed);
    bool IsOpen() const { return native_ != kClosed; }
    std::uint32_t Write(const void* bytes, std::size_t count);
    std::uint32_t SeekToEnd();
    // Flushes and closes; does nothing when closed.
    void Close();

private:
    // A Win32 handle or a file descriptor; -1 is INVALID_HANDLE_VALUE on
    // Windows and no descriptor elsewhere.
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t native_ = kClosed;
};

} // namespace platform
