#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/Files.h"
#include "platform/Utf16.h"

namespace platform {
namespace {

std::string Native(const std::wstring& path)
{
    return platform::Utf8FromWide(path);
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

// Wildcard match of a whole name: * any run of characters, ? one character.
bool MatchesWildcards(std::wstring_view pattern, std::wstring_view name)
{
    std::size_t p = 0, n = 0;
    std::size_t star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

bool IsFolder(const std::string& folder, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat info {};
    return stat((folder + entry.d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Writes what the system holds of the file or folder at path to the disk;
// false, with errno set, when it could not.
bool SyncToDisk(const char* path, int flags)
{
    const Descriptor it{open(path, flags | O_CLOEXEC)};
    return it.fd >= 0 && fsync(it.fd) == 0;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

} // namespace

PathKind KindOfPath(const std::wstring& path)
{
    struct stat info{};
    if (path.empty() || stat(Native(path).c_str(), &info) != 0)
        return PathKind::none;
    if (S_ISDIR(info.st_mode))
        return PathKind::folder;
    return S_ISREG(info.st_mode) ? PathKind::file : PathKind::other;
}

bool MakeFolder(const std::wstring& folder, std::uint32_t& error)
{
    if (mkdir(Native(folder).c_str(), 0777) == 0)
        return true;
    error = static_cast<std::uint32_t>(errno);
    return errno == EEXIST && KindOfPath(folder) == PathKind::folder;
}

bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint64_t max_bytes, std::uint32_t& error)
{
    // Never blocks on a FIFO nor reads a device: only a regular file is read.
    const Descriptor in{open(Native(from).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (in.fd < 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    struct stat info{};
    if (fstat(in.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : S_ISREG(info.st_mode) ? static_cast<std::uint32_t>(errno) : EINVAL;
        return false;
    }
    Descriptor out{open(Native(to).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
    if (out.fd < 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    char buffer[65536];
    for (std::uint64_t left = max_bytes; left > 0;) {
        const ssize_t got = read(in.fd, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buffer)));
        if (got == 0)
            break;
        errno = ENOSPC;  // what a short write without an error means
        if (got < 0 || write(out.fd, buffer, static_cast<std::size_t>(got)) != got) {
            error = static_cast<std::uint32_t>(errno);
            unlink(Native(to).c_str());
            return false;
        }
        left -= static_cast<std::uint64_t>(got);
    }
    // The copy is as private as the file was.
    fchmod(out.fd, info.st_mode & 0777);
    if (close(out.fd) != 0) {
        out.fd = -1;
        error = static_cast<std::uint32_t>(errno);
        unlink(Native(to).c_str());
        return false;
    }
    out.fd = -1;
    return true;
}

std::wstring LinkTarget(const std::wstring& path)
{
    // As many links as the system itself follows.
    constexpr int kMostLinks = 40;
    std::string current = Native(path);
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info{};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return WideFromUtf8(current);
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4095) + 1, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return path;
        target.resize(static_cast<std::size_t>(length));
        const std::size_t slash = current.rfind('/');
        current = target.front() == '/' || slash == std::string::npos ? target : current.substr(0, slash + 1) + target;
    }
    return path;
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

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(Native(path));
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    const std::string source = Native(from);
    const std::string target = Native(to);
    struct stat info{};
    if (lstat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
            return false;
        }
        // Owner first: a change of owner clears the set-id bits.
        if (geteuid() == 0)
            (void)!chown(source.c_str(), info.st_uid, info.st_gid);
        chmod(source.c_str(), info.st_mode & 07777);
    }
    if (!SyncToDisk(source.c_str(), O_RDONLY) || std::rename(source.c_str(), target.c_str()) != 0) {
        error = static_cast<std::uint32_t>(errno);
        return false;
    }
    // The new name lives in the folder's entries. The move is done whether
    // or not they reach the disk now, so a failure there is no failure of it.
    const std::size_t cut = target.rfind('/');
    const std::string folder = cut == std::string::npos ? "." : target.substr(0, std::max<std::size_t>(cut, 1));
    SyncToDisk(folder.c_str(), O_RDONLY | O_DIRECTORY);
    return true;
}

bool RemoveFile(const std::wstring& path)
{
    return unlink(Native(path).c_str()) == 0;
}

bool RenameFile(const std::wstring& from, const std::wstring& to)
{
    const std::string target = Native(to);
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(Native(from).c_str(), target.c_str()) == 0;
}

std::vector<std::wstring> FindFileNames(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    const std::size_t cut = pattern.rfind(L'/');
    const std::wstring folder = cut == std::wstring::npos ? L"./" : pattern.substr(0, cut + 1);
    const std::wstring name_pattern = cut == std::wstring::npos ? pattern : pattern.substr(cut + 1);
    const std::string native_folder = Native(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(native_folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::wstring name = WideFromUtf8(entry->d_name);
        if (MatchesWildcards(name_pattern, name) && !IsFolder(native_folder, *entry))
            names.push_back(name);
    }
    return names;
}

std::uint32_t NameTooLongError()
{
    return ENAMETOOLONG;
}

std::uint32_t PathNotFoundError()
{
    return ENOENT;
}

std::uint32_t FileExistsError()
{
    return EEXIST;
}

std::uint32_t FolderInTheWayError()
{
    return EISDIR;
}

std::uint32_t WriteFaultError()
{
    return EIO;
}

} // namespace platform
