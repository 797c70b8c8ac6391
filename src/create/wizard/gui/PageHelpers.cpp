#include "create/wizard/gui/PageHelpers.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace qv::wizard {

QLabel *makeExplanation(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("lblExplanation"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setStyleSheet(QStringLiteral("QLabel#lblExplanation { background: #eef4fb; border: 1px solid #c9d9ec;"
                                        " border-left: 4px solid #2a9d8f; border-radius: 4px; padding: 8px 10px;"
                                        " color: #1f3a68; }"));
    return label;
}

QLabel *makeErrorLabel(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b3261e;"));
    label->hide();
    return label;
}

void showError(QLabel *label, const QString &error)
{
    label->setText(error);
    label->setVisible(!error.isEmpty());
}

QSpinBox *addCountRow(QFormLayout *form, const QString &objectName, const QString &caption, Range range,
                      int value, const QString &help)
{
    auto *parent = form->parentWidget();
    auto *box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(range.min, range.max);
    box->setValue(value);
    box->setMinimumWidth(80);
    box->setAccelerated(true);
    auto *helpLabel = new QLabel(help, parent);
    helpLabel->setWordWrap(true);
    helpLabel->setStyleSheet(QStringLiteral("color: #5a6b80;"));
    auto *cell = new QWidget(parent);
    cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(2);
    column->addWidget(box, 0, Qt::AlignLeft);
    column->addWidget(helpLabel);
    auto *captionLabel = new QLabel(caption, parent);
    captionLabel->setBuddy(box);
    form->addRow(captionLabel, cell);
    return box;
}

QPixmap renderArtwork(const QString &resource, QSize size, int margin)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    painter.scale(ratio, ratio);
    renderer.render(&painter, QRectF(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin));
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace qv::wizard
