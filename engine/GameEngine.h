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
    // Settings is read-only here, so the caller turns a Disabled colour to play into
    // Human before the call; a colour to play outside 1..4 becomes the first colour
    // that plays. Squares are taken as read: the rebuild parks or stables odd values.
    void resumeLoadedGame(const int horseSquare[5][5], int currentColour);

private:
    void setThrowButtonsLitOnly(int colour);
    void sendMarkersAway();
    void setGameRunning(bool running);
    void playStepSound(const std::string& file);
    // placeHorse and drawHorseAt without copying the image name on every call.
    void place(int from, int to, int colour, const ImageRef& image);
    void drawAt(int square, const ImageRef& image, int colour);
    bool allColoursFinished() const;
    int ownerAt(int square) const;
    void clearBoard();
    void clearMarkedSquares();
    void markSquare(int square, int colour);
    void drawHorses();
    int horsesChangedSinceSettled() const;
    int trackTarget(int colour, int square) const;
    bool rebuildAfterOneMove(int horse, int mover);
    void settleColour(int y, int lost);
    static void sortFour(int v[4]);
    void noteSettledHorses();
    void noteSettledColour(int y);

    // Squares written since the board was last cleared, so that a rebuild clears and
    // renumbers only those instead of all 500 (a whole game is played thousands of times
    // a second by the simulator). boardOwner is written nowhere else; setUpGame clears
    // it whole.
    int markedSquares_[5][4] = {};
    int markedCount_[5] = {};

    // Most rebuilds follow a throw that moved nothing. When the horses stand where the
    // last renumbering put them, and marking them again would give the same board (no two
    // on a square, an arrived horse on the slot of its own number), a rebuild only has
    // to redraw them; an arrival message still owed sends it the long way. After a move
    // only the mover and the colour it captured are worked out again.
    int settledSquares_[5][4] = {};
    // Where the last renumbering drew each horse, by number then colour.
    int drawSquares_[16] = {};
    // A bit per colour whose horses would not come back unchanged, all of them until a
    // renumbering has run.
    static constexpr unsigned allUnsettled = 0x1e;
    unsigned unsettled_ = allUnsettled;
    bool slotsFull_[5] = {};

    BoardView& view_;
    EngineTimers timers_;
    DieSource& die_;
    const Settings& settings_;
    GameState state_;
};
