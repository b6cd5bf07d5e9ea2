#include "ui/forms/SadPrintCommand.h"

#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadPrintForm.h"
#include "render/sad/SadPrinter.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/sad/CEinheitspapierView.h"

namespace tarvex {

FormPrintJob SadPrintJob(CEinheitspapierView& view, CTarvexImportApp& app) {
    CEinheitspapierDoc& doc = *view.GetDocument();
    Profile& profile = app.GetProfile();
    FormPrintJob job;
    job.form = &kSadPrintForm;
    job.view = &view;
    job.pageCount = [&doc] { return doc.Store().GetPageCount(); };
    job.currentPage = [&doc] { return doc.Store().GetCurrentPage(); };
    // The edited text goes into the store, and the field's actions run again.
    job.commit = [&view, &doc] {
        view.GoToField(doc.Store().GetCurrentField(), doc.Store().GetCurrentPage());
    };
    job.source = [&view, &doc, &profile]() -> std::unique_ptr<IPrintPageSource> {
        return std::make_unique<CSadPrintSource>(doc, profile, view.Definitions());
    };
    job.overflow = [](const IPrintPageSource& source, int page, PrintMode mode) {
        return static_cast<const CSadPrintSource&>(source).OverflowingFields(page, mode);
    };
    job.overflowQuestion = [](int page, const std::vector<int>& fields) {
        return QString::fromStdU16String(SadOverflowQuestion(SheetOfPage(page), fields));
    };
    job.repaint = [&view] { view.viewport()->update(); };
    return job;
}

}  // namespace tarvex
