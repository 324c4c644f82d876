#include "messages/vox/VoxBlockConverter.h"

#include "messages/vox/G711.h"

#include <QtEndian>
#include <algorithm>

std::optional<QString> VoxBlockConverter::checkSettings(const VoxSettings& s) {
    if (s.VoxType > VT_MULAW)
        return QStringLiteral("Unknown input encoding %1").arg(int(s.VoxType));
    if (s.sourceRate < 1 || s.sourceRate > MaxRate || s.targetRate < 1 || s.targetRate > MaxRate)
        return QStringLiteral("Sample rates must lie between 1 and %1").arg(MaxRate);
    const qsizetype blockSamples = BlockBytes * samplesPerByte(s.VoxType);
    if (RateConverter::outputCount(blockSamples, s.sourceRate, s.targetRate) >
        MaxBlockOutputSamples)
        return QStringLiteral("Rate ratio %1:%2 is too large").arg(s.targetRate).arg(s.sourceRate);
    return std::nullopt;
}

VoxBlockConverter::VoxBlockConverter(const VoxSettings& settings) : Settings(settings) {
    const qsizetype blockSamples = BlockBytes * samplesPerByte(settings.VoxType);
    qsizetype outSamples = blockSamples;
    if (settings.sourceRate != settings.targetRate) {
        Resampler.emplace(settings.sourceRate, settings.targetRate, settings.downsamplefilter,
                          blockSamples);
        outSamples = Resampler->outputCount(blockSamples);
        Resampled.resize(size_t(std::max<qsizetype>(outSamples, 1)));
    }
    Samples.resize(size_t(blockSamples));
    MaxOutputBytes = outSamples * (settings.waveout16bit ? 2 : 1);
}

qsizetype VoxBlockConverter::convertBlock(const uchar* in, qsizetype n, uchar* out) {
    n = std::clamp<qsizetype>(n, 0, BlockBytes);
    // The common case (ADPCM to 16-bit at the same rate) goes straight from bytes to bytes.
    if (Settings.VoxType == VT_ADPCM && Settings.waveout16bit && !Resampler) {
        Adpcm::decode(Decoder, in, n, out);
        return 4 * n;
    }
    qint16* samples = Samples.data();
    decode(in, n, samples);
    qsizetype count = n * samplesPerByte(Settings.VoxType);
    if (Resampler) {
        count = Resampler->process(samples, count, Resampled.data());
        samples = Resampled.data();
    }
    return writeSamples(samples, count, out);
}

void VoxBlockConverter::decode(const uchar* in, qsizetype n, qint16* samples) {
    switch (Settings.VoxType) {
    case VT_ADPCM:
        Adpcm::decode(Decoder, in, n, samples);
        break;
    case VT_PCM:
        for (qsizetype i = 0; i < n; ++i)
            samples[i] = qint16((int(in[i]) - 128) * 256);
        break;
    case VT_ALAW:
        std::transform(in, in + n, samples, G711::alawToLinear);
        break;
    case VT_MULAW:
        std::transform(in, in + n, samples, G711::ulawToLinear);
        break;
    }
}

qsizetype VoxBlockConverter::writeSamples(const qint16* samples, qsizetype count,
                                          uchar* out) const {
    if (Settings.waveout16bit) {
        for (qsizetype i = 0; i < count; ++i)
            qToLittleEndian<qint16>(samples[i], out + 2 * i);
        return 2 * count;
    }
    for (qsizetype i = 0; i < count; ++i)
        out[i] = uchar((int(samples[i]) + 32768) >> 8);
    return count;
}
