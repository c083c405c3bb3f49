#include "SoundOutput.h"

#include "SoundFileDecoder.h"
#include "SoundServerProbe.h"

#include <pulse/error.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A local server answers in a few milliseconds; anything slower is treated as absent.
constexpr milliseconds kPlayProbeBudget{300};
constexpr milliseconds kCountBudget{1000};
// After a failed attempt every step of a walk would pay the probe again; a few seconds
// of "no server" keeps a walk brisk and still notices a server started meanwhile.
constexpr milliseconds kNoServerMemory{5000};
// The walk waits for each step to end, so whatever the server buffers is heard as a
// pause after the click: keep the buffer to a few tens of milliseconds.
constexpr int kTargetLatencyMs = 40;
constexpr int kPrebufferMs = 20;
constexpr int kRequestMs = 10;
constexpr std::size_t kChunkFrames = 2048;

std::uint32_t bytesFor(int ms, const pa_sample_spec& sampleFormat) {
    return static_cast<std::uint32_t>(
        pa_usec_to_bytes(static_cast<pa_usec_t>(ms) * PA_USEC_PER_MSEC, &sampleFormat));
}

} // namespace

struct SoundOutput::Impl {
    std::mutex mutex;
    // Kept between plays: a walk reuses it, and while it stays open the sink keeps the
    // short latency it asked for instead of starting each step from its idle state.
    pa_simple* stream = nullptr;
    int rate = 0;
    int channels = 0;
    Clock::time_point noServerUntil{};

    ~Impl() { closeStream(); }

    void closeStream() {
        if (stream)
            pa_simple_free(stream);
        stream = nullptr;
        rate = channels = 0;
    }

    void rememberNoServer() {
        closeStream();
        noServerUntil = Clock::now() + kNoServerMemory;
    }

    bool serverKnownAbsent() const { return Clock::now() < noServerUntil; }

    // A playback stream in this format: the one already open, or a new one.
    bool streamFor(int fileRate, int fileChannels) {
        if (stream && rate == fileRate && channels == fileChannels)
            return true;
        // pa_simple_new cannot be given a timeout; a quick asynchronous handshake first
        // keeps a server that accepts and never replies from freezing the game.
        if (!SoundServerProbe::answers(kPlayProbeBudget)) {
            rememberNoServer();
            return false;
        }
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16NE;
        sampleFormat.rate = static_cast<std::uint32_t>(fileRate);
        sampleFormat.channels = static_cast<std::uint8_t>(fileChannels);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = bytesFor(kTargetLatencyMs, sampleFormat);
        attr.prebuf = bytesFor(kPrebufferMs, sampleFormat);
        attr.minreq = bytesFor(kRequestMs, sampleFormat);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        int error = 0;
        pa_simple* fresh = pa_simple_new(nullptr, "Les Bramidou", PA_STREAM_PLAYBACK, nullptr,
                                         "Effets", &sampleFormat, nullptr, &attr, &error);
        if (!fresh) {
            rememberNoServer();
            return false;
        }
        // The old stream goes only once the new one exists: a sink left without any stream
        // falls back to its longest latency, and a null sink then holds the next sound back
        // for up to two seconds.
        closeStream();
        stream = fresh;
        rate = fileRate;
        channels = fileChannels;
        return true;
    }
};

SoundOutput::SoundOutput() : impl_(new Impl) {}

SoundOutput::~SoundOutput() {
    delete impl_;
}

bool SoundOutput::playWaveSync(const std::string& path) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    SoundFileDecoder decoder(path);
    if (!decoder.ok())
        return false;
    std::vector<std::int16_t> samples;
    // The first chunk is decoded before any connection, so a file that opens but holds
    // nothing playable costs no server round trip.
    if (decoder.read(samples, kChunkFrames) == 0)
        return false;
    if (impl_->serverKnownAbsent())
        return false;
    const bool reused = impl_->stream != nullptr && impl_->rate == decoder.rate() &&
                        impl_->channels == decoder.channels();
    if (!impl_->streamFor(decoder.rate(), decoder.channels()))
        return false;
    int error = 0;
    const auto write = [&] {
        return pa_simple_write(impl_->stream, samples.data(), samples.size() * sizeof(std::int16_t),
                               &error) >= 0;
    };
    if (!write()) {
        // A kept stream dies with a restarted server; one new stream is worth a try
        // before the step goes silent.
        impl_->closeStream();
        if (!reused || !impl_->streamFor(decoder.rate(), decoder.channels()) || !write()) {
            impl_->closeStream();
            return false;
        }
    }
    while (decoder.read(samples, kChunkFrames) > 0) {
        if (!write()) {
            impl_->closeStream();
            return false;
        }
    }
    if (pa_simple_drain(impl_->stream, &error) < 0) {
        impl_->closeStream();
        return false;
    }
    return true;
}

int SoundOutput::waveOutputDeviceCount() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->serverKnownAbsent())
        return 0;
    const int sinks = SoundServerProbe::sinkCount(kCountBudget);
    if (sinks == SoundServerProbe::unreachable) {
        impl_->rememberNoServer();
        return 0;
    }
    return sinks;
}
