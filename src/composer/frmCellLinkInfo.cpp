#include "composer/frmCellLinkInfo.h"

#include "composer/ComposerCommon.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::composer {

frmCellLinkInfo::frmCellLinkInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCellLinkInfo"));
    setWindowTitle(withoutAccessKey(resText(1071)));
    auto *column = new QVBoxLayout(this);
    lblLink = new QLabel(this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->setWordWrap(true);
    lblLink->setMinimumWidth(360);
    column->addWidget(lblLink);
    cboTables = new QComboBox(this);
    cboTables->setObjectName(QStringLiteral("cboTables"));
    column->addWidget(cboTables);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdGoto = new QPushButton(resText(1133), this);
    cmdGoto->setObjectName(QStringLiteral("cmdGoto"));
    cmdGoto->setDefault(true);
    cmdViewFormula = new QPushButton(resText(1471), this);
    cmdViewFormula->setObjectName(QStringLiteral("cmdViewFormula"));
    cmdClose = new QPushButton(resText(1010), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(cmdGoto);
    buttons->addWidget(cmdViewFormula);
    buttons->addWidget(cmdClose);
    column->addLayout(buttons);

    connect(cboTables, &QComboBox::currentIndexChanged, this, [this](int index) { cmdGoto->setEnabled(index > 0); });
    connect(cmdGoto, &QPushButton::clicked, this, [this] {
        const int index = m_several ? cboTables->currentIndex() - 1 : 0;
        if (index < 0 || index >= int(m_links.size()))
            return;
        m_chosen = m_links[std::size_t(index)].target();
        accept();
    });
    connect(cmdViewFormula, &QPushButton::clicked, this, &frmCellLinkInfo::viewFormula);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    arrange();
}

void frmCellLinkInfo::addTable(const CellLink &link)
{
    const bool listed = std::any_of(m_links.begin(), m_links.end(),
                                    [&](const CellLink &l) { return l.target() == link.target(); });
    if (listed)
        return;
    m_links.push_back(link);
    arrange();
}

void frmCellLinkInfo::setFormula(const QString &formula) { m_formula = formula; }

void frmCellLinkInfo::setExplanation(const QString &text, bool several)
{
    lblLink->setText(text);
    m_several = several;
    arrange();
}

void frmCellLinkInfo::arrange()
{
    cboTables->blockSignals(true);
    cboTables->clear();
    if (m_several) {
        cboTables->addItem(resText(1473));
        for (const CellLink &link : m_links)
            cboTables->addItem(link.description(), link.target());
    }
    cboTables->blockSignals(false);
    cboTables->setVisible(m_several);
    cmdGoto->setEnabled(!m_several && !m_links.empty());
    adjustSize(); // one line, or the list
}

void frmCellLinkInfo::viewFormula()
{
    tell(this, m_formula, platform::Icon::Information);
}

QString frmCellLinkInfo::Display()
{
    m_chosen.clear();
    exec();
    return m_chosen;
}

QString viewCellLink(QWidget *owner, const QString &formula, const std::vector<TableEntry> &tables)
{
    const CellLinks found = findCellLinks(formula, tables);
    if (found.outcome == CellLinks::Outcome::TableNotFound) {
        tell(owner, QString::fromLatin1(kLinkedTableNotFound), platform::Icon::Exclamation);
        return {};
    }
    if (found.outcome == CellLinks::Outcome::NoLink) {
        tell(owner, noLinkMessage(), platform::Icon::Information);
        return {};
    }
    frmCellLinkInfo dialog(owner);
    for (const CellLink &link : found.links)
        dialog.addTable(link);
    dialog.setFormula(formula);
    dialog.setExplanation(found.explanation(), found.several);
    return dialog.Display();
}

} // namespace qv::composer
