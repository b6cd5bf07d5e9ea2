#pragma once
// "Vorgaben für Präferenz": the preference code of box 36 from its first digit and its pair,
// each with its explanation.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QComboBox;
class QLabel;

namespace tarvex {

class CDlgEH_Default36 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default36(QWidget* parent = nullptr);

    void SetText(const std::u16string& boxText);
    // The three digits after OK; the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QComboBox* FirstList() const { return m_pFirst; }
    QComboBox* PairList() const { return m_pPair; }
    QLabel* FirstText() const { return m_pFirstText; }
    QLabel* PairText() const { return m_pPairText; }
    void accept() override;

private:
    void ShowTexts();

    QComboBox* m_pFirst;
    QComboBox* m_pPair;
    QLabel* m_pFirstText;
    QLabel* m_pPairText;
    std::u16string m_text;
};

}  // namespace tarvex
