#pragma once

// The outcome of an operation that can fail: a value, or the failure with
// the number, description and activity that its report shows. Operations
// that return one leave the reporting to their caller.

#include "platform/Error.h"

#include <QString>

#include <utility>
#include <variant>

namespace qv {

struct Failure
{
    long number = 0;
    QString description;
    QString activity; // what was being done: "Saving Tbl0404.tbf"

    // The user turned the operation down (cancelled a question or a file
    // dialog); there is nothing to report.
    static constexpr long kCancelled = -1;
    static Failure cancelled() { return {kCancelled, QString(), QString()}; }
    bool isCancelled() const { return number == kCancelled; }

    static Failure of(const QvError &error, const QString &activity)
    {
        return {error.number(), error.description(), activity};
    }
};

template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const Failure &failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_failure(std::move(failure)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Failure &failure() const { return m_failure; }

private:
    bool m_failed = false;
    Failure m_failure;
};

// The success of an operation without a value.
inline Result<void> success()
{
    return {};
}

} // namespace qv
