// The services start-up leans on before any window exists: the single-copy lock across
// real processes, and the display limits.
#include "DisplayInfo.h"
#include "SingleInstanceLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kName = "Les Bramidou - Vurmont Soft";

using Result = SingleInstanceLock::Result;

// Each test gets its own runtime folder, so runs never see each other's lock.
class SingleInstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/bramidou-lock-test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        hadOld_ = old != nullptr;
        if (hadOld_)
            old_ = old;
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (hadOld_)
            setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        const std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    // What a lock taken in another process reports, as that process's exit status.
    static int acquireInChild(const std::string& name) {
        const pid_t pid = fork();
        if (pid == 0) {
            SingleInstanceLock lock;
            _exit(static_cast<int>(lock.acquire(name)));
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A child that holds the lock until it is killed; returns once it holds it.
    static pid_t holderChild(const std::string& name) {
        int ready[2];
        if (pipe(ready) != 0)
            return -1;
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[0]);
            SingleInstanceLock lock;
            const char held = lock.acquire(name) == Result::Acquired ? 'y' : 'n';
            if (write(ready[1], &held, 1) != 1)
                _exit(2);
            for (;;)
                pause();
        }
        close(ready[1]);
        char held = 'n';
        const bool got = read(ready[0], &held, 1) == 1;
        close(ready[0]);
        if (!got || held != 'y') {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return -1;
        }
        return pid;
    }

    std::string dir_;
    std::string old_;
    bool hadOld_ = false;
};

TEST_F(SingleInstanceLockTest, SecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
    SingleInstanceLock lock;
    ASSERT_EQ(lock.acquire(kName), Result::Acquired);
    EXPECT_EQ(acquireInChild(kName), static_cast<int>(Result::AlreadyRunning));
    // A different name is a different program.
    EXPECT_EQ(acquireInChild("Un autre jeu"), static_cast<int>(Result::Acquired));
    lock.release();
    EXPECT_EQ(acquireInChild(kName), static_cast<int>(Result::Acquired));
}

TEST_F(SingleInstanceLockTest, LockOfAKilledHolderIsFreedBySystem) {
    const pid_t holder = holderChild(kName);
    ASSERT_GT(holder, 0);
    SingleInstanceLock lock;
    EXPECT_EQ(lock.acquire(kName), Result::AlreadyRunning);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(lock.acquire(kName), Result::Acquired);
}

TEST_F(SingleInstanceLockTest, DestroyingTheLockReleasesIt) {
    {
        SingleInstanceLock lock;
        ASSERT_EQ(lock.acquire(kName), Result::Acquired);
    }
    EXPECT_EQ(acquireInChild(kName), static_cast<int>(Result::Acquired));
}

// A program the game starts later must not keep the game's lock alive after the game
// itself has ended.
TEST_F(SingleInstanceLockTest, ProgramsStartedByTheHolderDoNotInheritTheLock) {
    SingleInstanceLock lock;
    ASSERT_EQ(lock.acquire(kName), Result::Acquired);
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(child, 0);
    usleep(100 * 1000);
    lock.release();
    EXPECT_EQ(acquireInChild(kName), static_cast<int>(Result::Acquired));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST_F(SingleInstanceLockTest, LockFileThatCannotBeOpenedGivesUnavailable) {
    const std::string file = dir_ + "/plain-file";
    const int fd = open(file.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    close(fd);
    const std::string cases[] = {dir_ + "/does/not/exist", file};
    for (const std::string& runtime : cases) {
        SCOPED_TRACE(runtime);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        SingleInstanceLock lock;
        EXPECT_EQ(lock.acquire(kName), Result::Unavailable);
    }
}

// Someone who can write the folder plants a link where the lock goes: the lock must not
// follow it and create or lock a file of their choosing.
TEST_F(SingleInstanceLockTest, PlantedLinkIsNotFollowed) {
    const std::string target = dir_ + "/target";
    const std::string link = dir_ + "/" + kName;
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    SingleInstanceLock lock;
    EXPECT_EQ(lock.acquire(kName), Result::Unavailable);
    struct stat st;
    EXPECT_NE(stat(target.c_str(), &st), 0);
}

TEST_F(SingleInstanceLockTest, SlashInTheNameStaysInsideTheRuntimeFolder) {
    SingleInstanceLock lock;
    ASSERT_EQ(lock.acquire("../escaped"), Result::Acquired);
    struct stat st;
    EXPECT_EQ(stat((dir_ + "/.._escaped").c_str(), &st), 0);
    EXPECT_NE(stat((dir_ + "/../escaped").c_str(), &st), 0);
}

// Without a usable runtime folder (unset, or not an absolute path) the lock falls back to
// a per-user name under /tmp, and still works across processes.
TEST_F(SingleInstanceLockTest, FallsBackToAPerUserFileUnderTmp) {
    const std::string name = "bramidou-test-" + std::to_string(getpid());
    const std::string expected = "/tmp/" + std::to_string(getuid()) + "-" + name;
    for (const char* runtime : {static_cast<const char*>(nullptr), "relative/dir", ""}) {
        SCOPED_TRACE(runtime ? runtime : "(unset)");
        if (runtime)
            setenv("XDG_RUNTIME_DIR", runtime, 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        SingleInstanceLock lock;
        ASSERT_EQ(lock.acquire(name), Result::Acquired);
        struct stat st;
        EXPECT_EQ(stat(expected.c_str(), &st), 0);
        EXPECT_EQ(acquireInChild(name), static_cast<int>(Result::AlreadyRunning));
    }
    unlink(expected.c_str());
}

TEST(DisplayInfoTest, AcceptsOnlyLargeEnoughScreensWithEnoughColours) {
    struct Case {
        int width, height, depth;
        bool accepted;
    };
    const Case cases[] = {
        {640, 480, 15, true}, // 32768 colours: just above the limit
        {640, 480, 16, true},  {1024, 768, 24, true},  {1920, 1080, 32, true},
        {639, 480, 24, false}, {640, 479, 24, false},  {1024, 768, 14, false},
        {1024, 768, 8, false}, {4096, 4096, 8, false}, {0, 0, 0, false}, // no screen
        {640, 480, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.depth);
        DisplayInfo info;
        info.width = c.width;
        info.height = c.height;
        info.bitsPerPixel = c.depth;
        EXPECT_EQ(info.isGoodEnough(), c.accepted);
    }
}

TEST(DisplayInfoTest, ColourCountIsExactForDeepScreens) {
    DisplayInfo info;
    info.bitsPerPixel = 15;
    EXPECT_EQ(info.colours(), 32768.0);
    info.bitsPerPixel = 32;
    EXPECT_EQ(info.colours(), 4294967296.0);
    info.bitsPerPixel = 64;
    EXPECT_GT(info.colours(), 1.8e19);
}

} // namespace
