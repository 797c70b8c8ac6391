#pragma once

#include <QByteArray>
#include <QString>

namespace qv::metafile {

// Metafile text is in the Windows "ANSI" code page 1252; characters it
// lacks become "?".
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const QByteArray &bytes);

} // namespace qv::metafile
