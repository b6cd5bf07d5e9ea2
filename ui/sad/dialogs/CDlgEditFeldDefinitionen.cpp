#include "ui/sad/dialogs/CDlgEditFeldDefinitionen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/ShellStrings.h"
#include "core/formview/FormViewStrings.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadLayout.h"

namespace tarvex {

CDlgEditFeldDefinitionen::CDlgEditFeldDefinitionen(CFieldDefinitions& working, Profile& profile,
                                                   Profile& programArea, QWidget* parent)
    : QDialog(parent), m_defs(working), m_profile(profile), m_programArea(programArea) {
    setWindowTitle(QString::fromUtf16(formviewstr::kFieldDefsTitle));
    setObjectName(QStringLiteral("dlg366"));

    m_pVariant = new QComboBox(this);
    m_pVariant->setObjectName(QStringLiteral("ctl1010"));
    for (const char16_t* v : formviewstr::kFieldDefsVariants) m_pVariant->addItem(QString::fromUtf16(v));
    m_pVariant->setToolTip(QString::fromUtf16(formviewstr::kTipFieldDefsVariant));

    m_pField = new QComboBox(this);
    m_pField->setObjectName(QStringLiteral("ctl1011"));
    for (int i = 0; i < kSadDefinitionEntries; ++i)
        m_pField->addItem(QString::fromStdU16String(SadDefinitionEntryText(i)));
    m_pField->setMaxVisibleItems(20);
    m_pField->setToolTip(QString::fromUtf16(formviewstr::kTipFieldDefsField));

    m_pNotEditable = new QCheckBox(QString::fromUtf16(formviewstr::kNotEditable), this);
    m_pNotEditable->setObjectName(QStringLiteral("ctl1036"));
    m_pNotEditable->setToolTip(QString::fromUtf16(formviewstr::kTipNotEditable));
    m_pNotPrinted = new QCheckBox(QString::fromUtf16(formviewstr::kNotPrinted), this);
    m_pNotPrinted->setObjectName(QStringLiteral("ctl1032"));
    m_pNotPrinted->setToolTip(QString::fromUtf16(formviewstr::kTipNotPrinted));
    m_pHidden = new QCheckBox(QString::fromUtf16(formviewstr::kHidden), this);
    m_pHidden->setObjectName(QStringLiteral("ctl1033"));
    m_pHidden->setToolTip(QString::fromUtf16(formviewstr::kTipHidden));

    m_pReset = new QPushButton(QString::fromUtf16(formviewstr::kResetAll), this);
    m_pReset->setObjectName(QStringLiteral("ctl1037"));
    m_pReset->setToolTip(QString::fromUtf16(formviewstr::kTipResetAll));
    m_pReset->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    ok->setToolTip(QString::fromUtf16(formviewstr::kTipSaveAndClose));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf16(formviewstr::kBtnAbbrechen), QDialogButtonBox::RejectRole);
    cancel->setToolTip(QString::fromUtf16(formviewstr::kTipCancel));
    QPushButton* help =
        buttons->addButton(QString::fromUtf16(formviewstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    help->setToolTip(QString::fromUtf16(formviewstr::kTipHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgEditFeldDefinitionen::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgEditFeldDefinitionen::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpContext); });

    auto* form = new QFormLayout;
    auto* lv = new QLabel(QString::fromUtf16(formviewstr::kFieldDefsVariantLabel), this);
    lv->setBuddy(m_pVariant);
    auto* lf = new QLabel(QString::fromUtf16(formviewstr::kFieldDefsFieldLabel), this);
    lf->setBuddy(m_pField);
    form->addRow(lv, m_pVariant);
    form->addRow(lf, m_pField);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pNotEditable);
    layout->addWidget(m_pNotPrinted);
    layout->addWidget(m_pHidden);
    layout->addWidget(m_pReset, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    connect(m_pVariant, &QComboBox::currentIndexChanged, this, [this] { LoadChecks(); });
    connect(m_pField, &QComboBox::currentIndexChanged, this, [this] { LoadChecks(); });
    for (QCheckBox* box : {m_pNotEditable, m_pNotPrinted, m_pHidden})
        connect(box, &QCheckBox::clicked, this, [this] { StoreChecks(); });
    // The check boxes keep what they show until another selection is made.
    connect(m_pReset, &QPushButton::clicked, this, [this] { m_defs.ResetToBuiltIn(); });

    m_pVariant->setCurrentIndex(0);
    m_pField->setCurrentIndex(0);
    LoadChecks();
}

uint8_t CDlgEditFeldDefinitionen::SelectedByte() const {
    int page = 0, field = 0;
    if (!SadDefinitionEntryField(m_pField->currentIndex(), page, field)) return 0;
    return m_defs.Get(page, field, m_pVariant->currentIndex());
}

void CDlgEditFeldDefinitionen::LoadChecks() {
    const uint8_t b = SelectedByte();
    m_pNotEditable->setChecked(b & kDefNotEditable);
    m_pNotPrinted->setChecked(b & kDefNotPrinted);
    m_pHidden->setChecked(b & kDefHidden);
}

void CDlgEditFeldDefinitionen::StoreChecks() {
    int page = 0, field = 0;
    if (!SadDefinitionEntryField(m_pField->currentIndex(), page, field)) return;
    const int variant = m_pVariant->currentIndex();
    uint8_t b = m_defs.Get(page, field, variant) & static_cast<uint8_t>(~kDefNotOnForm);
    if (m_pNotEditable->isChecked()) b |= kDefNotEditable;
    if (m_pNotPrinted->isChecked()) b |= kDefNotPrinted;
    if (m_pHidden->isChecked()) b |= kDefHidden;
    m_defs.Set(page, field, variant, b);
}

void CDlgEditFeldDefinitionen::accept() {
    SaveFieldDefinitions(m_defs, m_profile, m_programArea);
    QDialog::accept();
}

void CDlgEditFeldDefinitionen::reject() {
    QDialog::reject();
    LoadFieldDefinitions(m_defs, m_profile, m_programArea);
}

bool RunFieldDefinitionsCommand(const FieldDefinitionsCommand& cmd) {
    if (cmd.message) cmd.message(QString::fromUtf16(shellstr::kFieldDefsNeedClose17));
    if (cmd.closeAllDocuments && !cmd.closeAllDocuments()) return false;
    if (!cmd.runDialog || cmd.runDialog() != QDialog::Accepted) return false;
    if (cmd.startNewInstance && !cmd.startNewInstance()) return false;
    if (cmd.closeMainWindow) cmd.closeMainWindow();
    return true;
}

bool StartProgramAnew() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
}

}  // namespace tarvex
