#include "core/codelists/CustomsOffices.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "core/codelists/CodeText.h"

namespace tarvex {
namespace {

// Kind, office type, place, code; the last row is the sentinel (kind "@").
constexpr std::array<CustomsOffice, 119> kOffices = {{
    {u"Allgemein", u"Zollamt", u"Bad Säckingen", u"DE004209"},
    {u"Allgemein", u"D.Zollamt", u"Basel", u"DE004058"},
    {u"Allgemein", u"Abfertigungsstelle", u"Basel-Bad. Güterbahnhof", u"DE004081"},
    {u"Allgemein", u"Zollamt", u"Bietingen", u"DE004101"},
    {u"Allgemein", u"Zollamt", u"Bühl", u"DE004214"},
    {u"Allgemein", u"Abfertigungsstelle", u"Bühl-Altenburg-Rheinbrücke", u"DE004232"},
    {u"Allgemein", u"Abfertigungsstelle", u"Bühl-Jestetten-Bahnhof", u"DE004233"},
    {u"Allgemein", u"Zollamt", u"Büßlingen", u"DE004109"},
    {u"Allgemein", u"Zollamt", u"Erzingen", u"DE004201"},
    {u"Allgemein", u"Abfertigungsstelle", u"Friedrichshafen-Fähre", u"DE009420"},
    {u"Allgemein", u"Zollamt", u"Friedrichshafen", u"DE009402"},
    {u"Allgemein", u"Zollamt", u"Gailingen", u"DE004112"},
    {u"Allgemein", u"Abfertigungsstelle", u"Gailingen-West", u"DE004185"},
    {u"Allgemein", u"Zollamt", u"Grenzacherhorn", u"DE004051"},
    {u"Allgemein", u"Zollamt", u"Günzgen", u"DE004217"},
    {u"Allgemein", u"Zollamt", u"Inzlingen", u"DE004060"},
    {u"Allgemein", u"Zollamt", u"Jestetten", u"DE004203"},
    {u"Allgemein", u"Zollamt", u"Konstanz-Autobahn", u"DE004005"},
    {u"Allgemein", u"Zollamt", u"Konstanz-Emmishofer Tor", u"DE004001"},
    {u"Allgemein", u"Zollamt", u"Konstanz-Güterbahnhof", u"DE004002"},
    {u"Allgemein", u"Zollamt", u"Konstanz-Kreuzlinger Tor", u"DE004003"},
    {u"Allgemein", u"Zollamt", u"Konstanz-Paradieser Tor", u"DE004010"},
    {u"Allgemein", u"Abfertigungsstelle", u"Konstanz Personenbhf.", u"DE004032"},
    {u"Allgemein", u"Abfertigungsstelle", u"Langenargen", u"DE009423"},
    {u"Allgemein", u"Zollamt", u"Laufenburg", u"DE004204"},
    {u"Allgemein", u"Zollamt", u"Lottstetten", u"DE004205"},
    {u"Allgemein", u"Abfertigungsstelle", u"Meersburg", u"DE009422"},
    {u"Allgemein", u"Zollamt", u"Neuhaus (Randen)", u"DE004102"},
    {u"Allgemein", u"Zollamt", u"Öhningen", u"DE004117"},
    {u"Allgemein", u"Abfertigungsstelle", u"Randegg", u"DE004187"},
    {u"Allgemein", u"Zollamt", u"Rheinfelden", u"DE004054"},
    {u"Allgemein", u"Zollamt", u"Rheinheim", u"DE004222"},
    {u"Allgemein", u"Zollamt", u"Rielasingen", u"DE004103"},
    {u"Allgemein", u"Zollamt", u"Rötteln", u"DE004223"},
    {u"Allgemein", u"Zollamt", u"Singen-Bahnhof", u"DE004105"},
    {u"Allgemein", u"Abfertigungsstelle", u"Singen-Personenbahnhof", u"DE004181"},
    {u"Allgemein", u"Zollamt", u"Stetten", u"DE004053"},
    {u"Allgemein", u"Abfertigungsstelle", u"Stetten Wiesenuferweg", u"DE004082"},
    {u"Allgemein", u"Zollamt", u"Stühlingen", u"DE004206"},
    {u"Allgemein", u"Abfertigungsstelle", u"Thayngen", u"DE004183"},
    {u"Allgemein", u"Abfertigungsstelle", u"Waldshut-Personenbahnhof", u"DE004241"},
    {u"Allgemein", u"Zollamt", u"Waldshut", u"DE004208"},
    {u"Allgemein", u"Zollamt", u"Weil am Rhein-Autobahn", u"DE004055"},
    {u"Allgemein", u"Zollamt", u"Weil am Rhein-Friedlingen", u"DE004056"},
    {u"Allgemein", u"Zollamt", u"Weil am Rhein-Ost", u"DE004061"},
    {u"Allgemein", u"Zollamt", u"Weil am Rhein-Otterbach", u"DE004057"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Augsburg-Flughafen", u"DE007430"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Baden-Airport", u"DE005881"},
    {u"Luftverkehr", u"Zollamt", u"Berlin-Schönefeld-Flughafen", u"DE002102"},
    {u"Luftverkehr", u"Zollamt", u"Berlin-Tegel-Flughafen", u"DE002105"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Berlin-Tempelhof-Flughafen", u"DE002131"},
    {u"Luftverkehr", u"Zollamt", u"Bremen-Flughafen", u"DE002301"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Dortmund-Flughafen", u"DE008131"},
    {u"Luftverkehr", u"Zollamt", u"Flughafen Dresden", u"DE005552"},
    {u"Luftverkehr", u"Zollamt", u"Düsseldorf-Flughafen", u"DE002601"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Erfurt-Luftverkehr", u"DE003030"},
    {u"Luftverkehr", u"Zollamt", u"Frankfurt a. M.-Flughafen – Fracht", u"DE003302"},
    {u"Luftverkehr", u"Zollamt", u"Frankfurt a. M.-Flughafen – Reise", u"DE003303"},
    {u"Luftverkehr", u"Zollamt", u"Frankfurt a. M. – Flughafenüberwachung", u"DE003301"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Friedrichshafen-Flughafen", u"DE009421"},
    {u"Luftverkehr", u"Zollamt", u"Hahn-Flughafen", u"DE006756"},
    {u"Luftverkehr", u"Zollamt", u"Hamburg-Flughafen", u"DE004701"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Hamburg-Flughafen Reiseverkehr", u"DE004733"},
    {u"Luftverkehr", u"Zollamt", u"Hannover-Flughafen", u"DE005103"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Verkehrslandeplatz Hof-Plauen", u"DE008730"},
    {u"Luftverkehr", u"Zollamt", u"Flughafen Köln/Bonn", u"DE007154"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Köln-Hauptbahnhof", u"DE007155"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Mönchengladbach-Flughafen", u"DE002931"},
    {u"Luftverkehr", u"Zollamt", u"Laage-Abfertigung-Flughafen", u"DE009120"},
    {u"Luftverkehr", u"Zollamt", u"Flughafen Leipzig", u"DE005604"},
    {u"Luftverkehr", u"Zollamt", u"München-Flughafen", u"DE007650"},
    {u"Luftverkehr", u"Zollamt", u"Münster-Flughafen", u"DE008306"},
    {u"Luftverkehr", u"Zollamt", u"Nürnberg-Flughafen", u"DE008755"},
    {u"Luftverkehr", u"Zollamt", u"Flughafen Paderborn", u"DE008380"},
    {u"Luftverkehr", u"Zollamt", u"Saarbrücken-Flughafen", u"DE009304"},
    {u"Luftverkehr", u"Zollamt", u"Stuttgart-Flughafen", u"DE009555"},
    {u"Luftverkehr", u"Abfertigungsstelle", u"Stuttgart-Flughafen-Hauptbahnhof", u"DE009583"},
    {u"Post", u"Post", u"Postversand", u"DE009950"},
    {u"Rohrleitung", u"Rohrleitung", u"Eldfisk (Erdgas)-Rohrleitung", u"DE009964"},
    {u"Rohrleitung", u"Rohrleitung", u"GVS Rheintalleitung (Gas)", u"DE009963"},
    {u"Rohrleitung", u"Rohrleitung", u"Lottstetten (Erdgas)", u"DE009962"},
    {u"Rohrleitung", u"Rohrleitung", u"GVS Oberschwabenleitung (Gas)", u"DE009984"},
    {u"Rohrleitung", u"Rohrleitung", u"Trinkwasser", u"DE009982"},
    {u"See (HH)", u"Zollamt", u"Hamburg-Waltershof", u"DE004851"},
    {u"See (HB)", u"Abfertigungsstelle", u"Bremen-Güterverkehrszentrum", u"DE002331"},
    {u"See (HB)", u"Zollamt", u"Bremen-Hansator", u"DE002302"},
    {u"See (HB)", u"Zollamt", u"Bremen-Hohetor", u"DE002303"},
    {u"See (HB)", u"Zollamt", u"Bremen-Industriehafen", u"DE002306"},
    {u"See (HB)", u"Zollamt", u"Bremen-Neustädter Hafen", u"DE002304"},
    {u"See (HB)", u"Zollamt", u"Bremerhaven", u"DE002452"},
    {u"See (Ostsee)", u"Abfertigungsstelle", u"Burgstaaken", u"DE006331"},
    {u"See (Ostsee)", u"Abfertigungsstelle", u"Flensburg-Hafen", u"DE006132"},
    {u"See (Ostsee)", u"Zollamt", u"Heiligenhafen", u"DE006302"},
    {u"See (Ostsee)", u"Zollamt", u"Kappeln", u"DE006106"},
    {u"See (Ostsee)", u"Abfertigungsstelle", u"Kiel-Norwegenkai", u"DE006231"},
    {u"See (Ostsee)", u"Zollamt", u"Kiel-Wik", u"DE006203"},
    {u"See (Ostsee)", u"Abfertigungsstelle", u"Lübeck-Schlutup", u"DE006332"},
    {u"See (Ostsee)", u"Zollamt", u"Lübeck-Travemünde", u"DE006306"},
    {u"See (Ostsee)", u"Zollamt", u"Mukran", u"DE009154"},
    {u"See (Ostsee)", u"Zollamt", u"Neustadt (Holst)", u"DE006307"},
    {u"See (Ostsee)", u"Zollamt", u"Rendsburg", u"DE006206"},
    {u"See (Ostsee)", u"Zollamt", u"Rostock", u"DE009104"},
    {u"See (Ostsee)", u"Abfertigungsstelle", u"Stralsund (HZA)", u"DE009180"},
    {u"See (Ostsee)", u"Zollamt", u"Wismar", u"DE009103"},
    {u"See (Ostsee)", u"Zollamt", u"Wolgast", u"DE009152"},
    {u"See (Nordsee)", u"Zollamt", u"Brake", u"DE005301"},
    {u"See (Nordsee)", u"Zollamt", u"Brunsbüttel", u"DE006151"},
    {u"See (Nordsee)", u"Abfertigungsstelle", u"Büsum", u"DE006165"},
    {u"See (Nordsee)", u"Zollamt", u"Cuxhaven", u"DE004501"},
    {u"See (Nordsee)", u"Zollamt", u"Emden", u"DE005004"},
    {u"See (Nordsee)", u"Zollamt", u"Helgoland", u"DE004506"},
    {u"See (Nordsee)", u"Zollamt", u"Husum", u"DE006155"},
    {u"See (Nordsee)", u"Abfertigungsstelle", u"Lemwerder", u"DE005332"},
    {u"See (Nordsee)", u"Zollamt", u"Papenburg", u"DE005008"},
    {u"See (Nordsee)", u"Zollamt", u"Stade", u"DE005203"},
    {u"See (Nordsee)", u"Abfertigungsstelle", u"Westerland", u"DE006159"},
    {u"See (Nordsee)", u"Zollamt", u"Wilhelmshaven", u"DE005310"},
    {u"See (Nordsee)", u"Abfertigungsstelle", u"Wyk", u"DE006160"},
    {u"@", u"", u"", u""},
}};

constexpr size_t RowsBeforeSentinel() {
    for (size_t i = 0; i < kOffices.size(); ++i)
        if (kOffices[i].kind == u"@") return i;
    return kOffices.size();
}
static_assert(RowsBeforeSentinel() == 118);

}  // namespace

std::span<const CustomsOffice> CustomsOffices() {
    return std::span<const CustomsOffice>(kOffices.data(), RowsBeforeSentinel());
}

std::u16string_view OfficeColumnText(const CustomsOffice& office, OfficeColumn column) {
    switch (column) {
        case OfficeColumn::kOrt:
            return office.place;
        case OfficeColumn::kArt:
            return office.kind;
        case OfficeColumn::kZollamt:
            return office.officeType;
        case OfficeColumn::kCode:
            return office.code;
    }
    return {};
}

OfficeSort OfficeSortAfterClick(OfficeSort current, OfficeColumn clicked) {
    if (clicked == current.column) return {clicked, !current.ascending};
    return {clicked, true};
}

std::vector<int> SortedOfficeRows(OfficeSort sort) {
    const auto rows = CustomsOffices();
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    // u16string_view compares by code unit, which is the ordinal, case-sensitive order wanted here.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const CustomsOffice& ra = rows[static_cast<size_t>(a)];
        const CustomsOffice& rb = rows[static_cast<size_t>(b)];
        const std::u16string_view ta = OfficeColumnText(ra, sort.column);
        const std::u16string_view tb = OfficeColumnText(rb, sort.column);
        if (ta != tb) return sort.ascending ? ta < tb : tb < ta;
        return ra.place < rb.place;
    });
    return order;
}

int OfficeTypeAheadRow(const std::vector<int>& listOrder, std::u16string_view typed) {
    if (typed.empty()) return -1;
    const auto rows = CustomsOffices();
    auto valid = [&](int row) { return row >= 0 && static_cast<size_t>(row) < rows.size(); };
    for (int row : listOrder)
        if (valid(row) && StartsWithIgnoringCase(rows[static_cast<size_t>(row)].place, typed)) return row;
    for (int row : listOrder) {
        if (!valid(row)) continue;
        const std::u16string_view code = rows[static_cast<size_t>(row)].code;
        // "DE004851" is typed as "DE0048", "004851" or "4851" as well.
        std::u16string_view number = code.size() > 2 ? code.substr(2) : std::u16string_view();
        const bool byNumber = StartsWithIgnoringCase(number, typed);
        while (!number.empty() && number.front() == u'0') number.remove_prefix(1);
        if (StartsWithIgnoringCase(code, typed) || byNumber || StartsWithIgnoringCase(number, typed))
            return row;
    }
    return -1;
}

int OfficeSortNumber(OfficeSort sort) {
    return static_cast<int>(sort.column) + (sort.ascending ? 0 : kOfficeColumnCount);
}

OfficeSort OfficeSortFromNumber(int number) {
    if (number < 0 || number >= 2 * kOfficeColumnCount) return {};
    return {static_cast<OfficeColumn>(number % kOfficeColumnCount), number < kOfficeColumnCount};
}

int CustomsOfficePresetRow(std::u16string_view boxText) {
    const auto rows = CustomsOffices();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == boxText) return static_cast<int>(i);
    return -1;
}

std::u16string CustomsOfficeResult(int row, std::u16string_view boxText) {
    const auto rows = CustomsOffices();
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return std::u16string(boxText);
    return std::u16string(rows[static_cast<size_t>(row)].code);
}

}  // namespace tarvex
