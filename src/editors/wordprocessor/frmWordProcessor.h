#pragma once

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QMenu;

namespace qv::richtext {
class TextButtonBar;
class TextEditor;
class TextRuler;
class TextStatusBar;
} // namespace qv::richtext

namespace qv::spell {
class SpellChecker;
}

namespace qv::editors {

class FindReplaceDialog;

// The word processor: one section's text in a full window with a button
// bar, a ruler, a status bar, page view, printing and spelling. Closing the
// window saves the text to its file as rich text, without asking.
class frmWordProcessor : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmWordProcessor(QWidget *parent = nullptr);
    ~frmWordProcessor() override;

    // Loads the file as rich text when it exists; the path becomes the save
    // target either way. False when an existing file could not be read
    // (reported); what could be read is shown.
    bool setFileName(const QString &path);
    QString fileName() const { return m_fileName; }

    // Writes the text to the save target as rich text. Returns the reason
    // on failure, else empty text; nothing is written without a target.
    QString saveText();
    // The text changed since it was loaded or last saved.
    bool isTextModified() const;

    // Edit, Spelling: checks the whole text and says when it is done, or
    // that spelling is not available.
    void SpellCheck();
    // Format, Font Color: the colour dialog for the selected text.
    void FormatColorProc();
    // File, Open: a ".txt" file comes in as plain text, a ".rtf" file as
    // rich text; the save target stays.
    void openFile();
    // Edit, Insert Picture: a picture file put at the cursor.
    void insertPicture();
    // View, Normal (false) or Page (true).
    void setPageView(bool page);

    richtext::TextEditor *editor() const { return txTextDoc; }
    spell::SpellChecker &speller() const { return *VSSpell1; }

signals:
    // The text changed (typing, formatting, a file opened).
    void textChanged();
    // The window closed, its text saved: the composer takes over again.
    void returned();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadCaptions();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildInsertMenu();
    void buildFormatMenu();
    void buildHelpMenu();
    void refreshEditMenu();
    QAction *item(QMenu *menu, const QString &name, const QString &caption = QString());
    FindReplaceDialog *findDialog();

    richtext::TextEditor *txTextDoc;
    richtext::TextButtonBar *txBar;
    richtext::TextRuler *txRulerBar;
    richtext::TextStatusBar *txStatus;
    std::unique_ptr<spell::SpellChecker> VSSpell1;
    std::array<QMenu *, 5> mnuMain{};
    FindReplaceDialog *m_find = nullptr;
    QString m_fileName;
    bool m_saved = false; // the text as shown is the text of the file
};

} // namespace qv::editors
