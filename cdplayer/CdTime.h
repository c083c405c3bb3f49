#pragma once

#include <cstdint>

// Time values as the CD device hands them out, packed into 32 bits, and the frame
// arithmetic behind them. A frame is one sector of audio: 1/75 s, 588 stereo samples.
namespace CdTime {

constexpr int framesPerSecond = 75;
constexpr int framesPerMinute = 60 * framesPerSecond;
constexpr int samplesPerFrame = 588;
constexpr int bytesPerFrame = samplesPerFrame * 4; // 16-bit stereo

// Time formats of the device.
constexpr int formatMilliseconds = 0;
constexpr int formatTmsf = 10;

// A position: track (bits 0-7), minutes (8-15), seconds (16-23), frames (24-31), the
// minutes and seconds counted from the start of that track.
constexpr std::uint32_t packTmsf(int track, int minutes, int seconds, int frames) {
    return (std::uint32_t(track) & 0xFF) | (std::uint32_t(minutes) & 0xFF) << 8 |
           (std::uint32_t(seconds) & 0xFF) << 16 | (std::uint32_t(frames) & 0xFF) << 24;
}
constexpr int tmsfTrack(std::uint32_t v) {
    return int(v & 0xFF);
}
constexpr int tmsfMinutes(std::uint32_t v) {
    return int(v >> 8 & 0xFF);
}
constexpr int tmsfSeconds(std::uint32_t v) {
    return int(v >> 16 & 0xFF);
}
constexpr int tmsfFrames(std::uint32_t v) {
    return int(v >> 24 & 0xFF);
}

// A length: minutes (bits 0-7), seconds (8-15), frames (16-23).
constexpr std::uint32_t packMsf(int minutes, int seconds, int frames) {
    return (std::uint32_t(minutes) & 0xFF) | (std::uint32_t(seconds) & 0xFF) << 8 |
           (std::uint32_t(frames) & 0xFF) << 16;
}
constexpr int msfMinutes(std::uint32_t v) {
    return int(v & 0xFF);
}
constexpr int msfSeconds(std::uint32_t v) {
    return int(v >> 8 & 0xFF);
}
constexpr int msfFrames(std::uint32_t v) {
    return int(v >> 16 & 0xFF);
}

constexpr std::uint32_t msfOfFrames(int frames) {
    return packMsf(frames / framesPerMinute, frames / framesPerSecond % 60,
                   frames % framesPerSecond);
}

// Milliseconds to frames rounds to the nearest frame, so a value read in milliseconds
// and handed back names the frame it came from.
constexpr std::int64_t millisecondsOfFrames(std::int64_t frames) {
    return frames * 1000 / framesPerSecond;
}
constexpr std::int64_t framesOfMilliseconds(std::int64_t ms) {
    return (ms * framesPerSecond + (ms >= 0 ? 500 : -500)) / 1000;
}

} // namespace CdTime
