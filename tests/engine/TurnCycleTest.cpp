#include "EngineHarness.h"

#include <string>
#include <vector>

namespace {

using Op = RecordingView::Op;
const std::string arrivedJaune = "Information|Le Cheval Jaune est arrivé à l'écurie.";
const std::string arrivedRouge = "Information|Le Cheval Rouge est arrivé à l'écurie.";
const std::string gameOver = "Information|La partie est terminée, tous les chevaux sont arrivés.";

// Everything a command could change, as one comparable list.
std::vector<long> snapshot(const GameState& s, const HeadlessGame& g) {
    std::vector<long> v{s.currentColour,     s.dieValue,           s.moveSettled,    s.blinkOn,
                        s.exitGranted,       s.awaitingHumanThrow, s.gameInProgress, s.allowNewGame,
                        s.allowNewGameHover, s.allowQuitHover,     s.allowLoad};
    v.insert(v.end(), std::begin(s.boardOwner), std::end(s.boardOwner));
    for (int c = 1; c <= 4; ++c) {
        v.insert(v.end(), std::begin(s.horseSquare[c]), std::end(s.horseSquare[c]));
        v.push_back(s.colourFinished[c]);
        v.push_back(s.arrivalPending[c]);
        v.push_back(s.throwArmed[c]);
        v.push_back(s.moveTarget[c]);
    }
    auto& game = const_cast<HeadlessGame&>(g);
    for (VirtualTimer* t : {&game.seconde(), &game.choix(), &game.clignotant()}) {
        v.push_back(t->isActive());
        v.push_back(t->interval());
        v.push_back(t->isActive() ? t->due() : -1);
    }
    return v;
}

class TurnCycle : public EngineHarness {
protected:
    // Colour to play at each throw or random pick, in order.
    std::vector<int> drawers;
    void noteDrawers() {
        die.onDraw = [this](int n) {
            if (n == 6) {
                drawers.push_back(state().currentColour);
            }
        };
    }
    std::vector<int> dieTimes() {
        std::vector<int> t;
        for (const auto& c : view.of(Op::ShowDie)) {
            t.push_back(static_cast<int>(c.at));
        }
        return t;
    }
};

TEST_F(TurnCycle, ComputerTurnTiming) {
    setKinds(2, 3, 3, 3);
    settings.soundOn = true;
    settings.choiceDelayMs = 3000;
    die.push({6, 2, 1, 5});
    engine().startNewGame();
    // Throw at 0; markers at 500; the exit at 3500 with one step sound; the 6 throws again
    // at 3700; markers at 4200; the walk of two squares at 7200, 200 ms a square.
    ASSERT_TRUE(runUntil([&] { return view.of(Op::ShowDie).size() >= 3; }));
    EXPECT_EQ(dieTimes(), (std::vector<int>{0, 3700, 7600}));
    std::vector<std::pair<int, long>> markerOne, horseOne;
    for (const auto& c : view.of(Op::MoveImage)) {
        if (c.image == ImageRef::marker(1) && c.value != 500) {
            markerOne.push_back({c.value, c.at});
        }
        if (c.image == ImageRef::horse(1, 1) && c.value <= 56) {
            horseOne.push_back({c.value, c.at});
        }
    }
    EXPECT_EQ(markerOne, (std::vector<std::pair<int, long>>{{1, 500}, {3, 4200}}));
    // Each rebuild redraws the horse where it stands, at the same moment.
    EXPECT_EQ(horseOne.front(), (std::pair<int, long>{1, 3500}));
    EXPECT_NE(std::find(horseOne.begin(), horseOne.end(), std::pair<int, long>{2, 7200}),
              horseOne.end());
    EXPECT_NE(std::find(horseOne.begin(), horseOne.end(), std::pair<int, long>{3, 7400}),
              horseOne.end());
    EXPECT_EQ(die.overruns, 0);
}

TEST_F(TurnCycle, ChoicePauseIsReadAtEveryThrow) {
    setKinds(2, 3, 3, 3);
    settings.choiceDelayMs = 3000;
    die.push({6, 2, 1});
    engine().startNewGame();
    settings.choiceDelayMs = 1000; // changed in the settings while the die rolls
    ASSERT_TRUE(runUntil([&] { return state().horseSquare[1][1] == 1; }));
    // The exit is made at 1500 and its step pause ends at 1900.
    EXPECT_EQ(clock.now(), 1500 + 400);
}

TEST_F(TurnCycle, HumanWaitsForTheClick) {
    setKinds(1, 2, 2, 2);
    die.push({3});
    engine().startNewGame();
    EXPECT_TRUE(state().throwArmed[1]);
    EXPECT_TRUE(state().awaitingHumanThrow);
    clock.runFor(10000);
    EXPECT_TRUE(view.of(Op::ShowDie).empty()) << "nothing happens until the click";
    engine().humanThrow(2); // not Vert's turn
    EXPECT_TRUE(view.of(Op::ShowDie).empty());
    noteDrawers();
    die.push({4, 4});
    engine().humanThrow(1);
    EXPECT_FALSE(state().throwArmed[1]);
    EXPECT_FALSE(state().awaitingHumanThrow);
    engine().humanThrow(1); // a second click on the same throw
    EXPECT_EQ(view.of(Op::ShowDie).size(), 1u);
    const auto thrownAt = clock.now();
    // No horse can leave on a 3: 500 ms later Vert throws.
    ASSERT_TRUE(runUntil([&] { return view.of(Op::ShowDie).size() == 2; }));
    EXPECT_EQ(clock.now(), thrownAt + 500);
    EXPECT_EQ(state().currentColour, 2);
}

TEST_F(TurnCycle, HumanSixWithNoMoveArmsTheSameButtonAgain) {
    setKinds(1, 2, 2, 2);
    position({{{}, {1, 0, 0, 0}, {2, 0, 0, 0}, {}, {}}}, 1);
    engine().startTurn();
    die.push({6});
    engine().humanThrow(1);
    // The stable exit onto 1 is refused (own horse) and 1 -> 7 passes over Vert on 2.
    clock.runFor(500);
    EXPECT_TRUE(state().moveSettled);
    EXPECT_EQ(state().currentColour, 1);
    EXPECT_TRUE(state().throwArmed[1]);
}

TEST_F(TurnCycle, StaleMarkerClicksAreIgnored) {
    setKinds(1, 3, 3, 3);
    position({{{}, {10, 20, 0, 0}, {}, {}, {}}}, 1);
    engine().startTurn();
    die.push({2});
    engine().humanThrow(1);
    engine().applyChosenMove(1); // markers not up yet
    clock.runFor(500);
    ASSERT_EQ(targets(), (Squares{12, 22, 0, 0}));
    engine().applyChosenMove(2);
    ASSERT_EQ(horsesOf(1), (Squares{10, 22, 0, 0}));
    // Marker 1 again, before the next throw: its old target 12 must not be replayed.
    engine().applyChosenMove(1);
    engine().applyChosenMove(0);
    engine().applyChosenMove(7);
    EXPECT_EQ(horsesOf(1), (Squares{10, 22, 0, 0}));
    EXPECT_TRUE(state().throwArmed[1]);
}

TEST_F(TurnCycle, OrderSkipsDisabledAndFinishedColours) {
    setKinds(2, 3, 3, 2);
    noteDrawers();
    die.push({1, 1, 1, 1, 1});
    engine().startNewGame();
    runUntil([&] { return drawers.size() >= 5; });
    EXPECT_EQ(drawers, (std::vector<int>{1, 4, 1, 4, 1}));

    // Once Jaune has finished, Rouge plays every turn.
    drawers.clear();
    position({{{}, {107, 108, 109, 110}, {}, {}, {}}}, 1);
    EXPECT_TRUE(state().colourFinished[1]);
    state().currentColour = 4;
    die.push({1, 1, 1});
    engine().startTurn();
    runUntil([&] { return drawers.size() >= 3; });
    EXPECT_EQ(drawers, (std::vector<int>{4, 4, 4}));
}

TEST_F(TurnCycle, SixKeepsTheTurnUnlessItBringsTheLastHorseHome) {
    setKinds(2, 2, 3, 3);
    noteDrawers();
    // Jaune: a 6 that moves a horse from 10 to 16 keeps the turn.
    position({{{}, {10, 0, 0, 0}, {}, {}, {}}}, 1);
    die.push({6, 1, 1});
    engine().startTurn();
    runUntil([&] { return drawers.size() >= 3; });
    EXPECT_EQ(drawers[1], 1);

    // A 6 that takes the fourth horse from step 6 to the finish passes to Vert.
    drawers.clear();
    view.clear();
    position({{{}, {105, 107, 108, 109}, {}, {}, {}}}, 1);
    die.push({6, 1});
    engine().startTurn();
    runUntil([&] { return drawers.size() >= 2; });
    EXPECT_EQ(drawers, (std::vector<int>{1, 2}));
    EXPECT_EQ(view.messages(), std::vector<std::string>{arrivedJaune});
    EXPECT_TRUE(state().gameInProgress);
}

TEST_F(TurnCycle, EndOfGameMessagesInOrderThenStop) {
    setKinds(3, 3, 3, 2);
    position({{{}, {107, 108, 109, 110}, {}, {}, {405, 407, 408, 409}}}, 4);
    ASSERT_EQ(view.messages(), std::vector<std::string>{arrivedJaune});
    view.clear();
    die.push({6});
    engine().startTurn();
    ASSERT_TRUE(runUntil([&] { return !state().gameInProgress; }));
    EXPECT_EQ(view.messages(), (std::vector<std::string>{arrivedRouge, gameOver}));
    EXPECT_EQ(state().currentColour, 1);
    EXPECT_TRUE(state().allowNewGame);
    EXPECT_FALSE(game.clignotant().isActive());
    EXPECT_FALSE(game.seconde().isActive());
    // Every horse image ends hidden and the board keeps the finished game.
    for (int c = 1; c <= 4; ++c) {
        for (int k = 1; k <= 4; ++k) {
            bool lastVisible = true;
            for (const auto& call : view.of(Op::HorseVisible)) {
                if (call.image == ImageRef::horse(c, k)) {
                    lastVisible = call.on;
                }
            }
            EXPECT_FALSE(lastVisible);
        }
    }
    EXPECT_EQ(horsesOf(4), (Squares{407, 408, 409, 410}));
    // Later rebuilds do not repeat any of it.
    view.clear();
    engine().rebuildBoard(4);
    EXPECT_EQ(view.messages(), std::vector<std::string>{gameOver})
        << "only the end check may repeat outside a game";
}

TEST_F(TurnCycle, ArrivalMessageIsShownOnce) {
    setKinds(2, 2, 3, 3);
    position({{{}, {107, 108, 109, 110}, {}, {}, {}}}, 1);
    engine().rebuildBoard(2);
    engine().rebuildBoard(1);
    EXPECT_EQ(view.messages(), std::vector<std::string>{arrivedJaune});
}

TEST_F(TurnCycle, AllDisabledRefusesToStart) {
    setKinds(3, 3, 3, 3);
    engine().startNewGame();
    EXPECT_EQ(view.messages(), std::vector<std::string>{
                                   "Attention !|Tous les joueurs sont inactifs.\r\n\r\nVeuillez "
                                   "changer la configuration."});
    EXPECT_FALSE(state().gameInProgress);
    EXPECT_TRUE(state().allowNewGame);
    EXPECT_FALSE(game.clignotant().isActive());
}

TEST_F(TurnCycle, NewGameIsIgnoredDuringAGame) {
    setKinds(1, 2, 2, 2);
    engine().startNewGame();
    const auto before = snapshot(state(), game);
    view.clear();
    engine().startNewGame();
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(snapshot(state(), game), before);
}

TEST_F(TurnCycle, StopAnsweredNoLeavesEverythingAsItWas) {
    setKinds(2, 2, 2, 2);
    die.push({6, 3});
    engine().startNewGame();
    clock.runFor(500); // markers up, TimerChoix counting
    ASSERT_TRUE(game.choix().isActive());
    const auto before = snapshot(state(), game);
    view.answers = {MessageResult::No};
    view.clear();
    engine().requestStop();
    EXPECT_EQ(snapshot(state(), game), before);
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].text, "Attention !|La partie en cours sera perdue.\r\n\r\nVoulez-vous "
                                  "réellement arrêter la partie ?");
    EXPECT_EQ(view.calls[0].value, MessageKind::YesNo);
}

TEST_F(TurnCycle, ComputerTurnGoesOnWhileTheStopQuestionIsOpen) {
    setKinds(2, 2, 2, 2);
    die.push({6, 3});
    engine().startNewGame();
    view.whileMessageOpen = [&](const std::string&) { clock.runFor(4000); };
    view.answers = {MessageResult::Yes};
    engine().requestStop();
    // The exit was made while the box was open; Yes then stopped the game.
    EXPECT_EQ(state().horseSquare[1][1], 1);
    EXPECT_FALSE(state().gameInProgress);
    EXPECT_FALSE(game.choix().isActive());
    EXPECT_FALSE(game.seconde().isActive());
    EXPECT_EQ(state().currentColour, 1);
}

TEST_F(TurnCycle, BlinkStartsAtOneSecondThenAlternatesAndKeepsItsPhase) {
    setKinds(1, 3, 3, 3);
    engine().startNewGame();
    clock.runFor(2200);
    std::vector<std::pair<long, bool>> ticks;
    for (const auto& c : view.of(Op::MarkerPictures)) {
        ticks.push_back({c.at, c.on});
    }
    EXPECT_EQ(ticks, (std::vector<std::pair<long, bool>>{
                         {1000, false}, {1200, true}, {1600, false}, {1800, true}, {2200, false}}));
    // The armed human button follows the markers.
    std::vector<bool> jaune;
    for (const auto& c : view.of(Op::ButtonLit)) {
        if (c.value == 1 && c.at >= 1000) {
            jaune.push_back(c.on);
        }
    }
    EXPECT_EQ(jaune, (std::vector<bool>{false, true, false, true, false}));

    // Stopped after a hiding tick: the next game's first tick comes 200 ms in and shows.
    view.answers = {MessageResult::Yes};
    engine().requestStop();
    clock.runFor(5000);
    view.clear();
    const auto t0 = clock.now();
    engine().startNewGame();
    clock.runFor(700);
    ticks.clear();
    for (const auto& c : view.of(Op::MarkerPictures)) {
        ticks.push_back({c.at - t0, c.on});
    }
    EXPECT_EQ(ticks, (std::vector<std::pair<long, bool>>{{200, true}, {600, false}}));
}

TEST_F(TurnCycle, ConstructorSetsIntervalsAndLeavesTimersStopped) {
    EXPECT_EQ(game.seconde().interval(), 500);
    EXPECT_EQ(game.clignotant().interval(), 1000);
    EXPECT_EQ(game.choix().interval(), 3000);
    EXPECT_FALSE(game.seconde().isActive() || game.choix().isActive() ||
                 game.clignotant().isActive());
}

TEST_F(TurnCycle, LoadedFinishedGameEndsOnceAndLoadedTurnBegins) {
    setKinds(2, 3, 3, 3);
    int squares[5][5] = {};
    for (int k = 1; k <= 4; ++k) {
        squares[1][k] = 106 + k;
    }
    engine().resumeLoadedGame(squares, 1);
    EXPECT_EQ(view.messages(), (std::vector<std::string>{arrivedJaune, gameOver}));
    EXPECT_FALSE(state().gameInProgress);

    // A colour outside 1..4 becomes the first colour that plays; its turn begins.
    setKinds(3, 1, 2, 2);
    int board[5][5] = {{0}, {0}, {0, 30, 0, 17, 0}};
    engine().resumeLoadedGame(board, 9);
    EXPECT_EQ(state().currentColour, 2);
    EXPECT_TRUE(state().throwArmed[2]);
    EXPECT_EQ(horsesOf(2), (Squares{17, 30, 0, 0}));
}

} // namespace
