#pragma once
// "Warenposition verschieben": choose a goods item and the position it is to be moved to.
// The move itself is MoveGoodsItem in the core, run by the view's command after OK.

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace tarvex {

class CDlgMoveEHWarenpositon : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMoveEHWarenpositon(QWidget* parent = nullptr);

    // The goods-item entries for both lists and the preselections (target -1 = none).
    void SetEntries(const std::vector<std::u16string>& entries, int source, int target);
    int Source() const;
    int Target() const;

    QComboBox* SourceList() const { return m_pSource; }
    QComboBox* TargetList() const { return m_pTarget; }
    QPushButton* OkButton() const { return m_pOk; }

private:
    // OK needs a target, and one that is not the source: moving an item onto itself would
    // empty it.
    void UpdateOk();

    QComboBox* m_pSource;
    QComboBox* m_pTarget;
    QPushButton* m_pOk;
};

}  // namespace tarvex
