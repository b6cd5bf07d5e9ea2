#pragma once
// "Vorgaben für Verkehrszweig": the mode of transport of boxes 25 and 26.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QListWidget;

namespace tarvex {

class CDlgEH_Default25 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default25(QWidget* parent = nullptr);

    void SetText(const std::u16string& boxText);
    // The code after OK (the box text when nothing was selected); the preset after Cancel.
    const std::u16string& Text() const { return m_text; }

    QListWidget* List() const { return m_pList; }
    void accept() override;

private:
    QListWidget* m_pList;
    std::u16string m_text;
};

}  // namespace tarvex
