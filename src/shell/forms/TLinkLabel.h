#pragma once

#include <QLabel>
#include <QMouseEvent>

// A label drawn as a link (blue, underlined, hand cursor) that reports a click.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& objectName, const QString& text, QWidget* parent = nullptr)
        : QLabel(text, parent) {
        setObjectName(objectName);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, Qt::blue);
        setPalette(pal);
        setCursor(Qt::PointingHandCursor);
    }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
};
