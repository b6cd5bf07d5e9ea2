#pragma once
// "CSV-Datei importieren": a CSV file into the address or article table the calling dialog holds
// open. Shows the detected encoding and separator (both can be changed), a preview of the first
// rows with the column mapping above them, asks before it writes (naming the number of rows),
// shows a progress bar while a large file goes in, and reports what was not imported.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/masterdata/TableCsv.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvex {

class CDlgCsvImport : public QDialog {
    Q_OBJECT
public:
    CDlgCsvImport(CdBaseDocument& table, std::string bytes, const QString& fileName,
                  QWidget* parent = nullptr);

    // The question before writing and the report after; message boxes unless a test replaces them.
    void SetConfirm(std::function<bool(const QString& question)> confirm) { m_confirm = std::move(confirm); }
    void SetReport(std::function<void(const CsvImportResult&)> report) { m_report = std::move(report); }

    // Checks every row and appends them all, or none; true when the rows went in.
    bool RunImport();
    const CsvImportResult& Result() const { return m_result; }

    // For tests and the screenshots.
    QComboBox* EncodingBox() const { return m_encoding; }
    QComboBox* SeparatorBox() const { return m_separator; }
    QTableWidget* Preview() const { return m_preview; }
    QComboBox* MappingBox(int column) const;
    QCheckBox* CutBox() const { return m_cut; }

    // The report's text: what was imported, cut or refused, one line each.
    static QString ReportText(const CsvImportResult& result);

private:
    void ReadFile();
    void FillPreview();
    CsvColumnMapping Mapping() const;

    CdBaseDocument& m_table;
    std::string m_bytes;
    QString m_fileName;
    CsvFile m_file;
    CsvImportResult m_result;
    std::vector<std::u16string> m_fieldNames;
    std::function<bool(const QString&)> m_confirm;
    std::function<void(const CsvImportResult&)> m_report;

    QComboBox* m_encoding;
    QComboBox* m_separator;
    QLabel* m_previewLabel;
    QTableWidget* m_preview;
    QCheckBox* m_cut;
    QPushButton* m_import;
};

// "Exportieren…": asks for the file (Windows-1252 or UTF-8) and writes the table as CSV with a
// progress bar; false when nothing was written.
bool ExportTableToCsvFile(CdBaseDocument& table, QWidget* parent);
// "Importieren…": asks for the file and shows CDlgCsvImport; true when rows were imported.
bool ImportCsvFileIntoTable(CdBaseDocument& table, QWidget* parent);

}  // namespace tarvex
