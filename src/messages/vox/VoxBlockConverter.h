#pragma once

#include "messages/vox/AdpcmCodec.h"
#include "messages/vox/RateConverter.h"
#include "messages/vox/VoxTypes.h"

#include <QString>
#include <optional>
#include <vector>

// How a raw VOX stream is turned into WAVE samples.
struct VoxSettings {
    playmodes VoxType = VT_ADPCM;
    bool waveout16bit = true;     // false: 8-bit unsigned samples
    bool downsamplefilter = true; // low-pass a block before lowering its rate
    int sourceRate = 6000;
    int targetRate = 6000;
};

// The converter's core without any file: takes the input in blocks of at most BlockBytes bytes
// and writes each block's WAVE sample bytes. Decoder state carries from block to block; rate
// conversion works on each block alone, so the block size is part of the output's definition.
class VoxBlockConverter {
public:
    static constexpr qsizetype BlockBytes = 1024;
    // Buffers are sized for this many output samples per block, which bounds the rate ratio.
    static constexpr qsizetype MaxBlockOutputSamples = RateConverter::MaxOutput;
    static constexpr int MaxRate = 1000000;

    // Why these settings cannot be used, or nothing when they can.
    static std::optional<QString> checkSettings(const VoxSettings& settings);

    // The settings must have passed checkSettings().
    explicit VoxBlockConverter(const VoxSettings& settings);

    // Converts the next block (n ≤ BlockBytes) into WAVE sample bytes at `out`, which must hold
    // maxOutputBytes(). Returns the number of bytes written.
    qsizetype convertBlock(const uchar* in, qsizetype n, uchar* out);

    qsizetype maxOutputBytes() const { return MaxOutputBytes; }
    static qsizetype samplesPerByte(playmodes type) { return type == VT_ADPCM ? 2 : 1; }

private:
    void decode(const uchar* in, qsizetype n, qint16* samples);
    qsizetype writeSamples(const qint16* samples, qsizetype count, uchar* out) const;

    VoxSettings Settings;
    Adpcm::State Decoder;
    std::optional<RateConverter> Resampler;
    qsizetype MaxOutputBytes = 0;
    std::vector<qint16> Samples;
    std::vector<qint16> Resampled;
};
