#include "messages/vox/RateConverter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

qsizetype nextPowerOfTwo(qsizetype n) {
    qsizetype p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

// Rounds num / den to the nearest integer, halves away from zero (den > 0).
qint64 roundedDivide(qint64 num, qint64 den) {
    return num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
}

} // namespace

RateConverter::RateConverter(int sourceRate, int targetRate, bool lowPass, qsizetype maxInput)
    : SourceRate(sourceRate), TargetRate(targetRate), LowPass(lowPass) {
    if (LowPass && targetRate < sourceRate) {
        MaxFftSize = nextPowerOfTwo(std::max<qsizetype>(maxInput, 1));
        Work.resize(size_t(MaxFftSize));
        Twiddle.resize(size_t(std::max<qsizetype>(MaxFftSize / 2, 1)));
        for (qsizetype k = 0; k < MaxFftSize / 2; ++k)
            Twiddle[size_t(k)] =
                std::polar(1.0, -2.0 * std::numbers::pi * double(k) / double(MaxFftSize));
    }
}

qsizetype RateConverter::outputCount(qsizetype n, int sourceRate, int targetRate) {
    return qsizetype(roundedDivide(qint64(n) * targetRate, sourceRate));
}

qsizetype RateConverter::process(qint16* block, qsizetype n, qint16* out) {
    const qsizetype m = outputCount(n);
    if (m <= 0 || n <= 0)
        return 0;
    if (LowPass && m < n && n <= MaxFftSize)
        lowPass(block, n, m);
    // Output i lies at input position i·n/m = k + r/m; k and r advance by whole steps without
    // dividing. The value is interpolated on samples offset to 0..65535, so the weighted sum is
    // an exact integer below 2^32; dividing it in double precision keeps exact halves exact, and
    // any other quotient is at least 1/(2m) away from a half, so +0.5 and truncation round to
    // nearest with halves upwards, exactly as integer arithmetic would.
    const quint32 mm = quint32(m);
    const double dm = double(m);
    const qsizetype kStep = n / m;
    const quint32 rStep = quint32(n % m);
    quint32 r = 0;
    qsizetype k = 0;
    for (qsizetype i = 0; i < m; ++i) {
        const quint32 a = quint32(block[k] + 32768);
        const quint32 b = quint32(block[std::min(k + 1, n - 1)] + 32768);
        const double sum = double(a * (mm - r) + b * r);
        out[i] = qint16(int(quint32(sum / dm + 0.5)) - 32768);
        r += rStep;
        k += kStep;
        const bool carry = r >= mm;
        r -= carry ? mm : 0;
        k += carry ? 1 : 0;
    }
    return m;
}

void RateConverter::lowPass(qint16* block, qsizetype n, qsizetype m) {
    const qsizetype size = nextPowerOfTwo(n);
    std::complex<double>* a = Work.data();
    for (qsizetype i = 0; i < size; ++i)
        a[i] = i < n ? std::complex<double>(block[i], 0.0) : std::complex<double>();
    fft(a, size, false);
    // The new Nyquist frequency m/2 (in input-block bins) lies at bin size·m / (2n) once the block
    // is padded to `size`; keep that bin and everything below it on both sides of the spectrum.
    const qsizetype keep = qsizetype(qint64(size) * m / (2 * qint64(n)));
    for (qsizetype bin = keep + 1; bin < size - keep; ++bin)
        a[bin] = {};
    fft(a, size, true);
    for (qsizetype i = 0; i < n; ++i)
        block[i] = qint16(std::clamp<long>(std::lround(a[i].real()), -32768, 32767));
}

void RateConverter::fft(std::complex<double>* a, qsizetype size, bool inverse) const {
    for (qsizetype i = 1, j = 0; i < size; ++i) {
        qsizetype bit = size >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (qsizetype len = 2; len <= size; len <<= 1) {
        const qsizetype stride = MaxFftSize / len;
        for (qsizetype start = 0; start < size; start += len) {
            for (qsizetype j = 0; j < len / 2; ++j) {
                std::complex<double> w = Twiddle[size_t(j * stride)];
                if (inverse)
                    w = std::conj(w);
                const std::complex<double> u = a[start + j];
                const std::complex<double> v = a[start + j + len / 2] * w;
                a[start + j] = u + v;
                a[start + j + len / 2] = u - v;
            }
        }
    }
    // Scaling both ways by 1/√N keeps the pair an identity and each transform unitary.
    const double scale = 1.0 / std::sqrt(double(size));
    for (qsizetype i = 0; i < size; ++i)
        a[i] *= scale;
}
