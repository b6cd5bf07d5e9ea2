#include "ui/sad/dialogs/CDlgEH_Default01.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default01::CDlgEH_Default01(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault01Title, parent) {
    auto* heading = new QLabel(Str(sadeditstr::kDefault01Heading), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    Body()->addWidget(heading);
    auto* row = new QHBoxLayout;
    for (int g = 0; g < kBox1GroupCount; ++g) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* grid = new QGridLayout(frame);
        auto* group = new QButtonGroup(this);
        const auto labels = Box1Group(g);
        // Group 2 has nine buttons and group 3 eight: two columns keep the dialog low.
        const int perColumn = g == 0 ? 5 : 4 + (static_cast<int>(labels.size()) > 8 ? 1 : 0);
        for (size_t i = 0; i < labels.size(); ++i) {
            auto* button = new QRadioButton(Str(labels[i]), frame);
            button->setObjectName(QStringLiteral("box1_%1_%2").arg(g).arg(i));
            group->addButton(button, static_cast<int>(i));
            grid->addWidget(button, static_cast<int>(i) % perColumn, static_cast<int>(i) / perColumn);
        }
        m_groups[static_cast<size_t>(g)] = group;
        row->addWidget(frame, 0, Qt::AlignTop);
    }
    Body()->addLayout(row);
}

void CDlgEH_Default01::SetTexts(const std::array<std::u16string, 3>& texts) {
    m_texts = texts;
    for (int g = 0; g < kBox1GroupCount; ++g) {
        QButtonGroup* group = m_groups[static_cast<size_t>(g)];
        // A group without a match shows no selection: the exclusive group must let go first.
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(false);
        group->setExclusive(true);
        if (QAbstractButton* b = group->button(Box1PresetButton(g, texts[static_cast<size_t>(g)])))
            b->setChecked(true);
    }
}

void CDlgEH_Default01::accept() {
    for (int g = 0; g < kBox1GroupCount; ++g) {
        auto& text = m_texts[static_cast<size_t>(g)];
        text = Box1Result(g, m_groups[static_cast<size_t>(g)]->checkedId(), text);
    }
    QDialog::accept();
}

}  // namespace tarvex
