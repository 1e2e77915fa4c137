#pragma once
// The system calls behind every read and write of the config folder, in one place so that tests
// can stand in for them: to record their order (the data must be on disk before the rename that
// publishes it) and to make any one of them fail. Production uses the system's own.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace orvane {

class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* buffer, size_t size);
    virtual ssize_t write(int fd, const void* buffer, size_t size);
    virtual int fstat(int fd, struct stat* st);
    virtual int fchmod(int fd, mode_t mode);
    virtual int flock(int fd, int operation);
    virtual int fsync(int fd);
    virtual int close(int fd);
    // With noReplace the rename fails with EEXIST rather than replace an existing `to`.
    virtual int rename(const char* from, const char* to, bool noReplace);
    virtual int unlink(const char* path);
    // Gives the unnamed file open at fd (made with O_TMPFILE) the name `to`; never replaces.
    virtual int linkUnnamed(int fd, const char* to);
};

// The calls in use: the system's unless a test installed its own.
FileCalls& Sys();
// Installs `calls` (not owned) until it is called again with nullptr.
void SetFileCallsForTesting(FileCalls* calls);

}  // namespace orvane
