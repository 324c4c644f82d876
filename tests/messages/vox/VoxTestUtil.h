#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace VoxTest {

// The ADPCM algorithm written out code by code, with no tables shared with the program: the
// yardstick the table-driven decoder must match bit for bit.
class ReferenceAdpcm {
public:
    ReferenceAdpcm() = default;
    ReferenceAdpcm(int predictor, int index) : Predictor(predictor), Index(index) {}
    qint16 decodeCode(int code);
    std::vector<qint16> decode(const QByteArray& bytes);
    int predictor() const { return Predictor; }
    int index() const { return Index; }

private:
    int Predictor = 2048;
    int Index = 0;
};

std::vector<qint16> tone(double frequency, double rate, double amplitude, qsizetype count);

// Amplitude of the component at `frequency` (a single-bin DFT over the whole signal).
double amplitudeAt(const std::vector<qint16>& samples, double frequency, double rate);
double rms(const std::vector<qint16>& samples);
// Frequency of the strongest component within ±5 % of `near`, to about 0.01 %.
double peakFrequency(const std::vector<qint16>& samples, double rate, double near);

// OKI ADPCM bytes for the samples, from the program's matched encoder.
QByteArray encodeAdpcm(const std::vector<qint16>& samples);

QByteArray randomBytes(qsizetype size, quint32 seed);

// Little-endian 16-bit samples.
QByteArray samplesToBytes(const std::vector<qint16>& samples);
std::vector<qint16> bytesToSamples(const QByteArray& bytes);

struct WavInfo {
    QByteArray riff, wave, fmt, data;
    quint32 riffSize = 0, fmtSize = 0, sampleRate = 0, byteRate = 0, dataSize = 0;
    quint16 format = 0, channels = 0, blockAlign = 0, bits = 0;
    QByteArray samples; // everything after the 44-byte header
};
WavInfo parseWav(const QByteArray& file);

void writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);

} // namespace VoxTest
