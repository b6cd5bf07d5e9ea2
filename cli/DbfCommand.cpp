// tarvex dbf FILE [--index POS]: a dBase III table as JSON, read through the table engine.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "CliStrings.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DbfCsvCommands.h"
#include "Json.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/dBaseDocument.h"

namespace tarvex::cli {
namespace {

constexpr char kUsage[] = "dbf FILE [--index POS]";

void AppendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

// The value of one field as the accessors read it: C text, N integer or decimal, D text, L bool.
void AppendValue(std::string& out, CdBaseDocument& table, int position, char type, uint16_t decimals) {
    switch (type) {
        case 'C': {
            std::u16string s;
            table.GetString(position, s);
            AppendJsonString(out, ToUtf8(s));
            return;
        }
        case 'N':
            if (decimals == 0) {
                int32_t v = 0;
                table.GetInteger(position, v);
                out += std::to_string(v);
            } else {
                double v = 0;
                table.GetDouble(position, v);
                AppendNumber(out, v);
            }
            return;
        case 'D': {
            std::u16string s;
            table.GetDate(position, s);
            AppendJsonString(out, ToUtf8(s));
            return;
        }
        case 'L': {
            int v = table.GetLogical(position);
            out += v == 1 ? "true" : v == 0 ? "false" : "null";  // a code (-7) has no value
            return;
        }
        default:
            out += "null";
    }
}

int RunDbf(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "import") return RunDbfImport({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "export") return RunDbfExport({args.begin() + 1, args.end()});
    CCommandLine line("dbf");
    line.AddOption({"index"}, "also the in-memory index by the field at POS (0 = the first field)", "POS");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    const std::string& file = line.Files()[0];
    std::optional<int> indexPosition;
    if (auto text = line.Value("index")) {
        indexPosition = ParseNumber(*text, 0, std::numeric_limits<int>::max());
        if (!indexPosition) return line.UsageError();
    }
    if (!CheckInputFile(file)) return kExitFile;

    CdBaseDocument table;
    if (!table.OpenTableReadOnly(ArgPath(file))) {
        std::cerr << "tarvex dbf: " << table.GetFileError().Text() << "\n";
        return kExitFile;
    }
    // The whole listing is one read operation: one lock, and one count for header, records and
    // index; it ends before the output goes out (a slow reader must not hold up other writers).
    std::optional<CdBaseDocument::CReadOperation> operation;
    operation.emplace(table);
    const int fieldCount = table.GetFieldCount();
    if (indexPosition && *indexPosition >= fieldCount) {
        std::cerr << "tarvex dbf: "
                  << commonstr::Args(clistr::kIndexPastLastField,
                                     {std::to_string(*indexPosition), std::to_string(fieldCount),
                                      std::to_string(fieldCount - 1)})
                  << "\n";
        return kExitUsage;
    }

    std::string out;
    char date[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", 1900 + table.GetUpdateYear(), table.GetUpdateMonth(),
                  table.GetUpdateDay());
    const int32_t count = table.GetRecordCount();
    out += "{\"version\":" + std::to_string(table.GetVersion());
    out += ",\"updated\":";
    AppendJsonString(out, date);
    out += ",\"headerLength\":" + std::to_string(table.GetHeaderLength());
    out += ",\"recordLength\":" + std::to_string(table.GetRecordLength());
    out += ",\"recordCount\":" + std::to_string(count);
    out += ",\"fields\":[";
    std::vector<char> types(fieldCount);
    std::vector<uint16_t> decimals(fieldCount);
    for (int i = 0; i < fieldCount; ++i) {
        std::u16string name;
        uint16_t length = 0;
        table.GetFieldInfo(i, name, types[i], length, decimals[i]);
        if (i > 0) out += ',';
        out += "{\"name\":";
        AppendJsonString(out, ToUtf8(name));
        out += ",\"type\":";
        char typeByte = types[i];
        AppendJsonString(out, ToUtf8(DecodeWindows1252(std::string_view(&typeByte, 1))));
        out += ",\"length\":" + std::to_string(length) + ",\"decimals\":" + std::to_string(decimals[i]) + "}";
    }
    out += "],\"records\":[";
    // A header may claim more records than the file holds: the listing ends at the first record
    // that cannot be read.
    for (int32_t n = 1; n <= count; ++n) {
        if (table.ReadRecord(n) != n) break;
        if (n > 1) out += ',';
        out += "{\"record\":" + std::to_string(n) +
               ",\"deleted\":" + (table.IsRecordActive() ? "false" : "true");
        out += ",\"values\":[";
        for (int i = 0; i < fieldCount; ++i) {
            if (i > 0) out += ',';
            AppendValue(out, table, i, types[i], decimals[i]);
        }
        out += "]}";
    }
    out += ']';
    if (indexPosition) {
        const char type = types[*indexPosition];
        if (table.BuildIndex(*indexPosition) < 0 && type != 'C' && type != 'N') {
            std::cerr << "tarvex dbf: "
                      << commonstr::Args(clistr::kIndexWrongType,
                                         {std::to_string(*indexPosition), std::string(1, type)})
                      << "\n";
            return kExitUsage;
        }
        out += ",\"index\":[";
        for (int i = 1; i < table.GetIndexCount(); ++i) {
            if (i > 1) out += ',';
            out += "{\"key\":";
            AppendJsonString(out, ToUtf8(table.GetIndexKey(i)));
            out += ",\"record\":" + std::to_string(table.GetIndexRecord(i)) + "}";
        }
        out += ']';
    }
    out += "}\n";
    operation.reset();
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0) return kExitFile;
    return kExitOk;
}

const CommandRegistrar kRegistrar("dbf", kUsage,
                                  "a dBase III table (header, fields, records; with --index the "
                                  "in-memory index by the field at POS) as JSON",
                                  RunDbf);

}  // namespace
}  // namespace tarvex::cli
