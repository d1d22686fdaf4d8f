#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fcntl.h>

#include "platform/Files.h"
#include "weftcpplib/Utf16.h"

namespace platform {
namespace {

std::string Native(const std::wstring& path)
{
    return weftcpplib::Utf8FromWide(path);
}

// Closes a descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

PathKind KindOfPath(const std::wstring& path)
{
    struct stat info{};
    if (path.empty() || stat(Native(path).c_str(), &info) != 0)
        return PathKind::none;
    return S_ISDIR(info.st_mode) ? PathKind::folder : PathKind::file;
}

bool MakeFolder(const std::wstring& folder, std::uint32_t& error)
{
    if (mkdir(Native(folder).c_str(), 0777) == 0)
        return true;
    error = static_cast<std::uint32_t>(errno);
    return errno == EEXIST && KindOfPath(folder) == PathKind::folder;
}

bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    const Descriptor in{open(Native(from).c_str(), O_RDONLY)};
    if (in.fd < 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    struct stat info{};
    if (fstat(in.fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : static_cast<std::uint32_t>(errno);
        return false;
    }
    Descriptor out{open(Native(to).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666)};
    if (out.fd < 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(in.fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        errno = ENOSPC;  // what a short write without an error means
        if (got < 0 || write(out.fd, buffer, static_cast<std::size_t>(got)) != got) {
            error = static_cast<std::uint32_t>(errno);
            unlink(Native(to).c_str());
            return false;
        }
    }
    if (close(out.fd) != 0) {
        out.fd = -1;
        error = static_cast<std::uint32_t>(errno);
        unlink(Native(to).c_str());
        return false;
    }
    out.fd = -1;
    return true;
}

std::wstring ExtendedPath(const std::wstring& path)
{
    return path;
}

// Off Windows there is no per-user settings place: the native build serves
// the tests, which give their own folders.
bool UserSettingsFolder(std::wstring&, std::uint32_t& error)
{
    error = ENOENT;
    return false;
}

} // namespace platform
