#pragma once

// The word processor on a section text of the open plan. The composer
// writes the text it shows to the section's working copy, then opens the
// window on that file; while the window is open its text is a held edit of
// the session (every save and change of section writes it first) and each
// change marks the plan modified. Closing the window saves the text and
// hands the file back.

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace qv::composer {
class OpenPlanSession;
}

namespace qv::editors {

class frmWordProcessor;

class SectionWordProcessor : public QObject
{
    Q_OBJECT

public:
    SectionWordProcessor(composer::OpenPlanSession &session, QWidget *composer);
    ~SectionWordProcessor() override;

    // Shows the window on the working copy with the caption (the open
    // window is raised when it already holds that file; one on another
    // file is closed first). Nullptr when the other file could not be
    // saved: that window stays open.
    frmWordProcessor *open(const QString &workingCopy, const QString &caption);
    frmWordProcessor *window() const;
    // The file the open window edits; empty when none is open.
    QString openFile() const;
    bool holds(const QString &path) const;
    // Closes the window, saving its text; false when the text could not be
    // saved (reported; the window stays open).
    bool close();

signals:
    // The window closed and its text is in the file; changed when the text
    // changed while it was open.
    void returned(const QString &workingCopy, bool changed);

private:
    composer::OpenPlanSession &m_session;
    QPointer<QWidget> m_composer;
    QPointer<frmWordProcessor> m_window;
    bool m_changed = false;
};

} // namespace qv::editors
