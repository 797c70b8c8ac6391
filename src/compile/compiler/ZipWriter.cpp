#include "compile/compiler/ZipWriter.h"

#include "platform/Error.h"

#include <zip.h>

#include <list>

namespace qv::compiler {

namespace {

constexpr long kZipFailed = 31041;

[[noreturn]] void fail(const QString &what, zip_error_t *error)
{
    throw QvError(kZipFailed, QStringLiteral("Compiler"),
                  what + QStringLiteral(": ") + QString::fromLocal8Bit(zip_error_strerror(error)));
}

} // namespace

struct ZipWriter::Archive
{
    zip_source_t *source = nullptr;
    zip_t *zip = nullptr;
    std::list<QByteArray> data; // kept alive until the archive is closed
};

ZipWriter::ZipWriter() : m_archive(std::make_unique<Archive>())
{
    zip_error_t error;
    zip_error_init(&error);
    m_archive->source = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!m_archive->source)
        fail(QStringLiteral("The archive cannot be made"), &error);
    m_archive->zip = zip_open_from_source(m_archive->source, ZIP_TRUNCATE, &error);
    if (!m_archive->zip) {
        zip_source_free(m_archive->source);
        m_archive->source = nullptr;
        fail(QStringLiteral("The archive cannot be made"), &error);
    }
    zip_source_keep(m_archive->source);
    zip_error_fini(&error);
}

ZipWriter::~ZipWriter()
{
    if (m_archive->zip)
        zip_discard(m_archive->zip);
    if (m_archive->source)
        zip_source_free(m_archive->source);
}

void ZipWriter::add(const QString &name, const QByteArray &data, bool compress)
{
    const QByteArray &kept = m_archive->data.emplace_back(data);
    zip_source_t *entry = zip_source_buffer(m_archive->zip, kept.constData(), zip_uint64_t(kept.size()), 0);
    if (!entry)
        fail(name, zip_get_error(m_archive->zip));
    const zip_int64_t index = zip_file_add(m_archive->zip, name.toUtf8().constData(), entry, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(entry);
        fail(name, zip_get_error(m_archive->zip));
    }
    zip_set_file_compression(m_archive->zip, zip_uint64_t(index), compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
}

QByteArray ZipWriter::finish()
{
    if (zip_close(m_archive->zip) < 0)
        fail(QStringLiteral("The archive cannot be written"), zip_get_error(m_archive->zip));
    m_archive->zip = nullptr;
    zip_source_t *source = m_archive->source;
    zip_stat_t stat;
    zip_stat_init(&stat);
    QByteArray bytes;
    if (zip_source_stat(source, &stat) < 0 || zip_source_open(source) < 0)
        fail(QStringLiteral("The archive cannot be read back"), zip_source_error(source));
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    if (read < 0 || zip_uint64_t(read) != stat.size)
        fail(QStringLiteral("The archive cannot be read back"), zip_source_error(source));
    return bytes;
}

} // namespace qv::compiler
