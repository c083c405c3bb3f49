#include "SettingsFile.h"

#include "FixedDeviceCount.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

// The file written from scratch on a 1280 x 1024 screen with the 1024 x 768 artwork.
const std::string kExample = "[Configuration]\r\n"
                             "Joueur Jaune=1\r\n"
                             "Joueur Vert=2\r\n"
                             "Joueur Bleu=2\r\n"
                             "Joueur Rouge=2\r\n"
                             "PositionXCDAudio=0\r\n"
                             "PositionYCDAudio=0\r\n"
                             "PositionXPrincipale=128\r\n"
                             "PositionYPrincipale=128\r\n"
                             "Temporisation=3\r\n"
                             "Son=0\r\n"
                             "Niveau=1\r\n";

Settings loadFrom(const std::string& bytes, ScreenSize screen = {1024, 768}, int devices = 1) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    writeBytes(path, bytes);
    Settings settings;
    settings.mainWidth = 800;
    settings.mainHeight = 600;
    FixedDeviceCount counter(devices);
    LoadSettings(settings, path, screen, counter);
    return settings;
}

std::string configuration(const std::string& keys) {
    return "[Configuration]\r\n" + keys;
}

TEST(SettingsFileTest, NoFileGivesTheDefaultsAndTheFirstSaveWritesTheExample) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    Settings settings;
    settings.playerKind[1] = 3; // the load must not keep what the record held
    settings.soundOn = true;
    settings.mainWidth = 1024;
    settings.mainHeight = 768;
    FixedDeviceCount counter(1);
    LoadSettings(settings, path, {1280, 1024}, counter);

    const int kinds[5] = {0, 1, 2, 2, 2};
    for (int colour = 1; colour <= 4; ++colour)
        EXPECT_EQ(settings.playerKind[colour], kinds[colour]) << colour;
    EXPECT_EQ(settings.choiceDelaySeconds, 3);
    EXPECT_EQ(settings.choiceDelayMs, 3000);
    EXPECT_FALSE(settings.soundOn);
    EXPECT_TRUE(settings.soundAvailable);
    EXPECT_EQ(settings.cdLeft, 0);
    EXPECT_EQ(settings.cdTop, 0);
    EXPECT_EQ(settings.mainLeft, 128);
    EXPECT_EQ(settings.mainTop, 128);
    EXPECT_TRUE(folder.names().empty());

    SaveSettings(settings, path);
    EXPECT_EQ(readBytes(path), kExample);
}

TEST(SettingsFileTest, EachPlayerKindIsJudgedOnItsOwn) {
    struct Case {
        const char* stored[4];
        int expected[4];
    };
    const Case cases[] = {
        {{"1", "7", "0", "-1"}, {1, 2, 2, 2}},
        {{"3", "3", "3", "3"}, {3, 3, 3, 3}}, // refused only by the dialog and new game
        {{"0x3", "$2", "abc", "0x"}, {3, 2, 2, 2}},
        {{"abc", "1", "2147483648", " 3 "}, {1, 1, 2, 3}},
        {{"4", "$1", "-2147483648", "0X2"}, {2, 1, 2, 2}},
    };
    const char* keys[4] = {"Joueur Jaune", "Joueur Vert", "Joueur Bleu", "Joueur Rouge"};
    for (const Case& c : cases) {
        std::string lines;
        for (int i = 0; i < 4; ++i)
            lines += std::string(keys[i]) + "=" + c.stored[i] + "\r\n";
        const Settings settings = loadFrom(configuration(lines));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(settings.playerKind[i + 1], c.expected[i]) << keys[i] << "=" << c.stored[i];
    }
}

TEST(SettingsFileTest, MainPositionIsCheckedAgainstTheScreen) {
    struct Case {
        const char* x;
        const char* y;
        int left, top;
    };
    // 1024 x 768 screen, 800 x 600 window: centred at (112, 84).
    const Case cases[] = {
        {"924", "668", 924, 668}, {"925", "669", 112, 84}, {"-50", "-5000", -50, -5000},
        {"5000", "0", 112, 0},    {"abc", "", 112, 84},    {"2147483647", "0x10", 112, 16},
    };
    for (const Case& c : cases) {
        const Settings settings = loadFrom(configuration(
            std::string("PositionXPrincipale=") + c.x + "\r\nPositionYPrincipale=" + c.y + "\r\n"));
        EXPECT_EQ(settings.mainLeft, c.left) << c.x;
        EXPECT_EQ(settings.mainTop, c.top) << c.y;
    }
}

TEST(SettingsFileTest, CentringUsesTheScreenOfTheMomentAndTruncates) {
    const Settings settings = loadFrom("", {1025, 601});
    EXPECT_EQ(settings.mainLeft, 112);
    EXPECT_EQ(settings.mainTop, 0);
    // A window wider than the screen centres to the left of it, toward zero.
    const Settings narrow = loadFrom("", {639, 479});
    EXPECT_EQ(narrow.mainLeft, -80);
    EXPECT_EQ(narrow.mainTop, -60);
}

TEST(SettingsFileTest, CdPositionIsReadUnchanged) {
    const Settings settings =
        loadFrom(configuration("PositionXCDAudio=5000\r\nPositionYCDAudio=-7\r\n"));
    EXPECT_EQ(settings.cdLeft, 5000);
    EXPECT_EQ(settings.cdTop, -7);
}

TEST(SettingsFileTest, PauseIsBroughtIntoItsRange) {
    struct Case {
        const char* stored;
        int seconds;
    };
    const Case cases[] = {{"1", 1},           {"30", 30},         {"0", 1},
                          {"-5", 1},          {"31", 30},         {"7", 7},
                          {"2147483647", 30}, {"-2147483648", 1}, {"nonsense", 3}};
    for (const Case& c : cases) {
        const Settings settings = loadFrom(configuration(std::string("Temporisation=") + c.stored));
        EXPECT_EQ(settings.choiceDelaySeconds, c.seconds) << c.stored;
        EXPECT_EQ(settings.choiceDelayMs, c.seconds * 1000) << c.stored;
    }
}

TEST(SettingsFileTest, SoundNeedsADevice) {
    struct Case {
        const char* stored;
        int devices;
        bool on, available;
    };
    const Case cases[] = {
        {"1", 1, true, true},  {"5", 1, true, true},   {"0", 1, false, true},
        {"x", 1, false, true}, {"1", 0, false, false}, {"5", 3, true, true},
    };
    for (const Case& c : cases) {
        const Settings settings = loadFrom(configuration(std::string("Son=") + c.stored + "\r\n"),
                                           {1024, 768}, c.devices);
        EXPECT_EQ(settings.soundOn, c.on) << c.stored << " " << c.devices;
        EXPECT_EQ(settings.soundAvailable, c.available) << c.stored << " " << c.devices;
    }
}

TEST(SettingsFileTest, SoundWithoutDeviceIsSavedAsOff) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    writeBytes(path, configuration("Son=1\r\n"));
    Settings settings;
    FixedDeviceCount none(0);
    LoadSettings(settings, path, {1024, 768}, none);
    SaveSettings(settings, path);
    FixedDeviceCount one(1);
    LoadSettings(settings, path, {1024, 768}, one);
    EXPECT_FALSE(settings.soundOn);
    EXPECT_NE(readBytes(path).find("\r\nSon=0\r\n"), std::string::npos);
}

TEST(SettingsFileTest, SaveReplacesOnlyItsOwnKeys) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    const std::string before = "; mes r\xE9glages\r\n"
                               "[Fen\xEAtres]\r\n"
                               "Son=9\r\n"
                               "\r\n"
                               "[configuration]\r\n"
                               "son = 1\r\n"
                               "Couleur=bleu\r\n"
                               "JOUEUR JAUNE=3\r\n"
                               "\r\n"
                               "[Fin]\r\n"
                               "x=1";
    writeBytes(path, before);
    Settings settings;
    settings.playerKind[1] = 2;
    settings.playerKind[3] = 3;
    settings.soundOn = false;
    settings.mainLeft = -3;
    settings.mainTop = 40;
    settings.cdLeft = 12;
    settings.cdTop = 34;
    settings.choiceDelaySeconds = 25;
    SaveSettings(settings, path);
    EXPECT_EQ(readBytes(path), "; mes r\xE9glages\r\n"
                               "[Fen\xEAtres]\r\n"
                               "Son=9\r\n"
                               "\r\n"
                               "[configuration]\r\n"
                               "son=0\r\n"
                               "Couleur=bleu\r\n"
                               "JOUEUR JAUNE=2\r\n"
                               "Joueur Vert=2\r\n"
                               "Joueur Bleu=3\r\n"
                               "Joueur Rouge=2\r\n"
                               "PositionXCDAudio=12\r\n"
                               "PositionYCDAudio=34\r\n"
                               "PositionXPrincipale=-3\r\n"
                               "PositionYPrincipale=40\r\n"
                               "Temporisation=25\r\n"
                               "Niveau=1\r\n"
                               "\r\n"
                               "[Fin]\r\n"
                               "x=1");
}

TEST(SettingsFileTest, SavedSettingsLoadBackAsTheyWere) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    Settings saved;
    saved.playerKind[1] = 3;
    saved.playerKind[2] = 1;
    saved.playerKind[4] = 3;
    saved.soundOn = true;
    saved.choiceDelaySeconds = 30;
    saved.mainLeft = -40;
    saved.mainTop = 200;
    saved.cdLeft = 3000;
    saved.cdTop = -2;
    saved.computerLevel = ComputerLevel::Strong;
    SaveSettings(saved, path);
    Settings loaded;
    FixedDeviceCount one(1);
    LoadSettings(loaded, path, {1280, 1024}, one);
    for (int colour = 1; colour <= 4; ++colour)
        EXPECT_EQ(loaded.playerKind[colour], saved.playerKind[colour]);
    EXPECT_TRUE(loaded.soundOn);
    EXPECT_EQ(loaded.choiceDelayMs, 30000);
    EXPECT_EQ(loaded.mainLeft, -40);
    EXPECT_EQ(loaded.mainTop, 200);
    EXPECT_EQ(loaded.cdLeft, 3000);
    EXPECT_EQ(loaded.cdTop, -2);
    EXPECT_EQ(loaded.computerLevel, ComputerLevel::Strong);
}

// Only 2 asks for the strong computer; a file from before the key, or any other value,
// keeps the computer the game always had.
TEST(SettingsFileTest, OnlyTwoMeansTheStrongLevel) {
    struct Case {
        const char* keys;
        int level;
    };
    const Case cases[] = {
        {"Son=1\r\n", 1},      {"Niveau=2\r\n", 2},          {"niveau = 2 \r\n", 2},
        {"Niveau=0x2\r\n", 2}, {"Niveau=1\r\n", 1},          {"Niveau=3\r\n", 1},
        {"Niveau=0\r\n", 1},   {"Niveau=-2\r\n", 1},         {"Niveau=fort\r\n", 1},
        {"Niveau=\r\n", 1},    {"Niveau=4294967298\r\n", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadFrom(configuration(c.keys)).computerLevel, c.level) << c.keys;
}

TEST(SettingsFileTest, PathReplacesOnlyTheFileNamesExtension) {
    struct Case {
        const char* executable;
        const char* ini;
    };
    const Case cases[] = {
        {"/opt/jeu/bramidou", "/opt/jeu/bramidou.ini"},
        {"/opt/jeu/bramidou.exe", "/opt/jeu/bramidou.ini"},
        {"/opt/jeu/bramidou.tar.gz", "/opt/jeu/bramidou.tar.ini"},
        {"/opt/jeu.v2/bramidou", "/opt/jeu.v2/bramidou.ini"},
        {"/home/u/.bramidou", "/home/u/.bramidou.ini"},
        {"/opt/jeu/bramidou.", "/opt/jeu/bramidou.ini"},
        {"bramidou", "bramidou.ini"},
        {"./bramidou", "./bramidou.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingsPath(c.executable), c.ini);
}

} // namespace

TEST(SettingsFileTest, CdImagesAreReadAndNeverWritten) {
    TempFolder folder;
    const std::string path = folder.file("bramidou.ini");
    const std::string stored =
        configuration("ImagesCD=/home/moi/disques/un.cue:/home/moi/disques/deux.cue\r\n");
    writeBytes(path, stored);
    Settings settings;
    FixedDeviceCount one(1);
    LoadSettings(settings, path, {1024, 768}, one);
    EXPECT_EQ(settings.cdImages, "/home/moi/disques/un.cue:/home/moi/disques/deux.cue");
    // A save keeps the user's line as it was and adds none where there was none.
    settings.cdImages = "/ailleurs.cue";
    SaveSettings(settings, path);
    EXPECT_NE(
        readBytes(path).find("ImagesCD=/home/moi/disques/un.cue:/home/moi/disques/deux.cue\r\n"),
        std::string::npos);
    EXPECT_EQ(loadFrom(configuration("Son=1\r\n")).cdImages, "");
    const std::string fresh = folder.file("fresh.ini");
    SaveSettings(Settings{}, fresh);
    EXPECT_EQ(readBytes(fresh).find("ImagesCD"), std::string::npos);
}
