#include "phonebook/forms/TPhoneBookForm.h"

#include "core/AppMessage.h"
#include "phonebook/store/PhonebookStore.h"
#include "server/records/PhoneNumber.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Up to 11 digits; empty places show as "_".
const QString PhoneMask = QStringLiteral("00000000000;_");
constexpr int PhoneMaskDigits = 11;

const QColor FormColour(255, 204, 102);

bool fitsPhoneMask(const QString& number) {
    if (number.size() > PhoneMaskDigits)
        return false;
    for (QChar c : number) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

TPhoneBookForm::TPhoneBookForm(PhonebookStore& store, AppMessenger& messenger,
                               const QString& number, QWidget* parent)
    : QDialog(parent), Store(store), Messenger(messenger),
      OpeningNumber(number.left(Phonebook_Entry_Type::NumberCapacity)) {
    buildControls();

    if (!OpeningNumber.isEmpty()) {
        showNumber(MaskEditPhoneNumber, OpeningNumber);
        OpenedOnEntry = Store.hasEntry(OpeningNumber);
        if (OpenedOnEntry) {
            const Phonebook_Entry_Type existing(Store, OpeningNumber);
            EditFirstName->setText(existing.FirstName);
            EditLastName->setText(existing.LastName);
            showNumber(MaskEdit2ndPhoneNumber, existing.SecondNumber);
            EditEMail->setText(existing.EMail);
        }
    }
}

TPhoneBookForm::TPhoneBookForm(PhonebookStore& store, AppMessenger& messenger,
                               const Phone_Number_Type& caller, QWidget* parent)
    : TPhoneBookForm(store, messenger, GetDisplayNumber(caller), parent) {}

void TPhoneBookForm::buildControls() {
    setObjectName(QStringLiteral("PhoneBookForm"));
    setWindowTitle(QStringLiteral("Phoenbook"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FormColour);
    setPalette(pal);
    setAutoFillBackground(true);

    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    EditFirstName = makeEdit("EditFirstName");
    EditLastName = makeEdit("EditLastName");
    MaskEditPhoneNumber = makeEdit("MaskEditPhoneNumber");
    MaskEdit2ndPhoneNumber = makeEdit("MaskEdit2ndPhoneNumber");
    EditEMail = makeEdit("EditEMail");
    EditEMail->setMaxLength(Phonebook_Entry_Type::EMailCapacity);
    showNumber(MaskEditPhoneNumber, QString());
    showNumber(MaskEdit2ndPhoneNumber, QString());

    auto* grid = new QGridLayout;
    const struct {
        const char* text;
        QLineEdit* edit;
    } rows[] = {{"First Name:", EditFirstName},
                {"Last Name:", EditLastName},
                {"Phone Number:", MaskEditPhoneNumber},
                {"2nd Phone Number:", MaskEdit2ndPhoneNumber},
                {"E-Mail:", EditEMail}};
    // Number fields are as wide as the longest number they can hold; the texts get more room.
    const int numberWidth = MaskEditPhoneNumber->fontMetrics().horizontalAdvance(
                                QString(Phonebook_Entry_Type::NumberCapacity, QLatin1Char('0'))) +
                            16;
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QLatin1String(r.text), this);
        label->setBuddy(r.edit);
        grid->addWidget(label, row, 0);
        const bool isNumber = r.edit == MaskEditPhoneNumber || r.edit == MaskEdit2ndPhoneNumber;
        if (isNumber)
            r.edit->setFixedWidth(numberWidth);
        else
            r.edit->setMinimumWidth(numberWidth * 2);
        grid->addWidget(r.edit, row, 1, isNumber ? Qt::AlignLeft : Qt::Alignment());
        ++row;
    }

    BtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                            this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOK, &QPushButton::clicked, this, &TPhoneBookForm::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TPhoneBookForm::BtnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(EditFirstName, EditLastName);
    setTabOrder(EditLastName, MaskEditPhoneNumber);
    setTabOrder(MaskEditPhoneNumber, MaskEdit2ndPhoneNumber);
    setTabOrder(MaskEdit2ndPhoneNumber, EditEMail);
    setTabOrder(EditEMail, BtnOK);
    setTabOrder(BtnOK, BtnCancel);
}

// A number the 11-digit mask would mangle (a caller's longer number, or one with other
// characters) is shown as it is, so that what is saved still matches the caller exactly.
void TPhoneBookForm::showNumber(QLineEdit* field, const QString& number) {
    if (fitsPhoneMask(number)) {
        field->setMaxLength(32767);
        field->setInputMask(PhoneMask);
    } else {
        field->setInputMask(QString());
        field->setMaxLength(Phonebook_Entry_Type::NumberCapacity);
    }
    field->setText(number);
}

void TPhoneBookForm::BtnOkClick() {
    const QString number = MaskEditPhoneNumber->text().trimmed();
    if (number.isEmpty()) {
        Messenger.ShowAppMessage(QStringLiteral("Missing phone number"),
                                 QStringLiteral("Please enter a phone number."), mkNotice, mbOK);
        MaskEditPhoneNumber->setFocus();
        return;
    }

    Phonebook_Entry_Type entry;
    entry.FirstName = EditFirstName->text().trimmed();
    entry.LastName = EditLastName->text().trimmed();
    entry.HomeNumber = number;
    entry.SecondNumber = MaskEdit2ndPhoneNumber->text().trimmed();
    entry.EMail = EditEMail->text().trimmed();
    entry = entry.fitted();

    // The number becomes a file name; one that could name a file outside the phonebook, or
    // none at all, is refused here rather than written somewhere unexpected.
    if (!PhonebookStore::isStorableNumber(entry.HomeNumber)) {
        Messenger.ShowAppMessage(QStringLiteral("Invalid phone number"),
                                 QStringLiteral("This phone number can not be saved in the "
                                                "phonebook.\r\nPlease use digits only."),
                                 mkError, mbOK);
        MaskEditPhoneNumber->setFocus();
        return;
    }

    Saved = Store.Save(entry);
    // The old file goes only once the new one is safely written, so a failed save never loses
    // the entry.
    if (Saved && OpenedOnEntry && entry.HomeNumber != OpeningNumber)
        Store.Erase(OpeningNumber);
    Entry = entry;
    accept();
}

void TPhoneBookForm::BtnCancelClick() {
    reject();
}

std::optional<Phonebook_Entry_Type>
OpenNewPhonebookEntry(PhonebookStore& store, AppMessenger& messenger, QWidget* parent) {
    TPhoneBookForm form(store, messenger, QString(), parent);
    if (form.exec() == QDialog::Accepted && form.saved())
        return form.entry();
    return std::nullopt;
}

bool EditPhonebookEntry(PhonebookStore& store, AppMessenger& messenger, const QString& homeNumber,
                        QWidget* parent) {
    TPhoneBookForm form(store, messenger, homeNumber, parent);
    return form.exec() == QDialog::Accepted;
}

bool AddCallerToPhonebook(PhonebookStore& store, AppMessenger& messenger,
                          const Phone_Number_Type& caller, QWidget* parent) {
    return AddCallerToPhonebook(store, messenger, GetDisplayNumber(caller), parent);
}

bool AddCallerToPhonebook(PhonebookStore& store, AppMessenger& messenger,
                          const QString& displayNumber, QWidget* parent) {
    TPhoneBookForm form(store, messenger, displayNumber, parent);
    return form.exec() == QDialog::Accepted;
}
