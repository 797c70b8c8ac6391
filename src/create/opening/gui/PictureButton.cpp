#include "create/opening/gui/PictureButton.h"

#include "create/opening/gui/OpeningStyle.h"

#include <QIcon>

namespace qv::create::opening
{

PictureButton::PictureButton(const QString &objectName, const QString &iconPath, int size, QWidget *parent)
    : QToolButton(parent)
{
    loadArt();
    setObjectName(objectName);
    setIcon(QIcon(iconPath));
    setIconSize(QSize(size - 12, size - 12));
    setFixedSize(size, size);
    setCursor(Qt::PointingHandCursor);
    setAutoRaise(true);
    const int radius = size / 5;
    setStyleSheet(QStringLiteral("QToolButton { background: #1B3A66; border: none; border-radius: %1px; }"
                                 "QToolButton:hover { background: #22A39F; }"
                                 "QToolButton:pressed { background: #0E2240; }"
                                 "QToolButton:focus { border: 2px solid #F4A93B; }"
                                 "QToolButton:disabled { background: #B7C3D3; }")
                      .arg(radius));
}

} // namespace qv::create::opening
