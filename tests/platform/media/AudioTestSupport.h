#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <optional>

// A mono 16-bit PCM sine tone as a complete WAV file.
QByteArray ToneWav(int sampleRate, double seconds, double frequency, double amplitude);

// Records the monitor of the PulseAudio null sink that the test script starts (its name in
// NIRVO_TEST_SINK), so a test can tell whether something was really played.
class SinkRecorder {
public:
    // Empty when recording can be done here; otherwise why not.
    static QString unavailableReason();

    bool start(const QString& wavPath);
    bool stop();
    // "Maximum amplitude" of sox's stat for the file (0 to 1), nothing when sox cannot read it.
    static std::optional<double> maximumAmplitude(const QString& wavPath);

private:
    QProcess Recorder;
};
