#include "profile/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <utility>

#include "profile/FileCalls.h"

namespace orvane {
namespace {

constexpr std::string_view kTemporaryTag = ".orvane-";
constexpr size_t kTemporarySuffix = 6;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) (void)Sys().close(fd_);
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
        const ssize_t n = Sys().write(fd, bytes.data() + done, bytes.size() - done);
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

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// A rename is durable only once the folder's entry is on disk. The rename has happened by then,
// so a failure here cannot undo it and is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    Fd dir(Sys().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (dir.get() >= 0) (void)Sys().fsync(dir.get());
}

std::string RandomSuffix() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[kTemporarySuffix] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != ssize_t(sizeof bytes)) {
        auto t = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ uint64_t(::getpid());
        for (auto& b : bytes) b = uint8_t(t >>= 5);
    }
    std::string out;
    for (unsigned char b : bytes) out += kChars[b % (sizeof kChars - 1)];
    return out;
}

// The temporary's name beside the target: ".NAME.orvane-XXXXXX".
std::filesystem::path TemporaryPath(const std::filesystem::path& target) {
    return FolderOf(target) / ("." + target.filename().string() + std::string(kTemporaryTag) + RandomSuffix());
}

// True while `fd` is still the file at `path`: another program's clean-up may have taken a
// temporary that was created but not yet locked, and removed it.
bool StillNamed(int fd, const std::filesystem::path& path) {
    struct stat open {}, named {};
    if (Sys().fstat(fd, &open) != 0 || open.st_nlink == 0) return false;
    return ::lstat(path.c_str(), &named) == 0 && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

// Creates ".NAME.orvane-XXXXXX" beside the target, locked for the life of the save. Creating
// and locking are two calls, and the clean-up of killed saves removes any temporary it can lock;
// one taken in between is given up and another made, so the save never loses its file.
Result<std::pair<int, std::filesystem::path>> CreateTemporary(const std::filesystem::path& target,
                                                              mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path tmp = TemporaryPath(target);
        const int fd = Sys().open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return SystemError("create temporary for", target);
        (void)Sys().flock(fd, LOCK_EX);
        if (StillNamed(fd, tmp)) return std::pair{fd, std::move(tmp)};
        (void)Sys().close(fd);
    }
    return makeError(EEXIST, "create temporary for " + target.string());
}

Status CheckTarget(const std::filesystem::path& target, const struct stat& st, bool exists) {
    if (exists && !S_ISREG(st.st_mode)) {
        return makeError(0, target.string() + " is not a regular file: not replaced");
    }
    if (exists && IsReadOnlyFile(target)) return makeError(0, target.string() + " is read-only: not replaced");
    return {};
}

// The readers refuse a file larger than this, so nothing larger is written.
Status CheckReadable(const std::filesystem::path& target, std::string_view bytes) {
    if (bytes.size() <= kMaxReadBytes) return {};
    return makeError(EFBIG, target.string() + ": " + std::to_string(bytes.size()) + " bytes would be larger than the " +
                                std::to_string(kMaxReadBytes >> 20) + " MiB this program reads back: not written");
}

// The file is written with no name at all and named only once it is complete, so a program
// killed while writing leaves nothing behind. Returns false in `supported` when the file system
// cannot make unnamed files.
Status WriteUnnamed(const std::filesystem::path& target, std::string_view bytes, const struct stat& st,
                    bool exists, bool& supported) {
    supported = true;
    Fd fd(Sys().open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, exists ? 0600 : 0666));
    if (fd.get() < 0) {
        supported = !(errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL);
        return SystemError("create a file in", FolderOf(target));
    }
    if (exists && Sys().fchmod(fd.get(), st.st_mode & 07777) != 0) return SystemError("chmod", target);
    if (Status s = WriteAll(fd.get(), bytes, target); !s) return s;
    if (Sys().fsync(fd.get()) != 0) return SystemError("fsync", target);
    if (!exists && Sys().linkUnnamed(fd.get(), target.c_str()) == 0) {
        SyncFolder(FolderOf(target));
        return {};
    }
    // Replacing needs a name to rename from. It is locked before it appears, so the clean-up of
    // killed saves leaves it alone, and it exists only for the rename.
    (void)Sys().flock(fd.get(), LOCK_EX);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path tmp = TemporaryPath(target);
        if (Sys().linkUnnamed(fd.get(), tmp.c_str()) != 0) {
            if (errno == EEXIST) continue;
            supported = false;  // e.g. no /proc: the named way still works
            return SystemError("name the new", target);
        }
        if (Sys().rename(tmp.c_str(), target.c_str(), false) != 0) {
            const Error e = SystemError("rename over", target);
            (void)Sys().unlink(tmp.c_str());
            return e;
        }
        (void)Sys().close(fd.release());
        SyncFolder(FolderOf(target));
        return {};
    }
    return makeError(EEXIST, "name the new " + target.string());
}

}  // namespace

Result<std::string> ReadFileBytes(const std::filesystem::path& path, size_t maxBytes) {
    if (path.empty()) return makeError(ENOENT, "open (no path)");
    // Non-blocking, so that a FIFO does not wait for a writer; the type is checked on the open
    // file, so nothing can swap it in between.
    Fd fd(Sys().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (fd.get() < 0) return SystemError("open", path);
    struct stat st {};
    if (Sys().fstat(fd.get(), &st) != 0) return SystemError("stat", path);
    if (!S_ISREG(st.st_mode)) return makeError(0, path.string() + " is not a regular file");
    const std::string tooLarge = path.string() + " is larger than " + std::to_string(maxBytes >> 20) + " MiB";
    if (uint64_t(st.st_size) > maxBytes) return makeError(EFBIG, tooLarge);
    std::string bytes;
    bytes.reserve(size_t(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = Sys().read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemError("read", path);
        }
        if (n == 0) break;
        // The file may grow while it is read.
        if (bytes.size() + size_t(n) > maxBytes) return makeError(EFBIG, tooLarge);
        bytes.append(buf, size_t(n));
    }
    return bytes;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) == 0) return true;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

Status WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    if (requested.empty()) return makeError(ENOENT, "write (no path)");
    const std::filesystem::path target = ResolveTarget(requested);
    if (Status s = CheckReadable(target, bytes); !s) return s;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (Status s = CheckTarget(target, st, exists); !s) return s;

    // A new file gets the usual permissions (0666 less the umask), a replacement keeps the old ones.
    auto created = CreateTemporary(target, exists ? 0600 : 0666);
    if (!created) return created.error();
    Fd fd(created->first);
    const std::filesystem::path tmp = created->second;
    auto fail = [&](Error e) -> Status {
        (void)Sys().unlink(tmp.c_str());
        return e;
    };
    if (exists && Sys().fchmod(fd.get(), st.st_mode & 07777) != 0) return fail(SystemError("chmod", tmp));
    if (Status s = WriteAll(fd.get(), bytes, tmp); !s) return fail(s.error());
    if (Sys().fsync(fd.get()) != 0) return fail(SystemError("fsync", tmp));
    if (Sys().rename(tmp.c_str(), target.c_str(), false) != 0) return fail(SystemError("rename over", target));
    // Closed only now: the lock marks the temporary as in use until it has its final name. The data
    // is on disk already, so a failing close changes nothing.
    (void)Sys().close(fd.release());
    SyncFolder(FolderOf(target));
    return {};
}

Status WriteExportFile(const std::filesystem::path& requested, std::string_view bytes) {
    if (requested.empty()) return makeError(ENOENT, "write (no path)");
    const std::filesystem::path target = ResolveTarget(requested);
    if (Status s = CheckReadable(target, bytes); !s) return s;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (Status s = CheckTarget(target, st, exists); !s) return s;
    bool supported = true;
    Status written = WriteUnnamed(target, bytes, st, exists, supported);
    if (written || supported) return written;
    return WriteFileAtomically(requested, bytes);
}

std::filesystem::path BackupPath(const std::filesystem::path& path, int n) {
    std::filesystem::path backup = path;
    backup += n == 0 ? std::string(".bak") : ".bak." + std::to_string(n);
    return backup;
}

Result<std::filesystem::path> SetAside(const std::filesystem::path& path) {
    for (int n = 0; n < kBackupCopies; ++n) {
        const std::filesystem::path backup = BackupPath(path, n);
        const bool last = n + 1 == kBackupCopies;
        if (Sys().rename(path.c_str(), backup.c_str(), !last) == 0) {
            SyncFolder(FolderOf(path));
            return backup;
        }
        if (errno != EEXIST) return SystemError("keep a copy of", path);
    }
    return makeError(EEXIST, "keep a copy of " + path.string());
}

bool IsTemporaryName(std::string_view name) {
    const size_t tail = kTemporaryTag.size() + kTemporarySuffix;
    if (name.size() < 2 + tail || name[0] != '.') return false;
    if (name.substr(name.size() - tail, kTemporaryTag.size()) != kTemporaryTag) return false;
    for (char c : name.substr(name.size() - kTemporarySuffix)) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

int RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::filesystem::path path = entry.path();
        if (!IsTemporaryName(path.filename().string())) continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError) || entry.is_symlink(typeError)) continue;
        Fd fd(Sys().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0));
        // A save in progress holds the lock; once we hold it, no save can still be using the file.
        if (fd.get() < 0 || Sys().flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (Sys().unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace orvane
