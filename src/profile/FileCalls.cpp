#include "profile/FileCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace orvane {
namespace {

FileCalls*& Installed() {
    static FileCalls* calls = nullptr;
    return calls;
}

}  // namespace

int FileCalls::open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileCalls::read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }
ssize_t FileCalls::write(int fd, const void* buffer, size_t size) { return ::write(fd, buffer, size); }
int FileCalls::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int FileCalls::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileCalls::flock(int fd, int operation) { return ::flock(fd, operation); }
int FileCalls::fsync(int fd) { return ::fsync(fd); }
int FileCalls::close(int fd) { return ::close(fd); }
int FileCalls::unlink(const char* path) { return ::unlink(path); }

int FileCalls::linkUnnamed(int fd, const char* to) {
    // AT_EMPTY_PATH needs a privilege most users lack; the descriptor's /proc entry does not.
    if (::linkat(fd, "", AT_FDCWD, to, AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM && errno != EACCES && errno != EINVAL) return -1;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to, AT_SYMLINK_FOLLOW);
}

int FileCalls::rename(const char* from, const char* to, bool noReplace) {
    if (!noReplace) return ::rename(from, to);
    const int r = ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
    if (r == 0 || (errno != EINVAL && errno != ENOSYS)) return r;
    // A file system without RENAME_NOREPLACE: link() never replaces either.
    if (::link(from, to) != 0) return -1;
    return ::unlink(from);
}

FileCalls& Sys() {
    static FileCalls system;
    FileCalls* installed = Installed();
    return installed != nullptr ? *installed : system;
}

void SetFileCallsForTesting(FileCalls* calls) { Installed() = calls; }

}  // namespace orvane
