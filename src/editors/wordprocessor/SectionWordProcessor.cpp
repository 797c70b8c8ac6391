#include "editors/wordprocessor/SectionWordProcessor.h"

#include "composer/OpenPlanSession.h"
#include "editors/wordprocessor/frmWordProcessor.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

namespace qv::editors {

namespace {
constexpr long kFileAccessError = 75;
}

SectionWordProcessor::SectionWordProcessor(composer::OpenPlanSession &session, QWidget *composer)
    : QObject(composer), m_session(session), m_composer(composer)
{
}

SectionWordProcessor::~SectionWordProcessor()
{
    delete m_window;
}

frmWordProcessor *SectionWordProcessor::window() const
{
    return m_window;
}

QString SectionWordProcessor::openFile() const
{
    return m_window ? m_window->fileName() : QString();
}

bool SectionWordProcessor::holds(const QString &path) const
{
    // The working copy comes and goes with each save: compare names, not files.
    return m_window && !path.isEmpty()
           && QFileInfo(m_window->fileName()).absoluteFilePath() == QFileInfo(path).absoluteFilePath();
}

frmWordProcessor *SectionWordProcessor::open(const QString &workingCopy, const QString &caption)
{
    if (m_window && !holds(workingCopy) && !close())
        return nullptr;
    if (!m_window) {
        m_window = new frmWordProcessor;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        if (m_composer)
            m_window->setWindowIcon(m_composer->windowIcon());
        m_window->setFileName(workingCopy);
        m_changed = false;
        frmWordProcessor *window = m_window;
        connect(window, &frmWordProcessor::textChanged, this, [this] {
            m_changed = true;
            m_session.markModified();
        });
        // Saves and changes of section write the text first; an unchanged
        // text is already in its file.
        m_session.addEditWriter(window, [window]() -> Result<void> {
            if (!window->isTextModified())
                return success();
            const QString failure = window->saveText();
            if (!failure.isEmpty())
                return Failure{kFileAccessError, failure, QStringLiteral("Saving ") + window->fileName()};
            return success();
        });
        connect(window, &frmWordProcessor::returned, this, [this, window] {
            const QString file = window->fileName();
            m_window.clear(); // it holds the file no more; it deletes itself
            emit returned(file, std::exchange(m_changed, false));
            if (m_composer) {
                m_composer->raise();
                m_composer->activateWindow();
            }
        });
    }
    m_window->setWindowTitle(caption);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

bool SectionWordProcessor::close()
{
    if (!m_window)
        return true;
    if (!m_window->close())
        return false;
    QApplication::processEvents(); // the window goes before the composer moves on
    return true;
}

} // namespace qv::editors
