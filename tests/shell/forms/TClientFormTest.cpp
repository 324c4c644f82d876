#include "ClientFixture.h"

#include "line/forms/TConnForm.h"
#include "shell/msgbox/TImageButton.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTreeWidget>

namespace {

using MainWindow = ClientFixture;

QObject* copyNamed(QObject* root, const QString& name) {
    for (QObject* o : root->findChildren<QObject*>(name))
        if (qobject_cast<QAction*>(o) || qobject_cast<QWidget*>(o))
            return o;
    return nullptr;
}

bool enabledCopy(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o))
        return a->isEnabled();
    auto* w = qobject_cast<QWidget*>(o);
    return w->isEnabledTo(w->parentWidget());
}

TEST_F(MainWindow, CommandsStartInTheirStatesAndSwitchAllCopiesTogether) {
    start();
    struct Copy {
        const char* name;
        bool enabled;
        std::optional<Command> command;
    };
    const Copy table[] = {
        {"MenuFolder", true, Command::NewFolder},
        {"NewFolderPb", false, Command::NewFolder},
        {"PhonebookEntryMb", true, Command::NewPhonebookEntry},
        {"PhoneNewPb", true, Command::NewPhonebookEntry},
        {"MenuRename", true, Command::RenameFolder},
        {"RenameFolderPb", false, Command::RenameFolder},
        {"MenuMoveFolder", false, Command::MoveMessage},
        {"MovePb", false, Command::MoveMessage},
        {"MenuConnect", true, Command::Connect},
        {"ConnectPb", true, Command::Connect},
        {"Menudisconnect", false, Command::Disconnect},
        {"DisconnectPb", true, Command::Disconnect},
        {"MenuDivert", true, Command::DivertCalls},
        {"MenuUndivert", false, Command::UndivertCalls},
        {"Cut1", false, Command::Cut},
        {"Copy1", false, Command::Copy},
        {"Paste1", false, Command::Paste},
        {"MbSelectAll", true, Command::SelectAll},
        {"MbDelete", false, Command::Delete},
        {"MsgDeletePb", false, Command::Delete},
        {"TbDelete", false, Command::Delete},
        {"PlayPb", false, Command::Play},
        {"TbPlay", false, Command::Play},
        {"StopPb", false, Command::Stop},
        {"TbStop", false, Command::Stop},
        {"PbAddToPhonebook", false, Command::AddToPhonebook},
        {"DetailsPb", false, Command::Details},
        {"TbDetails", true, Command::Details},
        {"DeleteFolderPb", false, Command::DeleteFolder},
        {"PhoneUpdatePb", false, Command::EditEntry},
        {"UpdateTb", false, Command::EditEntry},
        {"PhoneDeletePb", false, Command::DeleteEntry},
        {"TbNew", true, Command::NewToolbar},
        {"Exit1", true, std::nullopt},
        {"ExitPb", true, std::nullopt},
        {"OutgoingCall1", true, std::nullopt},
        {"Properties", true, std::nullopt},
        {"MbUserDetails", true, std::nullopt},
        {"MenuUnRegister", true, std::nullopt},
        {"MenuNirvoHelp", true, std::nullopt},
        {"SendE1", true, std::nullopt},
        {"MenuAbout", true, std::nullopt},
        {"TrayMenuAbout", true, std::nullopt},
        {"HelpPb", true, std::nullopt},
        {"TbHelp", true, std::nullopt},
        {"Date1", true, std::nullopt},
        {"EMail1", true, std::nullopt},
    };
    for (const Copy& c : table) {
        QObject* copy = copyNamed(client.get(), QLatin1String(c.name));
        ASSERT_NE(copy, nullptr) << c.name;
        EXPECT_EQ(enabledCopy(copy), c.enabled) << c.name;
        if (c.command) {
            EXPECT_TRUE(client->commandCopies(*c.command).contains(copy)) << c.name;
        }
    }

    // Every copy listed for a command follows the switch, whatever its own start state.
    for (const Copy& c : table) {
        if (!c.command)
            continue;
        for (bool on : {true, false, true}) {
            client->setCommandEnabled(*c.command, on);
            EXPECT_EQ(client->isCommandEnabled(*c.command), on) << c.name;
            EXPECT_EQ(enabledCopy(copyNamed(client.get(), QLatin1String(c.name))), on) << c.name;
        }
    }
}

TEST_F(MainWindow, MenusCarryTheirTextsAndShortcuts) {
    start();
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"Cut1", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"Copy1", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"Paste1", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"MbSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"MbDelete", QKeySequence(Qt::Key_Delete)},
        {"Properties", QKeySequence(Qt::CTRL | Qt::Key_P)},
    };
    for (auto [name, keys] : shortcuts)
        EXPECT_EQ(client->findChild<QAction*>(QLatin1String(name))->shortcut(), keys) << name;
    EXPECT_EQ(client->findChild<QAction*>(QStringLiteral("MenuUndivert"))->text(),
              QStringLiteral("&Undivert Calls"));
    EXPECT_EQ(client->findChild<QAction*>(QStringLiteral("MenuRename"))->text(),
              QStringLiteral("&Rename Folder..."));
    EXPECT_EQ(client->windowTitle(), QStringLiteral("Nirvo"));
    EXPECT_EQ(client->size(), QSize(448, 342));
    EXPECT_EQ(client->minimumSize(), QSize(300, 150));
    EXPECT_EQ(client->reminderLabel()->text(),
              QStringLiteral("Remember to check your dial tone after you exit Nirvo."));
    auto* list = qobject_cast<QTreeWidget*>(client->ListView());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Phone Number"));
    EXPECT_EQ(qobject_cast<QTreeWidget*>(client->PhoneListView())->columnCount(), 5);
    EXPECT_EQ(client->trayIcon()->toolTip(), QStringLiteral("Nirvo"));
    EXPECT_EQ(client->trayIcon()->contextMenu()->objectName(), QStringLiteral("TrayPopUp"));
}

TEST_F(MainWindow, ReminderHintEndsInOneDotHoweverOftenShown) {
    client->settings.Follow_Me_Hangup = QStringLiteral("#21");
    start();
    for (int i = 0; i < 4; ++i) {
        client->show();
        client->hide();
    }
    const QString hint = client->reminderLabel()->toolTip();
    EXPECT_TRUE(hint.startsWith(
        QStringLiteral("Nirvo performs follow me dial when you press connect.\r\nThe phone line")));
    EXPECT_TRUE(
        hint.endsWith(QStringLiteral("If you don't have a regular dialing tone, dial #21.")))
        << hint.toStdString();
    EXPECT_FALSE(hint.endsWith(QStringLiteral("..")));
}

TEST_F(MainWindow, OutgoingCallSaysItIsNotAvailable) {
    start();
    client->findChild<QAction*>(QStringLiteral("OutgoingCall1"))->trigger();
    ASSERT_EQ(fakeMessenger.shown.size(), 1);
    EXPECT_EQ(fakeMessenger.shown[0].caption, QStringLiteral("Outgoing Call"));
    EXPECT_EQ(fakeMessenger.shown[0].text,
              QStringLiteral("This service is not available in the version."));
    EXPECT_EQ(fakeMessenger.shown[0].kind, mkNotice);
    EXPECT_EQ(fakeMessenger.shown[0].buttons, mbOK);
}

TEST_F(MainWindow, HelpOpensThePageOfEachContext) {
    start();
    client->findChild<QAction*>(QStringLiteral("MenuNirvoHelp"))->trigger();
    QTest::mouseClick(client->findChild<TImageButton*>(QStringLiteral("TbHelp")), Qt::LeftButton);
    client->connForm()->HelpBtn->click();
    ASSERT_EQ(shell.opened.size(), 3);
    const char* pages[] = {"index.html", "mainwindow.html", "connect.html"};
    for (int i = 0; i < 3; ++i) {
        const QUrl& url = shell.opened[i];
        EXPECT_TRUE(url.isLocalFile());
        EXPECT_EQ(url.toLocalFile(), folder.dat(QStringLiteral("help/")) + QLatin1String(pages[i]));
        EXPECT_TRUE(QFile::exists(url.toLocalFile())) << url.toString().toStdString();
    }
    // Context help of the two views.
    for (auto [view, page] : {std::pair{client->TreeView(), "folders.html"},
                              std::pair{client->ListView(), "messages.html"}}) {
        client->show();
        QApplication::setActiveWindow(client.get());
        view->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }, 2000));
        shell.opened.clear();
        QTest::keyClick(view, Qt::Key_F1);
        ASSERT_EQ(shell.opened.size(), 1);
        EXPECT_TRUE(shell.opened[0].toLocalFile().endsWith(QLatin1String(page)));
    }
}

TEST_F(MainWindow, TrayDoubleClickShowsAndMinimiseHides) {
    start();
    EXPECT_FALSE(client->isVisible());
    client->TrayiconDblClick();
    EXPECT_TRUE(client->isVisible());
    client->showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !client->isVisible(); }, 2000));
    client->TrayiconDblClick();
    EXPECT_TRUE(client->isVisible());
    EXPECT_FALSE(client->isMinimized());

    // Three pictures that can be told apart.
    QList<QImage> pictures;
    for (auto image :
         {TClientForm::TrayOffline, TClientForm::TrayOnline, TClientForm::TrayNewMessage}) {
        client->SetTrayImage(image);
        EXPECT_EQ(client->trayImage(), image);
        pictures.append(client->trayIcon()->icon().pixmap(32, 32).toImage());
    }
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[1], pictures[2]);
    EXPECT_NE(pictures[0], pictures[2]);
    client->connForm()->MarkServerUp(true);
    EXPECT_EQ(client->trayImage(), TClientForm::TrayOnline);
    client->connForm()->MarkServerUp(false);
    EXPECT_EQ(client->trayImage(), TClientForm::TrayOffline);
}

TEST_F(MainWindow, ViewsCanBeReplacedAndNewFollowsTheVisibleList) {
    start();
    auto* tree = new QTreeWidget;
    auto* list = new QTreeWidget;
    QPointer<QWidget> oldList = client->ListView();
    client->setTreeView(tree);
    client->setListView(list);
    EXPECT_EQ(client->TreeView(), tree);
    EXPECT_EQ(client->findChild<QWidget*>(QStringLiteral("ListView")), list);
    EXPECT_EQ(tree->property("helpContext").toInt(), 110);
    EXPECT_EQ(list->property("helpContext").toInt(), 111);
    EXPECT_EQ(list->contextMenuPolicy(), Qt::CustomContextMenu);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oldList.isNull());

    QSignalSpy newFolder(client->findChild<QAction*>(QStringLiteral("MenuFolder")),
                         &QAction::triggered);
    QSignalSpy newEntry(client->findChild<QAction*>(QStringLiteral("PhonebookEntryMb")),
                        &QAction::triggered);
    auto* tbNew = client->findChild<TImageButton*>(QStringLiteral("TbNew"));
    tbNew->click();
    client->showPhoneList();
    tbNew->click();
    tbNew->click();
    EXPECT_EQ(newFolder.count(), 1);
    EXPECT_EQ(newEntry.count(), 2);
}

TEST_F(MainWindow, ConnectBringsBackTheDialogAndCancelShowsTheMainWindow) {
    start();
    TConnForm* conn = client->connForm();
    EXPECT_TRUE(conn->isVisible());
    conn->CancelBtn->click();
    EXPECT_FALSE(conn->isVisible());
    EXPECT_TRUE(client->isVisible());
    client->findChild<QAction*>(QStringLiteral("MenuConnect"))->trigger();
    EXPECT_TRUE(conn->isVisible());
}

} // namespace
