// Whole games, with computers, people clicking anything at any moment and saved games
// holding anything, written down as a readable log of what the board was asked to show
// and compared with the log kept under traces/. A change of behaviour is reported at its
// first differing line. After a deliberate change of the rules, run the test with
// BRAMIDOU_WRITE_TRACES=1 to write the logs afresh, and read their difference.
#include "GameTrace.h"
#include "ColourLayout.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

namespace {

struct Scenario {
    const char* name;
    unsigned seed;
    int games;
    // Player kinds drawn at random before each game; otherwise computers.
    bool randomKinds;
    // Vert and Rouge only, instead of all four colours.
    bool twoColours;
    // Throw and marker clicks, new games and stops at random moments.
    bool clicks;
    // Some games start from a random saved position instead of a new game.
    bool loads;
    int soundMs;
};

void PrintTo(const Scenario& sc, std::ostream* os) {
    *os << sc.name;
}

std::string fileName(const Scenario& sc) {
    std::string n = sc.name;
    for (char& ch : n) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) {
            ch = '_';
        }
    }
    return n;
}

class RecordedGames : public ::testing::TestWithParam<Scenario> {
protected:
    RecordedGames() : view(clock), die(GetParam().seed), game(clock, view, die, settings) {}

    void chooseSettings() {
        const Scenario& sc = GetParam();
        for (int c = 1; c <= 4; ++c) {
            const bool sitsOut = sc.twoColours && (c == Colour::Jaune || c == Colour::Bleu);
            settings.playerKind[c] = sitsOut ? PlayerKind::Disabled : PlayerKind::Computer;
        }
        // Without clicks nobody would throw for a person: only computers and absent colours.
        const int firstKind = sc.clicks ? PlayerKind::Human : PlayerKind::Computer;
        while (sc.randomKinds) {
            bool anyPlays = false;
            for (int c = 1; c <= 4; ++c) {
                settings.playerKind[c] =
                    std::uniform_int_distribution<int>(firstKind, PlayerKind::Disabled)(script);
                anyPlays = anyPlays || settings.playerKind[c] != PlayerKind::Disabled;
            }
            // A game where nobody plays is refused at once; one in a while is enough.
            if (anyPlays || script() % 8 == 0) {
                break;
            }
        }
        settings.choiceDelayMs = 1000 * std::uniform_int_distribution<int>(1, 3)(script);
        settings.soundOn = script() % 3 != 0;
    }

    // Mostly squares a game can reach, often shared, sometimes anything at all.
    void loadRandomPosition() {
        int squares[5][5] = {};
        std::uniform_int_distribution<int> any(-3, 520), pick(0, 5);
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                const int p = pick(script);
                squares[c][k] = p == 0   ? any(script)
                                : p == 1 ? 0
                                : p == 2 ? 100 * c + static_cast<int>(script() % 11)
                                         : 1 + static_cast<int>(script() % 56);
            }
        }
        // The load command turns a Disabled colour to play into Human first.
        const int current = std::uniform_int_distribution<int>(0, 5)(script);
        if (current >= 1 && current <= 4 && settings.playerKind[current] == PlayerKind::Disabled) {
            settings.playerKind[current] = PlayerKind::Human;
        }
        view.note("load, colour to play " + std::to_string(current));
        game.engine().resumeLoadedGame(squares, current);
    }

    void beginGame() {
        chooseSettings();
        view.note(
            "game, kinds " + std::to_string(settings.playerKind[1]) + " " +
            std::to_string(settings.playerKind[2]) + " " + std::to_string(settings.playerKind[3]) +
            " " + std::to_string(settings.playerKind[4]) + ", pause " +
            std::to_string(settings.choiceDelayMs) + ", sound " + std::to_string(settings.soundOn));
        if (GetParam().loads && script() % 3 == 0) {
            loadRandomPosition();
        } else {
            game.engine().startNewGame();
        }
    }

    // One event: a timer tick, or a person's command when the scenario has them.
    // False when nothing at all can happen any more.
    bool step() {
        GameEngine& engine = game.engine();
        const Scenario& sc = GetParam();
        const GameState& s = engine.state();
        const int roll = std::uniform_int_distribution<int>(0, 99)(script);
        const int arg = std::uniform_int_distribution<int>(0, 5)(script);
        // While a person is to throw or to choose, only a click moves the game on.
        const int c = s.currentColour >= 1 && s.currentColour <= 4 ? s.currentColour : 1;
        const bool waiting =
            s.awaitingHumanThrow || (!s.moveSettled && settings.playerKind[c] == PlayerKind::Human);
        if (sc.clicks && (roll < 20 || (waiting && roll < 60))) {
            if (roll % 20 < 9) {
                view.note("click throw " + std::to_string(arg));
                engine.humanThrow(arg);
            } else if (roll % 20 < 18) {
                view.note("click marker " + std::to_string(arg));
                engine.applyChosenMove(arg);
            } else if (roll % 20 == 18) {
                if (script() % 50 == 0) {
                    view.note("click new game");
                    engine.startNewGame();
                }
            } else if (script() % 50 == 0) {
                view.answer = script() % 2 == 0 ? MessageResult::Yes : MessageResult::No;
                view.note("click stop");
                engine.requestStop();
            }
        } else {
            if (!clock.runNext()) {
                return false;
            }
        }
        return true;
    }

    Settings settings;
    VirtualClock clock;
    TraceView view;
    RandomDie die;
    HeadlessGame game;
    std::mt19937 script{GetParam().seed * 7919u + 17u};
};

TEST_P(RecordedGames, PlayAsTheRecordedLogSays) {
    const Scenario& sc = GetParam();
    view.soundMs = sc.soundMs;
    const long maxEventsPerGame = 100000;
    int played = 0;
    long events = 0;
    beginGame();
    while (played < sc.games) {
        if (events >= maxEventsPerGame && sc.loads) {
            // A saved game may hold a horse that can never arrive; its player gives up.
            view.answer = MessageResult::Yes;
            view.note("gives up");
            game.engine().requestStop();
            events = 0;
        }
        ASSERT_LT(events, maxEventsPerGame) << "game " << played << " did not end";
        ++events;
        if (!game.engine().state().gameInProgress || !step()) {
            ++played;
            events = 0;
            beginGame();
        }
    }
    const char* data = std::getenv("BRAMIDOU_TEST_DATA");
    ASSERT_NE(data, nullptr) << "run through ctest, which names the traces folder";
    const std::string path = std::string(data) + "/" + fileName(sc) + ".trace";
    if (std::getenv("BRAMIDOU_WRITE_TRACES") != nullptr) {
        writeTrace(path, view.lines);
    }
    const std::string difference = firstDifference(readTrace(path), view.lines);
    EXPECT_TRUE(difference.empty()) << path << "\n" << difference;
}

INSTANTIATE_TEST_SUITE_P(
    Games, RecordedGames,
    ::testing::Values(Scenario{"computers", 1u, 1, false, false, false, false, 200},
                      Scenario{"two computers, silent", 2u, 2, false, true, false, false, 0},
                      Scenario{"mixed kinds", 3u, 2, true, false, false, false, 200},
                      Scenario{"people clicking", 4u, 2, true, false, true, false, 200},
                      Scenario{"saved games", 5u, 2, true, false, true, true, 200},
                      Scenario{"saved games, computers", 6u, 2, true, false, false, true, 0}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return fileName(info.param); });

} // namespace
