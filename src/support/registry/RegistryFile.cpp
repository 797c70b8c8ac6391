#include "support/registry/RegistryFile.h"

#include <QtEndian>

namespace qv::support::registry {

namespace {

const QByteArray kHeader = QByteArrayLiteral("Quorvex Registry 1");

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// ---- Writing ---------------------------------------------------------------------------

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case 0: out += QStringLiteral("\\0"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default: out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString hexBytes(const QByteArray &bytes)
{
    QStringList parts;
    for (const char b : bytes)
        parts << QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
}

QString formatData(const RegData &data)
{
    switch (data.type) {
    case REG_SZ: return quoted(data.text);
    case REG_EXPAND_SZ: return QStringLiteral("expand:") + quoted(data.text);
    case REG_MULTI_SZ: return QStringLiteral("multi:") + quoted(data.text);
    case REG_DWORD: return QStringLiteral("dword:%1").arg(data.number, 8, 16, QLatin1Char('0'));
    case REG_DWORD_BIG_ENDIAN: return QStringLiteral("dword-be:%1").arg(data.number, 8, 16, QLatin1Char('0'));
    case REG_BINARY: return QStringLiteral("hex:") + hexBytes(data.bytes);
    default: return QStringLiteral("hex(%1):").arg(data.type, 0, 16) + hexBytes(data.bytes);
    }
}

void formatKey(const RegKey &key, const QString &path, QString &out)
{
    if (!path.isEmpty() || !key.values.empty())
        out += QLatin1Char('[') + path + QStringLiteral("]\n");
    for (const RegValue &value : key.values)
        out += (value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name)) + QLatin1Char('=')
               + formatData(value.data) + QLatin1Char('\n');
    if (!path.isEmpty() || !key.values.empty())
        out += QLatin1Char('\n');
    for (const auto &sub : key.subkeys)
        formatKey(*sub, path.isEmpty() ? sub->name : path + QLatin1Char('\\') + sub->name, out);
}

// ---- Reading ---------------------------------------------------------------------------

// Reads a quoted text at `pos`; moves `pos` past it. False when it is not one.
bool readQuoted(const QString &line, int &pos, QString &text)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            text += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos].unicode()) {
        case '\\': text += QLatin1Char('\\'); break;
        case '"': text += QLatin1Char('"'); break;
        case '0': text += QChar(0); break;
        case 'n': text += QLatin1Char('\n'); break;
        case 'r': text += QLatin1Char('\r'); break;
        case 't': text += QLatin1Char('\t'); break;
        default: return false;
        }
    }
    return false;
}

bool readHexBytes(const QString &text, QByteArray &bytes)
{
    bytes.clear();
    if (text.trimmed().isEmpty())
        return true;
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const uint b = part.trimmed().toUInt(&ok, 16);
        if (!ok || b > 0xFF || part.trimmed().size() > 2)
            return false;
        bytes.append(char(b));
    }
    return true;
}

bool readNumber(const QString &text, quint32 &number)
{
    bool ok = false;
    const QString digits = text.trimmed();
    number = digits.toUInt(&ok, 16);
    return ok && !digits.isEmpty() && digits.size() <= 8;
}

// Reads what follows "=" on a value line.
bool readData(const QString &line, int pos, RegData &data)
{
    const QString rest = line.mid(pos);
    auto quotedText = [&](int skip, quint32 type) {
        int at = pos + skip;
        data.type = type;
        return readQuoted(line, at, data.text) && line.mid(at).trimmed().isEmpty();
    };
    if (rest.startsWith(QLatin1Char('"')))
        return quotedText(0, REG_SZ);
    if (rest.startsWith(QLatin1String("expand:")))
        return quotedText(7, REG_EXPAND_SZ);
    if (rest.startsWith(QLatin1String("multi:")))
        return quotedText(6, REG_MULTI_SZ);
    if (rest.startsWith(QLatin1String("dword:"))) {
        data.type = REG_DWORD;
        return readNumber(rest.mid(6), data.number);
    }
    if (rest.startsWith(QLatin1String("dword-be:"))) {
        data.type = REG_DWORD_BIG_ENDIAN;
        return readNumber(rest.mid(9), data.number);
    }
    if (rest.startsWith(QLatin1String("hex:"))) {
        data.type = REG_BINARY;
        return readHexBytes(rest.mid(4), data.bytes);
    }
    if (rest.startsWith(QLatin1String("hex("))) {
        const int close = rest.indexOf(QLatin1String("):"));
        bool ok = false;
        data.type = close > 4 ? rest.mid(4, close - 4).toUInt(&ok, 16) : 0;
        if (!ok || RegData::isTextType(data.type) || RegData::isNumberType(data.type))
            return false;
        return readHexBytes(rest.mid(close + 2), data.bytes);
    }
    return false;
}

RegKey *keyAt(RegKey &root, const QStringList &names)
{
    RegKey *key = &root;
    for (const QString &name : names)
        key = key->addSubkey(name);
    return key;
}

} // namespace

int RegData::byteSize() const
{
    if (isTextType(type))
        return int(text.size() + 1) * 2;
    if (isNumberType(type))
        return 4;
    return int(bytes.size());
}

QByteArray RegData::rawBytes() const
{
    if (isTextType(type)) {
        QByteArray raw(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        return raw + QByteArray(2, '\0');
    }
    if (isNumberType(type)) {
        QByteArray raw(4, '\0');
        if (type == REG_DWORD)
            qToLittleEndian(number, raw.data());
        else
            qToBigEndian(number, raw.data());
        return raw;
    }
    return bytes;
}

RegKey *RegKey::subkey(const QString &name) const
{
    for (const auto &sub : subkeys)
        if (sameName(sub->name, name))
            return sub.get();
    return nullptr;
}

RegKey *RegKey::addSubkey(const QString &name)
{
    if (RegKey *existing = subkey(name))
        return existing;
    subkeys.push_back(std::make_unique<RegKey>());
    subkeys.back()->name = name;
    return subkeys.back().get();
}

bool RegKey::removeSubkey(const QString &name)
{
    for (auto it = subkeys.begin(); it != subkeys.end(); ++it)
        if (sameName((*it)->name, name)) {
            subkeys.erase(it);
            return true;
        }
    return false;
}

RegValue *RegKey::value(const QString &name)
{
    for (RegValue &v : values)
        if (sameName(v.name, name))
            return &v;
    return nullptr;
}

void RegKey::setValue(const QString &name, const RegData &data)
{
    if (RegValue *existing = value(name))
        existing->data = data;
    else
        values.push_back({name, data});
}

bool RegKey::removeValue(const QString &name)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        if (sameName(it->name, name)) {
            values.erase(it);
            return true;
        }
    return false;
}

QStringList splitKeyPath(const QString &path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

ParsedStore parseStore(const QByteArray &text)
{
    ParsedStore store;
    const QList<QByteArray> lines = text.split('\n');
    RegKey *current = nullptr;
    bool headerSeen = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        auto problem = [&](const QString &what) {
            store.problems << QStringLiteral("line %1: %2").arg(i + 1).arg(what);
        };
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (!headerSeen) {
            headerSeen = true;
            if (line.toUtf8() != kHeader)
                problem(QStringLiteral("the file does not begin with \"%1\"").arg(QString::fromLatin1(kHeader)));
            else
                continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                problem(QStringLiteral("a key line must end in \"]\""));
                current = nullptr;
                continue;
            }
            current = keyAt(store.root, splitKeyPath(line.mid(1, line.size() - 2)));
            continue;
        }
        if (!current) {
            problem(QStringLiteral("a value outside any key"));
            continue;
        }
        QString name;
        int pos = 0;
        if (line.startsWith(QLatin1Char('@')))
            pos = 1;
        else if (!readQuoted(line, pos, name)) {
            problem(QStringLiteral("unreadable value name"));
            continue;
        }
        RegData data;
        if (pos >= line.size() || line[pos] != QLatin1Char('=') || !readData(line, pos + 1, data)) {
            problem(QStringLiteral("unreadable value data"));
            continue;
        }
        current->setValue(name, data);
    }
    return store;
}

QByteArray formatStore(const RegKey &root)
{
    QString out = QString::fromLatin1(kHeader)
                  + QStringLiteral("\n; Quorvex's registry store. Format: docs/formats.md, \"Registry store files\".\n\n");
    formatKey(root, QString(), out);
    return out.toUtf8();
}

} // namespace qv::support::registry
