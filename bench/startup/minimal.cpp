// One main window shown and painted, then the end: what any Qt Widgets program costs to start.
// With --label the window shows one line of text, which is what makes Qt load the fonts.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
void printMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM") || line.startsWith("VmRSS"))
                std::fprintf(stderr, "minimal: %s\n", line.simplified().constData());
}

// Ends the process right after the window's first paint, as the measured program does.
class ExitAfterPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] {
                printMemory();
                std::_Exit(0);
            });
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(300, 136);
    if (argc > 1 && qstrcmp(argv[1], "--label") == 0)
        window.setCentralWidget(new QLabel(QStringLiteral("Connect to the Internet Using:")));
    window.installEventFilter(new ExitAfterPaint(&app));
    window.show();
    return app.exec();
}
