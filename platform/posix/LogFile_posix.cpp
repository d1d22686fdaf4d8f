#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/LogFile.h"
#include "weftcpplib/Utf16.h"

namespace platform {
namespace {

std::string NativePath(const std::wstring& path)
{
    return weftcpplib::Utf8FromWide(path);
}

int Descriptor(std::intptr_t native)
{
    return static_cast<int>(native);
}

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

bool RemoveFile(const std::wstring& path)
{
    return unlink(NativePath(path).c_str()) == 0;
}

bool RenameFile(const std::wstring& from, const std::wstring& to)
{
    const std::string target = NativePath(to);
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(NativePath(from).c_str(), target.c_str()) == 0;
}

std::vector<std::wstring> FindFileNames(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    const std::size_t cut = pattern.rfind(L'/');
    const std::wstring folder = cut == std::wstring::npos ? L"./" : pattern.substr(0, cut + 1);
    const std::wstring name_pattern = cut == std::wstring::npos ? pattern : pattern.substr(cut + 1);
    const std::string native_folder = NativePath(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(native_folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::wstring name = weftcpplib::WideFromUtf8(entry->d_name);
        if (MatchesWildcards(name_pattern, name) && !IsFolder(native_folder, *entry))
            names.push_back(name);
    }
    return names;
}

std::uint32_t NameTooLongError()
{
    return ENAMETOOLONG;
}

} // namespace platform
