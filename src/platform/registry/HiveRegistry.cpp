#include "platform/registry/HiveRegistry.h"

#include "core/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray Header = "Windows Registry Editor Version 5.00";
const QString Root = QStringLiteral("HKEY_LOCAL_MACHINE");

// Quoted text with the escapes the format knows, plus \n and \r so a line break inside a value
// cannot split its line.
QString quote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the closing quote.
bool unquote(const QString& line, qsizetype& pos, QString& out, QString& why) {
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            break;
        switch (line[pos].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case '"':
            out += QLatin1Char('"');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            why = QStringLiteral("unknown escape \\%1").arg(line[pos]);
            return false;
        }
    }
    why = QStringLiteral("unterminated quoted text");
    return false;
}

bool onlyBlanksFrom(const QString& line, qsizetype pos) {
    for (; pos < line.size(); ++pos)
        if (!line[pos].isSpace())
            return false;
    return true;
}

bool hasControlCharacter(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

// The rename that made the new file visible is only durable once its folder is synced too.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

HiveRegistry::HiveRegistry(QString path) : Path(std::move(path)) {}

QString HiveRegistry::defaultPath() {
    // GenericConfigLocation is $XDG_CONFIG_HOME, or ~/.config when that is unset.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nirvo/registry.reg");
}

QString HiveRegistry::storeError() const {
    switch (Status) {
    case State::Ready:
        return {};
    case State::Broken:
        return LoadError;
    case State::NotLoaded:
        break;
    }
    return QStringLiteral("The settings file %1 has not been loaded.").arg(Path);
}

bool HiveRegistry::load(QString* error) {
    Keys.clear();
    Status = State::Broken;
    const auto fail = [&](const QString& why) {
        Keys.clear();
        LoadError = why;
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(Path);
    if (!info.exists() && !info.isSymLink()) {
        Status = State::Ready;
        LoadError.clear();
        return true;
    }
    QFile file(Path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The settings file %1 cannot be read: %2.")
                        .arg(Path, info.isFile() ? file.errorString()
                                                 : QStringLiteral("it is not a plain file")));
    // Sized to the file, not to the limit: a read buffer is allocated up front.
    const QByteArray data = file.read(qBound<qint64>(0, file.size(), MaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("The settings file %1 cannot be read: %2.")
                        .arg(Path, file.errorString()));
    if (data.size() > MaxFileSize)
        return fail(QStringLiteral("The settings file %1 is larger than %2 bytes.")
                        .arg(Path)
                        .arg(MaxFileSize));
    QString why;
    Parsing = true;
    const bool parsed = parse(data, &why);
    Parsing = false;
    if (!parsed)
        return fail(why);
    Status = State::Ready;
    LoadError.clear();
    return true;
}

bool HiveRegistry::parse(const QByteArray& data, QString* error) {
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    bool sawHeader = false;
    QString currentKey;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const auto bad = [&](const QString& why) {
            *error = QStringLiteral("The settings file %1 cannot be used: line %2: %3.")
                         .arg(Path)
                         .arg(i + 1)
                         .arg(why);
            return false;
        };
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            continue;
        if (!sawHeader) {
            if (trimmed != QString::fromLatin1(Header))
                return bad(QStringLiteral("expected \"%1\"").arg(QString::fromLatin1(Header)));
            sawHeader = true;
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            if (!trimmed.endsWith(QLatin1Char(']')))
                return bad(QStringLiteral("a key line must end with ]"));
            const QString path = trimmed.mid(1, trimmed.size() - 2);
            const qsizetype slash = path.indexOf(QLatin1Char('\\'));
            const QString root = slash < 0 ? path : path.left(slash);
            if (root.compare(Root, Qt::CaseInsensitive) != 0)
                return bad(QStringLiteral("keys must lie under %1").arg(Root));
            const QString key = slash < 0 ? QString() : path.mid(slash + 1);
            if (fold(key).isEmpty())
                return bad(QStringLiteral("the root itself holds no values"));
            MemoryRegistry::openKey(key, true);
            currentKey = key;
            continue;
        }
        if (currentKey.isEmpty())
            return bad(QStringLiteral("a value before any key"));
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            QString why;
            if (!unquote(line, pos, name, why))
                return bad(why);
        } else {
            return bad(QStringLiteral("expected a key in [ ] or a \"name\"=value line"));
        }
        if (pos >= line.size() || line[pos] != QLatin1Char('='))
            return bad(QStringLiteral("expected = after the value name"));
        ++pos;
        const QString rest = line.mid(pos);
        if (rest.startsWith(QLatin1Char('"'))) {
            QString text, why;
            qsizetype at = 0;
            if (!unquote(rest, at, text, why))
                return bad(why);
            if (!onlyBlanksFrom(rest, at))
                return bad(QStringLiteral("text after the closing quote"));
            MemoryRegistry::writeString(currentKey, name, text);
        } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QString hex = rest.mid(6).trimmed();
            bool ok = false;
            const quint32 value = hex.toUInt(&ok, 16);
            if (!ok || hex.isEmpty() || hex.size() > 8 || hex.startsWith(QLatin1Char('+')) ||
                hex.startsWith(QLatin1Char('-')))
                return bad(QStringLiteral("a dword needs 1 to 8 hexadecimal digits"));
            MemoryRegistry::writeInteger(currentKey, name, value);
        } else {
            // Other value types would be lost on the next save; refuse rather than drop them.
            return bad(QStringLiteral("only text and dword values are supported"));
        }
    }
    // A file holding no header at all (empty, or only comments) holds no keys either.
    return true;
}

QByteArray HiveRegistry::serialize() const {
    QString out = QString::fromLatin1(Header) + QLatin1String("\n");
    for (const Key& key : Keys) {
        out += QLatin1String("\n[") + Root + QLatin1Char('\\') + key.name + QLatin1String("]\n");
        for (const auto& [name, value] : key.values) {
            out += name.isEmpty() ? QStringLiteral("@") : quote(name);
            out += QLatin1Char('=');
            if (const auto* text = std::get_if<QString>(&value))
                out += quote(*text);
            else
                out += QStringLiteral("dword:%1")
                           .arg(std::get<quint32>(value), 8, 16, QLatin1Char('0'));
            out += QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

bool HiveRegistry::changed() {
    if (Parsing)
        return true; // building the store from the file it came from
    if (Status != State::Ready) {
        WriteError = storeError();
        return false;
    }
    const QString folder = QFileInfo(Path).absolutePath();
    if (!QDir().mkpath(folder)) {
        WriteError = QStringLiteral("The folder %1 cannot be created.").arg(folder);
        return false;
    }
    QString why;
    if (!FileIO::writeAtomic(Path, serialize(), &why)) {
        WriteError = QStringLiteral("The settings file %1 cannot be written: %2.").arg(Path, why);
        return false;
    }
    syncFolder(folder);
    WriteError.clear();
    return true;
}

template <typename Change> bool HiveRegistry::transact(Change change) {
    const QMap<QString, Key> before = Keys; // shared until the change detaches it
    if (change())
        return true;
    Keys = before;
    return false;
}

bool HiveRegistry::openKey(const QString& key, bool create) {
    if (hasControlCharacter(key))
        return false; // a line break in a key name would break the file's line structure
    return transact([&] { return MemoryRegistry::openKey(key, create); });
}

bool HiveRegistry::deleteKey(const QString& key) {
    return transact([&] { return MemoryRegistry::deleteKey(key); });
}

bool HiveRegistry::writeString(const QString& key, const QString& name, const QString& value) {
    return transact([&] { return MemoryRegistry::writeString(key, name, value); });
}

bool HiveRegistry::writeInteger(const QString& key, const QString& name, quint32 value) {
    return transact([&] { return MemoryRegistry::writeInteger(key, name, value); });
}
