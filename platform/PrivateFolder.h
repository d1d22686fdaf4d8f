#pragma once
#include <string>

// The user's own folders on a POSIX system (settings, log): made private to
// the user, and locked while a process reads or writes the files in them.
namespace platform {

// Makes the folder and the missing folders above it, each readable by the
// user alone. False, with the folder that failed and why, otherwise.
bool MakePrivateFolders(const std::string& folder, std::string& error);

// Holds a folder locked while it lives: processes that share a file in it
// take turns. A folder that cannot be locked is passed over (locked() is
// then false); the lock waits as long as another process holds it.
class FolderLock {
public:
    // Locks the folder that holds file.
    explicit FolderLock(const std::string& file);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace platform
