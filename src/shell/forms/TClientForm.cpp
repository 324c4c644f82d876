#include "shell/forms/TClientForm.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "line/forms/TConnForm.h"
#include "platform/registry/Registry.h"
#include "platform/shell/Shell.h"
#include "settings/forms/TPropForm.h"
#include "shell/forms/ShellFiles.h"
#include "shell/forms/TAboutBox.h"
#include "shell/forms/TAnimation.h"
#include "shell/forms/TSplashForm.h"
#include "shell/msgbox/Artwork.h"
#include "shell/msgbox/TImageButton.h"
#include "shell/msgbox/TPicture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>

namespace {
const QColor WindowColour(255, 204, 102);

QTreeWidget* placeholderList(const QStringList& columns) {
    auto* view = new QTreeWidget;
    view->setRootIsDecorated(false);
    view->setHeaderLabels(columns);
    return view;
}

QIcon trayIconFor(TClientForm::TrayImage image) {
    static const char* const names[] = {"tray_offline", "tray_online", "tray_newmsg"};
    // One size; the icon scales it down for smaller trays.
    return QIcon(Artwork::pixmap(QLatin1String(names[image]), QSize(32, 32)));
}
} // namespace

TClientForm::TClientForm(Registry& registry, AppMessenger& messenger, Shell& shell, QWidget* parent)
    : QMainWindow(parent), Reg(registry), Messenger(messenger), Desktop(shell) {
    EndProcess = [](int code) { std::_Exit(code); };
    setObjectName(QStringLiteral("ClientForm"));
    setWindowTitle(QStringLiteral("Nirvo"));
    setProperty("helpContext", HelpContext);
    resize(448, 342);
    setMinimumSize(300, 150);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColour);
    setPalette(pal);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("ToolbarStrip"));
    buildToolbar(strip);
    column->addWidget(strip);

    Splitter = new QSplitter(Qt::Horizontal, central);
    Splitter->setObjectName(QStringLiteral("Splitter1"));
    Tree = new QTreeWidget;
    static_cast<QTreeWidget*>(Tree)->setHeaderHidden(true);
    styleView(Tree, "TreeView", TreeHelpContext);
    Splitter->addWidget(Tree);
    ListPages = new QStackedWidget;
    ListPages->setObjectName(QStringLiteral("ListPages"));
    MsgList = placeholderList(
        {QStringLiteral("Date"), QStringLiteral("Phone Number"), QStringLiteral("Name")});
    styleView(MsgList, "ListView", ListHelpContext);
    PhoneList = placeholderList({QStringLiteral("First Name"), QStringLiteral("Last Name"),
                                 QStringLiteral("Home Number"), QStringLiteral("E-Mail"),
                                 QStringLiteral("Second Number")});
    styleView(PhoneList, "PhoneListView", ListHelpContext);
    ListPages->addWidget(MsgList);
    ListPages->addWidget(PhoneList);
    Splitter->addWidget(ListPages);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({140, 300});
    column->addWidget(Splitter, 1);

    auto* bottom = new TPicture(QStringLiteral("BottomImage"), QStringLiteral("strip"), central);
    bottom->setFixedHeight(40);
    bottom->setMinimumWidth(1);
    auto* bottomRow = new QHBoxLayout(bottom);
    bottomRow->setContentsMargins(8, 0, 8, 0);
    ReminderLabel = new QLabel(
        QStringLiteral("Remember to check your dial tone after you exit Nirvo."), bottom);
    ReminderLabel->setObjectName(QStringLiteral("ReminderLabel"));
    QFont reminderFont(QStringLiteral("Verdana"));
    reminderFont.setPointSize(8);
    reminderFont.setBold(true);
    ReminderLabel->setFont(reminderFont);
    QPalette yellow = ReminderLabel->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    ReminderLabel->setPalette(yellow);
    bottomRow->addWidget(ReminderLabel);
    column->addWidget(bottom);
    setCentralWidget(central);

    buildMenus();
    buildPopups();
    buildTray();

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TClientForm::ContextHelp);
}

TClientForm::~TClientForm() = default;

// ---------------------------------------------------------------------------------------------
// Building the commands

QAction* TClientForm::addItem(QMenu* menu, const char* name, const QString& text,
                              std::optional<Command> command, bool enabled,
                              void (TClientForm::*handler)(), const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    if (command)
        Commands.add(*command, action);
    return action;
}

TImageButton* TClientForm::addToolButton(const char* name, const char* art, const QString& tip,
                                         std::optional<Command> command, bool enabled,
                                         void (TClientForm::*handler)()) {
    auto* button = new TImageButton(QLatin1String(name), QLatin1String(art), QSize(32, 32));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(tip);
    button->setText(tip);
    button->setEnabled(enabled);
    if (handler)
        connect(button, &QAbstractButton::clicked, this, handler);
    if (command)
        Commands.add(*command, button);
    return button;
}

void TClientForm::buildToolbar(QWidget* strip) {
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, QColor(232, 166, 60));
    strip->setPalette(pal);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(3);
    ToolAnim = new TAnimation(QStringLiteral("Animate1"), strip);
    ToolAnim->setFixedSize(64, 32);
    row->addWidget(ToolAnim);
    // Handlers of later features connect to these buttons' clicked signals.
    row->addWidget(
        addToolButton("TbPlay", "tb_play", QStringLiteral("Play"), Command::Play, false));
    row->addWidget(
        addToolButton("TbStop", "tb_stop", QStringLiteral("Stop"), Command::Stop, false));
    row->addWidget(
        addToolButton("TbDelete", "tb_delete", QStringLiteral("Delete"), Command::Delete, false));
    row->addWidget(addToolButton("UpdateTb", "tb_update", QStringLiteral("Edit Entry"),
                                 Command::EditEntry, false));
    row->addWidget(addToolButton("TbDetails", "tb_details", QStringLiteral("Details"),
                                 Command::Details, true));
    row->addWidget(addToolButton("TbNew", "tb_new", QStringLiteral("New"), Command::NewToolbar,
                                 true, &TClientForm::TbNewClick));
    row->addWidget(addToolButton("TbHelp", "tb_help", QStringLiteral("Help"), std::nullopt, true,
                                 &TClientForm::TbHelpClick));
    auto* rest = new TPicture(QStringLiteral("ToolbarImage"), QStringLiteral("strip"), strip);
    rest->setMinimumWidth(1);
    rest->setFixedHeight(32);
    row->addWidget(rest, 1);
}

void TClientForm::buildMenus() {
    QMenu* file = addTopMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    QMenu* newMenu = file->addMenu(QStringLiteral("&New"));
    newMenu->setObjectName(QStringLiteral("New1"));
    MenuFolder =
        addItem(newMenu, "MenuFolder", QStringLiteral("&Folder..."), Command::NewFolder, true);
    PhonebookEntryMb = addItem(newMenu, "PhonebookEntryMb", QStringLiteral("&Phonebook Entry..."),
                               Command::NewPhonebookEntry, true);
    addItem(file, "MenuRename", QStringLiteral("&Rename Folder..."), Command::RenameFolder, true);
    addItem(file, "MenuMoveFolder", QStringLiteral("Move To Folder..."), Command::MoveMessage,
            false);
    file->addSeparator();
    addItem(file, "MenuConnect", QStringLiteral("&Connect"), Command::Connect, true,
            &TClientForm::MenuConnectClick);
    addItem(file, "Menudisconnect", QStringLiteral("&Disconnect"), Command::Disconnect, false,
            &TClientForm::MenudisconnectClick);
    file->addSeparator();
    addItem(file, "MenuDivert", QStringLiteral("Di&vert Calls"), Command::DivertCalls, true);
    addItem(file, "MenuUndivert", QStringLiteral("&Undivert Calls"), Command::UndivertCalls, false);
    file->addSeparator();
    addItem(file, "Exit1", QStringLiteral("E&xit"), std::nullopt, true, &TClientForm::Exit1Click);

    QMenu* edit = addTopMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    addItem(edit, "Cut1", QStringLiteral("Cu&t"), Command::Cut, false, nullptr,
            QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(edit, "Copy1", QStringLiteral("&Copy"), Command::Copy, false, nullptr,
            QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, "Paste1", QStringLiteral("&Paste"), Command::Paste, false, nullptr,
            QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addSeparator();
    addItem(edit, "MbSelectAll", QStringLiteral("&Select All"), Command::SelectAll, true, nullptr,
            QKeySequence(Qt::CTRL | Qt::Key_A));
    addItem(edit, "MbDelete", QStringLiteral("&Delete"), Command::Delete, false, nullptr,
            QKeySequence(Qt::Key_Delete));

    QMenu* call = addTopMenu(QStringLiteral("&Call"));
    call->setObjectName(QStringLiteral("Call1"));
    addItem(call, "OutgoingCall1", QStringLiteral("&Outgoing Call"), std::nullopt, true,
            &TClientForm::OutgoingCall1Click);

    QMenu* setup = addTopMenu(QStringLiteral("&Setup"));
    setup->setObjectName(QStringLiteral("Setup1"));
    addItem(setup, "Properties", QStringLiteral("&Properties..."), std::nullopt, true,
            &TClientForm::PropertiesClick, QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(setup, "MbUserDetails", QStringLiteral("&User Details..."), std::nullopt, true);
    addItem(setup, "MenuUnRegister", QStringLiteral("U&nregister"), std::nullopt, true,
            &TClientForm::MenuUnRegisterClick);

    QMenu* view = addTopMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    QMenu* sortMessages = view->addMenu(QStringLiteral("Sort Messages By"));
    sortMessages->setObjectName(QStringLiteral("SortMessagesBy1"));
    addItem(sortMessages, "Date1", QStringLiteral("&Date"), std::nullopt, true);
    addItem(sortMessages, "PhoneNumber1", QStringLiteral("&Phone Number"), std::nullopt, true);
    addItem(sortMessages, "Name1", QStringLiteral("&Name"), std::nullopt, true);
    QMenu* sortPhonebook = view->addMenu(QStringLiteral("Sort Phonebook By"));
    sortPhonebook->setObjectName(QStringLiteral("SortPhonebookBy1"));
    addItem(sortPhonebook, "FirstName1", QStringLiteral("&First Name"), std::nullopt, true);
    addItem(sortPhonebook, "LastName1", QStringLiteral("&Last Name"), std::nullopt, true);
    addItem(sortPhonebook, "HomeNumber1", QStringLiteral("&Home Number"), std::nullopt, true);
    addItem(sortPhonebook, "EMail1", QStringLiteral("&E-Mail"), std::nullopt, true);

    QMenu* help = addTopMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    addItem(help, "MenuNirvoHelp", QStringLiteral("&Contents"), std::nullopt, true,
            &TClientForm::MenuNirvoHelpClick);
    addItem(help, "SendE1", QStringLiteral("&Invite a Friend"), std::nullopt, true);
    help->addSeparator();
    addItem(help, "MenuAbout", QStringLiteral("&About"), std::nullopt, true,
            &TClientForm::MenuAboutClick);
}

QMenu* TClientForm::addTopMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    TopMenus.append(menu);
    return menu;
}

void TClientForm::attachMenuBar() {
    // A menu bar costs the start-up an image plugin scan for its overflow button; the window is
    // hidden until the user or the server brings it up, so the bar is made then.
    if (TopMenus.isEmpty())
        return;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (QMenu* menu : std::as_const(TopMenus))
        bar->addMenu(menu);
    TopMenus.clear();
}

void TClientForm::buildPopups() {
    FolderPopup = new QMenu(this);
    FolderPopup->setObjectName(QStringLiteral("FolderPopup"));
    addItem(FolderPopup, "NewFolderPb", QStringLiteral("&New Folder..."), Command::NewFolder,
            false);
    addItem(FolderPopup, "RenameFolderPb", QStringLiteral("&Rename Folder..."),
            Command::RenameFolder, false);
    addItem(FolderPopup, "DeleteFolderPb", QStringLiteral("&Delete Folder"), Command::DeleteFolder,
            false);

    MsgPopup = new QMenu(this);
    MsgPopup->setObjectName(QStringLiteral("MsgPopup"));
    addItem(MsgPopup, "PlayPb", QStringLiteral("&Play"), Command::Play, false);
    addItem(MsgPopup, "StopPb", QStringLiteral("&Stop"), Command::Stop, false);
    MsgPopup->addSeparator();
    addItem(MsgPopup, "MovePb", QStringLiteral("Move..."), Command::MoveMessage, false);
    addItem(MsgPopup, "MsgDeletePb", QStringLiteral("&Delete"), Command::Delete, false);
    addItem(MsgPopup, "PbAddToPhonebook", QStringLiteral("&Add To Phonebook..."),
            Command::AddToPhonebook, false);
    addItem(MsgPopup, "DetailsPb", QStringLiteral("D&etails..."), Command::Details, false);

    PhonePopup = new QMenu(this);
    PhonePopup->setObjectName(QStringLiteral("PhonePopup"));
    addItem(PhonePopup, "PhoneNewPb", QStringLiteral("New..."), Command::NewPhonebookEntry, true);
    addItem(PhonePopup, "PhoneUpdatePb", QStringLiteral("Edit..."), Command::EditEntry, false);
    addItem(PhonePopup, "PhoneDeletePb", QStringLiteral("Delete..."), Command::DeleteEntry, false);

    attachPopup(Tree, FolderPopup);
    attachPopup(MsgList, MsgPopup);
    attachPopup(PhoneList, PhonePopup);
}

void TClientForm::attachPopup(QWidget* view, QMenu* popup) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, popup,
            [view, popup](const QPoint& at) { popup->popup(view->mapToGlobal(at)); });
}

void TClientForm::buildTray() {
    TrayPopUp = new QMenu(this);
    TrayPopUp->setObjectName(QStringLiteral("TrayPopUp"));
    addItem(TrayPopUp, "ConnectPb", QStringLiteral("&Connect"), Command::Connect, true,
            &TClientForm::MenuConnectClick);
    addItem(TrayPopUp, "DisconnectPb", QStringLiteral("&Disconnect"), Command::Disconnect, true,
            &TClientForm::MenudisconnectClick);
    TrayPopUp->addSeparator();
    addItem(TrayPopUp, "HelpPb", QStringLiteral("&Help"), std::nullopt, true);
    addItem(TrayPopUp, "TrayMenuAbout", QStringLiteral("&About"), std::nullopt, true,
            &TClientForm::MenuAboutClick);
    TrayPopUp->addSeparator();
    addItem(TrayPopUp, "ExitPb", QStringLiteral("E&xit"), std::nullopt, true,
            &TClientForm::Exit1Click);

    Trayicon = new QSystemTrayIcon(this);
    Trayicon->setObjectName(QStringLiteral("Trayicon"));
    Trayicon->setToolTip(QStringLiteral("Nirvo"));
    Trayicon->setContextMenu(TrayPopUp);
    Trayicon->setIcon(trayIconFor(TrayOffline));
    connect(Trayicon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    TrayiconDblClick();
            });
}

// ---------------------------------------------------------------------------------------------
// Start-up

TClientForm::StartResult TClientForm::FormCreate(ActivityLog& log, const QString& programDir) {
    // The random ring draws from QRandomGenerator, which seeds itself.
    QString error;
    if (!log.open(QStringLiteral("dat/log.txt"), &error)) {
        Messenger.ShowAppMessage(
            QStringLiteral("File error"),
            QStringLiteral("Cannot create the activity log dat/log.txt in %1:\r\n%2\r\nNirvo "
                           "cannot run without its dat folder. Please reinstall Nirvo.")
                .arg(QDir::toNativeSeparators(QDir::currentPath()), error),
            mkError, mbOK);
        return StartResult::LogFailed;
    }
    InstallActivityLog(&log);
    WriteLog(QStringLiteral("Client started."));

    ConnForm = new TConnForm(Reg, Messenger, this);
    connect(ConnForm, &TConnForm::mainWindowWanted, this, [this] {
        show();
        raise();
        activateWindow();
    });
    connect(ConnForm, &TConnForm::propertiesWanted, this, &TClientForm::PropertiesClick);
    connect(ConnForm, &TConnForm::helpWanted, this, &TClientForm::OpenHelp);
    connect(ConnForm, &TConnForm::serverUpChanged, this,
            [this](bool up) { SetTrayImage(up ? TrayOnline : TrayOffline); });

    PropForm = new TPropForm(Reg, Messenger, this);
    if (!PropForm->LoadSettings()) {
        EndProcess(1);
        return StartResult::Ended;
    }

    NoticeBusy = false;
    Trayicon->show();

    QString failed;
    if (!ShellFiles::CreateDataFolders(programDir, &failed))
        WriteLog(QStringLiteral("Cannot create folder ") + failed);

    // The folder tree comes from dat/treeview.txt (or its default), then the Inbox is selected.
    if (LoadFolderTree)
        LoadFolderTree(*this);

    if (liveSettings().Ontop)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);

    if (LoadPhonebook)
        LoadPhonebook(*this);

    ConnForm->show();
    return StartResult::Ready;
}

void TClientForm::CreateSecondaryForms() {
    SplashForm = new TSplashForm(this);
    AboutBox = new TAboutBox(Desktop, this);
    SplashForm->SetUpPleaseWait();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TClientForm::setCommandEnabled(Command command, bool enabled) {
    Commands.setEnabled(command, enabled);
}

bool TClientForm::isCommandEnabled(Command command) const {
    return Commands.isEnabled(command);
}

void TClientForm::Exit1Click() {
    close();
}

void TClientForm::MenuConnectClick() {
    // Hiding first makes the window manager bring the dialog to the front when it reappears.
    ConnForm->hide();
    ConnForm->show();
}

void TClientForm::MenudisconnectClick() {
    ConnForm->ConfirmDisconnect(QStringLiteral("Disconnect Nirvo and Internet connection?"));
}

void TClientForm::OutgoingCall1Click() {
    Messenger.ShowAppMessage(QStringLiteral("Outgoing Call"),
                             QStringLiteral("This service is not available in the version."),
                             mkNotice, mbOK);
}

void TClientForm::PropertiesClick() {
    PropForm->show();
}

void TClientForm::MenuAboutClick() {
    AboutBox->show();
    AboutBox->raise();
}

void TClientForm::TbNewClick() {
    if (phoneListShown())
        PhonebookEntryMb->trigger();
    else
        MenuFolder->trigger();
}

void TClientForm::OpenHelp(int context) {
    Desktop.openUrl(
        ShellFiles::HelpUrl(QDir::current().absoluteFilePath(QStringLiteral("dat/help")), context));
}

void TClientForm::ContextHelp() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QVariant context = w->property("helpContext");
        if (context.isValid()) {
            OpenHelp(context.toInt());
            return;
        }
    }
    OpenHelp(HelpContext);
}

void TClientForm::MenuUnRegisterClick() {
    if (Messenger.ShowAppMessage(QStringLiteral("Are you sure you want to unregister?"),
                                 QStringLiteral("This will erase your Nirvo user information.\r\n"
                                                "You will have to register again.\r\n"
                                                "Are you sure you want to unregister?"),
                                 mkQuestion, mbOKCancel) != mrOK)
        return;
    // The Application key stays, so the id of the last message survives a new registration.
    for (const char* key : {"Follow", "User", "Properties", "Comport"})
        Reg.deleteKey(QStringLiteral("Software\\Nirvo\\") + QLatin1String(key));
    Messenger.ShowAppMessage(QStringLiteral("Nirvo shutdown"),
                             QStringLiteral("Nirvo will now Exit.\r\nconnect the internet, Run "
                                            "Nirvo again and re-register."),
                             mkNotice, mbOK);
    if (!ConnForm->DisconnectAll())
        return;
    Trayicon->hide();
    EndProcess(0);
}

bool TClientForm::ConfirmExit() {
    setEnabled(false);
    const QString question =
        ConnForm->InternetConnected()
            ? QStringLiteral(
                  "Are you sure you want to exit Nirvo and disconnect from the Internet?")
            : QStringLiteral("Are you sure you want to exit Nirvo?");
    if (!ConnForm->ConfirmDisconnect(question)) {
        setEnabled(true);
        return false;
    }
    if (liveSettings().Remove)
        ShellFiles::DeleteFilesIn(QStringLiteral("dat/calls/deleted items"));
    Trayicon->hide();
    EndProcess(0);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Window events

const LiveSettings& TClientForm::liveSettings() const {
    static const LiveSettings beforeLoad;
    return PropForm ? PropForm->settings() : beforeLoad;
}

void TClientForm::closeEvent(QCloseEvent* event) {
    if (ConfirmExit())
        event->accept();
    else
        event->ignore();
}

void TClientForm::showEvent(QShowEvent* event) {
    attachMenuBar();
    QMainWindow::showEvent(event);
    // Built from its parts every time, so showing the window again never adds a second ".".
    ReminderLabel->setToolTip(ShellFiles::ReminderHint(liveSettings().Follow_Me_Hangup));
}

void TClientForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Minimised, the window lives on in the tray only; it comes back in its normal state.
        QTimer::singleShot(0, this, [this] {
            hide();
            setWindowState(windowState() & ~Qt::WindowMinimized);
        });
    }
}

void TClientForm::TrayiconDblClick() {
    if (isHidden())
        show();
    if (isMinimized())
        showNormal();
    // Bringing a window forward is the window manager's call; raising and activating asks it.
    raise();
    activateWindow();
}

void TClientForm::SetTrayImage(TrayImage image) {
    CurrentTrayImage = image;
    Trayicon->setIcon(trayIconFor(image));
}

// ---------------------------------------------------------------------------------------------
// Views

void TClientForm::styleView(QWidget* view, const char* name, int helpContext) {
    view->setObjectName(QLatin1String(name));
    view->setProperty("helpContext", helpContext);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, WindowColour);
    pal.setColor(QPalette::Window, WindowColour);
    view->setPalette(pal);
}

void TClientForm::replaceView(QWidget*& slot, QWidget* view, const char* name, int helpContext,
                              QMenu* popup) {
    if (!view || view == slot)
        return;
    styleView(view, name, helpContext);
    attachPopup(view, popup);
    QWidget* old = slot;
    if (old == Tree) {
        Splitter->replaceWidget(Splitter->indexOf(old), view);
    } else {
        const int index = ListPages->indexOf(old);
        const bool current = ListPages->currentWidget() == old;
        ListPages->insertWidget(index, view);
        ListPages->removeWidget(old);
        if (current)
            ListPages->setCurrentWidget(view);
    }
    slot = view;
    // Gone from the window's names at once, so look-ups by name find the new view.
    old->setObjectName(QString());
    old->deleteLater();
}

void TClientForm::setTreeView(QWidget* view) {
    replaceView(Tree, view, "TreeView", TreeHelpContext, FolderPopup);
}

void TClientForm::setListView(QWidget* view) {
    replaceView(MsgList, view, "ListView", ListHelpContext, MsgPopup);
}

void TClientForm::setPhoneListView(QWidget* view) {
    replaceView(PhoneList, view, "PhoneListView", ListHelpContext, PhonePopup);
}

void TClientForm::showMessageList() {
    ListPages->setCurrentWidget(MsgList);
}

void TClientForm::showPhoneList() {
    ListPages->setCurrentWidget(PhoneList);
}

bool TClientForm::phoneListShown() const {
    return ListPages->currentWidget() == PhoneList;
}
