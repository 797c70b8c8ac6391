#include "create/opening/SampleViewer.h"

#include <QHash>

namespace qv::create
{

namespace
{

QHash<QString, SampleViewerMaker> &makers()
{
    static QHash<QString, SampleViewerMaker> registered;
    return registered;
}

// Programmatic ids are not case-sensitive.
QString idKey(const QString &progId)
{
    return progId.toLower();
}

} // namespace

void registerSampleViewer(const QString &progId, SampleViewerMaker maker)
{
    if (maker)
        makers().insert(idKey(progId), std::move(maker));
    else
        makers().remove(idKey(progId));
}

bool isSampleViewerRegistered(const QString &progId)
{
    return makers().contains(idKey(progId));
}

std::unique_ptr<SampleViewer> createSampleViewer(const QString &progId)
{
    const auto found = makers().constFind(idKey(progId));
    if (found == makers().constEnd())
        return nullptr;
    return found.value()();
}

} // namespace qv::create
