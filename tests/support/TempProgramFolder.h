#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder (with dat/) and configuration folder for one test. While it lives,
// the working folder is the program folder and XDG_CONFIG_HOME points at the configuration folder;
// both are restored when it goes.
class TempProgramFolder {
public:
    // seedData copies the shipped data/ folder into dat/ (Nirvo.ini, rings, ...).
    explicit TempProgramFolder(bool seedData = true);
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    QString programDir() const;                 // absolute, no trailing slash
    QString dat(const QString& rel = {}) const; // programDir()/dat[/rel]
    QString configDir() const;                  // $XDG_CONFIG_HOME
    QString hivePath() const;                   // the registry hive file inside configDir()/nirvo

    void writeFile(const QString& relToProgram, const QByteArray& data) const;
    QByteArray readFile(const QString& relToProgram) const;

private:
    QTemporaryDir Root;
    QString OldCwd;
    QByteArray OldConfigHome;
    bool HadConfigHome = false;
};
