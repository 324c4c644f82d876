// vox_gen OUTPUT MIB: writes MIB mebibytes of 6000 Hz OKI ADPCM made from a speech-like signal
// (a few gliding tones under a syllable-rate envelope, plus noise), the same bytes every run.
// One minute of signal is computed once and then repeated through the encoder.
#include "messages/vox/AdpcmCodec.h"

#include <QFile>
#include <QTextStream>
#include <cmath>
#include <numbers>
#include <vector>

int main(int argc, char** argv) {
    bool ok = argc == 3;
    const qint64 mib = ok ? QByteArray(argv[2]).toLongLong(&ok) : 0;
    if (!ok || mib < 1) {
        QTextStream(stderr) << "usage: vox_gen OUTPUT MIB\n";
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly)) {
        QTextStream(stderr) << "vox_gen: " << out.errorString() << "\n";
        return 1;
    }
    const double rate = 6000, tau = 2 * std::numbers::pi;
    std::vector<qint16> minute(60 * 6000);
    quint32 noise = 12345;
    double phase[3] = {0, 0, 0};
    for (size_t t = 0; t < minute.size(); ++t) {
        const double sec = double(t) / rate;
        const double envelope = 0.55 + 0.45 * std::sin(tau * 3.1 * sec);
        const double freq[3] = {180 + 60 * std::sin(tau * 0.37 * sec),
                                700 + 300 * std::sin(tau * 0.23 * sec),
                                2100 + 400 * std::sin(tau * 0.11 * sec)};
        const double level[3] = {6000, 3500, 1200};
        double v = 0;
        for (int k = 0; k < 3; ++k) {
            phase[k] = std::fmod(phase[k] + tau * freq[k] / rate, tau);
            v += std::sin(phase[k]) * level[k];
        }
        noise = noise * 1664525u + 1013904223u;
        v = v * envelope + (double(noise >> 20) - 2048.0) * 0.4;
        minute[t] = qint16(std::lround(std::clamp(v, -32768.0, 32767.0)));
    }

    constexpr qsizetype Bytes = 60 * 6000 / 2; // one minute of codes
    QByteArray block(Bytes, '\0');
    Adpcm::Encoder encoder;
    for (qint64 left = mib << 20; left > 0; left -= Bytes) {
        encoder.encode(minute.data(), qsizetype(minute.size()),
                       reinterpret_cast<uchar*>(block.data()));
        const qsizetype n = qsizetype(std::min<qint64>(left, Bytes));
        if (out.write(block.constData(), n) != n) {
            QTextStream(stderr) << "vox_gen: " << out.errorString() << "\n";
            return 1;
        }
    }
    return 0;
}
