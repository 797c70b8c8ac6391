#pragma once

// The values of one registry key, in enumeration order, keyed by name
// (without regard to case).

#include "support/registry/clsRegKeyData.h"

#include <QVariant>

#include <memory>
#include <vector>

namespace qv::support {

// Whether a name-or-index argument holds a whole number (a position or an
// index) rather than a name.
bool isIntegerVariant(const QVariant &value);

class colRegistry
{
public:
    using Item = std::shared_ptr<clsRegKeyData>;

    // Stores text for types 1, 2 and 7, the number for type 4, nothing for
    // type 3, and the bytes of any other type (at most 513).
    Item Add(const QString &valueName, const QString &key, qint16 dataType, const QVariant &value);
    // By 1-based position or by name. Raises 1200 "Registry Collection"
    // "Invalid Index" or "Name not Found in Current Key".
    Item item(const QVariant &indexOrName) const;
    int Count() const { return int(m_items.size()); }
    void Remove(int index); // 1-based; raises as item() does
    void clear() { m_items.clear(); }

    // NewEnum: range-for over the items.
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<Item> m_items;
};

} // namespace qv::support
