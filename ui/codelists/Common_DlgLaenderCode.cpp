#include "ui/codelists/Common_DlgLaenderCode.h"

#include <QListWidget>

#include "core/codelists/CodeListStrings.h"
#include "core/codelists/Countries.h"
#include "ui/common/QtText.h"

namespace tarvex {

Common_DlgLaenderCode::Common_DlgLaenderCode(QWidget* parent)
    : CCodeNameListsDialog({codestr::kLaendercodes, codestr::kLabelLaendercode, codestr::kLabelLand,
                            codestr::kTipCountryCodes, codestr::kTipCountryNames},
                           Countries(), parent) {
    SetPresets({}, {});
}

void Common_DlgLaenderCode::SetMode(int mode) {
    setWindowTitle(Str(CountryDialogTitle(mode)));
}

void Common_DlgLaenderCode::SetPresets(const std::u16string& name, const std::u16string& code) {
    m_strName = name;
    m_strCode = code;
    const CountrySelection sel = CountryPresetSelection(name, code);
    SelectRow(CodeList(), sel.codeRow);
    SelectRow(NameList(), sel.nameRow);
}

void Common_DlgLaenderCode::accept() {
    // Codes repeat; the name list decides which country it is.
    const int row = SelectedRow(NameList());
    if (row >= 0) {
        const CountryResult r = CountryResultOf(row);
        m_strName = r.name;
        m_strCode = r.code;
    }
    QDialog::accept();
}

int Common_DlgLaenderCode::NameRowForCodeRow(int codeRow) const {
    return CountryNameItemForCodeRow(codeRow);
}

int Common_DlgLaenderCode::CodeRowForNameRow(int nameRow) const {
    return CountryCodeItemForNameRow(nameRow);
}

}  // namespace tarvex
