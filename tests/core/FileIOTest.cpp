#include "core/FileIO.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FileIO, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    TempProgramFolder folder;
    const QString path = folder.dat(QStringLiteral("x.bin"));
    ASSERT_TRUE(FileIO::writeAtomic(path, "first version, long"));
    ASSERT_TRUE(FileIO::writeAtomic(path, "second"));
    EXPECT_EQ(FileIO::readBounded(path, 100).value_or("?"), QByteArray("second"));
    EXPECT_EQ(QDir(folder.dat()).entryList({QStringLiteral("x.bin*")}, QDir::Files).size(), 1);
}

TEST(FileIO, AtomicWriteIntoMissingFolderFailsWithReason) {
    TempProgramFolder folder;
    QString error;
    EXPECT_FALSE(FileIO::writeAtomic(folder.dat(QStringLiteral("no/such/x.bin")), "a", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FileIO, BoundedReadRefusesLargerFilesAndMissingOnes) {
    TempProgramFolder folder;
    folder.writeFile(QStringLiteral("dat/f"), QByteArray(10, 'a'));
    EXPECT_TRUE(FileIO::readBounded(folder.dat(QStringLiteral("f")), 10).has_value());
    EXPECT_FALSE(FileIO::readBounded(folder.dat(QStringLiteral("f")), 9).has_value());
    EXPECT_FALSE(FileIO::readBounded(folder.dat(QStringLiteral("missing")), 9).has_value());
}

TEST(FileIO, SafeFileNames) {
    struct Case {
        const char* name;
        bool safe;
    };
    const Case cases[] = {
        {"Inbox", true},      {"deleted items", true}, {"0525551234", true}, {"", false},
        {".", false},         {"..", false},           {"a/b", false},       {"..\\x", false},
        {"../../etc", false}, {"tab\there", false},    {"...", true}};
    for (const auto& c : cases)
        EXPECT_EQ(FileIO::isSafeFileName(QString::fromUtf8(c.name)), c.safe) << c.name;
}
