#pragma once

#include <QPointer>
#include <QStatusBar>

class QLabel;

namespace qv::richtext
{

class TextEditor;

// The status bar: page, line and column of the cursor, the words of the
// text and the zoom.
class TextStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit TextStatusBar(QWidget *parent = nullptr);

    void attach(TextEditor *editor);
    TextEditor *editor() const { return m_editor; }

    // Shows the editor's state now (it follows the editor by itself).
    void refresh();

private:
    QPointer<TextEditor> m_editor;
    QList<QMetaObject::Connection> m_connections;
    QLabel *m_page;
    QLabel *m_line;
    QLabel *m_column;
    QLabel *m_words;
    QLabel *m_zoom;
};

} // namespace qv::richtext
