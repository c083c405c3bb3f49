#include "SinkRecorder.h"

#include <pulse/simple.h>

#include <cmath>
#include <cstdlib>

namespace {

// Well above the null sink's own silence, well below the test tones (half scale).
constexpr int kSilence = 1000;

} // namespace

SinkRecorder::SinkRecorder(const std::string& sink) {
    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = rate;
    format.channels = 1;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = 441 * 2; // 10 ms: samples arrive nearly as they are played
    int error = 0;
    const std::string monitor = sink + ".monitor";
    stream_ = pa_simple_new(nullptr, "bramidou-test", PA_STREAM_RECORD, monitor.c_str(), "record",
                            &format, nullptr, &attr, &error);
    if (!stream_)
        return;
    thread_ = std::thread([this] {
        std::vector<std::int16_t> chunk(441);
        int error = 0;
        while (!quit_) {
            if (pa_simple_read(stream_, chunk.data(), chunk.size() * 2, &error) < 0)
                return;
            std::lock_guard<std::mutex> lock(mutex_);
            samples_.insert(samples_.end(), chunk.begin(), chunk.end());
        }
    });
}

SinkRecorder::~SinkRecorder() {
    quit_ = true;
    if (thread_.joinable())
        thread_.join();
    if (stream_)
        pa_simple_free(stream_);
}

std::size_t SinkRecorder::size() {
    std::lock_guard<std::mutex> lock(mutex_);
    return samples_.size();
}

double SinkRecorder::toneBetween(std::size_t from, std::size_t to) {
    std::lock_guard<std::mutex> lock(mutex_);
    to = std::min(to, samples_.size());
    int crossings = 0;
    int loud = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (std::abs(samples_[i]) > kSilence)
            ++loud;
        if ((samples_[i - 1] < 0) != (samples_[i] < 0))
            ++crossings;
    }
    if (to <= from + 1 || loud < int(to - from) / 2)
        return 0;
    return crossings / 2.0 / (double(to - from) / rate);
}

std::size_t SinkRecorder::lastSoundAfter(std::size_t from) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::size_t last = from;
    for (std::size_t i = from; i < samples_.size(); ++i)
        if (std::abs(samples_[i]) > kSilence)
            last = i;
    return last;
}
