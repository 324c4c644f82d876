#pragma once

#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTest>

// The development server run as a child process: its output lines, and commands written to its
// standard input (started with --stdin).
class DevServerProcess {
public:
    DevServerProcess(const QString& program, const QStringList& args) {
        Process.setProgram(program);
        Process.setArguments(args);
        QObject::connect(&Process, &QProcess::readyReadStandardOutput, &Process, [this] {
            Buffer += Process.readAllStandardOutput();
            qsizetype at;
            while ((at = Buffer.indexOf('\n')) >= 0) {
                Lines.append(QString::fromUtf8(Buffer.left(at)));
                Buffer.remove(0, at + 1);
            }
        });
        Process.start();
    }
    ~DevServerProcess() {
        Process.kill();
        Process.waitForFinished(5000);
    }
    bool started() { return Process.waitForStarted(5000); }
    void command(const QString& line) { Process.write((line + QLatin1Char('\n')).toUtf8()); }
    bool waitLine(const QString& prefix, int ms = 10000) {
        return QTest::qWaitFor([&] { return hasLine(prefix); }, ms);
    }
    bool hasLine(const QString& prefix) const { return !line(prefix).isNull(); }
    QString line(const QString& prefix) const {
        for (const QString& l : Lines)
            if (l.startsWith(prefix))
                return l;
        return {};
    }
    int count(const QString& prefix) const {
        int n = 0;
        for (const QString& l : Lines)
            n += l.startsWith(prefix) ? 1 : 0;
        return n;
    }
    QStringList linesStartingWith(const QString& prefix) const {
        QStringList found;
        for (const QString& l : Lines)
            if (l.startsWith(prefix))
                found.append(l);
        return found;
    }
    bool waitLines(const QString& prefix, int n, int ms = 10000) {
        return QTest::qWaitFor([&] { return count(prefix) >= n; }, ms);
    }
    QStringList Lines;

    // A loopback port nobody listens on right now.
    static quint16 freePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

private:
    QProcess Process;
    QByteArray Buffer;
};
