// How many complete four-computer games the engine plays a second on one core, driven
// through the window-less board and virtual time exactly as the simulator drives it.
#include "HeadlessGame.h"
#include "MoveRules.h"
#include "NullView.h"
#include "StrongChoice.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CompleteGame(benchmark::State& state) {
    Settings settings;
    for (int c = 1; c <= 4; ++c) {
        settings.playerKind[c] = PlayerKind::Computer;
    }
    settings.choiceDelayMs = static_cast<int>(state.range(0));
    settings.soundOn = true;
    VirtualClock clock;
    NullView view(clock);
    RandomDie die(12345);
    HeadlessGame game(clock, view, die, settings);
    game.skipBlinkTicks(true); // as the simulator plays
    std::int64_t unfinished = 0;
    for (auto _ : state) {
        if (!game.playOneGame(10'000'000)) {
            ++unfinished;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["games_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["unfinished"] = static_cast<double>(unfinished);
}
BENCHMARK(BM_CompleteGame)->Arg(3000)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The blink while a person is to throw: the event a game on virtual time fires most, ten
// times for every throw, through the clock, the timer and the engine.
void BM_BlinkWhileWaiting(benchmark::State& state) {
    Settings settings; // Jaune is a person
    VirtualClock clock;
    NullView view(clock);
    RandomDie die(3);
    HeadlessGame game(clock, view, die, settings);
    game.engine().startNewGame();
    for (auto _ : state) {
        clock.runNext();
    }
    benchmark::DoNotOptimize(game.engine().state().blinkOn);
}
BENCHMARK(BM_BlinkWhileWaiting);

// A game under way with the given horses on the board, as a loaded game sets it up.
struct MidGame {
    explicit MidGame(const int (&squares)[5][5]) { engine.resumeLoadedGame(squares, 1); }
    Settings settings;
    VirtualClock clock;
    NullView view{clock};
    RandomDie die{7};
    HeadlessGame game{clock, view, die, settings};
    GameEngine& engine = game.engine();
};

// One throw's rule work: the targets of a colour, then the rebuild that redraws the board,
// on a mid-game position with horses of every colour on the track and in the columns.
void BM_TargetsAndRebuild(benchmark::State& state) {
    MidGame mid(
        {{0}, {0, 5, 30, 56, 102}, {0, 20, 44, 0, 201}, {0, 10, 33, 0, 0}, {0, 50, 3, 40, 400}});
    GameEngine& engine = mid.engine;
    int targets[5] = {};
    int colour = 1;
    for (auto _ : state) {
        bool exitGranted = false;
        MoveRules::moveTargets(engine.state(), colour, 1 + (colour + 2) % 6, targets, exitGranted);
        engine.rebuildBoard(colour);
        benchmark::DoNotOptimize(targets);
        colour = colour % 4 + 1;
    }
}
BENCHMARK(BM_TargetsAndRebuild);

// The strong computer's decision for one throw, on a crowded mid-game board where all four
// horses of the colour to play can move: the most work a decision ever has.
void BM_StrongChoice(benchmark::State& state) {
    MidGame mid(
        {{0}, {0, 5, 12, 30, 48}, {0, 20, 44, 9, 201}, {0, 10, 33, 50, 0}, {0, 52, 3, 40, 400}});
    const GameState& board = mid.engine.state();
    int targets[5] = {};
    bool exitGranted = false;
    MoveRules::moveTargets(board, 1, 2, targets, exitGranted);
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrongChoice::choose(board, 1, targets));
    }
}
BENCHMARK(BM_StrongChoice);

} // namespace

BENCHMARK_MAIN();
