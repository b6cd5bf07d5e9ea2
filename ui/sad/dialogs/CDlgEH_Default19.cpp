#include "ui/sad/dialogs/CDlgEH_Default19.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default19::CDlgEH_Default19(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault19Title, parent) {
    m_pGroup = new QButtonGroup(this);
    const auto texts = ContainerTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* button = new QRadioButton(Str(texts[i]), this);
        m_pGroup->addButton(button, static_cast<int>(i));
        Body()->addWidget(button);
    }
}

void CDlgEH_Default19::SetText(const std::u16string& boxText) {
    m_text = boxText;
    m_pGroup->setExclusive(false);
    for (QAbstractButton* b : m_pGroup->buttons()) b->setChecked(false);
    m_pGroup->setExclusive(true);
    if (QAbstractButton* b = m_pGroup->button(ContainerPresetButton(boxText))) b->setChecked(true);
}

void CDlgEH_Default19::accept() {
    m_text = ContainerResult(m_pGroup->checkedId(), m_text);
    QDialog::accept();
}

}  // namespace tarvex
