#pragma once

// The cover page: to whom and when the plan is submitted, and who submits it.

#include <QString>
#include <QVariant>

namespace qv::plan {

class Address
{
public:
    // The submitter's own name ("[FIELD2.3]").
    const QString &name() const { return m_name; }
    void setName(const QString &value) { m_name = value; }
    const QString &street() const { return m_street; }
    void setStreet(const QString &value) { m_street = value; }
    const QString &city() const { return m_city; }
    void setCity(const QString &value) { m_city = value; }
    const QString &state() const { return m_state; }
    void setState(const QString &value) { m_state = value; }
    const QString &zip() const { return m_zip; }
    void setZip(const QString &value) { m_zip = value; }
    const QString &telephone() const { return m_telephone; }
    void setTelephone(const QString &value) { m_telephone = value; }
    const QString &fax() const { return m_fax; }
    void setFax(const QString &value) { m_fax = value; }

    bool operator==(const Address &) const = default;

private:
    QString m_name;
    QString m_street;
    QString m_city;
    QString m_state;
    QString m_zip;
    QString m_telephone;
    QString m_fax;
};

class Submitter
{
public:
    // To whom the plan is submitted ("[FIELD2.1]").
    const QString &submittedTo() const { return m_submittedTo; }
    void setSubmittedTo(const QString &value) { m_submittedTo = value; }

    // The date of submission as the wizard gave it: usually text, kept as a
    // variant because exports write it in its own form (quoted when text).
    // A plan document keeps text, whole and fractional numbers, Booleans and
    // the empty value; any other value is kept as its text.
    const QVariant &submissionDate() const { return m_submissionDate; }
    void setSubmissionDate(const QVariant &value);

    Address &address() { return m_address; }
    const Address &address() const { return m_address; }
    void setAddress(const Address &address) { m_address = address; }

    bool operator==(const Submitter &other) const;

private:
    QString m_submittedTo;
    QVariant m_submissionDate;
    Address m_address;
};

} // namespace qv::plan
