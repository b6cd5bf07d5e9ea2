#include "ui/app/SadPrintCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/app/ShellStrings.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/sad/SadPrinter.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/HelpContextScope.h"
#include "ui/app/QtText.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/SadViewInput.h"

namespace tarvex {
namespace {

constexpr int kSad = 0;
constexpr int kMarginHelpContext = 120;

// Name shown for the printer; a printer without a name is the PDF file output.
QString DeviceName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return Str(shellstr::kPdfPrinter);
    return printer.printerName();
}

// The margin sheet, when the user wants it before printing; false when it was cancelled.
bool MarginSheetAccepted(CEinheitspapierView& view, CTarvexImportApp& app) {
    Profile& profile = app.GetProfile();
    if (!MarginSheetBeforePrint(profile, kSad)) return true;
    HelpContextScope margins(app.m_nHelpContext, kMarginHelpContext);
    return Common_DlgMargin02::RunMarginCommand(profile, kSad, app.m_nLanguage, &view) == QDialog::Accepted;
}

// Texts longer than their box are printed whole, beyond the box: the user decides.
bool OverflowAccepted(CEinheitspapierView& view, CTarvexImportApp& app, int page) {
    const std::vector<int> overflow =
        SadPrintOverflow(*view.GetDocument(), page, app.GetProfile(), view.Definitions());
    return overflow.empty() ||
           QMessageBox::question(&view, Str(shellstr::kAppTitle),
                                 QString::fromStdU16String(SadOverflowQuestion(SheetOfPage(page), overflow)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

// The PDF file to print into: the printer's own, else chosen by the user (empty: cancelled).
QString PdfPath(CEinheitspapierView& view, CTarvexImportApp& app, const QPrinter& printer, int page) {
    if (!printer.outputFileName().isEmpty()) return printer.outputFileName();
    const QString base = app.MainFrame() && app.MainFrame()->ActiveChild()
                             ? QFileInfo(app.MainFrame()->ActiveChild()->Title()).completeBaseName()
                             : Str(shellstr::kPrintDocName);
    QFileDialog chooser(
        &view, Str(shellstr::kPrintToPdfTitle),
        QDir(app.DialogFolder()).absoluteFilePath(base + Str(shellstr::kPdfPageSuffix).arg(page)),
        Str(shellstr::kPdfFilter));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    if (!app.ExecFileDialog(chooser) || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().constFirst();
}

}  // namespace

void RunSadPrintCommand(CEinheitspapierView& view, CTarvexImportApp& app) {
    CEinheitspapierDoc& doc = *view.GetDocument();
    Profile& profile = app.GetProfile();
    CFieldStore& store = doc.Store();
    // Whatever the outcome, the form is drawn again (dialogs stood over it).
    struct Repaint {
        CEinheitspapierView& view;
        ~Repaint() { view.viewport()->update(); }
    } repaint{view};

    // 1: the edited text goes into the store (and the field's actions run again).
    view.GoToField(store.GetCurrentField(), store.GetCurrentPage());
    // 2: the margin sheet; "Abbrechen" there cancels the print, as it does everywhere else.
    if (!MarginSheetAccepted(view, app)) return;

    QPrinter& printer = app.Printer();
    // Without any installed printer the job goes into a PDF file.
    if (QPrinterInfo::availablePrinters().isEmpty()) printer.setOutputFormat(QPrinter::PdfFormat);

    HelpContextScope help(app.m_nHelpContext, PrintDialogHelpContext(kSad));
    const std::u16string remembered = RememberedPrinter(profile, kSad);
    if (!remembered.empty() && app.MainFrame())
        app.MainFrame()->SelectPrinterByName(QString::fromStdU16String(remembered));

    CDlgDrucken dlg(kSad, store.GetPageCount(), DeviceName(printer),
                    printer.pageLayout().orientation() == QPageLayout::Portrait, !remembered.empty(), &view);
    QObject::connect(&dlg, &CDlgDrucken::helpRequested, &dlg, [&app] { app.OnHelp(); });
    if (dlg.exec() != QDialog::Accepted) {
        if (dlg.m_bChoosePrinter) {
            {
                HelpContextScope setup(app.m_nHelpContext, 122);
                QPrintDialog chooser(&printer, &view);
                chooser.exec();
            }
            // Even a cancelled set-up forgets the remembered printer.
            ResetPrinterChoice(profile, kSad);
            RunSadPrintCommand(view, app);
        }
        return;
    }
    StorePrinterChoice(profile, kSad, dlg.m_bReuse != 0, dlg.m_strDevice.toStdU16String());
    if (!OverflowAccepted(view, app, dlg.m_nPage)) return;

    QString error;
    bool ok;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString path = PdfPath(view, app, printer, dlg.m_nPage);
        if (path.isEmpty()) return;
        ok = PrintSadToPdf(path, doc, dlg.m_nPage, dlg.m_nCopies, profile, view.Definitions(), error);
    } else {
        printer.setFullPage(false);
        printer.setDocName(Str(shellstr::kPrintDocName));
        ok = PrintSadPages(printer, printer.resolution(), doc, dlg.m_nPage, dlg.m_nCopies, profile,
                           view.Definitions(), error);
    }
    if (!ok) app.Message(Str(shellstr::kPrintFailed) + QStringLiteral("\n") + error);
}

}  // namespace tarvex
