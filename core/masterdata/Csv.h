#pragma once
// CSV as spreadsheet programs write it: ';' or ',' between cells, cells in double quotes where
// they hold a separator, a quote or a line break, records ended by CR LF, LF or CR. The bytes are
// UTF-8 (with or without the byte-order mark) or Windows-1252, told apart by whether they are
// valid UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

enum class CsvEncoding { Utf8, Utf8Bom, Windows1252 };

// UTF-8 with BOM when the bytes begin with it, UTF-8 when they are valid UTF-8 (plain ASCII too),
// Windows-1252 otherwise.
CsvEncoding DetectCsvEncoding(std::string_view bytes);
std::u16string DecodeCsvBytes(std::string_view bytes, CsvEncoding encoding);
// The text in the encoding (the BOM first for Utf8Bom). unmappable, when given, receives the number
// of characters Windows-1252 cannot hold (written as '?').
std::string EncodeCsvText(std::u16string_view text, CsvEncoding encoding, size_t* unmappable = nullptr);
// Windows-1252 as the code page defines it (the euro sign is 0x80); a character it does not have
// becomes '?'. false when any did; unmappable counts them, firstUnmappable receives the first.
bool EncodeWindows1252(std::u16string_view text, std::string& bytes, size_t* unmappable = nullptr,
                       std::u16string* firstUnmappable = nullptr);
// "UTF-8", "UTF-8 mit BOM", "Windows-1252".
std::u16string CsvEncodingName(CsvEncoding encoding);

// The separator of the first record: the one of ';' and ',' that occurs more often outside quotes
// there; ';' when neither does or both as often (what German spreadsheets write).
char16_t DetectCsvSeparator(std::u16string_view text);

struct CsvRow {
    int line = 0;  // line of the file where the record begins (1-based)
    std::vector<std::u16string> cells;
};

struct CsvParseError {
    int line = 0;
    std::u16string message;
};

// The most cells a file may hold: 2.5 million articles of eight fields. Each cell costs some tens
// of bytes in memory however short it is, so a file of nothing but separators would otherwise take
// many times its size.
inline constexpr size_t kMaxCsvCells = 20'000'000;

// The records of the text, line breaks inside quoted cells kept as they stand. Lines that are
// wholly empty are skipped. False with the line and reason for a quote that is never closed, text
// after a closing quote, or more than maxCells cells.
bool ParseCsv(std::u16string_view text, char16_t separator, std::vector<CsvRow>& rows, CsvParseError& error,
              size_t maxCells = kMaxCsvCells);

// One record with CR LF at its end; a cell is quoted when it holds the separator, a quote, a line
// break or white space at either end, or when it is the only cell and empty (so the line is not
// skipped on reading).
void AppendCsvRecord(std::u16string& out, const std::vector<std::u16string>& cells, char16_t separator);

}  // namespace tarvex
