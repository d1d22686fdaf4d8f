#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

} // namespace

LogFile::~LogFile()
{
    Close();
}

std::uint32_t LogFile::OpenAlways(const std::wstring& path, bool& existed)
{
    Close();
    const std::string native = NativePath(path);
    // Creating exclusively first tells a new file from an existing one.
    int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    existed = fd < 0 && errno == EEXIST;
    if (existed)
        fd = open(native.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return static_cast<std::uint32_t>(errno);
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
