#pragma once

// Drives a wizard the way a user does: finds controls by objectName on the
// current page, types into them and clicks them.

#include "create/wizard/gui/PlanWizard.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace qv::test {

class WizardDriver
{
public:
    explicit WizardDriver(wizard::PlanWizard &wizard) : m_wizard(wizard) {}

    // A control of the current page, else of the whole wizard.
    template<typename T>
    T *find(const QString &name) const
    {
        if (QWidget *page = m_wizard.currentPage()) {
            if (T *onPage = page->findChild<T *>(name))
                return onPage;
        }
        return m_wizard.findChild<T *>(name);
    }

    QString pageName() const { return m_wizard.currentPage() ? m_wizard.currentPage()->objectName() : QString(); }

    bool click(const QString &name) const
    {
        auto *button = find<QAbstractButton>(name);
        if (!button || !button->isEnabled() || !button->isVisible())
            return false;
        // Near the left edge: a radio button takes clicks on its circle and
        // text only, not on the rest of a stretched row.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(qMin(8, button->width() / 2), button->height() / 2));
        return true;
    }

    bool canGoNext() const
    {
        auto *next = find<QAbstractButton>(QStringLiteral("cmdNext"));
        return next && next->isEnabled() && next->isVisible();
    }

    bool next() const { return click(QStringLiteral("cmdNext")); }
    bool finish() const { return click(QStringLiteral("cmdFinish")); }
    bool cancel() const { return click(QStringLiteral("cmdCancel")); }

    bool type(const QString &name, const QString &text) const
    {
        auto *edit = find<QLineEdit>(name);
        if (!edit)
            return false;
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        return true;
    }

    bool setNumber(const QString &name, int value) const
    {
        auto *box = find<QSpinBox>(name);
        if (!box)
            return false;
        box->setValue(value);
        return true;
    }

    bool choose(const QString &name, int index) const
    {
        auto *box = find<QComboBox>(name);
        if (!box)
            return false;
        box->setCurrentIndex(index);
        emit box->activated(index);
        return true;
    }

private:
    wizard::PlanWizard &m_wizard;
};

} // namespace qv::test
