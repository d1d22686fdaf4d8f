#include "platform/posix/OutputFiles.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace platform {
namespace {

std::uint32_t Code()
{
    return static_cast<std::uint32_t>(errno);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path leads to, links followed; the path itself when there is
// nothing there yet.
bool ResolvedTarget(const std::string& path, std::string& target, std::uint32_t& error)
{
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        target = path;
        return true;
    }
    const std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
    if (!real) {
        error = Code(); // a link to nowhere: what to make there is unclear
        return false;
    }
    target = real.get();
    return true;
}

mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::~OutputFile()
{
    Discard();
}

void OutputFile::Discard()
{
    if (stream_)
        std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty())
        unlink(temporary_.c_str());
    temporary_.clear();
}

bool OutputFile::Open(const std::string& path, std::uint32_t& error)
{
    Discard();
    struct stat info {};
    const bool exists = stat(path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        error = Code();
        return false;
    }
    if (exists && S_ISDIR(info.st_mode)) {
        error = EISDIR;
        return false;
    }
    if (exists && !S_ISREG(info.st_mode))
        return OpenDirectly(path, error);
    if (exists && access(path.c_str(), W_OK) != 0) {
        error = Code(); // a file kept read-only is not replaced behind its back
        return false;
    }
    if (!ResolvedTarget(path, destination_, error))
        return false;
    std::string pattern = FolderOf(destination_) + "/." + NameOf(destination_) + ".XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Code();
        return false;
    }
    temporary_ = pattern;
    stream_ = fdopen(fd, "wb");
    if (!stream_ || fchmod(fd, exists ? (info.st_mode & 07777) : NewFileMode()) != 0) {
        error = Code();
        if (!stream_)
            close(fd);
        Discard();
        return false;
    }
    return true;
}

// A stream the user named: it may wait for a reader, as a shell would.
bool OutputFile::OpenDirectly(const std::string& path, std::uint32_t& error)
{
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    stream_ = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!stream_) {
        error = Code();
        if (fd >= 0)
            close(fd);
        return false;
    }
    destination_ = path;
    return true;
}

bool OutputFile::Commit(std::uint32_t& error)
{
    if (!stream_) {
        error = EBADF;
        return false;
    }
    std::FILE* stream = stream_;
    stream_ = nullptr;
    errno = EIO; // what a failed flush without a code means
    const bool written = std::ferror(stream) == 0;
    if (std::fclose(stream) != 0 || !written ||
        (!temporary_.empty() && std::rename(temporary_.c_str(), destination_.c_str()) != 0)) {
        error = Code();
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

StagingFolder::~StagingFolder()
{
    Remove();
}

void StagingFolder::Remove()
{
    if (path_.empty())
        return;
    for (const std::string& name : names_)
        unlink((path_ + "/" + name).c_str());
    rmdir(path_.c_str());
    path_.clear();
    names_.clear();
}

bool StagingFolder::Make(const std::string& parent, std::uint32_t& error)
{
    Remove();
    std::string pattern = parent + "/.tessel-staging.XXXXXX";
    if (!mkdtemp(pattern.data())) {
        error = Code();
        return false;
    }
    parent_ = parent;
    path_ = pattern;
    return true;
}

std::string StagingFolder::Reserve(const std::string& name)
{
    names_.push_back(name);
    return path_ + "/" + name;
}

bool StagingFolder::Publish(std::uint32_t& error)
{
    for (const std::string& name : names_) {
        if (std::rename((path_ + "/" + name).c_str(), (parent_ + "/" + name).c_str()) != 0) {
            error = Code();
            return false;
        }
    }
    names_.clear();
    Remove();
    return true;
}

} // namespace platform
