// Files written outside the config folder: nothing cleans up there, so a write that is killed
// half-way must leave no file behind, neither the target nor a temporary.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "RecordingFileCalls.h"
#include "TestFiles.h"
#include "profile/AtomicFile.h"

namespace orvane {
namespace {

using testing::FileCall;
using testing::RecordingFileCalls;

// Looks at the folder at every write and sync of the export, which is where a kill would most
// likely land: what another program (or the user) would find there if this one died then.
class WatchingFileCalls : public RecordingFileCalls {
public:
    WatchingFileCalls(std::filesystem::path folder, std::string target)
        : folder_(std::move(folder)), target_(std::move(target)) {}
    ssize_t write(int fd, const void* buffer, size_t size) override {
        Look();
        return RecordingFileCalls::write(fd, buffer, size);
    }
    int fsync(int fd) override {
        struct stat st {};
        // The folder's own sync comes after the file has its name.
        if (::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode)) Look();
        return RecordingFileCalls::fsync(fd);
    }
    bool keepsTarget = false;       // the target existed before: its old self is expected
    std::vector<std::string> seen;  // names other than the target's old self, at each look
    int looks = 0;

private:
    void Look() {
        ++looks;
        for (const auto& e : std::filesystem::directory_iterator(folder_)) {
            const std::string name = e.path().filename().string();
            if (name != target_ || !keepsTarget) seen.push_back(name);
        }
    }

    std::filesystem::path folder_;
    std::string target_;
};

bool UnnamedFilesWork(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return ::access("/proc/self/fd", X_OK) == 0;
}

class ExportFile : public testing::TempAppDir {
protected:
    std::filesystem::path Out() const { return dir_ / "out"; }
    void SetUp() override {
        TempAppDir::SetUp();
        std::filesystem::create_directories(Out());
    }
};

TEST_F(ExportFile, ANewFileAppearsOnlyWhenComplete) {
    if (!UnnamedFilesWork(Out())) GTEST_SKIP() << "this file system cannot make unnamed files";
    const auto target = Out() / "profile.psf";
    WatchingFileCalls sys(Out(), "profile.psf");
    ASSERT_TRUE(WriteExportFile(target, std::string(200000, 'p')).ok());
    EXPECT_GT(sys.looks, 0);
    EXPECT_TRUE(sys.seen.empty()) << sys.seen.front();
    EXPECT_EQ(Get(target), std::string(200000, 'p'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out()), {}), 1);
}

TEST_F(ExportFile, AReplacedFileKeepsItsOldSelfUntilTheNewOneIsComplete) {
    if (!UnnamedFilesWork(Out())) GTEST_SKIP() << "this file system cannot make unnamed files";
    const auto target = Out() / "library.mlf";
    Put(target, "old");
    ::chmod(target.c_str(), 0640);
    WatchingFileCalls sys(Out(), "library.mlf");
    sys.keepsTarget = true;
    ASSERT_TRUE(WriteExportFile(target, "new").ok());
    EXPECT_GT(sys.looks, 0);
    EXPECT_TRUE(sys.seen.empty()) << sys.seen.front();
    // The name it briefly had for the rename was locked before it appeared.
    const int link = sys.Find("link", Out().string());
    ASSERT_GE(link, 0);
    EXPECT_LT(sys.Find("flock", Out().string()), link);
    EXPECT_EQ(Get(target), "new");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out()), {}), 1);
}

// Where unnamed files cannot be made (the file system refuses them, or /proc is missing so they
// cannot be named), the export is written the usual way and still succeeds.
TEST_F(ExportFile, FallsBackWhereUnnamedFilesCannotBeMadeOrNamed) {
    const auto fresh = Out() / "fresh.psf";
    const auto old = Out() / "old.psf";
    Put(old, "old");
    for (const char* refused : {"open", "link"}) {
        RecordingFileCalls sys;
        sys.failErrno = std::string(refused) == "open" ? EOPNOTSUPP : ENOENT;
        sys.failWhen = [&](const FileCall& c) {
            return c.op == refused && (c.op == "link" || (c.flags & O_TMPFILE) == O_TMPFILE);
        };
        for (const auto& target : {fresh, old}) {
            const Status s = WriteExportFile(target, refused);
            ASSERT_TRUE(s.ok()) << refused << ": " << s.error().message();
            EXPECT_EQ(Get(target), refused);
        }
        EXPECT_GE(sys.Find("open", ".fresh.psf.orvane-"), 0) << refused;  // the named way
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out()), {}), 2) << refused;
    }
}

TEST_F(ExportFile, AFailureLeavesTheOldFileAndNothingElse) {
    const auto target = Out() / "old.psf";
    Put(target, "old");
    for (const char* step : {"write", "fsync", "rename"}) {
        RecordingFileCalls sys;
        sys.failErrno = ENOSPC;
        sys.failWhen = [&](const FileCall& c) { return c.op == step; };
        const Status s = WriteExportFile(target, "new");
        EXPECT_FALSE(s.ok()) << step;
        EXPECT_EQ(Get(target), "old") << step;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out()), {}), 1) << step;
    }
}

}  // namespace
}  // namespace orvane
