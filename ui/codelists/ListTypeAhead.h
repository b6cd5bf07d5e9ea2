#pragma once
// Type-ahead for the list dialogs: typing "fr" in a list moves the selection to the first entry
// (from the top, in the order shown) whose text in the search column begins with "fr", ignoring
// case. A pause longer than the keyboard interval starts a new search; a letter that continues
// no entry starts one too, so that the list behaves as clerks know it from Windows lists.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QAbstractItemView;

namespace tarvex {

class CListTypeAhead : public QObject {
    Q_OBJECT
public:
    // Installs itself on the view (and is owned by it); column is the column searched.
    static CListTypeAhead* Install(QAbstractItemView* view, int column = 0);
    void SetColumn(int column) { m_nColumn = column; }
    // Replaces the search by a column: finder moves to the entry for what was typed, false when
    // there is none.
    void SetFinder(std::function<bool(const QString&)> finder) { m_finder = std::move(finder); }
    // Moves to the first entry beginning with prefix; false (nothing moves) when none does.
    bool JumpTo(const QString& prefix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CListTypeAhead(QAbstractItemView* view, int column);

    QAbstractItemView* m_pView;
    int m_nColumn;
    QString m_strTyped;
    QElapsedTimer m_lastKey;
    std::function<bool(const QString&)> m_finder;
};

}  // namespace tarvex
