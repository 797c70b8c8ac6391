#pragma once

#include <QString>

namespace qv::support
{

// The help files the program names, as pages of its help folder.
inline const QString kMainHelpFile = QStringLiteral("BPlan8.hlp");
inline const QString kAdvisorHelpFile = QStringLiteral("financial advisor.hlp");
inline const QString kProductsHelpFile = QStringLiteral("products.hlp");
// Writing tips for plans, opened by the tips items of the Help menus.
inline const QString kTipsHelpFile = QStringLiteral("tips.hlp");

// The page that stands for a help file: "BPlan8.hlp" (or a full path to
// it, or the bare "BPlan8") is <install>/Help/BPlan8.html, found without
// regard to case. The path is returned even when the page is missing.
QString helpPagePath(const QString &helpFile);

} // namespace qv::support
