// Renders each window of the program into a PNG file, for looking at them without a desktop.
// Usage: nirvo_screenshots <output folder>. With a tray host on the display it also shoots the
// whole screen, tray included.
#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "line/forms/TConnForm.h"
#include "messages/forms/MessageBrowser.h"
#include "messages/forms/TFolderForm.h"
#include "messages/forms/TMoveForm.h"
#include "messages/notify/forms/TCallForm.h"
#include "messages/store/CallData.h"
#include "phonebook/forms/PhoneListView.h"
#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/store/PhonebookEntry.h"
#include "phonebook/store/PhonebookStore.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/shell/Shell.h"
#include "server/records/PhoneNumber.h"
#include "shell/forms/ClientProgram.h"
#include "shell/forms/TAboutBox.h"
#include "shell/forms/TClientForm.h"
#include "shell/forms/TSplashForm.h"
#include "shell/msgbox/AppMessageBox.h"
#include "shell/msgbox/Artwork.h"
#include "shell/msgbox/TMsgForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

namespace {
class NoShell : public Shell {
public:
    void openUrl(const QUrl&) override {}
};
class NoMessenger : public AppMessenger {
public:
    int ShowAppMessage(const QString&, const QString&, MsgKind, MsgButtons, int) override {
        return mrOK;
    }
};

QString OutDir;

void save(QWidget* w, const QString& name) {
    w->show();
    QTest::qWait(150); // let animations and layouts settle
    const QString path = OutDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!w->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    OutDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(OutDir);

    // A program folder with the shipped data, a few messages and a phonebook entry, so the
    // windows look lived in.
    QTemporaryDir programDir;
    const QString dat = programDir.path() + QStringLiteral("/dat");
    QDir().mkpath(dat + QStringLiteral("/rings"));
    QDir().mkpath(dat + QStringLiteral("/calls/inbox"));
    QDir().mkpath(dat + QStringLiteral("/phonebook"));
    QFile::copy(QStringLiteral(NIRVO_DATA_DIR "/Nirvo.ini"), dat + QStringLiteral("/Nirvo.ini"));
    const struct {
        qint32 number;
        const char* area;
        const char* local;
        double time;
        const char* ext;
    } samples[] = {{41, "03", "5551234", 46366.39, ".cxo"},
                   {42, "", "5559876", 46367.42, ".cxn"},
                   {43, "04", "8123456", 46367.61, ".cxn"}};
    for (const auto& m : samples) {
        Call_Info_Type info;
        info.MsgNumber = m.number;
        info.Caller = Phone_Number_Type(QLatin1String(m.area), QLatin1String(m.local));
        info.CallTime = m.time;
        WriteInfoFile(dat + QStringLiteral("/calls/inbox/"), info, QLatin1String(m.ext));
    }
    QDir::setCurrent(programDir.path());

    MemoryRegistry registry;
    // A modem port is known, so start-up does not probe the machine's serial ports.
    registry.openKey(QStringLiteral("Software\\Nirvo\\Comport"), true);
    registry.writeInteger(QStringLiteral("Software\\Nirvo\\Comport"), QStringLiteral("Comport"), 2);
    NoMessenger messenger;
    NoShell shell;
    ClientProgram program(registry, messenger, shell);
    program.client().EndProcess = [](int) {};
    if (!program.Start(programDir.path(), ServicePorts{0, 0})) {
        std::fprintf(stderr, "nirvo_screenshots: the program did not start\n");
        return 1;
    }
    TClientForm& client = program.client();
    Phonebook_Entry_Type(program.services().phonebook(), QStringLiteral("Dana"), QString(),
                         QStringLiteral("dana@example.com"), QStringLiteral("035551234"),
                         QStringLiteral("Levi"));
    program.services().browser().LoadMessageList();

    client.connForm()->StatusBar1->showMessage(QStringLiteral("Disconnected/Offline"));
    save(client.connForm(), QStringLiteral("connection-dialog"));
    save(&client, QStringLiteral("main-window"));
    client.showPhoneList();
    program.services().phoneList().LoadPhonebookList();
    save(&client, QStringLiteral("main-window-phonebook"));
    {
        TPhoneBookForm editor(program.services().phonebook(), messenger,
                              QStringLiteral("035551234"));
        save(&editor, QStringLiteral("phonebook-editor"));
        editor.hide();
    }
    client.showMessageList();
    {
        // The folder dialogs, the move one as it opens: modally, filled with the folder tree.
        MessageBrowser& browser = program.services().browser();
        TFolderForm* folder = browser.folderForm();
        folder->setWindowTitle(QStringLiteral("Create New Folder"));
        save(folder, QStringLiteral("create-folder"));
        folder->hide();
        TMoveForm* move = browser.moveForm();
        QTimer::singleShot(0, move, [move] {
            save(move, QStringLiteral("move-message"));
            move->reject();
        });
        move->ChooseFolder(browser.folders().tree(), QStringLiteral("dat/calls/"));
    }
    save(client.aboutBox(), QStringLiteral("about-box"));
    save(client.splashForm(), QStringLiteral("please-wait"));

    const struct {
        MsgKind kind;
        MsgButtons buttons;
        const char* file;
        const char* caption;
        const char* text;
    } boxes[] = {
        {mkError, mbOK, "msgbox-error", "Configuration File wasn't found!",
         "Configuration File wasn't found.\r\nContact technical support."},
        {mkNotice, mbOK, "msgbox-notice", "Outgoing Call",
         "This service is not available in the version."},
        {mkQuestion, mbOKCancel, "msgbox-question", "Are you sure you want to unregister?",
         "This will erase your Nirvo user information.\r\nYou will have to register again.\r\nAre "
         "you sure you want to unregister?"},
        {mkNewCall, mbOKCancel, "msgbox-newcall", "You have a phone call",
         "Dana Levi is calling.\r\nWill you answer?"},
    };
    for (const auto& b : boxes) {
        std::unique_ptr<TMsgForm> box(
            CreateAppMessage(QLatin1String(b.caption), QLatin1String(b.text), b.kind, b.buttons));
        save(box.get(), QLatin1String(b.file));
        box->hide();
    }

    {
        TCallForm announcement;
        announcement.ask(QStringLiteral("You have a new telephone message from 035551234 (Dana "
                                        "Levi). Would you like to hear it now?"),
                         [](int) {});
        save(&announcement, QStringLiteral("incoming-call-announcement"));
        announcement.hide();
    }

    // The three tray pictures side by side, at the sizes trays use.
    QPixmap sheet(3 * 40 + 8, 40);
    sheet.fill(QColor(60, 60, 60));
    {
        QPainter p(&sheet);
        const char* names[] = {"tray_offline", "tray_online", "tray_newmsg"};
        for (int i = 0; i < 3; ++i)
            p.drawPixmap(4 + i * 40, 4, Artwork::pixmap(QLatin1String(names[i]), QSize(32, 32)));
    }
    sheet.save(OutDir + QStringLiteral("/tray-icons.png"));

    (void)QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 3000);
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        client.connForm()->hide();
        client.aboutBox()->hide();
        client.splashForm()->hide();
        client.SetTrayImage(TClientForm::TrayNewMessage);
        client.show();
        QTest::qWait(1500); // the tray host docks the icon
        if (QScreen* s = QGuiApplication::primaryScreen())
            s->grabWindow(0).save(OutDir + QStringLiteral("/desktop-with-tray.png"));
    }
    return 0;
}
