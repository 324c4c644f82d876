#include "messages/store/FolderTree.h"

#include <gtest/gtest.h>

TEST(FolderTree, FirstTreeIsWrittenAsTabIndentedCrLfLines) {
    EXPECT_EQ(FolderTree::DefaultTree().toText(),
              QByteArray("Calls\r\n\tInbox\r\n\tDeleted Items\r\nPhonebook\r\n"));
}

TEST(FolderTree, ReadsTabsAndSpacesAsLevelsAndWritesBackTabs) {
    FolderTree tree;
    ASSERT_TRUE(FolderTree::fromText("Calls\r\n\tInbox\r\n  Work\r\n \t Old\n\tDeleted Items\r\n"
                                     "Phonebook\r\n",
                                     tree));
    EXPECT_EQ(tree.toText(), QByteArray("Calls\r\n\tInbox\r\n\t\tWork\r\n\t\t\tOld\r\n"
                                        "\tDeleted Items\r\nPhonebook\r\n"));
    const FolderNode* old = tree.findByName(QStringLiteral("Old"));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(FolderPath(old), QStringLiteral("Inbox/Work/Old/"));
    EXPECT_EQ(FolderPath(tree.top()), QString());
}

TEST(FolderTree, LineMoreThanOneLevelDeeperFails) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"Calls\r\n\t\tInbox\r\n", false}, // two levels below the line before
        {"\tCalls\r\n", false},            // the first line is a root
        {"Calls\r\n\tInbox\r\n\t\tWork\r\nPhonebook\r\n", true},
        {"", true},
    };
    for (const Case& c : cases) {
        FolderTree tree;
        QString error;
        EXPECT_EQ(FolderTree::fromText(c.text, tree, &error), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_TRUE(error.contains(QStringLiteral("Invalid level"))) << error.toStdString();
            EXPECT_TRUE(tree.roots().empty());
        }
    }
}

TEST(FolderTree, FindByNameIsExactAndDepthFirst) {
    FolderTree tree = FolderTree::DefaultTree();
    FolderNode* work = tree.findByName(QStringLiteral("Inbox"))->addChild(QStringLiteral("Inbox"));
    EXPECT_EQ(tree.findByName(QStringLiteral("Inbox")), tree.top()->Children[0].get());
    EXPECT_EQ(tree.findByName(QStringLiteral("inbox")), nullptr);
    EXPECT_EQ(FolderTree::childNamed(work->Parent, QStringLiteral("INBOX")), work);
}

TEST(FolderTree, ProtectionsLookAtNamesAndPlace) {
    FolderTree tree = FolderTree::DefaultTree();
    FolderNode* calls = tree.top();
    FolderNode* inbox = calls->Children[0].get();
    FolderNode* user = inbox->addChild(QStringLiteral("Work"));
    FolderNode* nestedInbox = user->addChild(QStringLiteral("inbox"));
    FolderNode* nestedPhonebook = user->addChild(QStringLiteral("PHONEBOOK"));
    struct Case {
        const FolderNode* node;
        bool fixedName;
        bool protectedFolder;
    };
    const Case cases[] = {
        {calls, true, true},
        {inbox, true, true},
        {calls->Children[1].get(), true, true},
        {tree.roots()[1].get(), true, true},
        {user, false, false},
        {nestedInbox, true, false},
        {nestedPhonebook, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasFixedName(c.node), c.fixedName) << c.node->Text.toStdString();
        EXPECT_EQ(IsProtectedFolder(c.node), c.protectedFolder) << c.node->Text.toStdString();
    }
    EXPECT_TRUE(IsPhonebookNode(nestedPhonebook));
}
