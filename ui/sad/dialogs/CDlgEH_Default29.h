#pragma once
// "Zollstellen": the customs offices of box 29 as a four-column list. A click on a column header
// sorts by that column, a second click reverses; "Sortieren nach" and "absteigend" do the same by
// keyboard, and the sort is remembered. The selected office stays selected and in view. Typing
// finds an office by its place (or by its code), whatever the sort.

#include <string>

#include "core/codelists/CustomsOffices.h"
#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QCheckBox;
class QComboBox;
class QTreeWidget;

namespace tarvex {

class Profile;

class CDlgEH_Default29 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default29(QWidget* parent = nullptr);

    // Where the sort is remembered: the list opens in the stored sort, and a change is stored.
    void SetProfile(Profile* profile);
    void SetText(const std::u16string& boxText);
    // The office code after OK (the box text when nothing was selected); the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QTreeWidget* List() const { return m_pList; }
    QComboBox* SortColumnBox() const { return m_pSortColumn; }
    QCheckBox* DescendingBox() const { return m_pDescending; }
    OfficeSort Sort() const { return m_sort; }
    // Table row of the selected office, -1 without a selection.
    int SelectedRow() const;
    // A click on a column header.
    void SortBy(int column);
    void SetSort(OfficeSort sort);
    void accept() override;

private:
    void Fill();
    void SelectOffice(int row);
    bool TypeAhead(const QString& typed);

    Profile* m_pProfile = nullptr;
    QTreeWidget* m_pList;
    QComboBox* m_pSortColumn = nullptr;
    QCheckBox* m_pDescending = nullptr;
    OfficeSort m_sort;
    std::u16string m_text;
};

}  // namespace tarvex
