#pragma once

#include <QDialog>

class QLabel;
class TAnimation;

// Made hidden at start-up and turned into the small "Please Wait..." box, shown while a
// registration request travels to the server.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    QLabel* SplashImage;
    TAnimation* LoadAnim;
    TAnimation* RegAnim;

    // Only the registration animation, in a client area of 182 x 38.
    void SetUpPleaseWait();

    void reject() override {} // no title-bar buttons: whoever shows it hides it

protected:
    void showEvent(QShowEvent* event) override;
};
