#pragma once

#include <QWidget>

class QTextEdit;

namespace qv::richtext
{

// A display-only rich-text box. Its text property holds RTF source exactly
// as given or loaded (shown formatted); saving writes that source back as
// plain text, which is how section texts reach their files.
class DisplayBox : public QWidget
{
    Q_OBJECT
public:
    explicit DisplayBox(QWidget *parent = nullptr);

    // Shows a file; an empty name clears the box. Returns the reason when
    // the file cannot be read (the box is then empty), else empty text.
    QString loadFile(const QString &path);
    QString fileName() const { return m_fileName; }

    // The source: RTF when it begins "{\rtf", plain text otherwise.
    QString text() const { return m_source; }
    void setText(const QString &source);
    void clear();

    // Writes text() unchanged to a file, atomically. Returns the reason on
    // failure, else empty text.
    QString saveFile(const QString &path) const;

    // The view itself, for colours and fonts.
    QTextEdit *view() const { return m_view; }

private:
    void render(const QString &source);

    QTextEdit *m_view;
    QString m_source;
    QString m_fileName;
};

} // namespace qv::richtext
