#include "ui/formview/CDlgDrucken.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {
namespace {

// A small sheet of paper with text lines, upright or lying, for the orientation pictures.
QPixmap OrientationPicture(bool portrait, bool active) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = portrait ? QRectF(9, 2, 22, 34) : QRectF(2, 9, 34, 22);
    p.setPen(QPen(active ? Qt::black : Qt::gray, 1.2));
    p.setBrush(active ? Qt::white : QColor(235, 235, 235));
    p.drawRect(sheet);
    p.setPen(QPen(active ? QColor(0, 0, 160) : Qt::gray, 1));
    for (double y = sheet.top() + 5; y < sheet.bottom() - 3; y += 4)
        p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
    return pm;
}

}  // namespace

CDlgDrucken::CDlgDrucken(const FormPrintTraits& form, int pageCount, const QString& device, bool portrait,
                         bool reuse, QWidget* parent, int currentPage, PrintMode mode)
    : QDialog(parent) {
    m_nCurrent = std::clamp(currentPage, 1, std::max(1, pageCount));
    m_nPage = pageCount;
    m_strDevice = device;
    m_bPortrait = portrait;
    m_bReuse = reuse ? 1 : 0;
    m_strTitle = QString::fromStdU16String(form.printCaption);
    m_nDlgHelpContext = form.printHelpContext;
    setWindowTitle(m_strTitle);

    auto* layout = new QVBoxLayout(this);
    auto* printerBox = new QGroupBox(QString::fromUtf16(formviewstr::kPrinterGroup));
    auto* pg = new QGridLayout(printerBox);
    m_printerGrid = pg;
    auto* name = new QLabel(device);
    name->setObjectName(QStringLiteral("device"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    pg->addWidget(name, 0, 0, 1, 3);
    pg->addWidget(new QLabel(QString::fromUtf16(formviewstr::kOrientation)), 1, 0);
    auto* pictures = new QHBoxLayout;
    auto* upright = new QLabel;
    upright->setPixmap(OrientationPicture(true, portrait));
    auto* lying = new QLabel;
    lying->setPixmap(OrientationPicture(false, !portrait));
    pictures->addWidget(upright);
    pictures->addWidget(lying);
    pictures->addStretch();
    pg->addLayout(pictures, 1, 1);
    m_reuse = new QCheckBox(QString::fromUtf16(formviewstr::kReusePrinter));
    m_reuse->setChecked(reuse);
    m_reuse->setToolTip(QString::fromUtf16(formviewstr::kTipReusePrinter));
    pg->addWidget(m_reuse, 2, 0, 1, 2);
    auto* choose = new QPushButton(QString::fromUtf16(formviewstr::kChoosePrinter));
    choose->setToolTip(QString::fromUtf16(formviewstr::kTipChoosePrinter));
    choose->setAutoDefault(false);
    pg->addWidget(choose, 2, 2);
    layout->addWidget(printerBox);

    auto* jobBox = new QGroupBox(QString::fromUtf16(formviewstr::kPrintJobGroup));
    auto* jg = new QGridLayout(jobBox);
    // The pages: one from the list, the one on screen, a range, or all, in one job.
    m_onePage = new QRadioButton(QString::fromUtf16(formviewstr::kRangeOnePage));
    m_currentPage = new QRadioButton(QString::fromUtf16(formviewstr::kRangeCurrent).arg(m_nCurrent));
    m_range = new QRadioButton(QString::fromUtf16(formviewstr::kRangeFromTo));
    m_allPages = new QRadioButton(QString::fromUtf16(formviewstr::kRangeAll).arg(pageCount));
    m_onePage->setChecked(true);
    for (QRadioButton* r : {m_currentPage, m_range, m_allPages})
        r->setToolTip(QString::fromUtf16(formviewstr::kTipRange));
    m_pages = new QComboBox;
    for (const auto& entry : PrintPageEntries(form, pageCount))
        m_pages->addItem(QString::fromStdU16String(entry));
    m_pages->setToolTip(QString::fromUtf16(formviewstr::kTipPrintPage));
    jg->addWidget(m_onePage, 0, 0);
    jg->addWidget(m_pages, 0, 1, 1, 3);
    jg->addWidget(m_currentPage, 1, 0, 1, 4);
    m_from = new QSpinBox;
    m_to = new QSpinBox;
    for (QSpinBox* b : {m_from, m_to}) {
        b->setRange(1, std::max(1, pageCount));
        b->setToolTip(QString::fromUtf16(formviewstr::kTipRange));
    }
    m_from->setValue(1);
    m_to->setValue(std::max(1, pageCount));
    auto* toLabel = new QLabel(QString::fromUtf16(formviewstr::kRangeTo));
    toLabel->setBuddy(m_to);
    jg->addWidget(m_range, 2, 0);
    jg->addWidget(m_from, 2, 1);
    jg->addWidget(toLabel, 2, 2);
    jg->addWidget(m_to, 2, 3);
    jg->addWidget(m_allPages, 3, 0, 1, 4);
    // Choosing in a control chooses its way of giving the pages.
    connect(m_pages, &QComboBox::activated, m_onePage, [this] { m_onePage->setChecked(true); });
    for (QSpinBox* b : {m_from, m_to})
        connect(b, &QSpinBox::valueChanged, m_range, [this] { m_range->setChecked(true); });
    m_copies = new QLineEdit(QStringLiteral("1"));
    m_copies->setMaxLength(1);
    m_copies->setToolTip(QString::fromUtf16(formviewstr::kTipCopies));
    auto* copiesLabel = new QLabel(QString::fromUtf16(formviewstr::kCopiesLabel));
    copiesLabel->setBuddy(m_copies);
    jg->addWidget(copiesLabel, 4, 0);
    jg->addWidget(m_copies, 4, 1);
    jg->setColumnStretch(3, 1);
    layout->addWidget(jobBox);

    auto* modeBox = new QGroupBox(QString::fromUtf16(formviewstr::kPrintModeGroup));
    auto* mg = new QHBoxLayout(modeBox);
    for (PrintMode m : kPrintModes) {
        auto* button = new QRadioButton(QString::fromUtf16(PrintModeCaption(m)));
        button->setToolTip(QString::fromUtf16(PrintModeTip(m)));
        m_modeButtons[static_cast<size_t>(m)] = button;
        mg->addWidget(button);
    }
    m_printMode = mode;
    SetPrintMode(mode);
    mg->addStretch();
    layout->addWidget(modeBox);

    auto* box = new QDialogButtonBox;
    auto* ok = box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    auto* cancel = box->addButton(QString::fromUtf16(formviewstr::kBtnAbbruch), QDialogButtonBox::RejectRole);
    auto* help = box->addButton(QString::fromUtf16(formviewstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    ok->setToolTip(QString::fromUtf16(formviewstr::kTipPrintOK));
    cancel->setToolTip(QString::fromUtf16(formviewstr::kTipCancel));
    help->setToolTip(QString::fromUtf16(formviewstr::kTipHelp));
    m_preview = box->addButton(QString::fromUtf16(formviewstr::kBtnPreview), QDialogButtonBox::ActionRole);
    m_preview->setToolTip(QString::fromUtf16(formviewstr::kTipPreview));
    m_preview->setAutoDefault(false);
    connect(m_preview, &QPushButton::clicked, this, [this] {
        m_bPreview = 1;
        accept();
        if (result() != QDialog::Accepted) m_bPreview = 0;
    });
    ok->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CDlgDrucken::helpRequested);
    connect(choose, &QPushButton::clicked, this, [this] {
        m_bChoosePrinter = 1;
        reject();
    });
    layout->addWidget(box);
    m_pages->setFocus();
}

void CDlgDrucken::accept() {
    bool ok = false;
    const int copies = m_copies->text().trimmed().toInt(&ok);
    if (!ok || copies < 1 || copies > 9) {
        QMessageBox::warning(this, m_strTitle, QString::fromUtf16(formviewstr::kCopiesOutOfRange));
        m_copies->setFocus();
        m_copies->selectAll();
        return;
    }
    m_nCopies = copies;
    ChosenPages(m_nFirstPage, m_nLastPage);
    m_nPage = m_nFirstPage;
    m_printMode = CheckedPrintMode();
    m_bReuse = m_reuse->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace tarvex

namespace tarvex {

void CDlgDrucken::ChosenPages(int& first, int& last) const {
    if (m_currentPage->isChecked()) {
        first = last = m_nCurrent;
    } else if (m_range->isChecked()) {
        first = std::min(m_from->value(), m_to->value());
        last = std::max(m_from->value(), m_to->value());
    } else if (m_allPages->isChecked()) {
        first = 1;
        last = std::max(1, m_pages->count());
    } else {
        first = last = m_pages->currentIndex() + 1;
    }
}

void CDlgDrucken::ShowOutputFile(std::function<QString(int first, int last)> nameOf) {
    m_outputName = std::move(nameOf);
    if (!m_outputFile) {
        m_outputFile = new QLabel;
        m_outputFile->setObjectName(QStringLiteral("outputFile"));
        m_outputFile->setWordWrap(true);
        m_outputFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_printerGrid->addWidget(m_outputFile, 3, 0, 1, 3);
        for (QRadioButton* r : {m_onePage, m_currentPage, m_range, m_allPages})
            connect(r, &QRadioButton::toggled, this, &CDlgDrucken::UpdateOutputFile);
        connect(m_pages, &QComboBox::currentIndexChanged, this, &CDlgDrucken::UpdateOutputFile);
        for (QSpinBox* b : {m_from, m_to})
            connect(b, &QSpinBox::valueChanged, this, &CDlgDrucken::UpdateOutputFile);
    }
    UpdateOutputFile();
}

void CDlgDrucken::UpdateOutputFile() {
    if (!m_outputFile || !m_outputName) return;
    int first = 1, last = 1;
    ChosenPages(first, last);
    m_outputFile->setText(QString::fromUtf16(formviewstr::kPdfOutputFile).arg(m_outputName(first, last)));
}

void CDlgDrucken::SetPrintMode(PrintMode mode) {
    ModeButton(mode)->setChecked(true);
}

PrintMode CDlgDrucken::CheckedPrintMode() const {
    for (PrintMode mode : kPrintModes)
        if (ModeButton(mode)->isChecked()) return mode;
    return PrintMode::Preprinted;
}

}  // namespace tarvex
