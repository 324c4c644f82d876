#pragma once

#include <QList>
#include <QTreeView>

class MessageList;

// The message list on the right of the main window: a report view of a MessageList, several rows
// selectable, unread messages in bold. Dragging the selection starts a move onto the folder tree.
class TMessageListView : public QTreeView {
    Q_OBJECT
public:
    explicit TMessageListView(MessageList& messages, QWidget* parent = nullptr);

    static constexpr int HelpContext = 111;

    MessageList& messages() const { return Messages; }
    // Selected rows, in ascending order.
    QList<int> selectedRows() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int NameColumnWidth = 70;
    void sizeColumns();

    bool ColumnsSized = false;

    MessageList& Messages;
};
