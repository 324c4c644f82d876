#include "messages/store/MessageList.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "messages/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <algorithm>
#include <cmath>

MessageList::MessageList(QString datDir, AppMessenger& messenger, NameLookup lookup,
                         QObject* parent)
    : QAbstractTableModel(parent), DatDir(std::move(datDir)), Messenger(messenger),
      Lookup(std::move(lookup)) {}

MessageList::~MessageList() = default;

QString MessageList::DragMimeType() {
    return QStringLiteral("application/x-nirvo-messages");
}

MessageSort MessageList::SortForCaption(const QString& caption) {
    if (caption.compare(QStringLiteral("Date"), Qt::CaseInsensitive) == 0)
        return MessageSort::Time;
    if (caption.compare(QStringLiteral("Phone Number"), Qt::CaseInsensitive) == 0)
        return MessageSort::Phone;
    return MessageSort::Name;
}

MessageList::Item MessageList::makeItem(const Call_Info_Type& info, const QString& extension,
                                        const QString& folder, bool cachedName) {
    Item item;
    item.Record = std::make_unique<Call_Data_Type>(info.MsgNumber, extension, folder, info.CallTime,
                                                   info.Caller);
    item.Number = GetDisplayNumber(info.Caller);
    if (Lookup) {
        if (!cachedName) {
            item.Name = Lookup(item.Number);
        } else {
            auto it = NameCache.constFind(item.Number);
            if (it == NameCache.constEnd())
                it = NameCache.insert(item.Number, Lookup(item.Number));
            item.Name = *it;
        }
    }
    return item;
}

bool MessageList::before(const Item& a, const Item& b) const {
    switch (Sort) {
    case MessageSort::Time: {
        // NaN sorts first, so the order stays a strict weak ordering for damaged files.
        const double x = a.Record->CallTime;
        const double y = b.Record->CallTime;
        if (std::isnan(x) || std::isnan(y))
            return std::isnan(x) && !std::isnan(y);
        return x < y;
    }
    case MessageSort::Phone:
        return a.Number.compare(b.Number, Qt::CaseSensitive) < 0;
    case MessageSort::Name:
        return a.Name.compare(b.Name, Qt::CaseSensitive) < 0;
    }
    return false;
}

void MessageList::LoadMessageList(const QString& folderDir) {
    beginResetModel();
    Items.clear();
    NameCache.clear();
    Folder = StorePaths::ResolveDir(folderDir);
    const QDir dir(Folder);
    const QStringList files = dir.entryList(
        {QStringLiteral("*.cx?")}, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    Items.reserve(size_t(files.size()));
    for (const QString& file : files) {
        const std::optional<Call_Info_Type> info = ReadInfoFile(Folder + file);
        if (!info) {
            WriteLog(QStringLiteral("Could not read message file ") + Folder + file);
            continue;
        }
        Items.push_back(makeItem(*info, file.right(4), Folder, true));
    }
    std::stable_sort(Items.begin(), Items.end(),
                     [this](const Item& a, const Item& b) { return before(a, b); });
    endResetModel();
}

void MessageList::LoadMessageList() {
    if (!Folder.isEmpty())
        LoadMessageList(Folder);
}

const Call_Data_Type& MessageList::AddMessageItem(const Call_Info_Type& info,
                                                  const QString& extension, const QString& folder) {
    Item item = makeItem(info, extension, StorePaths::WithSlash(folder), false);
    const int existing = rowOf(item.Record->GetInfoPath());
    if (existing >= 0)
        removeRow(existing);
    auto pos = std::upper_bound(Items.begin(), Items.end(), item,
                                [this](const Item& a, const Item& b) { return before(a, b); });
    const int row = int(pos - Items.begin());
    beginInsertRows({}, row, row);
    Items.insert(pos, std::move(item));
    endInsertRows();
    return *Items[size_t(row)].Record;
}

QString MessageList::dateText(int row) const {
    return Dates.format(Items[size_t(row)].Record->CallTime);
}

int MessageList::rowOf(const QString& infoPath) const {
    for (size_t i = 0; i < Items.size(); ++i) {
        if (Items[i].Record->GetInfoPath() == infoPath)
            return int(i);
    }
    return -1;
}

void MessageList::removeRow(int row) {
    beginRemoveRows({}, row, row);
    Items.erase(Items.begin() + row);
    endRemoveRows();
}

QList<int> MessageList::descending(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void MessageList::DeleteSelectedMessages(QList<int> rows, const QString& shownFolderName) {
    if (rows.isEmpty())
        return;
    const QString question =
        rows.size() == 1 ? QStringLiteral("Are you sure you want to delete this message?")
                         : QStringLiteral("Are you sure you want to delete these messages?");
    if (shownFolderName.compare(QStringLiteral("deleted items"), Qt::CaseInsensitive) != 0) {
        MoveSelectedMessages(rows, StorePaths::DeletedItemsDir(DatDir));
    } else if (Messenger.ShowAppMessage(QStringLiteral("Delete confirmation"), question, mkQuestion,
                                        mbOKCancel) == mrOK) {
        PurgeSelectedMessages(rows);
    }
    LoadMessageList();
}

void MessageList::PurgeSelectedMessages(QList<int> rows) {
    for (int row : descending(rows)) {
        if (row < 0 || row >= count())
            continue;
        const Call_Data_Type& rec = record(row);
        QFile::remove(rec.GetInfoPath());
        QFile::remove(rec.GetWavPath());
        removeRow(row);
    }
}

int MessageList::MoveSelectedMessages(QList<int> rows, const QString& target) {
    const QString to = StorePaths::ResolveDir(target);
    int moved = 0;
    for (int row : descending(rows)) {
        if (row < 0 || row >= count())
            continue;
        const Call_Data_Type& rec = record(row);
        if (StorePaths::SameDirectory(rec.Folder, to))
            continue;
        // The sound travels with the info file. A message whose sound was never written still
        // moves; if its info file cannot follow, the sound goes back, so the pair stays together.
        const bool hasWav = QFileInfo::exists(rec.GetWavPath());
        bool ok = !hasWav || QFile::rename(rec.GetWavPath(), to + rec.GetWavName());
        if (ok && !QFile::rename(rec.GetInfoPath(), to + rec.GetInfoName())) {
            if (hasWav)
                QFile::rename(to + rec.GetWavName(), rec.GetWavPath());
            ok = false;
        }
        if (!ok) {
            WriteLog(QStringLiteral("Could not move message ") + rec.GetInfoPath() +
                     QStringLiteral(" to ") + to);
            continue;
        }
        ++moved;
        removeRow(row);
    }
    return moved;
}

bool MessageList::MarkRead(const Call_Data_Type& record) {
    const int row = rowOf(record.GetInfoPath());
    bool changed = false;
    if (row >= 0) {
        changed = ::MarkRead(*Items[size_t(row)].Record);
        if (changed)
            Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    } else {
        Call_Data_Type copy = record;
        changed = ::MarkRead(copy);
    }
    if (changed)
        Q_EMIT messageMarkedRead();
    return changed;
}

int MessageList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int MessageList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MessageList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const Item& item = Items[size_t(index.row())];
    if (role == UnreadRole)
        return item.Record->IsUnread();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return dateText(index.row());
    case NumberColumn:
        return item.Number;
    case NameColumn:
        return item.Name;
    default:
        return {};
    }
}

QVariant MessageList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return QStringLiteral("Date");
    case NumberColumn:
        return QStringLiteral("Phone Number");
    case NameColumn:
        return QStringLiteral("Name");
    default:
        return {};
    }
}

Qt::ItemFlags MessageList::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList MessageList::mimeTypes() const {
    return {DragMimeType()};
}

QMimeData* MessageList::mimeData(const QModelIndexList& indexes) const {
    // The drop acts on the list's selection, so the payload only marks the drag as ours.
    auto* mime = new QMimeData;
    QByteArray rows;
    for (const QModelIndex& index : indexes) {
        if (index.column() == 0)
            rows += QByteArray::number(index.row()) + ' ';
    }
    mime->setData(DragMimeType(), rows);
    return mime;
}
