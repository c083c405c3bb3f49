// Thousands of whole games with random player kinds and a scripted person who presses
// anything at any moment, checking after every command and every turn event that the
// board stays sound.
#include "ColourLayout.h"
#include "HeadlessGame.h"
#include "NullView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace {

// Answers the stop question as the script decides.
class SoakView : public NullView {
public:
    using NullView::NullView;
    int answer = MessageResult::No;
    int questions = 0;
    int showMessage(const std::string& c, const std::string& t, int kind) override {
        if (kind == MessageKind::YesNo) {
            ++questions;
            setQuestionAnswer(answer);
        }
        return NullView::showMessage(c, t, kind);
    }
};

class Soak : public ::testing::Test {
protected:
    Soak() : view(clock), die(987654u), game(clock, view, die, settings) {}

    const GameState& state() { return game.engine().state(); }

    void randomKinds() {
        do {
            for (int c = 1; c <= 4; ++c) {
                settings.playerKind[c] = std::uniform_int_distribution<int>(1, 3)(script);
            }
        } while (std::all_of(settings.playerKind + 1, settings.playerKind + 5,
                             [](int k) { return k == PlayerKind::Disabled; }));
        settings.choiceDelayMs = 1000 * std::uniform_int_distribution<int>(1, 3)(script);
        settings.soundOn = script() % 2 == 0;
    }

    // No two horses share a board square; the owners match the horses exactly.
    void checkBoard(const char* after, bool wholeBoard) {
        std::set<int> taken;
        int onBoard = 0;
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                const int s = state().horseSquare[c][k];
                if (s == 0) {
                    continue;
                }
                ++onBoard;
                ASSERT_TRUE(taken.insert(s).second) << "two horses on " << s << " after " << after;
                ASSERT_EQ(state().boardOwner[s], c) << "square " << s << " after " << after;
                // Numbering: the horses of a colour stand in ascending order, stables last.
                if (k > 1) {
                    const int prev = state().horseSquare[c][k - 1];
                    ASSERT_TRUE(prev != 0 && prev < s)
                        << "numbering of " << c << " after " << after;
                }
            }
        }
        if (!wholeBoard) {
            return;
        }
        int owners = 0;
        for (int s = 1; s <= 500; ++s) {
            owners += state().boardOwner[s] != 0 ? 1 : 0;
        }
        ASSERT_EQ(owners, onBoard) << "after " << after;
    }

    // A track move of the colour to play may not have passed over any horse.
    void checkNoJump(const GameState& before, const char* after) {
        const int c = before.currentColour;
        if (c < 1 || c > 4) {
            return;
        }
        std::multiset<int> was, now;
        for (int k = 1; k <= 4; ++k) {
            was.insert(before.horseSquare[c][k]);
            now.insert(state().horseSquare[c][k]);
        }
        std::vector<int> gone, came;
        std::set_difference(was.begin(), was.end(), now.begin(), now.end(),
                            std::back_inserter(gone));
        std::set_difference(now.begin(), now.end(), was.begin(), was.end(),
                            std::back_inserter(came));
        if (gone.size() != 1 || came.size() != 1) {
            return;
        }
        const int from = gone[0], to = came[0];
        if (from == 0) {
            ASSERT_EQ(to, ColourLayout::of(c).startSquare) << "exit after " << after;
            return;
        }
        if (from > 56 || to > 56 || to < 1) {
            return;
        }
        for (int s = from % 56 + 1; s != to; s = s % 56 + 1) {
            ASSERT_EQ(before.boardOwner[s], 0)
                << c << " jumped " << from << "->" << to << " over " << s << " after " << after;
        }
        ASSERT_NE(before.boardOwner[to], c) << "landed on its own horse after " << after;
    }

    Settings settings;
    VirtualClock clock;
    SoakView view;
    RandomDie die;
    HeadlessGame game;
    std::mt19937 script{4242};
};

TEST_F(Soak, RandomPlayersAndClicksKeepTheBoardSound) {
    const int wantedGames = 2000;
    const long maxEventsPerGame = 400000;
    int finished = 0, stopped = 0;
    long events = 0, checks = 0;
    GameState before;
    randomKinds();
    game.engine().startNewGame();
    while (finished + stopped < wantedGames) {
        ASSERT_LT(events, maxEventsPerGame) << "a game did not end";
        ++events;
        const int roll = std::uniform_int_distribution<int>(0, 99)(script);
        const int arg = std::uniform_int_distribution<int>(0, 5)(script);
        VirtualTimer* next = clock.nextDue();
        const bool click = roll < 24 || (next == &game.clignotant() && state().awaitingHumanThrow);
        if (!click && next == &game.clignotant()) {
            // The blink touches no square; the board is checked at the next other event.
            clock.runNext();
            continue;
        }
        // Only a computer's choice or a marker click moves a horse.
        const bool mayMove = click ? roll % 24 >= 12 && roll % 24 < 22 : next == &game.choix();
        if (mayMove) {
            before = state();
        }
        const char* what;
        if (!click) {
            what = mayMove ? "a computer choice" : "a throw evaluation";
            clock.runNext();
        } else if (roll % 24 < 12) {
            what = "a throw click";
            game.engine().humanThrow(arg);
        } else if (roll % 24 < 22) {
            what = "a marker click";
            game.engine().applyChosenMove(arg);
        } else if (roll % 24 == 22) {
            what = "a new game";
            game.engine().startNewGame();
        } else {
            what = "a stop";
            if (script() % 400 != 0) {
                continue;
            }
            view.answer = script() % 3 == 0 ? MessageResult::Yes : MessageResult::No;
            game.engine().requestStop();
        }
        if (mayMove) {
            ASSERT_NO_FATAL_FAILURE(checkNoJump(before, what));
        }
        if (state().gameInProgress) {
            ASSERT_NO_FATAL_FAILURE(checkBoard(what, ++checks % 64 == 0));
            continue;
        }
        const bool allDone = std::all_of(state().colourFinished + 1, state().colourFinished + 5,
                                         [](bool f) { return f; });
        (allDone ? finished : stopped)++;
        events = 0;
        randomKinds();
        game.engine().startNewGame();
        ASSERT_TRUE(state().gameInProgress);
    }
    EXPECT_GT(finished, wantedGames / 2) << "most games should run to their end";
    EXPECT_GT(stopped, 0);
    EXPECT_GT(view.questions, stopped);
}

} // namespace
