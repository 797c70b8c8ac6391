#pragma once

// The text records the compilers read: comma-separated fields, text in
// double quotes, numbers bare, every line ended by CR LF, all in the Windows
// "ANSI" code page 1252.

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace qv::compile {

// The text with every character code page 1252 lacks replaced by the
// closest one it has ("ā" by "a", "ł" by "l", "−" by "-", "ﬁ" by "fi"),
// and "?" where there is none. Nothing is dropped but invisible marks
// (zero-width spaces, byte-order marks).
QString closestWindows1252(const QString &text);
// Encodes text that holds only code page 1252 characters (others become "?").
QByteArray encodeWindows1252(const QString &text);
QString decodeWindows1252(const QByteArray &bytes);

// What a text field may hold: a straight double quote would end the field
// early for every reader, so it becomes the typographic opening or closing
// quote; line breaks, tabs and other control characters become blanks.
QString fieldText(const QString &text);

// One record, built field by field.
class ExportRecord
{
public:
    ExportRecord &text(const QString &value);
    ExportRecord &number(qint64 value);
    // A value written in its own form: text quoted, numbers bare, Booleans
    // as #TRUE# and #FALSE#, an empty value as nothing.
    ExportRecord &variant(const QVariant &value);
    // The encoded line, CR LF included.
    QByteArray line() const;

private:
    void add(const QString &field);
    QString m_text;
    bool m_first = true;
};

} // namespace qv::compile
