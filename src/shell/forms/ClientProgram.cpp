#include "shell/forms/ClientProgram.h"

#include "shell/forms/TClientForm.h"

ClientProgram::ClientProgram(Registry& registry, AppMessenger& messenger, Shell& shell)
    : Client(std::make_unique<TClientForm>(registry, messenger, shell)) {}

ClientProgram::~ClientProgram() {
    // Windows may still log while they go; stop logging before the log itself goes.
    Client.reset();
    InstallActivityLog(nullptr);
}

bool ClientProgram::Start(const QString& programDir) {
    // The four listening sockets (records 2711, voice streams 1912, banner records 1812, banner
    // pictures 7310) start listening here, before the main window's creation steps.

    if (Client->FormCreate(Log, programDir) != TClientForm::StartResult::Ready)
        return false;
    Client->CreateSecondaryForms();
    return true;
}
