#pragma once

// Small pieces every wizard page uses, so the pages look alike.

#include <QPixmap>
#include <QSize>
#include <QString>

#include "create/wizard/WizardLimits.h"

class QFormLayout;
class QLabel;
class QSpinBox;
class QWidget;

namespace qv::wizard {

// The note under a page's questions that says what the answers change.
QLabel *makeExplanation(const QString &text, QWidget *parent);

// A line that shows why an answer cannot be used; hidden while empty.
QLabel *makeErrorLabel(const QString &objectName, QWidget *parent);
void showError(QLabel *label, const QString &error);

// A count box with its range, its default and a line of help below it.
QSpinBox *addCountRow(QFormLayout *form, const QString &objectName, const QString &caption, Range range,
                      int value, const QString &help);

// An SVG of the wizard's artwork drawn at the screen's pixel density, with
// a transparent margin around it.
QPixmap renderArtwork(const QString &resource, QSize size, int margin = 0);

} // namespace qv::wizard
