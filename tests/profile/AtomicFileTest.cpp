#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RecordingFileCalls.h"
#include "TestFiles.h"
#include "profile/AtomicFile.h"

namespace orvane {
namespace {

using testing::FileCall;
using testing::RecordingFileCalls;

class AtomicFile : public testing::TempAppDir {
protected:
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_ / "config")) {
            if (e.path().filename().string()[0] == '.') names.push_back(e.path().filename().string());
        }
        return names;
    }
};

// The new bytes must be on disk before the rename makes them the file, and the rename must be on
// disk before the save reports success: a save that skipped either sync fails here.
TEST_F(AtomicFile, DataReachesTheDiskBeforeTheRenamePublishesIt) {
    const auto target = Config("default0.psf");
    Put(target, "old");
    ::chmod(target.c_str(), 0640);
    RecordingFileCalls sys;
    ASSERT_TRUE(WriteFileAtomically(target, "new bytes").ok());

    const int create = sys.Find("open", ".default0.psf.orvane-");
    ASSERT_GE(create, 0);
    const std::string tmp = sys.calls[size_t(create)].path;
    EXPECT_TRUE(sys.calls[size_t(create)].flags & O_EXCL);
    const int lastWrite = sys.FindLast("write", tmp);
    const int sync = sys.Find("fsync", tmp);
    const int rename = sys.Find("rename", tmp);
    const int folderSync = sys.Find("fsync", (dir_ / "config").string(), rename);
    ASSERT_GE(lastWrite, 0);
    ASSERT_GE(rename, 0);
    EXPECT_EQ(sys.calls[size_t(rename)].to, target.string());
    EXPECT_LT(lastWrite, sync);
    EXPECT_LT(sync, rename);
    EXPECT_GT(folderSync, rename);
    EXPECT_EQ(sys.calls[size_t(folderSync)].path, (dir_ / "config").string());

    EXPECT_EQ(Get(target), "new bytes");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(AtomicFile, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary) {
    const auto target = Config("config.ini");
    Put(target, "old");
    for (const char* step : {"open", "fchmod", "write", "fsync", "rename"}) {
        RecordingFileCalls sys;
        sys.failErrno = std::string(step) == "write" ? ENOSPC : EIO;
        sys.failWhen = [&](const FileCall& c) {
            return c.op == step && c.path.find(".orvane-") != std::string::npos;
        };
        const Status s = WriteFileAtomically(target, "new");
        EXPECT_FALSE(s.ok()) << step;
        EXPECT_EQ(s.error().code, sys.failErrno) << step;
        EXPECT_EQ(Get(target), "old") << step;
        EXPECT_TRUE(Leftovers().empty()) << step;
    }
}

TEST_F(AtomicFile, TargetsThatAreNotPlainWritableFilesAreNotReplaced) {
    const auto readOnly = Config("default1.psf");
    Put(readOnly, "mine");
    ::chmod(readOnly.c_str(), 0444);
    const Status refused = WriteFileAtomically(readOnly, "new");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message().find("read-only"), std::string::npos) << refused.error().message();
    EXPECT_EQ(Get(readOnly), "mine");
    EXPECT_TRUE(IsReadOnlyFile(readOnly));

    // A link to a device is followed to the device, which is never replaced (not even as root).
    std::filesystem::create_symlink("/dev/null", Config("default2.psf"));
    const Status device = WriteFileAtomically(Config("default2.psf"), "new");
    ASSERT_FALSE(device.ok());
    EXPECT_NE(device.error().message().find("not a regular file"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    std::filesystem::create_directory(Config("folder.psf"));
    EXPECT_FALSE(WriteFileAtomically(Config("folder.psf"), "new").ok());
    EXPECT_TRUE(Leftovers().empty());
}

// A config file kept elsewhere behind a link (a dotfiles folder) stays linked: the file the link
// names gets the new bytes, and its temporary lives beside it.
TEST_F(AtomicFile, ALinkToAFileStaysALinkAndItsFileIsReplaced) {
    std::filesystem::create_directory(dir_ / "dotfiles");
    Put(dir_ / "dotfiles" / "config.ini", "old");
    std::filesystem::create_symlink("../dotfiles/config.ini", Config("config.ini"));
    ASSERT_TRUE(WriteFileAtomically(Config("config.ini"), "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(Config("config.ini")));
    EXPECT_EQ(Get(dir_ / "dotfiles" / "config.ini"), "new");
    EXPECT_TRUE(Leftovers().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "dotfiles"), {}), 1);
}

TEST_F(AtomicFile, ReaderTakesRegularFilesUpToItsBoundWithoutBlocking) {
    Put(Config("ten"), std::string(10, 'x'));
    EXPECT_TRUE(ReadFileBytes(Config("ten"), 10).ok());
    const auto tooLarge = ReadFileBytes(Config("ten"), 9);
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_NE(tooLarge.error().message().find("larger than"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(dir_ / "config").ok());
    EXPECT_TRUE(ReadFileBytes(Config("missing")).error().isGone());

    RecordingFileCalls sys;
    (void)ReadFileBytes(Config("ten"));
    const int open = sys.Find("open", "ten");
    ASSERT_GE(open, 0);
    EXPECT_TRUE(sys.calls[size_t(open)].flags & O_NONBLOCK);
    // The type is taken from the open file, not from the name.
    EXPECT_GT(sys.Find("fstat", "ten"), open);
}

TEST_F(AtomicFile, SetAsideKeepsEveryEarlierCopy) {
    const auto file = Config("default3.psf");
    for (int n = 0; n <= kBackupCopies; ++n) {
        Put(file, "version " + std::to_string(n));
        auto kept = SetAside(file);
        ASSERT_TRUE(kept.ok()) << n;
        EXPECT_EQ(kept.value(), BackupPath(file, std::min(n, kBackupCopies - 1)));
        EXPECT_FALSE(Exists(file));
    }
    EXPECT_EQ(Get(Config("default3.psf.bak")), "version 0");
    EXPECT_EQ(Get(Config("default3.psf.bak.1")), "version 1");
    // With every place taken the newest copy gives way; the oldest ones stay.
    EXPECT_EQ(Get(Config("default3.psf.bak.9")), "version 10");

    // Nothing is read, so a FIFO or a file nobody may read is kept all the same.
    ASSERT_EQ(::mkfifo(Config("fifo.psf").c_str(), 0644), 0);
    ASSERT_TRUE(SetAside(Config("fifo.psf")).ok());
    EXPECT_TRUE(std::filesystem::is_fifo(Config("fifo.psf.bak")));
}

TEST_F(AtomicFile, TemporariesOfKilledSavesAreRemovedButNotThoseInUse) {
    Put(Config(".config.ini.orvane-Ab12cd"), "left by a killed save");
    Put(Config(".default0.psf.orvane-XYZ789"), "being written");
    Put(Config(".hidden"), "the user's");
    Put(Config("notes.orvane-abcdef"), "the user's");
    Put(Config(".default1.psf.orvane-abc"), "the user's");
    const int inUse = ::open(Config(".default0.psf.orvane-XYZ789").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(inUse, 0);
    ASSERT_EQ(::flock(inUse, LOCK_EX), 0);

    EXPECT_EQ(RemoveStaleTemporaries(dir_ / "config"), 1);
    EXPECT_FALSE(Exists(Config(".config.ini.orvane-Ab12cd")));
    EXPECT_TRUE(Exists(Config(".default0.psf.orvane-XYZ789")));
    for (const char* kept : {".hidden", "notes.orvane-abcdef", ".default1.psf.orvane-abc"}) {
        EXPECT_TRUE(Exists(Config(kept))) << kept;
    }
    ::close(inUse);
    EXPECT_EQ(RemoveStaleTemporaries(dir_ / "config"), 1);
}

// Another program's start-up clean-up runs at the worst moment: after the save created its
// temporary and before it locked it. The clean-up takes and removes the file; the save must still
// end with the new bytes in place rather than fail to rename a file that is gone.
TEST_F(AtomicFile, ACleanUpBetweenCreatingAndLockingATemporaryCostsTheSaveNothing) {
    class CleanUpBeforeLock : public RecordingFileCalls {
    public:
        explicit CleanUpBeforeLock(std::filesystem::path folder) : folder_(std::move(folder)) {}
        int flock(int fd, int operation) override {
            if (!inCleanUp_ && operation == LOCK_EX && cleanUps_ < 3) {
                inCleanUp_ = true;
                removed += RemoveStaleTemporaries(folder_);
                inCleanUp_ = false;
                ++cleanUps_;
            }
            return RecordingFileCalls::flock(fd, operation);
        }
        int removed = 0;

    private:
        std::filesystem::path folder_;
        bool inCleanUp_ = false;
        int cleanUps_ = 0;
    };
    const auto target = Config("Lan.txt");
    CleanUpBeforeLock sys(dir_ / "config");
    const Status s = WriteFileAtomically(target, "seeded");
    ASSERT_TRUE(s.ok()) << s.error().message();
    EXPECT_GE(sys.removed, 1);  // the race did happen
    EXPECT_EQ(Get(target), "seeded");
    EXPECT_TRUE(Leftovers().empty());
}

// Many saves and clean-ups at once in a fresh folder, as when several programs start together:
// every save succeeds and nothing is left behind.
TEST_F(AtomicFile, SavesAndCleanUpsRunningTogetherAllSucceed) {
    const auto folder = dir_ / "config" / "fresh";
    std::atomic<bool> writing{true};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < 2; ++c)
        threads.emplace_back([&] {
            while (writing) (void)RemoveStaleTemporaries(folder);
        });
    std::filesystem::create_directories(folder);
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&, w] {
            for (int n = 0; n < 150; ++n) {
                const auto file = folder / ("f" + std::to_string(w) + "-" + std::to_string(n % 5));
                if (!WriteFileAtomically(file, "v" + std::to_string(n)).ok()) ++failures;
            }
        });
    for (auto& t : writers) t.join();
    writing = false;
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    for (int w = 0; w < 4; ++w) EXPECT_EQ(Get(folder / ("f" + std::to_string(w) + "-4")), "v149");
    for (const auto& e : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(IsTemporaryName(e.path().filename().string())) << e.path();
}

// Our readers stop at kMaxReadBytes; a file beyond it would be set aside at the next start, so
// it is never written and the old one stays.
TEST_F(AtomicFile, NothingLargerThanTheReadersTakeIsWritten) {
    const auto target = Config("MacroLibraryFile.mlf");
    Put(target, "old");
    const std::string big(kMaxReadBytes + 1, 'x');
    for (auto write : {WriteFileAtomically, WriteExportFile}) {
        const Status s = write(target, big);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.error().code, EFBIG);
        EXPECT_NE(s.error().context.find(target.string()), std::string::npos) << s.error().context;
        EXPECT_EQ(Get(target), "old");
        EXPECT_TRUE(Leftovers().empty());
    }
}

}  // namespace
}  // namespace orvane
