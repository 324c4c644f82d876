#include "shell/forms/TAboutBox.h"

#include "platform/shell/Shell.h"
#include "shell/forms/TLinkLabel.h"
#include "shell/msgbox/Artwork.h"
#include "shell/msgbox/TImageButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QUrl>

TAboutBox::TAboutBox(Shell& shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      Desktop(shell) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Nirvo"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 204, 102));
    setPalette(pal);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(96, 96); // drawn when the box is first shown
    ProductName = new QLabel(QStringLiteral("Nirvo"), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    ProductName->setFont(big);
    Patent = new QLabel(QStringLiteral("Patent Pending"), this);
    Patent->setObjectName(QStringLiteral("Patent"));
    Version = new QLabel(this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setText(QStringLiteral("Version 1.29"));
    Maker = new QLabel(QStringLiteral("Made by Nirvo Telephone Services"), this);
    Maker->setObjectName(QStringLiteral("Maker"));
    auto* visit = new QLabel(QStringLiteral("Visit us at"), this);
    homepageLbl = new TLinkLabel(QStringLiteral("homepageLbl"),
                                 QStringLiteral("https://www.nirvo.example.com/"), this);
    auto* mail = new QLabel(QStringLiteral("E-Mail:"), this);
    EmailLbl = new TLinkLabel(QStringLiteral("EmailLbl"),
                              QStringLiteral("support@nirvo.example.com"), this);
    OKButton =
        new TImageButton(QStringLiteral("OKButton"), QStringLiteral("btn_ok"), QSize(46, 40), this);
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setCaptionShown(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 10);
    grid->setHorizontalSpacing(12);
    grid->addWidget(ProgramIcon, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1, 1, 2);
    grid->addWidget(Patent, 1, 1, 1, 2);
    grid->addWidget(Version, 2, 1, 1, 2);
    grid->addWidget(Maker, 3, 1, 1, 2);
    grid->addWidget(visit, 4, 0, Qt::AlignRight);
    grid->addWidget(homepageLbl, 4, 1, 1, 2);
    grid->addWidget(mail, 5, 0, Qt::AlignRight);
    grid->addWidget(EmailLbl, 5, 1, 1, 2);
    grid->addWidget(OKButton, 6, 0, 1, 3, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(homepageLbl, &TLinkLabel::clicked, this, &TAboutBox::homepageLblClick);
    connect(EmailLbl, &TLinkLabel::clicked, this, &TAboutBox::EmailLblClick);
    connect(OKButton, &QAbstractButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::homepageLblClick() {
    Desktop.openUrl(QUrl(homepageLbl->text()));
}

void TAboutBox::EmailLblClick() {
    Desktop.openUrl(QUrl(QStringLiteral("mailto:") + EmailLbl->text()));
}

void TAboutBox::showEvent(QShowEvent* event) {
    if (ProgramIcon->pixmap().isNull())
        ProgramIcon->setPixmap(Artwork::pixmap(QStringLiteral("about"), QSize(96, 96)));
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}
