#include "ui/sad/dialogs/CDlgTextInput3L.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sad/BoxInput.h"
#include "core/sad/SadEditStrings.h"

namespace tarvex {

CDlgTextInput3L::CDlgTextInput3L(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf16(sadeditstr::kTextInputTitle));
    auto* layout = new QVBoxLayout(this);
    m_pEdit = new QPlainTextEdit(this);
    m_pEdit->setTabChangesFocus(true);
    m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics fm(m_pEdit->font());
    m_pEdit->setFixedSize(fm.averageCharWidth() * 40, fm.lineSpacing() * 4 + 12);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf16(sadeditstr::kBtnUebernehmen), QDialogButtonBox::AcceptRole)
        ->setToolTip(QString::fromUtf16(sadeditstr::kTipOK));
    buttons->addButton(QString::fromUtf16(sadeditstr::kBtnAbbrechen), QDialogButtonBox::RejectRole)
        ->setToolTip(QString::fromUtf16(sadeditstr::kTipCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pEdit);
    layout->addWidget(buttons);
}

void CDlgTextInput3L::SetText(const std::u16string& preset) {
    QString text = QString::fromStdU16String(TextInput3LPreset(preset));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pEdit->setPlainText(text);
    m_pEdit->selectAll();
}

std::u16string CDlgTextInput3L::Text() const {
    QString text = m_pEdit->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdU16String();
}

}  // namespace tarvex
