#include "ui/sad/dialogs/CDlgEH_Default29.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "ui/codelists/ListTypeAhead.h"
#include "ui/common/QtText.h"

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
    QHeaderView* header = m_pList->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, &CDlgEH_Default29::SortBy);
    CListTypeAhead::Install(m_pList)->SetFinder([this](const QString& typed) { return TypeAhead(typed); });

    auto* sortLabel = new QLabel(Str(sadeditstr::kLabel29Sort), this);
    m_pSortColumn = new QComboBox(this);
    m_pSortColumn->setObjectName("sortColumn");
    for (const char16_t* column :
         {sadeditstr::kCol29Ort, sadeditstr::kCol29Art, sadeditstr::kCol29Zollamt, sadeditstr::kCol29Code})
        m_pSortColumn->addItem(Str(column));
    sortLabel->setBuddy(m_pSortColumn);
    m_pDescending = new QCheckBox(Str(sadeditstr::kCheck29Descending), this);
    m_pDescending->setObjectName("descending");
    auto* sortRow = new QHBoxLayout;
    sortRow->addWidget(sortLabel);
    sortRow->addWidget(m_pSortColumn);
    sortRow->addWidget(m_pDescending);
    sortRow->addStretch(1);
    Body()->addLayout(sortRow);
    const auto fromKeyboard = [this] {
        SetSort({static_cast<OfficeColumn>(m_pSortColumn->currentIndex()), !m_pDescending->isChecked()});
    };
    connect(m_pSortColumn, &QComboBox::currentIndexChanged, this, fromKeyboard);
    connect(m_pDescending, &QCheckBox::toggled, this, fromKeyboard);
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (SelectedRow() >= 0) accept();
    });
    Body()->addWidget(m_pList);
    Fill();
    // The list's usual widths (200, 90, 100, 80), wider where a text or the header with its sort
    // arrow needs more, so that nothing is cut.
    const int widths[kOfficeColumnCount] = {200, 90, 100, 80};
    const int arrow =
        style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    int total = 0;
    for (int c = 0; c < kOfficeColumnCount; ++c) {
        m_pList->resizeColumnToContents(c);
        const int title =
            m_pList->fontMetrics().horizontalAdvance(m_pList->headerItem()->text(c)) + arrow + 16;
        m_pList->setColumnWidth(c, std::max({widths[c], m_pList->columnWidth(c) + 8, title}));
        total += m_pList->columnWidth(c);
    }
    m_pList->setMinimumSize(total + m_pList->verticalScrollBar()->sizeHint().width() + 4,
                            m_pList->fontMetrics().lineSpacing() * 18);
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
    if (m_pSortColumn) {
        const QSignalBlocker blockColumn(m_pSortColumn), blockDescending(m_pDescending);
        m_pSortColumn->setCurrentIndex(static_cast<int>(m_sort.column));
        m_pDescending->setChecked(!m_sort.ascending);
    }
}

bool CDlgEH_Default29::TypeAhead(const QString& typed) {
    std::vector<int> order;
    order.reserve(static_cast<size_t>(m_pList->topLevelItemCount()));
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i)
        order.push_back(m_pList->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    const int row = OfficeTypeAheadRow(order, typed.toStdU16String());
    if (row < 0) return false;
    SelectOffice(row);
    return true;
}

void CDlgEH_Default29::SetProfile(Profile* profile) {
    m_pProfile = profile;
    if (!profile) return;
    const OfficeSort stored =
        OfficeSortFromNumber(settings::Get(*profile, settings::kSettings, settings::kFeld29Sort));
    if (stored.column == m_sort.column && stored.ascending == m_sort.ascending) return;
    const int selected = SelectedRow();
    m_sort = stored;
    Fill();
    SelectOffice(selected);
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
    SetSort(OfficeSortAfterClick(m_sort, static_cast<OfficeColumn>(column)));
}

void CDlgEH_Default29::SetSort(OfficeSort sort) {
    const int selected = SelectedRow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sort = sort;
    Fill();
    SelectOffice(selected);
    QApplication::restoreOverrideCursor();
    if (m_pProfile)
        m_pProfile->WriteProfileInt(settings::kSettings, settings::kFeld29Sort.name,
                                    OfficeSortNumber(m_sort));
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
