#include "plan/Profile.h"

#include "plan/FileNames.h"

namespace qv::plan {

void Profile::setAnalysisFileName(const QString &name)
{
    requirePlainOrEmpty(name, "Profile.AnalysisFileName");
    m_analysisFileName = name;
}

void Profile::setExampleKey(const QString &key)
{
    requirePlainOrEmpty(key, "Profile.ExampleKey");
    m_exampleKey = key;
}

} // namespace qv::plan
