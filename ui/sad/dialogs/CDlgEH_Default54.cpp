#include "ui/sad/dialogs/CDlgEH_Default54.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgEH_Default54::CDlgEH_Default54(QWidget* parent)
    : CDlgEH_DefaultBase(sadeditstr::kDefault54Title, parent, sadeditstr::kBtn54Datum) {
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName("edit1000");
    m_pEdit->setToolTip(Str(sadeditstr::kTip300Feld54));
    m_pEdit->setMinimumWidth(m_pEdit->fontMetrics().averageCharWidth() * 36);
    m_pCheck = new QCheckBox(Str(sadeditstr::kCheck54Merken), this);
    m_pCheck->setObjectName("check1036");
    auto* label = new QLabel(Str(sadeditstr::kLabel54Ort), this);
    label->setBuddy(m_pEdit);
    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_pEdit, 0, 1);
    grid->addWidget(m_pCheck, 1, 1);
    Body()->addLayout(grid);
}

void CDlgEH_Default54::SetValues(const std::u16string& place, bool remember) {
    m_pEdit->setText(QString::fromStdU16String(place));
    m_pEdit->selectAll();
    m_pCheck->setChecked(remember);
}

std::u16string CDlgEH_Default54::Place() const {
    return m_pEdit->text().toStdU16String();
}

bool CDlgEH_Default54::Remember() const {
    return m_pCheck->isChecked();
}

}  // namespace tarvex
