#pragma once

#include "HeadlessGame.h"
#include "NullView.h"

#include <cstdint>

// Plays computer games and counts what happens in them, by watching the board and the
// state around each timer tick; the engine itself knows nothing of the counting.
class GameStatistics {
public:
    // levels[1..4] is each computer colour's level; without it every colour plays at the
    // standard level.
    GameStatistics(const int kinds[5], unsigned seed, const int* levels = nullptr);

    // Plays one complete game; false when it did not end within its event bound.
    bool playGame();

    long games() const { return games_; }
    std::int64_t throws() const { return view_.throws; }
    std::int64_t moves() const { return moves_; }
    std::int64_t captures() const { return captures_; }
    std::int64_t firstToFinish(int colour) const { return firstToFinish_[colour]; }
    VirtualClock::Ms virtualMs() const { return virtualMs_; }

private:
    // Counts die faces shown (every throw shows one) and notes the first arrival message
    // of each game.
    class CountingView : public NullView {
    public:
        using NullView::NullView;
        void showDie(int face) override;
        int showMessage(const std::string& caption, const std::string& text,
                        int messageKind) override;
        std::int64_t throws = 0;
        int firstArrival = 0;
    };

    void countedChoice();
    int horsesOnBoard(int colour) const;

    // The game has one level for every computer colour; the simulator sets it before each
    // choice, so that colours of different levels can meet.
    int levels_[5] = {0, ComputerLevel::Standard, ComputerLevel::Standard, ComputerLevel::Standard,
                      ComputerLevel::Standard};
    Settings settings_;
    VirtualClock clock_;
    CountingView view_{clock_};
    RandomDie die_;
    HeadlessGame game_;
    long games_ = 0;
    std::int64_t moves_ = 0;
    std::int64_t captures_ = 0;
    std::int64_t firstToFinish_[5] = {};
    VirtualClock::Ms virtualMs_ = 0;
};
