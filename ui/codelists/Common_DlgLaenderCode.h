#pragma once
// "Ländercodes": picks a country by its ISO code or its German name. The caller sets the mode
// (the title), the name and code presets; on OK name and code come from the selected name.

#include <string>

#include "ui/codelists/CodeNameListsDialog.h"

namespace tarvex {

class Common_DlgLaenderCode : public CCodeNameListsDialog {
    Q_OBJECT
public:
    explicit Common_DlgLaenderCode(QWidget* parent = nullptr);

    // 1 "Bestimmungsland", 2 "Ursprungsland", 3 "Versendungsland", 4 "Erzeugungsland"; any
    // other value keeps "Ländercodes".
    void SetMode(int mode);
    // Presets; the selection follows them at once.
    void SetPresets(const std::u16string& name, const std::u16string& code);

    // Results after OK; the presets after Cancel.
    const std::u16string& Name() const { return m_strName; }
    const std::u16string& Code() const { return m_strCode; }

    void accept() override;

protected:
    int NameRowForCodeRow(int codeRow) const override;
    int CodeRowForNameRow(int nameRow) const override;

private:
    std::u16string m_strName;
    std::u16string m_strCode;
};

}  // namespace tarvex
