#pragma once

// Compiled plans for the viewer's tests: a small PDF written on the spot,
// and the finished sample plans the build makes.

#include "plan/ModEnglish.h"
#include "plan/PlanInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QStringList>

namespace qv::test {

// A PDF of one page per text, each text written near the page's top; a text
// starting with "L:" is on a landscape page. Returns false when it could not
// be written.
inline bool writeTestPdf(const QString &path, const QStringList &pageTexts)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    auto orientationOf = [](const QString &text) {
        return text.startsWith(QLatin1String("L:")) ? QPageLayout::Landscape : QPageLayout::Portrait;
    };
    if (!pageTexts.isEmpty())
        writer.setPageOrientation(orientationOf(pageTexts.first()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (qsizetype i = 0; i < pageTexts.size(); ++i) {
        if (i > 0) {
            writer.setPageOrientation(orientationOf(pageTexts.at(i)));
            writer.newPage();
        }
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
        painter.drawText(QPointF(150, 300), pageTexts.at(i));
    }
    return painter.end();
}

// Every sample plan's path in the built install folder: five kinds for a
// new and an existing business, and five marketing plans.
inline QStringList builtSamplePlans()
{
    QStringList paths;
    for (int type : {plan::BusinessPlan, plan::MarketingPlan})
        for (bool newBusiness : {true, false}) {
            if (type == plan::MarketingPlan && !newBusiness)
                continue;
            for (int kind = 0; kind <= 4; ++kind) {
                plan::PlanInfo info;
                info.setPlanType(type);
                info.setBusinessKind(kind);
                info.setNewBusiness(newBusiness);
                paths << plan::ModEnglish::SamplePlanPath(info, QStringLiteral("cpd"), QStringLiteral(QV_INSTALL_DIR));
            }
        }
    return paths;
}

inline bool templateLibraryBuilt()
{
    return QFileInfo(QStringLiteral(QV_INSTALL_DIR "/Data/ENG")).isDir();
}

} // namespace qv::test
