#pragma once
// A list of the master-data dialogs: a sorted, filtered view of many entries (100 000 articles
// and more) without one widget item per entry, with a search field above it.

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;

namespace tarvex {

// Rows are entry numbers in display order; the text of an entry comes from the owner.
class CMasterDataListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CMasterDataListModel(std::function<std::u16string(int entry)> text, QObject* parent = nullptr)
        : QAbstractListModel(parent), m_text(std::move(text)) {}
    std::u16string Text(int entry) const { return m_text(entry); }

    void SetRows(std::vector<int> rows);
    const std::vector<int>& Rows() const { return m_rows; }
    // Row of an entry, -1 when it is not shown.
    int RowOf(int entry) const;
    int EntryAt(int row) const {
        return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[row] : -1;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::function<std::u16string(int)> m_text;
    std::vector<int> m_rows;
    mutable std::vector<int> m_rowOfEntry;  // built on demand
    mutable bool m_bRowOfValid = false;
};

class CMasterDataListView : public QListView {
    Q_OBJECT
public:
    explicit CMasterDataListView(CMasterDataListModel* model, QWidget* parent = nullptr);
    CMasterDataListModel* Model() const { return m_model; }
    // The entry of the current row, -1 without one.
    int CurrentEntry() const;
    // Makes the entry's row current and visible; false when it is not shown.
    bool SelectEntry(int entry);
    void ClearSelectionMark();
    // Typing in the list jumps to the first entry that begins with the typed letters. The rows are
    // in list order, so a binary search finds it at once in 100 000 entries (Qt's own search
    // would ask every row for its text).
    void keyboardSearch(const QString& search) override;

signals:
    void entryChanged(int entry);
    void entryActivated(int entry);

private:
    CMasterDataListModel* m_model;
    QString m_typed;
    qint64 m_lastKey = 0;
};

// The search field above a list: "Suchen:" and a line edit with a clear button.
QWidget* CreateFilterRow(QLineEdit*& edit, const QString& placeholder, QWidget* parent);

}  // namespace tarvex
