// Saves a picture of every page of the three wizards into a folder, for
// looking at them: wizard_screenshots OUTPUT_FOLDER

#include "WizardDriver.h"

#include "create/wizard/QuestionList.h"
#include "platform/Application.h"
#include "platform/gui/DesktopServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace qv::wizard;

namespace {
void walk(WizardKind kind, const QString &name, const QString &folder)
{
    PlanWizard wizard(kind, QuestionList::load(QStringLiteral(QV_TEST_DATA_DIR "/wizard-questions.txt")));
    wizard.show();
    qv::test::WizardDriver d(wizard);
    for (int page = 0; page < 20; ++page) {
        const QString pageName = d.pageName();
        if (pageName == QStringLiteral("pageKind"))
            d.click(QStringLiteral("optKind_3"));
        if (pageName == QStringLiteral("pageBusinessName"))
            d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Harbor Street Bakery"));
        if (pageName == QStringLiteral("pageFigures_0"))
            d.type(QStringLiteral("txtFigure_1"), QStringLiteral("12,500x"));
        if (pageName == QStringLiteral("pageSubmission")) {
            d.type(QStringLiteral("txtSubmittedTo"), QStringLiteral("First County Bank"));
            d.type(QStringLiteral("txtSubmitterName"), QStringLiteral("Ann Baker"));
        }
        QApplication::processEvents();
        wizard.grab().save(QDir(folder).filePath(QStringLiteral("%1-%2-%3.png").arg(name).arg(page, 2, 10, QLatin1Char('0')).arg(pageName)));
        if (pageName == QStringLiteral("pageFigures_0"))
            d.type(QStringLiteral("txtFigure_1"), QStringLiteral("12,500"));
        if (!d.next())
            break;
    }
}
// The question before an existing plan is replaced, over the wizard's file
// page, as the desktop shows it.
void replaceQuestion(const QString &folder)
{
    QTemporaryDir plans;
    const QString document = plans.filePath(QStringLiteral("Rosie's Corner Bakery.bpl"));
    QFile old(document);
    old.open(QIODevice::WriteOnly);
    old.close();
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    qv::test::WizardDriver d(wizard);
    d.next();
    d.click(QStringLiteral("optKind_3"));
    d.next();
    d.next();
    d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Rosie's Corner Bakery"));
    d.next();
    d.type(QStringLiteral("txtDocumentPath"), document);
    QApplication::processEvents();
    QTimer::singleShot(300, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        QImage picture = wizard.grab().toImage();
        const QPixmap question = box->grab();
        // The box as a window manager frames it: a title bar and a border.
        const int titleHeight = 26;
        const QRect frame((picture.width() - question.width()) / 2 - 1,
                          (picture.height() - question.height() - titleHeight) / 2 - 1, question.width() + 2,
                          question.height() + titleHeight + 2);
        QPainter painter(&picture);
        painter.fillRect(frame, QColor(0x3b, 0x4a, 0x5e));
        painter.setPen(Qt::white);
        painter.drawText(frame.adjusted(10, 0, 0, 0).topLeft() + QPoint(0, 18), box->windowTitle());
        painter.drawPixmap(frame.left() + 1, frame.top() + 1 + titleHeight, question);
        painter.end();
        picture.save(QDir(folder).filePath(QStringLiteral("wizard-replace-question.png")));
        box->close();
    });
    d.next();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    qv::platform::setApplicationTitle(QStringLiteral("Quorvex 8.0"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    walk(WizardKind::Business, QStringLiteral("pwiz_mi"), folder);
    walk(WizardKind::BusinessWithFigures, QStringLiteral("pwiz_mx"), folder);
    walk(WizardKind::Marketing, QStringLiteral("pwiz_mp"), folder);
    qv::platform::installDesktopServices();
    replaceQuestion(folder);
    return 0;
}
