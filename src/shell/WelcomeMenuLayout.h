#pragma once

// What the welcome menu shows where: its picture buttons with their
// pictures in each state, the description box, and where the background
// goes in a window of a given size. No widgets here, so the rules are
// testable on their own.

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

namespace qv::shell
{

// A button without a picture for a state (the Exit button is never lit and
// has no description).
inline constexpr int kNoPicture = 0;

struct WelcomeButton {
    const char *name; // the control's objectName
    int normal;
    int lit; // under the pointer
    int pressed;
    int description; // the picture the description box shows for it
    QPoint position; // top-left corner in pixels of the background picture
};

// The commands the buttons stand for, in the order of welcomeButtons().
enum class WelcomeCommand { BusinessPlan, Wizard, MarketingPlan, Online, FinancialAdvisor, Help, Exit };

inline constexpr int kWelcomeBackgroundPicture = 5000;
inline constexpr int kWelcomePalettePicture = 5073;
inline constexpr QSize kWelcomeBackgroundSize{1024, 768};
inline constexpr QPoint kDescriptionPicturePosition{422, 304};
inline constexpr QSize kDescriptionPictureSize{197, 132};
inline constexpr QPoint kDescriptionLabelPosition{440, 315};

// The seven buttons, indexed by WelcomeCommand.
const std::array<WelcomeButton, 7> &welcomeButtons();
const WelcomeButton &welcomeButton(WelcomeCommand command);

// The buttons given their normal picture at load, in this order.
const std::array<WelcomeCommand, 6> &welcomeLoadOrder();

// Where the background's top-left corner goes in a window whose inner area
// has the given size: centred, except that a window narrower than 680
// pixels shifts it to -190 and one lower than 480 pixels to -155, so the
// buttons stay in view.
QPoint welcomeBackgroundOrigin(const QSize &innerSize, const QSize &backgroundSize = kWelcomeBackgroundSize);

} // namespace qv::shell
