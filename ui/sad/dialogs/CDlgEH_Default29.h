#pragma once
// "Zollstellen": the customs offices of box 29 as a four-column list. A click on a column header
// sorts by that column, a second click reverses; the selected office stays selected and in view.

#include <string>

#include "core/codelists/CustomsOffices.h"
#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QTreeWidget;

namespace tarvex {

class CDlgEH_Default29 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default29(QWidget* parent = nullptr);

    void SetText(const std::u16string& boxText);
    // The office code after OK (the box text when nothing was selected); the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QTreeWidget* List() const { return m_pList; }
    OfficeSort Sort() const { return m_sort; }
    // Table row of the selected office, -1 without a selection.
    int SelectedRow() const;
    void SortBy(int column);
    void accept() override;

private:
    void Fill();
    void SelectOffice(int row);

    QTreeWidget* m_pList;
    OfficeSort m_sort;
    std::u16string m_text;
};

}  // namespace tarvex
