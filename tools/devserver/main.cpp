#include "DevServer.h"
#include "ScriptRunner.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <unistd.h>

namespace {

// With no script: accept every client up and, a moment later, tell the client the server is up.
const QStringList DemoOnUp = {QStringLiteral("wait 2000"), QStringLiteral("serverup")};

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the Nirvo server on this machine: answers client up/alive/down and registration, "
        "and pushes records and stream messages to the client (see ScriptRunner.h for commands)."));
    parser.addHelpOption();
    const auto opt = [&](const char* name, const char* help, const char* def) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(help),
                             QStringLiteral("value"), QString::fromLatin1(def));
        parser.addOption(o);
        return o;
    };
    const auto client = opt("client", "address of the client", "127.0.0.1");
    const auto bind = opt("bind", "address the server's ports listen on", "127.0.0.1");
    const auto listenPort = opt("listen-port", "client's record port", "2711");
    const auto voicePort = opt("voice-port", "client's voice stream port", "1912");
    const auto bannerPort = opt("banner-port", "client's banner record port", "1812");
    const auto picturePort = opt("picture-port", "client's banner picture port", "7310");
    const auto presencePort = opt("presence-port", "presence port served (0: none)", "2710");
    const auto registerPort = opt("register-port", "registration port served (0: none)", "2805");
    const auto upStatus = opt("up-status", "status answered to client up", "0");
    const auto registerStatus = opt("register-status", "status answered to registration", "0");
    const auto userId = opt("user-id", "user id given at registration", "1000");
    const auto script = opt("script", "file of commands run at start", "");
    const auto onUp = opt("on-up", "file of commands run after each accepted client up", "");
    QCommandLineOption readStdin(QStringLiteral("stdin"),
                                 QStringLiteral("read commands from standard input"));
    parser.addOption(readStdin);
    parser.process(app);

    DevServer::Ports ports;
    ports.client = QHostAddress(parser.value(client));
    ports.bind = QHostAddress(parser.value(bind));
    ports.listen = quint16(parser.value(listenPort).toUInt());
    ports.voice = quint16(parser.value(voicePort).toUInt());
    ports.banner = quint16(parser.value(bannerPort).toUInt());
    ports.picture = quint16(parser.value(picturePort).toUInt());
    ports.presence = quint16(parser.value(presencePort).toUInt());
    ports.registration = quint16(parser.value(registerPort).toUInt());

    DevServer server(ports);
    server.UpStatus = quint8(parser.value(upStatus).toUInt());
    server.RegisterStatus = quint8(parser.value(registerStatus).toUInt());
    server.UserId = parser.value(userId).toInt();
    if (!server.start())
        return 1;

    ScriptRunner runner(server);
    const bool scripted = parser.isSet(script) || parser.isSet(readStdin);
    QStringList upLines =
        parser.isSet(onUp) ? readLines(parser.value(onUp)) : (scripted ? QStringList{} : DemoOnUp);
    QObject::connect(&server, &DevServer::clientUpAnswered, &runner,
                     [&runner, upLines](quint8 status) {
                         if (status <= 1 && !upLines.isEmpty())
                             runner.add(upLines);
                     });
    if (parser.isSet(script)) {
        runner.setAnnounceDone(true);
        runner.add(readLines(parser.value(script)));
    }

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(parser.isSet(readStdin));
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &runner, [&] {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(chunk, got);
        qsizetype at;
        while ((at = pending.indexOf('\n')) >= 0) {
            runner.add(QString::fromUtf8(pending.left(at)));
            pending.remove(0, at + 1);
        }
    });
    return app.exec();
}
