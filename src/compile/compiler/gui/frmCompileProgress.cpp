#include "compile/compiler/gui/frmCompileProgress.h"

#include "platform/Error.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qv::compiler {

frmCompileProgress::frmCompileProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCompileProgress"));
    setWindowTitle(tr("Compile Plan"));
    lblTitle = new QLabel(tr("Compiling your plan..."), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lstSteps = new QListWidget(this);
    lstSteps->setObjectName(QStringLiteral("lstSteps"));
    lstSteps->setFocusPolicy(Qt::NoFocus);
    lstSteps->setSelectionMode(QAbstractItemView::NoSelection);
    lstSteps->setIconSize(QSize(16, 16));
    lstSteps->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstSteps->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every step keeps room for the mark it gets when it starts.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    for (int i = 0; i < kCompileStepCount; ++i)
        new QListWidgetItem(QIcon(blank), stepText(CompileStep(i)), lstSteps);
    lstSteps->setFixedHeight(lstSteps->sizeHintForRow(0) * kCompileStepCount + 2 * lstSteps->frameWidth() + 4);
    prgStep = new QProgressBar(this);
    prgStep->setObjectName(QStringLiteral("prgStep"));
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    lblResult->setWordWrap(true);
    lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblResult->hide();
    txtLeftOut = new QPlainTextEdit(this);
    txtLeftOut->setObjectName(QStringLiteral("txtLeftOut"));
    txtLeftOut->setReadOnly(true);
    txtLeftOut->hide();

    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOpen = new QPushButton(tr("&Open Compiled Plan"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdComposer = new QPushButton(tr("&Back to the Plan Composer"), this);
    cmdComposer->setObjectName(QStringLiteral("cmdComposer"));
    cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdOpen, cmdComposer, cmdClose})
        b->hide();
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        cmdCancel->setEnabled(false);
        lblTitle->setText(tr("Cancelling..."));
    });
    connect(cmdOpen, &QPushButton::clicked, this, [this] {
        if (openResult)
            openResult(m_result);
    });
    connect(cmdComposer, &QPushButton::clicked, this, [this] {
        if (backToComposer)
            backToComposer();
        accept();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {cmdOpen, cmdComposer, cmdClose, cmdCancel})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(lblTitle);
    layout->addWidget(lstSteps);
    layout->addWidget(prgStep);
    layout->addWidget(lblResult);
    layout->addWidget(txtLeftOut, 1);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());
}

void frmCompileProgress::stepStarted(CompileStep step, int total)
{
    const QIcon done = style()->standardIcon(QStyle::SP_DialogApplyButton);
    for (int i = 0; i <= m_step && i < lstSteps->count(); ++i)
        lstSteps->item(i)->setIcon(done);
    m_step = int(step);
    QListWidgetItem *item = lstSteps->item(m_step);
    QFont bold = item->font();
    bold.setBold(true);
    for (int i = 0; i < lstSteps->count(); ++i)
        lstSteps->item(i)->setFont(i == m_step ? bold : lstSteps->font());
    item->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    prgStep->setRange(0, std::max(1, total));
    prgStep->setValue(0);
    platform::clock().processEvents();
}

bool frmCompileProgress::partDone(int done)
{
    prgStep->setValue(std::min(done, prgStep->maximum()));
    platform::clock().processEvents();
    return !m_cancelled;
}

CompileResult frmCompileProgress::run(const CompileRequest &request)
{
    show();
    platform::clock().processEvents();
    CompileProgress progress;
    progress.stepStarted = [this](CompileStep step, int total) { stepStarted(step, total); };
    progress.partDone = [this](int done) { return partDone(done); };
    try {
        m_result = compilePlan(request, progress);
    } catch (const QvError &error) {
        m_failed = true;
        showFailure(error.description());
        return {};
    }
    if (m_result.cancelled) {
        lblTitle->setText(tr("The compile was cancelled."));
        return m_result;
    }
    showFinished(m_result);
    return m_result;
}

void frmCompileProgress::showFinished(const CompileResult &result)
{
    stepStarted(CompileStep::Saving, 1);
    lstSteps->item(int(CompileStep::Saving))->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    prgStep->setValue(prgStep->maximum());
    lblTitle->setText(result.leftOut.isEmpty() ? tr("Your plan is compiled.")
                                               : tr("Your plan is compiled, without some of its files."));
    QStringList written;
    for (const QString &path : {result.pdfPath, result.odtPath})
        if (!path.isEmpty())
            written << QDir::toNativeSeparators(path);
    QString text = (result.pages == 0   ? tr("Written to:")
                    : result.pages == 1 ? tr("1 page written to:")
                                        : tr("%1 pages written to:").arg(result.pages))
                   + QLatin1Char('\n') + written.join(QLatin1Char('\n'));
    if (!result.leftOut.isEmpty()) {
        text += QLatin1String("\n\n") + tr("These files could not be read and are left out of the document:");
        txtLeftOut->setPlainText(result.leftOut.join(QLatin1Char('\n')));
        txtLeftOut->show();
    }
    lblResult->setText(text);
    lblResult->show();
    cmdCancel->hide();
    cmdOpen->setVisible(!result.pdfPath.isEmpty());
    cmdComposer->setVisible(bool(backToComposer));
    cmdClose->show();
    cmdOpen->setDefault(true);
}

void frmCompileProgress::showFailure(const QString &message)
{
    lblTitle->setText(tr("The plan could not be compiled."));
    lblResult->setText(message + QLatin1String("\n\n") + tr("No compiled plan was changed."));
    lblResult->show();
    cmdCancel->hide();
    cmdComposer->setVisible(bool(backToComposer));
    cmdClose->show();
}

} // namespace qv::compiler
