#pragma once
// The interactive side of a print job, for every form: the printer laid out for the job, the
// printer set-up, the preview, the job with its progress dialog (printer or PDF file) and the
// calibration sheet. A form's print command brings its page source and its own dialogs before.

#include <QString>
#include <vector>

#include "render/app/PrintJob.h"

class QPrinter;
class QWidget;

namespace tarvex {

class CTarvexImportApp;

// The job's paper: A4 portrait, the painter's origin at the paper's corner, for a PDF file (as
// `tarvex pdf` writes it) and a printer alike; a printer drops what falls into its unprintable
// margins.
void PreparePrinter(QPrinter& printer);
bool IsPdfOutput(const QPrinter& printer);

// The printer set-up ("Druckeinrichtung"): chooses the printer or the PDF output, prints nothing.
// True when it was confirmed.
bool RunPrinterSetup(QWidget* parent, QPrinter& printer);

// The PDF file first proposed for a job named name ("EhForm1 Seite 1.pdf"): in the folder of the
// last PDF file of a job, else of the file named in the printer set-up, else where the file
// dialogs start.
QString ProposedPdfPath(CTarvexImportApp& app, const QPrinter& printer, const QString& name);

// The preview of the job on the printer; true when "Drucken..." ended it. The mode chosen there
// is in options either way.
bool RunPrintPreview(QWidget* parent, QPrinter& printer, const IPrintPageSource& source,
                     PrintJobOptions& options, bool modeChoice);

// One job with a progress dialog that can cancel it (a single sheet needs none). A PDF output
// first asks for its file, proposing pdfName; the progress dialog exists only while the pages are
// drawn. A failed or cancelled job is reported in a message box.
void PrintWithProgress(QWidget* parent, CTarvexImportApp& app, QPrinter& printer,
                       const IPrintPageSource& source, const PrintJobOptions& options,
                       const QString& pdfName);

// The calibration sheet of a form at the margins given (one origin per sheet kind), in the
// preview, from which it is printed.
void ShowCalibrationSheet(QWidget* parent, CTarvexImportApp& app, const IPrintPageSource& form,
                          const std::vector<PrintOrigin>& origins);

}  // namespace tarvex
