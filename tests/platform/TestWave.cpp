#include "TestWave.h"

#include <sndfile.h>

#include <cmath>
#include <vector>

bool writeTestWave(const std::string& path, int format, int rate, int channels, int totalMs,
                   int burstMs) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const long frames = static_cast<long>(rate) * totalMs / 1000;
    const long burst = static_cast<long>(rate) * burstMs / 1000;
    std::vector<float> samples(static_cast<size_t>(frames * channels), 0.0f);
    for (long i = 0; i < burst; ++i)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<size_t>(i * channels + c)] =
                0.5f * static_cast<float>(std::sin(6.283185307179586 * 880.0 * i / rate));
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}
