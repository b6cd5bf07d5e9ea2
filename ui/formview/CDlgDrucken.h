#pragma once
// "Formular bedrucken": page, copies and the printer to use again for one form kind.

#include <QDialog>
#include <array>
#include <functional>

#include "core/formview/PrintCorrections.h"
#include "core/formview/PrintMode.h"

class QComboBox;
class QCheckBox;
class QRadioButton;
class QSpinBox;
class QLineEdit;
class QLabel;
class QGridLayout;
class QPushButton;

namespace tarvex {

class CDlgDrucken : public QDialog {
    Q_OBJECT
public:
    // form = the form printed; pageCount = pages of the document; currentPage = the page the
    // view shows; mode = the print mode last chosen for the form.
    CDlgDrucken(const FormPrintTraits& form, int pageCount, const QString& device, bool portrait, bool reuse,
                QWidget* parent = nullptr, int currentPage = 1, PrintMode mode = PrintMode::Preprinted);

    int m_nCopies = 1;
    QString m_strTitle;
    bool m_bPortrait = true;
    int m_nDlgHelpContext = 0;
    int m_nPage = 1;  // in: page count; out: chosen page, 1-based
    int m_bReuse = 0;
    int m_bChoosePrinter = 0;
    QString m_strDevice;
    // The pages of the job (m_nPage is the first of them), the print mode, and whether the
    // preview was asked for instead of printing at once.
    int m_nFirstPage = 1;
    int m_nLastPage = 1;
    PrintMode m_printMode = PrintMode::Preprinted;
    int m_bPreview = 0;

    QComboBox* PageList() const { return m_pages; }
    QLineEdit* CopiesEdit() const { return m_copies; }
    QCheckBox* ReuseBox() const { return m_reuse; }
    QRadioButton* OnePageButton() const { return m_onePage; }
    QRadioButton* CurrentPageButton() const { return m_currentPage; }
    QRadioButton* RangeButton() const { return m_range; }
    QRadioButton* AllPagesButton() const { return m_allPages; }
    QSpinBox* FromBox() const { return m_from; }
    QSpinBox* ToBox() const { return m_to; }
    QRadioButton* ModeButton(PrintMode mode) const { return m_modeButtons[static_cast<size_t>(mode)]; }
    QPushButton* PreviewButton() const { return m_preview; }
    // The output is a PDF file: the dialog shows the file that nameOf proposes for the pages
    // chosen, and follows the choice.
    void ShowOutputFile(std::function<QString(int first, int last)> nameOf);
    QLabel* OutputFileLabel() const { return m_outputFile; }
    // Shows a mode as chosen (the preview may have changed it); the mode the buttons show now.
    void SetPrintMode(PrintMode mode);
    PrintMode CheckedPrintMode() const;

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    // The pages the controls choose now.
    void ChosenPages(int& first, int& last) const;
    void UpdateOutputFile();

    int m_nCurrent = 1;
    std::function<QString(int, int)> m_outputName;
    QLabel* m_outputFile = nullptr;
    QGridLayout* m_printerGrid = nullptr;
    QComboBox* m_pages;
    QRadioButton *m_onePage, *m_currentPage, *m_range, *m_allPages;
    QSpinBox *m_from, *m_to;
    // Indexed by the mode's value.
    std::array<QRadioButton*, std::size(kPrintModes)> m_modeButtons{};
    QPushButton* m_preview;
    QLineEdit* m_copies;
    QCheckBox* m_reuse;
};

}  // namespace tarvex
