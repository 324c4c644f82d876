#include "messages/vox/RateConverter.h"
#include "VoxTestUtil.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Runs the converter over a whole signal in independent blocks, as the file converter does.
std::vector<qint16> convert(const std::vector<qint16>& in, int source, int target, bool filter,
                            qsizetype block = 2048) {
    RateConverter conv(source, target, filter, block);
    std::vector<qint16> scratch(static_cast<size_t>(block));
    std::vector<qint16> out;
    std::vector<qint16> part(size_t(RateConverter::outputCount(block, source, target)) + 1);
    for (size_t at = 0; at < in.size(); at += size_t(block)) {
        const qsizetype n = std::min<qsizetype>(block, qsizetype(in.size() - at));
        std::copy_n(in.begin() + qsizetype(at), n, scratch.begin());
        const qsizetype m = conv.process(scratch.data(), n, part.data());
        EXPECT_EQ(m, RateConverter::outputCount(n, source, target));
        out.insert(out.end(), part.begin(), part.begin() + m);
    }
    return out;
}

} // namespace

TEST(RateConverter, OutputCountIsRoundedRatio) {
    struct Case {
        qsizetype n;
        int source, target;
        qsizetype m;
    };
    const Case cases[] = {{2048, 6000, 8000, 2731},
                          {1024, 8000, 6000, 768},
                          {2048, 6000, 6000, 2048},
                          {2, 6000, 8000, 3},
                          {1, 8000, 6000, 1},
                          {1, 6000, 1000, 0},
                          {3, 2, 1, 2},
                          {0, 6000, 8000, 0},
                          {2048, 6000, 44100, 15053}};
    for (const Case& c : cases)
        EXPECT_EQ(RateConverter::outputCount(c.n, c.source, c.target), c.m)
            << c.n << ' ' << c.source << "->" << c.target;
}

TEST(RateConverter, ToneKeepsFrequencyAndLevel) {
    // Tones well inside both bands, where linear interpolation loses little level. The frequency
    // may move by the rounding of each block's output length (well under 0.1 %).
    struct Case {
        int source, target;
        double frequency;
        bool filter;
    };
    const Case cases[] = {{6000, 8000, 440, true},  {6000, 11025, 500, true},
                          {8000, 6000, 500, true},  {8000, 6000, 500, false},
                          {11025, 6000, 400, true}, {6000, 44100, 300, true},
                          {48000, 8000, 600, true}, {8000, 7999, 300, true}};
    const double amplitude = 10000;
    for (const Case& c : cases) {
        const auto in = VoxTest::tone(c.frequency, c.source, amplitude, 3 * c.source);
        const auto out = convert(in, c.source, c.target, c.filter);
        SCOPED_TRACE(::testing::Message()
                     << c.source << "->" << c.target << (c.filter ? " filtered" : ""));
        EXPECT_NEAR(double(out.size()), 3.0 * c.target, 3.0 * c.target * 0.001);
        EXPECT_NEAR(VoxTest::peakFrequency(out, c.target, c.frequency), c.frequency,
                    c.frequency * 0.002);
        EXPECT_NEAR(VoxTest::rms(out), VoxTest::rms(in), VoxTest::rms(in) * 0.05);
    }
}

TEST(RateConverter, LowPassRemovesWhatTheNewRateCannotCarry) {
    // 3100 Hz does not fit under the 2000 Hz Nyquist of 4000 samples per second: filtered it is
    // gone, unfiltered it folds down to 900 Hz at full level.
    const double amplitude = 10000;
    const auto in = VoxTest::tone(3100, 8000, amplitude, 24000);
    const auto filtered = convert(in, 8000, 4000, true, 1024);
    const auto plain = convert(in, 8000, 4000, false, 1024);
    ASSERT_EQ(filtered.size(), 12000u);
    EXPECT_LT(VoxTest::rms(filtered), amplitude * 0.1);
    EXPECT_NEAR(VoxTest::amplitudeAt(plain, 900, 4000), amplitude, amplitude * 0.05);
}

TEST(RateConverter, UpsamplingInterpolatesBetweenNeighbours) {
    // Doubling the rate puts exact midpoints (halves rounded upwards) between samples; the
    // last output repeats the last input, as there is no next sample within the block.
    RateConverter conv(1000, 2000, true, 4);
    qint16 block[4] = {0, 100, -101, 7};
    qint16 out[8];
    ASSERT_EQ(conv.process(block, 4, out), 8);
    const qint16 expected[8] = {0, 50, 100, 0, -101, -47, 7, 7};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(out[i], expected[i]) << i;
}
