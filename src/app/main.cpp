#include "OpenRegistry.h"

#include "platform/registry/Registry.h"
#include "platform/shell/DesktopShell.h"
#include "shell/forms/ClientProgram.h"
#include "shell/msgbox/AppMessageBox.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

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
    if (qEnvironmentVariableIsSet("NIRVO_QUIT_AFTER_START")) {
        QTimer::singleShot(0, &app, [] {
            printMemory();
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
