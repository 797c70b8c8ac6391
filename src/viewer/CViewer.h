#pragma once

// The compiled-plan viewer object, "projViewer.CViewer": it takes a compiled
// plan and the way it is to be shown, and Show starts the viewer program on
// it. The viewer is a program of its own, so its window stays usable while
// the caller's modal dialogs are open, and stays open after the caller ends.

#include "create/opening/SampleViewer.h"
#include "viewer/ViewerCommandLine.h"

namespace qv::viewer {

class CViewer final : public create::SampleViewer
{
public:
    void LoadPlan(const QString &path) override { m_request.file = path; }
    void setDoReturn(bool doReturn) override { m_request.doReturn = doReturn; }
    void setTypefield(const QString &planTypeName) override { m_request.typefield = planTypeName; }
    void setSample(bool sample) override { m_request.sample = sample; }
    // Starts the viewer program; a viewer that is gone or does not start is
    // reported.
    void Show() override;

    bool DoReturn() const { return m_request.doReturn; }
    const QString &typefield() const { return m_request.typefield; }
    bool Sample() const { return m_request.sample; }
    const ViewerRequest &request() const { return m_request; }

private:
    ViewerRequest m_request;
};

// The viewer program of this installation ("viewer" in the install folder),
// or empty text when it is not installed.
QString viewerProgram();

// Makes "projViewer.CViewer" creatable when the viewer program is installed;
// returns whether it did.
bool registerInstalledViewer();

} // namespace qv::viewer
