#include "core/ActivityLog.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(ActivityLog, FreshFileEachRunWithCrLfLinesFlushedAtOnce) {
    TempProgramFolder folder;
    const QString path = folder.dat(QStringLiteral("log.txt"));
    folder.writeFile(QStringLiteral("dat/log.txt"), "line of an earlier run\r\n");

    ActivityLog log;
    ASSERT_TRUE(log.open(path));
    log.write(QStringLiteral("Client started."));
    // Read back while the log is still open: the line must already be on disk.
    const QByteArray text = readAll(path);
    EXPECT_FALSE(text.contains("earlier run"));
    EXPECT_TRUE(text.endsWith(" - Client started.\r\n")) << text.constData();
    EXPECT_EQ(text.count("\r\n"), 1);
}

TEST(ActivityLog, OpenFailsWithReasonWhenFolderIsMissing) {
    TempProgramFolder folder(false);
    ActivityLog log;
    QString error;
    EXPECT_FALSE(log.open(folder.programDir() + QStringLiteral("/nodir/log.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    log.write(QStringLiteral("ignored")); // no crash when not open
}

TEST(ActivityLog, ConcurrentWritersGiveWholeLines) {
    TempProgramFolder folder;
    ActivityLog log;
    ASSERT_TRUE(log.open(folder.dat(QStringLiteral("log.txt"))));
    InstallActivityLog(&log);
    constexpr int threads = 8, lines = 500;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([t] {
            for (int i = 0; i < lines; ++i)
                WriteLog(QStringLiteral("writer %1 line %2 ").arg(t).arg(i) +
                         QString(40, QChar('x' + t % 3)));
        });
    for (auto& w : workers)
        w.join();
    InstallActivityLog(nullptr);

    const QList<QByteArray> all = readAll(log.path()).split('\n');
    ASSERT_EQ(all.size(), threads * lines + 1); // trailing empty piece after the last LF
    static const QRegularExpression whole(
        QStringLiteral(R"(^.+ - writer (\d) line (\d+) (x{40}|y{40}|z{40})\r$)"));
    std::vector<int> next(threads, 0);
    for (int i = 0; i < threads * lines; ++i) {
        const auto m = whole.match(QString::fromLocal8Bit(all[i]));
        ASSERT_TRUE(m.hasMatch()) << all[i].constData();
        const int t = m.captured(1).toInt();
        // Each writer's lines appear in the order it wrote them.
        EXPECT_EQ(m.captured(2).toInt(), next[t]++);
    }
}
