#include "controls/richtextview/TextStatusBar.h"

#include "controls/richtextview/TextEditor.h"

#include <QLabel>

namespace qv::richtext
{

namespace
{
QLabel *panel(const char *name, int minimumWidth)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(minimumWidth);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}
} // namespace

TextStatusBar::TextStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("txStatus"));
    setSizeGripEnabled(false);
    m_page = panel("lblPage", 90);
    m_line = panel("lblLine", 70);
    m_column = panel("lblColumn", 70);
    m_words = panel("lblWords", 90);
    m_zoom = panel("lblZoom", 60);
    addWidget(m_page);
    addWidget(m_line);
    addWidget(m_column);
    addWidget(m_words);
    addWidget(m_zoom);
    refresh();
}

void TextStatusBar::attach(TextEditor *editor)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_editor = editor;
    if (editor) {
        m_connections.append(connect(editor, &QTextEdit::cursorPositionChanged, this, &TextStatusBar::refresh));
        m_connections.append(connect(editor, &TextEditor::pageGeometryChanged, this, &TextStatusBar::refresh));
        m_connections.append(connect(editor, &TextEditor::zoomChanged, this, &TextStatusBar::refresh));
        // An edit that leaves the cursor where it was still changes the words.
        m_connections.append(connect(editor, &QTextEdit::textChanged, this, &TextStatusBar::refresh));
    }
    refresh();
}

void TextStatusBar::refresh()
{
    if (!m_editor) {
        for (QLabel *l : {m_page, m_line, m_column, m_words, m_zoom})
            l->clear();
        return;
    }
    m_page->setText(tr("Page %1 of %2").arg(m_editor->pageIndexAtCursor() + 1).arg(m_editor->pageCount()));
    m_line->setText(tr("Line %1").arg(m_editor->lineAtCursor()));
    m_column->setText(tr("Col %1").arg(m_editor->columnAtCursor()));
    m_zoom->setText(tr("%1%").arg(m_editor->zoomFactor()));
    const int words = m_editor->wordCount();
    m_words->setText(words == 1 ? tr("1 word") : tr("%1 words").arg(words));
}

} // namespace qv::richtext
