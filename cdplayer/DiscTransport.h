#pragma once

#include "CdDrive.h"

// The transport of one disc: its mode and the position the listener hears, with every
// refusal a drive makes. Plain and single-threaded: a drive keeps it under its own lock,
// and whoever produces the sound reports what has been heard.
class DiscTransport {
public:
    // A disc is in: stopped at the start of its first track.
    void insert(const DiscToc& toc);
    // No disc any more: the drive is not ready, or its door is open.
    void remove(DriveMode why);

    bool hasDisc() const { return !toc_.trackStarts.empty(); }
    DriveMode mode() const { return mode_; }
    const DiscToc& toc() const { return toc_; }
    int position() const { return position_; }

    int play(std::optional<int> from);
    int pause();
    int resume();
    int stop();
    int seek(int frame);

    // Changes whenever what is heard must start again from position(): whatever is queued
    // for the old position is then stale.
    unsigned generation() const { return generation_; }
    // The sound of that generation has been heard up to the frame. Reaching the end of
    // the disc stops there.
    void heard(unsigned generation, int frame);

private:
    int refusal() const;
    void restart() { ++generation_; }

    DiscToc toc_;
    DriveMode mode_ = DriveMode::NotReady;
    int position_ = 0;
    unsigned generation_ = 0;
};
