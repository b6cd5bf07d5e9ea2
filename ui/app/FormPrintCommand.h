#pragma once
// The print command of a form window, the same for both forms: commit the edited text, the
// margin sheet when wanted, the print dialog with the remembered printer, then one page per copy
// on the printer or into a PDF. What differs per form comes in as functions.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace tarvex {

class CTarvexImportApp;

struct FormPrintJob {
    int kind = 0;  // 0 = SAD, 1 = D.V.1 (profile section, margin sheet, dialog texts)
    QWidget* view = nullptr;
    std::function<int()> pageCount;
    // The edited text into the store (and the field's actions run again).
    std::function<void()> commit;
    // Asked after the page was chosen; false stops the print. Empty: no question.
    std::function<bool(int page)> confirm;
    std::function<bool(const QString& path, int page, int copies, QString& error)> printToPdf;
    std::function<bool(QPrinter& printer, int page, int copies, QString& error)> printToPrinter;
    // After the command, whatever its outcome (dialogs stood over the form).
    std::function<void()> repaint;
};

void RunFormPrintCommand(const FormPrintJob& job, CTarvexImportApp& app);

}  // namespace tarvex
