#pragma once

#include <QDialog>
#include <QPointer>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace qv::editors {

// Find and Replace for a text editor. It stays open beside the text (not
// modal); the search goes on from the cursor and wraps round at the end.
class FindReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindReplaceDialog(QTextEdit *editor, QWidget *parent = nullptr);

    // Shows the dialog with the replace line or without it, the selected
    // word (if any) as the text to find.
    void showFor(bool replacing);

    void setFindText(const QString &text);
    void setReplaceText(const QString &text);
    void setMatchCase(bool on);
    void setWholeWords(bool on);

    // Selects the next match after the cursor (wrapping round); false, with
    // a message, when the text holds none.
    bool findNext();
    // Replaces the selected match, then finds the next one.
    bool replace();
    // Replaces every match as one undo step; returns how many.
    int replaceAll();

private:
    QTextDocument::FindFlags flags() const;
    bool selectionMatches() const;
    void updateButtons();

    QPointer<QTextEdit> m_editor;
    QLineEdit *txtFind;
    QLineEdit *txtReplace;
    QCheckBox *chkMatchCase;
    QCheckBox *chkWholeWords;
    QPushButton *cmdFindNext;
    QPushButton *cmdReplace;
    QPushButton *cmdReplaceAll;
    QWidget *m_replaceLabel;
};

} // namespace qv::editors
