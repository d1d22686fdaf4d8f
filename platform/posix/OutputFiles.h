#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Files that appear complete or not at all, for programs that write their
// results to paths a user names. Errors are the system's codes.
namespace platform {

// Written under a fresh hidden name beside its destination (beside a
// symbolic link's target, so that the link stays) and moved over it at the
// end, with the mode of the file it replaces. A path naming a terminal, a
// pipe or a device is written directly: there is no file to replace there.
// Unless committed, only the fresh file is removed.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Refuses a folder and a file this user may not write.
    bool Open(const std::string& path, std::uint32_t& error);
    std::FILE* stream() const { return stream_; }
    // Closes the stream and moves the file into place.
    bool Commit(std::uint32_t& error);

private:
    bool OpenDirectly(const std::string& path, std::uint32_t& error);
    void Discard();

    std::FILE* stream_ = nullptr;
    std::string temporary_; // empty when written directly
    std::string destination_;
};

// A private folder made inside another one, where a set of files is written
// and then moved into that folder in one go. Unless published, it is
// removed with the files named in it.
class StagingFolder {
public:
    StagingFolder() = default;
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    bool Make(const std::string& parent, std::uint32_t& error);
    // Where the file of that name is to be written in the folder.
    std::string Reserve(const std::string& name);
    // Moves the reserved files that were written into the parent folder,
    // replacing files of the same names there.
    bool Publish(std::uint32_t& error);

private:
    void Remove();

    std::string parent_;
    std::string path_;
    std::vector<std::string> names_;
};

} // namespace platform
