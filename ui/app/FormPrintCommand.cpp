#include "ui/app/FormPrintCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/app/ShellStrings.h"
#include "core/formview/PrintCorrections.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/HelpContextScope.h"
#include "ui/app/QtText.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/Common_DlgMargin02.h"

namespace tarvex {
namespace {

constexpr int kPrinterSetupHelpContext = 122;

// Name shown for the printer; a printer without a name is the PDF file output.
QString DeviceName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return Str(shellstr::kPdfPrinter);
    return printer.printerName();
}

// The margin sheet, when the user wants it before printing; false when it was cancelled.
bool MarginSheetAccepted(const FormPrintJob& job, CTarvexImportApp& app) {
    Profile& profile = app.GetProfile();
    if (!MarginSheetBeforePrint(profile, job.kind)) return true;
    HelpContextScope margins(app.m_nHelpContext, Common_DlgMargin02::kHelpContext);
    return Common_DlgMargin02::RunMarginCommand(profile, job.kind, app.m_nLanguage, job.view,
                                                [&app] { app.OnHelp(); }) == QDialog::Accepted;
}

// The PDF file to print into: the printer's own, else chosen by the user (empty: cancelled).
QString PdfPath(const FormPrintJob& job, CTarvexImportApp& app, const QPrinter& printer, int page) {
    if (!printer.outputFileName().isEmpty()) return printer.outputFileName();
    const QString base = app.MainFrame() && app.MainFrame()->ActiveChild()
                             ? QFileInfo(app.MainFrame()->ActiveChild()->Title()).completeBaseName()
                             : Str(shellstr::kPrintDocName);
    QFileDialog chooser(
        job.view, Str(shellstr::kPrintToPdfTitle),
        QDir(app.DialogFolder()).absoluteFilePath(base + Str(shellstr::kPdfPageSuffix).arg(page)),
        Str(shellstr::kPdfFilter));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    if (!app.ExecFileDialog(chooser) || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().constFirst();
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
    // Without any installed printer the job goes into a PDF file.
    if (QPrinterInfo::availablePrinters().isEmpty()) printer.setOutputFormat(QPrinter::PdfFormat);

    HelpContextScope help(app.m_nHelpContext, PrintDialogHelpContext(job.kind));
    const std::u16string remembered = RememberedPrinter(profile, job.kind);
    if (!remembered.empty() && app.MainFrame())
        app.MainFrame()->SelectPrinterByName(QString::fromStdU16String(remembered));

    CDlgDrucken dlg(job.kind, job.pageCount(), DeviceName(printer),
                    printer.pageLayout().orientation() == QPageLayout::Portrait, !remembered.empty(),
                    job.view);
    QObject::connect(&dlg, &CDlgDrucken::helpRequested, &dlg, [&app] { app.OnHelp(); });
    if (dlg.exec() != QDialog::Accepted) {
        if (dlg.m_bChoosePrinter) {
            {
                HelpContextScope setup(app.m_nHelpContext, kPrinterSetupHelpContext);
                QPrintDialog chooser(&printer, job.view);
                chooser.exec();
            }
            // Even a cancelled set-up forgets the remembered printer.
            ResetPrinterChoice(profile, job.kind);
            RunFormPrintCommand(job, app);
        }
        return;
    }
    StorePrinterChoice(profile, job.kind, dlg.m_bReuse != 0, dlg.m_strDevice.toStdU16String());
    if (job.confirm && !job.confirm(dlg.m_nPage)) return;

    QString error;
    bool ok;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString path = PdfPath(job, app, printer, dlg.m_nPage);
        if (path.isEmpty()) return;
        ok = job.printToPdf(path, dlg.m_nPage, dlg.m_nCopies, error);
    } else {
        printer.setFullPage(false);
        printer.setDocName(Str(shellstr::kPrintDocName));
        ok = job.printToPrinter(printer, dlg.m_nPage, dlg.m_nCopies, error);
    }
    if (!ok) app.Message(Str(shellstr::kPrintFailed) + QStringLiteral("\n") + error);
}

}  // namespace tarvex
