#include "support/gui/ReversedScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace qv::support
{

ReversedScrollBar::ReversedScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit numberChanged(number()); });
}

void ReversedScrollBar::setNumberRange(int lowest, int highest)
{
    setRange(lowest, highest);
}

int ReversedScrollBar::number() const
{
    return minimum() + maximum() - value();
}

void ReversedScrollBar::setNumber(int number)
{
    setValue(minimum() + maximum() - qBound(minimum(), number, maximum()));
}

QRect ReversedScrollBar::upArrowRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, this);
}

QSize ReversedScrollBar::sizeHint() const
{
    // Just the two arrows, like a spin control beside its number.
    const QSize hint = QScrollBar::sizeHint();
    return {hint.width(), qMax(hint.width() * 2, 30)};
}

} // namespace qv::support
