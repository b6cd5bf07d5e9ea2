#include "core/masterdata/TableCsv.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/common/TextCodec.h"
#include "core/masterdata/AddressDatabase.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "core/masterdata/TarvexStammDaten.h"

namespace tarvex {
namespace {

struct FieldInfo {
    std::u16string name;
    char type = 'C';
    uint16_t length = 0, decimals = 0;
    size_t offset = 0;
};

std::vector<FieldInfo> Fields(const CdBaseDocument& table) {
    std::vector<FieldInfo> fields(table.GetFieldCount());
    size_t offset = 1;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        FieldInfo& f = fields[static_cast<size_t>(i)];
        table.GetFieldInfo(i, f.name, f.type, f.length, f.decimals);
        f.offset = offset;
        offset += f.length;
    }
    return fields;
}

std::u16string Upper(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return out;
}

std::u16string Trimmed(std::u16string_view s) {
    while (!s.empty() && IsWideSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsWideSpace(s.back())) s.remove_suffix(1);
    return std::u16string(s);
}

// The raw bytes of a field, trailing spaces removed, as text.
std::u16string RawText(const uint8_t* record, const FieldInfo& f) {
    std::string_view bytes(reinterpret_cast<const char*>(record + f.offset), f.length);
    if (const size_t zero = bytes.find('\0'); zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    return Trimmed(DecodeWindows1252(bytes));
}

// Line breaks as the tables keep them: CR LF, whatever the spreadsheet wrote.
std::u16string TableLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::u16string CsvImportProblem::Text() const {
    if (column.empty()) return MdArgs(mdstr::kCsvRowFmt, {MdNumber(row), reason});
    return MdArgs(mdstr::kCsvRowColumnFmt, {MdNumber(row), column, reason});
}

bool CreateMasterTable(const std::filesystem::path& path, MasterTableLayout layout, CTableError& error) {
    if (layout == MasterTableLayout::Addresses) {
        CdBaseDocument table;
        DefineAddressFields(table);
        const int rc = table.CreateTable(path, 0);
        error = table.GetFileError();
        return rc == 1;
    }
    CTarvexStammDaten articles;
    articles.SetTablePath(path.parent_path(), path.filename().u16string(), kLayout8, {});
    const int rc = articles.CreateArticleTable(0);
    error = articles.Table().GetFileError();
    return rc == 1;
}

bool HasMasterLayout(const CdBaseDocument& table, MasterTableLayout layout) {
    const std::vector<FieldInfo> fields = Fields(table);
    auto textFields = [&](size_t n) {
        if (fields.size() < n) return false;
        for (size_t i = 0; i < n; ++i)
            if (fields[i].type != 'C') return false;
        return true;
    };
    if (layout == MasterTableLayout::Addresses) {
        static constexpr const char16_t* kNames[] = {u"ADRESS1", u"ADRESS2", u"ADRESS3", u"ADRESS4",
                                                     u"ZOLLNR"};
        if (!textFields(5)) return false;
        for (size_t i = 0; i < 5; ++i)
            if (Upper(fields[i].name) != kNames[i]) return false;
        return true;
    }
    return (fields.size() == 8 || fields.size() == 14) && textFields(fields.size());
}

std::u16string MasterLayoutName(MasterTableLayout layout) {
    return layout == MasterTableLayout::Addresses ? mdstr::kCsvAddressTable : mdstr::kCsvArticleTable;
}

bool ExportTableCsv(CdBaseDocument& table, const CsvWriteOptions& options, std::string& bytes,
                    size_t* unmappable, const CsvProgress& progress) {
    const std::vector<FieldInfo> fields = Fields(table);
    const int32_t total = table.GetRecordCount();
    std::u16string text;
    std::vector<std::u16string> cells(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) cells[i] = fields[i].name;
    AppendCsvRecord(text, cells, options.separator);
    const int64_t read = table.ScanRecords([&](int32_t n, const uint8_t* record) {
        for (size_t i = 0; i < fields.size(); ++i) {
            const FieldInfo& f = fields[i];
            if (f.type == 'C') {
                table.GetStringOf(record, static_cast<int>(i), cells[i]);
            } else if (f.type == 'D') {
                const std::u16string raw = RawText(record, f);
                cells[i] = raw.size() == 8
                               ? CdBaseDocument::NormaliseDate(raw.substr(6, 2) + u"." + raw.substr(4, 2) +
                                                               u"." + raw.substr(0, 4))
                               : raw;
            } else {
                cells[i] = RawText(record, f);
            }
        }
        AppendCsvRecord(text, cells, options.separator);
        if (progress && n % 4096 == 0) progress(n, total);
        return true;
    });
    if (read < 0 || read < total) return false;
    if (progress) progress(total, total);
    bytes = EncodeCsvText(text, options.encoding, unmappable);
    return true;
}

CsvFile ReadCsvFile(std::string_view bytes, const std::optional<CsvEncoding>& encoding,
                    const std::optional<char16_t>& separator) {
    CsvFile file;
    file.encoding = encoding ? *encoding : DetectCsvEncoding(bytes);
    const std::u16string text = DecodeCsvBytes(bytes, file.encoding);
    file.separator = separator ? *separator : DetectCsvSeparator(text);
    CsvParseError error;
    if (!ParseCsv(text, file.separator, file.rows, error)) {
        // The fault is named by the line of the file: with line breaks inside cells the row is
        // not known once the quotes are out of step.
        file.rows.clear();
        file.faults.push_back({error.line, {}, error.message});
    } else if (file.rows.empty()) {
        file.faults.push_back({1, {}, mdstr::kCsvNoHeader});
    }
    return file;
}

CsvColumnMapping MapCsvColumns(const CdBaseDocument& table, const std::vector<std::u16string>& header,
                               const std::vector<std::pair<std::u16string, std::u16string>>& map,
                               std::vector<CsvImportProblem>& faults) {
    const std::vector<FieldInfo> fields = Fields(table);
    auto fieldOf = [&](std::u16string_view name) {
        const std::u16string key = Upper(Trimmed(name));
        for (size_t i = 0; i < fields.size(); ++i)
            if (Upper(fields[i].name) == key) return static_cast<int>(i);
        return -1;
    };
    CsvColumnMapping mapping;
    mapping.header = header;
    mapping.fields.assign(header.size(), -1);
    std::vector<int> owner(fields.size(), -1);
    for (size_t c = 0; c < header.size(); ++c) {
        const std::u16string column = Upper(Trimmed(header[c]));
        const std::pair<std::u16string, std::u16string>* given = nullptr;
        for (const auto& entry : map)
            if (Upper(Trimmed(entry.first)) == column) given = &entry;
        int field = -1;
        if (given) {
            if (Trimmed(given->second).empty()) continue;
            field = fieldOf(given->second);
            if (field < 0) {
                faults.push_back({1, header[c], MdArgs(mdstr::kCsvUnknownFieldFmt, {given->second})});
                continue;
            }
        } else {
            field = fieldOf(header[c]);
            if (field < 0) {
                faults.push_back({1, header[c], mdstr::kCsvUnknownColumn});
                continue;
            }
        }
        if (owner[static_cast<size_t>(field)] >= 0) {
            faults.push_back({1, header[c],
                              MdArgs(mdstr::kCsvDuplicateFieldFmt,
                                     {fields[static_cast<size_t>(field)].name,
                                      header[static_cast<size_t>(owner[static_cast<size_t>(field)])]})});
            continue;
        }
        owner[static_cast<size_t>(field)] = static_cast<int>(c);
        mapping.fields[c] = field;
    }
    return mapping;
}

CsvImportResult ImportCsvIntoTable(CdBaseDocument& table, std::string_view bytes,
                                   const CsvImportOptions& options, const CsvProgress& progress) {
    CsvFile file = ReadCsvFile(bytes, options.encoding, options.separator);
    CsvColumnMapping mapping;
    if (file.faults.empty())
        mapping = MapCsvColumns(table, file.rows.front().cells, options.map, file.faults);
    if (!file.faults.empty()) {
        CsvImportResult result;
        result.encoding = file.encoding;
        result.separator = file.separator;
        result.rows = file.rows.empty() ? 0 : static_cast<int64_t>(file.rows.size()) - 1;
        result.faults = std::move(file.faults);
        return result;
    }
    return ImportCsvIntoTable(table, file, mapping, options.cut, progress);
}

CsvImportResult ImportCsvIntoTable(CdBaseDocument& table, const CsvFile& file,
                                   const CsvColumnMapping& mapping, bool cut, const CsvProgress& progress) {
    CsvImportResult result;
    result.encoding = file.encoding;
    result.separator = file.separator;
    result.mapping = mapping;
    result.faults = file.faults;
    if (file.rows.empty()) {
        if (result.faults.empty()) result.faults.push_back({1, {}, mdstr::kCsvNoHeader});
        return result;
    }
    result.rows = static_cast<int64_t>(file.rows.size()) - 1;
    if (!result.faults.empty()) return result;
    if (!table.IsOpen()) {
        result.error = mdstr::kCsvReadFailed;
        return result;
    }
    const std::vector<FieldInfo> fields = Fields(table);
    const size_t recordLength = table.GetRecordLength();
    const size_t columns = mapping.header.size();
    std::vector<uint8_t> records;
    records.reserve(static_cast<size_t>(result.rows) * recordLength);
    for (size_t r = 1; r < file.rows.size(); ++r) {
        const CsvRow& row = file.rows[r];
        const int rowNumber = static_cast<int>(r + 1);
        if (row.cells.size() != columns) {
            result.faults.push_back(
                {rowNumber,
                 {},
                 MdArgs(mdstr::kCsvCellCountFmt, {MdNumber(static_cast<long long>(row.cells.size())),
                                                  MdNumber(static_cast<long long>(columns))})});
            continue;
        }
        // The engine's own stores check each value; the buffer is built and copied, never written.
        table.NewRecord();
        bool rowOk = true;
        std::vector<std::pair<size_t, std::string>> texts;
        for (size_t c = 0; c < columns; ++c) {
            const int position = mapping.fields[c];
            if (position < 0) continue;
            const FieldInfo& f = fields[static_cast<size_t>(position)];
            auto fault = [&](std::u16string reason) {
                result.faults.push_back({rowNumber, mapping.header[c], std::move(reason)});
                rowOk = false;
            };
            const std::u16string& cell = row.cells[c];
            switch (f.type) {
                case 'C': {
                    // The table's code page as it is: a character it has is stored as its byte.
                    std::string value;
                    std::u16string bad;
                    if (!EncodeWindows1252(TableLineBreaks(cell), value, nullptr, &bad)) {
                        fault(MdArgs(mdstr::kCsvUnmappableFmt, {bad}));
                        break;
                    }
                    if (value.size() > f.length) {
                        if (!cut) {
                            fault(
                                MdArgs(mdstr::kCsvTooLongFmt, {MdNumber(static_cast<long long>(value.size())),
                                                               f.name, MdNumber(f.length)}));
                            break;
                        }
                        value.resize(f.length);
                        result.cuts.push_back({rowNumber, mapping.header[c],
                                               MdArgs(mdstr::kCsvCutFmt, {MdNumber(f.length), f.name})});
                    }
                    value.resize(f.length, ' ');
                    texts.emplace_back(f.offset, std::move(value));
                    break;
                }
                case 'N': {
                    const std::string text = ToUtf8(Trimmed(cell));
                    if (text.empty()) break;  // blank: zero, as the engine stores it
                    int rc = 0;
                    if (f.decimals == 0) {
                        int32_t v = 0;
                        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
                        if (ec != std::errc() || end != text.data() + text.size()) {
                            fault(mdstr::kCsvNotANumber);
                            break;
                        }
                        rc = table.SetInteger(position, v);
                    } else {
                        std::string dotted = text;
                        for (char& ch : dotted)
                            if (ch == ',') ch = '.';
                        double v = 0;
                        const auto [end, ec] =
                            std::from_chars(dotted.data(), dotted.data() + dotted.size(), v);
                        if (ec != std::errc() || end != dotted.data() + dotted.size()) {
                            fault(mdstr::kCsvNotANumber);
                            break;
                        }
                        rc = table.SetDouble(position, v);
                    }
                    if (rc != 0) fault(MdArgs(mdstr::kCsvNumberTooWideFmt, {f.name, MdNumber(f.length)}));
                    break;
                }
                case 'D': {
                    const std::u16string text = Trimmed(cell);
                    if (text.empty()) break;
                    if (CdBaseDocument::NormaliseDate(text).empty() || table.SetDate(position, text) != 0)
                        fault(mdstr::kCsvBadDate);
                    break;
                }
                case 'L': {
                    const std::u16string text = Trimmed(cell);
                    if (text.empty()) break;
                    const char16_t c0 = text[0];
                    table.SetLogical(position, c0 == u'T' || c0 == u't' || c0 == u'J' || c0 == u'j' ||
                                                       c0 == u'Y' || c0 == u'y' || c0 == u'1'
                                                   ? 1
                                                   : 0);
                    break;
                }
                default:
                    if (!Trimmed(cell).empty())
                        fault(MdArgs(
                            mdstr::kCsvUnsupportedTypeFmt,
                            {std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(f.type)))}));
            }
        }
        if (rowOk) {
            const size_t start = records.size();
            records.insert(records.end(), table.RecordBuffer(), table.RecordBuffer() + recordLength);
            for (const auto& [offset, bytes] : texts)
                std::copy(bytes.begin(), bytes.end(),
                          records.begin() + static_cast<std::ptrdiff_t>(start + offset));
        }
        table.DiscardBuffer();
        if (progress && r % 4096 == 0) progress(static_cast<int64_t>(r), result.rows);
    }
    if (!result.faults.empty()) return result;
    // One step for all records: nothing of them stands in the table when this fails.
    auto lock = table.LockForWriting();
    if (!lock) {
        result.error = mdstr::kCsvLockFailed;
        return result;
    }
    const int64_t appended = table.AppendRecords(records);
    if (appended != result.rows) {
        result.error = mdstr::kCsvWriteFailed;
        return result;
    }
    result.written = appended;
    if (progress) progress(result.rows, result.rows);
    return result;
}

}  // namespace tarvex
