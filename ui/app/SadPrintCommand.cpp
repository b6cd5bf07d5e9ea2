#include "ui/app/SadPrintCommand.h"

#include <QMessageBox>
#include <QPrinter>

#include "core/app/ShellStrings.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/sad/SadPrinter.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/app/QtText.h"
#include "ui/sad/CEinheitspapierView.h"

namespace tarvex {

void RunSadPrintCommand(CEinheitspapierView& view, CTarvexImportApp& app) {
    CEinheitspapierDoc& doc = *view.GetDocument();
    Profile& profile = app.GetProfile();
    FormPrintJob job;
    job.kind = 0;
    job.view = &view;
    job.pageCount = [&doc] { return doc.Store().GetPageCount(); };
    // The edited text goes into the store, and the field's actions run again.
    job.commit = [&view, &doc] {
        view.GoToField(doc.Store().GetCurrentField(), doc.Store().GetCurrentPage());
    };
    // Texts longer than their box are printed whole, beyond the box: the user decides.
    job.confirm = [&](int page) {
        const std::vector<int> overflow = SadPrintOverflow(doc, page, profile, view.Definitions());
        return overflow.empty() ||
               QMessageBox::question(
                   &view, Str(shellstr::kAppTitle),
                   QString::fromStdU16String(SadOverflowQuestion(SheetOfPage(page), overflow)),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    };
    job.printToPdf = [&](const QString& path, int page, int copies, QString& error) {
        return PrintSadToPdf(path, doc, page, copies, profile, view.Definitions(), error);
    };
    job.printToPrinter = [&](QPrinter& printer, int page, int copies, QString& error) {
        return PrintSadPages(printer, printer.resolution(), doc, page, copies, profile, view.Definitions(),
                             error);
    };
    job.repaint = [&view] { view.viewport()->update(); };
    RunFormPrintCommand(job, app);
}

}  // namespace tarvex
