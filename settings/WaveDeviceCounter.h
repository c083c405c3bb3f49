#pragma once

// How many wave output devices the machine has. The sound output of platform/ answers
// for real; tests answer 0 or 1.
class WaveDeviceCounter {
public:
    virtual ~WaveDeviceCounter() = default;
    virtual int waveOutputDeviceCount() = 0;
};
