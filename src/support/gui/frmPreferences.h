#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv::support
{

class ReversedScrollBar;

// The Preferences dialog: default section font and size, automatic saving,
// the recently-used file list, the browser, and the two conversions of
// table fonts when compiling. It keeps nothing itself; the static getters
// are the program's one way to read the values (with their defaults and
// limits) and need no window.
class frmPreferences : public QDialog
{
    Q_OBJECT
public:
    explicit frmPreferences(QWidget *parent = nullptr);

    // Loads the dialog and shows it modally.
    void Display();
    // The loading part of Display: captions, lists, limits, current values.
    void load();

    static qint16 getAutoSaveTime();
    static QString getPreferenceBrowser();
    static QString getPreferenceFont();
    static qint16 getPreferenceFontSize();
    static qint16 getRecentFilesCount();
    static bool IsPreferencePrintBlack();
    static bool IsPreferencePrintNormal();
    static bool IsAutoSave();
    static bool showRecentFileList();

protected:
    // A dialog shown without Display still comes up loaded.
    void showEvent(QShowEvent *event) override;

private:
    void loadCaptions();
    void fillLists();
    void loadValues();
    void chkSaveClick();
    void chkRecentClick();
    void cmdBrowseClick();
    void cmdOkClick();
    void cmdHelpClick();
    void setBrowser(const QString &path);

    QCheckBox *chkNormal;
    QCheckBox *chkBlack;
    QLabel *lblDefaultBrowser;
    QLineEdit *txtBrowse;
    QPushButton *cmdBrowse;
    QLabel *lblDefaultFont;
    QLabel *lblFont;
    QComboBox *cboFont;
    QLabel *lblSize;
    QComboBox *cboSize;
    QCheckBox *chkRecent;
    ReversedScrollBar *vsRecent;
    QLabel *lblRecent;
    QLabel *lblEntries;
    QCheckBox *chkSave;
    ReversedScrollBar *vsMinutes;
    QLabel *lblMins;
    QLabel *lblMinutes;
    QLabel *lblSaving;
    QLabel *lblCompiling;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;
    QPushButton *cmdHelp;
    bool m_loaded = false;
};

} // namespace qv::support
