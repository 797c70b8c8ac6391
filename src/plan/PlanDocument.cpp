#include "plan/PlanDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace qv::plan {

bool PlanContent::sameContent(const PlanContent &other) const
{
    return isTemplate == other.isTemplate && title == other.title && info == other.info
           && profile == other.profile && submitter == other.submitter && outline.sameContent(other.outline);
}

namespace PlanDocument {

namespace {

// ---- Writing: an ordered tree, so the text keeps a fixed, readable order ----------

struct Node
{
    enum Kind { Scalar, Object, Array } kind = Scalar;
    QByteArray scalar;
    // An object's members: keys[i] names values[i] (a vector of the node
    // type itself may hold an incomplete type; a vector of pairs may not).
    std::vector<const char *> keys;
    std::vector<Node> values;
    std::vector<Node> items;

    Node &add(const char *key, Node value)
    {
        keys.push_back(key);
        values.push_back(std::move(value));
        return values.back();
    }
};

Node object()
{
    Node n;
    n.kind = Node::Object;
    return n;
}

Node array()
{
    Node n;
    n.kind = Node::Array;
    return n;
}

Node literal(QByteArray text)
{
    Node n;
    n.scalar = std::move(text);
    return n;
}

Node text(const QString &value)
{
    QByteArray out = "\"";
    const QByteArray utf8 = value.toUtf8();
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return literal(out);
}

Node number(qint64 value)
{
    return literal(QByteArray::number(value));
}

Node boolean(bool value)
{
    return literal(value ? "true" : "false");
}

Node variant(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return literal("null");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return boolean(value.toBool());
    case QMetaType::LongLong:
        return number(value.toLongLong());
    case QMetaType::Double:
        return literal(QByteArray::number(value.toDouble(), 'g', 17));
    default:
        return text(value.toString());
    }
}

void writeNode(const Node &node, QByteArray &out, int depth)
{
    const QByteArray inner(2 * (depth + 1), ' ');
    const QByteArray outer(2 * depth, ' ');
    switch (node.kind) {
    case Node::Scalar:
        out += node.scalar;
        return;
    case Node::Object:
        if (node.keys.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (size_t i = 0; i < node.keys.size(); ++i) {
            out += inner + '"' + node.keys[i] + "\": ";
            writeNode(node.values[i], out, depth + 1);
            out += i + 1 < node.keys.size() ? ",\n" : "\n";
        }
        out += outer + '}';
        return;
    case Node::Array:
        if (node.items.empty()) {
            out += "[]";
            return;
        }
        // A list of plain values stays on one line.
        const auto isScalar = [](const Node &item) { return item.kind == Node::Scalar; };
        if (std::all_of(node.items.begin(), node.items.end(), isScalar)) {
            out += '[';
            for (size_t i = 0; i < node.items.size(); ++i)
                out += (i ? ", " : "") + node.items[i].scalar;
            out += ']';
            return;
        }
        out += "[\n";
        for (size_t i = 0; i < node.items.size(); ++i) {
            out += inner;
            writeNode(node.items[i], out, depth + 1);
            out += i + 1 < node.items.size() ? ",\n" : "\n";
        }
        out += outer + ']';
        return;
    }
}

Node tableNode(const Table &table)
{
    Node n = object();
    n.add("file", text(table.fileName()));
    n.add("displayName", text(table.displayName()));
    n.add("hasGraph", boolean(table.hasGraph()));
    n.add("graphFile", text(table.graphFileName()));
    n.add("graphTitle", text(table.graphTitle()));
    return n;
}

Node sectionNode(const Section &section)
{
    Node n = object();
    n.add("name", text(section.name()));
    n.add("status", number(section.status()));
    n.add("key", text(section.key()));
    n.add("textFile", text(section.textFileName()));
    Node &tables = n.add("tables", array());
    for (const auto &table : section.tables())
        tables.items.push_back(tableNode(*table));
    return n;
}

Node chapterNode(const Chapter &chapter)
{
    Node n = object();
    n.add("name", text(chapter.name()));
    Node &sections = n.add("sections", array());
    for (const auto &section : chapter.sections())
        sections.items.push_back(sectionNode(*section));
    return n;
}

Node profileNode(const Profile &p)
{
    Node n = object();
    n.add("projectedYears", number(p.projectedYears()));
    n.add("productCount", number(p.productCount()));
    n.add("advertisingMediaCount", number(p.advertisingMediaCount()));
    n.add("segmentCount", number(p.segmentCount()));
    n.add("marketCount", number(p.marketCount()));
    Node &counts = n.add("marketingCounts", array());
    for (int i = 1; i <= Profile::kMarketingCounts; ++i)
        counts.items.push_back(number(p.marketingCount(i)));
    n.add("firstYearDate", text(p.firstYearDate().isValid() ? p.firstYearDate().toString(Qt::ISODate) : QString()));
    n.add("month", number(p.month()));
    n.add("currencyType", number(p.currencyType()));
    n.add("analysis", boolean(p.analysis()));
    n.add("analysisTitle", text(p.analysisTitle()));
    n.add("analysisFileName", text(p.analysisFileName()));
    n.add("exampleKey", text(p.exampleKey()));
    return n;
}

Node submitterNode(const Submitter &s)
{
    Node n = object();
    n.add("submittedTo", text(s.submittedTo()));
    n.add("submissionDate", variant(s.submissionDate()));
    Node &a = n.add("address", object());
    a.add("name", text(s.address().name()));
    a.add("street", text(s.address().street()));
    a.add("city", text(s.address().city()));
    a.add("state", text(s.address().state()));
    a.add("zip", text(s.address().zip()));
    a.add("telephone", text(s.address().telephone()));
    a.add("fax", text(s.address().fax()));
    return n;
}

// ---- Reading: every member is optional, but one that is present must be of
// the right kind and range, and every file name must stay in the plan folder.

class Reader
{
public:
    QString reason;

    bool fail(const QString &message)
    {
        if (reason.isEmpty()) {
            const QString where = m_where.isEmpty() ? QString() : m_where + QStringLiteral(": ");
            reason = QStringLiteral("The plan document is damaged: ") + where + message;
        }
        return false;
    }

    void at(const QString &where) { m_where = where; }

    // Counts the items of one list against the limits of a document.
    bool admit(qsizetype items, const char *what)
    {
        m_items += items;
        if (items > kMaxItemsPerList)
            return fail(QStringLiteral("more than %1 %2.").arg(kMaxItemsPerList).arg(QLatin1String(what)));
        if (m_items > kMaxOutlineItems)
            return fail(QStringLiteral("the outline holds more than %1 items.").arg(kMaxOutlineItems));
        return true;
    }

    bool text(const QJsonObject &o, const char *key, const std::function<void(const QString &)> &store)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isString())
            return fail(QStringLiteral("\"%1\" must be a text.").arg(QLatin1String(key)));
        try {
            store(storable(v.toString()));
        } catch (const QvError &error) {
            return fail(error.description());
        }
        return true;
    }

    bool integer(const QJsonObject &o, const char *key, qint64 min, qint64 max,
                 const std::function<void(qint64)> &store)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        qint64 value = 0;
        if (!wholeNumber(v, min, max, value))
            return fail(QStringLiteral("\"%1\" must be a whole number from %2 to %3.")
                            .arg(QLatin1String(key))
                            .arg(min)
                            .arg(max));
        store(value);
        return true;
    }

    bool flag(const QJsonObject &o, const char *key, const std::function<void(bool)> &store)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isBool())
            return fail(QStringLiteral("\"%1\" must be true or false.").arg(QLatin1String(key)));
        store(v.toBool());
        return true;
    }

    // An optional object or array member; absent gives an empty one.
    bool member(const QJsonObject &o, const char *key, QJsonObject &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(QStringLiteral("\"%1\" must be an object.").arg(QLatin1String(key)));
        out = v.toObject();
        return true;
    }

    bool member(const QJsonObject &o, const char *key, QJsonArray &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isArray())
            return fail(QStringLiteral("\"%1\" must be a list.").arg(QLatin1String(key)));
        out = v.toArray();
        return true;
    }

    // The text as a document can hold it: a lone surrogate (which JSON
    // escapes can spell but UTF-8 cannot) is replaced as writing would
    // replace it, so that what is read is what a save writes back.
    static QString storable(const QString &text)
    {
        for (const QChar c : text) {
            if (c.isSurrogate())
                return QString::fromUtf8(text.toUtf8());
        }
        return text;
    }

    static bool wholeNumber(const QJsonValue &v, qint64 min, qint64 max, qint64 &out)
    {
        if (!v.isDouble())
            return false;
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || d < static_cast<double>(min) || d > static_cast<double>(max))
            return false;
        out = static_cast<qint64>(d);
        return true;
    }

private:
    QString m_where;
    qsizetype m_items = 0;
};

constexpr qint64 kIntMin = std::numeric_limits<qint32>::min();
constexpr qint64 kIntMax = std::numeric_limits<qint32>::max();

bool readInfo(Reader &r, const QJsonObject &o, PlanInfo &info)
{
    r.at(QStringLiteral("planInfo"));
    return r.integer(o, "planType", kIntMin, kIntMax, [&](qint64 v) { info.setPlanType(int(v)); })
           && r.integer(o, "businessKind", kIntMin, kIntMax, [&](qint64 v) { info.setBusinessKind(int(v)); })
           && r.flag(o, "newBusiness", [&](bool v) { info.setNewBusiness(v); })
           && r.text(o, "businessName", [&](const QString &v) { info.setBusinessName(v); });
}

bool readProfile(Reader &r, const QJsonObject &o, Profile &p)
{
    r.at(QStringLiteral("profile"));
    bool ok = r.integer(o, "projectedYears", kIntMin, kIntMax, [&](qint64 v) { p.setProjectedYears(int(v)); })
              && r.integer(o, "productCount", kIntMin, kIntMax, [&](qint64 v) { p.setProductCount(int(v)); })
              && r.integer(o, "advertisingMediaCount", kIntMin, kIntMax,
                           [&](qint64 v) { p.setAdvertisingMediaCount(int(v)); })
              && r.integer(o, "segmentCount", kIntMin, kIntMax, [&](qint64 v) { p.setSegmentCount(int(v)); })
              && r.integer(o, "marketCount", kIntMin, kIntMax, [&](qint64 v) { p.setMarketCount(int(v)); })
              && r.integer(o, "month", 0, 12, [&](qint64 v) { p.setMonth(int(v)); })
              && r.integer(o, "currencyType", kIntMin, kIntMax, [&](qint64 v) { p.setCurrencyType(int(v)); })
              && r.flag(o, "analysis", [&](bool v) { p.setAnalysis(v); })
              && r.text(o, "analysisTitle", [&](const QString &v) { p.setAnalysisTitle(v); })
              && r.text(o, "analysisFileName", [&](const QString &v) { p.setAnalysisFileName(v); })
              && r.text(o, "exampleKey", [&](const QString &v) { p.setExampleKey(v); });
    if (!ok)
        return false;
    bool dateOk = true;
    ok = r.text(o, "firstYearDate", [&](const QString &v) {
        if (v.isEmpty())
            return;
        const QDate date = QDate::fromString(v, Qt::ISODate);
        if (!date.isValid() || date.toString(Qt::ISODate) != v)
            dateOk = false;
        p.setFirstYearDate(date);
    });
    if (!ok)
        return false;
    if (!dateOk)
        return r.fail(QStringLiteral("\"firstYearDate\" must be a date written as YYYY-MM-DD, or empty."));
    QJsonArray counts;
    if (!r.member(o, "marketingCounts", counts))
        return false;
    if (counts.size() > Profile::kMarketingCounts)
        return r.fail(QStringLiteral("\"marketingCounts\" holds more than %1 numbers.").arg(Profile::kMarketingCounts));
    for (int i = 0; i < counts.size(); ++i) {
        qint64 value = 0;
        if (!Reader::wholeNumber(counts.at(i), kIntMin, kIntMax, value))
            return r.fail(QStringLiteral("\"marketingCounts\" must hold whole numbers."));
        p.setMarketingCount(i + 1, int(value));
    }
    return true;
}

bool readSubmitter(Reader &r, const QJsonObject &o, Submitter &s)
{
    r.at(QStringLiteral("submitter"));
    if (!r.text(o, "submittedTo", [&](const QString &v) { s.setSubmittedTo(v); }))
        return false;
    const QJsonValue date = o.value(QLatin1String("submissionDate"));
    if (date.isString())
        s.setSubmissionDate(Reader::storable(date.toString()));
    else if (date.isBool())
        s.setSubmissionDate(date.toVariant());
    else if (date.isDouble()) {
        qint64 whole = 0;
        if (Reader::wholeNumber(date, -(qint64(1) << 53), qint64(1) << 53, whole))
            s.setSubmissionDate(QVariant(qlonglong(whole)));
        else
            s.setSubmissionDate(QVariant(date.toDouble()));
    } else if (!date.isNull() && !date.isUndefined())
        return r.fail(QStringLiteral("\"submissionDate\" must be a text, a number, true, false or null."));
    QJsonObject a;
    if (!r.member(o, "address", a))
        return false;
    r.at(QStringLiteral("submitter address"));
    Address &address = s.address();
    return r.text(a, "name", [&](const QString &v) { address.setName(v); })
           && r.text(a, "street", [&](const QString &v) { address.setStreet(v); })
           && r.text(a, "city", [&](const QString &v) { address.setCity(v); })
           && r.text(a, "state", [&](const QString &v) { address.setState(v); })
           && r.text(a, "zip", [&](const QString &v) { address.setZip(v); })
           && r.text(a, "telephone", [&](const QString &v) { address.setTelephone(v); })
           && r.text(a, "fax", [&](const QString &v) { address.setFax(v); });
}

bool readTable(Reader &r, const QJsonValue &value, Section &section)
{
    if (!value.isObject())
        return r.fail(QStringLiteral("a table must be an object."));
    const QJsonObject o = value.toObject();
    auto table = std::make_shared<Table>();
    if (!o.value(QLatin1String("file")).isString() || o.value(QLatin1String("file")).toString().isEmpty())
        return r.fail(QStringLiteral("a table must name its \"file\"."));
    if (!r.text(o, "file", [&](const QString &v) { table->setFileName(v); })
        || !r.text(o, "displayName", [&](const QString &v) { table->setDisplayName(v); })
        || !r.flag(o, "hasGraph", [&](bool v) { table->setHasGraph(v); })
        || !r.text(o, "graphFile", [&](const QString &v) { table->setGraphFileName(v); })
        || !r.text(o, "graphTitle", [&](const QString &v) { table->setGraphTitle(v); }))
        return false;
    section.tables().Add(table);
    return true;
}

bool readSection(Reader &r, const QJsonValue &value, Chapter &chapter, const QString &where)
{
    r.at(where);
    if (!value.isObject())
        return r.fail(QStringLiteral("a section must be an object."));
    const QJsonObject o = value.toObject();
    auto section = std::make_shared<Section>();
    QJsonArray tables;
    if (!r.text(o, "name", [&](const QString &v) { section->setName(v); })
        || !r.integer(o, "status", std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max(),
                      [&](qint64 v) { section->setStatus(qint16(v)); })
        || !r.text(o, "key", [&](const QString &v) { section->setKey(v); })
        || !r.text(o, "textFile", [&](const QString &v) { section->setTextFileName(v); })
        || !r.member(o, "tables", tables) || !r.admit(tables.size(), "tables"))
        return false;
    for (int t = 0; t < tables.size(); ++t) {
        r.at(where + QStringLiteral(", table %1").arg(t + 1));
        if (!readTable(r, tables.at(t), *section))
            return false;
    }
    chapter.sections().Add(section);
    return true;
}

bool readChapter(Reader &r, const QJsonValue &value, PlanOutline &outline, int number)
{
    const QString where = QStringLiteral("chapter %1").arg(number);
    r.at(where);
    if (!value.isObject())
        return r.fail(QStringLiteral("a chapter must be an object."));
    const QJsonObject o = value.toObject();
    auto chapter = std::make_shared<Chapter>();
    QJsonArray sections;
    if (!r.text(o, "name", [&](const QString &v) { chapter->setName(v); }) || !r.member(o, "sections", sections)
        || !r.admit(sections.size(), "sections"))
        return false;
    for (int s = 0; s < sections.size(); ++s) {
        if (!readSection(r, sections.at(s), *chapter, where + QStringLiteral(", section %1").arg(s + 1)))
            return false;
    }
    outline.chapters().Add(chapter);
    return true;
}

} // namespace

QByteArray write(const PlanContent &content)
{
    Node root = object();
    root.add("format", text(QLatin1String(kFormatName)));
    root.add("version", number(kVersion));
    if (content.isTemplate)
        root.add("template", boolean(true));
    root.add("title", text(content.title));
    Node &info = root.add("planInfo", object());
    info.add("planType", number(content.info.planType()));
    // A template leaves the business to the wizard's answers.
    if (!content.isTemplate) {
        info.add("businessKind", number(content.info.businessKind()));
        info.add("newBusiness", boolean(content.info.newBusiness()));
        info.add("businessName", text(content.info.businessName()));
    }
    root.add("profile", profileNode(content.profile));
    if (!content.isTemplate)
        root.add("submitter", submitterNode(content.submitter));
    Node &chapters = root.add("chapters", array());
    for (const auto &chapter : content.outline.chapters())
        chapters.items.push_back(chapterNode(*chapter));

    QByteArray out;
    out.reserve(4096);
    writeNode(root, out, 0);
    out += '\n';
    return out;
}

bool read(const QByteArray &bytes, PlanContent &content, QString &reason)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    if (body.size() > kMaxSize) {
        reason = QStringLiteral("The plan document is too large to be a plan.");
        return false;
    }
    if (body.trimmed().isEmpty()) {
        reason = QStringLiteral("The plan document is empty.");
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        reason = QStringLiteral("The plan document is damaged or incomplete (%1 at character %2).")
                     .arg(error.errorString())
                     .arg(error.offset);
        return false;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName)) {
        reason = QStringLiteral("The file is not a Quorvex plan document.");
        return false;
    }
    qint64 version = 0;
    if (!Reader::wholeNumber(root.value(QLatin1String("version")), 1, std::numeric_limits<qint32>::max(), version)) {
        reason = QStringLiteral("The plan document does not say which version of the format it uses.");
        return false;
    }
    if (version > kVersion) {
        reason = QStringLiteral("The plan document was saved by a newer version of Quorvex (document version %1); "
                                "this version reads documents up to version %2.")
                     .arg(version)
                     .arg(kVersion);
        return false;
    }

    Reader r;
    QJsonObject info;
    QJsonObject profile;
    QJsonObject submitter;
    QJsonArray chapters;
    const bool ok = r.flag(root, "template", [&](bool v) { content.isTemplate = v; })
                    && r.text(root, "title", [&](const QString &v) { content.title = v; })
                    && r.member(root, "planInfo", info) && r.member(root, "profile", profile)
                    && r.member(root, "submitter", submitter) && r.member(root, "chapters", chapters)
                    && readInfo(r, info, content.info) && readProfile(r, profile, content.profile)
                    && readSubmitter(r, submitter, content.submitter) && r.admit(chapters.size(), "chapters");
    if (!ok) {
        reason = r.reason;
        return false;
    }
    for (int c = 0; c < chapters.size(); ++c) {
        if (!readChapter(r, chapters.at(c), content.outline, c + 1)) {
            reason = r.reason;
            return false;
        }
    }
    if (content.isTemplate) {
        // A template's business is the wizard's: whatever it says is not kept.
        PlanInfo blank;
        blank.setPlanType(content.info.planType());
        content.info = blank;
        content.submitter = Submitter();
    }
    return true;
}

bool readFile(const QString &path, PlanContent &content, QString &reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        reason = QStringLiteral("The plan document %1 does not exist.").arg(path);
        return false;
    }
    if (info.isDir()) {
        reason = QStringLiteral("%1 is a folder, not a plan document.").arg(path);
        return false;
    }
    if (info.size() > kMaxSize) {
        reason = QStringLiteral("The plan document %1 is too large to be a plan.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("The plan document %1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    // Read one byte past the limit, so that an oversized or growing file is
    // recognised without reading it all.
    const QByteArray bytes = file.read(kMaxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        reason = QStringLiteral("The plan document %1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    return read(bytes, content, reason);
}

} // namespace PlanDocument

} // namespace qv::plan
