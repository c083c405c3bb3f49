#include "CdPlayerControl.h"
#include "CdioBackend.h"

#include <benchmark/benchmark.h>

// The drive search the CD player runs while the game starts, and again every five
// seconds while nothing is found: the machine's drives through libcdio, then the images.
static void BM_DriveSearchAtStartup(benchmark::State& state) {
    for (auto _ : state) {
        CdioBackend backend("");
        CdPlayerControl control(backend);
        benchmark::DoNotOptimize(control.noDisc);
    }
}
BENCHMARK(BM_DriveSearchAtStartup)->Unit(benchmark::kMillisecond);

// One refresh of the panel: of a stopped disc when BRAMIDOU_CD_IMAGES names an image,
// otherwise the refresh that finds nothing and searches again.
static void BM_PanelRefresh(benchmark::State& state) {
    CdioBackend backend("");
    CdPlayerControl control(backend);
    for (auto _ : state)
        benchmark::DoNotOptimize(control.refresh());
}
BENCHMARK(BM_PanelRefresh)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
