#pragma once

// Files made for a folder all at once: written first into a private folder
// beside them, then moved into place together, so a failure part-way leaves
// the folder exactly as it was.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace qv::compile {

class StagedFiles
{
public:
    // Throws qv::QvError when the folder cannot take new files.
    explicit StagedFiles(const QString &folder);
    ~StagedFiles();

    // Where a file of that name is made before it is moved into place.
    QString stagingPath(const QString &name);
    void write(const QString &name, const QByteArray &bytes);
    // Moves every staged file over its namesake in the folder; the names in
    // the order they were staged. Throws qv::QvError naming the file that
    // could not be moved.
    QStringList commit();

    const QString &folder() const { return m_folder; }

private:
    QString m_folder;
    std::unique_ptr<QTemporaryDir> m_staging;
    QStringList m_names;
};

} // namespace qv::compile
