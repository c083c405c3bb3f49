#include "InstallLayout.h"
#include "IniWriteError.h"
#include "SettingsFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// A tree standing for one copy of the game: root/games/bramidou with the installed
// data folder where the layout puts it, or a bare folder for a portable copy.
class GameTree {
public:
    GameTree() : root_(fs::path(folder_.path())) {}
    ~GameTree() {
        // Folders made read-only by a test must be writable again to be removed.
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            if (entry.is_directory())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
        for (const auto& entry : fs::directory_iterator(root_))
            fs::remove_all(entry.path());
    }

    std::string path(const std::string& relative) const { return (root_ / relative).string(); }

    // An installed copy: the executable in games/, the data folder beside per the layout.
    std::string installed() {
        fs::create_directories(path("games"));
        fs::create_directories(dataFolder());
        return touch("games/bramidou");
    }
    std::string dataFolder() const {
        return path(std::string("games/") + InstallLayout::kDataFromExecutable);
    }
    // A portable copy: the executable alone in a folder of the player's own.
    std::string portable() {
        fs::create_directories(path("run"));
        return touch("run/bramidou");
    }

    std::string touch(const std::string& relative) {
        writeBytes(path(relative), "x");
        return path(relative);
    }

private:
    TempFolder folder_;
    fs::path root_;
};

TEST(InstallLayoutTest, DataFilesAreFoundBesideTheExecutableFirstThenInTheDataFolder) {
    struct Case {
        const char* what;
        bool beside;
        bool installed;
        bool besideIsFolder;
        const char* expected; // "beside" or "installed"
    };
    const Case cases[] = {
        {"only beside", true, false, false, "beside"},
        {"only installed", false, true, false, "installed"},
        {"both: the copy beside wins", true, true, false, "beside"},
        {"neither: named beside, so it stays missing", false, false, false, "beside"},
        {"a folder of that name beside is not the file", false, true, true, "installed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameTree tree;
        const std::string exe = tree.installed();
        const std::string beside = tree.path("games/movehorse.wav");
        const std::string installed = tree.dataFolder() + "/movehorse.wav";
        if (c.beside)
            writeBytes(beside, "RIFF");
        if (c.besideIsFolder)
            fs::create_directory(beside);
        if (c.installed)
            writeBytes(installed, "RIFF");
        const std::string found = InstallLayout::dataFilePath(exe, "movehorse.wav");
        EXPECT_EQ(found, std::string(c.expected) == "beside" ? beside : installed);
    }
}

TEST(InstallLayoutTest, AFullPathIsTakenAsItIs) {
    GameTree tree;
    const std::string exe = tree.installed();
    writeBytes(tree.dataFolder() + "/tone.wav", "RIFF");
    const std::string elsewhere = tree.touch("tone.wav");
    EXPECT_EQ(InstallLayout::dataFilePath(exe, elsewhere), elsewhere);
    EXPECT_EQ(InstallLayout::dataFilePath(exe, "/nonexistent/tone.wav"), "/nonexistent/tone.wav");
}

TEST(InstallLayoutTest, SettingsFollowTheKindOfCopy) {
    struct Case {
        const char* what;
        bool installedTree;
        bool readOnlyFolder;
        const char* xdg; // relative to the tree, "" for unset, or a literal relative value
        const char* expected;
    };
    const Case cases[] = {
        {"portable, writable: beside the executable", false, false, "", "run/bramidou.ini"},
        {"portable folder made read-only, XDG set", false, true, "xdg",
         "xdg/bramidou/bramidou.ini"},
        {"portable folder made read-only, XDG unset", false, true, "",
         "home/.config/bramidou/bramidou.ini"},
        {"installed tree, writable by this user, XDG set", true, false, "xdg",
         "xdg/bramidou/bramidou.ini"},
        {"installed tree, XDG unset", true, true, "", "home/.config/bramidou/bramidou.ini"},
        {"installed tree, relative XDG is ignored", true, true, "relative/config",
         "home/.config/bramidou/bramidou.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameTree tree;
        const std::string exe = c.installedTree ? tree.installed() : tree.portable();
        if (c.readOnlyFolder)
            ::chmod(InstallLayout::folderOf(exe).c_str(), 0555);
        const std::string xdgValue = std::string(c.xdg) == "xdg" ? tree.path("xdg") : c.xdg;
        const std::string home = tree.path("home");
        const std::string path = InstallLayout::settingsFilePath(
            exe, xdgValue.empty() ? nullptr : xdgValue.c_str(), home.c_str());
        EXPECT_EQ(path, tree.path(c.expected));
    }
}

TEST(InstallLayoutTest, AFolderAnotherUserOwnsIsNotWritten) {
    GameTree tree;
    const std::string exe = tree.portable();
    ::chmod(tree.path("").c_str(), 0755);
    ::chmod(InstallLayout::folderOf(exe).c_str(), 0755);
    const std::string expected = tree.path("xdg/bramidou/bramidou.ini");
    // Run as an ordinary user, the root-owned folder is read-only for it.
    EXPECT_EQ(runInChild(
                  [&] {
                      const std::string xdg = tree.path("xdg");
                      return InstallLayout::settingsFilePath(exe, xdg.c_str(), "/nonexistent") ==
                                     expected
                                 ? 0
                                 : 1;
                  },
                  true),
              0);
}

TEST(InstallLayoutTest, TrailingSlashesOfTheConfigFolderAreDropped) {
    GameTree tree;
    const std::string exe = tree.installed();
    const std::string xdg = tree.path("xdg") + "//";
    EXPECT_EQ(InstallLayout::settingsFilePath(exe, xdg.c_str(), nullptr),
              tree.path("xdg/bramidou/bramidou.ini"));
}

TEST(InstallLayoutTest, FirstSaveCreatesTheConfigFolderPrivately) {
    GameTree tree;
    const std::string path = tree.path("home/.config/bramidou/bramidou.ini");
    Settings settings;
    settings.playerKind[3] = 3;
    SaveSettings(settings, path);

    const std::string text = readBytes(path);
    EXPECT_NE(text.find("[Configuration]\r\nJoueur Jaune=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Joueur Bleu=3\r\n"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(tree.path("home/.config/bramidou").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A second save finds the folder there and only replaces the file.
    settings.playerKind[3] = 2;
    SaveSettings(settings, path);
    EXPECT_NE(readBytes(path).find("Joueur Bleu=2\r\n"), std::string::npos);
}

TEST(InstallLayoutTest, AFolderThatCannotBeMadeGivesTheWriteErrorAndLosesNothing) {
    struct Case {
        const char* what;
        const char* blocker; // a plain file where a folder of the path should be
        bool readOnlyParent;
    };
    const Case cases[] = {
        {"a file stands where the config folder should be", "home/.config", false},
        {"a file stands where the game's folder should be", "home/.config/bramidou", false},
        {"the config folder's parent cannot be written", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameTree tree;
        fs::create_directories(tree.path("home/.config"));
        if (c.blocker) {
            fs::remove(tree.path(c.blocker));
            writeBytes(tree.path(c.blocker), "kept as it was");
        }
        if (c.readOnlyParent) {
            ::chmod(tree.path("").c_str(), 0755);
            ::chmod(tree.path("home").c_str(), 0755);
            ::chmod(tree.path("home/.config").c_str(), 0755);
        }
        const std::string path = tree.path("home/.config/bramidou/bramidou.ini");
        const int result = runInChild(
            [&] {
                try {
                    SaveSettings(Settings{}, path);
                    return 1;
                } catch (const IniWriteError& error) {
                    return std::string(error.what()) == "Impossible d'écrire dans " + path ? 0 : 2;
                }
            },
            c.readOnlyParent);
        EXPECT_EQ(result, 0);
        if (c.blocker) {
            EXPECT_EQ(readBytes(tree.path(c.blocker)), "kept as it was");
        }
        EXPECT_FALSE(fs::exists(path));
    }
}

} // namespace
