#include "IniFile.h"
#include "SafeFile.h"
#include "SettingsFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kForeign = "; kept by hand\r\n[Autre]\r\ncl\xE9=valeur\r\n";

enum ChildResult { Refused = 0, Accepted = 1, WrongText = 2 };

// Tries one settings write in the child and reports how it ended.
int trySave(const std::string& path) {
    try {
        SaveSettings(Settings{}, path);
        return Accepted;
    } catch (const IniWriteError& error) {
        return std::string(error.what()) == "Impossible d'écrire dans " + path ? Refused
                                                                               : WrongText;
    }
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

struct RefusalCase {
    const char* what;
    mode_t folderMode;
    mode_t fileMode;
    bool asNobody;
};

class RefusedWriteTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedWriteTest, LeavesTheFileWholeAndNoTemporaryFile) {
    const RefusalCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    writeBytes(path, kForeign);
    ASSERT_EQ(::chmod(path.c_str(), c.fileMode), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), c.folderMode), 0);

    EXPECT_EQ(runInChild([&] { return trySave(path); }, c.asNobody), Refused);

    EXPECT_EQ(readBytes(path), kForeign);
    EXPECT_EQ(modeOf(path), c.fileMode);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"bramidou.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, RefusedWriteTest,
    ::testing::Values(
        // Root ignores permission bits; the writer honours a read-only file anyway.
        RefusalCase{"read-only file, root", 0755, 0444, false},
        RefusalCase{"read-only file, writable folder", 0777, 0444, true},
        RefusalCase{"file of someone else", 0777, 0644, true},
        RefusalCase{"read-only folder", 0555, 0666, true},
        // A file the writer cannot read back would be rewritten without its other lines.
        RefusalCase{"write-only file", 0777, 0222, true}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(SafeWriteTest, MissingFileInReadOnlyFolderIsNotCreated) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    const std::string path = folder.file("bramidou.ini");
    EXPECT_EQ(runInChild([&] { return trySave(path); }, true), Refused);
    EXPECT_TRUE(folder.names().empty());
}

TEST(SafeWriteTest, AFolderOrADeviceIsNotAFile) {
    TempFolder folder;
    ::mkdir(folder.file("dir.ini").c_str(), 0755);
    EXPECT_THROW(IniFile(folder.file("dir.ini")).writeInt("S", "k", 1), IniWriteError);
    EXPECT_THROW(IniFile("/dev/null").writeInt("S", "k", 1), IniWriteError);
    EXPECT_THROW(IniFile(folder.file("none/x.ini")).writeInt("S", "k", 1), IniWriteError);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"dir.ini"});
}

TEST(SafeWriteTest, AFifoReadsAsEmptyWithoutBlocking) {
    TempFolder folder;
    const std::string path = folder.file("fifo.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    EXPECT_EQ(IniFile(path).read().bytes(), "");
    EXPECT_THROW(IniFile(path).writeInt("S", "k", 1), IniWriteError);
}

TEST(SafeWriteTest, ReplacedFileKeepsItsPermissionBits) {
    TempFolder folder;
    const std::string path = folder.file("game.sav");
    writeBytes(path, kForeign);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    IniFile(path).writeInt("Type", "Joueur Jaune", 1);
    EXPECT_EQ(modeOf(path), 0604u);
    EXPECT_EQ(readBytes(path), kForeign + "[Type]\r\nJoueur Jaune=1\r\n");
}

TEST(SafeWriteTest, ALongestFileNameCanBeWritten) {
    TempFolder folder;
    const std::string path = folder.file(std::string(251, 'p') + ".sav");
    IniFile(path).writeInt("S", "k", 1);
    IniFile(path).writeInt("S", "k", 2);
    EXPECT_EQ(readBytes(path), "[S]\r\nk=2\r\n");
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(SafeWriteTest, NewFileFollowsTheUmask) {
    TempFolder folder;
    const std::string path = folder.file("new.ini");
    const mode_t old = ::umask(022);
    IniFile(path).writeInt("S", "k", 1);
    ::umask(old);
    EXPECT_EQ(modeOf(path), 0644u);
}

TEST(SafeWriteTest, ALinkKeepsPointingAtItsFile) {
    TempFolder folder;
    writeBytes(folder.file("real.ini"), "[S]\r\nk=1\r\n");
    ASSERT_EQ(::symlink("real.ini", folder.file("link.ini").c_str()), 0);
    IniFile(folder.file("link.ini")).writeInt("S", "k", 2);
    EXPECT_EQ(readBytes(folder.file("real.ini")), "[S]\r\nk=2\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat(folder.file("link.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

// The disk fills up in the middle of a save: the error is raised, the file keeps all of
// its old values (never some old and some new), and nothing half-written is left behind.
// The new file takes 189 bytes: every limit below stops it somewhere inside.
TEST(SafeWriteTest, FullDiskLeavesTheSettingsAsTheyWere) {
    const std::string old = "[Configuration]\r\nJoueur Jaune=3\r\nJoueur Vert=3\r\n";
    for (const rlim_t limit : {rlim_t{0}, rlim_t{40}, rlim_t{100}, rlim_t{188}}) {
        TempFolder folder;
        const std::string path = folder.file("bramidou.ini");
        writeBytes(path, old);
        const int result = runInChild([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            return trySave(path);
        });
        EXPECT_EQ(result, Refused) << limit;
        EXPECT_EQ(readBytes(path), old) << limit;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"bramidou.ini"}) << limit;
    }
}

TEST(SafeWriteTest, FullDiskLeavesALargerFileUntouched) {
    TempFolder folder;
    const std::string path = folder.file("game.sav");
    const std::string big = "[Autre]\r\n" + std::string(4000, 'x') + "\r\n";
    writeBytes(path, big);
    const int result = runInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{2000, 2000};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        return trySave(path);
    });
    EXPECT_EQ(result, Refused);
    EXPECT_EQ(readBytes(path), big);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"game.sav"});
}

TEST(SafeWriteTest, ReadingStopsAtTheSizeLimitAndWritingRefusesSuchAFile) {
    TempFolder folder;
    const std::string path = folder.file("huge.ini");
    {
        std::string bytes = "[S]\r\nk=1\r\n";
        bytes.resize(SafeFile::kMaxFileBytes + 10, ';');
        writeBytes(path, bytes);
    }
    std::string read;
    bool truncated = false;
    EXPECT_EQ(SafeFile::read(path, read, &truncated), SafeFile::ReadResult::Read);
    EXPECT_TRUE(truncated);
    EXPECT_EQ(read.size(), SafeFile::kMaxFileBytes);
    EXPECT_EQ(IniFile(path).read().readInt("S", "k", 0), 1);
    EXPECT_THROW(IniFile(path).writeInt("S", "k", 2), IniWriteError);
    EXPECT_EQ(::access(path.c_str(), F_OK), 0);
}

} // namespace
