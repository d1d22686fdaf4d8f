#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <fcntl.h>

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

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
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

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(Native(path));
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (std::rename(Native(from).c_str(), Native(to).c_str()) == 0)
        return true;
    error = static_cast<std::uint32_t>(errno);
    return false;
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
