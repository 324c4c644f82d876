#include "shell/forms/ShellFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ShellFiles, DataFoldersAreMadeFromAnUntidyProgramPath) {
    QTemporaryDir root;
    for (const QString& given :
         {root.path() + QStringLiteral("/prog/"), root.path() + QStringLiteral("//other//"),
          root.path() + QStringLiteral("/third")}) {
        SCOPED_TRACE(given.toStdString());
        ASSERT_TRUE(ShellFiles::CreateDataFolders(given));
        const QString clean = QDir::cleanPath(given);
        for (const char* sub : {"/dat/calls/inbox", "/dat/calls/deleted items", "/dat/phonebook"})
            EXPECT_TRUE(QDir(clean + QLatin1String(sub)).exists()) << sub;
        // Running again over existing folders is fine.
        EXPECT_TRUE(ShellFiles::CreateDataFolders(given));
    }
}

TEST(ShellFiles, DataFoldersReportWhatCouldNotBeMade) {
    QTemporaryDir root;
    // A plain file where the dat folder should be.
    QFile blocker(root.path() + QStringLiteral("/dat"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString failed;
    EXPECT_FALSE(ShellFiles::CreateDataFolders(root.path(), &failed));
    EXPECT_EQ(failed, root.path() + QStringLiteral("/dat/calls/inbox"));
}

TEST(ShellFiles, HelpPagesByContext) {
    const std::pair<int, const char*> cases[] = {{1, "index.html"},        {110, "folders.html"},
                                                 {111, "messages.html"},   {140, "connect.html"},
                                                 {150, "mainwindow.html"}, {999, "index.html"}};
    for (auto [context, page] : cases)
        EXPECT_EQ(ShellFiles::HelpUrl(QStringLiteral("/opt/nirvo/dat/help"), context),
                  QUrl::fromLocalFile(QStringLiteral("/opt/nirvo/dat/help/") + QLatin1String(page)))
            << context;
}

} // namespace
