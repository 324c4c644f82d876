#include "platform/registry/HiveRegistry.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString Props = QStringLiteral("Software\\Nirvo\\Properties");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

class HiveRegistryTest : public ::testing::Test {
protected:
    TempProgramFolder Folder{false};
    QString Path = Folder.hivePath();
};
} // namespace

TEST_F(HiveRegistryTest, DefaultPathFollowsConfigHome) {
    EXPECT_EQ(HiveRegistry::defaultPath(), Path);
}

TEST_F(HiveRegistryTest, MissingFileIsAnEmptyStoreAndFirstChangeCreatesIt) {
    HiveRegistry reg(Path);
    QString error;
    ASSERT_TRUE(reg.load(&error)) << error.toStdString();
    EXPECT_TRUE(reg.storeError().isEmpty());
    EXPECT_FALSE(reg.keyExists(Props));
    EXPECT_FALSE(QFile::exists(Path));
    ASSERT_TRUE(reg.openKey(Props, true));
    EXPECT_TRUE(QFile::exists(Path));
    EXPECT_TRUE(reg.keyExists(QStringLiteral("Software\\Nirvo"))); // parents come along
}

TEST_F(HiveRegistryTest, RoundTripThroughTheFile) {
    {
        HiveRegistry reg(Path);
        ASSERT_TRUE(reg.load());
        ASSERT_TRUE(reg.openKey(Props, true));
        ASSERT_TRUE(reg.writeString(Props, QStringLiteral("Ring"), QStringLiteral("RING")));
        ASSERT_TRUE(reg.writeInteger(Props, QStringLiteral("Notify"), 42));
        ASSERT_TRUE(reg.writeInteger(Props, QStringLiteral("Big"), 0xFFFFFFFFu));
        ASSERT_TRUE(reg.writeString(Props, QStringLiteral("Empty"), QString()));
        ASSERT_TRUE(reg.openKey(QStringLiteral("Software\\Nirvo\\Comport"), true));
    }
    const QByteArray text = readAll(Path);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n")) << text.constData();
    EXPECT_TRUE(text.contains("[HKEY_LOCAL_MACHINE\\Software\\Nirvo\\Properties]\n"));
    EXPECT_TRUE(text.contains("\"Ring\"=\"RING\"\n"));
    EXPECT_TRUE(text.contains("\"Notify\"=dword:0000002a\n"));
    EXPECT_TRUE(text.contains("\"Big\"=dword:ffffffff\n"));

    HiveRegistry again(Path);
    QString error;
    ASSERT_TRUE(again.load(&error)) << error.toStdString();
    EXPECT_EQ(again.readString(Props, QStringLiteral("Ring")), QStringLiteral("RING"));
    EXPECT_EQ(again.readInteger(Props, QStringLiteral("Notify")), 42u);
    EXPECT_EQ(again.readInteger(Props, QStringLiteral("Big")), 0xFFFFFFFFu);
    EXPECT_EQ(again.readString(Props, QStringLiteral("Empty")), QString());
    EXPECT_TRUE(again.keyExists(QStringLiteral("Software\\Nirvo\\Comport")));
    EXPECT_EQ(again.serialize(), text);
}

TEST_F(HiveRegistryTest, NamesKeepTheirCaseAndMatchWithoutIt) {
    {
        HiveRegistry reg(Path);
        ASSERT_TRUE(reg.load());
        ASSERT_TRUE(reg.openKey(QStringLiteral("Software\\Nirvo\\Properties"), true));
        ASSERT_TRUE(reg.writeString(QStringLiteral("SOFTWARE\\nirvo\\PROPERTIES"),
                                    QStringLiteral("Ontop"), QStringLiteral("NORMAL")));
        ASSERT_TRUE(reg.writeString(Props, QStringLiteral("OnTop"), QStringLiteral("STAYONTOP")));
    }
    const QByteArray text = readAll(Path);
    EXPECT_TRUE(text.contains("[HKEY_LOCAL_MACHINE\\Software\\Nirvo\\Properties]"));
    EXPECT_TRUE(text.contains("\"Ontop\"=\"STAYONTOP\"")) << text.constData();
    EXPECT_EQ(text.count("ntop\"="), 1);

    // Hand-edited case in the file is matched too.
    writeAll(Path, "Windows Registry Editor Version 5.00\r\n\r\n"
                   "[hkey_local_machine\\SOFTWARE\\Nirvo\\properties]\r\n"
                   "\"RINGTYPE\"=\"Chime.wav\"\r\n");
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    EXPECT_EQ(reg.readString(Props, QStringLiteral("RingType")), QStringLiteral("Chime.wav"));
}

TEST_F(HiveRegistryTest, ValueOfTheOtherTypeReadsAsMissing) {
    writeAll(Path, "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\Nirvo\\Properties]\n"
                   "\"Notify\"=\"1\"\n"
                   "\"Ring\"=dword:00000001\n");
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    EXPECT_FALSE(reg.readInteger(Props, QStringLiteral("Notify")).has_value());
    EXPECT_EQ(reg.readString(Props, QStringLiteral("Notify")), QStringLiteral("1"));
    EXPECT_FALSE(reg.readString(Props, QStringLiteral("Ring")).has_value());
    EXPECT_EQ(reg.readInteger(Props, QStringLiteral("Ring")), 1u);
}

TEST_F(HiveRegistryTest, DeletingAKeyRemovesItsSubKeysFromTheFile) {
    {
        HiveRegistry reg(Path);
        ASSERT_TRUE(reg.load());
        ASSERT_TRUE(reg.openKey(QStringLiteral("Software\\Nirvo\\User\\Deeper\\Deepest"), true));
        ASSERT_TRUE(reg.writeString(QStringLiteral("Software\\Nirvo\\User\\Deeper"),
                                    QStringLiteral("x"), QStringLiteral("y")));
        ASSERT_TRUE(reg.openKey(QStringLiteral("Software\\Nirvo\\UserX"), true));
        ASSERT_TRUE(reg.deleteKey(QStringLiteral("software\\nirvo\\user")));
        EXPECT_FALSE(reg.deleteKey(QStringLiteral("Software\\Nirvo\\User")));
    }
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    EXPECT_FALSE(reg.keyExists(QStringLiteral("Software\\Nirvo\\User")));
    EXPECT_FALSE(reg.keyExists(QStringLiteral("Software\\Nirvo\\User\\Deeper\\Deepest")));
    EXPECT_TRUE(reg.keyExists(QStringLiteral("Software\\Nirvo\\UserX"))); // a name prefix only
    EXPECT_FALSE(readAll(Path).contains("Deeper"));
}

TEST_F(HiveRegistryTest, EscapesSurviveTheFile) {
    const QString awkward = QStringLiteral("C:\\dat\\rings \"new\"\r\nline two \\\" end\\");
    {
        HiveRegistry reg(Path);
        ASSERT_TRUE(reg.load());
        ASSERT_TRUE(reg.openKey(Props, true));
        ASSERT_TRUE(reg.writeString(Props, QStringLiteral("Odd \"name\" \\"), awkward));
    }
    const QByteArray text = readAll(Path);
    EXPECT_TRUE(text.contains("\"Odd \\\"name\\\" \\\\\"=\"C:\\\\dat\\\\rings \\\"new\\\"\\r\\n"))
        << text.constData();
    EXPECT_FALSE(text.contains('\r')); // the break stayed escaped
    EXPECT_FALSE(text.contains("\nline two"));
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    EXPECT_EQ(reg.readString(Props, QStringLiteral("odd \"NAME\" \\")), awkward);
}

TEST_F(HiveRegistryTest, CorruptFileIsReportedLeftAloneAndNeverOverwritten) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"REGEDIT4\n", 1},
        {"Windows Registry Editor Version 5.00\n\n\"Ring\"=\"RING\"\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software]\n", 2},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\n", 2},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=\"open\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=dword:123456789\n",
         3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=dword:xyz\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=hex:01,02\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=\"x\\q\"\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\n\"a\"=\"x\" y\n", 3},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\S]\ngarbage\n", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        writeAll(Path, c.text);
        HiveRegistry reg(Path);
        QString error;
        EXPECT_FALSE(reg.load(&error));
        EXPECT_TRUE(error.contains(Path)) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("line %1:").arg(c.line))) << error.toStdString();
        EXPECT_EQ(reg.storeError(), error);
        EXPECT_FALSE(reg.openKey(Props, true));
        EXPECT_FALSE(reg.keyExists(Props));
        EXPECT_FALSE(
            reg.writeString(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("b")));
        EXPECT_EQ(readAll(Path), QByteArray(c.text));
    }
}

TEST_F(HiveRegistryTest, UnreadableOrOversizedFileIsReported) {
    QDir().mkpath(Path); // a folder where the file should be
    HiveRegistry folder(Path);
    QString error;
    EXPECT_FALSE(folder.load(&error));
    EXPECT_TRUE(error.contains(Path));
    EXPECT_FALSE(folder.openKey(Props, true));
    QDir().rmdir(Path);

    writeAll(Path,
             "Windows Registry Editor Version 5.00\n" + QByteArray(HiveRegistry::MaxFileSize, ';'));
    HiveRegistry big(Path);
    EXPECT_FALSE(big.load(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("larger"))) << error.toStdString();
}

TEST_F(HiveRegistryTest, NoChangeIsSavedBeforeALoad) {
    writeAll(Path, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Keep]\n");
    HiveRegistry reg(Path);
    EXPECT_FALSE(reg.storeError().isEmpty());
    EXPECT_FALSE(reg.openKey(Props, true));
    EXPECT_EQ(readAll(Path), QByteArray("Windows Registry Editor Version 5.00\n\n"
                                        "[HKEY_LOCAL_MACHINE\\Keep]\n"));
}

TEST_F(HiveRegistryTest, FailedWriteLeavesMemoryAndDiskAsTheyWere) {
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    ASSERT_TRUE(reg.openKey(Props, true));
    ASSERT_TRUE(reg.writeString(Props, QStringLiteral("Ring"), QStringLiteral("RING")));
    const QByteArray before = readAll(Path);

    // The folder can no longer take files: it is replaced by a plain file. (Permission bits
    // alone would not stop a test running as root.)
    const QString folder = QFileInfo(Path).absolutePath();
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    writeAll(folder, "not a folder");

    EXPECT_FALSE(reg.writeString(Props, QStringLiteral("Ring"), QStringLiteral("NO")));
    EXPECT_FALSE(reg.lastWriteError().isEmpty());
    EXPECT_FALSE(reg.writeInteger(Props, QStringLiteral("Notify"), 1));
    EXPECT_FALSE(reg.openKey(QStringLiteral("Software\\Nirvo\\Comport"), true));
    EXPECT_FALSE(reg.deleteKey(Props));
    EXPECT_EQ(reg.readString(Props, QStringLiteral("Ring")), QStringLiteral("RING"));
    EXPECT_FALSE(reg.readInteger(Props, QStringLiteral("Notify")).has_value());
    EXPECT_FALSE(reg.keyExists(QStringLiteral("Software\\Nirvo\\Comport")));
    EXPECT_TRUE(reg.keyExists(Props));

    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
    EXPECT_EQ(readAll(Path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1); // no temporary left behind

    // Once the folder is back, changes are saved again.
    EXPECT_TRUE(reg.writeString(Props, QStringLiteral("Ring"), QStringLiteral("NO")));
    EXPECT_TRUE(reg.lastWriteError().isEmpty());
    EXPECT_TRUE(readAll(Path).contains("\"Ring\"=\"NO\""));
}

TEST_F(HiveRegistryTest, KeyNamesThatWouldBreakTheFileAreRefused) {
    HiveRegistry reg(Path);
    ASSERT_TRUE(reg.load());
    EXPECT_FALSE(reg.openKey(QStringLiteral("Software\\Bad\nKey"), true));
    EXPECT_FALSE(QFile::exists(Path));
}
