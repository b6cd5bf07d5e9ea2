#pragma once
// "Anpassen": the buttons of the standard toolbar and of up to ten toolbars of the user's own,
// added, removed and ordered in two lists.

#include <QDialog>
#include <QIcon>
#include <functional>

#include "core/app/ToolbarLayout.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tarvex {

class CDlgToolbarAnpassen : public QDialog {
    Q_OBJECT
public:
    // icon and text of a command as the menus show them.
    CDlgToolbarAnpassen(const ToolbarLayout& layout, std::function<QIcon(int)> icon,
                        std::function<QString(int)> text, QWidget* parent = nullptr);

    ToolbarLayout Layout() const { return m_layout; }

    QComboBox* ToolbarList() const { return m_pToolbars; }
    QListWidget* Available() const { return m_pAvailable; }
    QListWidget* Current() const { return m_pCurrent; }
    QPushButton* Button(const char* name) const;

    // Asks for a toolbar's name (empty: cancelled); tests answer here.
    std::function<QString(const QString& preset)> m_askName;

    // The list operations, as the buttons trigger them.
    void AddSelected();
    void RemoveSelected();
    void MoveSelected(int delta);
    void NewToolbar();
    void RenameToolbar();
    void DeleteToolbar();
    void ResetToolbar();

private:
    std::vector<int>& Buttons();
    void FillToolbars(int select);
    void FillCurrent(int selectRow);
    QListWidgetItem* MakeItem(int id) const;
    void UpdateButtons();
    QString AskName(const QString& preset);

    ToolbarLayout m_layout;
    std::function<QIcon(int)> m_icon;
    std::function<QString(int)> m_text;
    QComboBox* m_pToolbars;
    QListWidget* m_pAvailable;
    QListWidget* m_pCurrent;
};

}  // namespace tarvex
