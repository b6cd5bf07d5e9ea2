#include "ui/sad/dialogs/CDlgEH_Default29.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "ui/app/QtText.h"
#include "ui/codelists/ListTypeAhead.h"

namespace tarvex {

CDlgEH_Default29::CDlgEH_Default29(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault29Title, parent) {
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName("list");
    m_pList->setToolTip(Str(sadeditstr::kTip298Feld29));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setColumnCount(kOfficeColumnCount);
    m_pList->setHeaderLabels({Str(sadeditstr::kCol29Ort), Str(sadeditstr::kCol29Art),
                              Str(sadeditstr::kCol29Zollamt), Str(sadeditstr::kCol29Code)});
    QPalette pal = m_pList->palette();
    pal.setColor(QPalette::Base, Qt::white);
    m_pList->setPalette(pal);
    // Widths as the list always had them, grown with the font so that the texts are not cut.
    const int unit = std::max(1, m_pList->fontMetrics().averageCharWidth());
    const int widths[kOfficeColumnCount] = {200, 90, 100, 80};
    for (int c = 0; c < kOfficeColumnCount; ++c)
        m_pList->setColumnWidth(c, widths[c] * std::max(unit, 6) / 6);
    QHeaderView* header = m_pList->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, &CDlgEH_Default29::SortBy);
    int total = 0;
    for (int c = 0; c < kOfficeColumnCount; ++c) total += m_pList->columnWidth(c);
    m_pList->setMinimumSize(total + 24, m_pList->fontMetrics().lineSpacing() * 18);
    CListTypeAhead::Install(m_pList, static_cast<int>(m_sort.column));
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (SelectedRow() >= 0) accept();
    });
    Body()->addWidget(m_pList);
    Fill();
}

void CDlgEH_Default29::Fill() {
    const auto offices = CustomsOffices();
    m_pList->clear();
    for (int row : SortedOfficeRows(m_sort)) {
        const CustomsOffice& o = offices[static_cast<size_t>(row)];
        auto* item = new QTreeWidgetItem(m_pList);
        for (int c = 0; c < kOfficeColumnCount; ++c)
            item->setText(c, Str(OfficeColumnText(o, static_cast<OfficeColumn>(c))));
        item->setData(0, Qt::UserRole, row);
    }
    m_pList->header()->setSortIndicator(static_cast<int>(m_sort.column),
                                        m_sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (auto* typeAhead = m_pList->findChild<CListTypeAhead*>())
        typeAhead->SetColumn(static_cast<int>(m_sort.column));
}

int CDlgEH_Default29::SelectedRow() const {
    const QTreeWidgetItem* item = m_pList->currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : -1;
}

void CDlgEH_Default29::SelectOffice(int row) {
    m_pList->clearSelection();
    m_pList->setCurrentItem(nullptr);
    for (int i = 0; i < m_pList->topLevelItemCount() && row >= 0; ++i) {
        QTreeWidgetItem* item = m_pList->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == row) {
            m_pList->setCurrentItem(item);
            item->setSelected(true);
            m_pList->scrollToItem(item, QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}

void CDlgEH_Default29::SortBy(int column) {
    if (column < 0 || column >= kOfficeColumnCount) return;
    const int selected = SelectedRow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sort = OfficeSortAfterClick(m_sort, static_cast<OfficeColumn>(column));
    Fill();
    SelectOffice(selected);
    QApplication::restoreOverrideCursor();
}

void CDlgEH_Default29::SetText(const std::u16string& boxText) {
    m_text = boxText;
    SelectOffice(CustomsOfficePresetRow(boxText));
}

void CDlgEH_Default29::accept() {
    m_text = CustomsOfficeResult(SelectedRow(), m_text);
    QDialog::accept();
}

}  // namespace tarvex
