#include "ui/sad/dialogs/CDlgZollArten.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/codelists/DutyTypes.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
CDlgZollArten::CDlgZollArten(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Str(sadeditstr::kZollArtenTitle));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(Str(sadeditstr::kLabelZollart), this);
    m_pList = new QComboBox(this);
    m_pList->setObjectName("list1010");
    for (const DutyType& t : DutyTypes()) m_pList->addItem(Str(t.code));
    caption->setBuddy(m_pList);
    auto* group = new QGroupBox(Str(sadeditstr::kGroupBedeutung), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_pMeaning = new QLabel(group);
    m_pMeaning->setObjectName("static1039");
    m_pMeaning->setWordWrap(true);
    m_pMeaning->setMinimumSize(300, 48);
    m_pMeaning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    groupLayout->addWidget(m_pMeaning);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Str(sadeditstr::kBtnUebernehmen), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Str(sadeditstr::kBtnAbbruch), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(caption);
    layout->addWidget(m_pList);
    layout->addWidget(group);
    layout->addWidget(buttons);
    connect(m_pList, &QComboBox::currentIndexChanged, this, &CDlgZollArten::ShowMeaning);
    ShowMeaning(0);
}

void CDlgZollArten::SetCode(const QString& preset) {
    const std::u16string p = preset.toStdU16String();
    const int index = DutyTypePresetIndex(p);
    m_pList->setCurrentIndex(index);
    ShowMeaning(index);
}

QString CDlgZollArten::Code() const {
    return m_pList->currentText();
}

void CDlgZollArten::ShowMeaning(int index) {
    const auto types = DutyTypes();
    if (index < 0 || static_cast<size_t>(index) >= types.size()) return;
    m_pMeaning->setText(Str(types[static_cast<size_t>(index)].text));
}

}  // namespace tarvex
