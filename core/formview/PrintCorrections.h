#pragma once
// Print corrections shared by both form views: the margin sheet's model, the print-size
// correction, printer font heights, the sheet origin and the print dialog's page list and
// profile writes. Units are 0.1 mm unless a name says otherwise.

#include <array>
#include <string>
#include <vector>

#include "core/formview/FieldStore.h"
#include "core/formview/PrintMode.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

class Profile;

// The margin sheet: 2 to 6 pages, each with a horizontal and a vertical shift in millimetres
// (positive = right / down), changed in 0.5 mm steps within +-20 mm.
class CMarginSheetModel {
public:
    static constexpr int kMaxPages = 6;
    static constexpr double kStep = 0.5;
    static constexpr double kLimit = 20.0;

    // 2..6 sets the count; anything else leaves it and returns false (the caller reports it).
    bool SetSheetPages(int n);
    int GetSheetPages() const { return m_nPages; }
    void SetDontShow(int flag) { m_nDontShow = flag; }
    int GetDontShow() const { return m_nDontShow; }

    // Exchanged with callers as integers in 0.1 mm; pages are 1-based; pages beyond the count
    // are ignored and read 0.
    void SetShiftX(int page, int tenths);
    void SetShiftY(int page, int tenths);
    int GetShiftX(int page) const;
    int GetShiftY(int page) const;

    void StepLeft(int page) { Step(m_x, page, -1); }
    void StepRight(int page) { Step(m_x, page, +1); }
    void StepUp(int page) { Step(m_y, page, -1); }
    void StepDown(int page) { Step(m_y, page, +1); }

    // "%2.1f mm nach rechts" / "... nach links" / "unverändert" (English with language 1).
    std::u16string HorizontalText(int page, int language) const;
    std::u16string VerticalText(int page, int language) const;

private:
    bool Valid(int page) const { return page >= 1 && page <= m_nPages; }
    void Step(std::array<double, kMaxPages>& v, int page, int dir);
    int m_nPages = 2;
    int m_nDontShow = 0;
    std::array<double, kMaxPages> m_x{}, m_y{};
};

// The margin pair of one sheet of a form: left and top shift in 0.1 mm.
struct MarginKeys {
    settings::IntKey left;
    settings::IntKey top;
};

// What tells one form's printing from another's: its settings section, its margin sheet, the
// print dialog's texts and help. Each form has one (core/sad/SadPrintForm.h, core/dv1/Dv1PrintForm.h).
struct FormPrintTraits {
    int kind = 0;  // the form's place among the document templates (its remembered print mode)
    const char* section = nullptr;
    // The margin sheet: one margin pair per kind of sheet, and the key that hides the sheet
    // before printing. With hiddenOnlyByOne the sheet shows for any value but 1, else only for 0.
    int marginPages = 2;
    const MarginKeys* marginKeys = nullptr;
    settings::IntKey marginSheetKey{"", 0};
    bool hiddenOnlyByOne = false;
    const char16_t* marginSheetTitle = u"";
    const char16_t* marginPageTitles[CMarginSheetModel::kMaxPages] = {};
    // The print dialog: caption, help and the page list ("%1" = page number); pages from
    // laterPagesFrom on use laterPageEntry.
    const char16_t* printCaption = u"";
    int printHelpContext = 0;
    const char16_t* pageEntry = u"";
    const char16_t* laterPageEntry = u"";
    int laterPagesFrom = 0;  // 0: every page uses pageEntry
    // The document's name for a print file when no window names it.
    const char16_t* documentName = u"";
    // Its row in the printer font sizes dialog.
    const char16_t* printerFontCaption = u"";
};

// The margin command of a form view: loads the sheet from the profile, and writes it back
// after OK.
void LoadMarginSheet(CMarginSheetModel& sheet, Profile& profile, const FormPrintTraits& form);
void SaveMarginSheet(const CMarginSheetModel& sheet, Profile& profile, const FormPrintTraits& form);
// True when the sheet is to be shown before a print of that form.
bool MarginSheetBeforePrint(Profile& profile, const FormPrintTraits& form);

// Print-size correction: factors in 0.1 % ("PrnFactorV"/"PrnFactorH"); top/bottom scale with
// the vertical, left/right with the horizontal factor, truncating toward zero.
struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PrintRect&) const = default;
};
PrintRect ApplyPrintSizeCorrection(const PrintRect& r, int factorV, int factorH);

// Parses a percentage typed with a decimal point or comma ("100.5", "100,5"), independent of the
// process locale; false when it is not a number or lies outside [min, max]. tenths receives the
// value x 10, truncated.
bool ParsePercent(const std::u16string& text, double min, double max, int& tenths);

// The one table of field font heights: section "Font", keys family + size (+ "B" for bold),
// with the built-in defaults when there is no profile. Families "DFont" and "EFont" are the
// screen heights, "PFont" the printer heights.
int FieldFontValue(Profile* profile, const char* family, int size, bool bold);
// Printer font height of a size index: percent x value / 100 with the "PFont" heights.
int PrinterFontHeight(Profile* profile, int size, bool bold, int percent);
inline int PrinterFontHeight(Profile& profile, int size, bool bold, int percent) {
    return PrinterFontHeight(&profile, size, bold, percent);
}
// Screen font height of a size index at a zoom: value x zoom / 12.
int ScreenFontHeight(Profile* profile, const char* family, int size, bool bold, int zoom);
inline int ScreenFontHeight(Profile& profile, const char* family, int size, bool bold, int zoom) {
    return ScreenFontHeight(&profile, family, size, bold, zoom);
}

// Origin of a printed SAD sheet: x0 = left margin + 30, y0 = 10 - top margin (y upward).
struct PrintOrigin {
    int x0 = 30, y0 = 10;
};
// The origin of one kind of sheet of a form (1 based, as the margin sheet counts them).
PrintOrigin SheetPrintOrigin(Profile& profile, const FormPrintTraits& form, int sheet);
// The sheet origins the margin sheet's pages stand for, as they are being set (both forms place
// a sheet by its margins the same way).
std::vector<PrintOrigin> MarginSheetOrigins(const CMarginSheetModel& sheet);

// Page list of the print dialog.
std::vector<std::u16string> PrintPageEntries(const FormPrintTraits& form, int pageCount);

// Profile writes of the print dialog: OK with the check box and the printer shown, and the
// reset by "Druckerauswahl" or the print set-up.
void StorePrinterChoice(Profile& profile, const FormPrintTraits& form, bool reuse,
                        const std::u16string& device);
void ResetPrinterChoice(Profile& profile, const FormPrintTraits& form);
// The printer to select before printing, or empty when none is remembered.
std::u16string RememberedPrinter(Profile& profile, const FormPrintTraits& form);

const char* FormSection(int kind);

// The print mode last chosen for a form kind.
PrintMode ChosenPrintMode(Profile& profile, int kind);
void StorePrintMode(Profile& profile, int kind, PrintMode mode);

}  // namespace tarvex
