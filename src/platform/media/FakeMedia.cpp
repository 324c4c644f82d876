#include "platform/media/FakeMedia.h"

#include <QFileInfo>
#include <QTimer>

bool FakeMedia::open(QString* errorText) {
    close();
    calls.append(QStringLiteral("open ") + fileName());
    QString error = openError;
    if (error.isEmpty() && !QFileInfo(fileName()).isFile())
        error = QStringLiteral("The file \"%1\" does not exist.").arg(fileName());
    if (!error.isEmpty()) {
        if (errorText)
            *errorText = error;
        return false;
    }
    Open = true;
    return true;
}

void FakeMedia::play() {
    calls.append(QStringLiteral("play"));
    Playing = Open;
}

void FakeMedia::stop() {
    calls.append(QStringLiteral("stop"));
    if (Playing)
        notifyLater();
    Playing = false;
}

void FakeMedia::close() {
    if (!Open)
        return;
    calls.append(QStringLiteral("close"));
    Open = false;
    Playing = false;
    ++Generation;
}

void FakeMedia::finishPlaying() {
    if (!Playing)
        return;
    Playing = false;
    notifyLater();
}

void FakeMedia::notifyLater() {
    QTimer::singleShot(0, this, [this, generation = Generation] {
        if (generation == Generation)
            Q_EMIT notify();
    });
}
