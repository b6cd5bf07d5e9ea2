#include "ui/masterdata/MasterDataHost.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/common/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

void ShowTableError(QWidget* parent, const CTableError& error) {
    QMessageBox::warning(parent, Str(shellstr::kAppTitle), QString::fromStdString(error.Text()));
}

QString AccessKeyText(std::u16string_view text, char16_t key) {
    QString s = Str(text);
    const qsizetype at = s.indexOf(QChar(key));
    if (at >= 0) s.insert(at, QLatin1Char('&'));
    return s;
}

void CMasterDataMessages::ReportTableError(const CTableError& error) {
    ShowTableError(m_parent, error);
}

void CMasterDataMessages::ShowMessage(const std::u16string& text) {
    QMessageBox::warning(m_parent, Str(shellstr::kAppTitle), Str(text));
}

bool CMasterDataMessages::AskYesNo(const std::u16string& text) {
    QMessageBox box(QMessageBox::Question, Str(shellstr::kAppTitle), Str(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(AccessKeyText(mdstr::kYes, u'J'));
    box.button(QMessageBox::No)->setText(AccessKeyText(mdstr::kNo, u'N'));
    return box.exec() == QMessageBox::Yes;
}

bool ConfirmCut(QWidget* parent, const std::vector<std::u16string>& problems) {
    QString text = Str(mdstr::kFitIntro) + QLatin1Char('\n');
    for (const auto& p : problems) text += Str(p) + QLatin1Char('\n');
    text += QLatin1Char('\n') + Str(mdstr::kFitQuestion);
    QMessageBox box(QMessageBox::Warning, Str(mdstr::kFitTitle), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(AccessKeyText(mdstr::kYes, u'J'));
    box.button(QMessageBox::No)->setText(AccessKeyText(mdstr::kNo, u'N'));
    return box.exec() == QMessageBox::Yes;
}

}  // namespace tarvex
