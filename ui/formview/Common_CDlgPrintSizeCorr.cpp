#include "ui/formview/Common_CDlgPrintSizeCorr.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

Common_CDlgPrintSizeCorr::Common_CDlgPrintSizeCorr(Profile& profile, int language, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_language(language) {
    const bool en = language == 1;
    setWindowTitle(QString::fromUtf16(en ? formviewstr::kSizeCorrTitleEn : formviewstr::kSizeCorrTitle));
    auto* grid = new QGridLayout(this);
    auto* warn =
        new QLabel(QString::fromUtf16(en ? formviewstr::kSizeCorrWarningEn : formviewstr::kSizeCorrWarning));
    QFont bold = warn->font();
    bold.setBold(true);
    warn->setFont(bold);
    grid->addWidget(warn, 0, 0, 1, 3);
    grid->addWidget(
        new QLabel(QString::fromUtf16(en ? formviewstr::kSizeCorrInputEn : formviewstr::kSizeCorrInput)), 1,
        0, 1, 3);
    auto makeRow = [&](int row, const QString& caption, int value) {
        auto* edit = new QLineEdit(QString::number(value / 10.0, 'f', 1));
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%")), row, 2);
        return edit;
    };
    m_vertical =
        makeRow(2, QString::fromUtf16(en ? formviewstr::kSizeCorrVerticalEn : formviewstr::kSizeCorrVertical),
                settings::Get(profile, settings::kSettings, settings::kPrnFactorV));
    m_horizontal = makeRow(
        3, QString::fromUtf16(en ? formviewstr::kSizeCorrHorizontalEn : formviewstr::kSizeCorrHorizontal),
        settings::Get(profile, settings::kSettings, settings::kPrnFactorH));
    auto* box = new QDialogButtonBox;
    box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    box->addButton(QString::fromUtf16(en ? formviewstr::kBtnAbbrechenEn : formviewstr::kBtnAbbrechen),
                   QDialogButtonBox::RejectRole);
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
                                 QString::fromUtf16(m_language == 1 ? formviewstr::kSizeCorrOutOfRangeEn
                                                                    : formviewstr::kSizeCorrOutOfRange));
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
