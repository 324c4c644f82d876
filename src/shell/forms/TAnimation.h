#pragma once

#include <QTimer>
#include <QWidget>

// An animated picture: a phone travelling along a track. It only runs while it is visible, so a
// hidden window costs nothing.
class TAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TAnimation(const QString& objectName, QWidget* parent = nullptr);
    bool isRunning() const { return Timer.isActive(); }
    int frame() const { return Frame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer Timer;
    int Frame = 0;
};
