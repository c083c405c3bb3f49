#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Any file libsndfile reads, delivered as 16-bit interleaved samples at the file's own
// rate and channel count, chunk by chunk so a long or damaged file never has to fit in
// memory at once.
class SoundFileDecoder {
public:
    explicit SoundFileDecoder(const std::string& path);
    ~SoundFileDecoder();
    SoundFileDecoder(const SoundFileDecoder&) = delete;
    SoundFileDecoder& operator=(const SoundFileDecoder&) = delete;

    // Opened, with a rate and channel count the sound server can play.
    bool ok() const { return file_ != nullptr; }
    int rate() const { return rate_; }
    int channels() const { return channels_; }

    // Up to `frames` frames into `out` (resized to what was read); 0 at the end or on a
    // read error.
    std::size_t read(std::vector<std::int16_t>& out, std::size_t frames);

private:
    void* file_ = nullptr;
    int rate_ = 0;
    int channels_ = 0;
};
