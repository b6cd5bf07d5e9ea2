#include "ui/formview/Common_CDlgPrintSizeCorr.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "core/app/Profile.h"
#include "core/app/SettingsKeys.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {

Common_CDlgPrintSizeCorr::Common_CDlgPrintSizeCorr(Profile& profile, int language, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_language(language) {
    const bool en = language == 1;
    setWindowTitle(en ? QStringLiteral("Print Area Correction") : QStringLiteral("Druckbereich-Korrektur"));
    auto* grid = new QGridLayout(this);
    auto* warn = new QLabel(en ? QStringLiteral("This Settings will change the printout!")
                               : QStringLiteral("Diese Einstellungen verändern den Ausdruck!"));
    QFont bold = warn->font();
    bold.setBold(true);
    warn->setFont(bold);
    grid->addWidget(warn, 0, 0, 1, 3);
    grid->addWidget(new QLabel(en ? QStringLiteral("All input with decimal point, no comma")
                                  : QStringLiteral("Eingabe mit Punkt; kein Komma!")),
                    1, 0, 1, 3);
    auto makeRow = [&](int row, const QString& caption, int value) {
        auto* edit = new QLineEdit(QString::number(value / 10.0, 'f', 1));
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%")), row, 2);
        return edit;
    };
    m_vertical = makeRow(2, en ? QStringLiteral("&Vertical Correction") : QStringLiteral("Korrektur &vertikal:"),
                         settings::Get(profile, settings::kSettings, settings::kPrnFactorV));
    m_horizontal =
        makeRow(3, en ? QStringLiteral("&Horizontal Correction") : QStringLiteral("Korrektur &horizontal:"),
                settings::Get(profile, settings::kSettings, settings::kPrnFactorH));
    auto* box = new QDialogButtonBox;
    box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box->addButton(en ? QStringLiteral("Abort") : QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(box, 4, 0, 1, 3);
}

void Common_CDlgPrintSizeCorr::accept() {
    int v = 0, h = 0;
    for (QLineEdit* edit : {m_vertical, m_horizontal}) {
        int& target = edit == m_vertical ? v : h;
        if (!ParsePercent(edit->text().toStdU16String(), 97, 103, target)) {
            QMessageBox::warning(this, windowTitle(),
                                 m_language == 1 ? QStringLiteral("Please enter a number between 97 and 103.")
                                                 : QStringLiteral("Bitte geben Sie eine Zahl zwischen 97 und 103 ein."));
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    m_profile.WriteProfileInt(settings::kSettings, settings::kPrnFactorV.name, v);
    m_profile.WriteProfileInt(settings::kSettings, settings::kPrnFactorH.name, h);
    QDialog::accept();
}

}  // namespace tarvex
