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

// Two tables per (step index, input byte), kept apart so that the one on the serial path from
// byte to byte is small: NextRow holds the step index after both nibbles, already multiplied by
// 256 (the start of its row), and Deltas the two predictor deltas as 16-bit halves.
struct ByteTables {
    std::array<quint16, StepCount * 256> NextRow{};
    std::array<quint32, StepCount * 256> Deltas{};
};

constexpr ByteTables makeByteTables() {
    ByteTables t;
    for (int index = 0; index < StepCount; ++index) {
        for (int byte = 0; byte < 256; ++byte) {
            const int hi = byte >> 4;
            const int lo = byte & 15;
            const int mid = indexAfter(index, hi);
            const int at = index * 256 + byte;
            t.NextRow[at] = quint16(indexAfter(mid, lo) * 256);
            t.Deltas[at] =
                quint32(quint16(deltaOf(index, hi))) | (quint32(quint16(deltaOf(mid, lo))) << 16);
        }
    }
    return t;
}

// Built once at start-up (too much work for some compilers' constant evaluation); never changed.
const ByteTables Tables = makeByteTables();

// predictor + delta, clamped to 0..PredictorMax. This add-and-clamp is the decoder's serial
// path, so on x86-64 it is written out to take three dependent steps without any branch: the
// sum's sign selects 0 while a second copy of the sum is compared with the top in parallel.
inline int addClamped(int predictor, int delta) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    int sum;
    asm("leal (%q[p],%q[d]), %[sum]\n\t"
        "addl %[d], %[p]\n\t"
        "cmovsl %[zero], %[p]\n\t"
        "cmpl %[top], %[sum]\n\t"
        "cmovgl %[top], %[p]"
        : [p] "+&r"(predictor), [sum] "=&r"(sum)
        : [d] "r"(delta), [zero] "r"(0), [top] "r"(PredictorMax)
        : "cc");
    return predictor;
#else
    return std::min(std::max(predictor + delta, 0), PredictorMax);
#endif
}

inline int clampPredictor(int p) {
    return std::min(std::max(p, 0), PredictorMax);
}

inline qint16 toSample(int predictor) {
    return qint16((predictor - PredictorSilence) * 16);
}

template <typename Store>
inline void decodeWith(State& state, const uchar* in, qsizetype bytes, Store store) {
    int predictor = state.predictor;
    size_t row = size_t(state.index) * 256;
    for (qsizetype i = 0; i < bytes; ++i) {
        const size_t at = row + in[i];
        const quint32 deltas = Tables.Deltas[at];
        row = Tables.NextRow[at];
        predictor = addClamped(predictor, qint16(deltas & 0xffff));
        const qint16 first = toSample(predictor);
        predictor = addClamped(predictor, qint16(deltas >> 16));
        store(i, first, toSample(predictor));
    }
    state.predictor = predictor;
    state.index = int(row / 256);
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
