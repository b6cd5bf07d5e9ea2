#include "ui/formview/CDlgPrinterFontSize.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

CDlgPrinterFontSize::CDlgPrinterFontSize(Profile& profile, std::vector<const FormPrintTraits*> forms,
                                         QWidget* parent)
    : QDialog(parent), m_profile(profile), m_forms(std::move(forms)) {
    setWindowTitle(QString::fromUtf16(formviewstr::kFontSizeTitle));
    auto* grid = new QGridLayout(this);
    auto makeRow = [&](int row, const QString& caption, const char* section) {
        auto* spin = new QSpinBox;
        // The spin box keeps the value within 50..150, so nothing out of range can be stored.
        spin->setRange(50, 150);
        spin->setValue(settings::Get(profile, section, settings::kPrinterFontFactor));
        auto* label = new QLabel(caption);
        label->setBuddy(spin);
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%")), row, 2);
        return spin;
    };
    for (const FormPrintTraits* form : m_forms)
        m_spins.push_back(makeRow(static_cast<int>(m_spins.size()),
                                  QString::fromUtf16(form->printerFontCaption), form->section));
    auto* box = new QDialogButtonBox;
    box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    box->addButton(QString::fromUtf16(formviewstr::kBtnAbbrechen), QDialogButtonBox::RejectRole);
    auto* help = box->addButton(QString::fromUtf16(formviewstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CDlgPrinterFontSize::helpRequested);
    grid->addWidget(box, static_cast<int>(m_spins.size()), 0, 1, 3);
}

void CDlgPrinterFontSize::accept() {
    for (size_t i = 0; i < m_forms.size(); ++i)
        m_profile.WriteProfileInt(m_forms[i]->section, settings::kPrinterFontFactor.name,
                                  m_spins[i]->value());
    QDialog::accept();
}

}  // namespace tarvex
