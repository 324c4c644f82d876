#include "platform/sound/WavInfo.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr int PcmTag = 1;
constexpr int ExtensibleTag = 0xFFFE;
// Chunks before "data" (LIST, fact, ...) are small; a head larger than this is not worth reading.
constexpr qint64 MaxHeadBytes = 64 * 1024;

quint32 le32(QByteArrayView b, qint64 at) {
    return qFromLittleEndian<quint32>(b.data() + at);
}
quint16 le16(QByteArrayView b, qint64 at) {
    return qFromLittleEndian<quint16>(b.data() + at);
}

} // namespace

qint64 WavInfo::durationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * ((bitsPerSample + 7) / 8);
    return bytesPerSecond > 0 ? dataBytes * 1000 / bytesPerSecond : 0;
}

std::optional<WavInfo> ParseWavHeader(QByteArrayView bytes, qint64 fileSize) {
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return std::nullopt;
    WavInfo info;
    bool haveFormat = false;
    qint64 at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 size = le32(bytes, at + 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size())
                return std::nullopt;
            info.formatTag = le16(bytes, body);
            info.channels = le16(bytes, body + 2);
            info.sampleRate = int(le32(bytes, body + 4));
            info.bitsPerSample = le16(bytes, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            info.dataOffset = body;
            info.dataBytes = size;
            if (fileSize >= 0)
                info.dataBytes = std::min(info.dataBytes, std::max<qint64>(0, fileSize - body));
            const bool playable = (info.formatTag == PcmTag || info.formatTag == ExtensibleTag) &&
                                  info.channels >= 1 && info.channels <= 8 &&
                                  info.sampleRate >= 1000 && info.sampleRate <= 384000 &&
                                  (info.bitsPerSample == 8 || info.bitsPerSample == 16 ||
                                   info.bitsPerSample == 24 || info.bitsPerSample == 32);
            if (!playable)
                return std::nullopt;
            return info;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<WavInfo> ReadWavInfo(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseWavHeader(file.read(MaxHeadBytes), file.size());
}
