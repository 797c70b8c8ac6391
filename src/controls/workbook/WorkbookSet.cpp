#include "controls/workbook/WorkbookSet.h"

#include "controls/workbook/Parser.h"
#include "controls/workbook/Recalculation.h"
#include "controls/workbook/Workbook.h"

#include <algorithm>

namespace qv::workbook {

WorkbookSet::WorkbookSet(QObject *parent) : QObject(parent) {}

WorkbookSet::~WorkbookSet()
{
    clear();
}

Workbook *WorkbookSet::add(std::shared_ptr<Workbook> book, const QString &title)
{
    if (!book)
        return nullptr;
    if (book->m_set && book->m_set != this)
        book->m_set->remove(book.get());
    if (!title.isEmpty())
        book->m_content.title = title;
    Workbook *raw = book.get();
    if (std::none_of(m_books.begin(), m_books.end(), [&](const auto &b) { return b.get() == raw; })) {
        m_books.push_back(std::move(book));
        raw->m_set = this;
    }
    structureChanged();
    return raw;
}

Workbook *WorkbookSet::create(const QString &title)
{
    return add(std::make_shared<Workbook>(), title);
}

void WorkbookSet::detach(Workbook *book)
{
    const auto it = std::find_if(m_books.begin(), m_books.end(), [&](const auto &b) { return b.get() == book; });
    if (it == m_books.end())
        return;
    std::shared_ptr<Workbook> keep = *it; // lives until the set has let go of it
    m_books.erase(it);
    book->m_set = nullptr;
    Recalculation::rebuild({book});
    structureChanged();
}

void WorkbookSet::remove(Workbook *book)
{
    detach(book);
}

void WorkbookSet::clear()
{
    const auto books = m_books;
    for (const auto &b : books)
        b->m_set = nullptr;
    m_books.clear();
    // A workbook held elsewhere goes on alone; one only the set held is
    // about to go, and is not worth calculating again.
    for (const auto &b : books)
        if (b.use_count() > 1)
            Recalculation::rebuild({b.get()});
}

Workbook *WorkbookSet::find(const QString &title) const
{
    for (const auto &b : m_books)
        if (b->title().compare(title, Qt::CaseInsensitive) == 0)
            return b.get();
    return nullptr;
}

std::shared_ptr<Workbook> WorkbookSet::shared(const QString &title) const
{
    for (const auto &b : m_books)
        if (b->title().compare(title, Qt::CaseInsensitive) == 0)
            return b;
    return nullptr;
}

std::vector<Workbook *> WorkbookSet::books() const
{
    std::vector<Workbook *> out;
    for (const auto &b : m_books)
        out.push_back(b.get());
    return out;
}

void WorkbookSet::recalculate()
{
    for (Workbook *b : Recalculation::recalculateAll(books()))
        emit b->displayChanged();
}

Value WorkbookSet::evaluate(const QString &formula, QString *error)
{
    // The scratch workbook joins the set without a rebuild: it only reads.
    Workbook scratch;
    scratch.m_content.title = QStringLiteral("\x01scratch");
    scratch.m_set = this;
    // The formula sits in the sheet's last cell, out of the way of what it reads.
    const ParseResult parsed = parseFormula(formula);
    if (!parsed.ok()) {
        if (error)
            *error = parsed.error;
        scratch.m_set = nullptr;
        return Value::fromError(ErrorCode::Name);
    }
    scratch.placeFormula(0, maxRows, maxColumns, formula.startsWith(u'=') ? formula.mid(1) : formula);
    Recalculation::run({&scratch});
    Value value = scratch.value(maxRows, maxColumns);
    if (Cell *cell = scratch.sheet().cell(maxRows, maxColumns))
        scratch.removeFormula(*cell);
    scratch.m_set = nullptr;
    return value;
}

void WorkbookSet::structureChanged()
{
    if (m_batchDepth > 0) {
        m_pendingRebuild = true;
        return;
    }
    m_pendingRebuild = false;
    for (Workbook *b : Recalculation::rebuild(books()))
        emit b->displayChanged();
}

WorkbookSet::Batch::Batch(WorkbookSet &set) : m_set(set)
{
    ++m_set.m_batchDepth;
}

WorkbookSet::Batch::~Batch()
{
    if (--m_set.m_batchDepth == 0 && m_set.m_pendingRebuild)
        m_set.structureChanged();
}

} // namespace qv::workbook
