// tarvex codes [LIST]: one built-in code list as JSON, in table order, for scripts and checks.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Json.h"
#include "core/codelists/CodeLists.h"
#include "core/common/TextCodec.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "codes [LIST]";

// The names of the lists, in the registry's order.
const std::vector<std::string_view> kLists = [] {
    std::vector<std::string_view> names;
    for (const CodeList& list : CodeLists()) names.push_back(list.name);
    return names;
}();

// One row: "code" and "text" first, then the list's own members.
class RowWriter {
public:
    explicit RowWriter(std::string& out) : m_out(out) {}
    void Row(const CodeListRow& row) {
        m_out += m_first ? "{" : ",{";
        m_first = false;
        m_out += "\"code\":" + JsonString(ToUtf8(row.code)) + ",\"text\":" + JsonString(ToUtf8(row.text));
        for (const auto& [name, value] : row.extra)
            m_out += ",\"" + std::string(name) + "\":" + JsonString(ToUtf8(value));
        m_out += "}";
    }

private:
    std::string& m_out;
    bool m_first = true;
};

bool WriteRows(std::string_view name, RowWriter& w) {
    const CodeList* list = FindCodeList(name);
    if (!list) return false;
    for (const CodeListRow& row : list->rows()) w.Row(row);
    return true;
}

// "countries, currencies, ..." for the command's summary.
std::string ListNames() {
    std::string names;
    for (std::string_view name : kLists) names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

int RunCodes(const std::vector<std::string>& commandLine) {
    CCommandLine line("codes");
    if (auto rc = line.Parse(commandLine, 0, 1)) return *rc;
    const std::vector<std::string>& args = line.Files();
    if (args.empty()) {
        std::string out = "{\"lists\":[";
        for (size_t i = 0; i < std::size(kLists); ++i) out += (i ? "," : "") + JsonString(kLists[i]);
        std::cout << out << "]}\n";
        return kExitOk;
    }
    std::string out = "{\"list\":" + JsonString(args[0]) + ",\"rows\":[";
    RowWriter writer(out);
    if (!WriteRows(args[0], writer)) {
        std::cerr << "tarvex: unknown code list '" << args[0] << "'\n";
        return UsageError(kUsage);
    }
    std::cout << out << "]}\n";
    return kExitOk;
}

const CommandRegistrar kCodes("codes", kUsage,
                              "prints a built-in code list as JSON (" + ListNames() +
                                  "); without LIST the names of the lists",
                              RunCodes);

}  // namespace
}  // namespace tarvex::cli
