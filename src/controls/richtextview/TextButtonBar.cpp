#include "controls/richtextview/TextButtonBar.h"

#include "controls/richtextview/FormatIcons.h"
#include "controls/richtextview/TextEditor.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextList>

namespace qv::richtext
{

TextButtonBar::TextButtonBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("txBar"));
    setWindowTitle(tr("Formatting"));
    setIconSize(QSize(18, 18));
    setMovable(false);

    m_style = new QComboBox;
    m_style->setObjectName(QStringLiteral("cboStyle"));
    m_style->setToolTip(tr("Paragraph style"));
    m_style->addItem(tr("Normal"));
    for (int level = 1; level <= TextEditor::maxHeadingLevel; ++level)
        m_style->addItem(tr("Heading %1").arg(level));
    m_style->setFocusPolicy(Qt::ClickFocus);
    addWidget(m_style);

    m_font = new QFontComboBox;
    m_font->setObjectName(QStringLiteral("cboFont"));
    m_font->setToolTip(tr("Font"));
    m_font->setMaximumWidth(180);
    addWidget(m_font);

    m_size = new QComboBox;
    m_size->setObjectName(QStringLiteral("cboSize"));
    m_size->setToolTip(tr("Font size"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (const int size : QFontDatabase::standardSizes())
        m_size->addItem(QString::number(size));
    m_size->setMinimumContentsLength(3);
    addWidget(m_size);
    addSeparator();

    m_bold = addToggle("cmdBold", tr("Bold"), formatIcon(FormatIcon::Bold), QKeySequence::Bold);
    m_italic = addToggle("cmdItalic", tr("Italic"), formatIcon(FormatIcon::Italic), QKeySequence::Italic);
    m_underline =
        addToggle("cmdUnderline", tr("Underline"), formatIcon(FormatIcon::Underline), QKeySequence::Underline);
    addSeparator();

    m_alignment = new QActionGroup(this);
    m_left = addToggle("cmdAlignLeft", tr("Align left"), formatIcon(FormatIcon::AlignLeft),
                       QKeySequence(Qt::CTRL | Qt::Key_L));
    m_center = addToggle("cmdAlignCenter", tr("Center"), formatIcon(FormatIcon::AlignCenter),
                         QKeySequence(Qt::CTRL | Qt::Key_E));
    m_right = addToggle("cmdAlignRight", tr("Align right"), formatIcon(FormatIcon::AlignRight),
                        QKeySequence(Qt::CTRL | Qt::Key_R));
    m_justify = addToggle("cmdJustify", tr("Justify"), formatIcon(FormatIcon::AlignJustify),
                          QKeySequence(Qt::CTRL | Qt::Key_J));
    for (QAction *a : {m_left, m_center, m_right, m_justify})
        m_alignment->addAction(a);
    addSeparator();

    m_color = addAction(textColorIcon(Qt::black), tr("Text colour"));
    m_color->setObjectName(QStringLiteral("cmdColor"));
    m_bullets = addToggle("cmdBullets", tr("Bullets"), formatIcon(FormatIcon::Bullets), QKeySequence());
    m_numbering = addToggle("cmdNumbering", tr("Numbering"), formatIcon(FormatIcon::Numbering), QKeySequence());

    connect(m_style, &QComboBox::activated, this, [this](int level) {
        if (m_editor) {
            m_editor->setHeadingLevel(level);
            m_editor->setFocus();
        }
    });
    connect(m_font, &QFontComboBox::textActivated, this, [this](const QString &family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        mergeFormat(format);
    });
    connect(m_size, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const double size = text.toDouble(&ok);
        if (!ok || size < 1 || size > 1638)
            return;
        QTextCharFormat format;
        format.setFontPointSize(size);
        mergeFormat(format);
    });
    connect(m_bold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(format);
    });
    connect(m_italic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        mergeFormat(format);
    });
    connect(m_underline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        mergeFormat(format);
    });
    connect(m_alignment, &QActionGroup::triggered, this, [this](QAction *action) {
        if (!m_editor)
            return;
        const Qt::Alignment alignment = action == m_center    ? Qt::AlignHCenter
                                        : action == m_right   ? Qt::AlignRight
                                        : action == m_justify ? Qt::AlignJustify
                                                              : Qt::AlignLeft;
        QTextBlockFormat format;
        format.setAlignment(alignment);
        m_editor->applyParagraphFormat(format);
        m_editor->setFocus();
    });
    connect(m_color, &QAction::triggered, this, [this] {
        if (m_editor && m_editor->chooseTextColor())
            m_color->setIcon(textColorIcon(m_editor->selectionColor()));
    });
    connect(m_bullets, &QAction::triggered, this, [this](bool on) {
        if (m_editor) {
            m_editor->setBulleted(on);
            m_editor->setFocus();
        }
    });
    connect(m_numbering, &QAction::triggered, this, [this](bool on) {
        if (m_editor) {
            m_editor->setNumbered(on);
            m_editor->setFocus();
        }
    });
    setEnabled(false);
}

QAction *TextButtonBar::addToggle(const char *name, const QString &tip, const QIcon &icon, const QKeySequence &shortcut)
{
    QAction *action = addAction(icon, tip);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(tip + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }
    return action;
}

void TextButtonBar::attach(TextEditor *editor)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_editor = editor;
    setEnabled(editor != nullptr);
    if (!editor)
        return;
    // The shortcuts act while the editor has the focus.
    for (QAction *a : {m_bold, m_italic, m_underline, m_left, m_center, m_right, m_justify})
        editor->addAction(a);
    m_connections.append(connect(editor, &QTextEdit::currentCharFormatChanged, this, &TextButtonBar::showCharFormat));
    m_connections.append(connect(editor, &QTextEdit::cursorPositionChanged, this, &TextButtonBar::showParagraph));
    showCharFormat(editor->currentCharFormat());
    showParagraph();
}

void TextButtonBar::mergeFormat(const QTextCharFormat &format)
{
    if (!m_editor)
        return;
    m_editor->mergeCurrentCharFormat(format);
    m_editor->setFocus();
}

void TextButtonBar::showCharFormat(const QTextCharFormat &format)
{
    const QFont font = format.font();
    {
        const QSignalBlocker block(m_font);
        m_font->setCurrentFont(font);
    }
    {
        const QSignalBlocker block(m_size);
        const double size = font.pointSizeF();
        m_size->setEditText(size > 0 ? QString::number(size) : QString());
    }
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    const QBrush brush = format.foreground();
    m_color->setIcon(textColorIcon(brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color()));
}

void TextButtonBar::showParagraph()
{
    if (!m_editor)
        return;
    const Qt::Alignment alignment = m_editor->alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_center->setChecked(true);
    else if (alignment & Qt::AlignJustify)
        m_justify->setChecked(true);
    else if (alignment & Qt::AlignRight)
        m_right->setChecked(true);
    else
        m_left->setChecked(true);
    m_bullets->setChecked(m_editor->isBulleted());
    m_numbering->setChecked(m_editor->isNumbered());
    const QSignalBlocker block(m_style);
    m_style->setCurrentIndex(m_editor->headingLevel());
}

} // namespace qv::richtext
