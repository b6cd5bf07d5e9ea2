#pragma once
// "Art des Geschäfts": the nature-of-transaction codes, with the group and the code's own
// explanation beside the list.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QLabel;
class QListWidget;

namespace tarvex {

class CDlgEH_Default24 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default24(QWidget* parent = nullptr);

    // The texts of Feld 24 A and Feld 24 B.
    void SetTexts(const std::u16string& box24A, const std::u16string& box24B);
    // The two digits after OK; the presets after Cancel.
    const std::u16string& Box24A() const { return m_box24A; }
    const std::u16string& Box24B() const { return m_box24B; }

    QListWidget* List() const { return m_pList; }
    QLabel* GroupText() const { return m_pGroupText; }
    QLabel* OwnText() const { return m_pOwnText; }
    void accept() override;

private:
    void ShowTexts(int index);

    QListWidget* m_pList;
    QLabel* m_pGroupText;
    QLabel* m_pOwnText;
    std::u16string m_box24A;
    std::u16string m_box24B;
};

}  // namespace tarvex
