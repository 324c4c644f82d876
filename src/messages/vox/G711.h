#pragma once

#include <QtGlobal>
#include <array>

// ITU-T G.711 expansion of one 8-bit A-law or µ-law code to a 16-bit linear sample.
namespace G711 {

using Table = std::array<qint16, 256>;

const Table& alawTable();
const Table& ulawTable();

inline qint16 alawToLinear(uchar code) {
    return alawTable()[code];
}
inline qint16 ulawToLinear(uchar code) {
    return ulawTable()[code];
}

} // namespace G711
