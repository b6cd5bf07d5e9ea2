#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "ui/app/DialogButtons.h"
#include "ui/app/QtText.h"

namespace tarvex {

CDlgEH_DefaultBase::CDlgEH_DefaultBase(std::u16string_view title, QWidget* parent, std::u16string_view okText)
    : QDialog(parent) {
    setWindowTitle(Str(title));
    auto* layout = new QVBoxLayout(this);
    m_pBody = new QVBoxLayout;
    layout->addLayout(m_pBody, 1);
    m_pButtons =
        MakeDialogButtons(this, {okText.empty() ? std::u16string_view(sadeditstr::kBtnUebernehmen) : okText,
                                 sadeditstr::kTipOK, sadeditstr::kBtnAbbrechen, sadeditstr::kTipCancel,
                                 sadeditstr::kBtnHilfe, sadeditstr::kTipHelp});
    connect(HelpButton(m_pButtons), &QPushButton::clicked, this, &CDlgEH_DefaultBase::helpRequested);
    layout->addWidget(m_pButtons);
}

}  // namespace tarvex
