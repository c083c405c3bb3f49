#pragma once

#include "DiscTransport.h"
#include "PulseCdStream.h"
#include "SectorReader.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// Plays a disc digitally: a thread of its own reads the audio and writes it to the sound
// server, and reports what the listener has heard to the transport. Commands change the
// transport under the lock and return at once; the thread follows them at its next read.
class DigitalPlayback {
public:
    explicit DigitalPlayback(std::unique_ptr<SectorReader> reader);
    ~DigitalPlayback();
    DigitalPlayback(const DigitalPlayback&) = delete;
    DigitalPlayback& operator=(const DigitalPlayback&) = delete;

    // Runs the function on the transport under the lock, then wakes the thread.
    template <typename F> auto withTransport(F f) {
        std::unique_lock<std::mutex> lock(mutex_);
        struct Wake {
            std::condition_variable& cv;
            ~Wake() { cv.notify_all(); }
        } wake{changed_};
        return f(transport_);
    }

private:
    void run();
    // Plays the current generation until it changes or the disc ends.
    void playGeneration(std::unique_lock<std::mutex>& lock);

    std::unique_ptr<SectorReader> reader_;
    PulseCdStream stream_;
    DiscTransport transport_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool quit_ = false;
    std::thread thread_;
};
