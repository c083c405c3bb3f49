#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct pa_simple;

// Records what a private server's null sink plays (its monitor), mono 16-bit at 44.1 kHz,
// on a thread of its own, so a test can look at what the listener heard and when.
class SinkRecorder {
public:
    static constexpr int rate = 44100;

    explicit SinkRecorder(const std::string& sink = "bramidou_null");
    ~SinkRecorder();

    bool running() const { return stream_ != nullptr; }
    // How many samples have arrived so far.
    std::size_t size();
    // The rough frequency of the samples in [from, to), from their zero crossings; 0 when
    // they are silent.
    double toneBetween(std::size_t from, std::size_t to);
    // The last sample at or after `from` that is not silence, or `from` when all are.
    std::size_t lastSoundAfter(std::size_t from);

private:
    pa_simple* stream_ = nullptr;
    std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::atomic<bool> quit_{false};
    std::thread thread_;
};
