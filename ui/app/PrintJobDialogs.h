#pragma once
// The interactive side of a print job, for every form: the printer laid out for the job, the
// preview, the job with its progress dialog (printer or PDF file) and the calibration sheet. A
// form's print command brings its page source and its own dialogs before.

#include <QString>
#include <vector>

#include "render/app/PrintJob.h"

class QPrinter;
class QWidget;

namespace tarvex {

class CTarvexImportApp;

// A PDF file is A4 whose whole page is printable (as `tarvex pdf` writes it); a printer keeps its
// own printable area.
void PreparePrinter(QPrinter& printer);

// The preview of the job on the printer; true when "Drucken..." ended it, with the mode chosen
// there in options.
bool RunPrintPreview(QWidget* parent, QPrinter& printer, const IPrintPageSource& source,
                     PrintJobOptions& options, bool modeChoice);

// One job with a progress dialog that can cancel it (a single sheet needs none); a PDF output
// asks for its file, named pdfName at first. A failure is reported in a message box.
void PrintWithProgress(QWidget* parent, CTarvexImportApp& app, QPrinter& printer,
                       const IPrintPageSource& source, const PrintJobOptions& options,
                       const QString& pdfName);

// The calibration sheet of a form at the margins given (one origin per sheet kind), in the
// preview, from which it is printed.
void ShowCalibrationSheet(QWidget* parent, CTarvexImportApp& app, const IPrintPageSource& form,
                          const std::vector<PrintOrigin>& origins);

}  // namespace tarvex
