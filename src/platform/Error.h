#pragma once

#include <QString>

#include <exception>

namespace qv {

// A failure with a number, a source and a description: the error model that
// every class of the program raises and every handler reports.
class QvError : public std::exception
{
public:
    QvError(long number, QString source, QString description)
        : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
          m_what(m_description.toUtf8())
    {
    }

    long number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    long m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace qv
