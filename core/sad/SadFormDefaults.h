#pragma once
// The defaults record of new SAD documents (section "EHForm_Defaults") as the form defaults
// dialog edits it: reading with the dialog's defaults, the checks before storing, storing, and
// the two stamp switches, which act at once through the field definitions.

#include <array>
#include <string>
#include <vector>

namespace tarvex {

class Profile;
struct CFieldDefinitions;

// Address lines of box 8 that the record can hold, and their length.
inline constexpr int kFirmaLines = 4;
inline constexpr size_t kFirmaLineLength = 49;
// Federal states offered for boxes 17 b and 34 b (codes "01" to "16").
inline constexpr int kStateCount = 16;

struct SadFormDefaults {
    std::u16string address;  // "Firma1" to "Firma4" joined with CR LF
    std::u16string zollNummer1;
    std::u16string zollNummer2;
    bool feld2 = false;    // box 8 gets the address and "ZollNummer1"
    bool feld2S2 = false;  // ... and the continuation sheets' copies are not printed
    int anmelder = 0;      // 0 none, 1 to 4 the role texts
    bool feld14 = false;
    int state17 = 0;  // index 0-15 of "Bundesland2", -1 none
    bool feld17 = true;
    int state34 = 0;  // index 0-15 of "Bundesland1", -1 none
    bool feld34 = true;
    bool autoFillPositions = true;
    bool stampA = false;
    bool stampC = false;
    bool autoDateInStamp = false;
    bool threeLineInStamp = true;
    bool showXX = true;
};

// The record as the dialog shows it: a missing "Feld14" counts as off here (the document
// treats it as on).
SadFormDefaults ReadSadFormDefaults(Profile& profile);

// The address split into lines at CR LF (or a bare LF); trailing white space of the whole text
// is dropped first, so that a closing line break makes no empty fifth line.
std::vector<std::u16string> SplitAddressLines(std::u16string_view text);
// What the record cannot hold: more than four lines, or lines longer than 49 characters (their
// numbers, 1-based). Empty when the address fits.
struct AddressFit {
    int lineCount = 0;
    std::vector<int> longLines;
    bool Fits() const { return lineCount <= kFirmaLines && longLines.empty(); }
};
AddressFit CheckAddress(std::u16string_view text);
// The four stored lines: the first four, each cut to 49 characters, missing ones empty.
std::array<std::u16string, kFirmaLines> AddressToFirma(std::u16string_view text);

// State code of a combo position: position + 1 as two digits, "00" without selection.
std::u16string StateCode(int index);
// Combo position of a stored code read as a decimal number (1 = first), -1 when out of range.
int StateIndex(std::u16string_view code);

// Not editable, not printed, not shown (0x0B) or switched on (0) for the six lines of stamp A
// (first sheet and continuation sheet) and of stamp C (first sheet), in all four form variants.
void ApplyStampSwitches(CFieldDefinitions& definitions, bool stampA, bool stampC);

// Stores the record and the stamp switches into the field definitions, and saves those.
void StoreSadFormDefaults(const SadFormDefaults& record, Profile& profile, CFieldDefinitions& definitions,
                          Profile& programArea);

}  // namespace tarvex
