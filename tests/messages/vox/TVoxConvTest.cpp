#include "messages/vox/TVoxConv.h"
#include "VoxTestUtil.h"
#include "messages/vox/RateConverter.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace VoxTest;

namespace {

class VoxConvFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return Dir.filePath(name); }

    // Writes `input` as in.vox, converts it and returns the whole output file.
    QByteArray convert(const QByteArray& input, const TVoxConv& conv = TVoxConv(),
                       int source = 6000, int target = 6000) {
        writeFile(path("in.vox"), input);
        QString error;
        EXPECT_TRUE(conv.Convert(path("in.vox"), path("out.wav"), source, target, &error))
            << error.toStdString();
        return readFile(path("out.wav"));
    }

    QStringList entries() const {
        return QDir(Dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    QTemporaryDir Dir;
};

void expectHeader(const WavInfo& w, quint32 rate, int bits, quint32 dataBytes) {
    EXPECT_EQ(w.riff, "RIFF");
    EXPECT_EQ(w.riffSize, dataBytes + 36);
    EXPECT_EQ(w.wave, "WAVE");
    EXPECT_EQ(w.fmt, "fmt ");
    EXPECT_EQ(w.fmtSize, 16u);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.sampleRate, rate);
    EXPECT_EQ(w.byteRate, rate * quint32(bits / 8));
    EXPECT_EQ(w.blockAlign, bits / 8);
    EXPECT_EQ(w.bits, bits);
    EXPECT_EQ(w.data, "data");
    EXPECT_EQ(w.dataSize, dataBytes);
    EXPECT_EQ(quint32(w.samples.size()), dataBytes);
}

} // namespace

TEST_F(VoxConvFiles, EmptyInputGivesHeaderOnly) {
    const QByteArray out = convert({});
    ASSERT_EQ(out.size(), 44);
    expectHeader(parseWav(out), 6000, 16, 0);
}

TEST_F(VoxConvFiles, DataSizeFollowsInputLengthEncodingAndSampleWidth) {
    struct Case {
        qsizetype inputBytes;
        playmodes type;
        bool sixteen;
        quint32 dataBytes;
    };
    const Case cases[] = {
        {1024, VT_ADPCM, true, 4096},    {1025, VT_ADPCM, true, 4100},
        {1, VT_ADPCM, true, 4},          {1025, VT_ADPCM, false, 2050},
        {1025, VT_PCM, true, 2050},      {1025, VT_PCM, false, 1025},
        {1023, VT_ALAW, true, 2046},     {3, VT_MULAW, false, 3},
        {70001, VT_ADPCM, true, 280004},
    };
    for (const Case& c : cases) {
        TVoxConv conv;
        conv.VoxType = c.type;
        conv.waveout16bit = c.sixteen;
        const QByteArray out = convert(randomBytes(c.inputBytes, 5), conv);
        SCOPED_TRACE(::testing::Message() << c.inputBytes << " bytes, type " << int(c.type)
                                          << (c.sixteen ? " 16-bit" : " 8-bit"));
        expectHeader(parseWav(out), 6000, c.sixteen ? 16 : 8, c.dataBytes);
    }
}

TEST_F(VoxConvFiles, HeaderCarriesTargetRate) {
    TVoxConv conv;
    conv.waveout16bit = false;
    expectHeader(parseWav(convert(QByteArray(10, 0x08), conv, 6000, 8000)), 8000, 8,
                 quint32(RateConverter::outputCount(20, 6000, 8000)));
    expectHeader(parseWav(convert(QByteArray(10, 0x08), TVoxConv(), 6000, 11025)), 11025, 16,
                 quint32(2 * RateConverter::outputCount(20, 6000, 11025)));
}

TEST_F(VoxConvFiles, AdpcmOutputIsBitExactWithReferenceAcrossBlocksAndChunks) {
    // Long enough to cross many 1024-byte blocks and the larger read chunks, with a ragged end.
    const QByteArray input = randomBytes(3 * 65536 + 1000 + 1, 11);
    const WavInfo w = parseWav(convert(input));
    EXPECT_EQ(bytesToSamples(w.samples), ReferenceAdpcm().decode(input));
}

TEST_F(VoxConvFiles, EachInputEncodingAtKnownPoints) {
    struct Case {
        playmodes type;
        QByteArray input;
        std::vector<qint16> samples;
    };
    const Case cases[] = {
        {VT_ADPCM, QByteArray("\x77\x08", 2), {480, 1488, 1632, 1504}},
        {VT_PCM, QByteArray("\x00\x80\xff\x01\x7f", 5), {-32768, 0, 32512, -32512, -256}},
        {VT_ALAW, QByteArray("\xd5\x55\xaa\x2a", 4), {8, -8, 32256, -32256}},
        {VT_MULAW, QByteArray("\xff\x00\x80\x7e", 4), {0, -32124, 32124, -8}},
    };
    for (const Case& c : cases) {
        TVoxConv conv;
        conv.VoxType = c.type;
        EXPECT_EQ(bytesToSamples(parseWav(convert(c.input, conv)).samples), c.samples)
            << int(c.type);
    }
}

TEST_F(VoxConvFiles, EightBitOutputIsTheHighByteOfTheOffsetSample) {
    for (playmodes type : {VT_ADPCM, VT_PCM, VT_ALAW, VT_MULAW}) {
        const QByteArray input = randomBytes(5000, 3 + type);
        TVoxConv conv;
        conv.VoxType = type;
        const auto wide = bytesToSamples(parseWav(convert(input, conv)).samples);
        conv.waveout16bit = false;
        const QByteArray narrow = parseWav(convert(input, conv)).samples;
        ASSERT_EQ(size_t(narrow.size()), wide.size());
        for (size_t i = 0; i < wide.size(); ++i)
            ASSERT_EQ(uchar(narrow[qsizetype(i)]), (int(wide[i]) + 32768) >> 8) << type << ' ' << i;
        if (type == VT_PCM) {
            EXPECT_EQ(narrow, input); // unsigned 8-bit in, unsigned 8-bit out
        }
    }
}

TEST_F(VoxConvFiles, RateConversionWorksPerInputBlock) {
    // A tone through the matched encoder, 6000 -> 8000: each 1024-byte block (2048 samples) is
    // converted on its own, so the file must equal the reference decode run through the
    // resampler block by block, and the tone must survive.
    const auto signal = tone(440, 6000, 10000, 6000 * 3 + 123);
    const QByteArray input = encodeAdpcm(signal);
    const auto decoded = ReferenceAdpcm().decode(input);
    std::vector<qint16> expected;
    RateConverter conv(6000, 8000, true, 2048);
    for (size_t at = 0; at < decoded.size(); at += 2048) {
        std::vector<qint16> block(decoded.begin() + qsizetype(at),
                                  decoded.begin() + qsizetype(std::min(at + 2048, decoded.size())));
        std::vector<qint16> part(size_t(conv.outputCount(qsizetype(block.size()))));
        conv.process(block.data(), qsizetype(block.size()), part.data());
        expected.insert(expected.end(), part.begin(), part.end());
    }
    const auto out = bytesToSamples(parseWav(convert(input, TVoxConv(), 6000, 8000)).samples);
    EXPECT_EQ(out, expected);
    EXPECT_NEAR(amplitudeAt(out, 440, 8000), 10000, 600);
}

TEST_F(VoxConvFiles, DefaultOverloadConvertsAt6000AndReplacesAnOldFile) {
    writeFile(path("in.vox"), QByteArray(100, 0x08));
    writeFile(path("out.wav"), QByteArray(100000, 'x'));
    QString error;
    ASSERT_TRUE(TVoxConv().Convert(path("in.vox"), path("out.wav"), &error)) << error.toStdString();
    expectHeader(parseWav(readFile(path("out.wav"))), 6000, 16, 400);
    EXPECT_EQ(entries(), QStringList({"in.vox", "out.wav"})); // no temporary left behind
}

TEST_F(VoxConvFiles, FailuresReportWhyAndLeaveNoOrOldOutput) {
    writeFile(path("in.vox"), QByteArray(100, 0x08));
    writeFile(path("old.wav"), "old contents");
    QDir(Dir.path()).mkdir("adir");
    struct Case {
        const char* what;
        QString input, output;
        int source = 6000, target = 6000;
        playmodes type = VT_ADPCM;
    };
    const Case cases[] = {
        {"missing input", path("none.vox"), path("old.wav")},
        {"input is a folder", path("adir"), path("old.wav")},
        {"output folder missing", path("in.vox"), path("no/such/out.wav")},
        {"output is a folder", path("in.vox"), path("adir")},
        {"zero rate", path("in.vox"), path("old.wav"), 0, 6000},
        {"rate too high", path("in.vox"), path("old.wav"), 6000, 2000000},
        {"ratio too large", path("in.vox"), path("old.wav"), 1, 100000},
        {"unknown encoding", path("in.vox"), path("old.wav"), 6000, 6000, playmodes(7)},
    };
    for (const Case& c : cases) {
        TVoxConv conv;
        conv.VoxType = c.type;
        QString error;
        EXPECT_FALSE(conv.Convert(c.input, c.output, c.source, c.target, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(readFile(path("old.wav")), "old contents") << c.what;
        EXPECT_EQ(entries(), QStringList({"adir", "in.vox", "old.wav"})) << c.what;
        EXPECT_TRUE(QDir(path("adir")).isEmpty()) << c.what;
    }
    // The reason names the file.
    QString error;
    TVoxConv().Convert(path("none.vox"), path("x.wav"), &error);
    EXPECT_TRUE(error.contains("none.vox")) << error.toStdString();
    // Works without an error string too.
    EXPECT_FALSE(TVoxConv().Convert(path("none.vox"), path("x.wav")));
}
