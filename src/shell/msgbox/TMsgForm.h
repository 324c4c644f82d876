#pragma once

#include "core/AppMessage.h"

#include <QDialog>

class QLabel;
class TImageButton;

// The program's own message box. Only its own buttons close it: it has no title-bar buttons and
// ignores Escape and close requests; OK ends it with mrOK, Cancel with mrCancel.
class TMsgForm : public QDialog {
    Q_OBJECT
public:
    TMsgForm(const QString& caption, const QString& text, MsgKind kind, MsgButtons buttons,
             int helpContext, QWidget* parent = nullptr);

    void reject() override {}

    // Controls, in the order they were declared on the form.
    QLabel* QuesBmp;
    QLabel* MsgLabel;
    QLabel* lowStripeBmp;
    TImageButton* OKBtn;
    TImageButton* CancelBtn;
    QLabel* NoticeBmp;
    QLabel* ErrorBmp;
    QLabel* NewCallBmp;

    void OKBtnClick() { done(mrOK); }
    void CancelBtnClick() { done(mrCancel); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* makePicture(const QString& name, const QString& art);
    int StripHeight = 0;
};
