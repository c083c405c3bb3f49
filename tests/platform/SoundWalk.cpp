// The real engine walking a horse through the real sound output, for the walk test:
//   sound_walk click FILE               writes the step sound the walk test plays
//   sound_walk walk on|off COLOUR FROM TO   runs placeHorse and reports what it did
//   sound_walk onsets FILE              counts the sounds in a raw recording
#include "HorseWalk.h"
#include "NullView.h"
#include "SoundOutput.h"
#include "TestWave.h"

#include <sndfile.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Draws nothing; sounds go to the real output and pauses really pause, as in the window.
class HeardView : public NullView {
public:
    HeardView(VirtualClock& clock, SoundOutput& sound) : NullView(clock), sound_(sound) {}

    void playWaveSync(const std::string& file) override {
        ++plays;
        if (sound_.playWaveSync(file))
            ++heard;
    }
    void sleepMs(int ms) override {
        pausedMs += ms;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }

    int plays = 0;
    int heard = 0;
    long pausedMs = 0;

private:
    SoundOutput& sound_;
};

int walk(bool soundOn, int colour, int from, int to) {
    SoundOutput sound;
    VirtualClock clock;
    HeardView view(clock, sound);
    Settings settings;
    settings.soundOn = soundOn;
    settings.soundAvailable = soundOn;
    const GameState board; // empty: the walk captures nobody
    HorseWalk horseWalk(view, board, settings);
    const auto start = Clock::now();
    horseWalk.placeHorse(from, to, colour, ImageRef::horse(colour, 1));
    const auto wall =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("plays=%d heard=%d paused_ms=%ld wall_ms=%ld\n", view.plays, view.heard,
                view.pausedMs, static_cast<long>(wall));
    return 0;
}

// Onsets of a raw 16-bit mono 44.1 kHz recording: the 5 ms peak envelope rising above a
// tenth of full scale after at least 30 ms below a thirtieth. The step sound is a 40 ms
// burst in 200 ms, so steps stand well apart.
int onsets(const std::string& path) {
    constexpr int rate = 44100;
    constexpr int window = rate / 200;
    constexpr int high = 32768 / 10;
    constexpr int low = 32768 / 30;
    constexpr int quietWindows = 6;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 2;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t samples = bytes.size() / 2;
    int count = 0;
    int quiet = quietWindows;
    std::string times;
    for (std::size_t w = 0; w + window <= samples; w += window) {
        int peak = 0;
        for (std::size_t i = w; i < w + window; ++i) {
            const auto lo = static_cast<unsigned char>(bytes[2 * i]);
            const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
            const int v = static_cast<std::int16_t>(lo | (hi << 8));
            peak = std::max(peak, v < 0 ? -v : v);
        }
        if (peak >= high && quiet >= quietWindows) {
            ++count;
            times += " " + std::to_string(w * 1000 / rate);
        }
        quiet = peak < low ? quiet + 1 : 0;
    }
    std::printf("onsets=%d at_ms=%s length_ms=%zu\n", count, times.c_str(), samples * 1000 / rate);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: sound_walk click FILE | walk on|off COLOUR FROM TO | "
                         "onsets FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "click" && argc == 3)
        return writeTestWave(argv[2], SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 200, 40) ? 0 : 1;
    if (mode == "walk" && argc == 6)
        return walk(std::string(argv[2]) == "on", std::atoi(argv[3]), std::atoi(argv[4]),
                    std::atoi(argv[5]));
    if (mode == "onsets" && argc == 3)
        return onsets(argv[2]);
    return usage();
}
