#pragma once

#include <QObject>
#include <QString>

#include "controls/workbook/Value.h"

#include <memory>
#include <vector>

namespace qv::workbook {

class Workbook;

// The loaded tables of a plan: workbooks found by title (ignoring case), so
// that a formula such as [Tbl0404]Sheet1!$B$1 reads Tbl0404's cell, and a
// change in one table recalculates the dependent cells of every other. A
// reference to a title not in the set gives #REF!.
class WorkbookSet : public QObject
{
    Q_OBJECT

public:
    explicit WorkbookSet(QObject *parent = nullptr);
    ~WorkbookSet() override;

    // Adds a workbook under its title (setting the title first when given)
    // and recalculates the set so links to and from it resolve.
    Workbook *add(std::shared_ptr<Workbook> book, const QString &title = QString());
    // Creates an empty workbook with the title and adds it.
    Workbook *create(const QString &title);
    void remove(Workbook *book);
    void clear();

    Workbook *find(const QString &title) const; // nullptr when none
    std::shared_ptr<Workbook> shared(const QString &title) const;
    bool contains(const QString &title) const { return find(title) != nullptr; }
    int count() const { return int(m_books.size()); }
    std::vector<Workbook *> books() const;

    void recalculate(); // every formula of every workbook

    // Evaluates a formula (with or without "=") on its own, in a scratch
    // sheet that sees the set's workbooks; empty cells read as 0. On a
    // formula that does not compile, returns #NAME? and sets `error`.
    Value evaluate(const QString &formula, QString *error = nullptr);

    // Several additions in a row recalculate once, at the end.
    class Batch
    {
    public:
        explicit Batch(WorkbookSet &set);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        WorkbookSet &m_set;
    };

private:
    friend class Workbook;
    void structureChanged(); // titles, sheets or members changed: re-resolve and recalculate
    void detach(Workbook *book);

    std::vector<std::shared_ptr<Workbook>> m_books;
    int m_batchDepth = 0;
    bool m_pendingRebuild = false;
};

} // namespace qv::workbook
