#include "viewer/gui/frmViewer.h"

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/gui/DesktopServices.h"
#include "support/ErrorReports.h"
#include "support/HelpFiles.h"
#include "support/gui/HelpViewer.h"
#include "viewer/CompiledPlan.h"
#include "viewer/ComposerReturn.h"
#include "viewer/gui/PdfPageView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::viewer {

namespace {

// The zoom steps of Zoom In and Zoom Out, and of the zoom list.
constexpr std::array<qreal, 9> kZoomSteps{0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0};
// A page starts at the view's width, but never larger than this.
constexpr qreal kComfortableZoom = 1.25;
enum ZoomItem { CurrentZoom = 0, FitWidthItem = 2, FitPageItem = 3, FirstStepItem = 5 };

QString percent(qreal factor)
{
    return QString::number(std::lround(factor * 100)) + QLatin1Char('%');
}

// The search hits as the list shows them: the page and the words around
// the hit.
class SearchHits : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QString searchString;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return QIdentityProxyModel::data(index, role);
        const int page = QIdentityProxyModel::data(index, int(QPdfSearchModel::Role::Page)).toInt();
        const QString before = QIdentityProxyModel::data(index, int(QPdfSearchModel::Role::ContextBefore)).toString();
        const QString after = QIdentityProxyModel::data(index, int(QPdfSearchModel::Role::ContextAfter)).toString();
        QString words = before + searchString + after;
        // Line ends (which the model marks with a return symbol) and other
        // control marks of the page's text read as blanks.
        for (QChar &c : words)
            if (!c.isPrint() || c == QChar(0x23CE))
                c = QLatin1Char(' ');
        return QString(QStringLiteral("Page %1:  ").arg(page + 1) + words.simplified());
    }
};

QAction *action(QObject *owner, const char *name, const QString &text, const QKeySequence &keys = {})
{
    auto *item = new QAction(text, owner);
    item->setObjectName(QLatin1String(name));
    if (!keys.isEmpty())
        item->setShortcut(keys);
    return item;
}

} // namespace

frmViewer::frmViewer(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmViewer"));
    // Large enough for a page beside the contents, within the screen.
    QSize size(1120, 860);
    if (const QScreen *shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.92);
    resize(size);
    m_startComposer = startComposerOn;

    m_bookmarks = new QPdfBookmarkModel(this);
    m_search = new QPdfSearchModel(this);

    m_pages = new QStackedWidget(this);
    lblEmpty = new QLabel(QStringLiteral("Open a compiled plan with File, Open."), m_pages);
    lblEmpty->setObjectName(QStringLiteral("lblEmpty"));
    lblEmpty->setAlignment(Qt::AlignCenter);
    lblEmpty->setStyleSheet(QStringLiteral("color: #5A6B82; font-size: 11pt; background: #E9EDF2;"));
    m_view = new PdfPageView(m_pages);
    m_view->setObjectName(QStringLiteral("pdfPlan"));
    m_view->setPageSpacing(14);
    m_view->setDocumentMargins(QMargins(18, 18, 18, 18));
    m_view->setStyleSheet(QStringLiteral("QPdfView { background: #E9EDF2; }"));
    m_pages->addWidget(lblEmpty);
    m_pages->addWidget(m_view);

    buildPanel();
    auto *splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("splViewer"));
    splitter->addWidget(tabPanel);
    splitter->addWidget(m_pages);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 840});
    setCentralWidget(splitter);

    buildActions();
    buildMenus();
    buildToolbar();
    statusBar()->setObjectName(QStringLiteral("sbrViewer"));

    connect(m_view, &PdfPageView::pageInSightChanged, this, &frmViewer::updatePageIndicator);
    connect(m_view, &PdfPageView::viewResized, this, &frmViewer::setComfortableZoom);
    connect(m_view, &QPdfView::zoomFactorChanged, this, &frmViewer::updateZoomChoice);
    connect(m_view, &QPdfView::zoomModeChanged, this, &frmViewer::updateZoomChoice);
    connect(m_search, &QAbstractItemModel::rowsInserted, this, &frmViewer::searchUpdated);
    connect(m_search, &QAbstractItemModel::modelReset, this, &frmViewer::searchUpdated);

    setWindowTitle(QStringLiteral("Quorvex Viewer"));
    updateCommands();
}

frmViewer::~frmViewer() = default;

void frmViewer::buildPanel()
{
    tabPanel = new QTabWidget(this);
    tabPanel->setObjectName(QStringLiteral("tabPanel"));
    tabPanel->setDocumentMode(true);

    tvwContents = new QTreeView(tabPanel);
    tvwContents->setObjectName(QStringLiteral("tvwContents"));
    tvwContents->setModel(m_bookmarks);
    tvwContents->setHeaderHidden(true);
    tvwContents->setUniformRowHeights(true);
    tvwContents->setExpandsOnDoubleClick(false);
    tvwContents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(tvwContents, &QTreeView::activated, this, &frmViewer::contentsActivated);
    connect(tvwContents, &QTreeView::clicked, this, &frmViewer::contentsActivated);
    tabPanel->addTab(tvwContents, QStringLiteral("Contents"));

    auto *searchPage = new QWidget(tabPanel);
    searchPage->setObjectName(QStringLiteral("pnlSearch"));
    auto *column = new QVBoxLayout(searchPage);
    column->setContentsMargins(6, 8, 6, 6);
    column->setSpacing(6);
    txtFind = new QLineEdit(searchPage);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Find in the plan"));
    txtFind->setClearButtonEnabled(true);
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        if (txtFind->text() == m_search->searchString() && hitCount() > 0)
            findNext();
        else
            find(txtFind->text());
    });
    column->addWidget(txtFind);
    lblResults = new QLabel(searchPage);
    lblResults->setObjectName(QStringLiteral("lblResults"));
    lblResults->setStyleSheet(QStringLiteral("color: #4A5B73;"));
    column->addWidget(lblResults);
    auto *hits = new SearchHits(searchPage);
    hits->setSourceModel(m_search);
    lstResults = new QListView(searchPage);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    lstResults->setModel(hits);
    lstResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResults->setWordWrap(true);
    lstResults->setUniformItemSizes(false);
    lstResults->setSpacing(2);
    connect(lstResults, &QListView::activated, this, [this](const QModelIndex &index) { showHit(index.row()); });
    connect(lstResults, &QListView::clicked, this, [this](const QModelIndex &index) { showHit(index.row()); });
    column->addWidget(lstResults, 1);
    tabPanel->addTab(searchPage, QStringLiteral("Search"));
}

void frmViewer::buildActions()
{
    m_act.open = action(this, "mnuFileOpen", QStringLiteral("&Open..."), QKeySequence::Open);
    m_act.saveCopy = action(this, "mnuFileSaveCopy", QStringLiteral("Save a &Copy..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    m_act.edit = action(this, "mnuFileEdit", QStringLiteral("&Edit in Word Processor"));
    m_act.print = action(this, "mnuFilePrint", QStringLiteral("&Print..."), QKeySequence::Print);
    m_act.back = action(this, "mnuFileReturn", QStringLiteral("&Back to the Plan Composer"));
    m_act.close = action(this, "mnuFileClose", QStringLiteral("&Close"), QKeySequence(QStringLiteral("Ctrl+W")));
    m_act.contents = action(this, "mnuViewContents", QStringLiteral("&Contents and Search"), QKeySequence(QStringLiteral("F9")));
    m_act.contents->setCheckable(true);
    m_act.contents->setChecked(true);
    m_act.zoomIn = action(this, "mnuViewZoomIn", QStringLiteral("Zoom &In"), QKeySequence::ZoomIn);
    m_act.zoomOut = action(this, "mnuViewZoomOut", QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut);
    m_act.actualSize = action(this, "mnuViewActualSize", QStringLiteral("&Actual Size"), QKeySequence(QStringLiteral("Ctrl+0")));
    m_act.fitWidth = action(this, "mnuViewFitWidth", QStringLiteral("Fit &Width"), QKeySequence(QStringLiteral("Ctrl+2")));
    m_act.fitPage = action(this, "mnuViewFitPage", QStringLiteral("Fit &Page"), QKeySequence(QStringLiteral("Ctrl+1")));
    m_act.previousPage = action(this, "mnuViewPreviousPage", QStringLiteral("P&revious Page"), QKeySequence(QStringLiteral("Ctrl+PgUp")));
    m_act.nextPage = action(this, "mnuViewNextPage", QStringLiteral("&Next Page"), QKeySequence(QStringLiteral("Ctrl+PgDown")));
    m_act.find = action(this, "mnuEditFind", QStringLiteral("&Find..."), QKeySequence::Find);
    m_act.findNext = action(this, "mnuEditFindNext", QStringLiteral("Find &Next"), QKeySequence::FindNext);
    m_act.findPrevious = action(this, "mnuEditFindPrevious", QStringLiteral("Find Pre&vious"), QKeySequence::FindPrevious);

    const QStyle *look = style();
    m_act.open->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
    m_act.saveCopy->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
    m_act.back->setIcon(look->standardIcon(QStyle::SP_ArrowBack));
    m_act.previousPage->setIcon(look->standardIcon(QStyle::SP_ArrowUp));
    m_act.nextPage->setIcon(look->standardIcon(QStyle::SP_ArrowDown));

    connect(m_act.open, &QAction::triggered, this, &frmViewer::openWithDialog);
    connect(m_act.saveCopy, &QAction::triggered, this, &frmViewer::saveACopy);
    connect(m_act.edit, &QAction::triggered, this, &frmViewer::editDocument);
    connect(m_act.print, &QAction::triggered, this, &frmViewer::print);
    connect(m_act.back, &QAction::triggered, this, &frmViewer::backToComposer);
    connect(m_act.close, &QAction::triggered, this, &QWidget::close);
    connect(m_act.contents, &QAction::toggled, tabPanel, &QWidget::setVisible);
    connect(m_act.zoomIn, &QAction::triggered, this, &frmViewer::zoomIn);
    connect(m_act.zoomOut, &QAction::triggered, this, &frmViewer::zoomOut);
    connect(m_act.actualSize, &QAction::triggered, this, &frmViewer::actualSize);
    connect(m_act.fitWidth, &QAction::triggered, this, &frmViewer::fitWidth);
    connect(m_act.fitPage, &QAction::triggered, this, &frmViewer::fitPage);
    connect(m_act.previousPage, &QAction::triggered, this, [this] { goToPage(currentPage() - 1); });
    connect(m_act.nextPage, &QAction::triggered, this, [this] { goToPage(currentPage() + 1); });
    connect(m_act.find, &QAction::triggered, this, [this] {
        m_act.contents->setChecked(true);
        tabPanel->setCurrentIndex(1);
        txtFind->setFocus();
        txtFind->selectAll();
    });
    connect(m_act.findNext, &QAction::triggered, this, &frmViewer::findNext);
    connect(m_act.findPrevious, &QAction::triggered, this, &frmViewer::findPrevious);
}

void frmViewer::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFileTop"));
    file->addActions({m_act.open, m_act.saveCopy, m_act.edit});
    file->addSeparator();
    file->addAction(m_act.print);
    file->addSeparator();
    file->addActions({m_act.back, m_act.close});

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEditTop"));
    edit->addActions({m_act.find, m_act.findNext, m_act.findPrevious});

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuViewTop"));
    view->addAction(m_act.contents);
    view->addSeparator();
    view->addActions({m_act.zoomIn, m_act.zoomOut, m_act.actualSize, m_act.fitWidth, m_act.fitPage});
    view->addSeparator();
    view->addActions({m_act.previousPage, m_act.nextPage});

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelpTop"));
    QAction *topics = action(this, "mnuHelpTopics", QStringLiteral("&Help Topics"), QKeySequence::HelpContents);
    connect(topics, &QAction::triggered, this, [this] { support::OpenHelpFile(this, support::kMainHelpFile); });
    help->addAction(topics);
}

void frmViewer::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Viewer"));
    bar->setObjectName(QStringLiteral("tbrViewer"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setStyleSheet(QStringLiteral("QToolBar { spacing: 4px; padding: 3px; }"));
    bar->addAction(m_act.back);
    bar->addAction(m_act.saveCopy);
    bar->addAction(m_act.print);
    bar->addSeparator();
    bar->addAction(m_act.contents);
    bar->addSeparator();

    bar->addAction(m_act.previousPage);
    spnPage = new QSpinBox(bar);
    spnPage->setObjectName(QStringLiteral("spnPage"));
    spnPage->setRange(1, 1);
    spnPage->setKeyboardTracking(false);
    spnPage->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spnPage->setAlignment(Qt::AlignRight);
    spnPage->setMinimumWidth(48);
    connect(spnPage, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page - 1); });
    bar->addWidget(spnPage);
    lblPageCount = new QLabel(bar);
    lblPageCount->setObjectName(QStringLiteral("lblPageCount"));
    lblPageCount->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(lblPageCount);
    bar->addAction(m_act.nextPage);
    bar->addSeparator();

    bar->addAction(m_act.zoomOut);
    m_act.zoomOut->setIconText(QStringLiteral("\u2212"));
    cboZoom = new QComboBox(bar);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->addItem(QStringLiteral("100%"));
    cboZoom->insertSeparator(1);
    cboZoom->addItem(QStringLiteral("Fit Width"));
    cboZoom->addItem(QStringLiteral("Fit Page"));
    cboZoom->insertSeparator(4);
    for (qreal step : kZoomSteps)
        cboZoom->addItem(percent(step), step);
    cboZoom->setMinimumWidth(96);
    connect(cboZoom, &QComboBox::activated, this, [this](int index) {
        if (index == FitWidthItem)
            fitWidth();
        else if (index == FitPageItem)
            fitPage();
        else if (index >= FirstStepItem) {
            m_zoomChosen = true;
            m_view->setZoomMode(QPdfView::ZoomMode::Custom);
            m_view->setZoomFactor(cboZoom->itemData(index).toReal());
        }
    });
    bar->addWidget(cboZoom);
    bar->addAction(m_act.zoomIn);
    m_act.zoomIn->setIconText(QStringLiteral("+"));
    bar->addAction(m_act.fitWidth);
    bar->addAction(m_act.fitPage);

    auto *spring = new QWidget(bar);
    spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spring);
    lblSample = new QLabel(QStringLiteral("SAMPLE PLAN \u00B7 READ-ONLY"), bar);
    lblSample->setObjectName(QStringLiteral("lblSample"));
    lblSample->setStyleSheet(QStringLiteral("color: #FFFFFF; background: #C0781A; border-radius: 3px;"
                                            " padding: 3px 8px; font-weight: bold; letter-spacing: 1px;"));
    // A widget on a tool bar shows and hides through its action.
    m_sampleMark = bar->addWidget(lblSample);
    m_sampleMark->setObjectName(QStringLiteral("lblSampleAction"));
    m_sampleMark->setVisible(false);
}

bool frmViewer::open(const ViewerRequest &request)
{
    auto *document = new QPdfDocument(this);
    const QPdfDocument::Error error = document->load(request.file);
    if (error != QPdfDocument::Error::None) {
        delete document;
        platform::msgBox(this, loadFailureText(request.file, error), platform::Buttons::Ok, platform::Icon::Exclamation);
        return false;
    }
    m_request = request;
    m_request.file = QFileInfo(request.file).absoluteFilePath();
    m_returnPlan = m_request.doReturn ? planOfCompiledFile(m_request.file) : QString();
    showDocument(document);
    setWindowTitle(viewerTitle(m_request));
    statusBar()->showMessage(m_request.sample ? QStringLiteral("A finished sample plan, shown read-only.")
                                              : QDir::toNativeSeparators(m_request.file));
    return true;
}

void frmViewer::showDocument(QPdfDocument *document)
{
    QPdfDocument *old = m_document;
    m_document = document;
    m_hit = -1;
    m_view->setMarks(-1, {});
    m_view->setDocument(document);
    m_bookmarks->setDocument(document);
    m_search->setDocument(document);
    m_search->setSearchString(QString());
    txtFind->clear();
    delete old;
    tvwContents->expandToDepth(0);
    m_pages->setCurrentWidget(m_view);
    spnPage->setRange(1, std::max(1, document->pageCount()));
    lblPageCount->setText(QStringLiteral("of %1").arg(document->pageCount()));
    m_zoomChosen = false;
    setComfortableZoom();
    m_view->showPage(0);
    updatePageIndicator(0);
    updateCommands();
}

void frmViewer::updateCommands()
{
    const bool shown = m_document != nullptr;
    for (QAction *item : {m_act.saveCopy, m_act.print, m_act.zoomIn, m_act.zoomOut, m_act.actualSize, m_act.fitWidth,
                          m_act.fitPage, m_act.previousPage, m_act.nextPage, m_act.find, m_act.findNext,
                          m_act.findPrevious})
        item->setEnabled(shown);
    spnPage->setEnabled(shown);
    cboZoom->setEnabled(shown);
    txtFind->setEnabled(shown);
    // A sample is read-only: nothing leads to changing it.
    m_act.edit->setVisible(shown && !m_request.sample && !companionDocument(m_request.file).isEmpty());
    m_act.back->setVisible(!m_returnPlan.isEmpty());
    m_sampleMark->setVisible(shown && m_request.sample);
}

void frmViewer::updatePageIndicator(int page)
{
    const QSignalBlocker quiet(spnPage);
    spnPage->setValue(page + 1);
    const int count = m_document ? m_document->pageCount() : 0;
    m_act.previousPage->setEnabled(m_document && page > 0);
    m_act.nextPage->setEnabled(m_document && page + 1 < count);
}

int frmViewer::currentPage() const
{
    return m_view->pageInSight();
}

void frmViewer::goToPage(int page)
{
    if (!m_document || page < 0 || page >= m_document->pageCount())
        return;
    m_view->showPage(page);
    updatePageIndicator(page);
}

// ---- Zoom ------------------------------------------------------------------------------------

void frmViewer::setComfortableZoom()
{
    if (m_zoomChosen || !m_document || m_document->pageCount() == 0)
        return;
    // Every page as wide as the view at most, so that nothing is cut off, up
    // to a comfortable size.
    const int page = std::max(0, currentPage());
    const qreal factor = std::clamp(m_view->widestPageZoom(), kZoomSteps.front(), kComfortableZoom);
    if (m_view->zoomMode() == QPdfView::ZoomMode::Custom && std::abs(m_view->zoomFactor() - factor) < 0.005)
        return;
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(factor);
    m_view->showPage(page);
}

void frmViewer::stepZoom(int direction)
{
    if (!m_document)
        return;
    const int page = std::max(0, currentPage());
    const qreal now = m_view->zoomInForce(page);
    qreal next = now;
    if (direction > 0) {
        const auto found = std::find_if(kZoomSteps.begin(), kZoomSteps.end(), [&](qreal z) { return z > now + 0.01; });
        next = found == kZoomSteps.end() ? kZoomSteps.back() : *found;
    } else {
        const auto found =
            std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(), [&](qreal z) { return z < now - 0.01; });
        next = found == kZoomSteps.rend() ? kZoomSteps.front() : *found;
    }
    m_zoomChosen = true;
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(next);
    m_view->showPage(page);
}

void frmViewer::zoomIn()
{
    stepZoom(+1);
}

void frmViewer::zoomOut()
{
    stepZoom(-1);
}

void frmViewer::actualSize()
{
    m_zoomChosen = true;
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(1.0);
    m_view->showPage(page);
}

void frmViewer::fitWidth()
{
    m_zoomChosen = true;
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->showPage(page);
}

void frmViewer::fitPage()
{
    m_zoomChosen = true;
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::FitInView);
    m_view->showPage(page);
}

void frmViewer::updateZoomChoice()
{
    const QSignalBlocker quiet(cboZoom);
    switch (m_view->zoomMode()) {
    case QPdfView::ZoomMode::FitToWidth:
        cboZoom->setCurrentIndex(FitWidthItem);
        return;
    case QPdfView::ZoomMode::FitInView:
        cboZoom->setCurrentIndex(FitPageItem);
        return;
    case QPdfView::ZoomMode::Custom:
        break;
    }
    cboZoom->setItemText(CurrentZoom, percent(m_view->zoomFactor()));
    cboZoom->setCurrentIndex(CurrentZoom);
}

// ---- Contents and search ----------------------------------------------------------------------

void frmViewer::contentsActivated(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int page = index.data(int(QPdfBookmarkModel::Role::Page)).toInt();
    const QPointF place = index.data(int(QPdfBookmarkModel::Role::Location)).toPointF();
    m_view->showPlace(page, place);
    updatePageIndicator(currentPage());
}

void frmViewer::find(const QString &text)
{
    m_hit = -1;
    m_view->setMarks(-1, {});
    m_act.contents->setChecked(true);
    tabPanel->setCurrentIndex(1);
    if (auto *hits = dynamic_cast<SearchHits *>(lstResults->model()))
        hits->searchString = text.simplified();
    if (txtFind->text() != text)
        txtFind->setText(text);
    m_search->setSearchString(text.simplified());
    searchUpdated();
}

int frmViewer::hitCount() const
{
    return m_search->rowCount(QModelIndex());
}

void frmViewer::searchUpdated()
{
    const int count = hitCount();
    const QString text = m_search->searchString();
    if (text.isEmpty())
        lblResults->clear();
    else if (count == 0)
        lblResults->setText(QStringLiteral("No match for \u201C%1\u201D").arg(text));
    else
        lblResults->setText(count == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(count));
    // The first hit is shown as soon as it is found.
    if (m_hit < 0 && count > 0)
        showHit(0);
}

void frmViewer::showHit(int hit)
{
    if (hit < 0 || hit >= hitCount())
        return;
    m_hit = hit;
    const QPdfLink link = m_search->resultAtIndex(hit);
    m_view->setMarks(link.page(), link.rectangles());
    QPointF place = link.location();
    if (!link.rectangles().isEmpty())
        place = link.rectangles().first().topLeft();
    m_view->showPlace(link.page(), place);
    updatePageIndicator(currentPage());
    const QSignalBlocker quiet(lstResults->selectionModel());
    lstResults->setCurrentIndex(lstResults->model()->index(hit, 0));
    statusBar()->showMessage(QStringLiteral("Match %1 of %2, page %3").arg(hit + 1).arg(hitCount()).arg(link.page() + 1));
}

void frmViewer::findNext()
{
    if (hitCount() == 0) {
        if (!txtFind->text().isEmpty() && txtFind->text() != m_search->searchString())
            find(txtFind->text());
        return;
    }
    showHit((m_hit + 1) % hitCount());
}

void frmViewer::findPrevious()
{
    if (hitCount() == 0)
        return;
    showHit((m_hit - 1 + hitCount()) % hitCount());
}

// ---- File commands ------------------------------------------------------------------------------

void frmViewer::openWithDialog()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Open Compiled Plan");
    request.folder = m_request.file.isEmpty() ? platform::Folders::myPlansFolder() : QFileInfo(m_request.file).absolutePath();
    request.filter = QStringLiteral("Compiled Plans (*.pdf;*.cpd)|*.pdf;*.cpd|All Files (*.*)|*.*");
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    ViewerRequest next;
    next.file = *chosen;
    open(next);
}

bool frmViewer::saveACopy()
{
    if (!m_document)
        return false;
    platform::FileRequest request;
    request.title = QStringLiteral("Save a Copy");
    request.folder = platform::Folders::myPlansFolder();
    request.fileName = copyFileName(m_request.file);
    request.filter = QStringLiteral("PDF Documents (*.pdf)|*.pdf");
    const std::optional<QString> chosen = platform::fileDialogs().saveFile(this, request);
    if (!chosen || chosen->isEmpty())
        return false;
    QString target = *chosen;
    if (QFileInfo(target).suffix().isEmpty())
        target += QStringLiteral(".pdf");
    const Result<QStringList> written = saveCopy(m_request.file, target);
    if (!written) {
        support::reportOperationError(this, written.failure());
        return false;
    }
    QStringList names;
    for (const QString &path : written.value())
        names << QDir::toNativeSeparators(path);
    statusBar()->showMessage(QStringLiteral("Saved ") + names.join(QStringLiteral(" and ")));
    return true;
}

bool frmViewer::print()
{
    if (!m_document)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(m_request.file).completeBaseName());
    // Without an installed printer the print dialog offers a PDF file.
    if (printer.printerName().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(platform::joinPath(platform::Folders::myPlansFolder(),
                                                     QFileInfo(m_request.file).completeBaseName() +
                                                         QStringLiteral(" (printed).pdf")));
    }
    printer.setFromTo(1, m_document->pageCount());
    platform::PrintRequest request;
    request.allowPageRange = true;
    if (!platform::printDialogs().print(this, printer, request))
        return false;
    int first = 0, last = m_document->pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::max(printer.toPage(), printer.fromPage()) - 1;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printPages(*m_document, printer, first, last);
    QApplication::restoreOverrideCursor();
    if (!printed) {
        platform::msgBox(this, QStringLiteral("The plan could not be printed."), platform::Buttons::Ok,
                         platform::Icon::Exclamation);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Printed pages %1 to %2").arg(first + 1).arg(last + 1));
    return true;
}

void frmViewer::editDocument()
{
    const QString odt = companionDocument(m_request.file);
    if (!odt.isEmpty())
        platform::shell().open(this, odt);
}

void frmViewer::backToComposer()
{
    if (m_returnPlan.isEmpty())
        return;
    if (!m_startComposer || !m_startComposer(m_returnPlan)) {
        platform::msgBox(this,
                         QStringLiteral("The Plan Composer could not be started on the plan:\r\n") +
                             QDir::toNativeSeparators(m_returnPlan),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    close();
}

} // namespace qv::viewer
