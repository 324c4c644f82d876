#pragma once

#include <QDialog>

class QLabel;
class Shell;
class TImageButton;
class TLinkLabel;

// The about box: made hidden at start-up, shown (not modally) from the menus, hidden by OK.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(Shell& shell, QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Patent;
    QLabel* Version;
    QLabel* Maker;
    TLinkLabel* homepageLbl;
    TLinkLabel* EmailLbl;
    TImageButton* OKButton;

    void homepageLblClick();
    void EmailLblClick();
    void OKButtonClick() { hide(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    Shell& Desktop;
};
