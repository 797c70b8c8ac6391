#include "shell/frmParent.h"

#include "platform/Application.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace qv::shell
{

namespace
{

constexpr int kProgramIcon = 101;

QPointer<frmParent> g_frame;
std::function<void()> g_welcomeMenuDisplay;

// The frame's empty state: the product on the house backdrop.
class FrameBackdrop : public QWidget
{
public:
    explicit FrameBackdrop(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("picBackdrop"));
        auto *layout = new QVBoxLayout(this);
        layout->setSpacing(10);
        layout->addStretch(3);

        auto *mark = new QLabel(this);
        mark->setObjectName(QStringLiteral("picProductMark"));
        mark->setPixmap(resources::LoadResIcon(kProgramIcon).pixmap(112, 112));
        mark->setAlignment(Qt::AlignCenter);
        layout->addWidget(mark);

        auto *name = new QLabel(platform::applicationTitle(), this);
        name->setObjectName(QStringLiteral("lblProductName"));
        name->setAlignment(Qt::AlignCenter);
        name->setStyleSheet(QStringLiteral("color: #FFFFFF; font-size: 30pt; font-weight: bold;"));
        layout->addWidget(name);

        auto *tagline = new QLabel(QStringLiteral("Business and marketing plans, written with confidence."), this);
        tagline->setObjectName(QStringLiteral("lblTagline"));
        tagline->setAlignment(Qt::AlignCenter);
        tagline->setStyleSheet(QStringLiteral("color: #E3EBF5; font-size: 12pt;"));
        layout->addWidget(tagline);

        status = new QLabel(this);
        status->setObjectName(QStringLiteral("lblFrameStatus"));
        status->setAlignment(Qt::AlignCenter);
        status->setWordWrap(true);
        status->setStyleSheet(QStringLiteral("color: #F4A93B; font-size: 10pt; padding-top: 18px;"));
        status->hide();
        layout->addWidget(status);

        layout->addStretch(4);
        auto *maker = new QLabel(QStringLiteral("CORVANE"), this);
        maker->setObjectName(QStringLiteral("lblMaker"));
        maker->setAlignment(Qt::AlignCenter);
        maker->setStyleSheet(QStringLiteral("color: #8FA6C4; font-size: 9pt; font-weight: bold; letter-spacing: 3px;"));
        layout->addWidget(maker);
    }

    QLabel *status = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient ground(rect().topLeft(), rect().bottomRight());
        ground.setColorAt(0.0, QColor(0x1B, 0x3A, 0x66));
        ground.setColorAt(0.55, QColor(0x12, 0x29, 0x4C));
        ground.setColorAt(1.0, QColor(0x0A, 0x1A, 0x33));
        painter.fillRect(rect(), ground);

        // A faint grid keeps the large surface from looking empty.
        painter.setPen(QColor(255, 255, 255, 12));
        const int step = 48;
        for (int x = step; x < width(); x += step)
            painter.drawLine(x, 0, x, height());
        for (int y = step; y < height(); y += step)
            painter.drawLine(0, y, width(), y);
    }
};

bool hasFixedSize(const QWidget *child)
{
    return child->minimumSize() == child->maximumSize();
}

} // namespace

frmParent *frmParent::loaded()
{
    return g_frame.data();
}

frmParent &frmParent::load()
{
    if (g_frame)
        return *g_frame;
    g_frame = new frmParent;
    // Load: caption, position, icon, shown; then the plan it works for.
    g_frame->setWindowTitle(platform::applicationTitle());
    RestoreWindowPosition(g_frame);
    g_frame->setWindowIcon(resources::LoadResIcon(kProgramIcon));
    g_frame->show();
    ensureCurrentPlan();
    return *g_frame;
}

void frmParent::Display()
{
    load();
    if (g_welcomeMenuDisplay)
        g_welcomeMenuDisplay();
}

void frmParent::Unload()
{
    if (g_frame)
        g_frame->close();
}

void frmParent::setWelcomeMenuDisplay(std::function<void()> display)
{
    g_welcomeMenuDisplay = std::move(display);
}

frmParent::frmParent()
{
    setObjectName(QStringLiteral("frmParent"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(480, 320);

    m_host = new QStackedWidget(this);
    m_host->setObjectName(QStringLiteral("childHost"));
    auto *backdrop = new FrameBackdrop(m_host);
    m_backdrop = backdrop;
    m_status = backdrop->status;
    m_host->addWidget(m_backdrop);
    setCentralWidget(m_host);
}

frmParent::~frmParent()
{
    // The children go down with the frame; their pages need no tidying then.
    for (QWidget *child : childWindows())
        disconnect(child, &QObject::destroyed, nullptr, nullptr);
}

void frmParent::hostChild(QWidget *child)
{
    auto *page = new QWidget(m_host);
    page->setObjectName(child->objectName() + QStringLiteral("_page"));
    auto *layout = new QGridLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    child->setParent(page, Qt::Widget);
    child->setAttribute(Qt::WA_DeleteOnClose);
    layout->addWidget(child, 0, 0, hasFixedSize(child) ? Qt::AlignCenter : Qt::Alignment());
    m_host->addWidget(page);
    m_children.append(child);
    // A closed child takes its page with it and uncovers the one behind.
    connect(child, &QObject::destroyed, page, [this, page, child] {
        // A widget announces its end before its guards clear, so drop it here.
        m_children.removeIf([child](const QPointer<QWidget> &c) { return c.data() == child; });
        m_host->removeWidget(page);
        page->deleteLater();
        showChildOrBackdrop();
    });
    child->show();
    showChildOrBackdrop();
}

QList<QWidget *> frmParent::childWindows() const
{
    QList<QWidget *> children;
    for (const QPointer<QWidget> &child : m_children)
        if (child)
            children.append(child.data());
    return children;
}

void frmParent::showChildOrBackdrop()
{
    const QList<QWidget *> children = childWindows();
    if (children.isEmpty())
        m_host->setCurrentWidget(m_backdrop);
    else
        m_host->setCurrentWidget(children.last()->parentWidget());
}

void frmParent::showStatus(const QString &text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

QString frmParent::statusText() const
{
    return m_status->text();
}

void frmParent::closeEvent(QCloseEvent *event)
{
    SaveWindowPosition(this);
    const QList<QWidget *> children = childWindows();
    for (QWidget *child : children) {
        if (!child->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace qv::shell
