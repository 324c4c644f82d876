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
    // The record port listens before the main window's creation steps; the voice port once those
    // have made the data folders its streams are written to. The banner ports (1812, 7310) come
    // with the banner.
    if (!Services->StartRecordPort(ports.records))
        return false;
    if (Client->FormCreate(Log, programDir) != TClientForm::StartResult::Ready)
        return false;
    Services->StartVoicePort(ports.streams);
    Client->CreateSecondaryForms();
    return true;
}
