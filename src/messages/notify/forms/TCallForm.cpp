#include "messages/notify/forms/TCallForm.h"

#include "shell/msgbox/Artwork.h"
#include "shell/msgbox/TImageButton.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace {
constexpr int LabelLeft = 56;
constexpr int LabelTop = 8;
constexpr int LabelWidth = 265;
constexpr int LabelHeight = 49;
constexpr int PictureWidth = 36;
constexpr int PictureHeight = 32;
constexpr int StripHeight = 40;
constexpr int ButtonWidth = 46;
constexpr int ButtonHeight = 40;
constexpr int ClientWidth = LabelLeft + LabelWidth + 8;
constexpr int ClientHeight = LabelTop + LabelHeight + 8 + StripHeight;
} // namespace

TCallForm::TCallForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("CallForm"));
    setWindowTitle(QStringLiteral("Incoming Call"));
    setModal(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 204, 102));
    setPalette(pal);

    MsgLabel = new QLabel(this);
    MsgLabel->setObjectName(QStringLiteral("MsgLabel"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    MsgLabel->setFont(font);
    MsgLabel->setTextFormat(Qt::PlainText);
    MsgLabel->setWordWrap(true);
    MsgLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MsgLabel->setGeometry(LabelLeft, LabelTop, LabelWidth, LabelHeight);

    NewCallBmp = new QLabel(this);
    NewCallBmp->setObjectName(QStringLiteral("NewCallBmp"));
    NewCallBmp->setPixmap(
        Artwork::pixmap(QStringLiteral("msg_newcall"), QSize(PictureWidth, PictureHeight)));
    NewCallBmp->setGeometry(8, LabelTop + (LabelHeight - PictureHeight) / 2, PictureWidth,
                            PictureHeight);

    lowStripeBmp = new QLabel(this);
    lowStripeBmp->setObjectName(QStringLiteral("lowStripeBmp"));
    lowStripeBmp->setScaledContents(true);
    lowStripeBmp->setPixmap(Artwork::pixmap(QStringLiteral("strip"), QSize(240, StripHeight)));
    lowStripeBmp->setGeometry(0, ClientHeight - StripHeight, ClientWidth, StripHeight);

    const QSize buttonSize(ButtonWidth, ButtonHeight);
    OKBtn = new TImageButton(QStringLiteral("OKBtn"), QStringLiteral("btn_ok"), buttonSize, this);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->setCaptionShown(true);
    CancelBtn = new TImageButton(QStringLiteral("CancelBtn"), QStringLiteral("btn_cancel"),
                                 buttonSize, this);
    CancelBtn->setText(QStringLiteral("Cancel"));
    CancelBtn->setCaptionShown(true);
    const int buttonTop = ClientHeight - StripHeight;
    OKBtn->setGeometry(ClientWidth / 2 - ButtonWidth - 4, buttonTop, ButtonWidth, ButtonHeight);
    CancelBtn->setGeometry(ClientWidth / 2 + 4, buttonTop, ButtonWidth, ButtonHeight);
    OKBtn->raise();
    CancelBtn->raise();
    connect(OKBtn, &QAbstractButton::clicked, this, &TCallForm::OKBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TCallForm::CancelBtnClick);

    setFixedSize(ClientWidth, ClientHeight);
}

void TCallForm::ask(const QString& text, std::function<void(int reply)> answered) {
    MsgLabel->setText(text);
    Reply = 0;
    Answered = std::move(answered);
    show();
    raise();
    activateWindow();
}

void TCallForm::choose(int reply) {
    if (Reply != 0)
        return; // a second click before the next announcement is no second answer
    Reply = reply;
    hide();
    Q_EMIT replied(reply);
    // The callback may show the next announcement, which installs a new one.
    if (auto answered = std::exchange(Answered, nullptr))
        answered(reply);
}

void TCallForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OKBtn->click();
        return;
    case Qt::Key_Escape:
        CancelBtn->click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TCallForm::closeEvent(QCloseEvent* event) {
    // Closing without a choice would leave the queue waiting for ever.
    event->ignore();
}
