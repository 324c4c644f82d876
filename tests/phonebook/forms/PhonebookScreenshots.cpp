// Renders the phonebook editor and list to PNG files for review:
//   phonebook_screenshots <output folder>
// writes TPhoneBookForm.png, TPhoneBookForm-edit.png and PhoneListView.png. The sample phonebook
// lives in a temporary folder that is removed afterwards.
#include "core/AppMessage.h"
#include "core/Commands.h"
#include "phonebook/forms/PhoneListView.h"
#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/store/PhonebookStore.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

class QuietMessenger : public AppMessenger {
public:
    int ShowAppMessage(const QString& caption, const QString& text, MsgKind, MsgButtons,
                       int) override {
        QTextStream(stderr) << caption << ": " << text << '\n';
        return mrOK;
    }
};

class NoCommands : public CommandSwitch {
public:
    void setCommandEnabled(Command, bool) override {}
    bool isCommandEnabled(Command) const override { return true; }
};

bool save(QWidget& widget, const QString& path) {
    widget.show();
    QApplication::processEvents();
    const bool ok = widget.grab().save(path);
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << path << '\n';
    widget.hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    QTemporaryDir temp;
    QuietMessenger messenger;
    NoCommands commands;
    PhonebookStore store(temp.path() + QStringLiteral("/phonebook"), messenger);
    const struct {
        const char *first, *last, *home, *mail, *second;
    } samples[] = {
        {"John", "Smith", "0525551234", "john.smith@example.com", "0529876543"},
        {"Ann", "Lee", "0771234567", "ann@example.org", ""},
        {"", "Plumber", "035551212", "", ""},
        {"Maria", "Gonzalez-Rodriguez", "0541112223", "maria@example.net", "031234567"},
    };
    for (const auto& s : samples)
        Phonebook_Entry_Type(store, QLatin1String(s.first), QLatin1String(s.second),
                             QLatin1String(s.mail), QLatin1String(s.home), QLatin1String(s.last));

    bool ok = true;
    {
        TPhoneBookForm form(store, messenger, QString());
        ok &= save(form, out + QStringLiteral("/TPhoneBookForm.png"));
    }
    {
        TPhoneBookForm form(store, messenger, QStringLiteral("0525551234"));
        ok &= save(form, out + QStringLiteral("/TPhoneBookForm-edit.png"));
    }
    {
        PhoneListView list(store, messenger, commands);
        list.resize(448 - 140, 220);
        list.LoadPhonebookList();
        list.topLevelItem(1)->setSelected(true);
        ok &= save(list, out + QStringLiteral("/PhoneListView.png"));
    }
    return ok ? 0 : 1;
}
