#include "editors/analysis/frmAnalysis.h"

#include "controls/richtextview/DisplayBox.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/analysis/AnalysisWorkbooks.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "support/ErrorReports.h"
#include "support/gui/Captions.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace qv::analysis {

frmAnalysis::frmAnalysis(const plan::Plan &plan, workbook::WorkbookSet &tables, QWidget *parent)
    : QDialog(parent), f1Analysis(new workbook::WorkbookView(this)), tabAnalysis(new QTabBar(this)),
      rtfInstr(new richtext::DisplayBox(this)), cmdExample(new QPushButton(this)), cmdPrint(new QPushButton(this)),
      cmdPrintSetup(new QPushButton(this)), cmdClose(new QPushButton(this)),
      m_books(std::make_unique<AnalysisWorkbooks>(plan, tables))
{
    setObjectName(QStringLiteral("frmAnalysis"));
    f1Analysis->setObjectName(QStringLiteral("f1Analysis"));
    tabAnalysis->setObjectName(QStringLiteral("tabAnalysis"));
    rtfInstr->setObjectName(QStringLiteral("rtfInstr"));
    cmdExample->setObjectName(QStringLiteral("cmdExample"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrintSetup->setObjectName(QStringLiteral("cmdPrintSetup"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    setWindowTitle(withoutAccessKey(plan.profile().analysisTitle()) + QStringLiteral(" - ")
                   + QApplication::applicationDisplayName());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    loadCaptions();

    rtfInstr->hide();
    tabAnalysis->setDrawBase(false);
    tabAnalysis->setExpanding(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdExample);
    buttons->addStretch(1);
    buttons->addWidget(cmdPrintSetup);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(0);
    main->addWidget(tabAnalysis);
    main->addWidget(f1Analysis, 1);
    main->addWidget(rtfInstr, 1);
    main->addSpacing(10);
    main->addLayout(buttons);

    const QString instructions = instructionsPath(plan);
    const QString instructionFailure = rtfInstr->loadFile(instructions);
    if (!instructionFailure.isEmpty())
        rtfInstr->setText(GetResText(608) + QStringLiteral("\n") + instructions);
    if (!m_books->readFailures().isEmpty())
        platform::msgBox(this, m_books->readFailures(), platform::Buttons::Ok, platform::Icon::Exclamation);
    buildTabs(plan.profile().projectedYears());

    connect(tabAnalysis, &QTabBar::currentChanged, this, &frmAnalysis::tabClick);
    connect(cmdExample, &QPushButton::clicked, this, &frmAnalysis::cmdExampleClick);
    connect(cmdPrint, &QPushButton::clicked, this, &frmAnalysis::cmdPrintClick);
    connect(cmdPrintSetup, &QPushButton::clicked, f1Analysis, &workbook::WorkbookView::printSetup);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(900, 640);
    showBook();
}

frmAnalysis::~frmAnalysis() = default;

void frmAnalysis::loadCaptions()
{
    support::CaptionLoader captions(this, QStringLiteral("frmAnalysis"), QStringLiteral("Form_Load"));
    captions.set(cmdExample, 36);
    captions.set(cmdPrintSetup, 99);
    captions.set(cmdPrint, 37);
    captions.set(cmdClose, 38);
}

void frmAnalysis::buildTabs(int projectedYears)
{
    const int years = analysisYears(projectedYears, m_books->analysis().sheetCount());
    const QString year = GetResText(399);
    for (int index = 1; index <= years; ++index)
        tabAnalysis->addTab(year + QLatin1Char(' ') + QString::number(index));
    tabAnalysis->addTab(GetResText(418));
    tabAnalysis->setCurrentIndex(0);
}

void frmAnalysis::showBook()
{
    workbook::Workbook &book = m_showingExample ? m_books->example() : m_books->analysis();
    const int index = tabAnalysis->currentIndex();
    if (index >= 0 && index < book.sheetCount())
        book.setActiveSheet(index);
    f1Analysis->setWorkbook(&book);
    // A workbook brings its own view settings; the analysis reads as a page.
    f1Analysis->setShowFormulaBar(false);
    f1Analysis->setShowColumnHeadings(false);
    f1Analysis->setShowRowHeadings(false);
    f1Analysis->setShowGridLines(false);
    f1Analysis->setShowBorder(true);
    f1Analysis->goHome();
}

void frmAnalysis::tabClick(int index)
{
    const bool instructions = index == tabAnalysis->count() - 1;
    rtfInstr->setVisible(instructions);
    f1Analysis->setVisible(!instructions);
    cmdPrint->setVisible(!instructions);
    cmdPrintSetup->setVisible(!instructions);
    cmdExample->setVisible(!instructions);
    if (!instructions)
        showBook();
}

void frmAnalysis::cmdExampleClick()
{
    m_showingExample = !m_showingExample;
    if (m_showingExample)
        cmdExample->setText(QStringLiteral("Analysis"));
    else
        cmdExample->setText(GetResText(36));
    showBook();
}

void frmAnalysis::cmdPrintClick()
{
    workbook::Workbook *book = f1Analysis->workbook();
    if (!book)
        return;
    book->setPrintArea(printRangeText(*book));
    f1Analysis->print();
}

void frmAnalysis::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        f1Analysis->setWorkbook(nullptr);
        try {
            m_books->close();
        } catch (const QvError &error) {
            support::reportOperationError(this, error, QStringLiteral("Saving ") + m_books->path());
        }
    }
    QDialog::done(result);
}

} // namespace qv::analysis
