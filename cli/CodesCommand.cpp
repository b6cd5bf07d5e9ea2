// tarvex codes [LIST]: one built-in code list as JSON, in table order, for scripts and checks.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Json.h"
#include "core/codelists/Countries.h"
#include "core/codelists/CustomsOffices.h"
#include "core/codelists/DutyTypes.h"
#include "core/codelists/FederalStates.h"
#include "core/codelists/SadCodeLists.h"
#include "core/common/TextCodec.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "codes [LIST]";

constexpr std::string_view kLists[] = {"countries",       "currencies", "states",     "delivery-terms",
                                       "transaction",     "transport",  "preference", "duty-types",
                                       "declarant-roles", "offices"};

// One row: "code" and "text" first, then the list's own members.
class RowWriter {
public:
    explicit RowWriter(std::string& out) : m_out(out) {}
    void Row(std::u16string_view code, std::u16string_view text,
             std::initializer_list<std::pair<const char*, std::u16string_view>> extra = {}) {
        m_out += m_first ? "{" : ",{";
        m_first = false;
        m_out += "\"code\":" + JsonString(ToUtf8(code)) + ",\"text\":" + JsonString(ToUtf8(text));
        for (const auto& [name, value] : extra)
            m_out += ",\"" + std::string(name) + "\":" + JsonString(ToUtf8(value));
        m_out += "}";
    }

private:
    std::string& m_out;
    bool m_first = true;
};

void CodeTextRows(RowWriter& w, std::span<const CodeText> rows) {
    for (const CodeText& r : rows) w.Row(r.code, r.text);
}

bool WriteRows(std::string_view list, RowWriter& w) {
    if (list == "countries") {
        CodeTextRows(w, Countries());
    } else if (list == "currencies") {
        CodeTextRows(w, Currencies());
    } else if (list == "states") {
        for (int i = 0; i < kFederalStateCount; ++i) w.Row(FederalStateCode(i), FederalStateName(i));
    } else if (list == "delivery-terms") {
        CodeTextRows(w, DeliveryTerms());
    } else if (list == "transaction") {
        for (const TransactionCode& t : TransactionCodes())
            w.Row(TransactionLabel(t), t.text, {{"group", TransactionGroupText(t.first)}});
    } else if (list == "transport") {
        const auto modes = TransportModes();
        for (size_t i = 0; i < modes.size(); ++i) {
            const std::u16string code = FromUtf8(std::to_string(TransportCode(static_cast<int>(i))));
            // The entry's text after its "N - " prefix.
            const std::u16string_view text = modes[i];
            const size_t dash = text.find(u" - ");
            w.Row(code, dash == std::u16string_view::npos ? text : text.substr(dash + 3));
        }
    } else if (list == "preference") {
        CodeTextRows(w, PreferenceFirstDigits());
        CodeTextRows(w, PreferencePairs());
    } else if (list == "duty-types") {
        for (const DutyType& d : DutyTypes()) w.Row(d.code, d.text);
    } else if (list == "declarant-roles") {
        const auto roles = DeclarantRoles();
        for (size_t i = 0; i < roles.size(); ++i) w.Row(FromUtf8(std::to_string(i)), roles[i]);
    } else if (list == "offices") {
        for (const CustomsOffice& o : CustomsOffices())
            w.Row(o.code, o.place, {{"kind", o.kind}, {"type", o.officeType}, {"place", o.place}});
    } else {
        return false;
    }
    return true;
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
                              "prints a built-in code list as JSON (countries, currencies, states, "
                              "delivery-terms, transaction, transport, preference, duty-types, "
                              "declarant-roles, offices); without LIST the names of the lists",
                              RunCodes);

}  // namespace
}  // namespace tarvex::cli
