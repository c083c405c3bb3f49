#include "DigitalPlayback.h"

#include "CdTime.h"

#include <chrono>
#include <cstdint>
#include <pthread.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Two frames a read (27 ms): the thread looks at the commands that often, which keeps a
// pause or a seek well within 100 ms, at some 40 wake-ups a second while playing.
constexpr int kFramesPerRead = 2;

} // namespace

DigitalPlayback::DigitalPlayback(std::unique_ptr<SectorReader> reader)
    : reader_(std::move(reader)), thread_([this] { run(); }) {}

DigitalPlayback::~DigitalPlayback() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void DigitalPlayback::run() {
    // Named, so its share of the processor can be told apart from the window's.
    pthread_setname_np(pthread_self(), "bramidou-cd");
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (transport_.mode() != DriveMode::Playing) {
            changed_.wait(lock);
            continue;
        }
        playGeneration(lock);
    }
}

void DigitalPlayback::playGeneration(std::unique_lock<std::mutex>& lock) {
    const unsigned generation = transport_.generation();
    const int start = transport_.position();
    const int end = transport_.toc().leadOut;
    int next = start;
    lock.unlock();
    // Whatever is still queued belongs to an earlier position.
    stream_.flush();
    // Without a sound server the disc still runs, in time with the clock, so the display
    // and the commands behave as with sound.
    const bool audible = stream_.ready();
    lock.lock();
    const Clock::time_point began = Clock::now();
    std::vector<std::uint8_t> sound;
    while (!quit_ && transport_.generation() == generation && next < end) {
        const int count = std::min(kFramesPerRead, end - next);
        lock.unlock();
        if (!reader_->read(next, count, sound))
            sound.assign(std::size_t(count) * CdTime::bytesPerFrame, 0);
        long long latencyUs = 0;
        if (audible && stream_.write(sound.data(), sound.size())) {
            latencyUs = stream_.latency().count();
        } else {
            const auto due = began + std::chrono::microseconds((long long)(next + count - start) *
                                                               1000000 / CdTime::framesPerSecond);
            std::this_thread::sleep_until(due);
        }
        lock.lock();
        next += count;
        const int queuedFrames = int(latencyUs * CdTime::framesPerSecond / 1000000);
        transport_.heard(generation, next - queuedFrames < start ? start : next - queuedFrames);
    }
    if (transport_.generation() != generation || quit_) {
        lock.unlock();
        // A pause or a stop is heard now, not after what the server still holds.
        stream_.flush();
        lock.lock();
        return;
    }
    // The last frames reach the listener before the disc counts as ended.
    lock.unlock();
    if (audible)
        stream_.drain();
    lock.lock();
    transport_.heard(generation, end);
}
