#include "support/ErrorReports.h"

#include "platform/Error.h"
#include "platform/Result.h"
#include "platform/Services.h"

namespace qv::support
{

using platform::Buttons;
using platform::Icon;

QString operationReportText(long number, const QString &description, const QString &activity)
{
    return QStringLiteral("Error: ") + description + QStringLiteral(" (") + QString::number(number) +
           QStringLiteral(")") + kReportLineBreak + activity;
}

void reportOperationError(QObject *owner, long number, const QString &description, const QString &activity)
{
    platform::msgBox(owner, operationReportText(number, description, activity), Buttons::Ok, Icon::None);
}

void reportOperationError(QObject *owner, const QvError &error, const QString &activity)
{
    reportOperationError(owner, error.number(), error.description(), activity);
}

void reportOperationError(QObject *owner, const Failure &failure)
{
    if (!failure.isCancelled())
        reportOperationError(owner, failure.number, failure.description, failure.activity);
}

QString captionReportText(const QString &window, const QString &description, const QString &procedure)
{
    return window + QLatin1Char(':') + procedure + kReportLineBreak + description;
}

void reportCaptionError(QObject *owner, const QString &window, const QString &description, const QString &procedure)
{
    platform::msgBox(owner, captionReportText(window, description, procedure), Buttons::Ok, Icon::Critical);
}

void reportCaptionError(QObject *owner, const QString &window, const QvError &error, const QString &procedure)
{
    reportCaptionError(owner, window, error.description(), procedure);
}

QString fileLoadReportText(const QString &path)
{
    return QStringLiteral("Error loading file:") + kReportLineBreak + path;
}

void reportFileLoadError(QObject *owner, const QString &path)
{
    platform::msgBox(owner, fileLoadReportText(path), Buttons::Ok, Icon::Information);
}

} // namespace qv::support
