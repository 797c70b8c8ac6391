#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

namespace qv::workbook {

// Reads JSON text piece by piece, without building a document, so that a
// large workbook's cells stream straight into the sheet. Every fault of the
// text is reported through `failed()` with the byte where it lies.
class JsonScanner
{
public:
    JsonScanner(const char *begin, const char *end) : m_begin(begin), m_p(begin), m_end(end) {}

    enum class Kind { Object, Array, String, Number, True, False, Null, Bad };
    Kind peek();                 // the kind of the next value, after white space
    bool consume(char c);        // the next non-blank character, if it is c
    bool atEnd();                // only white space left

    // Members and elements: begin with consume('{') / consume('['), then
    // call next...() until it returns false.
    bool nextMember(std::string_view &key, QString &keyText); // false at '}'
    bool nextElement();                                        // false at ']'

    std::optional<QString> readString();
    std::optional<double> readNumber();
    std::optional<bool> readBoolean();
    // Skips one value; its text is [begin, end).
    bool skipValue(const char *&begin, const char *&end);

    const char *position() const { return m_p; }
    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    void fail(const char *what);

private:
    void skipBlanks();
    bool readStringBytes(std::string_view &raw, bool &escaped);
    static QString decode(std::string_view raw, bool escaped);

    const char *m_begin;
    const char *m_p;
    const char *m_end;
    bool m_first = true; // before the first member or element of a container
    QString m_error;
};

} // namespace qv::workbook
