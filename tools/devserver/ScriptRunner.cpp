#include "ScriptRunner.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

using namespace DevWire;

namespace {

// Days since 1899-12-30, local time, as the notice's call time is written.
double nowAsDays() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    return double(epoch.msecsTo(now)) / 86400000.0;
}

QString rest(const QStringList& words, int from) {
    return words.mid(from).join(QLatin1Char(' '));
}

} // namespace

ScriptRunner::ScriptRunner(DevServer& server, QObject* parent) : QObject(parent), Server(server) {
    connect(&Server, &DevServer::clientUpAnswered, this, [this](quint8) {
        if (WaitingForUp) {
            WaitingForUp = false;
            finished();
        }
    });
}

void ScriptRunner::add(const QStringList& lines) {
    Queue.append(lines);
    if (!Running)
        next();
}

void ScriptRunner::next() {
    while (!Queue.isEmpty()) {
        const QString line = Queue.takeFirst().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Running = true;
        run(line);
        return;
    }
    Running = false;
    if (AnnounceDone)
        DevServer::say(QStringLiteral("script done"));
}

void ScriptRunner::finished() {
    // Through the event loop, so a long script never deepens the stack.
    QTimer::singleShot(0, this, &ScriptRunner::next);
}

void ScriptRunner::streamTo(quint16 port, const QString& file, const QString& what) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        DevServer::say(QStringLiteral("error: cannot read %1").arg(file));
        finished();
        return;
    }
    const QByteArray data = in.readAll();
    Server.push(port, streamMessage(QByteArrayLiteral("Nirvo"), data), 16, 10000,
                [this, what, size = data.size()](bool delivered, const QByteArray& reply) {
                    DevServer::say(QStringLiteral("sent %1 bytes=%2 reply=\"%3\"")
                                       .arg(what)
                                       .arg(size)
                                       .arg(QString::fromLatin1(reply)));
                    Q_UNUSED(delivered);
                    finished();
                });
}

void ScriptRunner::run(const QString& line) {
    const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString cmd = w.value(0).toLower();
    const auto& ports = Server.ports();
    const auto sent = [this](const QString& what) {
        return [this, what](bool delivered, const QByteArray&) {
            DevServer::say(delivered ? QStringLiteral("sent %1").arg(what)
                                     : QStringLiteral("not sent %1").arg(what));
            finished();
        };
    };

    if (cmd == QLatin1String("up-status")) {
        Server.UpStatus = quint8(w.value(1).toUInt());
    } else if (cmd == QLatin1String("up-phone")) {
        Server.UpServerPhone = Phone{w.value(1), {}, w.value(2), {}};
    } else if (cmd == QLatin1String("register-status")) {
        Server.RegisterStatus = quint8(w.value(1).toUInt());
    } else if (cmd == QLatin1String("user-id")) {
        Server.UserId = w.value(1).toInt();
    } else if (cmd == QLatin1String("notice")) {
        const qint32 number = w.value(1).toInt();
        const QString sound = w.value(4);
        Server.push(ports.listen,
                    messageNotice(number, Phone{w.value(2), {}, w.value(3), {}}, nowAsDays()), 0,
                    1000, [this, number, sound, ports](bool delivered, const QByteArray&) {
                        DevServer::say(QStringLiteral("%1 notice %2")
                                           .arg(delivered ? QStringLiteral("sent")
                                                          : QStringLiteral("not sent"))
                                           .arg(number));
                        if (delivered && !sound.isEmpty())
                            streamTo(ports.voice, sound, QStringLiteral("voice"));
                        else
                            finished();
                    });
        return;
    } else if (cmd == QLatin1String("stream")) {
        streamTo(ports.voice, w.value(1), QStringLiteral("voice"));
        return;
    } else if (cmd == QLatin1String("picture")) {
        streamTo(ports.picture, w.value(1), QStringLiteral("picture"));
        return;
    } else if (cmd == QLatin1String("serverup")) {
        Server.push(ports.listen, serverUp(), 0, 1000, sent(QStringLiteral("serverup")));
        return;
    } else if (cmd == QLatin1String("text")) {
        Server.push(ports.listen, textMessage(rest(w, 1)), 0, 1000, sent(QStringLiteral("text")));
        return;
    } else if (cmd == QLatin1String("version")) {
        Server.push(ports.listen, version(w.value(1), w.value(2), quint8(w.value(3).toUInt())), 0,
                    1000, sent(QStringLiteral("version")));
        return;
    } else if (cmd == QLatin1String("call")) {
        Server.push(ports.listen, incomingCall(Phone{w.value(1), {}, w.value(2), {}}), 20, 600000,
                    [this](bool delivered, const QByteArray& answer) {
                        if (answer.size() >= 20 && id(answer) == 69)
                            DevServer::say(QStringLiteral("call-answer %1 size=%2 check=%3")
                                               .arg(byteAt(answer, 16))
                                               .arg(size(answer))
                                               .arg(check(answer)));
                        else
                            DevServer::say(delivered ? QStringLiteral("call-answer none")
                                                     : QStringLiteral("not sent call"));
                        finished();
                    });
        return;
    } else if (cmd == QLatin1String("callend")) {
        Server.push(ports.listen, incomingCallEnd(), 0, 200, sent(QStringLiteral("callend")));
        return;
    } else if (cmd == QLatin1String("banner")) {
        Server.push(ports.banner, commercial(rest(w, 1)), 0, 200, sent(QStringLiteral("banner")));
        return;
    } else if (cmd == QLatin1String("raw")) {
        const quint8 rawId = quint8(w.value(1).toUInt());
        const qint32 rawSize = w.value(2).toInt();
        const qsizetype body = w.size() > 3 ? w.value(3).toLongLong() : std::max(0, rawSize - 8);
        Server.push(ports.listen, raw(rawId, rawSize, std::min<qsizetype>(body, 1000000)), 0, 200,
                    sent(QStringLiteral("raw %1").arg(rawId)));
        return;
    } else if (cmd == QLatin1String("wait")) {
        QTimer::singleShot(w.value(1).toInt(), this, &ScriptRunner::next);
        return;
    } else if (cmd == QLatin1String("waitup")) {
        WaitingForUp = true;
        return;
    } else if (cmd == QLatin1String("quit")) {
        DevServer::say(QStringLiteral("bye"));
        QCoreApplication::exit(0);
        return;
    } else {
        DevServer::say(QStringLiteral("error: unknown command: %1").arg(line));
        finished();
        return;
    }
    DevServer::say(QStringLiteral("set %1").arg(line)); // the settings commands above
    finished();
}
