#include "ui/sad/dialogs/CDlgEH_Default24.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/codelists/ListTypeAhead.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default24::CDlgEH_Default24(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault24Title, parent) {
    m_pList = new QListWidget(this);
    m_pList->setObjectName("list");
    m_pList->setToolTip(Str(sadeditstr::kTip296Feld24));
    for (const TransactionCode& code : TransactionCodes()) m_pList->addItem(Str(TransactionLabel(code)));
    const QFontMetrics fm(m_pList->font());
    m_pList->setFixedWidth(fm.horizontalAdvance(QStringLiteral("9 9")) + 48);
    m_pList->setMinimumHeight(fm.lineSpacing() * 14);
    CListTypeAhead::Install(m_pList);
    m_pGroupText = new QLabel(this);
    m_pGroupText->setObjectName("static1035");
    m_pOwnText = new QLabel(this);
    m_pOwnText->setObjectName("static1036");
    for (QLabel* l : {m_pGroupText, m_pOwnText}) {
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(fm.averageCharWidth() * 44);
        l->setMargin(4);
    }
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_pGroupText, 3);
    texts->addWidget(m_pOwnText, 2);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pList);
    row->addLayout(texts, 1);
    Body()->addLayout(row);
    connect(m_pList, &QListWidget::currentRowChanged, this, &CDlgEH_Default24::ShowTexts);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    SetTexts({}, {});
}

void CDlgEH_Default24::SetTexts(const std::u16string& box24A, const std::u16string& box24B) {
    m_box24A = box24A;
    m_box24B = box24B;
    const int index = TransactionPresetIndex(box24A, box24B);
    m_pList->setCurrentRow(index);
    ShowTexts(index);
}

void CDlgEH_Default24::ShowTexts(int index) {
    const auto codes = TransactionCodes();
    if (index < 0 || static_cast<size_t>(index) >= codes.size()) return;
    const TransactionCode& code = codes[static_cast<size_t>(index)];
    m_pGroupText->setText(Str(TransactionGroupText(code.first)));
    m_pOwnText->setText(Str(code.text));
}

void CDlgEH_Default24::accept() {
    const int index = m_pList->currentRow();
    if (index >= 0) {
        const TransactionResult r = TransactionResultOf(index);
        m_box24A = r.box24A;
        m_box24B = r.box24B;
    }
    QDialog::accept();
}

}  // namespace tarvex
