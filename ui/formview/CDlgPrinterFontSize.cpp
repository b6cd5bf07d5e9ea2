#include "ui/formview/CDlgPrinterFontSize.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"
#include "core/formview/FormViewStrings.h"

namespace tarvex {

CDlgPrinterFontSize::CDlgPrinterFontSize(Profile& profile, QWidget* parent)
    : QDialog(parent), m_profile(profile) {
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
    m_sad = makeRow(0, QString::fromUtf16(formviewstr::kFontSizeSad), settings::kEHForm);
    m_dv1 = makeRow(1, QString::fromUtf16(formviewstr::kFontSizeDv1), settings::kDV1Form);
    auto* box = new QDialogButtonBox;
    box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    box->addButton(QString::fromUtf16(formviewstr::kBtnAbbrechen), QDialogButtonBox::RejectRole);
    auto* help = box->addButton(QString::fromUtf16(formviewstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CDlgPrinterFontSize::helpRequested);
    grid->addWidget(box, 2, 0, 1, 3);
}

void CDlgPrinterFontSize::accept() {
    m_profile.WriteProfileInt(settings::kEHForm, settings::kPrinterFontFactor.name, m_sad->value());
    m_profile.WriteProfileInt(settings::kDV1Form, settings::kPrinterFontFactor.name, m_dv1->value());
    QDialog::accept();
}

}  // namespace tarvex
