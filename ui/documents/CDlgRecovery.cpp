#include "ui/documents/CDlgRecovery.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/ShellStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgRecovery::CDlgRecovery(const QList<RecoveryEntry>& entries, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Str(shellstr::kRecoveryTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Str(shellstr::kRecoveryHeading), this));
    m_list = new QListWidget(this);
    for (const RecoveryEntry& e : entries) {
        const QString where = e.originalPath.isEmpty() ? Str(shellstr::kRecoveryNeverSaved)
                                                       : QDir::toNativeSeparators(e.originalPath);
        auto* item = new QListWidgetItem(
            Str(shellstr::kRecoveryItem)
                .arg(e.title, where, e.saved.toString(Str(shellstr::kRecoveryTimeFormat))),
            m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_list->setMinimumWidth(std::max(560, m_list->sizeHintForColumn(0) + 40));
    // As high as the entries need, within reason: a long list scrolls.
    const int rows = std::clamp(static_cast<int>(entries.size()), 3, 10);
    m_list->setFixedHeight(rows * std::max(1, m_list->sizeHintForRow(0)) + 2 * m_list->frameWidth() + 4);
    layout->addWidget(m_list);
    auto* hint = new QLabel(Str(shellstr::kRecoveryHint), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(Str(shellstr::kRecoveryRestore), QDialogButtonBox::AcceptRole);
    buttons->addButton(Str(shellstr::kRecoveryLater), QDialogButtonBox::RejectRole);
    restore->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QList<bool> CDlgRecovery::Choice() const {
    QList<bool> choice;
    for (int i = 0; i < m_list->count(); ++i) choice.append(m_list->item(i)->checkState() == Qt::Checked);
    return choice;
}

}  // namespace tarvex
