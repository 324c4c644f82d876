#include "platform/registry/IniFile.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

TEST(IniFile, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
    const IniFile ini = IniFile::parse("[Follow Me]\r\n"
                                       "Dialup =  72 \r\n"
                                       "hangup=\"73\"\r\n"
                                       "[ server number ]\n"
                                       "Areacode=\n"
                                       "Number=5550100\n");
    EXPECT_EQ(ini.value(QStringLiteral("follow me"), QStringLiteral("DIALUP")),
              QStringLiteral("72"));
    EXPECT_EQ(ini.value(QStringLiteral("Follow Me"), QStringLiteral("Hangup")),
              QStringLiteral("73"));
    EXPECT_EQ(ini.value(QStringLiteral("Server Number"), QStringLiteral("Areacode")), QString());
    EXPECT_EQ(ini.value(QStringLiteral("Server Number"), QStringLiteral("Number")),
              QStringLiteral("5550100"));
    EXPECT_FALSE(ini.value(QStringLiteral("Server Number"), QStringLiteral("Dialup")));
    EXPECT_FALSE(ini.value(QStringLiteral("Server IP"), QStringLiteral("IP1")));
}

TEST(IniFile, GarbageLinesAreIgnored) {
    const IniFile ini = IniFile::parse("\xEF\xBB\xBFstray=before any section\n"
                                       "this line means nothing\n"
                                       "[Server IP]\n"
                                       "; IP1=1\n"
                                       "=no name\n"
                                       "IP1=10\n"
                                       "\x01\x02\xff\xfe junk\n"
                                       "IP1=11\n"
                                       "[broken section\n"
                                       "IP2=lost\n"
                                       "[Server IP]\n"
                                       "IP2=20\n");
    EXPECT_EQ(ini.value(QStringLiteral("Server IP"), QStringLiteral("IP1")), QStringLiteral("10"));
    EXPECT_EQ(ini.value(QStringLiteral("Server IP"), QStringLiteral("IP2")), QStringLiteral("20"));
    EXPECT_FALSE(ini.value(QString(), QStringLiteral("stray")));
    EXPECT_FALSE(ini.value(QStringLiteral("Server IP"), QString()));
}

TEST(IniFile, ReadRefusesMissingFoldersAndOversizedFiles) {
    TempProgramFolder folder(false);
    folder.writeFile(QStringLiteral("dat/a.ini"), "[s]\nk=v\n");
    EXPECT_EQ(IniFile::read(folder.dat(QStringLiteral("a.ini")), 100)
                  ->value(QStringLiteral("S"), QStringLiteral("K")),
              QStringLiteral("v"));
    EXPECT_FALSE(IniFile::read(folder.dat(QStringLiteral("a.ini")), 4).has_value());
    EXPECT_FALSE(IniFile::read(folder.dat(QStringLiteral("none.ini")), 100).has_value());
    EXPECT_FALSE(IniFile::read(folder.dat(), 100).has_value());
}
