#pragma once

#include "BoardIndex.h"
#include "BoardView.h"
#include "DieSource.h"
#include "EngineTimer.h"
#include "GameState.h"
#include "HorseWalk.h"
#include "ImageRef.h"

#include "Settings.h"

// The game as the window sees it: the turn cycle and its three timers, calling on the
// move rules, the computer's choice, the board index and the walk. Runs on one thread,
// driven by the window's commands and timers; draws only through BoardView.
class GameEngine {
public:
    static constexpr int throwDelayMs = 500;
    // The pause that stands for a step's sound when none is heard.
    static constexpr int stepPauseMs = HorseWalk::stepPauseMs;
    static constexpr int firstBlinkMs = 1000;
    static constexpr int blinkShownMs = 400;
    static constexpr int blinkHiddenMs = 200;

    // Sets the timers' first intervals (TimerSeconde 500 ms, TimerClignotant 1000 ms,
    // TimerChoix choiceDelayMs); all stay stopped.
    GameEngine(BoardView& view, EngineTimers timers, DieSource& die, const Settings& settings);
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;

    // What the window and the tools may read; only the engine's own operations write it.
    const GameState& state() const { return state_; }
    const Settings& settings() const { return settings_; }

    // Commands of the main window and timer ticks.
    void startNewGame();
    void requestStop();
    void humanThrow(int colour);
    void applyChosenMove(int k);
    void afterThrow();
    void chooseComputerMove();
    void blinkTick();

    // Turn cycle.
    void setUpGame();
    void startTurn();
    void settleMove();
    void advanceColour(int c);
    void stopGame();

    // Move rules and the board.
    void computeMoveTargets(int colour, int kind);
    // The markers on the targets; the choice then waits for a click or for TimerChoix.
    void showMoveChoices(int kind);
    void rebuildBoard(int c);

    // A saved game handed back by the load command, after its file has been read:
    // stops the throw and choice timers, hides the die, sets a game up, takes the
    // horses and the colour to play, rebuilds the board for colours 1..4 and starts
    // the turn. The player kinds must already be in Settings.
    // Settings is read-only here, so the caller turns a Disabled colour to play into
    // Human before the call; a colour to play outside 1..4 becomes the first colour
    // that plays. Squares are taken as read: the rebuild parks or stables odd values.
    void resumeLoadedGame(const int horseSquare[5][5], int currentColour);

private:
    // Tests set positions up and walk single horses through it.
    friend struct EngineTestAccess;

    void makeMove(int c, int k, int target);
    void setThrowButtonsLitOnly(int colour);
    void sendMarkersAway();
    void setGameRunning(bool running);
    bool allColoursFinished() const;

    BoardView& view_;
    EngineTimers timers_;
    DieSource& die_;
    const Settings& settings_;
    GameState state_;
    HorseWalk walk_;
    BoardIndex board_;
};
