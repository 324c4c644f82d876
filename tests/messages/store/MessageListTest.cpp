#include "messages/store/MessageList.h"
#include "MessageFixture.h"
#include "core/ActivityLog.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
const QString Inbox = QStringLiteral("dat/calls/inbox/");
const QString Deleted = QStringLiteral("dat/calls/deleted items/");
const QString Work = QStringLiteral("dat/calls/inbox/Work/");

QDateTime at(int day, int hour = 10) {
    return QDateTime(QDate(2026, 3, day), QTime(hour, 0));
}

class MessageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString& dir : {Inbox, Deleted, Work})
            QDir().mkpath(dir);
    }

    QStringList numbers() const {
        QStringList out;
        for (int row = 0; row < list.count(); ++row)
            out << QString::number(list.record(row).MsgNumber);
        return out;
    }

    TempProgramFolder folder{false};
    FakeMessenger messenger;
    QHash<QString, QString> phonebook;
    int lookups = 0;
    MessageList list{QStringLiteral("dat"), messenger, [this](const QString& number) {
                         ++lookups;
                         return phonebook.value(number);
                     }};
};
} // namespace

TEST_F(MessageListTest, LoadsOnlyInfoFilesLyingDirectlyInTheFolder) {
    list.LoadMessageList(Inbox);
    EXPECT_EQ(list.count(), 0);
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    PutMessage(Inbox, 2, QStringLiteral("222"), at(2), ReadExtension);
    PutMessage(Work, 3, QStringLiteral("333"), at(3));
    PutMessage(QStringLiteral("dat/calls/"), 4, QStringLiteral("444"), at(4));
    folder.writeFile(QStringLiteral("dat/calls/inbox/notes.txt"), "x");

    list.LoadMessageList(QStringLiteral("dat/calls/INBOX/")); // letter case of the tree
    EXPECT_EQ(numbers(), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(list.record(0).Folder, Inbox);
    EXPECT_EQ(list.record(0).Extension, UnreadExtension);
    EXPECT_EQ(list.record(1).Extension, ReadExtension);
    EXPECT_TRUE(list.data(list.index(0, 0), MessageList::UnreadRole).toBool());
    EXPECT_FALSE(list.data(list.index(1, 0), MessageList::UnreadRole).toBool());

    list.LoadMessageList(QStringLiteral("dat/calls/"));
    EXPECT_EQ(numbers(), QStringList({QStringLiteral("4")}));
}

TEST_F(MessageListTest, DamagedInfoFilesNeverStopTheList) {
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    folder.writeFile(QStringLiteral("dat/calls/inbox/00000002.cxn"), "");
    folder.writeFile(QStringLiteral("dat/calls/inbox/00000003.cxo"), QByteArray("\x03\0\0\0", 4));
    QFile::link(QStringLiteral("nowhere"), Inbox + QStringLiteral("00000004.cxn")); // unopenable
    PutMessage(Inbox, 5, QStringLiteral("555"), at(5));
    list.LoadMessageList(Inbox);
    // Short files show what they hold; the unopenable one is left out.
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.rowOf(Inbox + QStringLiteral("00000004.cxn")), -1);
    const int row = list.rowOf(Inbox + QStringLiteral("00000003.cxo"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.displayNumber(row), QString());
    EXPECT_EQ(list.dateText(row), list.data(list.index(row, 0)).toString());
}

TEST_F(MessageListTest, ColumnsShowDateNumberAndName) {
    phonebook.insert(QStringLiteral("111"), QStringLiteral("Ann Lee"));
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    PutMessage(Inbox, 2, QStringLiteral("222"), at(2));
    list.LoadMessageList(Inbox);
    EXPECT_EQ(list.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date"));
    EXPECT_EQ(list.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Phone Number"));
    EXPECT_EQ(list.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(list.data(list.index(0, 1)).toString(), QStringLiteral("111"));
    EXPECT_EQ(list.data(list.index(0, 2)).toString(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(list.data(list.index(1, 2)).toString(), QString());
    EXPECT_FALSE(list.data(list.index(0, 0)).toString().isEmpty());
}

TEST_F(MessageListTest, ThreeSortOrders) {
    // number, caller, day, name in the phonebook
    struct Msg {
        int number;
        const char* caller;
        int day;
        const char* name;
    };
    const Msg msgs[] = {
        {1, "5550", 4, "Zoe Ray"}, {2, "555", 2, ""},         {3, "0400", 3, "Adam Bell"},
        {4, "9", 1, "adam bell"},  {5, "5551", 5, "Zoe Ray"}, {6, "", 6, ""},
    };
    for (const Msg& m : msgs) {
        PutMessage(Inbox, m.number, QString::fromLatin1(m.caller), at(m.day));
        if (*m.name)
            phonebook.insert(QString::fromLatin1(m.caller), QString::fromLatin1(m.name));
    }
    struct Case {
        const char* caption;
        MessageSort sort;
        QStringList order;
    };
    const auto q = [](const char* s) { return QString::fromLatin1(s).split(QLatin1Char(',')); };
    const Case cases[] = {
        {"Date", MessageSort::Time, q("4,2,3,1,5,6")},
        // byte order, a prefix first: "" < "0400" < "555" < "5550" < "5551" < "9"
        {"phone number", MessageSort::Phone, q("6,3,2,1,5,4")},
        // no entry first, then byte order: upper case before lower case
        {"Name", MessageSort::Name, q(",,Adam Bell,Zoe Ray,Zoe Ray,adam bell")},
        {"Anything", MessageSort::Name, q(",,Adam Bell,Zoe Ray,Zoe Ray,adam bell")},
    };
    for (const Case& c : cases) {
        const MessageSort sort = MessageList::SortForCaption(QString::fromLatin1(c.caption));
        EXPECT_EQ(sort, c.sort) << c.caption;
        list.setSortOrder(sort);
        list.LoadMessageList(Inbox);
        if (sort == MessageSort::Name) {
            // Equal names have no order of their own, so compare the keys.
            QStringList names;
            for (int row = 0; row < list.count(); ++row)
                names << list.name(row);
            EXPECT_EQ(names, c.order) << c.caption;
        } else {
            EXPECT_EQ(numbers(), c.order) << c.caption;
        }
    }
}

TEST_F(MessageListTest, NamesAreLookedUpOncePerNumberAndAfreshOnReload) {
    for (int i = 1; i <= 20; ++i)
        PutMessage(Inbox, i, QStringLiteral("55%1").arg(i % 3), at(1 + i % 5));
    list.setSortOrder(MessageSort::Name);
    list.LoadMessageList(Inbox);
    EXPECT_EQ(lookups, 3);
    // An entry added later shows after the next load.
    phonebook.insert(QStringLiteral("551"), QStringLiteral("Bo"));
    list.LoadMessageList();
    EXPECT_EQ(lookups, 6);
    EXPECT_EQ(list.name(list.count() - 1), QStringLiteral("Bo"));
    EXPECT_EQ(list.name(0), QString());
}

TEST_F(MessageListTest, AddedMessageTakesItsSortedPlaceAndReplacesItsOldRow) {
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    PutMessage(Inbox, 3, QStringLiteral("333"), at(3));
    list.LoadMessageList(Inbox);
    const Call_Info_Type info = PutMessage(Inbox, 2, QStringLiteral("222"), at(2));
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    const Call_Data_Type& rec = list.AddMessageItem(info, UnreadExtension, Inbox);
    EXPECT_EQ(rec.GetInfoPath(), Inbox + QStringLiteral("00000002.cxn"));
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(numbers(),
              QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    list.AddMessageItem(PutMessage(Inbox, 2, QStringLiteral("222"), at(9)), UnreadExtension, Inbox);
    EXPECT_EQ(numbers(),
              QStringList({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2")}));
}

TEST_F(MessageListTest, MarkReadRenamesOnceAndReportsIt) {
    PutMessage(Inbox, 7, QStringLiteral("777"), at(1));
    list.LoadMessageList(Inbox);
    QSignalSpy marked(&list, &MessageList::messageMarkedRead);
    const Call_Data_Type rec = list.record(0);
    EXPECT_TRUE(list.MarkRead(rec));
    EXPECT_TRUE(Exists(Inbox + QStringLiteral("00000007.cxo")));
    EXPECT_FALSE(Exists(Inbox + QStringLiteral("00000007.cxn")));
    EXPECT_EQ(list.record(0).Extension, ReadExtension);
    EXPECT_FALSE(list.data(list.index(0, 0), MessageList::UnreadRole).toBool());
    EXPECT_EQ(marked.size(), 1);
    EXPECT_FALSE(list.MarkRead(list.record(0)));
    EXPECT_EQ(marked.size(), 1);
}

TEST_F(MessageListTest, FailedMarkReadIsLoggedAndShowsReadUntilReload) {
    ActivityLog log;
    ASSERT_TRUE(log.open(folder.dat(QStringLiteral("log.txt"))));
    InstallActivityLog(&log);
    PutMessage(Inbox, 7, QStringLiteral("777"), at(1));
    folder.writeFile(Inbox + QStringLiteral("00000007.cxo"), "older message"); // blocks rename
    list.LoadMessageList(Inbox);
    const int row = list.rowOf(Inbox + QStringLiteral("00000007.cxn"));
    ASSERT_GE(row, 0);
    EXPECT_TRUE(list.MarkRead(list.record(row)));
    InstallActivityLog(nullptr);
    EXPECT_TRUE(folder.readFile(QStringLiteral("dat/log.txt"))
                    .contains("Error Renaming dat/calls/inbox/00000007.cxn"));
    EXPECT_EQ(list.record(row).Extension, ReadExtension);
    list.LoadMessageList();
    EXPECT_GE(list.rowOf(Inbox + QStringLiteral("00000007.cxn")), 0);
}

TEST_F(MessageListTest, DeletingOutsideDeletedItemsMovesWithoutAsking) {
    PutMessage(Work, 1, QStringLiteral("111"), at(1));
    PutMessage(Work, 2, QStringLiteral("222"), at(2), ReadExtension);
    PutMessage(Work, 3, QStringLiteral("333"), at(3));
    list.LoadMessageList(Work);
    list.DeleteSelectedMessages({0, 1}, QStringLiteral("Work"));
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(numbers(), QStringList({QStringLiteral("3")}));
    EXPECT_TRUE(Exists(Deleted + QStringLiteral("00000001.cxn")));
    EXPECT_TRUE(Exists(Deleted + QStringLiteral("00000001.wav")));
    EXPECT_TRUE(Exists(Deleted + QStringLiteral("00000002.cxo")));
    EXPECT_FALSE(Exists(Work + QStringLiteral("00000001.wav")));
}

TEST_F(MessageListTest, DeletingInDeletedItemsAsksThenPurges) {
    struct Case {
        QList<int> rows;
        int answer;
        const char* question;
        int left;
    };
    const Case cases[] = {
        {{0}, mrCancel, "Are you sure you want to delete this message?", 3},
        {{0, 2}, mrCancel, "Are you sure you want to delete these messages?", 3},
        {{1}, mrOK, "Are you sure you want to delete this message?", 2},
        {{0, 1}, mrOK, "Are you sure you want to delete these messages?", 1},
    };
    for (const Case& c : cases) {
        QDir(Deleted).removeRecursively();
        QDir().mkpath(Deleted);
        for (int i = 1; i <= 3; ++i)
            PutMessage(Deleted, i, QStringLiteral("5"), at(i));
        messenger.shown.clear();
        messenger.answers = {c.answer};
        list.LoadMessageList(Deleted);
        const QString gone = list.record(c.rows.first()).GetWavPath();
        // Any folder named Deleted Items, in any case, purges.
        list.DeleteSelectedMessages(c.rows, QStringLiteral("DELETED items"));
        ASSERT_EQ(messenger.shown.size(), 1);
        EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Delete confirmation"));
        EXPECT_EQ(messenger.shown[0].text, QString::fromLatin1(c.question));
        EXPECT_EQ(messenger.shown[0].kind, mkQuestion);
        EXPECT_EQ(list.count(), c.left);
        EXPECT_EQ(QDir(Deleted).entryList(QDir::Files).size(), 2 * c.left);
        EXPECT_EQ(Exists(gone), c.answer != mrOK);
    }
}

TEST_F(MessageListTest, MovingKeepsPairsTogether) {
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    PutMessage(Inbox, 2, QStringLiteral("222"), at(2), UnreadExtension, false); // no sound
    PutMessage(Inbox, 3, QStringLiteral("333"), at(3));
    folder.writeFile(Work + QStringLiteral("00000003.wav"), "another message 3");
    list.LoadMessageList(Inbox);

    // Into the shown folder: nothing happens.
    EXPECT_EQ(list.MoveSelectedMessages({0, 1, 2}, QStringLiteral("dat/calls/Inbox/")), 0);
    EXPECT_EQ(list.count(), 3);

    EXPECT_EQ(list.MoveSelectedMessages({0, 1, 2}, QStringLiteral("dat/calls/INBOX/work/")), 2);
    EXPECT_EQ(numbers(), QStringList({QStringLiteral("3")}));
    EXPECT_TRUE(Exists(Work + QStringLiteral("00000001.cxn")));
    EXPECT_TRUE(Exists(Work + QStringLiteral("00000001.wav")));
    EXPECT_TRUE(Exists(Work + QStringLiteral("00000002.cxn")));
    // Message 3 is blocked by the target's own number 3: both its files stay.
    EXPECT_TRUE(Exists(Inbox + QStringLiteral("00000003.cxn")));
    EXPECT_TRUE(Exists(Inbox + QStringLiteral("00000003.wav")));
    EXPECT_EQ(folder.readFile(Work + QStringLiteral("00000003.wav")), "another message 3");
}

TEST_F(MessageListTest, InfoFileThatCannotMoveTakesItsSoundBack) {
    PutMessage(Inbox, 1, QStringLiteral("111"), at(1));
    folder.writeFile(Work + QStringLiteral("00000001.cxn"), "taken");
    list.LoadMessageList(Inbox);
    EXPECT_EQ(list.MoveSelectedMessages({0}, Work), 0);
    EXPECT_TRUE(Exists(Inbox + QStringLiteral("00000001.wav")));
    EXPECT_FALSE(Exists(Work + QStringLiteral("00000001.wav")));
    EXPECT_EQ(list.count(), 1);
}
