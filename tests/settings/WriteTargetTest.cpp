#include "IniWriteError.h"
#include "SavedGame.h"
#include "SettingsFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kOther = 65534;
const std::string kOldText = "[Autre]\r\nx=1\r\n";

enum class Target { File, Missing, Folder, Fifo };

struct LinkCase {
    const char* what;
    Target target;
    bool linkOfOther;   // bramidou.ini itself belongs to someone else
    bool middleOfOther; // a second link in the chain belongs to someone else
    bool targetOfOther; // the file, or the folder it would be made in, belongs to someone else
    bool written;
};

class PlantedLinkTest : public ::testing::TestWithParam<LinkCase> {
protected:
    // folder/bramidou.ini -> [folder/middle.ini ->] folder/elsewhere/real.ini
    void plant(const LinkCase& c) {
        ASSERT_EQ(::mkdir(elsewhere.c_str(), 0777), 0);
        switch (c.target) {
        case Target::File:
            writeBytes(real, kOldText);
            break;
        case Target::Missing:
            break;
        case Target::Folder:
            ASSERT_EQ(::mkdir(real.c_str(), 0777), 0);
            break;
        case Target::Fifo:
            ASSERT_EQ(::mkfifo(real.c_str(), 0666), 0);
            break;
        }
        const std::string owned = c.target == Target::Missing ? elsewhere : real;
        if (c.targetOfOther) {
            ASSERT_EQ(::chown(owned.c_str(), kOther, kOther), 0);
        }
        if (c.middleOfOther) {
            ASSERT_EQ(::symlink("elsewhere/real.ini", middle.c_str()), 0);
            ASSERT_EQ(::lchown(middle.c_str(), kOther, kOther), 0);
            ASSERT_EQ(::symlink(middle.c_str(), link.c_str()), 0);
        } else {
            ASSERT_EQ(::symlink("elsewhere/real.ini", link.c_str()), 0);
        }
        if (c.linkOfOther) {
            ASSERT_EQ(::lchown(link.c_str(), kOther, kOther), 0);
        }
    }

    TempFolder folder;
    const std::string link = folder.file("bramidou.ini");
    const std::string middle = folder.file("middle.ini");
    const std::string elsewhere = folder.file("elsewhere");
    const std::string real = folder.file("elsewhere/real.ini");
};

// Both writers go through the same safe write: the settings and a saved game.
TEST_P(PlantedLinkTest, IsWrittenThroughOnlyWhenAllOfItBelongsToTheUser) {
    const LinkCase& c = GetParam();
    if ((c.linkOfOther || c.middleOfOther || c.targetOfOther) && ::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    plant(c);
    struct stat before {};
    ::stat(c.target == Target::Missing ? elsewhere.c_str() : real.c_str(), &before);

    Settings settings;
    settings.playerKind[1] = PlayerKind::Disabled;
    SavedGame game{};
    game.currentColour = 2;
    const auto refused = [&](const std::function<void()>& write) {
        try {
            write();
            return false;
        } catch (const IniWriteError& error) {
            EXPECT_STREQ(error.what(), ("Impossible d'écrire dans " + link).c_str());
            return true;
        }
    };
    EXPECT_EQ(refused([&] { SaveSettings(settings, link); }), !c.written) << c.what;
    EXPECT_EQ(refused([&] { writeSavedGame(link, game); }), !c.written) << c.what;

    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.what;
    if (c.written) {
        const std::string text = readBytes(real);
        EXPECT_NE(text.find("Joueur Jaune=3\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("[Joueur]\r\nnum\xE9ro du joueur en cours=2\r\n"), std::string::npos)
            << text;
        return;
    }
    // Left exactly as it was: contents, owner, and no new name beside it.
    if (c.target == Target::File) {
        EXPECT_EQ(readBytes(real), kOldText) << c.what;
        ASSERT_EQ(::stat(real.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, before.st_uid) << c.what;
        EXPECT_EQ(st.st_ino, before.st_ino) << c.what;
    }
    const std::vector<std::string> expected = c.target == Target::Missing
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{"real.ini"};
    EXPECT_EQ(namesIn(elsewhere), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Links, PlantedLinkTest,
    ::testing::Values(
        LinkCase{"link and file of the user", Target::File, false, false, false, true},
        LinkCase{"file of another user", Target::File, false, false, true, false},
        LinkCase{"link of another user", Target::File, true, false, false, false},
        LinkCase{"another user's link in the chain", Target::File, false, true, false, false},
        LinkCase{"dangling link into a folder of the user", Target::Missing, false, false, false,
                 true},
        LinkCase{"dangling link into a folder of another user", Target::Missing, false, false, true,
                 false},
        LinkCase{"link to a folder", Target::Folder, false, false, false, false},
        LinkCase{"link to a FIFO", Target::Fifo, false, false, false, false}),
    [](const ::testing::TestParamInfo<LinkCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

} // namespace
