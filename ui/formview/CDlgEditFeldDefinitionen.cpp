#include "ui/formview/CDlgEditFeldDefinitionen.h"

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

#include "core/formview/FieldDefinitions.h"
#include "core/sad/SadLayout.h"

namespace tarvex {

const char16_t kFieldDefinitionsClosePrompt[] =
    u"Die Formulardefinitionen können nicht bei geöffneten Dokumenten geändert werden.\n"
    u"Sie haben im Anschluss an diese Meldung die Möglichkeit, offenen Dokumente zu schliessen.";

CDlgEditFeldDefinitionen::CDlgEditFeldDefinitionen(CFieldDefinitions& working, Profile& profile,
                                                   Profile& programArea, QWidget* parent)
    : QDialog(parent), m_defs(working), m_profile(profile), m_programArea(programArea) {
    setWindowTitle(QStringLiteral("Felddefinitionen anpassen"));
    setObjectName(QStringLiteral("dlg366"));

    m_pVariant = new QComboBox(this);
    m_pVariant->setObjectName(QStringLiteral("ctl1010"));
    for (const char* v : {"Formular 0737/0738", "Formular 0747/0748", "Formular 0777/0778", "Formular 0779/0780"})
        m_pVariant->addItem(QString::fromLatin1(v));
    m_pVariant->setToolTip(QStringLiteral("Auswahl des Formulartyps"));

    m_pField = new QComboBox(this);
    m_pField->setObjectName(QStringLiteral("ctl1011"));
    for (int i = 0; i < kSadDefinitionEntries; ++i) m_pField->addItem(QString::fromStdU16String(SadDefinitionEntryText(i)));
    m_pField->setMaxVisibleItems(20);
    m_pField->setToolTip(QStringLiteral("Auswahl des Feldes im Formular"));

    m_pNotEditable = new QCheckBox(QStringLiteral("nicht &editierbar"), this);
    m_pNotEditable->setObjectName(QStringLiteral("ctl1036"));
    m_pNotEditable->setToolTip(QStringLiteral("Feld ist nicht editierbar"));
    m_pNotPrinted = new QCheckBox(QStringLiteral("nicht &drucken"), this);
    m_pNotPrinted->setObjectName(QStringLiteral("ctl1032"));
    m_pNotPrinted->setToolTip(QStringLiteral("Daten nicht drucken"));
    m_pHidden = new QCheckBox(QStringLiteral("im &Bildschirm nicht anzeigen"), this);
    m_pHidden->setObjectName(QStringLiteral("ctl1033"));
    m_pHidden->setToolTip(QStringLiteral("Daten im Bildschirm verbergen"));

    m_pReset = new QPushButton(QStringLiteral("Originalwerte für alle Felder"), this);
    m_pReset->setObjectName(QStringLiteral("ctl1037"));
    m_pReset->setToolTip(QStringLiteral("Alle Felder auf Originalwerte zurücksetzen"));
    m_pReset->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setToolTip(QStringLiteral("Dialog beenden und alle Einstellungen sichern"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setToolTip(QStringLiteral("Dialog abbrechen"));
    QPushButton* help = buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
    help->setToolTip(QStringLiteral("Aufruf der On-Line Hilfe"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgEditFeldDefinitionen::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgEditFeldDefinitionen::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpContext); });

    auto* form = new QFormLayout;
    auto* lv = new QLabel(QStringLiteral("Formular&typ"), this);
    lv->setBuddy(m_pVariant);
    auto* lf = new QLabel(QStringLiteral("&Feld"), this);
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
    if (cmd.message) cmd.message(QString::fromStdU16String(kFieldDefinitionsClosePrompt));
    if (cmd.closeAllDocuments && !cmd.closeAllDocuments()) return false;
    if (!cmd.runDialog || cmd.runDialog() != QDialog::Accepted) return false;
    if (cmd.startNewInstance && !cmd.startNewInstance()) return false;
    if (cmd.closeMainWindow) cmd.closeMainWindow();
    return true;
}

bool StartProgramAnew() { return QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList()); }

}  // namespace tarvex
