#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/LogFile.h"
#include "platform/Utf16.h"

namespace platform {
namespace {

std::string NativePath(const std::wstring& path)
{
    return platform::Utf8FromWide(path);
}

int Descriptor(std::intptr_t native)
{
    return static_cast<int>(native);
}

// Says once per process, on the standard error stream, why there is no log.
void NoLog(const std::string& path, const char* why)
{
    static bool said = false;
    if (said)
        return;
    said = true;
    std::fprintf(stderr, "%s: no log: %s: %s\n", program_invocation_short_name, path.c_str(), why);
}

} // namespace

LogFile::~LogFile()
{
    Close();
}

std::uint32_t LogFile::OpenAlways(const std::wstring& path, bool& existed)
{
    Close();
    const std::string native = NativePath(path);
    // Never through a link, never blocked by a FIFO, never into a file that
    // is not the user's own: whatever is there instead means no log.
    constexpr int kFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = open(native.c_str(), kFlags | O_CREAT | O_EXCL, 0600);
    existed = fd < 0 && errno == EEXIST;
    if (existed)
        fd = open(native.c_str(), kFlags);
    if (fd < 0) {
        const int error = errno;
        NoLog(native, std::strerror(error));
        return static_cast<std::uint32_t>(error);
    }
    struct stat info{};
    const bool stat_ok = fstat(fd, &info) == 0;
    const char* refusal = !stat_ok                  ? "cannot be examined"
                          : !S_ISREG(info.st_mode)  ? "not a regular file"
                          : info.st_uid != geteuid() ? "owned by another user"
                                                     : nullptr;
    if (refusal) {
        close(fd);
        NoLog(native, refusal);
        return EPERM;
    }
    native_ = fd;
    return 0;
}

std::uint32_t LogFile::Write(const void* bytes, std::size_t count)
{
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t written = write(Descriptor(native_), next, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return static_cast<std::uint32_t>(errno);
        }
        next += written;
        count -= static_cast<std::size_t>(written);
    }
    return 0;
}

std::uint32_t LogFile::SeekToEnd()
{
    return lseek(Descriptor(native_), 0, SEEK_END) < 0 ? static_cast<std::uint32_t>(errno) : 0;
}

void LogFile::Close()
{
    if (!IsOpen())
        return;
    fsync(Descriptor(native_));
    close(Descriptor(native_));
    native_ = kClosed;
}

} // namespace platform
