#include "ui/app/FormPrintCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "core/common/HelpContexts.h"
#include "core/common/ShellStrings.h"
#include "core/formview/PrintCorrections.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/PrintJobDialogs.h"
#include "ui/common/HelpContextScope.h"
#include "ui/common/QtText.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/printing/PrinterQueue.h"

namespace tarvex {
namespace {

constexpr int kPrinterSetupHelpContext = help::kPrinterSetup;

// Name shown for the printer; a printer without a name is the PDF file output.
QString DeviceName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return Str(shellstr::kPdfPrinter);
    return printer.printerName();
}

// The margin sheet, when the user wants it before printing; false when it was cancelled. Its
// "Kalibrierblatt..." prints the margins as they stand in the sheet.
bool MarginSheetAccepted(const FormPrintJob& job, CTarvexImportApp& app) {
    Profile& profile = app.GetProfile();
    if (!MarginSheetBeforePrint(profile, *job.form)) return true;
    HelpContextScope margins(app.HelpContext(), Common_DlgMargin02::kHelpContext);
    return Common_DlgMargin02::RunMarginCommand(
               profile, *job.form, app.Language(), job.view, [&app] { app.OnHelp(); },
               [&job, &app](const CMarginSheetModel& m) {
                   ShowFormCalibrationSheet(job, app, MarginSheetOrigins(m));
               }) == QDialog::Accepted;
}

// Texts longer than their box are printed whole, beyond the box: the user decides, once for the
// job, about the first page of it that has such texts.
bool OverflowAccepted(const FormPrintJob& job, const IPrintPageSource& source, const PrintJobOptions& o) {
    if (!job.overflow) return true;
    for (int page = o.first; page <= o.last; ++page) {
        const std::vector<int> fields = job.overflow(source, page, o.mode);
        if (fields.empty()) continue;
        QString question = job.overflowQuestion(page, fields);
        if (o.last > o.first) question.prepend(Str(shellstr::kOverflowOnPage).arg(page));
        return QMessageBox::question(job.view, Str(shellstr::kAppTitle), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    }
    return true;
}

// The name of the document the job prints: its window's title, whichever window is active.
QString DocumentName(const FormPrintJob& job) {
    for (QWidget* w = job.view; w; w = w->parentWidget())
        if (auto* child = qobject_cast<CChildFrame*>(w)) {
            const QString title = child->Title();
            return QFileInfo(title.endsWith(QLatin1Char('*')) ? title.chopped(1) : title).completeBaseName();
        }
    return QString::fromUtf16(job.form->documentName);
}

// The PDF file is first named after the document and the pages.
QString PdfName(const QString& document, int first, int last) {
    return document + (first == last ? Str(shellstr::kPdfPageSuffix).arg(first)
                                     : Str(shellstr::kPdfPagesSuffix).arg(first).arg(last));
}

}  // namespace

void RunFormPrintCommand(const FormPrintJob& job, CTarvexImportApp& app) {
    Profile& profile = app.GetProfile();
    struct Repaint {
        const FormPrintJob& job;
        ~Repaint() {
            if (job.repaint) job.repaint();
        }
    } repaint{job};

    // 1: the edited text goes into the store.
    if (job.commit) job.commit();
    // 2: the margin sheet; "Abbrechen" there cancels the print, as it does everywhere else.
    if (!MarginSheetAccepted(job, app)) return;

    QPrinter& printer = app.Printer();

    HelpContextScope help(app.HelpContext(), job.form->printHelpContext);
    const std::u16string remembered = RememberedPrinter(profile, *job.form);
    const QString current = IsPdfOutput(printer) ? QString() : printer.printerName();
    // A remembered queue that was renamed or removed is reported once: it is forgotten here, and
    // the dialog keeps its box ticked, so that confirming remembers the printer it shows.
    bool reported = false;
    if (!remembered.empty() && app.MainFrame() &&
        !app.MainFrame()->SelectPrinterByName(QString::fromStdU16String(remembered))) {
        ResetPrinterChoice(profile, *job.form);
        reported = true;
    }
    // The dialog offers an installed printer: a queue removed since the last job is replaced by
    // the default one, and the clerk is told; without any printer the job goes into a PDF file.
    if (UseInstalledPrinter(printer) && !reported && !current.isEmpty())
        app.Message(Str(shellstr::kPrinterNotFound).replace(QStringLiteral("%s"), current));

    CDlgDrucken dlg(*job.form, job.pageCount(), DeviceName(printer),
                    printer.pageLayout().orientation() == QPageLayout::Portrait, !remembered.empty(),
                    job.view, job.currentPage ? std::max(1, job.currentPage()) : 1,
                    ChosenPrintMode(profile, job.form->kind));
    QObject::connect(&dlg, &CDlgDrucken::helpRequested, &dlg, [&app] { app.OnHelp(); });
    const QString document = DocumentName(job);
    // A PDF job asks for its file before it prints; the dialog shows the name it will propose.
    if (IsPdfOutput(printer))
        dlg.ShowOutputFile([&app, &printer, &document](int first, int last) {
            return QDir::toNativeSeparators(ProposedPdfPath(app, printer, PdfName(document, first, last)));
        });
    // The preview closed without printing leads back to the print dialog, as it was left.
    for (;;) {
        dlg.m_bPreview = 0;
        if (dlg.exec() != QDialog::Accepted) {
            if (dlg.m_bChoosePrinter) {
                {
                    HelpContextScope setup(app.HelpContext(), kPrinterSetupHelpContext);
                    RunPrinterSetup(job.view, printer);
                }
                // Even a cancelled set-up forgets the remembered printer.
                ResetPrinterChoice(profile, *job.form);
                RunFormPrintCommand(job, app);
            }
            return;
        }
        StorePrinterChoice(profile, *job.form, dlg.m_bReuse != 0, dlg.m_strDevice.toStdU16String());
        StorePrintMode(profile, job.form->kind, dlg.m_printMode);

        PrintJobOptions options;
        options.first = dlg.m_nFirstPage;
        options.last = dlg.m_nLastPage;
        options.copies = dlg.m_nCopies;
        options.mode = dlg.m_printMode;
        // The settings as they are now, after the margin sheet.
        const std::unique_ptr<IPrintPageSource> source = job.source();
        if (dlg.m_bPreview) {
            if (!RunPrintPreview(job.view, printer, *source, options, true)) {
                dlg.SetPrintMode(options.mode);
                continue;
            }
            StorePrintMode(profile, job.form->kind, options.mode);
        }
        if (!OverflowAccepted(job, *source, options)) return;
        PrintWithProgress(job.view, app, printer, *source, options,
                          PdfName(document, options.first, options.last));
        return;
    }
}

void ShowFormCalibrationSheet(const FormPrintJob& job, CTarvexImportApp& app,
                              const std::vector<PrintOrigin>& origins) {
    const std::unique_ptr<IPrintPageSource> form = job.source();
    ShowCalibrationSheet(job.view->window(), app, *form, origins);
}

}  // namespace tarvex
