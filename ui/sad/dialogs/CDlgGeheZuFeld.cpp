#include "ui/sad/dialogs/CDlgGeheZuFeld.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"

namespace tarvex {

CDlgGeheZuFeld::CDlgGeheZuFeld(int item, Check check, QWidget* parent)
    : QDialog(parent), m_check(std::move(check)) {
    setWindowTitle(QString::fromUtf16(sadeditstr::kGoToTitle));
    auto* layout = new QVBoxLayout(this);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setMaxLength(12);
    auto* prompt = new QLabel(QString::fromUtf16(sadeditstr::kGoToPrompt), this);
    prompt->setBuddy(m_pEdit);
    layout->addWidget(prompt);
    layout->addWidget(m_pEdit);
    if (item > 0) {
        auto* form = new QFormLayout;
        m_pItem = new QSpinBox(this);
        m_pItem->setRange(1, 3);
        m_pItem->setValue(item);
        form->addRow(QString::fromUtf16(sadeditstr::kGoToItem), m_pItem);
        layout->addLayout(form);
    }
    m_pMessage = new QLabel(this);
    m_pMessage->setWordWrap(true);
    m_pMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pMessage->hide();
    layout->addWidget(m_pMessage);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf16(sadeditstr::kBtnOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(QString::fromUtf16(sadeditstr::kBtnAbbrechen), QDialogButtonBox::RejectRole);
    buttons->addButton(QString::fromUtf16(sadeditstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpContext); });
    connect(m_pEdit, &QLineEdit::textEdited, m_pMessage, &QWidget::hide);
    layout->addWidget(buttons);
    m_pEdit->setFocus();
}

std::u16string CDlgGeheZuFeld::Label() const {
    return m_pEdit->text().toStdU16String();
}

int CDlgGeheZuFeld::Item() const {
    return m_pItem ? m_pItem->value() : 1;
}

void CDlgGeheZuFeld::accept() {
    const std::u16string problem = m_check ? m_check(Label(), Item()) : std::u16string();
    if (problem.empty()) {
        QDialog::accept();
        return;
    }
    m_pMessage->setText(QString::fromStdU16String(problem));
    m_pMessage->show();
    adjustSize();
    m_pEdit->selectAll();
    m_pEdit->setFocus();
}

}  // namespace tarvex
