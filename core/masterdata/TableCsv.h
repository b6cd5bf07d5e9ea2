#pragma once
// The address and article tables to and from CSV: a header row with the table's field names, one
// row per record. An import is all or nothing: every row is checked first, and the records are
// appended in one step under the table's lock only when none has a fault.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/masterdata/Csv.h"
#include "core/masterdata/dBaseDocument.h"

namespace tarvex {

enum class MasterTableLayout { Addresses, Articles };

// Creates an empty table of the layout (the five address fields; the 8-field article layout); the
// file must not exist yet. false with the engine's error.
bool CreateMasterTable(const std::filesystem::path& path, MasterTableLayout layout, CTableError& error);
// The open table has the layout's fields: addresses ADRESS1..4 and ZOLLNR as text fields first;
// articles 8 or 14 text fields.
bool HasMasterLayout(const CdBaseDocument& table, MasterTableLayout layout);
std::u16string MasterLayoutName(MasterTableLayout layout);

// By default the table's own code page, so that nothing is converted on the way out.
struct CsvWriteOptions {
    CsvEncoding encoding = CsvEncoding::Windows1252;
    char16_t separator = u';';
};

using CsvProgress = std::function<void(int64_t done, int64_t total)>;

// Header row and every record (deleted ones too, as the dialogs list them) as CSV bytes. Text
// fields as the program reads them, dates as TT.MM.JJJJ, other fields as they stand. unmappable:
// characters the chosen encoding cannot hold (only Windows-1252 loses any). false when the
// table cannot be read.
bool ExportTableCsv(CdBaseDocument& table, const CsvWriteOptions& options, std::string& bytes,
                    size_t* unmappable = nullptr, const CsvProgress& progress = {});

struct CsvImportOptions {
    std::optional<CsvEncoding> encoding;  // detected when not given
    std::optional<char16_t> separator;    // detected when not given
    // CSV column -> table field, names compared without regard to case; an empty field name
    // leaves the column out. Columns not named here go to the field of their own name.
    std::vector<std::pair<std::u16string, std::u16string>> map;
    // Texts wider than their field are cut to it (and listed) instead of being faults.
    bool cut = false;
};

struct CsvImportProblem {
    int row = 0;            // row as a spreadsheet numbers it: the header row is 1
    std::u16string column;  // header text of the column; empty for a fault of the whole row
    std::u16string reason;
    // "Zeile 812, Spalte "WNR1": ..."
    std::u16string Text() const;
};

// How the columns of a file go to the table's fields.
struct CsvColumnMapping {
    std::vector<std::u16string> header;
    std::vector<int> fields;  // per column: the field position, -1 = left out
};

struct CsvImportResult {
    CsvEncoding encoding = CsvEncoding::Utf8;
    char16_t separator = u';';
    CsvColumnMapping mapping;
    int64_t rows = 0;                      // data rows of the file
    int64_t written = 0;                   // records appended: rows, or 0 when anything went wrong
    std::vector<CsvImportProblem> faults;  // with any of them nothing is written
    std::vector<CsvImportProblem> cuts;    // texts cut (only with the cut option)
    std::u16string error;  // a fault of the table itself (lock, write); nothing is written then
    bool Ok() const { return faults.empty() && error.empty(); }
};

// The file's encoding, separator, rows and the mapping of its header to the table's fields (with
// faults of the header itself), without checking the data rows: what a preview shows.
struct CsvFile {
    CsvEncoding encoding = CsvEncoding::Utf8;
    char16_t separator = u';';
    std::vector<CsvRow> rows;  // header first
    std::vector<CsvImportProblem> faults;
};
CsvFile ReadCsvFile(std::string_view bytes, const std::optional<CsvEncoding>& encoding,
                    const std::optional<char16_t>& separator);
CsvColumnMapping MapCsvColumns(const CdBaseDocument& table, const std::vector<std::u16string>& header,
                               const std::vector<std::pair<std::u16string, std::u16string>>& map,
                               std::vector<CsvImportProblem>& faults);

// Checks every row of the file and appends them all to the open table, or none.
CsvImportResult ImportCsvIntoTable(CdBaseDocument& table, std::string_view bytes,
                                   const CsvImportOptions& options, const CsvProgress& progress = {});
// The same on a file already read (the dialog reads it once for the preview).
CsvImportResult ImportCsvIntoTable(CdBaseDocument& table, const CsvFile& file,
                                   const CsvColumnMapping& mapping, bool cut,
                                   const CsvProgress& progress = {});

}  // namespace tarvex
