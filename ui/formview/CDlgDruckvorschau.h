#pragma once
// The print preview: the pages of a job exactly as the printer gets them (margins, corrections,
// the whole A4 paper), in either print mode; on pre-printed paper the form picture lies
// faintly under the entries. "Drucken..." ends it for the print.

#include <QDialog>

#include "render/app/PrintJob.h"

class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace tarvex {

class CDlgDruckvorschau : public QDialog {
    Q_OBJECT
public:
    // modeChoice: the print mode can be switched in the preview (not for the calibration sheet).
    CDlgDruckvorschau(QPrinter& printer, const IPrintPageSource& source, const PrintJobOptions& options,
                      bool modeChoice, QWidget* parent = nullptr);

    PrintMode Mode() const { return m_options.mode; }
    void SetMode(PrintMode mode);
    QPrintPreviewWidget* Preview() const { return m_preview; }
    QPushButton* PrintButton() const { return m_print; }
    int PagesShown() const;
    // Pages drawn for the preview so far (each page is drawn when the preview is refreshed).
    int PaintRuns() const { return m_paintRuns; }

private:
    void Paint(QPrinter* printer);
    void UpdatePageText();

    const IPrintPageSource& m_source;
    PrintJobOptions m_options;
    QPrintPreviewWidget* m_preview;
    QComboBox* m_mode = nullptr;
    QLabel* m_pageText;
    QPushButton* m_print;
    int m_paintRuns = 0;
};

}  // namespace tarvex
