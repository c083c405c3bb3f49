#pragma once

#include <cstdint>
#include <vector>

// Where the disc's audio comes from: raw 16-bit little-endian stereo frames.
class SectorReader {
public:
    virtual ~SectorReader() = default;
    // Replaces out with count frames from the frame `first`; false on a read failure.
    virtual bool read(int first, int count, std::vector<std::uint8_t>& out) = 0;
};
