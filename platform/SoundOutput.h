#pragma once

#include "WaveDeviceCounter.h"

#include <string>

// Synchronous wave playback and the count of output devices, from the sound server.
class SoundOutput : public WaveDeviceCounter {
public:
    SoundOutput();
    ~SoundOutput() override;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Plays the file to its end before returning. Returns false at once, without
    // playing, when the file is missing or unreadable or no sound server answers.
    bool playWaveSync(const std::string& path);
    int waveOutputDeviceCount() override;

private:
    struct Impl;
    Impl* impl_;
};
