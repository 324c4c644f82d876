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
    // Draws the button's text over its picture (the wide buttons' pictures carry no words).
    void setCaptionShown(bool shown) {
        CaptionShown = shown;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString ArtName;
    QPixmap Picture; // rendered when first painted, so windows never shown cost nothing
    QPixmap Disabled;
    QSize Size;
    bool CaptionShown = false;
};
