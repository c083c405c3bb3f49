#pragma once

#include "WaveDeviceCounter.h"

// A machine with a chosen number of wave output devices.
class FixedDeviceCount : public WaveDeviceCounter {
public:
    explicit FixedDeviceCount(int count) : count_(count) {}
    int waveOutputDeviceCount() override { return count_; }

private:
    int count_;
};
