#pragma once
// "Vorgaben für Feld 1": the three parts of the declaration code as three groups of buttons.

#include <array>
#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QButtonGroup;

namespace tarvex {

class CDlgEH_Default01 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default01(QWidget* parent = nullptr);

    // The texts of Feld 1 A, B and C: a group selects the button with exactly that label.
    void SetTexts(const std::array<std::u16string, 3>& texts);
    // After OK each group's label, or the box's own text when the group has no selection; the
    // presets after Cancel.
    const std::array<std::u16string, 3>& Texts() const { return m_texts; }

    QButtonGroup* Group(int group) const { return m_groups[static_cast<size_t>(group)]; }
    void accept() override;

private:
    std::array<QButtonGroup*, 3> m_groups{};
    std::array<std::u16string, 3> m_texts;
};

}  // namespace tarvex
