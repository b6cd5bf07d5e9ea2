#include "ui/app/PrintJobDialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <limits>
#include <optional>

#include "core/common/ShellStrings.h"
#include "core/formview/FormViewStrings.h"
#include "render/app/OutputFile.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/common/QtText.h"
#include "ui/formview/CDlgDruckvorschau.h"
#include "ui/printing/PrinterQueue.h"

namespace tarvex {
namespace {

// The PDF file of a job, asked for every time (empty: cancelled). Qt's file dialog asks before
// an existing file is replaced.
QString AskPdfPath(QWidget* parent, CTarvexImportApp& app, const QPrinter& printer, const QString& name) {
    QFileDialog chooser(parent, Str(shellstr::kPrintToPdfTitle), ProposedPdfPath(app, printer, name),
                        Str(shellstr::kPdfFilter));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    if (!app.Dialogs().ExecFileDialog(chooser) || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().constFirst();
}

QString WithReason(const QString& reason) {
    return reason.isEmpty() ? QString() : QStringLiteral("\n") + reason;
}

// Whether a job can go to the queue now; error says why not. A stopped queue would keep the job
// until someone starts it again, long after the clerk has taken the form out of the tray.
bool QueueReady(const QString& name, QString& error) {
    QString reason;
    switch (CheckPrinterQueue(name, reason)) {
        case QueueState::Ready:
            return true;
        case QueueState::Missing:
            error = Str(shellstr::kPrinterGone).arg(name);
            return false;
        case QueueState::Stopped:
            error = Str(shellstr::kPrinterStopped).arg(name) + WithReason(reason);
            return false;
        case QueueState::Rejecting:
            error = Str(shellstr::kPrinterRejecting).arg(name) + WithReason(reason);
            return false;
    }
    return false;
}

}  // namespace

bool IsPdfOutput(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

void PreparePrinter(QPrinter& printer) {
    if (IsPdfOutput(printer)) {
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        return;
    }
    // The forms are A4 portrait whatever the printer's default paper. The print positions and
    // the margins count from the paper's corner, as the calibration sheet measures them: the full
    // page is the painter's, never the driver's printable area (whose corner moves with every
    // driver's unprintable margins). What falls into those margins is the printer's to drop.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The resolution of the PDF file: a job is drawn the same way for the printer and the file.
    printer.setResolution(1200);
}

bool RunPrinterSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(Str(shellstr::kPrintSetupTitle));
    // Pages and copies are chosen in the print dialog of each job.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    for (auto* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(Str(shellstr::kPrintSetupConfirm));
    return dialog.exec() == QDialog::Accepted;
}

QString ProposedPdfPath(CTarvexImportApp& app, const QPrinter& printer, const QString& name) {
    // The file named in the printer set-up gives only its folder.
    QString folder = app.LastPdfFolder();
    if (folder.isEmpty() && !printer.outputFileName().isEmpty())
        folder = QFileInfo(printer.outputFileName()).absolutePath();
    if (folder.isEmpty()) folder = app.Documents().DialogFolder();
    return QDir(folder).absoluteFilePath(name);
}

void PrintWithProgress(QWidget* parent, CTarvexImportApp& app, QPrinter& printer,
                       const IPrintPageSource& source, const PrintJobOptions& o, const QString& pdfName) {
    const bool pdf = IsPdfOutput(printer);
    QString path;
    bool existed = false;
    if (pdf) {
        // The file name first: however long the clerk takes, nothing else opens over the dialog.
        path = AskPdfPath(parent, app, printer, pdfName);
        if (path.isEmpty()) return;
        existed = QFileInfo::exists(path);
    }
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
        if (!pdf) printer.abort();
        return false;
    };
    QString error;
    PrintOutcome outcome;
    if (pdf) {
        outcome = PrintJobToPdf(NativePath(path), source, o, error, step);
    } else if (!QueueReady(printer.printerName(), error)) {
        outcome = PrintOutcome::Failed;
    } else {
        PreparePrinter(printer);
        // The spooler lists the job under the document's name and pages.
        printer.setDocName(QFileInfo(pdfName).completeBaseName());
        BeginSpoolerJob();
        outcome = RunPrintJob(printer, printer.resolution(), source, o, error, step);
        QString refusal;
        if (outcome == PrintOutcome::Done && !SpoolerAcceptedJob(refusal)) {
            error = Str(shellstr::kJobRejected).arg(printer.printerName()) + WithReason(refusal);
            outcome = PrintOutcome::Failed;
        }
    }
    progress.close();
    const QString file = QDir::toNativeSeparators(path);
    // What became of the file is said plainly: a kept old file must not pass for the new one.
    const QString fileState =
        pdf ? QStringLiteral("\n") + Str(existed ? shellstr::kPdfKept : shellstr::kPdfNotWritten).arg(file)
            : QString();
    switch (outcome) {
        case PrintOutcome::Done:
            if (pdf) {
                // The next job proposes this folder again (the printer keeps no file: a later
                // job on a printer must not go into it).
                app.SetLastPdfFolder(QFileInfo(path).absolutePath());
                if (app.MainFrame()) app.MainFrame()->SetStatusText(Str(shellstr::kPdfWritten).arg(file), 0);
            }
            break;
        case PrintOutcome::Cancelled:
            app.Message(Str(formviewstr::kPrintCancelled) + fileState, QMessageBox::Information);
            break;
        case PrintOutcome::Failed:
            app.Message(Str(shellstr::kPrintFailed) + QStringLiteral("\n") + error + fileState);
            break;
    }
}

bool RunPrintPreview(QWidget* parent, QPrinter& printer, const IPrintPageSource& source,
                     PrintJobOptions& options, bool modeChoice) {
    PreparePrinter(printer);
    CDlgDruckvorschau preview(printer, source, options, modeChoice, parent);
    const bool print = preview.exec() == QDialog::Accepted;
    options.mode = preview.Mode();
    return print;
}

void ShowCalibrationSheet(QWidget* parent, CTarvexImportApp& app, const IPrintPageSource& form,
                          const std::vector<PrintOrigin>& origins) {
    const CCalibrationSource sheet(form, origins);
    PrintJobOptions options;
    options.first = 1;
    options.last = sheet.PageCount();
    QPrinter& printer = app.Printer();
    UseInstalledPrinter(printer);
    if (!RunPrintPreview(parent, printer, sheet, options, false)) return;
    PrintWithProgress(parent, app, printer, sheet, options, Str(shellstr::kPdfCalibrationName));
}

}  // namespace tarvex
