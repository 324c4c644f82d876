#pragma once

#include <QtGlobal>
#include <complex>
#include <vector>

// Changes the sample rate of one block at a time: n samples become round(n × target ÷ source)
// samples by linear interpolation. When the rate goes down and low-pass filtering is on, the block
// is first cut to the new band in the frequency domain (zero-padded radix-2 FFT, bins above the
// new Nyquist cleared, inverse FFT). Blocks are independent; buffers are sized once, up front.
class RateConverter {
public:
    // maxInput is the largest block that process() will be given; a block may yield at most
    // MaxOutput samples.
    static constexpr qsizetype MaxOutput = 65536;
    RateConverter(int sourceRate, int targetRate, bool lowPass, qsizetype maxInput);

    // Output samples for a block of n input samples.
    static qsizetype outputCount(qsizetype n, int sourceRate, int targetRate);
    qsizetype outputCount(qsizetype n) const { return outputCount(n, SourceRate, TargetRate); }

    // Converts block[0..n) into outputCount(n) samples at `out`, which must not overlap `block`.
    // `block` is used as scratch (it is filtered in place). Returns the number of output samples.
    qsizetype process(qint16* block, qsizetype n, qint16* out);

private:
    void lowPass(qint16* block, qsizetype n, qsizetype m);
    void fft(std::complex<double>* a, qsizetype size, bool inverse) const;

    int SourceRate;
    int TargetRate;
    bool LowPass;
    qsizetype MaxFftSize = 1;
    std::vector<std::complex<double>> Work;
    std::vector<std::complex<double>> Twiddle; // exp(-2πi k / MaxFftSize), k < MaxFftSize / 2
};
