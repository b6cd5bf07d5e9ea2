#include "ui/app/PrintJobDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <limits>

#include "core/app/ShellStrings.h"
#include "core/formview/FormViewStrings.h"
#include "render/app/OutputFile.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/QtText.h"
#include "ui/formview/CDlgDruckvorschau.h"

namespace tarvex {
namespace {

// The PDF file to print into: the printer's own, else chosen by the user (empty: cancelled).
QString PdfPath(QWidget* parent, CTarvexImportApp& app, const QPrinter& printer, const QString& name) {
    if (!printer.outputFileName().isEmpty()) return printer.outputFileName();
    QFileDialog chooser(parent, Str(shellstr::kPrintToPdfTitle),
                        QDir(app.DialogFolder()).absoluteFilePath(name), Str(shellstr::kPdfFilter));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    if (!app.ExecFileDialog(chooser) || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().constFirst();
}

bool IsPdf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

}  // namespace

void PreparePrinter(QPrinter& printer) {
    if (IsPdf(printer)) {
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    } else {
        printer.setFullPage(false);
    }
}

void PrintWithProgress(QWidget* parent, CTarvexImportApp& app, QPrinter& printer,
                       const IPrintPageSource& source, const PrintJobOptions& o, const QString& pdfName) {
    const int total = (o.last - o.first + 1) * o.copies;
    QProgressDialog progress(Str(formviewstr::kProgressText).arg(1).arg(total),
                             Str(formviewstr::kProgressCancel), 0, total, parent);
    progress.setWindowTitle(Str(formviewstr::kProgressTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(total > 1 ? 400 : std::numeric_limits<int>::max());
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const PrintProgress step = [&](int done, int all) {
        progress.setValue(done);
        if (done < all) progress.setLabelText(Str(formviewstr::kProgressText).arg(done + 1).arg(all));
        QCoreApplication::processEvents();
        if (!progress.wasCanceled()) return true;
        // A printer's job is withdrawn as a whole.
        if (!IsPdf(printer)) printer.abort();
        return false;
    };
    QString error;
    PrintOutcome outcome;
    if (IsPdf(printer)) {
        const QString path = PdfPath(parent, app, printer, pdfName);
        if (path.isEmpty()) return;
        outcome = PrintJobToPdf(NativePath(path), source, o, error, step);
    } else {
        PreparePrinter(printer);
        printer.setDocName(Str(shellstr::kPrintDocName));
        outcome = RunPrintJob(printer, printer.resolution(), source, o, error, step);
    }
    progress.close();
    if (outcome == PrintOutcome::Failed)
        app.Message(Str(shellstr::kPrintFailed) + QStringLiteral("\n") + error);
}

bool RunPrintPreview(QWidget* parent, QPrinter& printer, const IPrintPageSource& source,
                     PrintJobOptions& options, bool modeChoice) {
    PreparePrinter(printer);
    CDlgDruckvorschau preview(printer, source, options, modeChoice, parent);
    if (preview.exec() != QDialog::Accepted) return false;
    options.mode = preview.Mode();
    return true;
}

void ShowCalibrationSheet(QWidget* parent, CTarvexImportApp& app, const IPrintPageSource& form,
                          const std::vector<PrintOrigin>& origins) {
    const CCalibrationSource sheet(form, origins);
    PrintJobOptions options;
    options.first = 1;
    options.last = sheet.PageCount();
    QPrinter& printer = app.Printer();
    if (QPrinterInfo::availablePrinters().isEmpty()) printer.setOutputFormat(QPrinter::PdfFormat);
    if (!RunPrintPreview(parent, printer, sheet, options, false)) return;
    PrintWithProgress(parent, app, printer, sheet, options, Str(shellstr::kPdfCalibrationName));
}

}  // namespace tarvex
