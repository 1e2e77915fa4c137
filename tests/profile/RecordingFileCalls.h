#pragma once
// Stands in for the file system calls of the config-file code: records each call with the path
// it concerns (for calls on a descriptor, the path it was opened with) and fails the calls a
// test chooses, so that tests see the order of a save and what a failure at each step leaves.
#include <fcntl.h>

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "profile/FileCalls.h"

namespace orvane::testing {

struct FileCall {
    std::string op;    // "open", "read", "write", "fsync", "rename", ...
    std::string path;  // for rename: the source
    std::string to;    // for rename: the target
    int flags = 0;     // for open
};

class RecordingFileCalls : public FileCalls {
public:
    RecordingFileCalls() { SetFileCallsForTesting(this); }
    ~RecordingFileCalls() override { SetFileCallsForTesting(nullptr); }
    RecordingFileCalls(const RecordingFileCalls&) = delete;
    RecordingFileCalls& operator=(const RecordingFileCalls&) = delete;

    // Calls for which this returns true fail with `failErrno` and do nothing.
    std::function<bool(const FileCall&)> failWhen;
    int failErrno = EIO;
    std::vector<FileCall> calls;

    // Position of the first recorded call matching op and a path containing `part`; -1 if none.
    [[nodiscard]] int Find(const std::string& op, const std::string& part, int from = 0) const {
        for (size_t i = size_t(from); i < calls.size(); ++i) {
            if (calls[i].op == op && calls[i].path.find(part) != std::string::npos) return int(i);
        }
        return -1;
    }
    [[nodiscard]] int FindLast(const std::string& op, const std::string& part) const {
        for (size_t i = calls.size(); i-- > 0;) {
            if (calls[i].op == op && calls[i].path.find(part) != std::string::npos) return int(i);
        }
        return -1;
    }

    int open(const char* path, int flags, mode_t mode) override {
        FileCall call = On("open", path);
        call.flags = flags;
        if (Refused(call)) return -1;
        const int fd = FileCalls::open(path, flags, mode);
        if (fd >= 0) names_[fd] = path;
        return fd;
    }
    ssize_t read(int fd, void* buffer, size_t size) override {
        return Refused(On("read", names_[fd])) ? -1 : FileCalls::read(fd, buffer, size);
    }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        return Refused(On("write", names_[fd])) ? -1 : FileCalls::write(fd, buffer, size);
    }
    int fstat(int fd, struct stat* st) override {
        return Refused(On("fstat", names_[fd])) ? -1 : FileCalls::fstat(fd, st);
    }
    int fchmod(int fd, mode_t mode) override {
        return Refused(On("fchmod", names_[fd])) ? -1 : FileCalls::fchmod(fd, mode);
    }
    int flock(int fd, int operation) override {
        return Refused(On("flock", names_[fd])) ? -1 : FileCalls::flock(fd, operation);
    }
    int fsync(int fd) override { return Refused(On("fsync", names_[fd])) ? -1 : FileCalls::fsync(fd); }
    int close(int fd) override {
        const std::string name = names_[fd];
        names_.erase(fd);
        if (Refused(On("close", name))) {
            (void)FileCalls::close(fd);
            return -1;
        }
        return FileCalls::close(fd);
    }
    int rename(const char* from, const char* to, bool noReplace) override {
        FileCall call = On("rename", from);
        call.to = to;
        return Refused(call) ? -1 : FileCalls::rename(from, to, noReplace);
    }
    int unlink(const char* path) override { return Refused(On("unlink", path)) ? -1 : FileCalls::unlink(path); }
    // Recorded as "link", from the descriptor's open path (the folder, for an unnamed file).
    int linkUnnamed(int fd, const char* to) override {
        FileCall call = On("link", names_[fd]);
        call.to = to;
        return Refused(call) ? -1 : FileCalls::linkUnnamed(fd, to);
    }

private:
    static FileCall On(std::string op, std::string path) {
        FileCall call;
        call.op = std::move(op);
        call.path = std::move(path);
        return call;
    }
    bool Refused(FileCall call) {
        calls.push_back(call);
        if (!failWhen || !failWhen(call)) return false;
        errno = failErrno;
        return true;
    }

    std::map<int, std::string> names_;
};

}  // namespace orvane::testing
