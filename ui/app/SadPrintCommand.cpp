#include "ui/app/SadPrintCommand.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/app/ShellStrings.h"
#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/sad/SadPrinter.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/HelpContextScope.h"
#include "ui/app/PrintJobDialogs.h"
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
    return Common_DlgMargin02::RunMarginCommand(profile, kSad, app.m_nLanguage, &view, {},
                                                [&view, &app](const CMarginSheetModel& m) {
                                                    ShowSadCalibrationSheet(view, app, MarginSheetOrigins(m));
                                                }) == QDialog::Accepted;
}

// Texts longer than their box are printed whole, beyond the box: the user decides, once for the
// job, about the first page of it that has such texts.
bool OverflowAccepted(CEinheitspapierView& view, const CSadPrintSource& source, const PrintJobOptions& o) {
    for (int page = o.first; page <= o.last; ++page) {
        const std::vector<int> overflow = source.OverflowingFields(page, o.mode);
        if (overflow.empty()) continue;
        QString question = QString::fromStdU16String(SadOverflowQuestion(SheetOfPage(page), overflow));
        if (o.last > o.first) question.prepend(Str(shellstr::kOverflowOnPage).arg(page));
        return QMessageBox::question(&view, Str(shellstr::kAppTitle), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    }
    return true;
}

QString DocumentBaseName(CTarvexImportApp& app) {
    return app.MainFrame() && app.MainFrame()->ActiveChild()
               ? QFileInfo(app.MainFrame()->ActiveChild()->Title()).completeBaseName()
               : Str(shellstr::kPrintDocName);
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
                    printer.pageLayout().orientation() == QPageLayout::Portrait, !remembered.empty(), &view,
                    std::max<int>(1, store.GetCurrentPage()), PrintWithFormChosen(profile, kSad));
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
    StorePrintWithForm(profile, kSad, dlg.m_bWithForm != 0);

    PrintJobOptions options;
    options.first = dlg.m_nFirstPage;
    options.last = dlg.m_nLastPage;
    options.copies = dlg.m_nCopies;
    options.mode = dlg.m_bWithForm ? PrintMode::WithForm : PrintMode::Preprinted;
    // The settings as they are now, after the margin sheet.
    const CSadPrintSource source(doc, profile, view.Definitions());
    if (dlg.m_bPreview) {
        if (!RunPrintPreview(&view, printer, source, options, true)) return;
        StorePrintWithForm(profile, kSad, options.mode == PrintMode::WithForm);
    }
    if (!OverflowAccepted(view, source, options)) return;
    const QString name =
        DocumentBaseName(app) + (options.first == options.last
                                     ? Str(shellstr::kPdfPageSuffix).arg(options.first)
                                     : Str(shellstr::kPdfPagesSuffix).arg(options.first).arg(options.last));
    PrintWithProgress(&view, app, printer, source, options, name);
}

void ShowSadCalibrationSheet(CEinheitspapierView& view, CTarvexImportApp& app,
                             const std::vector<PrintOrigin>& origins) {
    const CSadPrintSource form(*view.GetDocument(), app.GetProfile(), view.Definitions());
    ShowCalibrationSheet(view.window(), app, form, origins);
}

}  // namespace tarvex
