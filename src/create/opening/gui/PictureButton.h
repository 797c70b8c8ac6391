#pragma once

// The square picture buttons of the opening windows: an icon on a rounded
// tile that lights up under the pointer.

#include <QToolButton>

namespace qv::create::opening
{

class PictureButton : public QToolButton
{
    Q_OBJECT

public:
    PictureButton(const QString &objectName, const QString &iconPath, int size, QWidget *parent);
};

} // namespace qv::create::opening
