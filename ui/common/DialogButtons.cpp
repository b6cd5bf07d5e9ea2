#include "ui/common/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "ui/common/QtText.h"

namespace tarvex {

QDialogButtonBox* MakeDialogButtons(QDialog* dialog, const DialogButtonTexts& t) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(Str(t.ok), QDialogButtonBox::AcceptRole);
    ok->setToolTip(Str(t.okTip));
    ok->setDefault(true);
    ok->setObjectName("button1");
    QPushButton* cancel = buttons->addButton(Str(t.cancel), QDialogButtonBox::RejectRole);
    cancel->setToolTip(Str(t.cancelTip));
    cancel->setObjectName("button2");
    if (!t.help.empty()) {
        QPushButton* help = buttons->addButton(Str(t.help), QDialogButtonBox::HelpRole);
        help->setToolTip(Str(t.helpTip));
        help->setObjectName("button57670");
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* HelpButton(QDialogButtonBox* buttons) {
    return buttons->findChild<QPushButton*>("button57670");
}

}  // namespace tarvex
