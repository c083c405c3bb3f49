#include "SettingsFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The number of a process that has ended: a child, already reaped.
pid_t endedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

// The file-size limit kills a process in the middle of its write, as a kill at the wrong
// moment would: its temporary file stays. The next write clears it.
TEST(LeftoverTest, AWriteKilledHalfWayIsClearedByTheNextWrite) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    writeBytes(path, "[Configuration]\r\nSon=1\r\n");
    const int killed = runInChild([&] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const rlimit fileSize{60, 60};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        SaveSettings(Settings{}, path);
        return 0;
    });
    ASSERT_EQ(killed, 128 + SIGXFSZ);
    ASSERT_EQ(folder.names().size(), 2u);

    SaveSettings(Settings{}, path);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"bramidou.ini"});
}

TEST(LeftoverTest, OnlyTheFilesOwnLeftoversOfEndedProcessesGo) {
    TempFolder folder;
    const std::string dead = std::to_string(endedProcess());
    const std::string alive = std::to_string(::getppid());
    struct Entry {
        std::string name;
        bool removed;
    };
    const Entry entries[] = {
        {".bramidou.ini." + dead + "-0.tmp", true},
        {".bramidou.ini." + dead + "-17.tmp", true},
        {".bramidou.ini." + alive + "-0.tmp", false}, // a write still going on
        {".game.sav." + dead + "-0.tmp", false},      // another file's, for its own next write
        {"bramidou.ini." + dead + "-0.tmp", false},
        {".bramidou.ini." + dead + "-x.tmp", false},
        {".bramidou.ini." + dead + ".tmp", false},
        {".bramidou.ini.0-0.tmp", false},
        {".bramidou.ini.-" + dead + "-0.tmp", false},
        {".bramidou.ini." + dead + "-0.tmp.keep", false},
    };
    for (const Entry& e : entries)
        writeBytes(folder.file(e.name), "[Configuration]\r\nJoueur");
    // Not a file, or not the user's: not ours to remove.
    const std::string folderLike = ".bramidou.ini." + dead + "-1.tmp";
    ASSERT_EQ(::mkdir(folder.file(folderLike).c_str(), 0700), 0);
    const std::string othersFile = ".bramidou.ini." + dead + "-2.tmp";
    writeBytes(folder.file(othersFile), "x");
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(folder.file(othersFile).c_str(), 65534, 65534), 0);
    }

    SaveSettings(Settings{}, folder.file("bramidou.ini"));

    std::vector<std::string> expected = {"bramidou.ini", folderLike};
    if (root)
        expected.push_back(othersFile);
    for (const Entry& e : entries)
        if (!e.removed)
            expected.push_back(e.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.names(), expected);
}

} // namespace
