#pragma once

// The main window's commands that other parts switch on and off. Each command may have up to three
// copies (main menu, popup menu, toolbar button); switching a command switches all of its copies.
enum class Command {
    NewFolder,
    NewPhonebookEntry,
    RenameFolder,
    MoveMessage,
    Connect,
    Disconnect,
    DivertCalls,
    UndivertCalls,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Delete,
    Play,
    Stop,
    AddToPhonebook,
    Details,
    DeleteFolder,
    EditEntry,
    DeleteEntry,
    NewToolbar,
};

class CommandSwitch {
public:
    virtual ~CommandSwitch() = default;
    virtual void setCommandEnabled(Command command, bool enabled) = 0;
    virtual bool isCommandEnabled(Command command) const = 0;
};
