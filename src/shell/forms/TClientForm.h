#pragma once

#include "core/Commands.h"
#include "settings/LiveSettings.h"
#include "shell/forms/CommandTable.h"

#include <QMainWindow>
#include <functional>
#include <optional>

class ActivityLog;
class AppMessenger;
class QAbstractButton;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QSystemTrayIcon;
class Registry;
class Shell;
class TAboutBox;
class TAnimation;
class TConnForm;
class TImageButton;
class TPropForm;
class TSplashForm;

// The main window. It lives hidden in the tray from start to exit, owns every long-lived window
// and routes each command to whoever does the work.
class TClientForm : public QMainWindow, public CommandSwitch {
    Q_OBJECT
public:
    static constexpr int HelpContext = 150;
    static constexpr int TreeHelpContext = 110;
    static constexpr int ListHelpContext = 111;
    enum TrayImage { TrayOffline = 0, TrayOnline = 1, TrayNewMessage = 2 };
    enum class StartResult { Ready, LogFailed, Ended };

    TClientForm(Registry& registry, AppMessenger& messenger, Shell& shell,
                QWidget* parent = nullptr);
    ~TClientForm() override;

    // The creation steps: log, connection and properties dialogs, tray, data folders, views.
    // `programDir` is the program file's folder. LogFailed: the log could not be made and the
    // user was told; Ended: the configuration load ended the process.
    StartResult FormCreate(ActivityLog& log, const QString& programDir);
    // The windows made after the main window (about box, please-wait box), all hidden.
    void CreateSecondaryForms();

    // Ends the process at once, with no further cleanup. Tests replace it.
    std::function<void(int exitCode)> EndProcess;
    // Called where start-up loads the folder tree (and selects the Inbox) and the phonebook.
    std::function<void(TClientForm&)> LoadFolderTree;
    std::function<void(TClientForm&)> LoadPhonebook;

    // CommandSwitch
    void setCommandEnabled(Command command, bool enabled) override;
    bool isCommandEnabled(Command command) const override;
    QList<QObject*> commandCopies(Command command) const { return Commands.copies(command); }

    // The folder tree and the two lists. The placeholders are replaced by the real views with
    // these setters; the window takes ownership, names the view and gives it its colours.
    QWidget* TreeView() const { return Tree; }
    QWidget* ListView() const { return MsgList; }
    QWidget* PhoneListView() const { return PhoneList; }
    void setTreeView(QWidget* view);
    void setListView(QWidget* view);
    void setPhoneListView(QWidget* view);
    void showMessageList();
    void showPhoneList();
    bool phoneListShown() const;

    TConnForm* connForm() const { return ConnForm; }
    TPropForm* propForm() const { return PropForm; }
    TAboutBox* aboutBox() const { return AboutBox; }
    TSplashForm* splashForm() const { return SplashForm; }
    QSystemTrayIcon* trayIcon() const { return Trayicon; }
    QLabel* reminderLabel() const { return ReminderLabel; }

    void SetTrayImage(TrayImage image);
    TrayImage trayImage() const { return CurrentTrayImage; }

    bool NoticeBusy = false;

    // The exit procedure; false when the program goes on running.
    bool ConfirmExit();
    void MenuUnRegisterClick();
    void OutgoingCall1Click();
    void TrayiconDblClick();
    void OpenHelp(int context);

protected:
    // The live settings the window acts on (Ontop, Remove, Follow_Me_Hangup), held by the
    // properties dialog.
    virtual const LiveSettings& liveSettings() const;

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const QString& text,
                     std::optional<Command> command, bool enabled,
                     void (TClientForm::*handler)() = nullptr, const QKeySequence& shortcut = {});
    TImageButton* addToolButton(const char* name, const char* art, const QString& tip,
                                std::optional<Command> command, bool enabled,
                                void (TClientForm::*handler)() = nullptr);
    void buildMenus();
    QMenu* addTopMenu(const QString& title);
    void attachMenuBar();
    void buildPopups();
    void buildToolbar(QWidget* strip);
    void buildTray();
    void replaceView(QWidget*& slot, QWidget* view, const char* name, int helpContext,
                     QMenu* popup);
    void attachPopup(QWidget* view, QMenu* popup);
    void styleView(QWidget* view, const char* name, int helpContext);

    void Exit1Click();
    void MenuConnectClick();
    void MenudisconnectClick();
    void PropertiesClick();
    void MenuNirvoHelpClick() { OpenHelp(1); }
    void MenuAboutClick();
    void TbHelpClick() { OpenHelp(HelpContext); }
    void TbNewClick();
    void ContextHelp();

    Registry& Reg;
    AppMessenger& Messenger;
    Shell& Desktop;
    CommandTable Commands;
    TrayImage CurrentTrayImage = TrayOffline;

    TConnForm* ConnForm = nullptr;
    TPropForm* PropForm = nullptr;
    TAboutBox* AboutBox = nullptr;
    TSplashForm* SplashForm = nullptr;

    QSplitter* Splitter = nullptr;
    QStackedWidget* ListPages = nullptr;
    QWidget* Tree = nullptr;
    QWidget* MsgList = nullptr;
    QWidget* PhoneList = nullptr;
    QLabel* ReminderLabel = nullptr;
    TAnimation* ToolAnim = nullptr;
    QSystemTrayIcon* Trayicon = nullptr;
    QList<QMenu*> TopMenus; // main menus not yet on the menu bar
    QMenu* FolderPopup = nullptr;
    QMenu* MsgPopup = nullptr;
    QMenu* PhonePopup = nullptr;
    QMenu* TrayPopUp = nullptr;
    QAction* MenuFolder = nullptr;
    QAction* PhonebookEntryMb = nullptr;
};
