#include "AudioTestSupport.h"

#include "platform/sound/WavInfo.h"

#include <gtest/gtest.h>

namespace {

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c(id, 4);
    const quint32 n = quint32(body.size());
    c.append(char(n & 0xff)).append(char((n >> 8) & 0xff)).append(char((n >> 16) & 0xff));
    c.append(char(n >> 24));
    c.append(body);
    if (body.size() & 1)
        c.append('\0');
    return c;
}

QByteArray fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    QByteArray f;
    auto p16 = [&](quint16 v) { f.append(char(v & 0xff)).append(char(v >> 8)); };
    auto p32 = [&](quint32 v) {
        p16(quint16(v & 0xffff));
        p16(quint16(v >> 16));
    };
    p16(tag);
    p16(channels);
    p32(rate);
    p32(rate * channels * bits / 8);
    p16(quint16(channels * bits / 8));
    p16(bits);
    return chunk("fmt ", f);
}

QByteArray riff(const QByteArray& chunks) {
    return chunk("RIFF", "WAVE" + chunks);
}

TEST(WavInfo, CanonicalHeaderOfAToneFile) {
    // 6000 Hz, 16-bit mono, 1 s: the format the converter writes.
    const QByteArray wav = ToneWav(6000, 1.0, 440, 0.5);
    ASSERT_EQ(wav.left(4), QByteArray("RIFF"));
    const auto info = ParseWavHeader(wav, wav.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->formatTag, 1);
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->sampleRate, 6000);
    EXPECT_EQ(info->bitsPerSample, 16);
    EXPECT_EQ(info->dataOffset, 44);
    EXPECT_EQ(info->dataBytes, 12000);
    EXPECT_EQ(info->durationMs(), 1000);
}

TEST(WavInfo, HeadersThatArePlayableOrNot) {
    const QByteArray pcm = fmt(1, 1, 8000, 16);
    const QByteArray data = chunk("data", QByteArray(1600, '\0'));
    struct Case {
        const char* name;
        QByteArray bytes;
        bool playable;
        qint64 durationMs;
    };
    const Case cases[] = {
        {"plain", riff(pcm + data), true, 100},
        {"odd LIST chunk before data", riff(pcm + chunk("LIST", "abc") + data), true, 100},
        {"empty data", riff(pcm + chunk("data", {})), true, 0},
        {"stereo 44.1 kHz", riff(fmt(1, 2, 44100, 16) + chunk("data", QByteArray(17640, 0))), true,
         100},
        {"data before fmt", riff(data + pcm), false, 0},
        {"no data chunk", riff(pcm), false, 0},
        {"ADPCM", riff(fmt(17, 1, 8000, 4) + data), false, 0},
        {"zero channels", riff(fmt(1, 0, 8000, 16) + data), false, 0},
        {"zero rate", riff(fmt(1, 1, 0, 16) + data), false, 0},
        {"not RIFF", "RIFX" + riff(pcm + data).mid(4), false, 0},
        {"short fmt", riff(chunk("fmt ", "\x01\x00") + data), false, 0},
        {"truncated", riff(pcm + data).left(30), false, 0},
        {"nothing", {}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto info = ParseWavHeader(c.bytes, c.bytes.size());
        EXPECT_EQ(info.has_value(), c.playable);
        if (info) {
            EXPECT_EQ(info->durationMs(), c.durationMs);
        }
    }
}

TEST(WavInfo, DataSizeBeyondTheFileIsCutToTheFile) {
    // Streaming writers leave 0xFFFFFFFF; a huge claim must not make a ring last for hours.
    QByteArray wav = ToneWav(8000, 0.5, 440, 0.5);
    wav[40] = wav[41] = wav[42] = wav[43] = char(0xff);
    const auto info = ParseWavHeader(wav, wav.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->dataBytes, 8000);
    EXPECT_EQ(info->durationMs(), 500);
}

} // namespace
