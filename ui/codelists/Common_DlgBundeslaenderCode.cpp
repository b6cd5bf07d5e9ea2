#include "ui/codelists/Common_DlgBundeslaenderCode.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/codelists/CodeListStrings.h"
#include "core/codelists/FederalStates.h"
#include "ui/codelists/ListTypeAhead.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/QtText.h"

namespace tarvex {

Common_DlgBundeslaenderCode::Common_DlgBundeslaenderCode(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Str(codestr::kLaendernummerInland));
    m_pList = new QListWidget(this);
    m_pList->setObjectName("list21135");
    m_pList->setToolTip(Str(codestr::kTipFederalStates));
    int width = 0;
    const QFontMetrics fm(m_pList->font());
    for (std::u16string_view text : FederalStates()) {
        m_pList->addItem(Str(text));
        width = std::max(width, fm.horizontalAdvance(Str(text)));
    }
    m_pList->setMinimumSize(width + 40, fm.lineSpacing() * kFederalStateCount + 8);
    CListTypeAhead::Install(m_pList);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(MakeDialogButtons(
        this, {codestr::kUebernehmen, codestr::kTipOk, codestr::kAbbruch, codestr::kTipCancel, {}, {}}));
    SetCode({});
}

void Common_DlgBundeslaenderCode::SetTitle(const std::u16string& title) {
    if (!title.empty()) setWindowTitle(QString::fromStdU16String(title));
}

void Common_DlgBundeslaenderCode::SetCode(const std::u16string& code) {
    m_strCode = code;
    const int index = FederalStatePresetIndex(code);
    m_pList->setCurrentRow(index);
    if (index < 0) m_pList->clearSelection();
}

void Common_DlgBundeslaenderCode::accept() {
    const int index =
        m_pList->currentItem() && m_pList->currentItem()->isSelected() ? m_pList->currentRow() : -1;
    m_strCode = FederalStateResult(index, m_strCode);
    QDialog::accept();
}

}  // namespace tarvex
