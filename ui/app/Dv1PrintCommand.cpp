#include "ui/app/Dv1PrintCommand.h"

#include <QMessageBox>
#include <QPrinter>

#include "core/app/ShellStrings.h"
#include "core/dv1/Dv1Doc.h"
#include "core/sad/SadStrings.h"
#include "render/dv1/Dv1Printer.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/app/QtText.h"
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
    // Texts longer than their box are printed whole, beyond the box: the clerk decides, as for
    // the SAD (the fields named by their numbers, as the status bar names them).
    job.confirm = [&](int page) {
        const std::vector<int> overflow = Dv1PrintOverflow(doc, page, profile);
        if (overflow.empty()) return true;
        QString list;
        for (int f : overflow)
            list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + QString::number(f);
        return QMessageBox::question(
                   &view, Str(shellstr::kAppTitle),
                   Str(sadstr::kOverflowQuestion) + list + Str(sadstr::kOverflowQuestionEnd),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    };
    job.printToPdf = [&](const QString& path, int page, int copies, QString& error) {
        return PrintDv1ToPdf(path, doc, page, copies, profile, error);
    };
    job.printToPrinter = [&](QPrinter& printer, int page, int copies, QString& error) {
        return PrintDv1Pages(printer, printer.resolution(), doc, page, copies, profile, error);
    };
    // Without a window manager nothing gives the form the keyboard back after the dialogs.
    job.repaint = [&view] {
        view.viewport()->update();
        view.FocusBox();
    };
    RunFormPrintCommand(job, app);
}

}  // namespace tarvex
