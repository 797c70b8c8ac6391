#include "editors/wordprocessor/frmWordProcessor.h"

#include "controls/richtextview/SpellCheckDialog.h"
#include "controls/richtextview/TextButtonBar.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextRuler.h"
#include "controls/richtextview/TextStatusBar.h"
#include "controls/richtext/Rtf.h"
#include "composer/SectionFiles.h"
#include "controls/spell/SpellChecker.h"
#include "editors/wordprocessor/FindReplaceDialog.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "support/ErrorReports.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace qv::editors {

namespace {

constexpr int kPageHeightTwips = 15840; // 11 inches
constexpr int kInitialZoom = 100;
constexpr long kFileAccessError = 75;
constexpr long kFileNotFound = 53;

} // namespace

frmWordProcessor::frmWordProcessor(QWidget *parent)
    : QMainWindow(parent), VSSpell1(std::make_unique<spell::SpellChecker>())
{
    setObjectName(QStringLiteral("frmWordProcessor"));
    txTextDoc = new richtext::TextEditor(this);
    txTextDoc->setObjectName(QStringLiteral("txTextDoc"));
    txBar = new richtext::TextButtonBar(this);
    txRulerBar = new richtext::TextRuler(this);
    txRulerBar->setObjectName(QStringLiteral("txRulerBar"));
    txStatus = new richtext::TextStatusBar(this);

    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(txRulerBar);
    layout->addWidget(txTextDoc, 1);
    setCentralWidget(page);
    addToolBar(txBar);
    setStatusBar(txStatus);
    buildMenus();

    // The order of setting up: captions, dictionary, bars, page, zoom.
    loadCaptions();
    if (VSSpell1->openMainDictionary())
        txTextDoc->setSpellChecker(VSSpell1.get());
    mnuMain[1]->findChild<QAction *>(QStringLiteral("mnuEdit_4"))->setVisible(VSSpell1->hasDictionary());
    txBar->attach(txTextDoc);
    txRulerBar->attach(txTextDoc);
    txStatus->attach(txTextDoc);
    txTextDoc->setPageHeight(kPageHeightTwips);
    txTextDoc->setZoomFactor(kInitialZoom);

    connect(txTextDoc, &richtext::TextEditor::changed, this, &frmWordProcessor::textChanged);
    resize(980, 760);
}

frmWordProcessor::~frmWordProcessor() = default;

QAction *frmWordProcessor::item(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void frmWordProcessor::loadCaptions()
{
    support::CaptionLoader captions(this, objectName());
    const std::pair<int, int> menus[] = {{0, 4}, {1, 5}, {2, 6}, {3, 8}, {4, 7}};
    for (const auto &[index, number] : menus)
        captions.set(mnuMain[std::size_t(index)]->menuAction(), number);
    const auto set = [this, &captions](const char *name, int number, const QString &suffix = QString()) {
        captions.set(findChild<QAction *>(QLatin1String(name)), number, suffix);
    };
    set("mnuFile_0", 22, QStringLiteral("..."));
    set("mnuFile_1", 99, QStringLiteral("..."));
    set("mnuFile_2", 37, QStringLiteral("..."));
    set("mnuFile_3", 38);
    set("mnuEdit_0", 20);
    set("mnuEdit_1", 16);
    set("mnuEdit_2", 17);
    set("mnuEdit_3", 18);
    set("mnuEdit_4", 93, QStringLiteral("..."));
    set("mnuView_0", 100);
    set("mnuView_1", 101);
    set("mnuFormat_0", 102, QStringLiteral("..."));
    set("mnuFormat_1", 104, QStringLiteral("..."));
    set("mnuFormat_2", 103, QStringLiteral("..."));
    set("mnuHelp_0", 90, QStringLiteral("..."));
    set("mnuHelp_2", 92, QStringLiteral("..."));
    set("mnuHelp_4", 91, QLatin1Char(' ') + platform::applicationTitle() + QStringLiteral("..."));
}

// ---- The text and its file -----------------------------------------------------------

bool frmWordProcessor::setFileName(const QString &path)
{
    m_fileName = path;
    bool read = true;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        const QString failure = txTextDoc->loadRtfFile(path);
        if (!failure.isEmpty()) {
            support::reportOperationError(this, kFileNotFound, failure, QStringLiteral("Loading ") + path);
            read = false;
        }
    } else {
        // A fresh text in the preferred font, as the composer starts one.
        txTextDoc->loadRtf(composer::newSectionFileText(support::Preferences::getPreferenceFont(),
                                                        support::Preferences::getPreferenceFontSize()));
    }
    // The section's page: the text control's own height whatever the file says.
    txTextDoc->setPageHeight(kPageHeightTwips);
    txTextDoc->document()->setModified(false);
    refreshEditMenu();
    return read;
}

QString frmWordProcessor::saveText()
{
    if (m_fileName.isEmpty())
        return QString();
    const QString failure = rtf::saveSectionRtfFile(m_fileName, *txTextDoc->document());
    if (failure.isEmpty())
        txTextDoc->document()->setModified(false);
    return failure;
}

bool frmWordProcessor::isTextModified() const
{
    return txTextDoc->document()->isModified();
}

void frmWordProcessor::closeEvent(QCloseEvent *event)
{
    // Closing always saves. A text that cannot be written keeps the window
    // open, so that nothing typed is lost.
    const QString failure = saveText();
    if (!failure.isEmpty()) {
        support::reportOperationError(this, kFileAccessError, failure, QStringLiteral("Saving ") + m_fileName);
        event->ignore();
        return;
    }
    if (m_find)
        m_find->close();
    VSSpell1->closeMainDictionary();
    txTextDoc->setSpellChecker(nullptr);
    event->accept();
    emit returned();
}

void frmWordProcessor::openFile()
{
    platform::FileRequest request;
    request.filter = QStringLiteral("Rich Text Format (*.rtf)|*.rtf|Text (*.txt)|*.txt");
    request.folder = QFileInfo(m_fileName).absolutePath();
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString lower = chosen->toLower();
    QString failure;
    if (lower.endsWith(QStringLiteral("txt")))
        failure = txTextDoc->loadPlainTextFile(*chosen);
    else if (lower.endsWith(QStringLiteral("rtf")))
        failure = txTextDoc->loadRtfFile(*chosen);
    else
        return;
    if (!failure.isEmpty()) {
        support::reportOperationError(this, kFileNotFound, failure, QStringLiteral("Loading ") + *chosen);
        return;
    }
    txTextDoc->setPageHeight(kPageHeightTwips);
    txTextDoc->document()->setModified(true); // the section file does not hold it yet
    emit textChanged();
}

void frmWordProcessor::insertPicture()
{
    platform::FileRequest request;
    request.title = tr("Insert Picture");
    request.filter = QStringLiteral("Pictures (*.png;*.jpg;*.jpeg;*.bmp;*.gif)|*.png;*.jpg;*.jpeg;*.bmp;*.gif");
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    QImageReader reader(*chosen);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        support::reportOperationError(this, kFileNotFound, reader.errorString(), QStringLiteral("Loading ") + *chosen);
        return;
    }
    txTextDoc->insertPicture(picture);
}

// ---- Commands ---------------------------------------------------------------------------

void frmWordProcessor::SpellCheck()
{
    if (!VSSpell1->hasDictionary()) {
        platform::msgBox(this, GetResText(607), platform::Buttons::Ok, platform::Icon::Information);
        return;
    }
    const richtext::SpellCheckOutcome outcome = richtext::checkSpelling(txTextDoc, *VSSpell1);
    if (outcome == richtext::SpellCheckOutcome::NoDictionary)
        platform::msgBox(this, GetResText(607), platform::Buttons::Ok, platform::Icon::Information);
    else if (outcome == richtext::SpellCheckOutcome::Completed)
        platform::msgBox(this, GetResText(622), platform::Buttons::Ok, platform::Icon::Information);
    txTextDoc->refreshSpellingMarks();
    txTextDoc->setFocus();
}

void frmWordProcessor::FormatColorProc()
{
    txTextDoc->chooseTextColor(); // a cancelled dialog changes nothing
}

void frmWordProcessor::setPageView(bool page)
{
    txTextDoc->setViewMode(page ? richtext::TextEditor::ViewMode::Page : richtext::TextEditor::ViewMode::Normal);
    findChild<QAction *>(QStringLiteral("mnuView_0"))->setChecked(!page);
    findChild<QAction *>(QStringLiteral("mnuView_1"))->setChecked(page);
}

FindReplaceDialog *frmWordProcessor::findDialog()
{
    if (!m_find)
        m_find = new FindReplaceDialog(txTextDoc, this);
    return m_find;
}

} // namespace qv::editors
