#pragma once

// The compiled-plan viewer that shows a finished sample plan (".cpd"). It is
// created by its programmatic id, "projViewer.CViewer", through a small
// in-process factory: the viewer registers itself when it is part of the
// build, and where it is not, creating it gives nothing.

#include <QString>

#include <functional>
#include <memory>

namespace qv::create
{

inline const QString kSampleViewerProgId = QStringLiteral("projViewer.CViewer");

class SampleViewer
{
public:
    virtual ~SampleViewer() = default;
    virtual void LoadPlan(const QString &path) = 0;
    // False: the viewer does not hand control back to a caller when closed.
    virtual void setDoReturn(bool doReturn) = 0;
    // "Business Plan" or "Marketing Plan".
    virtual void setTypefield(const QString &planTypeName) = 0;
    virtual void setSample(bool sample) = 0;
    // Shows the plan in a window of the viewer's own, which stays open after
    // this object is released.
    virtual void Show() = 0;
};

using SampleViewerMaker = std::function<std::unique_ptr<SampleViewer>()>;

// Makes the programmatic id creatable; an empty maker removes it.
void registerSampleViewer(const QString &progId, SampleViewerMaker maker);
// True when an object of the id can be created.
bool isSampleViewerRegistered(const QString &progId);
// A new object of the id, or nullptr when the id is not registered.
std::unique_ptr<SampleViewer> createSampleViewer(const QString &progId);

} // namespace qv::create
