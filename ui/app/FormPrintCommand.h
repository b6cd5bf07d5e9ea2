#pragma once
// The print command of a form window, the same for both forms: commit the edited text, the
// margin sheet when wanted (with its calibration sheet), the print dialog with the remembered
// printer, mode and pages, the preview when asked for, then one job on the printer or into a PDF
// file with a progress dialog that can cancel it. What differs per form comes in as functions.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/formview/PrintCorrections.h"
#include "render/app/PrintJob.h"

class QPrinter;
class QWidget;

namespace tarvex {

class CTarvexImportApp;

struct FormPrintJob {
    // The form's settings section, margin sheet and print dialog texts.
    const FormPrintTraits* form = nullptr;
    QWidget* view = nullptr;
    std::function<int()> pageCount;
    // The page the view shows, offered as "aktuelle Seite".
    std::function<int()> currentPage;
    // The edited text into the store (and the field's actions run again).
    std::function<void()> commit;
    // The document's pages with the settings as they are when it is called (after the margin
    // sheet); the document outlives the source.
    std::function<std::unique_ptr<IPrintPageSource>()> source;
    // Fields of a page whose text does not fit the box it is printed in, in the mode, and the
    // question that names them. Empty: no question.
    std::function<std::vector<int>(const IPrintPageSource& source, int page, PrintMode mode)> overflow;
    std::function<QString(int page, const std::vector<int>& fields)> overflowQuestion;
    // After the command, whatever its outcome (dialogs stood over the form).
    std::function<void()> repaint;
};

void RunFormPrintCommand(const FormPrintJob& job, CTarvexImportApp& app);

// The calibration sheet of the job's form at the margins given (one origin per sheet kind), in
// the print preview, from which it is printed.
void ShowFormCalibrationSheet(const FormPrintJob& job, CTarvexImportApp& app,
                              const std::vector<PrintOrigin>& origins);

}  // namespace tarvex
