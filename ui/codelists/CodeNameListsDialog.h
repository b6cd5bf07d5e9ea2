#pragma once
// The frame the country and currency dialogs share: a sorted list of codes beside a sorted list
// of names, each item carrying its table row, the two lists following each other, type-ahead in
// both, a double-click as OK and the buttons "Übernehmen", "Abbrechen", "Hilfe".

#include <QDialog>
#include <span>
#include <string_view>

#include "core/codelists/CodeText.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tarvex {

class CCodeNameListsDialog : public QDialog {
    Q_OBJECT
public:
    QListWidget* CodeList() const { return m_pCodes; }
    QListWidget* NameList() const { return m_pNames; }
    QLabel* CodeLabel() const { return m_pCodeLabel; }
    // Table row of the selected item of a list, -1 without a selection.
    static int SelectedRow(const QListWidget* list);
    // Selects the first item of the list that stands for row (none for -1), without letting the
    // other list follow.
    void SelectRow(QListWidget* list, int row);

signals:
    void helpRequested();

protected:
    struct Texts {
        std::u16string_view title, codeLabel, nameLabel, codeTip, nameTip;
    };
    CCodeNameListsDialog(const Texts& texts, std::span<const CodeText> rows, QWidget* parent);
    // The row whose item the other list selects when a list's selection changes.
    virtual int NameRowForCodeRow(int codeRow) const = 0;
    virtual int CodeRowForNameRow(int nameRow) const = 0;

private:
    void Follow(QListWidget* from, QListWidget* to, bool fromCodes);

    QListWidget* m_pCodes;
    QListWidget* m_pNames;
    QLabel* m_pCodeLabel;
    bool m_bFollowing = false;
};

}  // namespace tarvex
