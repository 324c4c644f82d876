#include "shell/forms/TSplashForm.h"

#include "shell/forms/TAnimation.h"
#include "shell/msgbox/Artwork.h"

#include <QLabel>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 204, 102));
    setPalette(pal);

    // The form was once the start-up splash; its picture and loading animation stay unused.
    SplashImage = new QLabel(this);
    SplashImage->setObjectName(QStringLiteral("SplashImage"));
    SplashImage->setGeometry(0, 0, 96, 96);
    LoadAnim = new TAnimation(QStringLiteral("LoadAnim"), this);
    LoadAnim->setGeometry(0, 96, 182, 20);
    RegAnim = new TAnimation(QStringLiteral("RegAnim"), this);
    RegAnim->setGeometry(0, 0, 182, 38);
    RegAnim->hide();
}

void TSplashForm::SetUpPleaseWait() {
    RegAnim->show();
    SplashImage->hide();
    LoadAnim->hide();
    setFixedSize(182, 38);
    RegAnim->setGeometry(0, 0, 182, 38);
    setWindowTitle(QStringLiteral("Please Wait..."));
}

void TSplashForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}
