#include "ui/masterdata/MasterDataList.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "core/codelists/CodeText.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "ui/common/QtText.h"
#include "ui/masterdata/MasterDataHost.h"

namespace tarvex {

void CMasterDataListModel::SetRows(std::vector<int> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_bRowOfValid = false;
    endResetModel();
}

int CMasterDataListModel::RowOf(int entry) const {
    if (!m_bRowOfValid) {
        auto& map = m_rowOfEntry;
        int maxEntry = -1;
        for (int e : m_rows) maxEntry = std::max(maxEntry, e);
        map.assign(static_cast<size_t>(maxEntry + 1), -1);
        for (size_t r = 0; r < m_rows.size(); ++r) map[static_cast<size_t>(m_rows[r])] = static_cast<int>(r);
        m_bRowOfValid = true;
    }
    return entry >= 0 && entry < static_cast<int>(m_rowOfEntry.size())
               ? m_rowOfEntry[static_cast<size_t>(entry)]
               : -1;
}

int CMasterDataListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant CMasterDataListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size())) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdU16String(m_text(m_rows[static_cast<size_t>(index.row())]));
    if (role == Qt::UserRole) return m_rows[static_cast<size_t>(index.row())];
    return {};
}

CMasterDataListView::CMasterDataListView(CMasterDataListModel* model, QWidget* parent)
    : QListView(parent), m_model(model) {
    setModel(model);
    // Every row has the height of one line: the view need not measure 100 000 of them.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit entryChanged(m_model->EntryAt(current.row())); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { emit entryActivated(m_model->EntryAt(index.row())); });
}

int CMasterDataListView::CurrentEntry() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? m_model->EntryAt(i.row()) : -1;
}

bool CMasterDataListView::SelectEntry(int entry) {
    const int row = m_model->RowOf(entry);
    if (row < 0) return false;
    const QModelIndex i = m_model->index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
    return true;
}

void CMasterDataListView::ClearSelectionMark() {
    const QSignalBlocker block(selectionModel());
    selectionModel()->clear();
}

void CMasterDataListView::keyboardSearch(const QString& search) {
    if (search.isEmpty()) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastKey > QApplication::keyboardInputInterval()) m_typed.clear();
    m_lastKey = now;
    m_typed += search;
    const std::u16string key = GermanSortKey(m_typed.toStdU16String());
    const std::vector<int>& rows = m_model->Rows();
    auto keyOf = [this](int entry) { return GermanSortKey(m_model->Text(entry)); };
    const auto it = std::lower_bound(rows.begin(), rows.end(), key,
                                     [&](int entry, const std::u16string& k) { return keyOf(entry) < k; });
    if (it == rows.end() || keyOf(*it).compare(0, key.size(), key) != 0) return;
    SelectEntry(*it);
}

QWidget* CreateFilterRow(QLineEdit*& edit, const QString& placeholder, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(AccessKeyText(mdstr::kFilterLabel, u'S'), row);
    edit = new QLineEdit(row);
    edit->setPlaceholderText(placeholder);
    edit->setClearButtonEnabled(true);
    label->setBuddy(edit);
    h->addWidget(label);
    h->addWidget(edit, 1);
    return row;
}

}  // namespace tarvex
