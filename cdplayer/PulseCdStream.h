#pragma once

#include <chrono>
#include <cstddef>

struct pa_simple;

// The disc's sound on its way to the sound server: CD audio (16-bit stereo, 44.1 kHz).
// What is queued can be dropped, so a pause or a seek is heard at once.
class PulseCdStream {
public:
    PulseCdStream() = default;
    ~PulseCdStream();
    PulseCdStream(const PulseCdStream&) = delete;
    PulseCdStream& operator=(const PulseCdStream&) = delete;

    // The stream, opened now if it is not yet. False when no server answers; after a
    // failure the server is not asked again for a few seconds.
    bool ready();
    // Blocks until the sound is queued. False when the stream broke (it is then closed).
    bool write(const void* data, std::size_t bytes);
    // Drops what is queued and not yet heard.
    void flush();
    // Blocks until everything queued has been heard.
    void drain();
    // How long the sound written so far takes to be heard.
    std::chrono::microseconds latency();

private:
    void close();

    pa_simple* stream_ = nullptr;
    std::chrono::steady_clock::time_point noServerUntil_{};
};
