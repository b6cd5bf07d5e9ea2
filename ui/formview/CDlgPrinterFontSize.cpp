#include "ui/formview/CDlgPrinterFontSize.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "core/app/Profile.h"

namespace tarvex {

CDlgPrinterFontSize::CDlgPrinterFontSize(Profile& profile, QWidget* parent) : QDialog(parent), m_profile(profile) {
    setWindowTitle(QStringLiteral("Schriftgrößen für Druck"));
    auto* grid = new QGridLayout(this);
    auto makeRow = [&](int row, const QString& caption, const char* section) {
        auto* spin = new QSpinBox;
        // The spin box keeps the value within 50..150, so nothing out of range can be stored.
        spin->setRange(50, 150);
        spin->setValue(profile.GetProfileInt(section, "PrinterFontFactor", 95));
        auto* label = new QLabel(caption);
        label->setBuddy(spin);
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%")), row, 2);
        return spin;
    };
    m_sad = makeRow(0, QStringLiteral("Einheitspapier"), "EHForm_Defaults");
    m_dv1 = makeRow(1, QStringLiteral("D.V.1"), "DV1Form_Defaults");
    auto* box = new QDialogButtonBox;
    box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    auto* help = box->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CDlgPrinterFontSize::helpRequested);
    grid->addWidget(box, 2, 0, 1, 3);
}

void CDlgPrinterFontSize::accept() {
    m_profile.WriteProfileInt("EHForm_Defaults", "PrinterFontFactor", m_sad->value());
    m_profile.WriteProfileInt("DV1Form_Defaults", "PrinterFontFactor", m_dv1->value());
    QDialog::accept();
}

}  // namespace tarvex
