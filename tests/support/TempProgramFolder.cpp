#include "TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
        if (it.fileInfo().isDir())
            QDir().mkpath(dst);
        else
            QFile::copy(src, dst);
    }
}
} // namespace

TempProgramFolder::TempProgramFolder(bool seedData) {
    OldCwd = QDir::currentPath();
    HadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    OldConfigHome = qgetenv("XDG_CONFIG_HOME");
    QDir root(Root.path());
    root.mkpath(QStringLiteral("program/dat"));
    root.mkpath(QStringLiteral("config/nirvo"));
    if (seedData)
        copyTree(QStringLiteral(NIRVO_DATA_DIR), dat());
    qputenv("XDG_CONFIG_HOME", configDir().toLocal8Bit());
    QDir::setCurrent(programDir());
}

TempProgramFolder::~TempProgramFolder() {
    QDir::setCurrent(OldCwd);
    if (HadConfigHome)
        qputenv("XDG_CONFIG_HOME", OldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TempProgramFolder::programDir() const {
    return Root.path() + QStringLiteral("/program");
}

QString TempProgramFolder::dat(const QString& rel) const {
    const QString base = programDir() + QStringLiteral("/dat");
    return rel.isEmpty() ? base : base + QLatin1Char('/') + rel;
}

QString TempProgramFolder::configDir() const {
    return Root.path() + QStringLiteral("/config");
}

QString TempProgramFolder::hivePath() const {
    return configDir() + QStringLiteral("/nirvo/registry.reg");
}

void TempProgramFolder::writeFile(const QString& rel, const QByteArray& data) const {
    const QString path = programDir() + QLatin1Char('/') + rel;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

QByteArray TempProgramFolder::readFile(const QString& rel) const {
    QFile f(programDir() + QLatin1Char('/') + rel);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
