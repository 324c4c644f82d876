#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button that is only its picture; pressed it sinks by a pixel, disabled it is greyed out.
class TImageButton : public QAbstractButton {
    Q_OBJECT
public:
    TImageButton(const QString& objectName, const QString& artName, QSize size,
                 QWidget* parent = nullptr);

    QSize sizeHint() const override { return Size; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap Picture;
    QPixmap Disabled;
    QSize Size;
};
