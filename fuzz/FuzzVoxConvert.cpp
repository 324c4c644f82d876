// Feeds arbitrary bytes through the VOX block converter with settings taken from the first bytes:
// any encoding, sample width, filter and rate pair the converter accepts. Checks that every block
// writes exactly the byte count its length and the rates call for, within the promised bound.
#include "messages/vox/RateConverter.h"
#include "messages/vox/VoxBlockConverter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    VoxSettings s;
    s.VoxType = playmodes(data[0] & 3);
    s.waveout16bit = (data[1] & 1) != 0;
    s.downsamplefilter = (data[1] & 2) != 0;
    s.sourceRate = 1 + (data[2] | (data[3] << 8)) % 48000;
    s.targetRate = 1 + (data[4] | (data[5] << 8)) % 48000;
    if (VoxBlockConverter::checkSettings(s))
        return 0;
    VoxBlockConverter conv(s);
    std::vector<uchar> out(size_t(conv.maxOutputBytes()));
    const qsizetype perSample = s.waveout16bit ? 2 : 1;
    for (size_t at = 6; at < size; at += VoxBlockConverter::BlockBytes) {
        const qsizetype n = qsizetype(std::min<size_t>(VoxBlockConverter::BlockBytes, size - at));
        const qsizetype samples = n * VoxBlockConverter::samplesPerByte(s.VoxType);
        const qsizetype expected =
            perSample * (s.sourceRate == s.targetRate
                             ? samples
                             : RateConverter::outputCount(samples, s.sourceRate, s.targetRate));
        const qsizetype written = conv.convertBlock(data + at, n, out.data());
        if (written != expected || written > conv.maxOutputBytes())
            __builtin_trap();
    }
    return 0;
}
