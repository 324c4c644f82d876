#pragma once

#include <QtGlobal>
#include <array>

// The 44-byte header of a mono PCM RIFF WAVE file, all numbers little-endian.
namespace WavHeader {

constexpr int Size = 44;

// The largest data byte count whose RIFF size (count + 36) still fits the 32-bit field.
constexpr quint32 MaxDataBytes = 0xffffffffu - 36;

std::array<uchar, Size> make(quint32 sampleRate, bool sixteenBit, quint32 dataBytes);

} // namespace WavHeader
