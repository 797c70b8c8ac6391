#include "shell/WelcomeMenuLayout.h"

namespace qv::shell
{

namespace
{

constexpr int kNarrowWindowWidth = 680;
constexpr int kNarrowWindowLeft = -190;
constexpr int kLowWindowHeight = 480;
constexpr int kLowWindowTop = -155;

} // namespace

const std::array<WelcomeButton, 7> &welcomeButtons()
{
    static const std::array<WelcomeButton, 7> buttons{{
        {"picBPlan", 5001, 5002, 5003, 5076, {283, 169}},
        {"picWizard", 5010, 5011, 5012, 5074, {199, 298}},
        {"picMarket", 5052, 5053, 5054, 5077, {313, 432}},
        {"picOnline", 5007, 5008, 5009, 5075, {580, 192}},
        {"picFinAdv", 5055, 5056, 5057, 5078, {659, 314}},
        {"picHelp", 5004, 5005, 5006, 5079, {559, 454}},
        {"picExit", 5050, kNoPicture, 5051, kNoPicture, {723, 543}},
    }};
    return buttons;
}

const WelcomeButton &welcomeButton(WelcomeCommand command)
{
    return welcomeButtons()[static_cast<size_t>(command)];
}

const std::array<WelcomeCommand, 6> &welcomeLoadOrder()
{
    static const std::array<WelcomeCommand, 6> order{WelcomeCommand::BusinessPlan,  WelcomeCommand::Help,
                                                     WelcomeCommand::Online,        WelcomeCommand::Wizard,
                                                     WelcomeCommand::MarketingPlan, WelcomeCommand::FinancialAdvisor};
    return order;
}

QPoint welcomeBackgroundOrigin(const QSize &innerSize, const QSize &backgroundSize)
{
    const int left =
        innerSize.width() < kNarrowWindowWidth ? kNarrowWindowLeft : (innerSize.width() - backgroundSize.width()) / 2;
    const int top =
        innerSize.height() < kLowWindowHeight ? kLowWindowTop : (innerSize.height() - backgroundSize.height()) / 2;
    return {left, top};
}

} // namespace qv::shell
