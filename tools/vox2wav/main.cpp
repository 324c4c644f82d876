#include "messages/vox/TVoxConv.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <optional>

namespace {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

int usageError(const QCommandLineParser& parser, const QString& message) {
    QTextStream err(stderr);
    err << "vox2wav: " << message << "\n\n" << parser.helpText();
    return ExitUsage;
}

std::optional<int> parseRate(const QString& text) {
    bool ok = false;
    const int rate = text.toInt(&ok);
    if (!ok || rate < 1)
        return std::nullopt;
    return rate;
}

std::optional<playmodes> parseEncoding(const QString& text) {
    const QString t = text.toLower();
    if (t == QLatin1String("adpcm"))
        return VT_ADPCM;
    if (t == QLatin1String("pcm"))
        return VT_PCM;
    if (t == QLatin1String("alaw"))
        return VT_ALAW;
    if (t == QLatin1String("mulaw") || t == QLatin1String("ulaw"))
        return VT_MULAW;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vox2wav"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a raw headerless VOX file into a mono PCM WAVE file.\n"
        "By default the input is OKI ADPCM at 6000 samples per second and the output is 16-bit\n"
        "at the same rate. The output is written under a temporary name and renamed when done."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("INPUT"), QStringLiteral("Raw VOX file to read."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"),
                                 QStringLiteral("WAVE file to write (replaced if it exists)."));
    const QCommandLineOption inputRate(
        {QStringLiteral("i"), QStringLiteral("input-rate")},
        QStringLiteral("Sample rate of the input in Hz (default 6000)."), QStringLiteral("HZ"),
        QString::number(TVoxConv::DefaultRate));
    const QCommandLineOption outputRate(
        {QStringLiteral("r"), QStringLiteral("output-rate")},
        QStringLiteral("Sample rate of the output in Hz (default: the input rate)."),
        QStringLiteral("HZ"));
    const QCommandLineOption encoding(
        {QStringLiteral("e"), QStringLiteral("encoding")},
        QStringLiteral("Input encoding: adpcm (default), pcm (unsigned 8-bit), alaw or mulaw."),
        QStringLiteral("NAME"), QStringLiteral("adpcm"));
    const QCommandLineOption eightBit({QStringLiteral("8"), QStringLiteral("8bit")},
                                      QStringLiteral("Write 8-bit unsigned samples."));
    const QCommandLineOption noFilter(
        QStringLiteral("no-filter"),
        QStringLiteral("Do not low-pass filter before lowering the sample rate."));
    parser.addOptions({inputRate, outputRate, encoding, eightBit, noFilter});

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return ExitOk;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usageError(parser, QStringLiteral("expected INPUT and OUTPUT"));

    const auto source = parseRate(parser.value(inputRate));
    if (!source)
        return usageError(parser,
                          QStringLiteral("invalid input rate '%1'").arg(parser.value(inputRate)));
    std::optional<int> target = source;
    if (parser.isSet(outputRate)) {
        target = parseRate(parser.value(outputRate));
        if (!target)
            return usageError(
                parser, QStringLiteral("invalid output rate '%1'").arg(parser.value(outputRate)));
    }
    const auto type = parseEncoding(parser.value(encoding));
    if (!type)
        return usageError(parser,
                          QStringLiteral("unknown encoding '%1'").arg(parser.value(encoding)));

    TVoxConv conv;
    conv.VoxType = *type;
    conv.waveout16bit = !parser.isSet(eightBit);
    conv.downsamplefilter = !parser.isSet(noFilter);
    QString error;
    if (!conv.Convert(files[0], files[1], *source, *target, &error)) {
        QTextStream(stderr) << "vox2wav: " << error << "\n";
        return ExitFailed;
    }
    return ExitOk;
}
