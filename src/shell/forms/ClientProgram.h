#pragma once

#include "core/ActivityLog.h"
#include "core/TimeSource.h"
#include "shell/services/ClientServices.h"

#include <QString>
#include <memory>

class AppMessenger;
class Registry;
class Shell;
class TClientForm;

// The running program: the activity log and the main window with everything it owns, put
// together in the order the program starts.
class ClientProgram {
public:
    ClientProgram(Registry& registry, AppMessenger& messenger, Shell& shell,
                  ServicePlayers players = {});
    ~ClientProgram();
    ClientProgram(const ClientProgram&) = delete;
    ClientProgram& operator=(const ClientProgram&) = delete;

    // Everything up to the message loop. `programDir` is the program file's folder; the working
    // folder must already be the program folder. False when the program cannot go on (the user
    // has been told why).
    bool Start(const QString& programDir, ServicePorts ports = {});

    TClientForm& client() { return *Client; }
    ActivityLog& log() { return Log; }
    ClientServices& services() { return *Services; }
    const TimeSource& time() const { return Time; }

private:
    ActivityLog Log;
    TimeSource Time;
    std::unique_ptr<TClientForm> Client;
    ClientServices* Services = nullptr; // owned by the main window
};
