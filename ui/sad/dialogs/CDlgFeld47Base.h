#pragma once
// What the two box 47 dialogs share: a table of seven rows whose amount cells are kept at two
// decimals with a decimal comma, a read-only total, the check of the method of payment and the
// duty-type list for the type cells (button "Vorgaben" and F2).

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/sad/Box47.h"

class QLineEdit;
class QPushButton;
class QShortcut;

namespace tarvex {

class CDlgFeld47Base : public QDialog {
    Q_OBJECT
public:
    // Presets in field order (rows of cells, the total last); the amounts are normalised and
    // the total computed at once.
    void SetValues(const std::vector<std::u16string>& values);
    // The cells as they stand, amounts normalised, the total last.
    std::vector<std::u16string> Values();

    QLineEdit* Cell(int row, int column) const;
    QLineEdit* TotalEdit() const { return m_pTotal; }
    QPushButton* TypeListButton() const { return m_pTypeList; }
    int TypeRow() const { return m_nTypeRow; }
    bool TypeListEnabled() const { return m_bTypeListEnabled; }

    // Replaceable for tests: the duty-type list (true and the chosen code on OK) and the
    // message about the method of payment.
    std::function<bool(QString& code)> m_runTypeList;
    std::function<void(const QString& text)> m_showMessage;

    // OK: refused with a message while an amount cell holds no number.
    void accept() override;

signals:
    void helpRequested(int context);

protected:
    CDlgFeld47Base(QWidget* parent, int columns, int amountColumn, int methodColumn, const QString& title,
                   const QStringList& headers, const QString& totalLabel, const std::vector<int>& widths);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The cell stays as typed unless the amount is Ok.
    Feld47AmountCheck NormaliseCell(int row);
    void UpdateTotal();
    void CheckMethod(int row);
    void SetTypeListEnabled(bool enabled);
    void OpenTypeList();

    int m_nColumns, m_nAmountColumn, m_nMethodColumn;
    std::vector<QLineEdit*> m_cells;
    QLineEdit* m_pTotal = nullptr;
    QPushButton* m_pTypeList = nullptr;
    QShortcut* m_pF2 = nullptr;
    int m_nTypeRow = 0;
    bool m_bTypeListEnabled = false;
};

}  // namespace tarvex
