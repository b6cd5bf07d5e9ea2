#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_DefaultBase::CDlgEH_DefaultBase(std::u16string_view title, QWidget* parent, std::u16string_view okText)
    : QDialog(parent) {
    setWindowTitle(Str(title));
    auto* layout = new QVBoxLayout(this);
    m_pBody = new QVBoxLayout;
    layout->addLayout(m_pBody, 1);
    m_pButtons =
        MakeDialogButtons(this, {okText.empty() ? std::u16string_view(sadeditstr::kBtnUebernehmen) : okText,
                                 sadeditstr::kTipOK, sadeditstr::kBtnAbbrechen, sadeditstr::kTipCancel,
                                 sadeditstr::kBtnHilfe, sadeditstr::kTipHelp});
    connect(HelpButton(m_pButtons), &QPushButton::clicked, this, &CDlgEH_DefaultBase::helpRequested);
    layout->addWidget(m_pButtons);
}

void CDlgEH_DefaultBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bFocusSet) return;
    m_bFocusSet = true;
    // The buttons exist before the dialog's own controls: put them last in the Tab order and
    // start in the first control, so that the clerk can type into the list or edit at once.
    QWidget* first = nullptr;
    QWidget* last = nullptr;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w == m_pButtons || m_pButtons->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus)) continue;
        if (!first) first = w;
        last = w;
    }
    if (!first) return;
    for (QAbstractButton* b : m_pButtons->buttons()) {
        QWidget::setTabOrder(last, b);
        last = b;
    }
    // In a group of buttons the chosen one takes the focus, so that the arrow keys start there.
    if (auto* button = qobject_cast<QAbstractButton*>(first);
        button && button->group() && button->group()->checkedButton())
        first = button->group()->checkedButton();
    first->setFocus(Qt::TabFocusReason);
}

}  // namespace tarvex
