#pragma once

// The plan's profile: the wizard's counts and dates that shape its tables,
// the currency, and the financial analysis a template may offer.

#include <QDate>
#include <QString>

#include <array>

namespace qv::plan {

class Profile
{
public:
    // Number of projected years shown in the projection tables.
    int projectedYears() const { return m_projectedYears; }
    void setProjectedYears(int years) { m_projectedYears = years; }

    int productCount() const { return m_productCount; }
    void setProductCount(int count) { m_productCount = count; }

    int advertisingMediaCount() const { return m_advertisingMediaCount; }
    void setAdvertisingMediaCount(int count) { m_advertisingMediaCount = count; }

    int segmentCount() const { return m_segmentCount; }
    void setSegmentCount(int count) { m_segmentCount = count; }

    int marketCount() const { return m_marketCount; }
    void setMarketCount(int count) { m_marketCount = count; }

    // The four further counts of a marketing plan's wizard, 1 to 4; other
    // numbers read 0 and are not stored.
    static constexpr int kMarketingCounts = 4;
    int marketingCount(int which) const { return inRange(which) ? m_marketingCounts[which - 1] : 0; }
    void setMarketingCount(int which, int count)
    {
        if (inRange(which))
            m_marketingCounts[which - 1] = count;
    }

    // January 1 of the business's first year; null when not yet answered.
    const QDate &firstYearDate() const { return m_firstYearDate; }
    void setFirstYearDate(const QDate &date) { m_firstYearDate = date; }

    // 1 to 12: the starting month of a new business, the fiscal-year-end
    // month of an existing one or of a marketing plan; 0 when not answered.
    int month() const { return m_month; }
    void setMonth(int month) { m_month = month; }

    // The choice of the profile dialog's currency options.
    int currencyType() const { return m_currencyType; }
    void setCurrencyType(int type) { m_currencyType = type; }

    // Whether the plan offers the financial analysis window, the caption of
    // its menu item, the workbook it shows (a file of the plan folder) and
    // the key of its example and instructions in the template library.
    bool analysis() const { return m_analysis; }
    void setAnalysis(bool offered) { m_analysis = offered; }
    const QString &analysisTitle() const { return m_analysisTitle; }
    void setAnalysisTitle(const QString &title) { m_analysisTitle = title; }
    // Both are parts of file names: they never hold a folder separator
    // (raises error 5).
    const QString &analysisFileName() const { return m_analysisFileName; }
    void setAnalysisFileName(const QString &name);
    const QString &exampleKey() const { return m_exampleKey; }
    void setExampleKey(const QString &key);

    bool operator==(const Profile &) const = default;

private:
    static bool inRange(int which) { return which >= 1 && which <= kMarketingCounts; }

    int m_projectedYears = 0;
    int m_productCount = 0;
    int m_advertisingMediaCount = 0;
    int m_segmentCount = 0;
    int m_marketCount = 0;
    std::array<int, kMarketingCounts> m_marketingCounts{};
    QDate m_firstYearDate;
    int m_month = 0;
    int m_currencyType = 0;
    bool m_analysis = false;
    QString m_analysisTitle;
    QString m_analysisFileName;
    QString m_exampleKey;
};

} // namespace qv::plan
