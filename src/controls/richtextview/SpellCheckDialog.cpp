#include "controls/richtextview/SpellCheckDialog.h"

#include "controls/spell/SpellChecker.h"

#include "platform/Services.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace qv::richtext
{

namespace
{
QPushButton *button(const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

SpellCheckDialog::SpellCheckDialog(QTextEdit *editor, spell::SpellChecker &checker, QWidget *parent)
    : QDialog(parent ? parent : editor), m_editor(editor), m_checker(checker), m_session(editor->document(), checker)
{
    setObjectName(QStringLiteral("dlgSpelling"));
    setWindowTitle(tr("Spelling"));

    auto *notFound = new QLabel(tr("&Not in dictionary:"));
    m_context = new QTextEdit;
    m_context->setObjectName(QStringLiteral("txtContext"));
    m_context->setReadOnly(true);
    m_context->setFixedHeight(70);
    m_context->setFocusPolicy(Qt::NoFocus);
    notFound->setBuddy(m_context);

    auto *changeLabel = new QLabel(tr("C&hange to:"));
    m_changeTo = new QLineEdit;
    m_changeTo->setObjectName(QStringLiteral("txtChangeTo"));
    changeLabel->setBuddy(m_changeTo);

    auto *suggestLabel = new QLabel(tr("Su&ggestions:"));
    m_suggestions = new QListWidget;
    m_suggestions->setObjectName(QStringLiteral("lstSuggestions"));
    suggestLabel->setBuddy(m_suggestions);

    QPushButton *ignore = button("cmdIgnore", tr("&Ignore"));
    QPushButton *ignoreAll = button("cmdIgnoreAll", tr("I&gnore All"));
    m_change = button("cmdChange", tr("&Change"));
    m_changeAll = button("cmdChangeAll", tr("Change A&ll"));
    QPushButton *add = button("cmdAdd", tr("&Add"));
    QPushButton *cancel = button("cmdCancel", tr("Cancel"));
    m_change->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(notFound, 0, 0);
    grid->addWidget(m_context, 1, 0, 1, 2);
    grid->addWidget(changeLabel, 2, 0);
    grid->addWidget(m_changeTo, 3, 0);
    grid->addWidget(suggestLabel, 4, 0);
    grid->addWidget(m_suggestions, 5, 0, 3, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ignore);
    buttons->addWidget(ignoreAll);
    buttons->addSpacing(8);
    buttons->addWidget(m_change);
    buttons->addWidget(m_changeAll);
    buttons->addSpacing(8);
    buttons->addWidget(add);
    buttons->addStretch();
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 1, 5, 1);
    grid->setColumnStretch(0, 1);
    resize(460, 320);

    connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, m_change, &QPushButton::click);
    connect(m_changeTo, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_change->setText(text.isEmpty() ? tr("&Delete") : tr("&Change")); });
    connect(ignore, &QPushButton::clicked, this, [this] {
        m_session.ignore();
        advance();
    });
    connect(ignoreAll, &QPushButton::clicked, this, [this] {
        m_session.ignoreAll();
        advance();
    });
    connect(m_change, &QPushButton::clicked, this, [this] {
        m_session.change(replacement());
        advance();
    });
    connect(m_changeAll, &QPushButton::clicked, this, [this] {
        m_session.changeAll(replacement());
        advance();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        const QString error = m_session.addToDictionary();
        if (!error.isEmpty()) {
            platform::msgBox(this, error, platform::Buttons::Ok, platform::Icon::Exclamation);
            return;
        }
        advance();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString SpellCheckDialog::replacement() const
{
    return m_changeTo->text().trimmed();
}

bool SpellCheckDialog::start()
{
    if (!m_session.findNext())
        return false;
    showWord();
    return true;
}

void SpellCheckDialog::advance()
{
    if (!m_session.findNext()) {
        if (m_editor) {
            QTextCursor end = m_editor->textCursor();
            end.clearSelection();
            m_editor->setTextCursor(end);
        }
        accept();
        return;
    }
    showWord();
}

void SpellCheckDialog::showWord()
{
    // The word in its sentence, marked, and selected in the editor too.
    const QString context = m_session.context();
    const int at = m_session.wordOffsetInContext();
    const QString word = m_session.word();
    m_context->setPlainText(context);
    QTextCursor mark(m_context->document());
    mark.setPosition(at);
    mark.setPosition(at + int(word.size()), QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontWeight(QFont::Bold);
    mark.mergeCharFormat(red);

    const QStringList suggestions = m_session.suggestions();
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    if (suggestions.isEmpty()) {
        m_suggestions->addItem(tr("(no suggestions)"));
        m_suggestions->item(0)->setFlags(Qt::NoItemFlags);
        m_changeTo->setText(word);
    } else {
        m_suggestions->setCurrentRow(0);
    }
    m_changeTo->setFocus();
    m_changeTo->selectAll();
    if (m_editor) {
        m_editor->setTextCursor(m_session.wordCursor());
        m_editor->ensureCursorVisible();
    }
}

SpellCheckOutcome checkSpelling(QTextEdit *editor, spell::SpellChecker &checker)
{
    if (!checker.hasDictionary())
        return SpellCheckOutcome::NoDictionary;
    SpellCheckDialog dialog(editor, checker);
    if (!dialog.start())
        return SpellCheckOutcome::Completed;
    return dialog.exec() == QDialog::Accepted ? SpellCheckOutcome::Completed : SpellCheckOutcome::Cancelled;
}

} // namespace qv::richtext
