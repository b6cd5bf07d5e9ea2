#include "ui/forms/Dv1PrintCommand.h"

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Labels.h"
#include "core/dv1/Dv1PrintForm.h"
#include "core/sad/SadStrings.h"
#include "render/dv1/Dv1PrintSource.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/common/QtText.h"
#include "ui/dv1/CDV1_View.h"

namespace tarvex {

FormPrintJob Dv1PrintJob(CDV1_View& view, CTarvexImportApp& app) {
    CDV1_Doc& doc = *view.GetDocument();
    Profile& profile = app.GetProfile();
    FormPrintJob job;
    job.form = &kDv1PrintForm;
    job.view = &view;
    job.pageCount = [&doc] { return doc.Store().GetPageCount(); };
    job.currentPage = [&view] { return view.ViewPage(); };
    job.commit = [&view] { view.CommitEdit(); };
    job.source = [&doc, &profile]() -> std::unique_ptr<IPrintPageSource> {
        return std::make_unique<CDv1PrintSource>(doc, profile);
    };
    job.overflow = [](const IPrintPageSource& source, int page, PrintMode mode) {
        return static_cast<const CDv1PrintSource&>(source).OverflowingFields(page, mode);
    };
    // The fields by their printed labels, as the status bar names them.
    job.overflowQuestion = [](int page, const std::vector<int>& fields) {
        return QString::fromStdU16String(Dv1OverflowQuestion(page, fields));
    };
    // Without a window manager nothing gives the form the keyboard back after the dialogs.
    job.repaint = [&view] {
        view.viewport()->update();
        view.FocusBox();
    };
    return job;
}

}  // namespace tarvex
