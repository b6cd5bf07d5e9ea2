#include "ui/sad/dialogs/CDlgMoveEHWarenpositon.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
CDlgMoveEHWarenpositon::CDlgMoveEHWarenpositon(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Str(sadeditstr::kMoveTitle));
    auto* layout = new QVBoxLayout(this);
    auto* sourceLabel = new QLabel(Str(sadeditstr::kMoveSourceLabel), this);
    m_pSource = new QComboBox(this);
    m_pSource->setObjectName("list1010");
    m_pSource->setToolTip(Str(sadeditstr::kTipMoveSource));
    sourceLabel->setBuddy(m_pSource);
    auto* targetLabel = new QLabel(Str(sadeditstr::kMoveTargetLabel), this);
    m_pTarget = new QComboBox(this);
    m_pTarget->setObjectName("list1011");
    m_pTarget->setToolTip(Str(sadeditstr::kTipMoveTarget));
    targetLabel->setBuddy(m_pTarget);
    for (QComboBox* c : {m_pSource, m_pTarget}) c->setMinimumWidth(260);
    auto* warning = new QLabel(Str(sadeditstr::kMoveWarning), this);
    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(Str(sadeditstr::kBtnOK), QDialogButtonBox::AcceptRole);
    m_pOk->setToolTip(Str(sadeditstr::kTipMoveOK));
    buttons->addButton(Str(sadeditstr::kBtnAbbrechen), QDialogButtonBox::RejectRole)
        ->setToolTip(Str(sadeditstr::kTipCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(sourceLabel);
    layout->addWidget(m_pSource);
    layout->addWidget(targetLabel);
    layout->addWidget(m_pTarget);
    layout->addSpacing(6);
    layout->addWidget(warning);
    layout->addWidget(buttons);
    connect(m_pSource, &QComboBox::currentIndexChanged, this, &CDlgMoveEHWarenpositon::UpdateOk);
    connect(m_pTarget, &QComboBox::currentIndexChanged, this, &CDlgMoveEHWarenpositon::UpdateOk);
    UpdateOk();
}

void CDlgMoveEHWarenpositon::SetEntries(const std::vector<std::u16string>& entries, int source, int target) {
    m_pSource->clear();
    m_pTarget->clear();
    for (const auto& e : entries) {
        m_pSource->addItem(QString::fromStdU16String(e));
        m_pTarget->addItem(QString::fromStdU16String(e));
    }
    m_pSource->setCurrentIndex(source);
    m_pTarget->setCurrentIndex(target);
    UpdateOk();
}

int CDlgMoveEHWarenpositon::Source() const {
    return m_pSource->currentIndex();
}

int CDlgMoveEHWarenpositon::Target() const {
    return m_pTarget->currentIndex();
}

void CDlgMoveEHWarenpositon::UpdateOk() {
    m_pOk->setEnabled(Source() >= 0 && Target() >= 0 && Source() != Target());
}

}  // namespace tarvex
