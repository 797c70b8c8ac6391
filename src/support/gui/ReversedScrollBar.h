#pragma once

#include <QScrollBar>

namespace qv::support
{

// A small vertical scroll bar used as an up-down control: its top end is the
// largest number, so the up arrow raises the number and the down arrow
// lowers it. The number lives in number(); the underlying slider value
// runs the other way and is not meant for callers.
class ReversedScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ReversedScrollBar(QWidget *parent = nullptr);

    void setNumberRange(int lowest, int highest);
    int lowest() const { return minimum(); }
    int highest() const { return maximum(); }
    int number() const;
    void setNumber(int number);

    // The effect of one click on the up or down arrow.
    void stepUp() { triggerAction(SliderSingleStepSub); }
    void stepDown() { triggerAction(SliderSingleStepAdd); }

    // Where the up arrow is drawn (for tests that click it).
    QRect upArrowRect() const;

    QSize sizeHint() const override;

signals:
    void numberChanged(int number);
};

} // namespace qv::support
