#include "shell/forms/TAnimation.h"

#include "shell/msgbox/Artwork.h"

#include <QLinearGradient>
#include <QPainter>

TAnimation::TAnimation(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    Timer.setInterval(80);
    connect(&Timer, &QTimer::timeout, this, [this] {
        Frame = (Frame + 1) % 1000;
        update();
    });
}

void TAnimation::showEvent(QShowEvent*) {
    Timer.start();
}

void TAnimation::hideEvent(QHideEvent*) {
    Timer.stop();
}

void TAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, height());
    bg.setColorAt(0, QColor(255, 226, 168));
    bg.setColorAt(1, QColor(232, 166, 60));
    p.fillRect(rect(), bg);

    // A row of dots that light up one after another, with the phone riding over them.
    const int dots = qMax(3, width() / 14);
    const qreal gap = qreal(width()) / dots;
    const int lit = Frame % dots;
    const qreal cy = height() / 2.0;
    for (int i = 0; i < dots; ++i) {
        const int dist = (lit - i + dots) % dots;
        const int alpha = dist == 0 ? 255 : dist == 1 ? 150 : dist == 2 ? 90 : 40;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(92, 46, 0, alpha));
        const qreal r = qMin(height() / 6.0, 4.0);
        p.drawEllipse(QPointF(gap * (i + 0.5), cy), r, r);
    }
    const int icon = qMin(height() - 4, 24);
    if (icon >= 8) {
        const qreal x = gap * (lit + 0.5) - icon / 2.0;
        p.drawPixmap(QPointF(x, (height() - icon) / 2.0),
                     Artwork::pixmap(QStringLiteral("anim"), QSize(icon, icon)));
    }
    p.setPen(QColor(92, 46, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
