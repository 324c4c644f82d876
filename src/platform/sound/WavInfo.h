#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// What the players need to know of a RIFF WAVE file before handing it over: that it is PCM
// they can play, and how long it lasts.
struct WavInfo {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;

    qint64 durationMs() const;
};

// Parses the chunks up to the start of "data". `fileSize` (when known) bounds a data size that
// claims more than the file holds, as streaming writers leave it.
std::optional<WavInfo> ParseWavHeader(QByteArrayView bytes, qint64 fileSize = -1);

// Reads the head of a file and parses it; nothing for a missing, unreadable or non-PCM file.
std::optional<WavInfo> ReadWavInfo(const QString& path);
