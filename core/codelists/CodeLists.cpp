#include "core/codelists/CodeLists.h"

#include "core/codelists/Countries.h"
#include "core/codelists/CustomsOffices.h"
#include "core/codelists/DutyTypes.h"
#include "core/codelists/FederalStates.h"
#include "core/codelists/SadCodeLists.h"
#include "core/common/TextCodec.h"

namespace tarvex {
namespace {

void Append(std::vector<CodeListRow>& out, std::span<const CodeText> rows) {
    for (const CodeText& r : rows) out.push_back({std::u16string(r.code), std::u16string(r.text), {}});
}

template <std::span<const CodeText> (*List)()>
std::vector<CodeListRow> CodeTextRows() {
    std::vector<CodeListRow> out;
    Append(out, List());
    return out;
}

std::vector<CodeListRow> StateRows() {
    std::vector<CodeListRow> out;
    for (int i = 0; i < kFederalStateCount; ++i)
        out.push_back({std::u16string(FederalStateCode(i)), std::u16string(FederalStateName(i)), {}});
    return out;
}

std::vector<CodeListRow> TransactionRows() {
    std::vector<CodeListRow> out;
    for (const TransactionCode& t : TransactionCodes())
        out.push_back({TransactionLabel(t),
                       std::u16string(t.text),
                       {{"group", std::u16string(TransactionGroupText(t.first))}}});
    return out;
}

std::vector<CodeListRow> TransportRows() {
    std::vector<CodeListRow> out;
    const auto modes = TransportModes();
    for (size_t i = 0; i < modes.size(); ++i) {
        // The entry's text after its "N - " prefix.
        const std::u16string_view text = modes[i];
        const size_t dash = text.find(u" - ");
        out.push_back({FromUtf8(std::to_string(TransportCode(static_cast<int>(i)))),
                       std::u16string(dash == std::u16string_view::npos ? text : text.substr(dash + 3)),
                       {}});
    }
    return out;
}

std::vector<CodeListRow> PreferenceRows() {
    std::vector<CodeListRow> out;
    Append(out, PreferenceFirstDigits());
    Append(out, PreferencePairs());
    return out;
}

std::vector<CodeListRow> DutyTypeRows() {
    std::vector<CodeListRow> out;
    for (const DutyType& d : DutyTypes()) out.push_back({std::u16string(d.code), std::u16string(d.text), {}});
    return out;
}

std::vector<CodeListRow> DeclarantRoleRows() {
    std::vector<CodeListRow> out;
    const auto roles = DeclarantRoles();
    for (size_t i = 0; i < roles.size(); ++i)
        out.push_back({FromUtf8(std::to_string(i)), std::u16string(roles[i]), {}});
    return out;
}

std::vector<CodeListRow> OfficeRows() {
    std::vector<CodeListRow> out;
    for (const CustomsOffice& o : CustomsOffices())
        out.push_back({std::u16string(o.code),
                       std::u16string(o.place),
                       {{"kind", std::u16string(o.kind)},
                        {"type", std::u16string(o.officeType)},
                        {"place", std::u16string(o.place)}}});
    return out;
}

constexpr CodeList kCodeLists[] = {
    {"countries", CodeTextRows<Countries>},
    {"currencies", CodeTextRows<Currencies>},
    {"states", StateRows},
    {"delivery-terms", CodeTextRows<DeliveryTerms>},
    {"transaction", TransactionRows},
    {"transport", TransportRows},
    {"preference", PreferenceRows},
    {"duty-types", DutyTypeRows},
    {"declarant-roles", DeclarantRoleRows},
    {"offices", OfficeRows},
};

}  // namespace

std::span<const CodeList> CodeLists() {
    return kCodeLists;
}

const CodeList* FindCodeList(std::string_view name) {
    for (const CodeList& list : kCodeLists)
        if (list.name == name) return &list;
    return nullptr;
}

}  // namespace tarvex
