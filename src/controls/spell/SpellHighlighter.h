#pragma once

#include <QSyntaxHighlighter>

namespace qv::spell
{

class SpellChecker;

// Underlines the misspelled words of a document as the user types. The marks
// live in the layout only: they never reach the document's formatting or
// its saved RTF.
class SpellHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit SpellHighlighter(QTextDocument *document);

    // The checker to ask; null marks nothing.
    void setChecker(SpellChecker *checker);
    SpellChecker *checker() const { return m_checker; }

    void setActive(bool active);
    bool isActive() const { return m_active; }

protected:
    void highlightBlock(const QString &text) override;

private:
    SpellChecker *m_checker = nullptr;
    bool m_active = true;
};

} // namespace qv::spell
