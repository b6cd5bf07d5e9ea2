#include "ui/sad/dialogs/CDlgEH_Default36.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default36::CDlgEH_Default36(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault36Title, parent) {
    m_pFirst = new QComboBox(this);
    m_pPair = new QComboBox(this);
    m_pFirst->setObjectName("first");
    m_pPair->setObjectName("pair");
    for (const CodeText& c : PreferenceFirstDigits()) m_pFirst->addItem(Str(c.code));
    for (const CodeText& c : PreferencePairs()) m_pPair->addItem(Str(c.code));
    m_pFirstText = new QLabel(this);
    m_pPairText = new QLabel(this);
    const int textWidth = m_pFirstText->fontMetrics().averageCharWidth() * 50;
    for (QLabel* l : {m_pFirstText, m_pPairText}) {
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        l->setMinimumWidth(textWidth);
        l->setMinimumHeight(l->fontMetrics().lineSpacing() * 2);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (QComboBox* c : {m_pFirst, m_pPair}) {
        c->setToolTip(Str(sadeditstr::kTip299Feld36));
        connect(c, &QComboBox::currentIndexChanged, this, &CDlgEH_Default36::ShowTexts);
    }
    auto* firstLabel = new QLabel(Str(sadeditstr::kLabel36First), this);
    auto* pairLabel = new QLabel(Str(sadeditstr::kLabel36Pair), this);
    firstLabel->setBuddy(m_pFirst);
    pairLabel->setBuddy(m_pPair);
    auto* grid = new QGridLayout;
    grid->addWidget(firstLabel, 0, 0);
    grid->addWidget(m_pFirst, 0, 1);
    grid->addWidget(m_pFirstText, 0, 2);
    grid->addWidget(pairLabel, 1, 0);
    grid->addWidget(m_pPair, 1, 1);
    grid->addWidget(m_pPairText, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(10);
    Body()->addLayout(grid);
    SetText({});
}

void CDlgEH_Default36::SetText(const std::u16string& boxText) {
    m_text = boxText;
    const PreferenceSelection sel = PreferencePresetOf(boxText);
    m_pFirst->setCurrentIndex(sel.first);
    m_pPair->setCurrentIndex(sel.pair);
    ShowTexts();
}

void CDlgEH_Default36::ShowTexts() {
    const auto firsts = PreferenceFirstDigits();
    const auto pairs = PreferencePairs();
    const int f = m_pFirst->currentIndex();
    const int p = m_pPair->currentIndex();
    if (f >= 0 && static_cast<size_t>(f) < firsts.size())
        m_pFirstText->setText(Str(firsts[static_cast<size_t>(f)].text));
    if (p >= 0 && static_cast<size_t>(p) < pairs.size())
        m_pPairText->setText(Str(pairs[static_cast<size_t>(p)].text));
}

void CDlgEH_Default36::accept() {
    m_text = PreferenceResult({m_pFirst->currentIndex(), m_pPair->currentIndex()});
    QDialog::accept();
}

}  // namespace tarvex
