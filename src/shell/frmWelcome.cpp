#include "shell/frmWelcome.h"

#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "plan/PlanRules.h"
#include "shell/PlanDeletion.h"
#include "shell/frmParent.h"
#include "support/CWaitCursor.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace qv::shell
{

namespace
{

constexpr int kBusinessPlanType = 0;
constexpr int kMarketingPlanType = 1;
constexpr int kProgramIcon = 101;
const QString kWizardProgram = QStringLiteral("pwiz_mx.exe");
const QString kPlanFilter = plan::anyPlanFileFilter();

QPointer<frmWelcome> g_welcome;
std::function<void()> g_openingDialogDisplay;

// The palette picture is a sheet of 4 by 2 colour swatches; each colour
// role of the window takes the colour at the centre of its swatch.
enum Swatch { Midnight, Harbour, Steel, Teal, Mint, Amber, Paper, Mist, SwatchCount };
constexpr int kSwatchColumns = 4;
constexpr int kSwatchRows = 2;

QColor swatchColour(const QImage &sheet, Swatch swatch)
{
    const int column = swatch % kSwatchColumns;
    const int row = swatch / kSwatchColumns;
    const int width = sheet.width() / kSwatchColumns;
    const int height = sheet.height() / kSwatchRows;
    return sheet.pixelColor(column * width + width / 2, row * height + height / 2);
}

// Dark: the window, its panel and menu bar. Light: the drop-down menus.
QPalette paletteFromSheet(const QImage &sheet, bool light)
{
    auto c = [&sheet](Swatch s) { return swatchColour(sheet, s); };
    QPalette palette;
    const QColor ground = light ? c(Paper) : c(Midnight);
    const QColor ink = light ? c(Midnight) : c(Paper);
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, ink);
    palette.setColor(QPalette::Base, light ? c(Paper) : c(Harbour));
    palette.setColor(QPalette::AlternateBase, light ? c(Mist) : c(Midnight));
    palette.setColor(QPalette::Text, ink);
    palette.setColor(QPalette::Button, light ? c(Mist) : c(Harbour));
    palette.setColor(QPalette::ButtonText, ink);
    palette.setColor(QPalette::Highlight, c(Teal));
    palette.setColor(QPalette::HighlightedText, c(Paper));
    palette.setColor(QPalette::Light, light ? QColor(Qt::white) : c(Steel));
    palette.setColor(QPalette::Midlight, light ? c(Mist) : c(Steel));
    palette.setColor(QPalette::Mid, c(Steel));
    palette.setColor(QPalette::Dark, light ? c(Steel) : c(Midnight));
    palette.setColor(QPalette::Shadow, c(Midnight));
    palette.setColor(QPalette::Link, light ? c(Teal) : c(Mint));
    palette.setColor(QPalette::BrightText, c(Amber));
    palette.setColor(QPalette::ToolTipBase, c(Paper));
    palette.setColor(QPalette::ToolTipText, c(Midnight));
    palette.setColor(QPalette::PlaceholderText, c(Steel));
    palette.setColor(QPalette::Disabled, QPalette::Text, c(Steel));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, c(Steel));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, c(Steel));
    return palette;
}

QString withoutFolder(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

frmWelcome *frmWelcome::loaded()
{
    return g_welcome.data();
}

void frmWelcome::Display()
{
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    if (g_welcome) {
        g_welcome->show();
        return;
    }
    g_welcome = new frmWelcome;
    g_welcome->load();
    frmParent::load().hostChild(g_welcome);
}

void frmWelcome::setOpeningDialogDisplay(std::function<void()> display)
{
    g_openingDialogDisplay = std::move(display);
}

frmWelcome::frmWelcome()
    : SSPanel1(new QLabel(this)), picBackground(new QLabel(SSPanel1)), picDescription(new QLabel(picBackground)),
      lblDescription(new QLabel(picBackground)), m_menuBar(new QMenuBar(this))
{
    setObjectName(QStringLiteral("frmWelcome"));
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    picBackground->setObjectName(QStringLiteral("picBackground"));
    picDescription->setObjectName(QStringLiteral("picDescription"));
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    m_menuBar->setObjectName(QStringLiteral("mnuBar"));

    // The panel fills the window below the menu bar; the background keeps
    // its size and is placed on the panel by the resize rules.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(SSPanel1);
    SSPanel1->setAutoFillBackground(true);
    SSPanel1->setAlignment(Qt::AlignCenter);
    SSPanel1->setMinimumSize(1, 1);
    SSPanel1->installEventFilter(this);

    picBackground->setFixedSize(kWelcomeBackgroundSize);
    picBackground->setMouseTracking(true);
    picBackground->installEventFilter(this);
    for (const WelcomeButton &button : welcomeButtons()) {
        auto *box = new QLabel(picBackground);
        box->setObjectName(QString::fromLatin1(button.name));
        box->setMouseTracking(true);
        box->setCursor(Qt::PointingHandCursor);
        box->installEventFilter(this);
        m_buttons.append(box);
    }
    // The description box sits in front of its neighbours' margins, and
    // the pointer over it or its label changes nothing.
    for (QLabel *box : {picDescription, lblDescription}) {
        box->setMouseTracking(true);
        box->installEventFilter(this);
        box->raise();
    }
    picDescription->setFixedSize(kDescriptionPictureSize);
    lblDescription->clear();

    buildMenus();
}

void frmWelcome::buildMenus()
{
    auto action = [this](QMenu *menu, const QString &name) {
        auto *item = new QAction(this);
        item->setObjectName(name);
        menu->addAction(item);
        return item;
    };
    auto separator = [&action](QMenu *menu, const QString &name) { action(menu, name)->setSeparator(true); };
    auto menu = [this](int index) {
        auto *m = new QMenu(this);
        m->setObjectName(QStringLiteral("mnuMain_%1").arg(index));
        m_menuBar->addMenu(m);
        return m;
    };

    QMenu *file = menu(0);
    connect(action(file, QStringLiteral("mnuFile_0")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::BusinessPlan); });
    connect(action(file, QStringLiteral("mnuFile_1")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::Wizard); });
    connect(action(file, QStringLiteral("mnuFile_2")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::MarketingPlan); });
    separator(file, QStringLiteral("mnuFile_3"));
    connect(action(file, QStringLiteral("mnuFile_4")), &QAction::triggered, this, &frmWelcome::DeletePlan);
    separator(file, QStringLiteral("mnuFile_5"));
    connect(action(file, QStringLiteral("mnuFile_6")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::Exit); });

    QMenu *tools = menu(1);
    connect(action(tools, QStringLiteral("mnuTools_0")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::FinancialAdvisor); });
    connect(action(tools, QStringLiteral("mnuTools_1")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::Online); });

    // Help Topics is the Help menu's only item until the window loads.
    QMenu *help = menu(2);
    connect(action(help, QStringLiteral("mnuHelp_0")), &QAction::triggered, this,
            [this] { menuCommand(WelcomeCommand::Help); });
}

void frmWelcome::load()
{
    picBackground->setPixmap(resources::LoadResPicture(kWelcomeBackgroundPicture));
    const WelcomeButton &exit = welcomeButton(WelcomeCommand::Exit);
    QLabel *exitBox = buttonBox(WelcomeCommand::Exit);
    showPicture(exitBox, exit.normal);
    for (WelcomeCommand command : welcomeLoadOrder())
        LoadImage(buttonBox(command), welcomeButton(command).normal);
    // Until the pointer rests on a button the centre shows the welcome.
    picDescription->hide();
    SetPicturePosition();
    applyPalette();

    // The rest of the Help menu is made now, before the captions are set.
    QMenu *help = findChild<QMenu *>(QStringLiteral("mnuMain_2"));
    for (int index = 1; index <= 4; ++index) {
        auto *item = new QAction(this);
        item->setObjectName(QStringLiteral("mnuHelp_%1").arg(index));
        help->addAction(item);
    }
    connect(findChild<QAction *>(QStringLiteral("mnuHelp_1")), &QAction::triggered, this,
            [this] { support::OpenHelpFile(this, support::kTipsHelpFile); });
    findChild<QAction *>(QStringLiteral("mnuHelp_3"))->setSeparator(true);
    connect(findChild<QAction *>(QStringLiteral("mnuHelp_2")), &QAction::triggered, this,
            [this] { support::OpenHelpFile(this, support::kProductsHelpFile); });
    connect(findChild<QAction *>(QStringLiteral("mnuHelp_4")), &QAction::triggered, this, &frmWelcome::showAbout);

    loadCaptions();
}

void frmWelcome::loadCaptions()
{
    support::CaptionLoader captions(this, objectName());
    auto set = [this, &captions](const char *name, int number, const QString &suffix = QString()) {
        captions.set(findChild<QObject *>(QString::fromLatin1(name)), number, suffix);
    };
    setWindowTitle(captions.text(311).trimmed());
    for (auto [name, number] : {std::pair{"mnuMain_0", 4}, {"mnuMain_1", 73}, {"mnuMain_2", 7}})
        findChild<QMenu *>(QString::fromLatin1(name))->setTitle(captions.text(number));
    set("mnuFile_0", 25);
    set("mnuFile_1", 28);
    set("mnuFile_2", 304);
    set("mnuFile_4", 97);
    set("mnuFile_6", 27);
    set("mnuTools_0", 75);
    set("mnuTools_1", 34);
    set("mnuHelp_0", 90, QStringLiteral("..."));
    set("mnuHelp_1", 32);
    set("mnuHelp_2", 92, QStringLiteral("..."));
    set("mnuHelp_4", 91, QLatin1Char(' ') + platform::applicationTitle() + QStringLiteral("..."));
}

void frmWelcome::applyPalette()
{
    const QImage sheet = resources::LoadResPicture(kWelcomePalettePicture).toImage();
    setPalette(paletteFromSheet(sheet, false));
    const QPalette menus = paletteFromSheet(sheet, true);
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setPalette(menus);
    m_paletteMode = PaletteMode::Custom;
}

QLabel *frmWelcome::buttonBox(WelcomeCommand command) const
{
    return m_buttons.at(static_cast<qsizetype>(command));
}

const WelcomeButton *frmWelcome::buttonFor(const QObject *box) const
{
    const qsizetype index = m_buttons.indexOf(box);
    return index < 0 ? nullptr : &welcomeButtons()[static_cast<size_t>(index)];
}

void frmWelcome::showPicture(QLabel *box, int picture)
{
    // Each picture is rendered once; the pointer changes them often.
    auto cached = m_rendered.constFind(picture);
    if (cached == m_rendered.constEnd())
        cached = m_rendered.insert(picture, resources::LoadResPicture(picture));
    box->setPixmap(*cached);
    m_pictures.insert(box, picture);
}

void frmWelcome::LoadImage(QLabel *box, int picture)
{
    showPicture(box, picture);
    box->resize(box->pixmap().size());
    if (const WelcomeButton *button = buttonFor(box); button && button->description != kNoPicture)
        showPicture(picDescription, button->description);
    picDescription->show();
}

void frmWelcome::ResetImage()
{
    if (m_lit.isEmpty())
        return;
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons.at(i)->objectName() != m_lit)
            continue;
        showPicture(m_buttons.at(i), welcomeButtons()[static_cast<size_t>(i)].normal);
    }
    m_lit.clear();
    lblDescription->clear();
    picDescription->hide();
}

void frmWelcome::SetPicturePosition()
{
    // The positions are pixels of the background picture, which is shown at
    // its own size, so they apply as they are.
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        QLabel *box = m_buttons.at(i);
        box->move(welcomeButtons()[static_cast<size_t>(i)].position);
        box->resize(box->pixmap().size());
    }
    lblDescription->move(kDescriptionLabelPosition);
    picDescription->move(kDescriptionPicturePosition);
}

void frmWelcome::placeBackground()
{
    // A minimised window has no inner area to lay out.
    if (SSPanel1->width() <= 0 || SSPanel1->height() <= 0)
        return;
    picBackground->move(welcomeBackgroundOrigin(SSPanel1->size(), picBackground->size()));
}

void frmWelcome::pointerOver(const WelcomeButton &button, QLabel *box)
{
    if (button.lit == kNoPicture) { // Exit is never lit
        ResetImage();
        return;
    }
    if (m_lit == box->objectName())
        return;
    ResetImage();
    LoadImage(box, button.lit);
    m_lit = box->objectName();
}

void frmWelcome::mouseDown(const WelcomeButton &button, QLabel *box)
{
    if (button.lit == kNoPicture) {
        showPicture(box, button.pressed);
        return;
    }
    LoadImage(box, button.pressed);
}

void frmWelcome::mouseUp(const WelcomeButton &button, QLabel *box)
{
    if (button.lit == kNoPicture) {
        // Exit has no lit picture: a release off the button must not leave
        // it looking pressed.
        showPicture(box, button.normal);
        return;
    }
    LoadImage(box, button.lit);
}

bool frmWelcome::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SSPanel1) {
        if (event->type() == QEvent::Resize)
            placeBackground();
        return false;
    }
    if (watched == picDescription || watched == lblDescription)
        return event->type() == QEvent::MouseMove;

    const WelcomeButton *button = buttonFor(watched);
    auto *box = qobject_cast<QLabel *>(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!button)
            ResetImage(); // the background
        else if (!m_pressed)
            pointerOver(*button, box);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!button)
            return false;
        // The second press of a double click shows the button pressed but
        // does not click it again.
        m_pressed = event->type() == QEvent::MouseButtonPress ? box : nullptr;
        mouseDown(*button, box);
        return true;
    case QEvent::MouseButtonRelease: {
        if (!button)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = m_pressed == box && mouse->button() == Qt::LeftButton && box->rect().contains(mouse->pos());
        m_pressed = nullptr;
        mouseUp(*button, box);
        if (click)
            runCommand(static_cast<WelcomeCommand>(m_buttons.indexOf(box)));
        return true;
    }
    default: return false;
    }
}

bool frmWelcome::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        SSPanel1->clear();
    return QWidget::event(event);
}

void frmWelcome::menuCommand(WelcomeCommand command)
{
    QLabel *box = buttonBox(command);
    const WelcomeButton &button = welcomeButton(command);
    // Help and the Tools commands light their button while they run.
    const bool lights = command == WelcomeCommand::Help || command == WelcomeCommand::Online ||
                        command == WelcomeCommand::FinancialAdvisor;
    if (lights)
        pointerOver(button, box);
    mouseDown(button, box);
    QPointer<frmWelcome> self(this);
    runCommand(command);
    if (!self || isHidden())
        return;
    if (lights) {
        ResetImage();
        return;
    }
    // A command that left the menu in place (the wizard would not start)
    // shows its button as it was before.
    const bool wasLit = m_lit == box->objectName();
    showPicture(box, wasLit ? button.lit : button.normal);
    if (m_lit.isEmpty())
        picDescription->hide();
}

void frmWelcome::runCommand(WelcomeCommand command)
{
    switch (command) {
    case WelcomeCommand::BusinessPlan: choosePlanType(kBusinessPlanType); break;
    case WelcomeCommand::MarketingPlan: choosePlanType(kMarketingPlanType); break;
    case WelcomeCommand::Wizard: startWizard(); break;
    case WelcomeCommand::Online: support::OpenMainWebSite(this); break;
    case WelcomeCommand::FinancialAdvisor: support::OpenHelpFile(this, support::kAdvisorHelpFile); break;
    case WelcomeCommand::Help: support::OpenHelpFile(this, support::kMainHelpFile); break;
    case WelcomeCommand::Exit: frmParent::Unload(); break;
    }
}

void frmWelcome::choosePlanType(int planType)
{
    ensureCurrentPlan().planInfo().setPlanType(planType);
    hide();
    if (g_openingDialogDisplay)
        g_openingDialogDisplay();
    else
        frmParent::load().showStatus(QStringLiteral("The opening dialog is not part of this build."));
    close();
}

void frmWelcome::startWizard()
{
    // A wizard that cannot start has been reported; the menu stays so the
    // user is not left without a window.
    // Cancelled, the wizard brings the user back to this menu.
    if (support::RunProgram(platform::joinPath(platform::Folders::installFolder(), kWizardProgram),
                            {QStringLiteral("--from-menu")}))
        frmParent::Unload();
}

void frmWelcome::showAbout()
{
    support::frmAboutBox about(this);
    about.setPicture(resources::LoadResIcon(kProgramIcon).pixmap(64, 64));
    about.Display();
}

void frmWelcome::DeletePlan()
{
    platform::FileRequest request;
    request.title = support::CaptionLoader(this, objectName(), QStringLiteral("DeletePlan")).text(97);
    request.folder = platform::Folders::myPlansFolder();
    request.filter = kPlanFilter;
    request.overwritePrompt = false;
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, request);
    if (!chosen || chosen->isEmpty())
        return; // cancelled

    const QString title = withoutFolder(*chosen);
    if (planFolderFor(*chosen).isEmpty()) {
        platform::msgBox(this, planDeletionProblemText({PlanDeletion::Outcome::NotAPlanDocument, {}, {}}, title),
                         platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    QString question = support::CaptionLoader(this, objectName(), QStringLiteral("DeletePlan")).text(616);
    question.replace(QStringLiteral("<FileName>"), u'"' + title + u'"');
    if (platform::msgBox(this, question, platform::Buttons::YesNo, platform::Icon::Question) != platform::Answer::Yes)
        return;

    PlanDeletion deletion;
    {
        support::CWaitCursor wait(support::MousePointer::Hourglass);
        deletion = deletePlan(*chosen);
    }
    const QString problem = planDeletionProblemText(deletion, title);
    if (!problem.isEmpty())
        platform::msgBox(this, problem, platform::Buttons::Ok, platform::Icon::Exclamation);
}

} // namespace qv::shell
