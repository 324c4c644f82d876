#include "messages/vox/AdpcmCodec.h"

#include <QtEndian>
#include <algorithm>

namespace Adpcm {

namespace {

constexpr int deltaOf(int index, int c) {
    const int step = StepTable[index];
    int d = step / 8;
    if (c & 4)
        d += step;
    if (c & 2)
        d += step / 2;
    if (c & 1)
        d += step / 4;
    return (c & 8) ? -d : d;
}

constexpr int indexAfter(int index, int c) {
    return std::clamp(index + IndexAdjust[c & 7], 0, StepCount - 1);
}

// One entry per (step index, input byte): bits 0-5 the index after both nibbles, bits 6-18 and
// 19-31 the deltas of the high and the low nibble, each offset by DeltaBias to stay unsigned.
constexpr int DeltaBias = 4096;

constexpr std::array<quint32, StepCount * 256> makeByteTable() {
    std::array<quint32, StepCount * 256> t{};
    for (int index = 0; index < StepCount; ++index) {
        for (int byte = 0; byte < 256; ++byte) {
            const int hi = byte >> 4;
            const int lo = byte & 15;
            const int mid = indexAfter(index, hi);
            const quint32 d1 = quint32(deltaOf(index, hi) + DeltaBias);
            const quint32 d2 = quint32(deltaOf(mid, lo) + DeltaBias);
            t[index * 256 + byte] = quint32(indexAfter(mid, lo)) | (d1 << 6) | (d2 << 19);
        }
    }
    return t;
}

constexpr std::array<quint32, StepCount* 256> ByteTable = makeByteTable();

inline int clampPredictor(int p) {
    return std::min(std::max(p, 0), PredictorMax);
}

inline qint16 toSample(int predictor) {
    return qint16((predictor - PredictorSilence) * 16);
}

template <typename Store>
inline void decodeWith(State& state, const uchar* in, qsizetype bytes, Store store) {
    int predictor = state.predictor;
    quint32 index = quint32(state.index);
    for (qsizetype i = 0; i < bytes; ++i) {
        const quint32 e = ByteTable[index * 256 + in[i]];
        predictor = clampPredictor(predictor + int((e >> 6) & 0x1fff) - DeltaBias);
        const qint16 first = toSample(predictor);
        predictor = clampPredictor(predictor + int(e >> 19) - DeltaBias);
        store(i, first, toSample(predictor));
        index = e & 63;
    }
    state.predictor = predictor;
    state.index = int(index);
}

} // namespace

int codeDelta(int index, int c) {
    return deltaOf(index, c & 15);
}

int nextIndex(int index, int c) {
    return indexAfter(index, c);
}

void decode(State& state, const uchar* in, qsizetype bytes, uchar* out) {
    decodeWith(state, in, bytes, [out](qsizetype i, qint16 a, qint16 b) {
        const quint32 pair = quint32(quint16(a)) | (quint32(quint16(b)) << 16);
        qToLittleEndian<quint32>(pair, out + 4 * i);
    });
}

void decode(State& state, const uchar* in, qsizetype bytes, qint16* out) {
    decodeWith(state, in, bytes, [out](qsizetype i, qint16 a, qint16 b) {
        out[2 * i] = a;
        out[2 * i + 1] = b;
    });
}

uchar Encoder::encodeSample(qint16 sample) {
    const int target = std::clamp(((int(sample) + 8) >> 4) + PredictorSilence, 0, PredictorMax);
    int diff = target - S.predictor;
    const int step = StepTable[S.index];
    int c = 0;
    if (diff < 0) {
        c = 8;
        diff = -diff;
    }
    if (diff >= step) {
        c |= 4;
        diff -= step;
    }
    if (diff >= step / 2) {
        c |= 2;
        diff -= step / 2;
    }
    if (diff >= step / 4)
        c |= 1;
    S.predictor = clampPredictor(S.predictor + deltaOf(S.index, c));
    S.index = indexAfter(S.index, c);
    return uchar(c);
}

void Encoder::encode(const qint16* samples, qsizetype count, uchar* out) {
    for (qsizetype i = 0; i < count; i += 2) {
        const uchar hi = encodeSample(samples[i]);
        const uchar lo = i + 1 < count ? encodeSample(samples[i + 1]) : uchar(0);
        out[i / 2] = uchar((hi << 4) | lo);
    }
}

} // namespace Adpcm
