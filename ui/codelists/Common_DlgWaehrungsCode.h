#pragma once
// "Währungscodes": picks a currency by its ISO code or its German name.

#include <string>

#include "ui/codelists/CodeNameListsDialog.h"

namespace tarvex {

class Common_DlgWaehrungsCode : public CCodeNameListsDialog {
    Q_OBJECT
public:
    explicit Common_DlgWaehrungsCode(QWidget* parent = nullptr);

    // The code preset; empty means "EUR". A code not in the table selects nothing.
    void SetCode(const std::u16string& code);
    // The selected code after OK (the preset when nothing was selected); the preset after Cancel.
    const std::u16string& Code() const { return m_strCode; }

    void accept() override;

protected:
    int NameRowForCodeRow(int codeRow) const override;
    int CodeRowForNameRow(int nameRow) const override;

private:
    std::u16string m_strCode;
};

}  // namespace tarvex
