// Whole games, with computers, people clicking anything at any moment and saved games
// holding anything, reduced to one hash of every view call (with its arguments and its
// virtual time) and of the whole game state and timers after every event. The expected
// hashes were taken before the engine and its harness were made faster (the rebuild of
// that engine is held to the plain rules by RebuildReferenceTest); any change of
// behaviour changes them.
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>

namespace {

class Fnv {
public:
    void add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h_ = (h_ ^ ((v >> (8 * i)) & 0xff)) * 0x100000001b3ull;
        }
    }
    void add(const std::string& s) {
        add(s.size());
        for (unsigned char ch : s) {
            h_ = (h_ ^ ch) * 0x100000001b3ull;
        }
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0xcbf29ce484222325ull;
};

class HashingView : public BoardView {
public:
    explicit HashingView(VirtualClock& clock) : clock_(clock) {}

    Fnv hash;
    long calls = 0;
    int soundMs = 200;
    int answer = MessageResult::No;

    void moveImageToSquare(ImageRef image, int square) override {
        op(1);
        addImage(image);
        hash.add(static_cast<std::uint64_t>(square));
    }
    void moveMarkersAside() override { op(2); }
    void setMarkerPictures(bool on) override {
        op(3);
        hash.add(on);
    }
    void showDie(int face) override {
        op(4);
        hash.add(static_cast<std::uint64_t>(face));
    }
    void hideDie() override { op(5); }
    void setHorseVisible(ImageRef image, bool on) override {
        op(6);
        addImage(image);
        hash.add(on);
    }
    void setThrowButtonLit(int colour, bool on) override {
        op(7);
        hash.add(static_cast<std::uint64_t>(colour));
        hash.add(on);
    }
    void prepareMarkersForNewGame() override { op(8); }
    void playWaveSync(const std::string& file) override {
        op(9);
        hash.add(file);
        clock_.advance(soundMs);
    }
    void sleepMs(int ms) override {
        op(10);
        hash.add(static_cast<std::uint64_t>(ms));
        clock_.advance(ms);
    }
    int showMessage(const std::string& caption, const std::string& text, int kind) override {
        op(11);
        hash.add(caption);
        hash.add(text);
        hash.add(static_cast<std::uint64_t>(kind));
        return kind == MessageKind::YesNo ? answer : MessageResult::Ok;
    }

private:
    void op(int code) {
        ++calls;
        hash.add(static_cast<std::uint64_t>(code));
        hash.add(static_cast<std::uint64_t>(clock_.now()));
    }
    void addImage(const ImageRef& image) {
        hash.add(static_cast<std::uint64_t>(image.kind));
        hash.add(static_cast<std::uint64_t>(image.colour));
        hash.add(static_cast<std::uint64_t>(image.number));
    }
    VirtualClock& clock_;
};

struct Scenario {
    const char* name;
    unsigned seed;
    int games;
    // Player kinds drawn at random before each game; otherwise four computers.
    bool randomKinds;
    // Throw and marker clicks, new games and stops at random moments.
    bool clicks;
    // Some games start from a random saved position instead of a new game.
    bool loads;
    int soundMs;
    std::uint64_t expectedHash;
};

void PrintTo(const Scenario& sc, std::ostream* os) {
    *os << sc.name;
}

class Equivalence : public ::testing::TestWithParam<Scenario> {
protected:
    Equivalence() : view(clock), die(GetParam().seed), game(clock, view, die, settings) {}

    // The whole board is hashed only after events that may move a horse; the blink
    // ticks, most of a game's events, touch no square.
    void addState(bool board) {
        const GameState& s = game.engine().state();
        Fnv& h = view.hash;
        h.add(static_cast<std::uint64_t>(clock.now()));
        h.add(static_cast<std::uint64_t>(s.currentColour));
        h.add(static_cast<std::uint64_t>(s.dieValue));
        for (int q = 1; board && q <= 500; ++q) {
            h.add(static_cast<std::uint64_t>(s.boardOwner[q]));
        }
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                h.add(static_cast<std::uint64_t>(s.horseSquare[c][k]));
            }
            h.add(static_cast<std::uint64_t>(s.moveTarget[c]));
            h.add(s.colourFinished[c]);
            h.add(s.arrivalPending[c]);
            h.add(s.throwArmed[c]);
        }
        const bool flags[] = {s.moveSettled,        s.blinkOn,        s.exitGranted,
                              s.awaitingHumanThrow, s.gameInProgress, s.allowNewGame,
                              s.allowNewGameHover,  s.allowQuitHover, s.allowLoad,
                              s.allowAbout,         s.allowAfas,      s.allowCdAudio,
                              s.allowHelp};
        for (bool f : flags) {
            h.add(f);
        }
        for (VirtualTimer* t : {&game.seconde(), &game.choix(), &game.clignotant()}) {
            h.add(t->isActive());
            h.add(static_cast<std::uint64_t>(t->interval()));
            h.add(static_cast<std::uint64_t>(t->due()));
        }
    }

    void chooseSettings() {
        const Scenario& sc = GetParam();
        for (int c = 1; c <= 4; ++c) {
            settings.playerKind[c] = PlayerKind::Computer;
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
        game.engine().resumeLoadedGame(squares, current);
    }

    void beginGame() {
        chooseSettings();
        if (GetParam().loads && script() % 3 == 0) {
            loadRandomPosition();
        } else {
            game.engine().startNewGame();
        }
        addState(true);
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
        bool board = true;
        if (sc.clicks && (roll < 20 || (waiting && roll < 60))) {
            if (roll % 20 < 9) {
                engine.humanThrow(arg);
            } else if (roll % 20 < 18) {
                engine.applyChosenMove(arg);
            } else if (roll % 20 == 18) {
                if (script() % 50 == 0) {
                    engine.startNewGame();
                }
            } else if (script() % 50 == 0) {
                view.answer = script() % 2 == 0 ? MessageResult::Yes : MessageResult::No;
                engine.requestStop();
            }
        } else {
            board = clock.nextDue() != &game.clignotant();
            if (!clock.runNext()) {
                return false;
            }
        }
        addState(board);
        return true;
    }

    Settings settings;
    VirtualClock clock;
    HashingView view;
    RandomDie die;
    HeadlessGame game;
    std::mt19937 script{GetParam().seed * 7919u + 17u};
};

TEST_P(Equivalence, EveryCallAndStateAsTheWholeBoardScanGaveThem) {
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
            game.engine().requestStop();
            addState(true);
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
    EXPECT_EQ(view.hash.value(), sc.expectedHash) << sc.name << " after " << view.calls << " calls";
}

INSTANTIATE_TEST_SUITE_P(
    Games, Equivalence,
    ::testing::Values(
        Scenario{"computers", 1u, 30, false, false, false, 200, 17080000339399477389ull},
        Scenario{"computers, silent", 2u, 30, false, false, false, 0, 14664548257583566973ull},
        Scenario{"mixed kinds", 3u, 40, true, false, false, 200, 11293509156745860797ull},
        Scenario{"people clicking", 4u, 40, true, true, false, 200, 7779570487066246083ull},
        Scenario{"saved games", 5u, 80, true, true, true, 200, 13949567269861701380ull},
        Scenario{"saved games, computers", 6u, 40, true, false, true, 0, 14001325523411740709ull}),
    [](const ::testing::TestParamInfo<Scenario>& info) {
        std::string n = info.param.name;
        for (char& ch : n) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return n;
    });

} // namespace
