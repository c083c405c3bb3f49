#include "PulseCdStream.h"

#include "SoundServerProbe.h"

#include <pulse/simple.h>
#include <pulse/timeval.h>

namespace {

using Clock = std::chrono::steady_clock;

// A pause or a seek drops what is queued, so the buffer need not be short to be heard at
// once: it is long enough to ride out a busy machine without gaps.
constexpr int kTargetLatencyMs = 150;
constexpr int kPrebufferMs = 20;
constexpr int kRequestMs = 10;
constexpr std::chrono::milliseconds kProbeBudget{300};
constexpr std::chrono::milliseconds kNoServerMemory{5000};

std::uint32_t bytesFor(int ms, const pa_sample_spec& format) {
    return static_cast<std::uint32_t>(
        pa_usec_to_bytes(static_cast<pa_usec_t>(ms) * PA_USEC_PER_MSEC, &format));
}

} // namespace

PulseCdStream::~PulseCdStream() {
    close();
}

void PulseCdStream::close() {
    if (stream_)
        pa_simple_free(stream_);
    stream_ = nullptr;
}

bool PulseCdStream::ready() {
    if (stream_)
        return true;
    if (Clock::now() < noServerUntil_)
        return false;
    // pa_simple_new has no timeout of its own; a server that accepts and never answers
    // would hold the playback for ever.
    if (!SoundServerProbe::answers(kProbeBudget)) {
        noServerUntil_ = Clock::now() + kNoServerMemory;
        return false;
    }
    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = 44100;
    format.channels = 2;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = bytesFor(kTargetLatencyMs, format);
    attr.prebuf = bytesFor(kPrebufferMs, format);
    attr.minreq = bytesFor(kRequestMs, format);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    stream_ = pa_simple_new(nullptr, "Les Bramidou", PA_STREAM_PLAYBACK, nullptr, "Disque audio",
                            &format, nullptr, &attr, &error);
    if (!stream_)
        noServerUntil_ = Clock::now() + kNoServerMemory;
    return stream_ != nullptr;
}

bool PulseCdStream::write(const void* data, std::size_t bytes) {
    int error = 0;
    if (!stream_ || pa_simple_write(stream_, data, bytes, &error) < 0) {
        close();
        return false;
    }
    return true;
}

void PulseCdStream::flush() {
    int error = 0;
    if (stream_ && pa_simple_flush(stream_, &error) < 0)
        close();
}

void PulseCdStream::drain() {
    int error = 0;
    if (stream_ && pa_simple_drain(stream_, &error) < 0)
        close();
}

std::chrono::microseconds PulseCdStream::latency() {
    int error = 0;
    if (!stream_)
        return std::chrono::microseconds(0);
    const pa_usec_t usec = pa_simple_get_latency(stream_, &error);
    if (usec == static_cast<pa_usec_t>(-1))
        return std::chrono::microseconds(0);
    return std::chrono::microseconds(static_cast<long long>(usec));
}
