#pragma once

#include "DevServer.h"

#include <QObject>
#include <QStringList>

// Runs command lines one after another; a command that talks to the client finishes before the
// next one starts. Commands (one per line, '#' starts a comment):
//   up-status N | up-phone AREA NUMBER | register-status N | user-id N
//   notice MSGNUMBER AREA NUMBER [SOUNDFILE]   message notice, then the sound (if given)
//   stream FILE | picture FILE                  a stream message to the voice / picture port
//   serverup | text TEXT... | version VERSION BASE OPTIONAL
//   call AREA NUMBER   (prints the client's answer) | callend
//   banner LINK | raw ID SIZE [SENT]            any header, SENT body bytes (default SIZE-8)
//   wait MS | waitup (until a client up is answered) | quit
class ScriptRunner : public QObject {
    Q_OBJECT
public:
    explicit ScriptRunner(DevServer& server, QObject* parent = nullptr);

    void add(const QStringList& lines);
    void add(const QString& line) { add(QStringList{line}); }
    // Printed once the queue runs empty.
    void setAnnounceDone(bool on) { AnnounceDone = on; }

private:
    void next();
    void run(const QString& line);
    void finished();
    void streamTo(quint16 port, const QString& file, const QString& what);

    DevServer& Server;
    QStringList Queue;
    bool Running = false;
    bool WaitingForUp = false;
    bool AnnounceDone = false;
};
