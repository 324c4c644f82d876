#include "AudioTestSupport.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <csignal>

namespace {
void put16(QByteArray& b, quint16 v) {
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}
void put32(QByteArray& b, quint32 v) {
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}
} // namespace

QByteArray ToneWav(int sampleRate, double seconds, double frequency, double amplitude) {
    const int samples = int(sampleRate * seconds);
    QByteArray wav("RIFF");
    put32(wav, quint32(36 + samples * 2));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, quint32(sampleRate));
    put32(wav, quint32(sampleRate * 2));
    put16(wav, 2);
    put16(wav, 16);
    wav.append("data");
    put32(wav, quint32(samples * 2));
    for (int i = 0; i < samples; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * frequency * i / sampleRate);
        put16(wav, quint16(qint16(std::lround(v * 32767))));
    }
    return wav;
}

QString SinkRecorder::unavailableReason() {
    if (qEnvironmentVariableIsEmpty("NIRVO_TEST_SINK"))
        return QStringLiteral("NIRVO_TEST_SINK is not set: no PulseAudio null sink to record "
                              "(scripts/test starts one)");
    for (const char* tool : {"parecord", "pactl", "sox"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    if (!info.waitForFinished(5000) || info.exitStatus() != QProcess::NormalExit ||
        info.exitCode() != 0)
        return QStringLiteral("no PulseAudio server is reachable");
    if (QMediaDevices::defaultAudioOutput().isNull())
        return QStringLiteral("Qt Multimedia sees no audio output");
    return {};
}

bool SinkRecorder::start(const QString& wavPath) {
    const QString sink = qEnvironmentVariable("NIRVO_TEST_SINK");
    Recorder.start(QStringLiteral("parecord"),
                   {QStringLiteral("--device=") + sink + QStringLiteral(".monitor"),
                    QStringLiteral("--channels=1"), QStringLiteral("--rate=48000"),
                    QStringLiteral("--format=s16le"), QStringLiteral("--file-format=wav"),
                    wavPath});
    return Recorder.waitForStarted(5000);
}

bool SinkRecorder::stop() {
    if (Recorder.state() == QProcess::NotRunning)
        return false;
    // parecord finishes the file's header on SIGINT.
    ::kill(pid_t(Recorder.processId()), SIGINT);
    return Recorder.waitForFinished(5000);
}

std::optional<double> SinkRecorder::maximumAmplitude(const QString& wavPath) {
    QProcess sox;
    sox.start(QStringLiteral("sox"), {wavPath, QStringLiteral("-n"), QStringLiteral("stat")});
    if (!sox.waitForFinished(10000))
        return std::nullopt;
    const QString report = QString::fromLocal8Bit(sox.readAllStandardError());
    const auto match =
        QRegularExpression(QStringLiteral(R"(Maximum amplitude:\s*(-?[0-9.]+))")).match(report);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble();
}
