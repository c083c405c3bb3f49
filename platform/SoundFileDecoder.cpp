#include "SoundFileDecoder.h"

#include <pulse/sample.h>
#include <sndfile.h>

SoundFileDecoder::SoundFileDecoder(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return;
    // A damaged header can claim any rate or channel count; the server would refuse the
    // stream anyway, so refuse it here before a connection is spent on it.
    if (info.channels < 1 || info.channels > static_cast<int>(PA_CHANNELS_MAX) ||
        info.samplerate < 1 || static_cast<unsigned>(info.samplerate) > PA_RATE_MAX) {
        sf_close(file);
        return;
    }
    // Float files are scaled to full range, as the 16-bit players expect.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    file_ = file;
    rate_ = info.samplerate;
    channels_ = info.channels;
}

SoundFileDecoder::~SoundFileDecoder() {
    if (file_)
        sf_close(static_cast<SNDFILE*>(file_));
}

std::size_t SoundFileDecoder::read(std::vector<std::int16_t>& out, std::size_t frames) {
    if (!file_) {
        out.clear();
        return 0;
    }
    out.resize(frames * static_cast<std::size_t>(channels_));
    const sf_count_t got =
        sf_readf_short(static_cast<SNDFILE*>(file_), out.data(), static_cast<sf_count_t>(frames));
    const std::size_t n = got > 0 ? static_cast<std::size_t>(got) : 0;
    out.resize(n * static_cast<std::size_t>(channels_));
    return n;
}
