#include "profile/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace orvane {
namespace {

WriteFaultHook& FaultHook() {
    static WriteFaultHook hook;
    return hook;
}

bool Injected(WriteStep step, const std::filesystem::path& target) {
    return FaultHook() && FaultHook()(step, target);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    [[nodiscard]] int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

Error SystemError(const std::string& what, const std::filesystem::path& path) {
    return makeError(errno, what + " " + path.string());
}

Status WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemError("write", path);
        }
        done += size_t(n);
    }
    return {};
}

// The target itself when it is a symbolic link's destination, so replacing it keeps the link.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) return resolved;
    }
    return path;
}

mode_t ModeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Result<std::string> ReadFileBytes(const std::filesystem::path& path) {
    if (path.empty()) return makeError(ENOENT, "open (no path)");
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return SystemError("open", path);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return SystemError("stat", path);
    if (S_ISDIR(st.st_mode)) return makeError(EISDIR, "open " + path.string());
    std::string bytes;
    bytes.reserve(size_t(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemError("read", path);
        }
        if (n == 0) break;
        bytes.append(buf, size_t(n));
    }
    return bytes;
}

Status WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    if (requested.empty()) return makeError(ENOENT, "write (no path)");
    const std::filesystem::path target = ResolveTarget(requested);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    if (Injected(WriteStep::Create, target)) return makeError(EIO, "create temporary for " + target.string());
    const mode_t mode = ModeFor(target);
    Fd fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0) return SystemError("create temporary for", target);
    const std::filesystem::path tmp = tmpl;
    auto fail = [&](Error e) -> Status {
        ::unlink(tmp.c_str());
        return e;
    };

    if (::fchmod(fd.get(), mode) != 0) return fail(SystemError("chmod", tmp));
    if (Injected(WriteStep::Write, target)) {
        // Leave a partial temporary behind the way a full disk would, then clean it up.
        (void)WriteAll(fd.get(), bytes.substr(0, bytes.size() / 2), tmp);
        return fail(makeError(ENOSPC, "write " + tmp.string()));
    }
    if (Status s = WriteAll(fd.get(), bytes, tmp); !s) return fail(s.error());
    if (Injected(WriteStep::Sync, target)) return fail(makeError(EIO, "fsync " + tmp.string()));
    if (::fsync(fd.get()) != 0) return fail(SystemError("fsync", tmp));
    if (::close(fd.release()) != 0) return fail(SystemError("close", tmp));
    if (Injected(WriteStep::Rename, target)) return fail(makeError(EIO, "rename over " + target.string()));
    if (::rename(tmp.c_str(), target.c_str()) != 0) return fail(SystemError("rename over", target));

    // The rename is durable only once the folder's entry is on disk.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) (void)::fsync(dir.get());
    return {};
}

Status KeepBackupCopy(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.error();
    std::filesystem::path backup = path;
    backup += ".bak";
    return WriteFileAtomically(backup, *bytes);
}

void SetWriteFaultHookForTesting(WriteFaultHook hook) {
    FaultHook() = std::move(hook);
}

}  // namespace orvane
