#include "messages/vox/G711.h"

namespace G711 {

namespace {

// Even bits are inverted on the line; the segment (exponent) is bits 4-6, the mantissa bits 0-3,
// and a set top bit means a positive sample.
constexpr qint16 expandAlaw(uchar code) {
    const int a = code ^ 0x55;
    int t = (a & 0x0f) << 4;
    const int segment = (a & 0x70) >> 4;
    if (segment == 0)
        t += 8;
    else
        t = (t + 0x108) << (segment - 1);
    return qint16((a & 0x80) ? t : -t);
}

// All bits are inverted on the line; the magnitude carries a bias of 0x84 that is taken off
// after shifting by the segment.
constexpr qint16 expandUlaw(uchar code) {
    const int u = ~code & 0xff;
    const int bias = 0x84;
    const int t = (((u & 0x0f) << 3) + bias) << ((u & 0x70) >> 4);
    return qint16((u & 0x80) ? (bias - t) : (t - bias));
}

template <qint16 (*Expand)(uchar)> constexpr Table makeTable() {
    Table t{};
    for (int i = 0; i < 256; ++i)
        t[i] = Expand(uchar(i));
    return t;
}

constexpr Table Alaw = makeTable<expandAlaw>();
constexpr Table Ulaw = makeTable<expandUlaw>();

} // namespace

const Table& alawTable() {
    return Alaw;
}

const Table& ulawTable() {
    return Ulaw;
}

} // namespace G711
