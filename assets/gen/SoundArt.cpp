#include "ArtSink.h"

#include <QtEndian>

#include <cmath>
#include <vector>

namespace {

QByteArray waveFile(const std::vector<qint16>& samples) {
    const quint32 rate = 44100;
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
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
    out.append("RIFF");
    put32(36 + dataBytes);
    out.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    out.append("data");
    put32(dataBytes);
    for (qint16 s : samples)
        put16(quint16(s));
    return out;
}

} // namespace

void renderSounds(ArtSink& sink) {
    std::vector<qint16> click(44100 * 150 / 1000);
    for (size_t i = 0; i < click.size(); ++i) {
        const double t = double(i) / 44100.0;
        click[i] = qint16(16000.0 * std::exp(-t * 60.0) * std::sin(2 * M_PI * 900 * t));
    }
    sink.runFile(QStringLiteral("movehorse.wav"), waveFile(click));
    std::vector<qint16> thud(44100 / 2);
    for (size_t i = 0; i < thud.size(); ++i) {
        const double t = double(i) / 44100.0;
        thud[i] = qint16(16000.0 * std::exp(-t * 8.0) * std::sin(2 * M_PI * (400 - 300 * t) * t));
    }
    sink.runFile(QStringLiteral("killhorse.wav"), waveFile(thud));
}
