#include "ui/formview/Common_DlgMargin02.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/common/ShellStrings.h"
#include "core/formview/FormViewStrings.h"

namespace tarvex {
namespace {

// The title in bold above the text, as the margin sheet has always shown its tips.
QString Tip(const char16_t* const (&t)[2]) {
    return QStringLiteral("<b>%1</b><br>%2")
        .arg(QString::fromUtf16(t[0]).toHtmlEscaped(), QString::fromUtf16(t[1]).toHtmlEscaped());
}

}  // namespace

Common_DlgMargin02::Common_DlgMargin02(int language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    for (int i = 0; i < 6; ++i) m_pageTitles[i] = QString::fromUtf16(formviewstr::kMarginPage).arg(i + 1);
}

bool Common_DlgMargin02::SetSheetPages(int n) {
    if (!m_model.SetSheetPages(n)) {
        QMessageBox::warning(this, QString::fromUtf16(shellstr::kAppTitle),
                             QString::fromUtf16(formviewstr::kMarginTooManyPages));
        return false;
    }
    return true;
}

void Common_DlgMargin02::SetPageTitle(int page, const QString& title) {
    if (page >= 1 && page <= 6) m_pageTitles[page - 1] = title;
}

void Common_DlgMargin02::BuildPages() {
    if (m_tabs) return;
    setWindowTitle(m_title);
    const auto& tips = m_language == 1 ? formviewstr::kMarginTipsEn : formviewstr::kMarginTips;
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(false);
    layout->addWidget(m_tabs);
    for (int p = 1; p <= m_model.GetSheetPages(); ++p) {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        auto* intro = new QLabel(QString::fromUtf16(formviewstr::kMarginIntro));
        intro->setWordWrap(true);
        grid->addWidget(intro, 0, 0, 1, 4);
        const char* names[4] = {"L", "R", "O", "U"};
        const QStyle::StandardPixmap icons[4] = {QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight,
                                                 QStyle::SP_ArrowUp, QStyle::SP_ArrowDown};
        QPushButton* buttons[4];
        for (int b = 0; b < 4; ++b) {
            buttons[b] = new QPushButton(style()->standardIcon(icons[b]), QString::fromLatin1(names[b]));
            buttons[b]->setObjectName(QStringLiteral("step%1_%2").arg(p).arg(names[b]));
            buttons[b]->setToolTip(Tip(tips[b]));
            buttons[b]->setAutoDefault(false);
            connect(buttons[b], &QPushButton::clicked, this, [this, p, b] { ClickStep(p, b); });
        }
        grid->addWidget(new QLabel(QString::fromUtf16(formviewstr::kMarginHorizontal)), 1, 0);
        grid->addWidget(buttons[0], 1, 1);
        grid->addWidget(buttons[1], 1, 2);
        auto& w = m_pages[p - 1];
        w.horizontal = new QLabel;
        w.horizontal->setFrameShape(QFrame::StyledPanel);
        w.horizontal->setMinimumWidth(170);
        w.horizontal->setToolTip(Tip(tips[5]));
        grid->addWidget(w.horizontal, 1, 3);
        grid->addWidget(new QLabel(QString::fromUtf16(formviewstr::kMarginVertical)), 2, 0);
        grid->addWidget(buttons[2], 2, 1);
        grid->addWidget(buttons[3], 2, 2);
        w.vertical = new QLabel;
        w.vertical->setFrameShape(QFrame::StyledPanel);
        w.vertical->setToolTip(Tip(tips[6]));
        grid->addWidget(w.vertical, 2, 3);
        w.dontShow = new QCheckBox(QString::fromUtf16(formviewstr::kMarginDontShow));
        w.dontShow->setToolTip(Tip(tips[4]));
        grid->addWidget(w.dontShow, 3, 0, 1, 4);
        grid->setRowStretch(4, 1);
        m_tabs->addTab(page, m_pageTitles[p - 1]);
        Refresh(p);
    }
    m_pages[0].dontShow->setChecked(m_model.GetDontShow() != 0);
    // The check box is one flag shared by every page: it travels with the page change.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        TakeCheckBox(m_currentPage);
        m_currentPage = index + 1;
        m_pages[index].dontShow->setChecked(m_model.GetDontShow() != 0);
    });
    auto* box = new QDialogButtonBox;
    auto* ok = box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    auto* cancel = box->addButton(
        QString::fromUtf16(m_language == 1 ? formviewstr::kBtnAbbrechenEn : formviewstr::kBtnAbbrechen),
        QDialogButtonBox::RejectRole);
    auto* help = box->addButton(
        QString::fromUtf16(m_language == 1 ? formviewstr::kBtnHilfeEn : formviewstr::kBtnHilfe),
        QDialogButtonBox::HelpRole);
    ok->setToolTip(Tip(tips[9]));
    cancel->setToolTip(Tip(tips[7]));
    help->setToolTip(Tip(tips[8]));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &Common_DlgMargin02::helpRequested);
    if (m_onCalibration) {
        auto* calibration =
            box->addButton(QString::fromUtf16(formviewstr::kCalibrationButton), QDialogButtonBox::ActionRole);
        calibration->setObjectName(QStringLiteral("calibration"));
        calibration->setToolTip(QString::fromUtf16(formviewstr::kTipCalibration));
        calibration->setAutoDefault(false);
        connect(calibration, &QPushButton::clicked, this, [this] { m_onCalibration(m_model); });
    }
    layout->addWidget(box);
}

int Common_DlgMargin02::RunMarginCommand(Profile& profile, const FormPrintTraits& form, int language,
                                         QWidget* parent, const std::function<void()>& onHelp,
                                         const std::function<void(const CMarginSheetModel&)>& onCalibration) {
    Common_DlgMargin02 sheet(language, parent);
    sheet.SetCalibration(onCalibration);
    if (onHelp) connect(&sheet, &Common_DlgMargin02::helpRequested, &sheet, onHelp);
    LoadMarginSheet(sheet.m_model, profile, form);
    sheet.SetSheetTitle(QString::fromUtf16(form.marginSheetTitle));
    for (int page = 1; page <= form.marginPages; ++page)
        sheet.SetPageTitle(page, QString::fromUtf16(form.marginPageTitles[page - 1]));
    const int result = sheet.exec();
    if (result == QDialog::Accepted) SaveMarginSheet(sheet.m_model, profile, form);
    return result;
}

int Common_DlgMargin02::exec() {
    BuildPages();
    return QDialog::exec();
}

void Common_DlgMargin02::ClickStep(int page, int button) {
    BuildPages();
    switch (button) {
        case 0:
            m_model.StepLeft(page);
            break;
        case 1:
            m_model.StepRight(page);
            break;
        case 2:
            m_model.StepUp(page);
            break;
        default:
            m_model.StepDown(page);
            break;
    }
    Refresh(page);
}

void Common_DlgMargin02::Refresh(int page) {
    auto& w = m_pages[page - 1];
    if (!w.horizontal) return;
    w.horizontal->setText(QString::fromStdU16String(m_model.HorizontalText(page, m_language)));
    w.vertical->setText(QString::fromStdU16String(m_model.VerticalText(page, m_language)));
}

void Common_DlgMargin02::TakeCheckBox(int page) {
    if (page >= 1 && page <= 6 && m_pages[page - 1].dontShow)
        m_model.SetDontShow(m_pages[page - 1].dontShow->isChecked() ? 1 : 0);
}

void Common_DlgMargin02::accept() {
    TakeCheckBox(m_currentPage);
    QDialog::accept();
}

QString Common_DlgMargin02::HorizontalText(int page) const {
    return m_pages[page - 1].horizontal ? m_pages[page - 1].horizontal->text() : QString();
}

QString Common_DlgMargin02::VerticalText(int page) const {
    return m_pages[page - 1].vertical ? m_pages[page - 1].vertical->text() : QString();
}

QCheckBox* Common_DlgMargin02::DontShowBox(int page) const {
    return m_pages[page - 1].dontShow;
}

}  // namespace tarvex
