#pragma once

// The demonstration plan as its owner would have written it: every section
// with its template example as its text, one section excluded. Made from
// the generated template library; empty when that is not built.

#include "DemoPlan.h"

#include <QString>

namespace qv::test {

class WrittenDemoPlan
{
public:
    explicit WrittenDemoPlan(const QString &answers = QStringLiteral("Retail-New.qa"));
    bool made() const { return !m_excluded.isEmpty(); }
    QString documentPath() const { return m_demo.documentPath(); }
    QString folder() const { return m_demo.folder(); }
    // The name of the section marked Exclude.
    const QString &excludedSection() const { return m_excluded; }

private:
    DemoPlan m_demo;
    QString m_excluded;
};

} // namespace qv::test
