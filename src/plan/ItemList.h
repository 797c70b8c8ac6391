#pragma once

// The ordered, 1-based collections of the outline (chapters, sections,
// tables), and the list interface through which the outline tree renames
// and moves chapters and sections alike.

#include "plan/PlanErrors.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qv::plan {

class Plan;

// Where the items of one plan live, shared by every item attached to the plan
// so that a section or table can name its files. The plan clears it when it
// goes, since items may outlive it.
struct PlanPlace
{
    const Plan *plan = nullptr;
    // The plan folder with a trailing separator; empty while the plan has no
    // document path or is gone.
    QString folder() const;
};
using PlanPlacePtr = std::shared_ptr<const PlanPlace>;

// What the outline tree needs of the chapter list and of a section list.
class OutlineList
{
public:
    virtual ~OutlineList() = default;
    virtual int count() const = 0;
    virtual QString nameAt(int index) const = 0;
    // Renames the item at the 1-based index.
    virtual void Rename(int index, const QString &name) = 0;
    // Swap the item at the index with its neighbour above or below.
    virtual void MoveUp(int index) = 0;
    virtual void MoveDown(int index) = 0;
};

// Items are shared: the composer keeps its current section and table while
// the list holds them. An item belongs to at most one list at a time.
template <class T>
class ItemList
{
public:
    using Item = std::shared_ptr<T>;
    using const_iterator = typename std::vector<Item>::const_iterator;

    explicit ItemList(const char *source) : m_source(source) {}
    virtual ~ItemList() = default;
    ItemList(const ItemList &) = delete;
    ItemList &operator=(const ItemList &) = delete;

    int count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }

    // The item at the 1-based index; raises error 9 outside 1..count.
    const Item &item(int index) const
    {
        checkIndex(index);
        return m_items[static_cast<size_t>(index - 1)];
    }

    // Adds the item at the end, before the item at `before` or after the
    // item at `after` (1-based; at most one of the two).
    Item Add(Item item, std::optional<int> before = std::nullopt, std::optional<int> after = std::nullopt)
    {
        if (!item)
            throw QvError(kInvalidArgument, source(), QStringLiteral("No item to add."));
        if (item->m_listed)
            throw QvError(kInvalidArgument, source(), QStringLiteral("The item already belongs to a list."));
        if (before && after)
            throw QvError(kInvalidArgument, source(), QStringLiteral("Give either before or after, not both."));
        auto position = m_items.end();
        if (before) {
            checkIndex(*before);
            position = m_items.begin() + (*before - 1);
        } else if (after) {
            checkIndex(*after);
            position = m_items.begin() + *after;
        }
        m_items.insert(position, item);
        item->m_listed = true;
        attach(*item);
        return item;
    }

    // Removes the item at the 1-based index; the object itself lives on
    // while someone holds it, detached from the plan.
    void Remove(int index)
    {
        checkIndex(index);
        Item removed = m_items[static_cast<size_t>(index - 1)];
        m_items.erase(m_items.begin() + (index - 1));
        removed->m_listed = false;
        removed->setPlace(nullptr);
    }

    // The 1-based position of the item, 0 when the list does not hold it.
    int indexOf(const T *item) const
    {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].get() == item)
                return static_cast<int>(i) + 1;
        }
        return 0;
    }

    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

    // Same items in the same order, compared by content.
    bool sameContent(const ItemList &other) const
    {
        if (m_items.size() != other.m_items.size())
            return false;
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (!m_items[i]->sameContent(*other.m_items[i]))
                return false;
        }
        return true;
    }

    // Attaches every item to the plan place (and detaches them with null).
    void setPlace(const PlanPlacePtr &place)
    {
        m_place = place;
        for (const Item &item : m_items)
            item->setPlace(place);
    }

    // Takes the other list's items in place of this list's own.
    void takeItemsOf(ItemList &other)
    {
        for (const Item &item : m_items) {
            item->m_listed = false;
            item->setPlace(nullptr);
        }
        m_items = std::move(other.m_items);
        other.m_items.clear();
        for (const Item &item : m_items)
            item->setPlace(m_place);
    }

protected:
    void checkIndex(int index) const
    {
        if (index < 1 || index > count())
            throw QvError(kIndexOutOfRange, source(),
                          QStringLiteral("Subscript out of range (%1 of %2).").arg(index).arg(count()));
    }
    void swapItems(int a, int b)
    {
        checkIndex(a);
        checkIndex(b);
        std::swap(m_items[static_cast<size_t>(a - 1)], m_items[static_cast<size_t>(b - 1)]);
    }
    QString source() const { return QLatin1String(m_source); }
    virtual void attach(T &item) { item.setPlace(m_place); }

    std::vector<Item> m_items;
    PlanPlacePtr m_place;
    const char *m_source;
};

} // namespace qv::plan
