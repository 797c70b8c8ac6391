#pragma once

// A plan that another window holds can still be read: it is copied, as last
// saved, into a private temporary folder and opened from there. Nothing
// done to the copy reaches the plan; the copy goes when this object does.

#include <QString>

#include <memory>

class QTemporaryDir;

namespace qv::composer {

class ReadOnlyCopy
{
public:
    ReadOnlyCopy();
    ~ReadOnlyCopy();
    ReadOnlyCopy(const ReadOnlyCopy &) = delete;
    ReadOnlyCopy &operator=(const ReadOnlyCopy &) = delete;

    // Copies the plan document and its plan folder, leaving out the other
    // window's lock and unsaved working copies. The copy's document path,
    // or empty text with the reason in `error`.
    QString make(const QString &documentPath, QString &error);

    // The plan the copy was made of.
    const QString &original() const { return m_original; }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_original;
};

} // namespace qv::composer
