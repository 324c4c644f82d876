#include "messages/vox/TVoxConv.h"

#include "messages/vox/VoxBlockConverter.h"
#include "messages/vox/WavHeader.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <vector>

namespace {

// Input is read in chunks of whole blocks and output gathered into one buffer before each write,
// so the file system sees few large requests while memory stays fixed.
constexpr qsizetype ChunkBytes = 64 * VoxBlockConverter::BlockBytes;
constexpr qsizetype OutputBufferBytes = 256 * 1024;

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Fills `buffer` unless the file ends first; a short count means the end was reached.
qsizetype readFully(QFile& file, uchar* buffer, qsizetype size) {
    qsizetype total = 0;
    while (total < size) {
        const qint64 got = file.read(reinterpret_cast<char*>(buffer) + total, size - total);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += qsizetype(got);
    }
    return total;
}

} // namespace

bool TVoxConv::Convert(const QString& voxFile, const QString& wavFile, int sourceRate,
                       int targetRate, QString* error) const {
    const VoxSettings settings{VoxType, waveout16bit, downsamplefilter, sourceRate, targetRate};
    if (const auto why = VoxBlockConverter::checkSettings(settings))
        return fail(error, *why);

    QFile in(voxFile);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error,
                    QStringLiteral("Cannot open %1: %2").arg(shown(voxFile), in.errorString()));
    QSaveFile out(wavFile);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error,
                    QStringLiteral("Cannot create %1: %2").arg(shown(wavFile), out.errorString()));
    const auto writeFailed = [&] {
        return fail(error,
                    QStringLiteral("Cannot write %1: %2").arg(shown(wavFile), out.errorString()));
    };

    const quint32 rate = quint32(targetRate);
    const auto placeholder = WavHeader::make(rate, waveout16bit, 0);
    if (out.write(reinterpret_cast<const char*>(placeholder.data()), WavHeader::Size) !=
        WavHeader::Size)
        return writeFailed();

    VoxBlockConverter converter(settings);
    std::vector<uchar> input(static_cast<size_t>(ChunkBytes));
    std::vector<uchar> output(size_t(std::max(OutputBufferBytes, converter.maxOutputBytes())));
    qsizetype filled = 0;
    quint64 dataBytes = 0;
    const auto flush = [&] {
        dataBytes += quint64(filled);
        if (dataBytes > WavHeader::MaxDataBytes)
            return fail(error,
                        QStringLiteral("%1 is too long for a WAVE file").arg(shown(voxFile)));
        if (out.write(reinterpret_cast<const char*>(output.data()), filled) != filled)
            return writeFailed();
        filled = 0;
        return true;
    };

    for (bool end = false; !end;) {
        const qsizetype got = readFully(in, input.data(), ChunkBytes);
        if (got < 0)
            return fail(error,
                        QStringLiteral("Cannot read %1: %2").arg(shown(voxFile), in.errorString()));
        end = got < ChunkBytes;
        for (qsizetype at = 0; at < got; at += VoxBlockConverter::BlockBytes) {
            if (qsizetype(output.size()) - filled < converter.maxOutputBytes() && !flush())
                return false;
            const qsizetype n = std::min(VoxBlockConverter::BlockBytes, got - at);
            filled += converter.convertBlock(input.data() + at, n, output.data() + filled);
        }
    }
    if (!flush())
        return false;

    const auto header = WavHeader::make(rate, waveout16bit, quint32(dataBytes));
    if (!out.seek(0) ||
        out.write(reinterpret_cast<const char*>(header.data()), WavHeader::Size) != WavHeader::Size)
        return writeFailed();
    if (!out.commit())
        return writeFailed();
    return true;
}
