#include "ui/sad/dialogs/CDlgEH_Default20.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default20::CDlgEH_Default20(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault20Title, parent) {
    m_pGroup = new QButtonGroup(this);
    m_pFree = new QRadioButton(this);
    m_pFree->setObjectName("free");
    m_pGroup->addButton(m_pFree, 0);
    Body()->addWidget(m_pFree);
    auto* grid = new QGridLayout;
    const auto terms = DeliveryTerms();
    const int rows = static_cast<int>(terms.size() + 1) / 2;
    for (size_t i = 0; i < terms.size(); ++i) {
        auto* button = new QRadioButton(Str(terms[i].code), this);
        button->setObjectName(Str(terms[i].code));
        m_pGroup->addButton(button, static_cast<int>(i) + 1);
        // Plain text: "(C & F)" shows its ampersand.
        auto* text = new QLabel(Str(terms[i].text), this);
        text->setTextFormat(Qt::PlainText);
        const int r = static_cast<int>(i) % rows;
        const int c = static_cast<int>(i) / rows * 2;
        grid->addWidget(button, r, c);
        grid->addWidget(text, r, c + 1);
    }
    grid->setColumnMinimumWidth(1, 200);
    grid->setHorizontalSpacing(12);
    Body()->addLayout(grid);
}

void CDlgEH_Default20::SetText(const std::u16string& boxText) {
    m_text = boxText;
    const DeliveryTermsPreset preset = DeliveryTermsPresetOf(boxText);
    m_freeText = preset.freeText;
    QString label = QString::fromStdU16String(m_freeText);
    m_pFree->setText(label.replace(QChar('&'), QStringLiteral("&&")));
    m_pGroup->button(preset.button)->setChecked(true);
}

void CDlgEH_Default20::accept() {
    m_text = DeliveryTermsResult(m_pGroup->checkedId(), m_freeText);
    QDialog::accept();
}

}  // namespace tarvex
