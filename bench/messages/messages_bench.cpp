// Builds a folder of 10,000 messages and a phonebook of 1,000 entries that name half of the
// callers, then times a plain read of the info files against loading and showing the message
// list in each sort order.
//
//   messages_bench fixture DIR            build DIR/dat/... (10,000 info files, 1,000 entries)
//   messages_bench plain DIR              read every info file once (open, read 45 bytes, close)
//   messages_bench show DIR date|phone|name   load and show the list once in that order
//   messages_bench compare DIR [rounds]   all of the above in one process, median of rounds

#include "core/AppMessage.h"
#include "messages/forms/TMessageListView.h"
#include "messages/store/CallData.h"
#include "messages/store/CallTime.h"
#include "messages/store/MessageList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int Messages = 10000;
constexpr int Callers = 2000;      // distinct numbers among the messages
constexpr int NamedCallers = 1000; // phonebook entries: half of the callers

class NoMessenger : public AppMessenger {
public:
    int ShowAppMessage(const QString&, const QString&, MsgKind, MsgButtons, int) override {
        return mrOK;
    }
};

QString callerNumber(int i) {
    return QStringLiteral("0%1").arg(300000000 + i * 7919);
}

int buildFixture(const QString& root) {
    const QString inbox = root + QStringLiteral("/dat/calls/inbox/");
    const QString phonebook = root + QStringLiteral("/dat/phonebook/");
    QDir(root + QStringLiteral("/dat")).removeRecursively();
    QDir().mkpath(inbox);
    QDir().mkpath(phonebook);
    QRandomGenerator random(1912);
    const double start = CallTime::fromDateTime(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    for (int i = 0; i < Messages; ++i) {
        Call_Info_Type info;
        info.MsgNumber = 1000 + i;
        info.Caller.FullNumber = callerNumber(int(random.bounded(Callers)));
        info.CallTime = start + random.bounded(700.0);
        if (!WriteInfoFile(inbox, info, i % 3 ? ReadExtension : UnreadExtension))
            return 1;
    }
    // A phonebook entry file per named caller, as the phonebook keeps them.
    for (int i = 0; i < Callers; i += Callers / NamedCallers) {
        QFile entry(phonebook + callerNumber(i) + QStringLiteral(".phn"));
        if (!entry.open(QIODevice::WriteOnly))
            return 1;
        entry.write(QStringLiteral("First%1 Last%2").arg(i).arg(Callers - i).toLatin1());
    }
    return 0;
}

// What a program needs at the least to read every info file.
long plainRead(const QString& root) {
    const QByteArray dir = (root + QStringLiteral("/dat/calls/inbox/")).toLocal8Bit();
    DIR* d = opendir(dir.constData());
    if (!d)
        return -1;
    long files = 0;
    char buffer[45];
    while (dirent* e = readdir(d)) {
        const size_t len = strlen(e->d_name);
        if (len < 4 || strncmp(e->d_name + len - 4, ".cx", 3) != 0)
            continue;
        const int fd = openat(dirfd(d), e->d_name, O_RDONLY);
        if (fd < 0)
            continue;
        if (read(fd, buffer, sizeof buffer) == sizeof buffer)
            ++files;
        close(fd);
    }
    closedir(d);
    return files;
}

// A name lookup that reads the entry file, as the phonebook's does.
NameLookup fileLookup(const QString& root) {
    const QString phonebook = root + QStringLiteral("/dat/phonebook/");
    return [phonebook](const QString& number) {
        QFile entry(phonebook + number + QStringLiteral(".phn"));
        if (!entry.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromLatin1(entry.read(256));
    };
}

MessageSort sortNamed(const QString& name) {
    if (name == QLatin1String("phone"))
        return MessageSort::Phone;
    if (name == QLatin1String("name"))
        return MessageSort::Name;
    return MessageSort::Time;
}

// Loads and shows the list once; the view is painted before this returns.
int loadAndShow(MessageList& list, TMessageListView& view, const QString& root, MessageSort s) {
    list.setSortOrder(s);
    list.LoadMessageList(root + QStringLiteral("/dat/calls/Inbox/"));
    view.viewport()->repaint();
    QCoreApplication::processEvents();
    return list.count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s fixture|plain|show|compare DIR [sort|rounds]\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    if (mode == QLatin1String("fixture"))
        return buildFixture(root);
    if (mode == QLatin1String("plain"))
        return plainRead(root) == Messages ? 0 : 1;

    QApplication app(argc, argv);
    NoMessenger messenger;
    MessageList list(root + QStringLiteral("/dat"), messenger, fileLookup(root));
    TMessageListView view(list);
    view.resize(600, 800);
    view.show();
    QCoreApplication::processEvents();

    if (mode == QLatin1String("show")) {
        const int shown = loadAndShow(list, view, root,
                                      sortNamed(QString::fromLocal8Bit(argc > 3 ? argv[3] : "")));
        return shown == Messages ? 0 : 1;
    }
    if (mode != QLatin1String("compare"))
        return 2;
    const int rounds = argc > 3 ? std::max(1, atoi(argv[3])) : 11;
    std::vector<double> plain;
    std::vector<double> sorts[3];
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        timer.start();
        if (plainRead(root) != Messages)
            return 1;
        plain.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (int s = 0; s < 3; ++s) {
            timer.start();
            if (loadAndShow(list, view, root, MessageSort(s)) != Messages)
                return 1;
            sorts[s].push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    const double base = median(plain);
    std::printf("plain read of %d info files: %.1f ms (median of %d)\n", Messages, base, rounds);
    const char* names[3] = {"date", "phone number", "name"};
    for (int s = 0; s < 3; ++s) {
        const double m = median(sorts[s]);
        std::printf("load + show, sorted by %-12s: %.1f ms = %.2f x plain\n", names[s], m,
                    m / base);
    }
    return 0;
}
