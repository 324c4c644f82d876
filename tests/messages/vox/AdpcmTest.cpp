#include "VoxTestUtil.h"
#include "messages/vox/AdpcmCodec.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using VoxTest::ReferenceAdpcm;

namespace {

std::vector<qint16> decodeFast(Adpcm::State& state, const QByteArray& bytes) {
    std::vector<qint16> out(size_t(bytes.size()) * 2);
    Adpcm::decode(state, reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(),
                  out.data());
    return out;
}

} // namespace

TEST(Adpcm, KnownBytesFromTheStartState) {
    struct Case {
        uchar byte;
        qint16 first, second;
    };
    for (const Case c : {Case{0x08, 32, 0}, Case{0x77, 480, 1488}}) {
        Adpcm::State state;
        const auto out = decodeFast(state, QByteArray(1, char(c.byte)));
        EXPECT_EQ(out[0], c.first) << int(c.byte);
        EXPECT_EQ(out[1], c.second) << int(c.byte);
    }
}

TEST(Adpcm, LongRunsClampPredictorAndIndexWithoutOverflow) {
    struct Case {
        char byte;
        qint16 lastSample;
        int predictor;
    };
    for (const Case c : {Case{0x77, 32752, 4095}, Case{char(0xff), -32768, 0}}) {
        Adpcm::State state;
        const auto out = decodeFast(state, QByteArray(5000, c.byte));
        EXPECT_EQ(out.back(), c.lastSample);
        EXPECT_EQ(state.predictor, c.predictor);
        EXPECT_EQ(state.index, 48);
        // Monotonic approach: a wrap-around would show as a jump the other way.
        for (size_t i = 1; i < out.size(); ++i)
            ASSERT_EQ(c.lastSample > 0 ? out[i] >= out[i - 1] : out[i] <= out[i - 1], true) << i;
    }
}

TEST(Adpcm, TableDecoderMatchesReferenceForEveryIndexAndByte) {
    const int predictors[] = {0, 1, 5, 1000, 2047, 2048, 3500, 4090, 4094, 4095};
    for (int index = 0; index < Adpcm::StepCount; ++index) {
        for (int predictor : predictors) {
            for (int byte = 0; byte < 256; ++byte) {
                ReferenceAdpcm ref(predictor, index);
                const qint16 a = ref.decodeCode(byte >> 4);
                const qint16 b = ref.decodeCode(byte & 15);
                Adpcm::State state{predictor, index};
                const uchar in = uchar(byte);
                qint16 out[2];
                Adpcm::decode(state, &in, 1, out);
                ASSERT_EQ(out[0], a) << index << ' ' << predictor << ' ' << byte;
                ASSERT_EQ(out[1], b) << index << ' ' << predictor << ' ' << byte;
                ASSERT_EQ(state.predictor, ref.predictor());
                ASSERT_EQ(state.index, ref.index());
            }
        }
    }
}

TEST(Adpcm, FastDecoderIsBitExactOverRandomInputInUnevenPieces) {
    for (quint32 seed : {1u, 2u, 3u, 77u}) {
        const QByteArray input = VoxTest::randomBytes(100000, seed);
        const auto expected = ReferenceAdpcm().decode(input);

        // Host-order samples, fed in random-sized pieces so state must carry across calls.
        QRandomGenerator gen(seed);
        Adpcm::State state;
        std::vector<qint16> host;
        for (qsizetype at = 0; at < input.size();) {
            const qsizetype n = std::min<qsizetype>(gen.bounded(1, 3000), input.size() - at);
            const auto part = decodeFast(state, input.mid(at, n));
            host.insert(host.end(), part.begin(), part.end());
            at += n;
        }
        ASSERT_EQ(host, expected) << seed;

        // Little-endian bytes, the form written to files.
        Adpcm::State byteState;
        QByteArray bytes(input.size() * 4, '\0');
        Adpcm::decode(byteState, reinterpret_cast<const uchar*>(input.constData()), input.size(),
                      reinterpret_cast<uchar*>(bytes.data()));
        ASSERT_EQ(VoxTest::bytesToSamples(bytes), expected) << seed;
    }
}

TEST(Adpcm, MatchedEncoderTracksAToneWithoutDrift) {
    const auto signal = VoxTest::tone(440, 6000, 12000, 60000);
    const auto decoded = ReferenceAdpcm().decode(VoxTest::encodeAdpcm(signal));
    ASSERT_EQ(decoded.size(), signal.size());
    double errorPower = 0, mean = 0;
    for (size_t i = 0; i < signal.size(); ++i) {
        const double e = double(decoded[i]) - double(signal[i]);
        errorPower += e * e;
        mean += e;
    }
    mean /= double(signal.size());
    const double snr =
        10 * std::log10(std::pow(VoxTest::rms(signal), 2) / (errorPower / double(signal.size())));
    EXPECT_GT(snr, 20.0);
    EXPECT_LT(std::abs(mean), 20.0); // a drifting decoder ends thousands off
    // The last second is as close as the first: no slow walk away from the signal.
    const std::vector<qint16> tail(decoded.end() - 6000, decoded.end());
    EXPECT_NEAR(VoxTest::amplitudeAt(tail, 440, 6000), 12000, 600);
}
