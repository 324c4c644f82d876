#include "line/forms/TConnForm.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "platform/registry/Registry.h"
#include "shell/msgbox/TImageButton.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>

namespace {
const QString ApplicationKey = QStringLiteral("Software\\Nirvo\\Application");
}

TConnForm::TConnForm(Registry& registry, AppMessenger& messenger, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Reg(registry), Messenger(messenger) {
    setObjectName(QStringLiteral("ConnForm"));
    setWindowTitle(QStringLiteral("Nirvo Internet Dialer"));
    setProperty("helpContext", HelpContext);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 204, 102));
    setPalette(pal);

    Label1 = new QLabel(QStringLiteral("Connect to the Internet Using:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 10, 276, 18);
    ConnBox = new QComboBox(this);
    ConnBox->setObjectName(QStringLiteral("ConnBox"));
    ConnBox->setToolTip(QStringLiteral("Available ISP Connections"));
    ConnBox->setGeometry(12, 30, 276, 24);

    const QSize buttonSize(46, 40);
    OKBtn = new TImageButton(QStringLiteral("OKBtn"), QStringLiteral("btn_ok"), buttonSize, this);
    CancelBtn = new TImageButton(QStringLiteral("CancelBtn"), QStringLiteral("btn_cancel"),
                                 buttonSize, this);
    ManualBtn = new TImageButton(QStringLiteral("ManualBtn"), QStringLiteral("btn_manual"),
                                 buttonSize, this);
    BitBtn1 =
        new TImageButton(QStringLiteral("BitBtn1"), QStringLiteral("btn_props"), buttonSize, this);
    HelpBtn =
        new TImageButton(QStringLiteral("HelpBtn"), QStringLiteral("btn_help"), buttonSize, this);
    OKBtn->setText(QStringLiteral("OK"));
    CancelBtn->setText(QStringLiteral("Cancel"));
    ManualBtn->setText(QStringLiteral("Manual"));
    BitBtn1->setText(QStringLiteral("Setup"));
    HelpBtn->setText(QStringLiteral("Help"));
    int x = 15;
    for (TImageButton* b : {OKBtn, CancelBtn, ManualBtn, BitBtn1, HelpBtn}) {
        b->move(x, 64);
        b->setToolTip(b->text());
        b->setCaptionShown(true);
        x += 56;
    }

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setToolTip(QStringLiteral("Connection Status"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 114, 300, 22);
    setFixedSize(300, 136);

    connect(OKBtn, &QAbstractButton::clicked, this, &TConnForm::OKBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TConnForm::CancelBtnClick);
    connect(ManualBtn, &QAbstractButton::clicked, this, &TConnForm::ManualBtnClick);
    connect(BitBtn1, &QAbstractButton::clicked, this, &TConnForm::propertiesWanted);
    connect(HelpBtn, &QAbstractButton::clicked, this, [this] { Q_EMIT helpWanted(HelpContext); });

    // A run that ended while the line was still forwarded left "Set" behind; the first
    // disconnect of this run then cancels the forwarding.
    FollowMeOn =
        Reg.readString(ApplicationKey, QStringLiteral("Follow_Me")) == QStringLiteral("Set");
}

void TConnForm::MarkServerUp(bool up) {
    ServerUp = up;
    Q_EMIT serverUpChanged(up);
}

bool TConnForm::ConfirmDisconnect(const QString& question) {
    // A manual connection answers with its own guide here once manual mode exists.
    if (Messenger.ShowAppMessage(QStringLiteral("Disconnect Confirmation"), question, mkQuestion,
                                 mbOKCancel) != mrOK)
        return false;
    WriteLog(QStringLiteral("Automatic Disconnection"));
    return DisconnectAll();
}

bool TConnForm::DisconnectAll() {
    if (!CanDisconnect) {
        Messenger.ShowAppMessage(
            QStringLiteral("Can not exit"),
            QStringLiteral("Nirvo is receiving a message, and can not "
                           "disconnect.\r\nPlease try again in a few seconds."),
            mkNotice, mbOK);
        return false;
    }
    // Not yet here: signing off from the server, hanging up the internet call and cancelling
    // the forwarding. Until they exist there is nothing to undo, so the disconnect succeeds.
    return true;
}

void TConnForm::reject() {
    WriteLog(QStringLiteral("Connform closed."));
    hide();
    Q_EMIT mainWindowWanted();
}

void TConnForm::OKBtnClick() {
    // The connect sequence (registration check, forwarding, internet dial) comes with the line.
}

void TConnForm::CancelBtnClick() {
    hide();
    Q_EMIT mainWindowWanted();
}

void TConnForm::ManualBtnClick() {
    // The manual connection guide comes with follow-me diverting.
}
