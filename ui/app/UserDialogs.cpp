#include "ui/app/UserDialogs.h"

#include <QFileDialog>
#include <QPushButton>

#include "core/common/ShellStrings.h"
#include "ui/app/CDlgNew.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/DocumentWindows.h"
#include "ui/common/QtText.h"
#include "ui/documents/CDlgRecovery.h"
#include "ui/documents/DocumentRecovery.h"

namespace tarvex {

int CUserDialogs::RunNewDialog(QWidget* parent) {
    CDlgNew dlg(parent);
    return dlg.exec() == QDialog::Accepted ? dlg.Result() : -1;
}

bool CUserDialogs::ConfirmReset(QWidget* parent, const QString& title, const QString& question) {
    QMessageBox box(QMessageBox::Warning, title, Str(shellstr::kAttention21031), QMessageBox::NoButton,
                    parent);
    box.setInformativeText(question);
    QPushButton* yes = box.addButton(Str(shellstr::kResetYes21032), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(Str(shellstr::kResetNo21033), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool CUserDialogs::ExecFileDialog(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void CUserDialogs::ShowMessage(QWidget* parent, const QString& title, const QString& text,
                               QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton CUserDialogs::AskSaveChanges(QWidget* parent, CChildFrame* window,
                                                         const QString& question) {
    // The window in question comes to the front, so that the clerk sees what is asked about.
    if (auto* frame = qobject_cast<CMainFrame*>(parent)) frame->ActivateChild(window);
    QMessageBox box(QMessageBox::Question, Str(shellstr::kAppTitle), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QList<bool>> CUserDialogs::AskRecovery(QWidget* parent, const QList<RecoveryEntry>& entries) {
    CDlgRecovery dlg(entries, parent);
    if (dlg.exec() == QDialog::Accepted) return dlg.Choice();
    return std::nullopt;
}

bool CUserDialogs::AskYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, Str(shellstr::kAppTitle), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int CUserDialogs::ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace tarvex
