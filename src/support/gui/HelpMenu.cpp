#include "support/gui/HelpMenu.h"

#include "resources/ResText.h"
#include "resources/art/Artwork.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"

#include <QMenu>
#include <QMenuBar>

namespace qv::support {

namespace {
constexpr int kProgramIcon = 101;

QAction *item(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}
} // namespace

QMenu *addHelpMenu(QMenuBar *bar, QWidget *owner, const QString &topic)
{
    QMenu *help = bar->addMenu(GetResText(7));
    help->setObjectName(QStringLiteral("mnuHelpTop"));
    QObject::connect(item(help, "mnuHelp_0", GetResText(90) + QStringLiteral("...")), &QAction::triggered, owner,
                     [owner, topic] { OpenHelpFile(owner, kMainHelpFile, topic); });
    QObject::connect(item(help, "mnuHelp_1", GetResText(32)), &QAction::triggered, owner,
                     [owner] { OpenHelpFile(owner, kTipsHelpFile); });
    QObject::connect(item(help, "mnuHelp_2", GetResText(92)), &QAction::triggered, owner, [owner] { ShowProducts(owner); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelp_3"));
    QObject::connect(item(help, "mnuHelp_4", GetResText(91) + QLatin1Char(' ') + GetResText(302) + QStringLiteral("...")),
                     &QAction::triggered, owner, [owner] {
                         frmAboutBox about(owner);
                         about.setPicture(resources::LoadResIcon(kProgramIcon).pixmap(64, 64));
                         about.Display();
                     });
    return help;
}

} // namespace qv::support
