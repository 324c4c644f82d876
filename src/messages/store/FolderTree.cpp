#include "messages/store/FolderTree.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

FolderNode* FolderNode::addChild(const QString& text) {
    auto node = std::make_unique<FolderNode>();
    node->Text = text;
    node->Parent = this;
    Children.push_back(std::move(node));
    return Children.back().get();
}

FolderTree FolderTree::DefaultTree() {
    FolderTree tree;
    FolderNode* calls = tree.addRoot(QStringLiteral("Calls"));
    calls->addChild(QStringLiteral("Inbox"));
    calls->addChild(QStringLiteral("Deleted Items"));
    tree.addRoot(QStringLiteral("Phonebook"));
    return tree;
}

FolderNode* FolderTree::addRoot(const QString& text) {
    auto node = std::make_unique<FolderNode>();
    node->Text = text;
    Roots.push_back(std::move(node));
    return Roots.back().get();
}

void FolderTree::remove(FolderNode* node) {
    if (!node)
        return;
    auto& siblings = node->Parent ? node->Parent->Children : Roots;
    auto it =
        std::find_if(siblings.begin(), siblings.end(),
                     [node](const std::unique_ptr<FolderNode>& n) { return n.get() == node; });
    if (it != siblings.end())
        siblings.erase(it);
}

namespace {
void collect(const std::vector<std::unique_ptr<FolderNode>>& nodes, QList<FolderNode*>& out) {
    for (const auto& node : nodes) {
        out.append(node.get());
        collect(node->Children, out);
    }
}

void writeNodes(const std::vector<std::unique_ptr<FolderNode>>& nodes, int depth, QString& out) {
    for (const auto& node : nodes) {
        out += QString(depth, QLatin1Char('\t'));
        out += node->Text;
        out += QStringLiteral("\r\n");
        writeNodes(node->Children, depth + 1, out);
    }
}
} // namespace

QList<FolderNode*> FolderTree::depthFirst() const {
    QList<FolderNode*> out;
    collect(Roots, out);
    return out;
}

FolderNode* FolderTree::findByName(const QString& name) const {
    for (FolderNode* node : depthFirst()) {
        if (node->Text == name)
            return node;
    }
    return nullptr;
}

FolderNode* FolderTree::childNamed(const FolderNode* parent, const QString& name) {
    if (!parent)
        return nullptr;
    for (const auto& child : parent->Children) {
        if (child->Text.compare(name, Qt::CaseInsensitive) == 0)
            return child.get();
    }
    return nullptr;
}

QByteArray FolderTree::toText() const {
    QString out;
    writeNodes(Roots, 0, out);
    return out.toUtf8();
}

bool FolderTree::fromText(const QByteArray& bytes, FolderTree& out, QString* error) {
    out.clear();
    // Files written by this program are UTF-8; older ones may be in a single-byte code page.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);

    std::vector<FolderNode*> path; // path[d] is the last node read at depth d
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        qsizetype level = 0;
        while (level < line.size() &&
               (line[level] == QLatin1Char('\t') || line[level] == QLatin1Char(' ')))
            ++level;
        const QString name = line.mid(level);
        if (name.isEmpty())
            continue;
        if (level > qsizetype(path.size())) {
            if (error)
                *error = QStringLiteral("Invalid level (%1) for item \"%2\" on line %3 of the "
                                        "folder tree file.")
                             .arg(level)
                             .arg(name)
                             .arg(i + 1);
            out.clear();
            return false;
        }
        path.resize(level);
        FolderNode* node = level == 0 ? out.addRoot(name) : path.back()->addChild(name);
        path.push_back(node);
    }
    return true;
}

QString FolderPath(const FolderNode* node) {
    if (!node || node->isRoot())
        return QString();
    return FolderPath(node->Parent) + node->Text + QLatin1Char('/');
}

bool IsNamed(const FolderNode* node, const QString& name) {
    return node && node->Text.compare(name, Qt::CaseInsensitive) == 0;
}

bool IsPhonebookNode(const FolderNode* node) {
    return IsNamed(node, QStringLiteral("Phonebook"));
}

bool IsCallsNode(const FolderNode* node) {
    return IsNamed(node, QStringLiteral("Calls"));
}

bool IsDeletedItemsNode(const FolderNode* node) {
    return IsNamed(node, QStringLiteral("Deleted Items"));
}

bool HasFixedName(const FolderNode* node) {
    return IsNamed(node, QStringLiteral("Inbox")) || IsDeletedItemsNode(node) ||
           IsPhonebookNode(node) || IsCallsNode(node);
}

bool IsProtectedFolder(const FolderNode* node) {
    return HasFixedName(node) && (node->isRoot() || IsCallsNode(node->Parent));
}
