#include "editors/wordprocessor/FindReplaceDialog.h"

#include "platform/Services.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace qv::editors {

FindReplaceDialog::FindReplaceDialog(QTextEdit *editor, QWidget *parent) : QDialog(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("frmFindReplace"));
    setWindowTitle(tr("Find and Replace"));
    setModal(false);

    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    chkMatchCase = new QCheckBox(tr("Match &case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    chkWholeWords = new QCheckBox(tr("&Whole words only"), this);
    chkWholeWords->setObjectName(QStringLiteral("chkWholeWords"));

    auto *findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(txtFind);
    auto *replaceLabel = new QLabel(tr("Re&place with:"), this);
    replaceLabel->setBuddy(txtReplace);
    m_replaceLabel = replaceLabel;

    auto *fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(txtFind, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(txtReplace, 1, 1);
    fields->addWidget(chkMatchCase, 2, 1);
    fields->addWidget(chkWholeWords, 3, 1);

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    cmdFindNext = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
    cmdFindNext->setObjectName(QStringLiteral("cmdFindNext"));
    cmdFindNext->setDefault(true);
    cmdReplace = buttons->addButton(tr("&Replace"), QDialogButtonBox::ActionRole);
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdReplaceAll = buttons->addButton(tr("Replace &All"), QDialogButtonBox::ActionRole);
    cmdReplaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(buttons);

    connect(cmdFindNext, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    connect(cmdReplace, &QPushButton::clicked, this, &FindReplaceDialog::replace);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(txtFind, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    updateButtons();
}

void FindReplaceDialog::showFor(bool replacing)
{
    m_replaceLabel->setVisible(replacing);
    txtReplace->setVisible(replacing);
    cmdReplace->setVisible(replacing);
    cmdReplaceAll->setVisible(replacing);
    setWindowTitle(replacing ? tr("Find and Replace") : tr("Find"));
    if (m_editor) {
        const QString selected = m_editor->textCursor().selectedText();
        if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
            txtFind->setText(selected);
    }
    adjustSize();
    show();
    raise();
    activateWindow();
    txtFind->setFocus();
    txtFind->selectAll();
}

void FindReplaceDialog::setFindText(const QString &text) { txtFind->setText(text); }
void FindReplaceDialog::setReplaceText(const QString &text) { txtReplace->setText(text); }
void FindReplaceDialog::setMatchCase(bool on) { chkMatchCase->setChecked(on); }
void FindReplaceDialog::setWholeWords(bool on) { chkWholeWords->setChecked(on); }

void FindReplaceDialog::updateButtons()
{
    const bool any = !txtFind->text().isEmpty();
    cmdFindNext->setEnabled(any);
    cmdReplace->setEnabled(any);
    cmdReplaceAll->setEnabled(any);
}

QTextDocument::FindFlags FindReplaceDialog::flags() const
{
    QTextDocument::FindFlags flags;
    if (chkMatchCase->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    if (chkWholeWords->isChecked())
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

bool FindReplaceDialog::findNext()
{
    if (!m_editor || txtFind->text().isEmpty())
        return false;
    QTextDocument *document = m_editor->document();
    QTextCursor found = document->find(txtFind->text(), m_editor->textCursor(), flags());
    if (found.isNull())
        found = document->find(txtFind->text(), 0, flags()); // round from the start
    if (found.isNull()) {
        platform::msgBox(this, tr("The text \"%1\" was not found.").arg(txtFind->text()), platform::Buttons::Ok,
                         platform::Icon::Information);
        return false;
    }
    m_editor->setTextCursor(found);
    m_editor->ensureCursorVisible();
    return true;
}

bool FindReplaceDialog::selectionMatches() const
{
    const QString selected = m_editor->textCursor().selectedText();
    if (selected.isEmpty())
        return false;
    const Qt::CaseSensitivity sensitivity = chkMatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return selected.compare(txtFind->text(), sensitivity) == 0;
}

bool FindReplaceDialog::replace()
{
    if (!m_editor || m_editor->isReadOnly() || txtFind->text().isEmpty())
        return false;
    if (selectionMatches()) {
        QTextCursor c = m_editor->textCursor();
        c.insertText(txtReplace->text());
        m_editor->setTextCursor(c);
    }
    return findNext();
}

int FindReplaceDialog::replaceAll()
{
    if (!m_editor || m_editor->isReadOnly() || txtFind->text().isEmpty())
        return 0;
    QTextDocument *document = m_editor->document();
    QTextCursor edit(document);
    edit.beginEditBlock();
    int count = 0;
    for (QTextCursor found = document->find(txtFind->text(), 0, flags()); !found.isNull();
         found = document->find(txtFind->text(), found, flags())) {
        found.insertText(txtReplace->text()); // the search goes on after the replacement
        ++count;
    }
    edit.endEditBlock();
    platform::msgBox(this, count == 1 ? tr("1 replacement made.") : tr("%1 replacements made.").arg(count),
                     platform::Buttons::Ok, platform::Icon::Information);
    return count;
}

} // namespace qv::editors
