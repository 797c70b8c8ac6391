#pragma once

// How an outline tree node keeps its key, tag, text before an edit and
// image key (the item data roles the composer uses throughout), and the
// tree image of a section status.

#include "composer/OutlineKeys.h"
#include "plan/Outline.h"

#include <QString>
#include <QTreeWidgetItem>

namespace qv::composer {

inline constexpr int kNodeKeyRole = Qt::UserRole;
inline constexpr int kNodeTagRole = Qt::UserRole + 1;
inline constexpr int kNodeTextRole = Qt::UserRole + 2;
inline constexpr int kNodeImageRole = Qt::UserRole + 3;

inline QString nodeKeyOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kNodeKeyRole).toString() : QString();
}

// A new tree node; chapters and sections can be renamed in place, the plan
// root cannot.
inline QTreeWidgetItem *outlineNode(const QString &key, NodeTag tag, const QString &text)
{
    auto *node = new QTreeWidgetItem;
    node->setText(0, text);
    node->setData(0, kNodeKeyRole, key);
    node->setData(0, kNodeTagRole, int(tag));
    node->setData(0, kNodeTextRole, text);
    if (tag != NodeTag::Root)
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

inline QString statusImageOf(qint16 status)
{
    switch (status) {
    case plan::Complete: return QStringLiteral("leaf check");
    case plan::Exclude: return QStringLiteral("leaf exclude");
    default: return QStringLiteral("leaf");
    }
}

// The picture the work area shows for a status; empty for In Progress.
inline QString statusPictureOf(qint16 status)
{
    switch (status) {
    case plan::Complete: return QStringLiteral("Complete");
    case plan::Exclude: return QStringLiteral("Exclude");
    default: return QString();
    }
}

} // namespace qv::composer
