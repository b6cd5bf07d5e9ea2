#include "ui/app/Dv1PrintCommand.h"

#include <QPrinter>

#include "core/dv1/Dv1Doc.h"
#include "render/dv1/Dv1Printer.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/dv1/CDV1_View.h"

namespace tarvex {

void RunDv1PrintCommand(CDV1_View& view, CTarvexImportApp& app) {
    CDV1_Doc& doc = *view.GetDocument();
    Profile& profile = app.GetProfile();
    FormPrintJob job;
    job.kind = 1;
    job.view = &view;
    job.pageCount = [&doc] { return doc.Store().GetPageCount(); };
    job.commit = [&view] { view.CommitEdit(); };
    job.printToPdf = [&](const QString& path, int page, int copies, QString& error) {
        return PrintDv1ToPdf(path, doc, page, copies, profile, error);
    };
    job.printToPrinter = [&](QPrinter& printer, int page, int copies, QString& error) {
        return PrintDv1Pages(printer, printer.resolution(), doc, page, copies, profile, error);
    };
    job.repaint = [&view] { view.viewport()->update(); };
    RunFormPrintCommand(job, app);
}

}  // namespace tarvex
