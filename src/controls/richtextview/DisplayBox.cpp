#include "controls/richtextview/DisplayBox.h"

#include "controls/richtext/Rtf.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QPointer>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace qv::richtext
{

namespace
{
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

bool isRtf(QStringView source)
{
    return source.trimmed().startsWith(QLatin1String("{\\rtf"));
}

// RTF is bytes of its code page: one character per byte keeps every byte as
// it was. Plain text is UTF-8.
QByteArray encode(const QString &source)
{
    if (isRtf(source)) {
        bool narrow = true;
        for (const QChar c : source)
            narrow = narrow && c.unicode() < 0x100;
        if (narrow)
            return source.toLatin1();
    }
    return source.toUtf8();
}

QString decode(const QByteArray &bytes)
{
    const QString latin = QString::fromLatin1(bytes);
    return isRtf(latin) ? latin : QString::fromUtf8(bytes);
}
} // namespace

DisplayBox::DisplayBox(QWidget *parent) : QWidget(parent), m_view(new QTextEdit)
{
    m_view->setObjectName(QStringLiteral("txtView"));
    m_view->setReadOnly(true);
    m_view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_view->setFocusPolicy(Qt::ClickFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

QString DisplayBox::loadFile(const QString &path)
{
    m_fileName = path;
    if (path.isEmpty()) {
        clear();
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return tr("Cannot read %1: %2").arg(path, file.errorString());
    }
    if (file.size() > kLargestFile) {
        clear();
        return tr("%1 is too large to show.").arg(path);
    }
    setText(decode(file.readAll()));
    return QString();
}

void DisplayBox::setText(const QString &source)
{
    m_source = source;
    render(source);
}

void DisplayBox::clear()
{
    m_source.clear();
    m_view->clear();
}

void DisplayBox::render(const QString &source)
{
    if (!isRtf(source)) {
        m_view->setPlainText(source);
        return;
    }
    rtf::ReadResult read = rtf::readRtf(encode(source));
    // The box owns the documents it shows; the first belongs to Qt's text
    // control, which may delete it itself.
    const QPointer<QTextDocument> old = m_view->document();
    read.document->setParent(m_view);
    m_view->setDocument(read.document.release());
    if (old && old->parent() == m_view)
        delete old.data();
}

QString DisplayBox::saveFile(const QString &path) const
{
    return platform::writeFileAtomically(path, encode(m_source));
}

} // namespace qv::richtext
