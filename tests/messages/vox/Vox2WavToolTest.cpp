#include "VoxTestUtil.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace VoxTest;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun vox2wav(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VOX2WAV_PATH), args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

TEST(Vox2Wav, ConvertsWithDefaultsAndWithOptions) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.vox"), out = dir.filePath("out.wav");
    const QByteArray input = randomBytes(3000, 9);
    writeFile(in, input);

    ASSERT_EQ(vox2wav({in, out}).exitCode, 0);
    WavInfo w = parseWav(readFile(out));
    EXPECT_EQ(w.sampleRate, 6000u);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(bytesToSamples(w.samples), ReferenceAdpcm().decode(input));

    ASSERT_EQ(vox2wav({"-e", "pcm", "--8bit", in, out}).exitCode, 0);
    w = parseWav(readFile(out));
    EXPECT_EQ(w.bits, 8);
    EXPECT_EQ(w.samples, input);

    ASSERT_EQ(vox2wav({"--encoding", "alaw", "--input-rate", "8000", in, out}).exitCode, 0);
    EXPECT_EQ(parseWav(readFile(out)).sampleRate, 8000u);

    ASSERT_EQ(vox2wav({"-i", "8000", "-r", "4000", "--no-filter", "-e", "mulaw", in, out}).exitCode,
              0);
    w = parseWav(readFile(out));
    EXPECT_EQ(w.sampleRate, 4000u);
    EXPECT_EQ(w.dataSize, 2u * 1500u);
}

TEST(Vox2Wav, UsageAndConversionErrorsExitNonZeroWithAMessage) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.vox"), out = dir.filePath("out.wav");
    writeFile(in, "abc");
    struct Case {
        QStringList args;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{}, 2, "expected INPUT and OUTPUT"},
        {{in}, 2, "expected INPUT and OUTPUT"},
        {{in, out, "extra"}, 2, "expected INPUT and OUTPUT"},
        {{"--bogus", in, out}, 2, "bogus"},
        {{"-e", "mp3", in, out}, 2, "unknown encoding 'mp3'"},
        {{"-i", "zero", in, out}, 2, "invalid input rate 'zero'"},
        {{"-r", "-5", in, out}, 2, "invalid output rate '-5'"},
        {{dir.filePath("missing.vox"), out}, 1, "missing.vox"},
        {{in, dir.filePath("no/dir/out.wav")}, 1, "out.wav"},
        {{"-i", "1", "-r", "1000000", in, out}, 1, "too large"},
    };
    for (const Case& c : cases) {
        const ToolRun r = vox2wav(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says)))
            << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(vox2wav({"--help"}).exitCode, 0);
}
