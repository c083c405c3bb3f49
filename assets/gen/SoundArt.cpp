#include "ArtSink.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kTwoPi = 6.283185307179586;
// -6 dBFS: half of full scale, so the game's mixer never clips whatever else plays.
constexpr double kPeak = 0.5;

// A tiny xorshift keeps the noise identical on every compiler and standard library,
// which std::uniform_real_distribution does not promise.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Raised-cosine ramps: an abrupt first or last sample is heard as a click of its own.
double fadeIn(double t, double length) {
    return t >= length ? 1.0 : 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * t / length);
}

double fadeOut(double t, double total, double length) {
    return fadeIn(total - t, length);
}

// Resonant two-pole band-pass: shapes white noise into the knock of a hollow body.
class Resonator {
public:
    Resonator(double frequency, double bandwidth) {
        const double r = std::exp(-kTwoPi * 0.5 * bandwidth / kRate);
        a1_ = 2.0 * r * std::cos(kTwoPi * frequency / kRate);
        a2_ = -r * r;
        gain_ = 1.0 - r;
    }
    double step(double in) {
        const double out = gain_ * in + a1_ * y1_ + a2_ * y2_;
        y2_ = y1_;
        y1_ = out;
        return out;
    }

private:
    double a1_ = 0, a2_ = 0, gain_ = 0, y1_ = 0, y2_ = 0;
};

QByteArray waveFile(const std::vector<double>& signal) {
    double loudest = 0.0;
    for (double s : signal)
        loudest = std::max(loudest, std::fabs(s));
    const double scale = loudest > 0.0 ? kPeak * 32767.0 / loudest : 0.0;

    const quint32 dataBytes = quint32(signal.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    auto put32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto put16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF", 4);
    put32(36 + dataBytes);
    out.append("WAVEfmt ", 8);
    put32(16);    // size of the format block
    put16(1);     // PCM
    put16(1);     // mono
    put32(kRate); // frames per second
    put32(kRate * 2);
    put16(2); // bytes per frame
    put16(16);
    out.append("data", 4);
    put32(dataBytes);
    for (double s : signal)
        put16(quint16(qint16(std::lround(std::clamp(s * scale, -32767.0, 32767.0)))));
    return out;
}

// One hoof on a wooden board: a heel knock and a lighter toe knock right after it,
// each a burst of noise rung through the resonances of a small plank.
std::vector<double> hoofClick() {
    const double total = 0.150;
    std::vector<double> out(std::size_t(total * kRate));
    Noise noise(0x5EEDu);
    Resonator low(620.0, 180.0), mid(1450.0, 260.0), high(2900.0, 520.0);
    struct Knock {
        double at, strength, decay;
    };
    const Knock knocks[] = {{0.000, 1.0, 0.014}, {0.052, 0.55, 0.011}};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        double excite = 0.0;
        for (const Knock& k : knocks) {
            const double local = t - k.at;
            if (local >= 0.0)
                excite += k.strength * fadeIn(local, 0.004) * std::exp(-local / k.decay);
        }
        const double n = noise.next() * excite;
        const double body = 1.0 * low.step(n) + 0.7 * mid.step(n) + 0.35 * high.step(n);
        out[i] = body * fadeOut(t, total, 0.030);
    }
    return out;
}

// A captured horse: a falling, trembling neigh over a dull thud, with a short ring
// of the board at the start.
std::vector<double> captureCry() {
    const double total = 0.520;
    std::vector<double> out(std::size_t(total * kRate));
    Noise noise(0xC0FFEEu);
    Resonator breath(1800.0, 900.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double glide = 820.0 * std::pow(280.0 / 820.0, t / total);
        const double vibrato = 1.0 + 0.045 * std::sin(kTwoPi * 11.0 * t) * std::min(1.0, t * 6.0);
        phase += kTwoPi * glide * vibrato / kRate;
        double voice = 0.0;
        const double harmonics[] = {1.0, 0.55, 0.35, 0.2, 0.1};
        for (int h = 0; h < 5; ++h)
            voice += harmonics[h] * std::sin(phase * (h + 1));
        const double voiceEnv = fadeIn(t, 0.030) * std::exp(-t / 0.30);
        const double thud =
            std::sin(kTwoPi * (95.0 - 40.0 * t) * t) * std::exp(-t / 0.060) * fadeIn(t, 0.004);
        const double ring = std::sin(kTwoPi * 1320.0 * t) * std::exp(-t / 0.090) * fadeIn(t, 0.003);
        const double air = breath.step(noise.next()) * 0.25 * voiceEnv;
        out[i] =
            (0.45 * voice * voiceEnv + 0.9 * thud + 0.18 * ring + air) * fadeOut(t, total, 0.060);
    }
    return out;
}

} // namespace

void renderSounds(ArtSink& sink) {
    sink.runFile(QStringLiteral("movehorse.wav"), waveFile(hoofClick()));
    sink.runFile(QStringLiteral("killhorse.wav"), waveFile(captureCry()));
}
