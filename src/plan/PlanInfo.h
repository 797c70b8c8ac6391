#pragma once

// What kind of plan a plan is: its type, the business kind and stage that
// choose its templates, and the business's name.

#include <QString>

namespace qv::plan {

// Plan types as stored in PlanInfo::planType. Paths treat any value other
// than BusinessPlan as a marketing plan.
enum PlanType : int { BusinessPlan = 0, MarketingPlan = 1 };

// Business kinds as stored in PlanInfo::businessKind.
enum BusinessKind : int { Service = 0, Manufacturing = 1, Wholesale = 2, Retail = 3, Custom = 4 };

class PlanInfo
{
public:
    int planType() const { return m_planType; }
    void setPlanType(int type) { m_planType = type; }
    bool isBusinessPlan() const { return m_planType == BusinessPlan; }

    int businessKind() const { return m_businessKind; }
    void setBusinessKind(int kind) { m_businessKind = kind; }

    // True for a business being started (the "New" templates), false for an
    // existing one ("Exist").
    bool newBusiness() const { return m_newBusiness; }
    void setNewBusiness(bool isNew) { m_newBusiness = isNew; }

    // The wizard's "[FIELD1.5]" answer, written into the tables' title cells.
    const QString &businessName() const { return m_businessName; }
    void setBusinessName(const QString &name) { m_businessName = name; }

    bool operator==(const PlanInfo &) const = default;

private:
    int m_planType = BusinessPlan;
    int m_businessKind = Service;
    bool m_newBusiness = true;
    QString m_businessName;
};

} // namespace qv::plan
