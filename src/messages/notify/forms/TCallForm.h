#pragma once

#include "messages/notify/MessageAnnouncer.h"

#include <QDialog>
#include <functional>

class QLabel;
class TImageButton;

// The new-message announcement: "hear it now?" with OK (now) and Cancel (later). One instance
// lives for the whole run and is shown and hidden, never modally. Only its two buttons (or
// Enter and Escape for them) close it, so an announcement always ends with a choice.
class TCallForm : public QDialog, public AnnouncementView {
    Q_OBJECT
public:
    explicit TCallForm(QWidget* parent = nullptr);

    // 0 while no choice has been made, 1 after OK, 2 after Cancel.
    int Reply = 0;

    QLabel* MsgLabel;
    QLabel* NewCallBmp;
    QLabel* lowStripeBmp;
    TImageButton* OKBtn;
    TImageButton* CancelBtn;

    void OKBtnClick() { choose(1); }
    void CancelBtnClick() { choose(2); }

    // Sets the text, clears Reply and shows the window; `answered` gets the choice.
    void ask(const QString& text, std::function<void(int reply)> answered) override;

    void reject() override {}

Q_SIGNALS:
    // The user chose: 1 hear it now, 2 later.
    void replied(int reply);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void choose(int reply);

    std::function<void(int)> Answered;
};
