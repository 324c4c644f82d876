#include "messages/vox/WavHeader.h"

#include <QtEndian>
#include <cstring>

namespace WavHeader {

std::array<uchar, Size> make(quint32 sampleRate, bool sixteenBit, quint32 dataBytes) {
    std::array<uchar, Size> h{};
    uchar* p = h.data();
    const quint16 bytesPerSample = sixteenBit ? 2 : 1;
    std::memcpy(p + 0, "RIFF", 4);
    qToLittleEndian<quint32>(dataBytes + 36, p + 4);
    std::memcpy(p + 8, "WAVE", 4);
    std::memcpy(p + 12, "fmt ", 4);
    qToLittleEndian<quint32>(16, p + 16);
    qToLittleEndian<quint16>(1, p + 20); // PCM
    qToLittleEndian<quint16>(1, p + 22); // mono
    qToLittleEndian<quint32>(sampleRate, p + 24);
    qToLittleEndian<quint32>(sampleRate * bytesPerSample, p + 28);
    qToLittleEndian<quint16>(bytesPerSample, p + 32);
    qToLittleEndian<quint16>(quint16(bytesPerSample * 8), p + 34);
    std::memcpy(p + 36, "data", 4);
    qToLittleEndian<quint32>(dataBytes, p + 40);
    return h;
}

} // namespace WavHeader
