// The connection dialog alone, shown and painted, then the end: built and linked like the
// program (same libraries loaded at start) but without any other start-up step. It tells how much
// of the program's start-up is the first window itself and how much the steps before it.
#include "line/forms/TConnForm.h"
#include "platform/registry/MemoryRegistry.h"
#include "shell/msgbox/AppMessageBox.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdlib>

namespace {
class ExitAfterPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MemoryRegistry registry;
    WidgetMessenger messenger;
    TConnForm dialog(registry, messenger);
    dialog.installEventFilter(new ExitAfterPaint(&app));
    dialog.show();
    return app.exec();
}
