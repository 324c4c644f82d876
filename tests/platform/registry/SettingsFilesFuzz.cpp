// Feeds arbitrary bytes to the two settings-file readers: the registry hive file and INI files.
// Both files can be edited by hand, so neither reader may crash, hang or accept a hive that would
// not survive being written back.
#include "platform/registry/HiveRegistry.h"
#include "platform/registry/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const IniFile ini = IniFile::parse(bytes);
    (void)ini.value(QStringLiteral("Server IP"), QStringLiteral("IP1"));

    // In memory where the machine offers it: the fuzzer rewrites this file on every run.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/nirvo-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/nirvo-fuzz-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/registry.reg");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }
    HiveRegistry hive(path);
    if (!hive.load())
        return 0;
    // What was accepted must read back the same after a save.
    const QByteArray saved = hive.serialize();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(saved);
    }
    HiveRegistry again(path);
    if (!again.load() || again.serialize() != saved)
        std::abort();
    return 0;
}
