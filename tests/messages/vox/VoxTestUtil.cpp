#include "VoxTestUtil.h"

#include "messages/vox/AdpcmCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>

namespace VoxTest {

namespace {
const int Steps[49] = {16,  17,  19,  21,  23,  25,   28,   31,   34,   37,  41,  45,  50,
                       55,  60,  66,  73,  80,  88,   97,   107,  118,  130, 143, 157, 173,
                       190, 209, 230, 253, 279, 307,  337,  371,  408,  449, 494, 544, 598,
                       658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
const int Adjust[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
} // namespace

qint16 ReferenceAdpcm::decodeCode(int c) {
    const int step = Steps[Index];
    int d = step / 8;
    if (c & 4)
        d += step;
    if (c & 2)
        d += step / 2;
    if (c & 1)
        d += step / 4;
    Index = std::clamp(Index + Adjust[c & 7], 0, 48);
    if (c & 8)
        d = -d;
    Predictor = std::clamp(Predictor + d, 0, 4095);
    return qint16((Predictor - 2048) * 16);
}

std::vector<qint16> ReferenceAdpcm::decode(const QByteArray& bytes) {
    std::vector<qint16> out;
    out.reserve(size_t(bytes.size()) * 2);
    for (char b : bytes) {
        out.push_back(decodeCode((uchar(b) >> 4) & 15));
        out.push_back(decodeCode(uchar(b) & 15));
    }
    return out;
}

std::vector<qint16> tone(double frequency, double rate, double amplitude, qsizetype count) {
    std::vector<qint16> out(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        out[size_t(i)] = qint16(std::lround(
            amplitude * std::sin(2.0 * std::numbers::pi * frequency * double(i) / rate)));
    return out;
}

double amplitudeAt(const std::vector<qint16>& samples, double frequency, double rate) {
    std::complex<double> sum;
    const double w = 2.0 * std::numbers::pi * frequency / rate;
    for (size_t i = 0; i < samples.size(); ++i)
        sum += double(samples[i]) * std::polar(1.0, -w * double(i));
    return samples.empty() ? 0.0 : 2.0 * std::abs(sum) / double(samples.size());
}

double rms(const std::vector<qint16>& samples) {
    double sum = 0;
    for (qint16 s : samples)
        sum += double(s) * double(s);
    return samples.empty() ? 0.0 : std::sqrt(sum / double(samples.size()));
}

double peakFrequency(const std::vector<qint16>& samples, double rate, double near) {
    double best = near, bestAmplitude = -1;
    for (double span = near * 0.05; span > near * 1e-5; span /= 10) {
        const double centre = best;
        for (int step = -10; step <= 10; ++step) {
            const double f = centre + span * step / 10;
            const double a = amplitudeAt(samples, f, rate);
            if (a > bestAmplitude) {
                bestAmplitude = a;
                best = f;
            }
        }
    }
    return best;
}

QByteArray encodeAdpcm(const std::vector<qint16>& samples) {
    QByteArray out((qsizetype(samples.size()) + 1) / 2, '\0');
    Adpcm::Encoder encoder;
    encoder.encode(samples.data(), qsizetype(samples.size()), reinterpret_cast<uchar*>(out.data()));
    return out;
}

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray out(size, '\0');
    for (char& c : out)
        c = char(gen.bounded(256));
    return out;
}

QByteArray samplesToBytes(const std::vector<qint16>& samples) {
    QByteArray out(qsizetype(samples.size()) * 2, '\0');
    for (size_t i = 0; i < samples.size(); ++i)
        qToLittleEndian<qint16>(samples[i], out.data() + 2 * i);
    return out;
}

std::vector<qint16> bytesToSamples(const QByteArray& bytes) {
    std::vector<qint16> out(static_cast<size_t>(bytes.size() / 2));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i);
    return out;
}

WavInfo parseWav(const QByteArray& file) {
    if (file.size() < 44)
        throw std::runtime_error("WAVE file shorter than its header");
    const char* p = file.constData();
    WavInfo w;
    w.riff = file.mid(0, 4);
    w.riffSize = qFromLittleEndian<quint32>(p + 4);
    w.wave = file.mid(8, 4);
    w.fmt = file.mid(12, 4);
    w.fmtSize = qFromLittleEndian<quint32>(p + 16);
    w.format = qFromLittleEndian<quint16>(p + 20);
    w.channels = qFromLittleEndian<quint16>(p + 22);
    w.sampleRate = qFromLittleEndian<quint32>(p + 24);
    w.byteRate = qFromLittleEndian<quint32>(p + 28);
    w.blockAlign = qFromLittleEndian<quint16>(p + 32);
    w.bits = qFromLittleEndian<quint16>(p + 34);
    w.data = file.mid(36, 4);
    w.dataSize = qFromLittleEndian<quint32>(p + 40);
    w.samples = file.mid(44);
    return w;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace VoxTest
