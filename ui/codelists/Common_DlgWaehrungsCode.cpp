#include "ui/codelists/Common_DlgWaehrungsCode.h"

#include <QListWidget>

#include "core/codelists/CodeListStrings.h"
#include "core/codelists/Countries.h"
#include "ui/common/QtText.h"

namespace tarvex {

Common_DlgWaehrungsCode::Common_DlgWaehrungsCode(QWidget* parent)
    : CCodeNameListsDialog({codestr::kWaehrungscodes, codestr::kLabelIsoCode, codestr::kLabelWaehrung,
                            codestr::kTipCurrencyCodes, codestr::kTipCurrencyNames},
                           Currencies(), parent) {
    SetCode({});
}

void Common_DlgWaehrungsCode::SetCode(const std::u16string& code) {
    m_strCode = code;
    const int row = CurrencyPresetRow(code);
    SelectRow(CodeList(), row);
    SelectRow(NameList(), NameRowForCodeRow(row));
}

void Common_DlgWaehrungsCode::accept() {
    m_strCode = CurrencyResult(SelectedRow(CodeList()), m_strCode);
    QDialog::accept();
}

int Common_DlgWaehrungsCode::NameRowForCodeRow(int codeRow) const {
    // The first name item with the row's name: a few currencies share a name.
    const auto rows = Currencies();
    if (codeRow < 0 || static_cast<size_t>(codeRow) >= rows.size()) return -1;
    const QString name = Str(rows[static_cast<size_t>(codeRow)].text);
    for (int i = 0; i < NameList()->count(); ++i)
        if (NameList()->item(i)->text() == name) return NameList()->item(i)->data(Qt::UserRole).toInt();
    return -1;
}

int Common_DlgWaehrungsCode::CodeRowForNameRow(int nameRow) const {
    return CurrencyCodeItemForNameRow(nameRow);
}

}  // namespace tarvex
