#include "ui/codelists/CodeNameListsDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/codelists/CodeListStrings.h"
#include "core/codelists/Countries.h"
#include "ui/codelists/ListTypeAhead.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/QtText.h"

namespace tarvex {

CCodeNameListsDialog::CCodeNameListsDialog(const Texts& texts, std::span<const CodeText> rows,
                                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Str(texts.title));
    m_pCodes = new QListWidget(this);
    m_pNames = new QListWidget(this);
    m_pCodes->setObjectName("codeList");
    m_pNames->setObjectName("nameList");
    m_pCodes->setToolTip(Str(texts.codeTip));
    m_pNames->setToolTip(Str(texts.nameTip));
    for (int row : CodeListOrder(rows)) {
        auto* item = new QListWidgetItem(Str(rows[static_cast<size_t>(row)].code), m_pCodes);
        item->setData(Qt::UserRole, row);
    }
    for (int row : NameListOrder(rows)) {
        auto* item = new QListWidgetItem(Str(rows[static_cast<size_t>(row)].text), m_pNames);
        item->setData(Qt::UserRole, row);
    }
    const QFontMetrics fm(font());
    m_pCodes->setFixedWidth(fm.horizontalAdvance(QStringLiteral("WWWW")) + 40);
    int nameWidth = 0;
    for (const CodeText& r : rows) nameWidth = std::max(nameWidth, fm.horizontalAdvance(Str(r.text)));
    m_pNames->setMinimumWidth(std::min(nameWidth, fm.averageCharWidth() * 48) + 40);
    m_pCodes->setMinimumHeight(fm.lineSpacing() * 16);
    CListTypeAhead::Install(m_pCodes);
    CListTypeAhead::Install(m_pNames);

    m_pCodeLabel = new QLabel(Str(texts.codeLabel), this);
    m_pCodeLabel->setBuddy(m_pCodes);
    auto* nameLabel = new QLabel(Str(texts.nameLabel), this);
    nameLabel->setBuddy(m_pNames);
    auto* grid = new QGridLayout;
    grid->addWidget(m_pCodeLabel, 0, 0, Qt::AlignBottom | Qt::AlignLeft);
    grid->addWidget(nameLabel, 0, 1, Qt::AlignBottom | Qt::AlignLeft);
    grid->addWidget(m_pCodes, 1, 0);
    grid->addWidget(m_pNames, 1, 1);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons =
        MakeDialogButtons(this, {codestr::kUebernehmen, codestr::kTipOk, codestr::kAbbrechen,
                                 codestr::kTipCancel, codestr::kHilfe, codestr::kTipHelp});
    connect(HelpButton(buttons), &QPushButton::clicked, this, &CCodeNameListsDialog::helpRequested);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    // Selection, not the current item: a list that gets the focus without a selection makes its
    // first item current, which must not pick anything in the other list.
    connect(m_pCodes, &QListWidget::itemSelectionChanged, this, [this] { Follow(m_pCodes, m_pNames, true); });
    connect(m_pNames, &QListWidget::itemSelectionChanged, this,
            [this] { Follow(m_pNames, m_pCodes, false); });
    connect(m_pCodes, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_pNames, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int CCodeNameListsDialog::SelectedRow(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
}

void CCodeNameListsDialog::SelectRow(QListWidget* list, int row) {
    // Codes repeat and the lists follow each other: a selection made here must not bounce back
    // and move the other list away from what the user picked.
    const bool following = m_bFollowing;
    m_bFollowing = true;
    list->clearSelection();
    list->setCurrentItem(nullptr);
    for (int i = 0; i < list->count() && row >= 0; ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->data(Qt::UserRole).toInt() == row) {
            list->setCurrentItem(item);
            item->setSelected(true);
            list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
            break;
        }
    }
    m_bFollowing = following;
}

void CCodeNameListsDialog::Follow(QListWidget* from, QListWidget* to, bool fromCodes) {
    if (m_bFollowing) return;
    const int row = SelectedRow(from);
    if (row < 0) return;
    SelectRow(to, fromCodes ? NameRowForCodeRow(row) : CodeRowForNameRow(row));
}

}  // namespace tarvex
