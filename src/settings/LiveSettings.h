#pragma once

#include <QString>

// The settings the program runs with, loaded at start-up and replaced when the Properties
// dialog is confirmed. Named after their stored values.
struct LiveSettings {
    QString SMTP;
    bool Ring = true;
    QString RingType; // a file name in dat/rings/, or "Random"
    int Notify = 0;   // 0 notification message, 1 pop up the main window, other: none
    bool Ontop = false;
    bool Remove = false;
    QString Connection; // dial-up entry name, empty when none is selected
    QString Device;
    QString Follow_Me_Dialup;
    QString Follow_Me_Hangup;
    QString External_Line_Dialup; // trimmed, empty for none
    QString ServerAreaCode;       // ServerPhone's area code, trimmed
    QString ServerNumber;         // ServerPhone's number, trimmed
    QString ServerAddress;        // dotted IPv4, each part trimmed
    int Comport = 0;
};
