// Reading and writing the settings file against its size: what start-up (LoadSettings)
// and quitting (SaveSettings, ten keys) cost when a hand or a tool has filled the file
// with many short lines. Each shape is a line the reader must look at and skip.
#include "SettingsFile.h"
#include "WaveDeviceCounter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class OneDevice : public WaveDeviceCounter {
public:
    int waveOutputDeviceCount() override { return 1; }
};

// The shapes of filler line, by benchmark argument.
const char* const kShapes[] = {
    "x\n",     // no '=': the reader once searched the rest of the file for one
    "[x\n",    // '[' without ']': the same search for the bracket
    "k=v\r\n", // keys of another section: every look-up passes them
};

std::string fillerFile(std::size_t bytes, int shape) {
    const std::string line = kShapes[shape];
    std::string text;
    text.reserve(bytes + 64);
    while (text.size() + line.size() <= bytes)
        text += line;
    return text;
}

// A file of that size and shape in a folder of its own, removed at the end.
class BenchFile {
public:
    BenchFile(std::size_t bytes, int shape) {
        char folder[] = "/tmp/bramidou-bench-XXXXXX";
        folder_ = ::mkdtemp(folder) ? folder : "/tmp";
        path_ = folder_ + "/bramidou.ini";
        std::ofstream(path_, std::ios::binary) << fillerFile(bytes, shape);
    }
    ~BenchFile() {
        std::remove(path_.c_str());
        ::rmdir(folder_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

void BM_LoadSettings(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    BenchFile file(bytes, static_cast<int>(state.range(1)));
    OneDevice devices;
    for (auto _ : state) {
        Settings settings;
        settings.mainWidth = 1024;
        settings.mainHeight = 768;
        LoadSettings(settings, file.path(), ScreenSize{1280, 1024}, devices);
        benchmark::DoNotOptimize(settings.choiceDelayMs);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Each save replaces the file on disk and flushes it, as quitting does.
void BM_SaveSettings(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    BenchFile file(bytes, static_cast<int>(state.range(1)));
    Settings settings;
    for (auto _ : state) {
        ++settings.mainLeft;
        SaveSettings(settings, file.path());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void sizesAndShapes(benchmark::internal::Benchmark* b) {
    for (int shape = 0; shape < 3; ++shape)
        for (long kib : {64L, 256L, 1024L, 4096L, 16384L - 1})
            b->Args({kib * 1024, shape});
}

// 16 MiB less one KiB: the largest file the reader takes whole, with room for the keys.
BENCHMARK(BM_LoadSettings)->Apply(sizesAndShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSettings)->Apply(sizesAndShapes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
