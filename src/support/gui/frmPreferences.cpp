#include "support/gui/frmPreferences.h"

#include "platform/Services.h"
#include "support/CWaitCursor.h"
#include "support/HelpFiles.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/ReversedScrollBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::support
{

namespace
{

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *heading(QWidget *parent, const char *name)
{
    auto *label = named(new QLabel(parent), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The number beside a scroll bar, in a sunken box like an edit field.
QLabel *numberBox(QWidget *parent, const char *name)
{
    auto *label = named(new QLabel(parent), name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
    return label;
}

// A short explanation under a block, in the quieter text colour.
QLabel *note(QWidget *parent, const char *name, const QString &text)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.92);
    label->setFont(font);
    return label;
}

QFrame *rule(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmPreferences::frmPreferences(QWidget *parent)
    : QDialog(parent), chkNormal(named(new QCheckBox(this), "chkNormal")),
      chkBlack(named(new QCheckBox(this), "chkBlack")), lblDefaultBrowser(heading(this, "lblDefaultBrowser")),
      txtBrowse(named(new QLineEdit(this), "txtBrowse")), cmdBrowse(named(new QPushButton(this), "cmdBrowse")),
      lblDefaultFont(heading(this, "lblDefaultFont")), lblFont(named(new QLabel(this), "lblFont")),
      cboFont(named(new QComboBox(this), "cboFont")), lblSize(named(new QLabel(this), "lblSize")),
      cboSize(named(new QComboBox(this), "cboSize")), chkRecent(named(new QCheckBox(this), "chkRecent")),
      vsRecent(named(new ReversedScrollBar(this), "vsRecent")), lblRecent(numberBox(this, "lblRecent")),
      lblEntries(named(new QLabel(this), "lblEntries")), chkSave(named(new QCheckBox(this), "chkSave")),
      vsMinutes(named(new ReversedScrollBar(this), "vsMinutes")), lblMins(numberBox(this, "lblMins")),
      lblMinutes(named(new QLabel(this), "lblMinutes")), lblSaving(heading(this, "lblSaving")),
      lblCompiling(heading(this, "lblCompiling")), cmdOk(named(new QPushButton(QStringLiteral("OK"), this), "cmdOk")),
      cmdCancel(named(new QPushButton(this), "cmdCancel")), cmdHelp(named(new QPushButton(this), "cmdHelp"))
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(false);

    cboFont->setEditable(false);
    cboFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFont->setMinimumContentsLength(14);
    cboSize->setEditable(true);
    cboSize->setValidator(new QIntValidator(1, 999, cboSize));
    cboSize->setMinimumContentsLength(3);
    cboSize->setMaxVisibleItems(16);
    txtBrowse->setClearButtonEnabled(true);
    txtBrowse->setPlaceholderText(QStringLiteral("The desktop's web browser"));
    lblSaving->setText(QStringLiteral("Saving and Files"));
    lblCompiling->setText(QStringLiteral("Tables in the Compiled Plan"));

    // Four headed blocks in two columns, the buttons below.
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(lblFont);
    fontRow->addWidget(cboFont, 1);
    fontRow->addSpacing(10);
    fontRow->addWidget(lblSize);
    fontRow->addWidget(cboSize);

    auto *saving = new QGridLayout;
    saving->setHorizontalSpacing(6);
    saving->setVerticalSpacing(8);
    // The number and its scroll bar side by side, like one spin box.
    const auto upDown = [](QLabel *number, ReversedScrollBar *bar) {
        auto *pair = new QHBoxLayout;
        pair->setSpacing(0);
        number->setFixedHeight(bar->sizeHint().height());
        pair->addWidget(number);
        pair->addWidget(bar);
        return pair;
    };
    saving->addWidget(chkSave, 0, 0);
    saving->addLayout(upDown(lblMins, vsMinutes), 0, 1);
    saving->addWidget(lblMinutes, 0, 2);
    saving->addWidget(chkRecent, 1, 0);
    saving->addLayout(upDown(lblRecent, vsRecent), 1, 1);
    saving->addWidget(lblEntries, 1, 2);
    saving->setColumnStretch(3, 1);

    auto *browser = new QGridLayout;
    browser->addWidget(txtBrowse, 0, 0, 1, 2);
    browser->addWidget(cmdBrowse, 1, 1);
    browser->setColumnStretch(0, 1);

    saving->addWidget(note(this, "lblSavingNote",
                           QStringLiteral("The plans you closed last are listed at the foot of the File menu.")),
                      2, 0, 1, 4);

    auto *compiling = new QVBoxLayout;
    compiling->addWidget(chkNormal);
    compiling->addWidget(chkBlack);
    compiling->addSpacing(4);
    compiling->addWidget(note(this, "lblCompilingNote",
                              QStringLiteral("Applies to the pictures of tables in the compiled document; the "
                                             "tables of the plan keep their formatting.")));

    auto *blocks = new QGridLayout;
    blocks->setHorizontalSpacing(28);
    blocks->setVerticalSpacing(6);
    const auto block = [&](int row, int column, QLabel *title, QLayout *content) {
        blocks->addWidget(title, row * 3, column);
        content->setContentsMargins(12, 0, 0, 0);
        blocks->addLayout(content, row * 3 + 1, column, Qt::AlignTop);
    };
    block(0, 0, lblDefaultFont, fontRow);
    block(0, 1, lblDefaultBrowser, browser);
    block(1, 0, lblSaving, saving);
    block(1, 1, lblCompiling, compiling);
    blocks->setRowMinimumHeight(2, 14); // room between the two rows of blocks
    blocks->setColumnStretch(0, 3);
    blocks->setColumnStretch(1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(18, 16, 18, 14);
    main->setSpacing(12);
    main->addLayout(blocks);
    main->addStretch(1);
    main->addWidget(rule(this));
    main->addLayout(buttons);

    cmdOk->setDefault(true);
    connect(chkSave, &QCheckBox::toggled, this, &frmPreferences::chkSaveClick);
    connect(chkRecent, &QCheckBox::toggled, this, &frmPreferences::chkRecentClick);
    connect(vsMinutes, &ReversedScrollBar::numberChanged, lblMins, qOverload<int>(&QLabel::setNum));
    connect(vsRecent, &ReversedScrollBar::numberChanged, lblRecent, qOverload<int>(&QLabel::setNum));
    connect(cmdBrowse, &QPushButton::clicked, this, &frmPreferences::cmdBrowseClick);
    connect(cmdOk, &QPushButton::clicked, this, &frmPreferences::cmdOkClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPreferences::cmdHelpClick);
    connect(txtBrowse, &QLineEdit::textChanged, txtBrowse, &QLineEdit::setToolTip);
}

void frmPreferences::Display()
{
    load();
    exec();
}

void frmPreferences::load()
{
    CWaitCursor wait(MousePointer::Hourglass);
    loadCaptions();
    fillLists();
    loadValues();
    setFixedSize(sizeHint().expandedTo(QSize(568, 360)));
    m_loaded = true;
}

void frmPreferences::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        load();
    QDialog::showEvent(event);
}

void frmPreferences::loadCaptions()
{
    CaptionLoader c(this, QStringLiteral("frmPreferences"));
    c.set(this, 396);
    c.set(chkNormal, 388);
    c.set(chkBlack, 389);
    c.set(lblDefaultBrowser, 390);
    c.set(cmdBrowse, 11, QStringLiteral("..."));
    c.set(lblDefaultFont, 391);
    c.set(lblFont, 392);
    c.set(lblSize, 393);
    c.set(chkRecent, 398);
    c.set(lblEntries, 397);
    c.set(chkSave, 394);
    c.set(lblMinutes, 395);
    c.set(cmdHelp, 12);
    c.set(cmdCancel, 9);
    c.set(cmdOk, 10);
    lblFont->setBuddy(cboFont);
    lblSize->setBuddy(cboSize);
}

void frmPreferences::fillLists()
{
    cboFont->clear();
    // Without a printer that reports its fonts, the fonts the system has.
    QStringList fonts = platform::printers().printerFonts();
    if (fonts.isEmpty())
        fonts = QFontDatabase::families();
    cboFont->addItems(Preferences::distinctFonts(fonts));
    cboSize->clear();
    cboSize->addItems(Preferences::fontSizes());
    vsMinutes->setNumberRange(Preferences::kMinMinutes, Preferences::kMaxMinutes);
    vsRecent->setNumberRange(Preferences::kMinRecent, Preferences::kMaxRecent);
}

void frmPreferences::loadValues()
{
    chkNormal->setChecked(Preferences::IsPreferencePrintNormal());
    chkBlack->setChecked(Preferences::IsPreferencePrintBlack());
    setBrowser(Preferences::getPreferenceBrowser());
    if (cboFont->isEnabled()) {
        // A stored font this system lacks is still shown as stored.
        const QString font = Preferences::getPreferenceFont();
        int index = cboFont->findText(font, Qt::MatchFixedString);
        if (index < 0) {
            cboFont->insertItem(0, font);
            index = 0;
        }
        cboFont->setCurrentIndex(index);
    }
    if (cboSize->isEnabled())
        cboSize->setCurrentText(QString::number(Preferences::getPreferenceFontSize()));
    chkSave->setChecked(Preferences::IsAutoSave());
    chkSaveClick();
    vsMinutes->setNumber(Preferences::getAutoSaveTime());
    lblMins->setNum(vsMinutes->number());
    chkRecent->setChecked(Preferences::showRecentFileList());
    chkRecentClick();
    vsRecent->setNumber(Preferences::getRecentFilesCount());
    lblRecent->setNum(vsRecent->number());
}

void frmPreferences::chkSaveClick()
{
    const bool on = chkSave->isChecked();
    lblMinutes->setEnabled(on);
    lblMins->setEnabled(on);
    vsMinutes->setEnabled(on);
}

void frmPreferences::chkRecentClick()
{
    const bool on = chkRecent->isChecked();
    lblEntries->setEnabled(on);
    lblRecent->setEnabled(on);
    vsRecent->setEnabled(on);
}

void frmPreferences::setBrowser(const QString &path)
{
    txtBrowse->setText(path);
    txtBrowse->setToolTip(path);
}

void frmPreferences::cmdBrowseClick()
{
    // Programs here carry no ".exe" and live in the system's program folder.
    platform::FileRequest request;
    request.title = lblDefaultBrowser->text();
    request.folder = QStringLiteral("/usr/bin/");
    request.filter = QStringLiteral("Program Files (*)|*");
    request.overwritePrompt = false;
    if (const auto chosen = platform::fileDialogs().openFile(this, request); chosen && !chosen->isEmpty())
        setBrowser(*chosen);
}

void frmPreferences::cmdOkClick()
{
    Preferences::Values v;
    v.printNormal = chkNormal->isChecked();
    v.printBlack = chkBlack->isChecked();
    v.font = cboFont->currentText();
    v.fontSize = cboSize->currentText();
    v.autoSave = chkSave->isChecked();
    v.minutes = lblMins->text().toInt();
    v.browser = txtBrowse->text().trimmed();
    v.recentFiles = chkRecent->isChecked();
    v.recentCount = lblRecent->text().toInt();
    Preferences::save(v);
    accept();
}

void frmPreferences::cmdHelpClick()
{
    OpenHelpFile(this, kMainHelpFile, QStringLiteral("preferences"));
}

qint16 frmPreferences::getAutoSaveTime()
{
    return Preferences::getAutoSaveTime();
}
QString frmPreferences::getPreferenceBrowser()
{
    return Preferences::getPreferenceBrowser();
}
QString frmPreferences::getPreferenceFont()
{
    return Preferences::getPreferenceFont();
}
qint16 frmPreferences::getPreferenceFontSize()
{
    return Preferences::getPreferenceFontSize();
}
qint16 frmPreferences::getRecentFilesCount()
{
    return Preferences::getRecentFilesCount();
}
bool frmPreferences::IsPreferencePrintBlack()
{
    return Preferences::IsPreferencePrintBlack();
}
bool frmPreferences::IsPreferencePrintNormal()
{
    return Preferences::IsPreferencePrintNormal();
}
bool frmPreferences::IsAutoSave()
{
    return Preferences::IsAutoSave();
}
bool frmPreferences::showRecentFileList()
{
    return Preferences::showRecentFileList();
}

} // namespace qv::support
