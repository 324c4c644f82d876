#pragma once

#include <QDialog>

class AppMessenger;
class QComboBox;
class QLabel;
class QStatusBar;
class Registry;
class TImageButton;

// The connection dialog: the first window the user sees. It keeps the flags the connect and
// disconnect sequences share, for the whole run.
class TConnForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 140;

    TConnForm(Registry& registry, AppMessenger& messenger, QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* ConnBox;
    TImageButton* OKBtn;
    TImageButton* CancelBtn;
    TImageButton* ManualBtn;
    TImageButton* BitBtn1;
    TImageButton* HelpBtn;
    QStatusBar* StatusBar1;

    bool FollowMeOn = false;   // the home line is believed forwarded to the server
    bool ServerUp = false;     // the server answered the last client-up or alive message
    bool CanDisconnect = true; // false while a voice message is arriving
    bool ManualMode = false;   // the user went online by hand

    void SetCanDisconnect(bool value) { CanDisconnect = value; }
    void MarkServerUp(bool up);
    // Asks `question`; true when the user agreed and the disconnect went through.
    bool ConfirmDisconnect(const QString& question);
    // False only when refused because a voice message is being received.
    bool DisconnectAll();
    // Whether the internet call is up (the dial-up component's state is not idle).
    bool InternetConnected() const { return false; }

    // The close box and Escape keep the dialog alive and bring up the main window instead.
    void reject() override;

Q_SIGNALS:
    void mainWindowWanted();
    void propertiesWanted();
    void helpWanted(int context);
    void serverUpChanged(bool up);

private:
    void OKBtnClick();
    void CancelBtnClick();
    void ManualBtnClick();

    Registry& Reg;
    AppMessenger& Messenger;
};
