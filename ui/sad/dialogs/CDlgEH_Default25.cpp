#include "ui/sad/dialogs/CDlgEH_Default25.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/codelists/ListTypeAhead.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default25::CDlgEH_Default25(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault25Title, parent) {
    m_pList = new QListWidget(this);
    m_pList->setObjectName("list");
    m_pList->setToolTip(Str(sadeditstr::kTip297Feld25));
    int width = 0;
    const QFontMetrics fm(m_pList->font());
    for (std::u16string_view mode : TransportModes()) {
        m_pList->addItem(Str(mode));
        width = std::max(width, fm.horizontalAdvance(Str(mode)));
    }
    m_pList->setMinimumSize(width + 40, fm.lineSpacing() * m_pList->count() + 12);
    CListTypeAhead::Install(m_pList);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    Body()->addWidget(m_pList);
}

void CDlgEH_Default25::SetText(const std::u16string& boxText) {
    m_text = boxText;
    const int index = TransportPresetIndex(boxText);
    m_pList->setCurrentRow(index);
    if (index < 0) m_pList->clearSelection();
}

void CDlgEH_Default25::accept() {
    const QListWidgetItem* item = m_pList->currentItem();
    m_text = TransportResult(item && item->isSelected() ? m_pList->currentRow() : -1, m_text);
    QDialog::accept();
}

}  // namespace tarvex
