#pragma once
// "Vorgaben für Feld 19": container or not, 0 or 1.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QButtonGroup;

namespace tarvex {

class CDlgEH_Default19 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default19(QWidget* parent = nullptr);

    void SetText(const std::u16string& boxText);
    // "0" or "1" after OK (the box text when nothing was selected); the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QButtonGroup* Group() const { return m_pGroup; }
    void accept() override;

private:
    QButtonGroup* m_pGroup;
    std::u16string m_text;
};

}  // namespace tarvex
