#pragma once

// The plan document model. This first cut holds what start-up needs (the
// current plan, its initialisation and its PlanInfo); the plan library
// completes it.

#include <QString>

namespace qv::plan {

class PlanInfo
{
public:
    int planType() const { return m_planType; }
    void setPlanType(int type) { m_planType = type; }
    int businessKind() const { return m_businessKind; }
    void setBusinessKind(int kind) { m_businessKind = kind; }
    bool newBusiness() const { return m_newBusiness; }
    void setNewBusiness(bool isNew) { m_newBusiness = isNew; }

private:
    int m_planType = 0;
    int m_businessKind = 0;
    bool m_newBusiness = true;
};

class Plan
{
public:
    // Tells the library the letters of the two plan types ("B", "M").
    void Initialise(const QString &businessLetter, const QString &marketingLetter)
    {
        m_businessLetter = businessLetter;
        m_marketingLetter = marketingLetter;
    }

    PlanInfo &planInfo() { return m_info; }
    const PlanInfo &planInfo() const { return m_info; }
    void setPlanInfo(const PlanInfo &info) { m_info = info; }

private:
    QString m_businessLetter;
    QString m_marketingLetter;
    PlanInfo m_info;
};

} // namespace qv::plan
