#include "shell/msgbox/TMsgForm.h"

#include "shell/msgbox/Artwork.h"
#include "shell/msgbox/MsgBoxGeometry.h"
#include "shell/msgbox/TImageButton.h"

#include <QKeyEvent>
#include <QLabel>

TMsgForm::TMsgForm(const QString& caption, const QString& text, MsgKind kind, MsgButtons buttons,
                   int helpContext, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    using G = MsgBoxGeometry;
    setObjectName(QStringLiteral("MsgForm"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 204, 102));
    setPalette(pal);

    QuesBmp = makePicture(QStringLiteral("QuesBmp"), QStringLiteral("msg_question"));
    MsgLabel = new QLabel(this);
    MsgLabel->setObjectName(QStringLiteral("MsgLabel"));
    lowStripeBmp = new QLabel(this);
    lowStripeBmp->setObjectName(QStringLiteral("lowStripeBmp"));
    lowStripeBmp->setScaledContents(true);
    OKBtn = new TImageButton(QStringLiteral("OKBtn"), QStringLiteral("btn_ok"),
                             QSize(G::ButtonWidth, G::ButtonHeight), this);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->setCaptionShown(true);
    OKBtn->hide();
    CancelBtn = new TImageButton(QStringLiteral("CancelBtn"), QStringLiteral("btn_cancel"),
                                 QSize(G::ButtonWidth, G::ButtonHeight), this);
    CancelBtn->setText(QStringLiteral("Cancel"));
    CancelBtn->setCaptionShown(true);
    CancelBtn->hide();
    NoticeBmp = makePicture(QStringLiteral("NoticeBmp"), QStringLiteral("msg_notice"));
    ErrorBmp = makePicture(QStringLiteral("ErrorBmp"), QStringLiteral("msg_error"));
    NewCallBmp = makePicture(QStringLiteral("NewCallBmp"), QStringLiteral("msg_newcall"));
    connect(OKBtn, &QAbstractButton::clicked, this, &TMsgForm::OKBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TMsgForm::CancelBtnClick);

    setWindowTitle(caption);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    MsgLabel->setFont(font);
    MsgLabel->setWordWrap(false);
    MsgLabel->setTextFormat(Qt::PlainText);
    // Qt breaks plain-text lines at CR LF as the program's texts have them, so the label keeps the
    // text exactly as given.
    MsgLabel->setText(text);
    MsgLabel->adjustSize();
    const QSize textSize = MsgLabel->size();
    MsgLabel->move(G::LabelLeft, G::LabelTop);

    const MsgBoxGeometry g = ComputeMsgBoxGeometry(textSize, buttons);
    QLabel* picture = kind == mkError     ? ErrorBmp
                      : kind == mkNotice  ? NoticeBmp
                      : kind == mkNewCall ? NewCallBmp
                                          : QuesBmp;
    picture->move(0, g.pictureTop);
    picture->show();
    setProperty("helpContext", helpContext);

    lowStripeBmp->setPixmap(Artwork::pixmap(QStringLiteral("strip"), QSize(240, G::StripHeight)));
    lowStripeBmp->setVisible(g.stripHeight > 0);
    if (g.hasOK) {
        OKBtn->move(g.okPos);
        OKBtn->show();
    }
    if (g.hasCancel) {
        CancelBtn->move(g.cancelPos);
        CancelBtn->show();
    }
    StripHeight = g.stripHeight;
    setFixedSize(g.client);
    OKBtn->raise();
    CancelBtn->raise();
}

QLabel* TMsgForm::makePicture(const QString& name, const QString& art) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setPixmap(
        Artwork::pixmap(art, QSize(MsgBoxGeometry::PictureWidth, MsgBoxGeometry::PictureHeight)));
    label->setGeometry(0, 0, MsgBoxGeometry::PictureWidth, MsgBoxGeometry::PictureHeight);
    label->hide();
    return label;
}

void TMsgForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    lowStripeBmp->setGeometry(0, height() - StripHeight, width(), StripHeight);
}

void TMsgForm::keyPressEvent(QKeyEvent* event) {
    // Keyboard users press the visible buttons; nothing else closes the box.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (OKBtn->isVisible())
            OKBtn->click();
        return;
    case Qt::Key_Escape:
        if (CancelBtn->isVisible())
            CancelBtn->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
