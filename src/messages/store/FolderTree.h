#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

// One folder of the tree. Its text is the folder's name and its directory's name.
struct FolderNode {
    QString Text;
    FolderNode* Parent = nullptr;
    std::vector<std::unique_ptr<FolderNode>> Children;

    bool isRoot() const { return Parent == nullptr; }
    FolderNode* addChild(const QString& text);
};

// The folder tree: roots in order, each with its children in order.
class FolderTree {
public:
    FolderTree() = default;
    FolderTree(FolderTree&&) = default;
    FolderTree& operator=(FolderTree&&) = default;

    // "Calls" (with "Inbox" and "Deleted Items"), then "Phonebook".
    static FolderTree DefaultTree();

    const std::vector<std::unique_ptr<FolderNode>>& roots() const { return Roots; }
    FolderNode* addRoot(const QString& text);
    FolderNode* top() const { return Roots.empty() ? nullptr : Roots.front().get(); }
    // Removes `node` and everything below it.
    void remove(FolderNode* node);
    void clear() { Roots.clear(); }

    // Every node, each before its children, children before the next sibling.
    QList<FolderNode*> depthFirst() const;
    // First node in depth-first order whose text is exactly `name` (letter case included).
    FolderNode* findByName(const QString& name) const;
    // Child of `parent` named `name` without regard to case.
    static FolderNode* childNamed(const FolderNode* parent, const QString& name);

    // The tree file: per node, one TAB per level of depth, the text, CR LF.
    QByteArray toText() const;
    // Reads the tree file form. Each leading TAB or space is one level; a line may go at most one
    // level deeper than the line before. On failure `out` is left empty and `error` says why.
    static bool fromText(const QByteArray& text, FolderTree& out, QString* error = nullptr);

private:
    std::vector<std::unique_ptr<FolderNode>> Roots;
};

// The node's directory below dat/calls/: empty for a root, else the parent's path, the node's
// text and '/'.
QString FolderPath(const FolderNode* node);

// Roles come from names alone, compared without regard to case.
bool IsNamed(const FolderNode* node, const QString& name);
bool IsPhonebookNode(const FolderNode* node);
bool IsCallsNode(const FolderNode* node);
bool IsDeletedItemsNode(const FolderNode* node);
// "Inbox", "Deleted Items", "Phonebook" or "Calls" wherever the node stands.
bool HasFixedName(const FolderNode* node);
// A fixed name as a root or as a child of "Calls": such folders can be neither renamed nor deleted.
bool IsProtectedFolder(const FolderNode* node);
