#include "shell/forms/ClientProgram.h"

#include "shell/forms/TClientForm.h"

ClientProgram::ClientProgram(Registry& registry, AppMessenger& messenger, Shell& shell,
                             ServicePlayers players)
    : Client(std::make_unique<TClientForm>(registry, messenger, shell)),
      Services(new ClientServices(*Client, registry, messenger, Time, players)) {
    Client->LoadFolderTree = [this](TClientForm&) { Services->LoadFolderTree(); };
    Client->LoadPhonebook = [this](TClientForm&) { Services->LoadPhonebook(); };
}

ClientProgram::~ClientProgram() {
    // Windows may still log while they go; stop logging before the log itself goes.
    Client.reset();
    InstallActivityLog(nullptr);
}

bool ClientProgram::Start(const QString& programDir, ServicePorts ports) {
    // The listening sockets start before the main window's creation steps. The banner ports
    // (1812, 7310) come with the banner.
    if (!Services->StartListening(ports))
        return false;

    if (Client->FormCreate(Log, programDir) != TClientForm::StartResult::Ready)
        return false;
    Client->CreateSecondaryForms();
    return true;
}
