#pragma once

// A zip archive built in memory over libzip: entries in the order added,
// each stored or deflated.

#include <QByteArray>
#include <QString>

#include <memory>

namespace qv::compiler {

class ZipWriter
{
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // Throws qv::QvError when the entry cannot be added.
    void add(const QString &name, const QByteArray &data, bool compress = true);
    // The finished archive; the writer is spent afterwards.
    QByteArray finish();

private:
    struct Archive;
    std::unique_ptr<Archive> m_archive;
};

} // namespace qv::compiler
