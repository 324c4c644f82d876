#pragma once

#include <QPixmap>
#include <QWidget>

// A picture from the program's artwork, stretched over the widget. It is rendered when first
// painted, so pictures of windows that are never shown cost nothing.
class TPicture : public QWidget {
    Q_OBJECT
public:
    TPicture(const QString& objectName, const QString& artName, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString ArtName;
    QPixmap Rendered;
};
