// tarvex dbf import TABLE.dbf IN.csv --layout addresses|articles and tarvex dbf export TABLE.dbf
// OUT.csv. The words come after "dbf", which hands them here; they are registered under their two
// words so that the command list and their --help show them.

#include "DbfCsvCommands.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CliStrings.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Json.h"
#include "core/common/AtomicFile.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "core/masterdata/TableCsv.h"

namespace tarvex::cli {
namespace {

constexpr char kImport[] = "dbf import";
constexpr char kExport[] = "dbf export";

std::optional<CsvEncoding> ParseEncoding(const std::string& text) {
    if (text == "utf-8") return CsvEncoding::Utf8;
    if (text == "utf-8-bom") return CsvEncoding::Utf8Bom;
    if (text == "windows-1252") return CsvEncoding::Windows1252;
    return std::nullopt;
}

const char* EncodingWord(CsvEncoding encoding) {
    switch (encoding) {
        case CsvEncoding::Utf8:
            return "utf-8";
        case CsvEncoding::Utf8Bom:
            return "utf-8-bom";
        case CsvEncoding::Windows1252:
            break;
    }
    return "windows-1252";
}

std::optional<char16_t> ParseSeparator(const std::string& text) {
    if (text == ";" || text == "semicolon") return u';';
    if (text == "," || text == "comma") return u',';
    if (text == "tab") return u'\t';
    return std::nullopt;
}

void AddFormatOptions(CCommandLine& line, bool reading) {
    line.AddOption({"encoding"},
                   reading ? "the file's encoding instead of the detected one: utf-8, utf-8-bom, windows-1252"
                           : "utf-8, utf-8-bom or windows-1252 (default: windows-1252, the table's own)",
                   "ENC");
    line.AddOption(
        {"separator"},
        reading ? "the separator instead of the detected one: ';', ',' or tab" : "';' (default), ',' or tab",
        "SEP");
}

void AppendProblems(std::string& out, const char* name, const std::vector<CsvImportProblem>& problems) {
    out += ",\"";
    out += name;
    out += "\":[";
    for (size_t i = 0; i < problems.size(); ++i) {
        if (i > 0) out += ',';
        out += "{\"row\":" + std::to_string(problems[i].row) + ",\"column\":";
        AppendJsonString(out, ToUtf8(problems[i].column));
        out += ",\"reason\":";
        AppendJsonString(out, ToUtf8(problems[i].reason));
        out += '}';
    }
    out += ']';
}

bool PrintJson(const std::string& out) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0;
}

}  // namespace

int RunDbfImport(const std::vector<std::string>& args) {
    CCommandLine line(kImport);
    line.AddOption({"layout"},
                   "addresses or articles: the fields a new table gets and an existing one must have",
                   "LAYOUT");
    line.AddOption({"map"},
                   "COLUMN=FIELD[,COLUMN=FIELD...]: a column to another field than the one of its name; "
                   "COLUMN= leaves the column out",
                   "MAP");
    line.AddOption({"cut"}, "texts wider than their field are cut to it and listed, instead of stopping");
    AddFormatOptions(line, true);
    if (auto rc = line.Parse(args, 2, 2)) return *rc;
    const std::string& tableFile = line.Files()[0];
    const std::string& csvFile = line.Files()[1];

    const std::optional<std::string> layoutWord = line.Value("layout");
    if (!layoutWord || (*layoutWord != "addresses" && *layoutWord != "articles")) return line.UsageError();
    const MasterTableLayout layout =
        *layoutWord == "addresses" ? MasterTableLayout::Addresses : MasterTableLayout::Articles;
    CsvImportOptions options;
    options.cut = line.IsSet("cut");
    if (auto text = line.Value("encoding")) {
        options.encoding = ParseEncoding(*text);
        if (!options.encoding) return line.UsageError();
    }
    if (auto text = line.Value("separator")) {
        options.separator = ParseSeparator(*text);
        if (!options.separator) return line.UsageError();
    }
    if (auto text = line.Value("map")) {
        // The names are UTF-8, as the shell passes them.
        size_t start = 0;
        while (start <= text->size()) {
            size_t end = text->find(',', start);
            if (end == std::string::npos) end = text->size();
            const std::string entry = text->substr(start, end - start);
            const size_t eq = entry.find('=');
            if (eq == 0 || eq == std::string::npos) return line.UsageError();
            options.map.emplace_back(FromUtf8(entry.substr(0, eq)), FromUtf8(entry.substr(eq + 1)));
            start = end + 1;
        }
    }
    if (!CheckInputFile(csvFile) || !CheckInputFile(tableFile)) return kExitFile;

    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(ArgPath(csvFile), bytes, error)) {
        std::cerr << "tarvex: " << csvFile << ": " << error << "\n";
        return kExitFile;
    }
    std::error_code ec;
    if (!std::filesystem::exists(ArgPath(tableFile), ec)) {
        CTableError tableError;
        if (!CreateMasterTable(ArgPath(tableFile), layout, tableError)) {
            std::cerr << "tarvex: " << tableError.Text() << "\n";
            return kExitFile;
        }
    }
    CdBaseDocument table;
    if (table.OpenTable(ArgPath(tableFile)) != 1) {
        std::cerr << "tarvex: " << table.GetFileError().Text() << "\n";
        return kExitFile;
    }
    if (!HasMasterLayout(table, layout)) {
        std::cerr << "tarvex: " << tableFile << ": "
                  << ToUtf8(
                         MdArgs(mdstr::kCsvWrongLayoutFmt, {FromUtf8(tableFile), MasterLayoutName(layout)}))
                  << "\n";
        return kExitFile;
    }
    const CsvImportResult result = ImportCsvIntoTable(
        table, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), options);

    std::string out = "{\"encoding\":\"";
    out += EncodingWord(result.encoding);
    out += "\",\"separator\":";
    AppendJsonString(out, ToUtf8(std::u16string(1, result.separator)));
    out += ",\"rows\":" + std::to_string(result.rows) + ",\"written\":" + std::to_string(result.written);
    AppendProblems(out, "cut", result.cuts);
    AppendProblems(out, "faults", result.faults);
    out += "}\n";
    const bool printed = PrintJson(out);
    for (const CsvImportProblem& p : result.cuts)
        std::cerr << "tarvex: " << csvFile << ": " << ToUtf8(p.Text()) << "\n";
    for (const CsvImportProblem& p : result.faults)
        std::cerr << "tarvex: " << csvFile << ": " << ToUtf8(p.Text()) << "\n";
    if (!result.error.empty()) std::cerr << "tarvex: " << tableFile << ": " << ToUtf8(result.error) << "\n";
    if (!result.Ok()) {
        std::cerr << "tarvex: " << tableFile << ": "
                  << ToUtf8(MdArgs(
                         mdstr::kCsvNothingImportedFmt,
                         {MdNumber(static_cast<long long>(result.faults.size() + !result.error.empty()))}))
                  << "\n";
        return kExitFile;
    }
    return printed ? kExitOk : kExitFile;
}

int RunDbfExport(const std::vector<std::string>& args) {
    CCommandLine line(kExport);
    AddFormatOptions(line, false);
    if (auto rc = line.Parse(args, 2, 2)) return *rc;
    const std::string& tableFile = line.Files()[0];
    const std::string& csvFile = line.Files()[1];
    CsvWriteOptions options;
    if (auto text = line.Value("encoding")) {
        const auto encoding = ParseEncoding(*text);
        if (!encoding) return line.UsageError();
        options.encoding = *encoding;
    }
    if (auto text = line.Value("separator")) {
        const auto separator = ParseSeparator(*text);
        if (!separator) return line.UsageError();
        options.separator = *separator;
    }
    if (!CheckInputFile(tableFile)) return kExitFile;
    CdBaseDocument table;
    if (!table.OpenTableReadOnly(ArgPath(tableFile))) {
        std::cerr << "tarvex: " << table.GetFileError().Text() << "\n";
        return kExitFile;
    }
    std::string bytes;
    if (!ExportTableCsv(table, options, bytes)) {
        std::cerr << "tarvex: " << tableFile << ": " << ToUtf8(mdstr::kCsvReadFailed) << "\n";
        return kExitFile;
    }
    std::string error;
    if (!WriteFileAtomic(ArgPath(csvFile),
                         std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), error)) {
        std::cerr << "tarvex: " << error << "\n";
        return kExitFile;
    }
    return kExitOk;
}

namespace {

const CommandRegistrar kImportRegistrar(
    kImport, "dbf import TABLE.dbf IN.csv --layout addresses|articles [--map COL=FIELD] [--cut]",
    "appends the rows of a CSV file (';' or ',', UTF-8 or Windows-1252, a header row of field names) to an "
    "address or article table, all or none; a missing table is created",
    RunDbfImport);
const CommandRegistrar kExportRegistrar(
    "dbf export", "dbf export TABLE.dbf OUT.csv [--encoding ENC]",
    "writes a dBase table as CSV: a header row of field names, one row per "
    "record",
    RunDbfExport);

}  // namespace
}  // namespace tarvex::cli
