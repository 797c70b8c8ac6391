#pragma once

#include "controls/spell/SpellSession.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace qv::spell
{
class SpellChecker;
}

namespace qv::richtext
{

// The spelling dialog: shows each misspelled word of an editor's text in
// its context with suggestions, and Ignore, Ignore All, Change, Change All,
// Add and Cancel. It closes accepted when the whole text has been checked,
// rejected when cancelled.
class SpellCheckDialog : public QDialog
{
    Q_OBJECT
public:
    SpellCheckDialog(QTextEdit *editor, spell::SpellChecker &checker, QWidget *parent = nullptr);

    // Finds the first misspelled word; false when there is none (the check
    // is then complete without showing the dialog).
    bool start();
    QString currentWord() const { return m_session.word(); }

private:
    void showWord();
    void advance();
    QString replacement() const;

    QPointer<QTextEdit> m_editor;
    spell::SpellChecker &m_checker;
    spell::SpellSession m_session;
    QTextEdit *m_context;
    QLineEdit *m_changeTo;
    QListWidget *m_suggestions;
    QPushButton *m_change;
    QPushButton *m_changeAll;
};

// How a spelling check ended.
enum class SpellCheckOutcome { NoDictionary, Completed, Cancelled };

// Checks the spelling of an editor's whole text with the dialog. Callers
// show "Spell check complete" for Completed and the no-dictionary message
// for NoDictionary.
SpellCheckOutcome checkSpelling(QTextEdit *editor, spell::SpellChecker &checker);

} // namespace qv::richtext
