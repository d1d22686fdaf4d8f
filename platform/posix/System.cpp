#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/PrivateFolder.h"
#include "platform/System.h"
#include "platform/Utf16.h"

namespace platform {

std::uint32_t TickCountMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

LocalTime LocalNow()
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    tm local{};
    const time_t seconds = tv.tv_sec;
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     static_cast<int>(tv.tv_usec / 1000)};
}

std::uint32_t LastErrorCode()
{
    return static_cast<std::uint32_t>(errno);
}

void ClearLastErrorCode()
{
    errno = 0;
}

bool ModuleFilePath(std::wstring& path, std::uint32_t& error)
{
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    buffer.resize(static_cast<std::size_t>(length));
    path = platform::WideFromUtf8(buffer);
    return true;
}

std::wstring TempFolder()
{
    const char* dir = std::getenv("TMPDIR");
    std::string folder = (dir && *dir) ? dir : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return platform::WideFromUtf8(folder);
}

bool LogFolder(std::wstring& folder, std::wstring& problem)
{
    // Relative values are to be ignored.
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        base = state;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::string(home) + "/.local/state";
    else {
        problem = L"neither XDG_STATE_HOME nor HOME is set";
        return false;
    }
    const std::string path = base + "/tessel";
    std::string error;
    if (!MakePrivateFolders(path, error)) {
        problem = platform::WideFromUtf8(error);
        return false;
    }
    struct stat info{};
    if (stat(path.c_str(), &info) != 0 || info.st_uid != geteuid()) {
        problem = platform::WideFromUtf8(path) + L": not the user's own folder";
        return false;
    }
    folder = platform::WideFromUtf8(path + "/");
    return true;
}

bool SystemErrorText(std::uint32_t code, std::wstring& text)
{
    char buffer[256] = {};
    // The GNU strerror_r returns its text, which may not be the buffer.
    const char* message = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
    if (message == nullptr || std::strncmp(message, "Unknown error", 13) == 0)
        return false;
    text = platform::WideFromUtf8(message);
    return true;
}

bool NtStatusText(std::uint32_t, std::wstring&)
{
    return false;
}

// stderr stays byte-oriented here: the line goes out as UTF-8, whatever the locale.
void WriteErrorLine(const wchar_t* line)
{
    const std::string bytes = platform::Utf8FromWide(line) + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
