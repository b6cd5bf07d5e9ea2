#pragma once
// "Vorgaben für Feld 20": the delivery terms. The first button carries a text that is no code,
// upper-cased, so that free text survives the dialog.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QButtonGroup;
class QRadioButton;

namespace tarvex {

class CDlgEH_Default20 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default20(QWidget* parent = nullptr);

    void SetText(const std::u16string& boxText);
    // The code, or the upper-cased free text of the first button, after OK; the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QButtonGroup* Group() const { return m_pGroup; }
    QRadioButton* FreeButton() const { return m_pFree; }
    void accept() override;

private:
    QButtonGroup* m_pGroup;
    QRadioButton* m_pFree;
    std::u16string m_text;
    std::u16string m_freeText;
};

}  // namespace tarvex
