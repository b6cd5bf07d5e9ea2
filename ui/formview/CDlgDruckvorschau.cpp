#include "ui/formview/CDlgDruckvorschau.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/formview/FormViewStrings.h"

namespace tarvex {
namespace {

QString S(const char16_t* text) {
    return QString::fromUtf16(text);
}

}  // namespace

CDlgDruckvorschau::CDlgDruckvorschau(QPrinter& printer, const IPrintPageSource& source,
                                     const PrintJobOptions& options, bool modeChoice, QWidget* parent)
    : QDialog(parent), m_source(source), m_options(options) {
    setWindowTitle(S(formviewstr::kPreviewTitle));
    // The preview shows each page once; the copies are the printer's business.
    m_options.copies = 1;
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_preview = new QPrintPreviewWidget(&printer);
    auto* prev = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), S(formviewstr::kPreviewPrev));
    m_pageText = new QLabel;
    m_pageText->setMinimumWidth(110);
    m_pageText->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageText);
    auto* next = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), S(formviewstr::kPreviewNext));
    bar->addSeparator();
    auto* zoomOut = bar->addAction(S(formviewstr::kPreviewZoomOut));
    auto* zoomIn = bar->addAction(S(formviewstr::kPreviewZoomIn));
    auto* fitWidth = bar->addAction(S(formviewstr::kPreviewFitWidth));
    auto* fitPage = bar->addAction(S(formviewstr::kPreviewFitPage));
    if (modeChoice) {
        bar->addSeparator();
        m_mode = new QComboBox;
        for (PrintMode mode : kPrintModes)
            m_mode->addItem(S(PrintModeCaption(mode)).remove(QLatin1Char('&')), static_cast<int>(mode));
        m_mode->setCurrentIndex(m_mode->findData(static_cast<int>(m_options.mode)));
        m_mode->setToolTip(S(formviewstr::kPrintModeGroup).trimmed());
        bar->addWidget(m_mode);
        connect(m_mode, &QComboBox::currentIndexChanged, this,
                [this](int i) { SetMode(static_cast<PrintMode>(m_mode->itemData(i).toInt())); });
    }
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);

    auto* box = new QDialogButtonBox;
    m_print = box->addButton(S(formviewstr::kPreviewPrint), QDialogButtonBox::AcceptRole);
    box->addButton(S(formviewstr::kPreviewClose), QDialogButtonBox::RejectRole);
    m_print->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &CDlgDruckvorschau::Paint);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &CDlgDruckvorschau::UpdatePageText);
    connect(prev, &QAction::triggered, m_preview, [this] {
        m_preview->setCurrentPage(m_preview->currentPage() - 1);
        UpdatePageText();
    });
    connect(next, &QAction::triggered, m_preview, [this] {
        m_preview->setCurrentPage(m_preview->currentPage() + 1);
        UpdatePageText();
    });
    connect(zoomIn, &QAction::triggered, m_preview, [this] { m_preview->zoomIn(); });
    connect(zoomOut, &QAction::triggered, m_preview, [this] { m_preview->zoomOut(); });
    connect(fitWidth, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(fitPage, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitInView);
    m_preview->fitToWidth();
    resize(860, 960);
}

void CDlgDruckvorschau::SetMode(PrintMode mode) {
    m_options.mode = mode;
    if (m_mode) m_mode->setCurrentIndex(m_mode->findData(static_cast<int>(mode)));
    m_preview->updatePreview();
}

void CDlgDruckvorschau::Paint(QPrinter* printer) {
    PrintJobOptions o = m_options;
    // What goes onto pre-printed paper is easier to judge over a hint of the form.
    o.faintForm = o.mode == PrintMode::Preprinted;
    QString error;
    RunPrintJob(*printer, printer->resolution(), m_source, o, error);
    m_paintRuns += o.last - o.first + 1;
}

int CDlgDruckvorschau::PagesShown() const {
    return m_preview->pageCount();
}

void CDlgDruckvorschau::UpdatePageText() {
    m_pageText->setText(
        S(formviewstr::kPreviewPageOf).arg(m_preview->currentPage()).arg(m_preview->pageCount()));
}

}  // namespace tarvex
