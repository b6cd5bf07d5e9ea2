#include "ui/sad/dialogs/CDlgFeld44Einfuhr.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/HelpContexts.h"
#include "core/sad/BoxInput.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
CDlgFeld44Einfuhr::CDlgFeld44Einfuhr(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Str(sadeditstr::kFeld44Title));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Str(sadeditstr::kFeld44Label), this);
    m_pEdit = new QPlainTextEdit(this);
    m_pEdit->setObjectName("edit1000");
    m_pEdit->setTabChangesFocus(true);
    m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pEdit->setToolTip(Str(sadeditstr::kTip301Feld44Edit));
    const QFontMetrics fm(m_pEdit->font());
    m_nEditHeight = fm.lineSpacing() * 4 + 12;
    m_pEdit->setFixedSize(fm.averageCharWidth() * 72, m_nEditHeight);
    label->setBuddy(m_pEdit);
    m_pCheck = new QCheckBox(Str(sadeditstr::kFeld44Check), this);
    m_pCheck->setObjectName("check1036");
    m_pCheck->setToolTip(Str(sadeditstr::kTip302Feld44Check));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Str(sadeditstr::kBtnUebernehmen), QDialogButtonBox::AcceptRole)
        ->setToolTip(Str(sadeditstr::kTipOK));
    buttons->addButton(Str(sadeditstr::kBtnAbbrechen), QDialogButtonBox::RejectRole)
        ->setToolTip(Str(sadeditstr::kTipCancel));
    QPushButton* help = buttons->addButton(Str(sadeditstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    help->setToolTip(Str(sadeditstr::kTipHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { emit helpRequested(help::SadBox(44)); });
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addWidget(m_pCheck);
    layout->addWidget(buttons);
}

void CDlgFeld44Einfuhr::SetValues(const std::u16string& boxText, bool reserveFirstLine, bool inputTax) {
    m_bReserve = reserveFirstLine;
    QStringList lines;
    for (const auto& line : Feld44EditLines(boxText, reserveFirstLine))
        lines << QString::fromStdU16String(line);
    m_pEdit->setPlainText(lines.join(QChar('\n')));
    m_pCheck->setChecked(inputTax);
    m_pCheck->setVisible(reserveFirstLine);
    // Without the check box the edit takes its place: one line more.
    const QFontMetrics fm(m_pEdit->font());
    m_pEdit->setFixedHeight(reserveFirstLine ? m_nEditHeight : m_nEditHeight + fm.lineSpacing());
}

std::u16string CDlgFeld44Einfuhr::Text() const {
    std::vector<std::u16string> lines;
    for (const QString& line : m_pEdit->toPlainText().split(QChar('\n')))
        lines.push_back(line.toStdU16String());
    return Feld44BoxText(lines, m_bReserve);
}

bool CDlgFeld44Einfuhr::InputTax() const {
    return m_pCheck->isChecked();
}

}  // namespace tarvex
