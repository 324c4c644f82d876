#pragma once

#include "messages/store/CallData.h"
#include "messages/store/CallTime.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <functional>
#include <memory>
#include <vector>

class AppMessenger;

// The caller's name for a display number, empty when the phonebook has no entry for it.
using NameLookup = std::function<QString(const QString& displayNumber)>;

enum class MessageSort { Time, Phone, Name };

// The message list of the shown folder: one row per info file, columns "Date", "Phone Number"
// and "Name", kept in the order of the current sort. Rows own their Call_Data_Type records.
class MessageList : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn = 0, NumberColumn = 1, NameColumn = 2, ColumnCount = 3 };
    enum Role { UnreadRole = Qt::UserRole + 1 };

    MessageList(QString datDir, AppMessenger& messenger, NameLookup lookup,
                QObject* parent = nullptr);
    ~MessageList() override;

    // Rebuilds the list from the info files (*.cx?) lying directly in `folderDir`, a directory
    // path whose letter case need not match the disk. Unreadable files are skipped and logged.
    void LoadMessageList(const QString& folderDir);
    // Rebuilds the list from the folder shown last.
    void LoadMessageList();
    QString currentFolder() const { return Folder; }

    // Adds one message, placed by the current sort; a row for the same info file is replaced.
    const Call_Data_Type& AddMessageItem(const Call_Info_Type& info, const QString& extension,
                                         const QString& folder);

    int count() const { return int(Items.size()); }
    const Call_Data_Type& record(int row) const { return *Items[size_t(row)].Record; }
    QString displayNumber(int row) const { return Items[size_t(row)].Number; }
    QString name(int row) const { return Items[size_t(row)].Name; }
    QString dateText(int row) const;
    // Row of the message whose info file is `infoPath`, or -1.
    int rowOf(const QString& infoPath) const;

    MessageSort sortOrder() const { return Sort; }
    // Takes effect at the next load.
    void setSortOrder(MessageSort sort) { Sort = sort; }
    // "Date" sorts by time, "Phone Number" by number, any other caption by name.
    static MessageSort SortForCaption(const QString& caption);

    // Deleting outside "Deleted Items" moves the messages there; inside it asks and purges.
    // The list is then reloaded. `shownFolderName` is the text of the selected folder.
    void DeleteSelectedMessages(QList<int> rows, const QString& shownFolderName);
    // Deletes the messages' info and sound files for good; failures are ignored.
    void PurgeSelectedMessages(QList<int> rows);
    // Moves the messages' sound and info files into `target` (a folder path ending with '/').
    // Rows that moved to another folder leave the list; a message whose files cannot be moved
    // stays where it was, listed. Returns the number of messages moved.
    int MoveSelectedMessages(QList<int> rows, const QString& target);
    // Marks the message with this record's info file read, in the list and on disk. True when it
    // was unread; messageMarkedRead() then follows.
    bool MarkRead(const Call_Data_Type& record);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    static QString DragMimeType();

Q_SIGNALS:
    void messageMarkedRead();

private:
    struct Item {
        std::unique_ptr<Call_Data_Type> Record;
        QString Number;
        QString Name;
    };
    Item makeItem(const Call_Info_Type& info, const QString& extension, const QString& folder,
                  bool cachedName);
    bool before(const Item& a, const Item& b) const;
    void removeRow(int row);
    static QList<int> descending(QList<int> rows);

    QString DatDir;
    AppMessenger& Messenger;
    NameLookup Lookup;
    MessageSort Sort = MessageSort::Time;
    QString Folder;
    std::vector<Item> Items;
    QHash<QString, QString> NameCache; // per load: each distinct number is looked up once
    CallTime::Formatter Dates;
};
