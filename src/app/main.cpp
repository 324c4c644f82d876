#include "OpenRegistry.h"

#include "line/forms/TConnForm.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopShell.h"
#include "shell/forms/ClientProgram.h"
#include "shell/forms/TClientForm.h"
#include "shell/msgbox/AppMessageBox.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
// For the start-up benchmark: the memory the process has used so far, from the kernel.
void printMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM") || line.startsWith("VmRSS"))
            std::fprintf(stderr, "nirvo: %s\n", line.simplified().constData());
}

class ExitAfterPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] {
                printMemory();
                std::_Exit(0); // ends at once, as the program always does
            });
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nirvo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Nirvo"));
    // The program lives in the tray: hiding or closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    QString error;
    std::unique_ptr<Registry> registry = openRegistry(&error);
    if (!registry) {
        std::fprintf(stderr, "nirvo: cannot open the settings: %s\n", qPrintable(error));
        ShowAppMessage(QStringLiteral("Registry error"), error, mkError, mbOK);
        return 1;
    }
    WidgetMessenger messenger;
    DesktopShell shell;
    ClientProgram program(*registry, messenger, shell);
    if (!program.Start(QCoreApplication::applicationDirPath())) {
        std::fprintf(stderr, "nirvo: start-up failed, see the message shown\n");
        return 1;
    }
    // For the start-up benchmark: end as soon as the connection dialog has been painted.
    if (qEnvironmentVariableIsSet("NIRVO_QUIT_AFTER_START"))
        program.client().connForm()->installEventFilter(new ExitAfterPaint(&app));
    return app.exec();
}
