#include "support/gui/HelpViewer.h"

#include "support/gui/CWindow.h"

#include "platform/Services.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

#include <algorithm>

namespace qv::support
{

void OpenHelpFile(QObject *owner, const QString &helpFile, const QString &topic)
{
    const QString page = helpPagePath(helpFile);
    if (!QFileInfo(page).isFile()) {
        platform::msgBox(
            owner, QStringLiteral("Cannot find the help file ") + QFileInfo(helpFile).fileName() + QStringLiteral("."),
            platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    HelpViewer *viewer = HelpViewer::instance();
    viewer->showPage(page, topic);
    // A help window that comes up opens over the window that asked for it;
    // one already open stays where the user put it.
    if (!viewer->isVisible()) {
        QWidget *over = qobject_cast<QWidget *>(owner);
        if (!over)
            over = QApplication::activeWindow();
        CWindow::Center(viewer, over && over != viewer ? over->window() : nullptr);
        if (const QScreen *screen = viewer->screen()) {
            const QRect free = screen->availableGeometry();
            viewer->move(std::clamp(viewer->x(), free.left(), std::max(free.left(), free.right() - viewer->width())),
                         std::clamp(viewer->y(), free.top(), std::max(free.top(), free.bottom() - viewer->height())));
        }
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

HelpViewer *HelpViewer::instance()
{
    static QPointer<HelpViewer> viewer;
    if (!viewer)
        viewer = new HelpViewer;
    return viewer;
}

HelpViewer::HelpViewer() : m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->document()->setDocumentMargin(18);
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("tlbHelp"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    QAction *forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    QAction *home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Home"));
    back->setObjectName(QStringLiteral("cmdBack"));
    forward->setObjectName(QStringLiteral("cmdForward"));
    home->setObjectName(QStringLiteral("cmdHome"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] {
        if (m_home.isValid())
            m_browser->setSource(m_home);
    });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::updateTitle);

    resize(820, 640);
}

void HelpViewer::showPage(const QString &path, const QString &topic)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    m_home = url;
    if (!topic.isEmpty())
        url.setFragment(topic);
    m_browser->setSource(url);
    // Each help request starts a fresh reading: Back leads within it only.
    m_browser->clearHistory();
}

void HelpViewer::followLink(const QUrl &link)
{
    const QUrl url = m_browser->source().resolved(link);
    if (url.isLocalFile()) {
        // Pages of the help folder link to one another by name; the help
        // folder's spelling on disk may differ in case.
        QUrl page = QUrl::fromLocalFile(helpPagePath(QFileInfo(url.toLocalFile()).completeBaseName()));
        if (!QFileInfo(page.toLocalFile()).isFile())
            page = url;
        page.setFragment(url.fragment());
        m_browser->setSource(page);
    } else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        OpenUrl(this, url.toString());
    }
}

void HelpViewer::updateTitle()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
}

} // namespace qv::support
