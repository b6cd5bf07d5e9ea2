#include "ui/masterdata/MasterDataHost.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/app/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "ui/app/QtText.h"

namespace tarvex {

void ShowTableError(QWidget* parent, const CTableError& error) {
    QMessageBox::warning(parent, Str(shellstr::kAppTitle), QString::fromStdString(error.Text()));
}

void CMasterDataMessages::ReportTableError(const CTableError& error) {
    ShowTableError(m_parent, error);
}

void CMasterDataMessages::ShowMessage(const std::u16string& text) {
    QMessageBox::warning(m_parent, Str(shellstr::kAppTitle), Str(text));
}

bool CMasterDataMessages::AskYesNo(const std::u16string& text) {
    return QMessageBox::question(m_parent, Str(shellstr::kAppTitle), Str(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool ConfirmCut(QWidget* parent, const std::vector<std::u16string>& problems) {
    QString text = Str(mdstr::kFitIntro) + QLatin1Char('\n');
    for (const auto& p : problems) text += Str(p) + QLatin1Char('\n');
    text += QLatin1Char('\n') + Str(mdstr::kFitQuestion);
    QMessageBox box(QMessageBox::Warning, Str(mdstr::kFitTitle), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(Str(mdstr::kYes));
    box.button(QMessageBox::No)->setText(Str(mdstr::kNo));
    return box.exec() == QMessageBox::Yes;
}

}  // namespace tarvex
