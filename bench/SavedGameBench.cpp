// Saving and reading back a game on the disk the game runs from: every save ends in a
// flush to disk, so this measures the wait a player has after pressing Enter.
#include "SavedGame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string benchFile() {
    return "bramidou-bench-" + std::to_string(::getpid()) + ".sav";
}

SavedGame someGame() {
    SavedGame game{};
    for (int c = 1; c <= 4; ++c) {
        game.playerKind[c] = c == 1 ? 1 : 2;
        for (int k = 1; k <= 4; ++k)
            game.horseSquare[c][k] = (c * 13 + k * 5) % 57;
    }
    game.currentColour = 1;
    return game;
}

void BM_SaveGame(benchmark::State& state) {
    const std::string path = benchFile();
    const SavedGame game = someGame();
    for (auto _ : state)
        writeSavedGame(path, game);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadSavedGame(benchmark::State& state) {
    const std::string path = benchFile();
    writeSavedGame(path, someGame());
    for (auto _ : state)
        benchmark::DoNotOptimize(readSavedGameFile(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadSavedGame)->Unit(benchmark::kMicrosecond);

} // namespace
