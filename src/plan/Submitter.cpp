#include "plan/Submitter.h"

#include <cmath>

namespace qv::plan {

namespace {
constexpr double kExactIntegerLimit = 9007199254740992.0; // 2^53: exact in a JSON number
}

void Submitter::setSubmissionDate(const QVariant &value)
{
    // Kept in the forms a plan document holds, so a saved plan reopens with
    // the very same value.
    if (!value.isValid() || value.isNull()) {
        m_submissionDate = QVariant();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        m_submissionDate = value;
        return;
    case QMetaType::Bool:
        m_submissionDate = QVariant(value.toBool());
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            m_submissionDate = QVariant(value.toString());
        else if (number == std::trunc(number) && std::fabs(number) <= kExactIntegerLimit)
            m_submissionDate = QVariant(static_cast<qlonglong>(number));
        else
            m_submissionDate = QVariant(number);
        return;
    }
    default:
        m_submissionDate = QVariant(value.toString());
    }
}

bool Submitter::operator==(const Submitter &other) const
{
    return m_submittedTo == other.m_submittedTo && m_address == other.m_address
           && m_submissionDate.typeId() == other.m_submissionDate.typeId()
           && m_submissionDate == other.m_submissionDate;
}

} // namespace qv::plan
