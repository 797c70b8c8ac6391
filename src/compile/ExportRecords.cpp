#include "compile/ExportRecords.h"

#include "compile/ExportText.h"

namespace qv::compile {

namespace {
constexpr int kFieldsPerListedFile = 9;
}

QStringList splitExportRecord(const QString &line)
{
    QStringList fields;
    qsizetype pos = 0;
    while (pos <= line.size()) {
        if (pos < line.size() && line[pos] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                return {};
            fields << line.mid(pos + 1, close - pos - 1);
            pos = close + 1;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            const QString bare = line.mid(pos, comma < 0 ? -1 : comma - pos).trimmed();
            // A quote can only open a text field; one inside a bare field means the line is damaged.
            if (bare.contains(QLatin1Char('"')))
                return {};
            fields << bare;
            pos = comma < 0 ? line.size() : comma;
        }
        if (pos >= line.size())
            break;
        if (line[pos] != QLatin1Char(','))
            return {};
        ++pos;
    }
    return fields;
}

std::vector<QStringList> readExportRecords(const QByteArray &bytes)
{
    std::vector<QStringList> records;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = decodeWindows1252(raw).trimmed();
        if (line.isEmpty())
            continue;
        QStringList fields = splitExportRecord(line);
        if (!fields.isEmpty())
            records.push_back(std::move(fields));
    }
    return records;
}

std::vector<ListedFile> readFilesList(const QByteArray &text)
{
    std::vector<ListedFile> records;
    for (const QStringList &f : readExportRecords(text)) {
        if (f.size() != kFieldsPerListedFile)
            continue;
        records.push_back({f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3], f[4], f[5].toInt(), f[6].toInt(),
                           f[7].toInt(), f[8].toInt()});
    }
    return records;
}

} // namespace qv::compile
