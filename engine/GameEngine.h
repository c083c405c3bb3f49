#pragma once

#include "BoardView.h"
#include "DieSource.h"
#include "EngineTimer.h"
#include "GameState.h"
#include "ImageRef.h"

#include "Settings.h"

// The game: board, rules, turn cycle and computer player. Runs on one thread, driven by
// the window's commands and by its three timers; draws only through BoardView.
class GameEngine {
public:
    static constexpr int stepPauseMs = 400;
    static constexpr int throwDelayMs = 500;
    static constexpr const char* moveSound = "movehorse.wav";
    static constexpr const char* captureSound = "killhorse.wav";

    // Sets the timers' first intervals (TimerSeconde 500 ms, TimerClignotant 1000 ms,
    // TimerChoix choiceDelayMs); all stay stopped.
    GameEngine(BoardView& view, EngineTimers timers, DieSource& die, const Settings& settings);

    GameState& state() { return state_; }
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

    // Move rules.
    void computeMoveTargets(int colour, int kind);
    int targetSquare(int colour, int square);
    void showMoveChoices(int colour, int kind);
    void rebuildBoard(int c);
    void markColourOnBoard(int y);
    void renumberHorses();

    // Drawing and walking.
    void placeHorse(int from, int to, int colour, ImageRef image);
    void drawHorseAt(int square, ImageRef image, int colour);
    void playMoveStep();
    void playCapture();

    // A saved game handed back by the load command, after its file has been read:
    // stops the throw and choice timers, hides the die, sets a game up, takes the
    // horses and the colour to play, rebuilds the board for colours 1..4 and starts
    // the turn. The player kinds must already be in Settings.
    void resumeLoadedGame(const int horseSquare[5][5], int currentColour);

private:
    void setThrowButtonsLitOnly(int colour);

    BoardView& view_;
    EngineTimers timers_;
    DieSource& die_;
    const Settings& settings_;
    GameState state_;
};
