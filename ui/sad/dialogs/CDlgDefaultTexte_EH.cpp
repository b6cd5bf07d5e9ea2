#include "ui/sad/dialogs/CDlgDefaultTexte_EH.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/codelists/SadCodeLists.h"
#include "core/common/ShellStrings.h"
#include "core/sad/SadDefaultsStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
namespace {

// Control ids of the check boxes, as the help pages name them.
constexpr int kCheckFeld2 = 1032, kCheckFeld2S2 = 1041, kCheckFeld14 = 1035, kCheckFeld17 = 1038;
constexpr int kCheckFeld34 = 1039, kCheckAutoFill = 1040, kCheckStampA = 1036, kCheckStampC = 1037;
constexpr int kCheckAutoDate = 1031, kCheckThreeLine = 1033, kCheckShowXX = 1034;

QComboBox* StateCombo(QWidget* parent, const char16_t* tip, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    for (const char16_t* s : saddefstr::kStates) combo->addItem(Str(s));
    combo->setMaxVisibleItems(16);
    combo->setToolTip(Str(tip));
    return combo;
}

QString Joined(const std::vector<int>& numbers) {
    QStringList parts;
    for (int n : numbers) parts.append(QString::number(n));
    return parts.join(QStringLiteral(", "));
}

}  // namespace

CDlgDefaultTexte_EH::CDlgDefaultTexte_EH(Profile& profile, CFieldDefinitions& definitions,
                                         Profile& programArea, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_definitions(definitions), m_programArea(programArea) {
    setObjectName(QStringLiteral("CDlgDefaultTexte_EH"));
    setWindowTitle(Str(saddefstr::kTitle));

    // Box 8: the consignee.
    m_pAddress = new QPlainTextEdit(this);
    m_pAddress->setObjectName(QStringLiteral("ctl1000"));
    m_pAddress->setToolTip(Str(saddefstr::kTipAddress));
    m_pAddress->setTabChangesFocus(true);
    m_pAddress->setLineWrapMode(QPlainTextEdit::NoWrap);
    {
        // Four lines of 49 characters, as the box holds them.
        const QFontMetrics fm(m_pAddress->font());
        m_pAddress->setMinimumWidth(fm.horizontalAdvance(QString(49, QLatin1Char('M'))) * 7 / 10 + 12);
        // Room for the horizontal scroll bar a long line brings, so that it never hides line 4.
        m_pAddress->setFixedHeight(fm.lineSpacing() * 4 + 14 +
                                   m_pAddress->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
    m_pZollNummer1 = new QLineEdit(this);
    m_pZollNummer1->setObjectName(QStringLiteral("ctl1001"));
    m_pZollNummer1->setToolTip(Str(saddefstr::kTipZollNummer1));
    auto* group8 = new QGroupBox(Str(saddefstr::kGroupFeld8), this);
    auto* g8 = new QGridLayout(group8);
    g8->addWidget(m_pAddress, 0, 0, 1, 2);
    g8->addWidget(new QLabel(Str(saddefstr::kZollnummer), group8), 1, 0);
    g8->addWidget(m_pZollNummer1, 1, 1);
    g8->addWidget(AddCheck(kCheckFeld2, saddefstr::kUseDefault, saddefstr::kTipUseDefault), 2, 0, 1, 2);
    g8->addWidget(AddCheck(kCheckFeld2S2, saddefstr::kNotOnPage2, saddefstr::kTipNotOnPage2), 3, 0, 1, 2);

    // Box 14: an empty entry first, so that the position is the "Anmelder" value.
    m_pAnmelder = new QComboBox(this);
    m_pAnmelder->setObjectName(QStringLiteral("ctl1011"));
    m_pAnmelder->setToolTip(Str(saddefstr::kTipAnmelder));
    for (std::u16string_view role : DeclarantRoles()) m_pAnmelder->addItem(Str(role));
    m_pZollNummer2 = new QLineEdit(this);
    m_pZollNummer2->setObjectName(QStringLiteral("ctl1002"));
    m_pZollNummer2->setToolTip(Str(saddefstr::kTipZollNummer2));
    auto* group14 = new QGroupBox(Str(saddefstr::kGroupFeld14), this);
    auto* g14 = new QGridLayout(group14);
    g14->addWidget(m_pAnmelder, 0, 0, 1, 2);
    g14->addWidget(new QLabel(Str(saddefstr::kZollnummer), group14), 1, 0);
    g14->addWidget(m_pZollNummer2, 1, 1);
    g14->addWidget(AddCheck(kCheckFeld14, saddefstr::kUseDefault, saddefstr::kTipUseDefault), 2, 0, 1, 2);

    m_pState17 = StateCombo(this, saddefstr::kTipState17, "ctl1010");
    auto* group17 = new QGroupBox(Str(saddefstr::kGroupFeld17b), this);
    auto* g17 = new QVBoxLayout(group17);
    g17->addWidget(m_pState17);
    g17->addWidget(AddCheck(kCheckFeld17, saddefstr::kUseDefault, saddefstr::kTipUseDefault));
    m_pState34 = StateCombo(this, saddefstr::kTipState34, "ctl1012");
    auto* group34 = new QGroupBox(Str(saddefstr::kGroupFeld34b), this);
    auto* g34 = new QVBoxLayout(group34);
    g34->addWidget(m_pState34);
    g34->addWidget(AddCheck(kCheckFeld34, saddefstr::kUseDefault, saddefstr::kTipUseDefault));

    auto* switches = new QVBoxLayout;
    switches->addWidget(AddCheck(kCheckAutoFill, saddefstr::kAutoFill, saddefstr::kTipAutoFill));
    switches->addWidget(AddCheck(kCheckStampA, saddefstr::kStampA, saddefstr::kTipStampA));
    switches->addWidget(AddCheck(kCheckStampC, saddefstr::kStampC, saddefstr::kTipStampC));
    switches->addWidget(AddCheck(kCheckAutoDate, saddefstr::kAutoDate, saddefstr::kTipAutoDate));
    switches->addWidget(AddCheck(kCheckThreeLine, saddefstr::kThreeLine, saddefstr::kTipThreeLine));
    switches->addWidget(AddCheck(kCheckShowXX, saddefstr::kShowXX, nullptr));
    switches->addStretch(1);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(Str(saddefstr::kOK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setToolTip(Str(saddefstr::kTipOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Str(saddefstr::kAbbruch), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ctl2"));
    cancel->setToolTip(Str(saddefstr::kTipCancel));
    QPushButton* help = buttons->addButton(Str(saddefstr::kHilfe), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("ctl57670"));
    help->setToolTip(Str(saddefstr::kTipHelp));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgDefaultTexte_EH::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgDefaultTexte_EH::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpContext); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(group8, 0, 0);
    grid->addWidget(group14, 1, 0);
    auto* states = new QVBoxLayout;
    states->addWidget(group17);
    states->addWidget(group34);
    states->addStretch(1);
    grid->addLayout(states, 0, 1);
    grid->addLayout(switches, 1, 1);
    grid->addWidget(buttons, 0, 2, 2, 1);

    // The record as stored.
    const SadFormDefaults r = ReadSadFormDefaults(m_profile);
    m_pAddress->setPlainText(
        QString::fromStdU16String(r.address).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_pZollNummer1->setText(QString::fromStdU16String(r.zollNummer1));
    m_pZollNummer2->setText(QString::fromStdU16String(r.zollNummer2));
    // Another value than the four roles means an empty box 14, as the empty entry does.
    m_pAnmelder->setCurrentIndex(r.anmelder >= 0 && r.anmelder < m_pAnmelder->count() ? r.anmelder : 0);
    m_pState17->setCurrentIndex(r.state17);
    m_pState34->setCurrentIndex(r.state34);
    Check(kCheckFeld2)->setChecked(r.feld2);
    Check(kCheckFeld2S2)->setChecked(r.feld2S2);
    Check(kCheckFeld14)->setChecked(r.feld14);
    Check(kCheckFeld17)->setChecked(r.feld17);
    Check(kCheckFeld34)->setChecked(r.feld34);
    Check(kCheckAutoFill)->setChecked(r.autoFillPositions);
    Check(kCheckStampA)->setChecked(r.stampA);
    Check(kCheckStampC)->setChecked(r.stampC);
    Check(kCheckAutoDate)->setChecked(r.autoDateInStamp);
    Check(kCheckThreeLine)->setChecked(r.threeLineInStamp);
    Check(kCheckShowXX)->setChecked(r.showXX);
}

QCheckBox* CDlgDefaultTexte_EH::AddCheck(int id, const char16_t* text, const char16_t* tip) {
    auto* check = new QCheckBox(Str(text), this);
    check->setObjectName(QStringLiteral("ctl%1").arg(id));
    check->setProperty("controlId", id);
    if (tip) check->setToolTip(Str(tip));
    m_checks.append(check);
    return check;
}

QCheckBox* CDlgDefaultTexte_EH::Check(int id) const {
    for (QCheckBox* c : m_checks)
        if (c->property("controlId").toInt() == id) return c;
    return nullptr;
}

SadFormDefaults CDlgDefaultTexte_EH::Record() const {
    SadFormDefaults r;
    r.address = m_pAddress->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdU16String();
    r.zollNummer1 = m_pZollNummer1->text().toStdU16String();
    r.zollNummer2 = m_pZollNummer2->text().toStdU16String();
    r.anmelder = m_pAnmelder->currentIndex();
    r.state17 = m_pState17->currentIndex();
    r.state34 = m_pState34->currentIndex();
    r.feld2 = Check(kCheckFeld2)->isChecked();
    r.feld2S2 = Check(kCheckFeld2S2)->isChecked();
    r.feld14 = Check(kCheckFeld14)->isChecked();
    r.feld17 = Check(kCheckFeld17)->isChecked();
    r.feld34 = Check(kCheckFeld34)->isChecked();
    r.autoFillPositions = Check(kCheckAutoFill)->isChecked();
    r.stampA = Check(kCheckStampA)->isChecked();
    r.stampC = Check(kCheckStampC)->isChecked();
    r.autoDateInStamp = Check(kCheckAutoDate)->isChecked();
    r.threeLineInStamp = Check(kCheckThreeLine)->isChecked();
    r.showXX = Check(kCheckShowXX)->isChecked();
    return r;
}

void CDlgDefaultTexte_EH::accept() {
    const SadFormDefaults r = Record();
    // An address box 8 cannot hold is not cut behind the clerk's back.
    const AddressFit fit = CheckAddress(r.address);
    if (!fit.Fits()) {
        QStringList parts;
        if (fit.lineCount > kFirmaLines)
            parts.append(Str(saddefstr::kAddressTooManyLines).arg(fit.lineCount));
        if (!fit.longLines.empty())
            parts.append(Str(fit.longLines.size() == 1 ? saddefstr::kAddressLinesTooLong
                                                       : saddefstr::kAddressLinesTooLongMany)
                             .replace(QStringLiteral("%2"), Joined(fit.longLines)));
        parts.append(Str(saddefstr::kAddressQuestion));
        const QString text = parts.join(QStringLiteral("\n\n"));
        const bool store = m_confirmAddress ? m_confirmAddress(text)
                                            : QMessageBox::question(this, Str(shellstr::kAppTitle), text,
                                                                    QMessageBox::Yes | QMessageBox::No,
                                                                    QMessageBox::No) == QMessageBox::Yes;
        if (!store) {
            m_pAddress->setFocus();
            return;
        }
    }
    QDialog::accept();
    StoreSadFormDefaults(r, m_profile, m_definitions, m_programArea);
}

}  // namespace tarvex
