#include "SavedGame.h"

#include "IniWriteError.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Yellow by a person and to play, green and red by the computer, blue not playing.
const std::string kExample = "[Type]\r\n"
                             "Joueur Jaune=1\r\n"
                             "Joueur Vert=2\r\n"
                             "Joueur Bleu=3\r\n"
                             "Joueur Rouge=2\r\n"
                             "[Position]\r\n"
                             "Joueur Jaune 1=9\r\n"
                             "Joueur Jaune 2=0\r\n"
                             "Joueur Jaune 3=0\r\n"
                             "Joueur Jaune 4=0\r\n"
                             "Joueur Vert 1=20\r\n"
                             "Joueur Vert 2=0\r\n"
                             "Joueur Vert 3=0\r\n"
                             "Joueur Vert 4=0\r\n"
                             "Joueur Bleu 1=0\r\n"
                             "Joueur Bleu 2=0\r\n"
                             "Joueur Bleu 3=0\r\n"
                             "Joueur Bleu 4=0\r\n"
                             "Joueur Rouge 1=47\r\n"
                             "Joueur Rouge 2=401\r\n"
                             "Joueur Rouge 3=0\r\n"
                             "Joueur Rouge 4=0\r\n"
                             "[Joueur]\r\n"
                             "num\xE9ro du joueur en cours=1\r\n";

SavedGame exampleGame() {
    SavedGame game{};
    const int kinds[5] = {0, 1, 2, 3, 2};
    for (int colour = 1; colour <= 4; ++colour)
        game.playerKind[colour] = kinds[colour];
    game.horseSquare[1][1] = 9;
    game.horseSquare[2][1] = 20;
    game.horseSquare[4][1] = 47;
    game.horseSquare[4][2] = 401;
    game.currentColour = 1;
    return game;
}

SavedGame readFrom(const std::string& bytes) {
    TempFolder folder;
    writeBytes(folder.file("partie.sav"), bytes);
    return readSavedGame(folder.file("partie.sav"));
}

void expectSame(const SavedGame& a, const SavedGame& b) {
    for (int colour = 1; colour <= 4; ++colour) {
        EXPECT_EQ(a.playerKind[colour], b.playerKind[colour]) << colour;
        for (int horse = 1; horse <= 4; ++horse)
            EXPECT_EQ(a.horseSquare[colour][horse], b.horseSquare[colour][horse])
                << colour << "/" << horse;
    }
    EXPECT_EQ(a.currentColour, b.currentColour);
}

TEST(SavedGameTest, WrittenFromScratchIsTheExample) {
    TempFolder folder;
    writeSavedGame(folder.file("partie.sav"), exampleGame());
    EXPECT_EQ(readBytes(folder.file("partie.sav")), kExample);
}

TEST(SavedGameTest, TheExampleReadsBack) {
    expectSame(readFrom(kExample), exampleGame());
}

TEST(SavedGameTest, EveryLegalGameReadsBackExactly) {
    TempFolder folder("/dev/shm");
    const std::string path = folder.file("partie.sav");
    // Every square a horse of each colour may stand on, spread over the sixteen horses.
    SavedGame game{};
    for (int colour = 1; colour <= 4; ++colour)
        game.playerKind[colour] = 1;
    for (int colour = 1; colour <= 4; ++colour) {
        std::vector<int> squares;
        for (int s = 0; s <= 56; ++s)
            squares.push_back(s);
        for (int s = 100 * colour; s <= 100 * colour + 10; ++s)
            squares.push_back(s);
        for (std::size_t start = 0; start < squares.size(); start += 4) {
            for (int horse = 1; horse <= 4; ++horse)
                game.horseSquare[colour][horse] = squares[(start + horse - 1) % squares.size()];
            game.playerKind[colour] = static_cast<int>(start / 4) % 3 + 1;
            game.playerKind[colour % 4 + 1] = 1;
            game.currentColour = colour % 4 + 1;
            writeSavedGame(path, game);
            expectSame(readSavedGame(path), game);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

TEST(SavedGameTest, OnlyTypeLoadsAFreshBoardWithYellowToPlay) {
    const SavedGame game = readFrom(
        "[Type]\r\nJoueur Jaune=2\r\nJoueur Vert=1\r\nJoueur Bleu=3\r\nJoueur Rouge=1\r\n");
    const int kinds[5] = {0, 2, 1, 3, 1};
    for (int colour = 1; colour <= 4; ++colour) {
        EXPECT_EQ(game.playerKind[colour], kinds[colour]);
        for (int horse = 1; horse <= 4; ++horse)
            EXPECT_EQ(game.horseSquare[colour][horse], 0);
    }
    EXPECT_EQ(game.currentColour, 1);
}

TEST(SavedGameTest, NotAnIniFileLoadsTheDefaults) {
    SavedGame expected{};
    const int kinds[5] = {0, 1, 2, 2, 2};
    for (int colour = 1; colour <= 4; ++colour)
        expected.playerKind[colour] = kinds[colour];
    expected.currentColour = 1;
    expectSame(readFrom(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)), expected);
    expectSame(readFrom(""), expected);
    expectSame(readSavedGame("/nonexistent/partie.sav"), expected);
}

TEST(SavedGameTest, SquaresAreReadBackAsStored) {
    // Renumbering horses in board order is the engine's work, not the file's.
    const SavedGame game = readFrom("[position]\r\njoueur vert 1=30\r\nJOUEUR VERT 2=0\r\n"
                                    "Joueur Vert 3 = 17\r\nJoueur Vert 4=0\r\n");
    EXPECT_EQ(game.horseSquare[2][1], 30);
    EXPECT_EQ(game.horseSquare[2][2], 0);
    EXPECT_EQ(game.horseSquare[2][3], 17);
    EXPECT_EQ(game.horseSquare[2][4], 0);
}

TEST(SavedGameTest, SquaresThatDoNotExistForTheColourGoToTheStable) {
    struct Case {
        int colour;
        const char* stored;
        int square;
    };
    const Case cases[] = {
        {1, "-1", 0},         {1, "56", 56},         {1, "57", 0},    {1, "99", 0},
        {1, "100", 100},      {1, "106", 106},       {1, "110", 110}, {1, "111", 0},
        {1, "121", 0},        {1, "200", 0},         {2, "105", 0},   {2, "200", 200},
        {2, "210", 210},      {2, "224", 0},         {3, "410", 0},   {4, "401", 401},
        {4, "410", 410},      {4, "411", 0},         {4, "500", 0},   {4, "0x190", 400},
        {3, "2147483647", 0}, {3, "-2147483648", 0}, {3, "vingt", 0},
    };
    const char* names[5] = {nullptr, "Joueur Jaune", "Joueur Vert", "Joueur Bleu", "Joueur Rouge"};
    for (const Case& c : cases) {
        const SavedGame game =
            readFrom(std::string("[Position]\r\n") + names[c.colour] + " 2=" + c.stored + "\r\n");
        EXPECT_EQ(game.horseSquare[c.colour][2], c.square) << c.colour << ": " << c.stored;
    }
}

TEST(SavedGameTest, PlayerKindsAndCurrentColourAreCorrected) {
    struct Case {
        const char* what;
        const char* kinds[4];
        const char* current;
        int expectedKinds[4];
        int expectedCurrent;
    };
    const Case cases[] = {
        {"kinds out of range", {"0", "4", "-1", "99"}, "1", {2, 2, 2, 2}, 1},
        {"disabled current colour plays as a person", {"1", "2", "3", "2"}, "3", {1, 2, 1, 2}, 3},
        {"current colour 0", {"3", "3", "2", "1"}, "0", {3, 3, 2, 1}, 3},
        {"current colour 5", {"1", "2", "2", "2"}, "5", {1, 2, 2, 2}, 1},
        {"current colour huge", {"3", "1", "3", "3"}, "2147483647", {3, 1, 3, 3}, 2},
        // Not a number reads as the default, yellow, which then plays as a person.
        {"current colour not a number", {"3", "2", "2", "2"}, "jaune", {1, 2, 2, 2}, 1},
        {"nobody plays", {"3", "3", "3", "3"}, "-7", {1, 3, 3, 3}, 1},
        {"nobody plays, current given", {"3", "3", "3", "3"}, "4", {3, 3, 3, 1}, 4},
        {"corrected kind before choosing", {"3", "9", "3", "3"}, "0", {3, 2, 3, 3}, 2},
    };
    for (const Case& c : cases) {
        const SavedGame game = readFrom(
            std::string("[Type]\r\nJoueur Jaune=") + c.kinds[0] + "\r\nJoueur Vert=" + c.kinds[1] +
            "\r\nJoueur Bleu=" + c.kinds[2] + "\r\nJoueur Rouge=" + c.kinds[3] +
            "\r\n[Joueur]\r\nnum\xE9ro du joueur en cours=" + c.current + "\r\n");
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(game.playerKind[i + 1], c.expectedKinds[i]) << c.what << " colour " << i + 1;
        EXPECT_EQ(game.currentColour, c.expectedCurrent) << c.what;
    }
}

TEST(SavedGameTest, OverwritingKeepsForeignLines) {
    TempFolder folder;
    const std::string path = folder.file("partie.sav");
    writeBytes(path, "; partie du dimanche\r\n"
                     "[Type]\r\n"
                     "Joueur Jaune=2\r\n"
                     "Commentaire=rapide\r\n"
                     "[Joueur]\r\n"
                     "NUM\xC9RO DU JOUEUR EN COURS=4\r\n"
                     "Nom=Paul\r\n");
    SavedGame game = exampleGame();
    game.currentColour = 2;
    writeSavedGame(path, game);
    const std::string bytes = readBytes(path);
    const std::string typeSection = "; partie du dimanche\r\n"
                                    "[Type]\r\n"
                                    "Joueur Jaune=1\r\n"
                                    "Commentaire=rapide\r\n"
                                    "Joueur Vert=2\r\n"
                                    "Joueur Bleu=3\r\n"
                                    "Joueur Rouge=2\r\n";
    EXPECT_EQ(bytes.substr(0, typeSection.size()), typeSection);
    EXPECT_NE(bytes.find("[Joueur]\r\nNUM\xC9RO DU JOUEUR EN COURS=2\r\nNom=Paul\r\n[Position]\r\n"
                         "Joueur Jaune 1=9\r\n"),
              std::string::npos);
    expectSame(readSavedGame(path), game);
}

TEST(SavedGameTest, AFailedSaveLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.file("partie.sav");
    writeBytes(path, kExample);
    ::chmod(path.c_str(), 0444);
    SavedGame other = exampleGame();
    other.currentColour = 4;
    try {
        writeSavedGame(path, other);
        FAIL() << "a read-only file was written";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_STREQ(error.what(), ("Impossible d'écrire dans " + path).c_str());
    }
    EXPECT_EQ(readBytes(path), kExample);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"partie.sav"});
}

// A file chosen for loading that cannot be read whole is reported, never taken for a
// fresh game nor waited on; anything readable loads, with the defaults where it says
// nothing.
TEST(SavedGameTest, ChosenFileThatCannotBeReadGivesNothing) {
    TempFolder folder;
    const std::string fifo = folder.file("tube.sav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string huge = folder.file("enorme.sav");
    writeBytes(huge, kExample);
    ASSERT_EQ(::truncate(huge.c_str(), 17 * 1024 * 1024), 0);
    const std::string noPermission = folder.file("interdit.sav");
    writeBytes(noPermission, kExample);
    ::chmod(noPermission.c_str(), 0);

    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing", folder.file("absent.sav")},
        {"a folder", folder.path()},
        {"a FIFO without writer", fifo},
        {"larger than any INI file", huge},
        {"a device", "/dev/zero"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(readSavedGameFile(c.path).has_value()) << c.what;
    // Root reads whatever the bits say; anyone else is refused.
    EXPECT_EQ(runInChild([&] { return readSavedGameFile(noPermission).has_value() ? 1 : 0; }, true),
              0);
}

TEST(SavedGameTest, ChosenReadableFileLoadsLikeAnyOther) {
    TempFolder folder;
    writeBytes(folder.file("partie.sav"), kExample);
    const std::optional<SavedGame> game = readSavedGameFile(folder.file("partie.sav"));
    ASSERT_TRUE(game.has_value());
    expectSame(*game, exampleGame());

    writeBytes(folder.file("image.sav"), std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const std::optional<SavedGame> binary = readSavedGameFile(folder.file("image.sav"));
    ASSERT_TRUE(binary.has_value());
    expectSame(*binary, readSavedGame("/nonexistent/partie.sav"));
}

} // namespace
