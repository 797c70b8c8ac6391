#pragma once

#include <QPointer>
#include <QToolBar>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;

namespace qv::richtext
{

class TextEditor;

// The button bar: paragraph style, font, size, bold, italic, underline,
// alignment, colour, bullets and numbering for the editor it is attached to. It follows the cursor, so it
// always shows the formatting of the text there.
class TextButtonBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TextButtonBar(QWidget *parent = nullptr);

    void attach(TextEditor *editor);
    TextEditor *editor() const { return m_editor; }

private:
    QAction *addToggle(const char *name, const QString &tip, const QIcon &icon, const QKeySequence &shortcut);
    void showCharFormat(const QTextCharFormat &format);
    void showParagraph();
    void mergeFormat(const QTextCharFormat &format);

    QPointer<TextEditor> m_editor;
    QList<QMetaObject::Connection> m_connections;
    QComboBox *m_style;
    QFontComboBox *m_font;
    QComboBox *m_size;
    QAction *m_bold;
    QAction *m_italic;
    QAction *m_underline;
    QActionGroup *m_alignment;
    QAction *m_left;
    QAction *m_center;
    QAction *m_right;
    QAction *m_justify;
    QAction *m_color;
    QAction *m_bullets;
    QAction *m_numbering;
};

} // namespace qv::richtext
