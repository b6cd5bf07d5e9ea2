#pragma once
// Sections and keys of the profile store, named once. A key that is read carries the default
// that every reader uses when the value is missing; settings::Get reads it with that default.
// Keys without a fixed default (written only, or with a computed default) are plain names.

#include <string>
#include <string_view>

#include "core/settings/Profile.h"

namespace tarvex::settings {

struct IntKey {
    const char* name;
    int fallback;
};

struct TextKey {
    const char* name;
    const char16_t* fallback;
};

inline int Get(Profile& p, std::string_view section, IntKey key) {
    return p.GetProfileInt(section, key.name, key.fallback);
}

inline std::u16string Get(Profile& p, std::string_view section, TextKey key) {
    return p.GetProfileString(section, key.name, key.fallback);
}

// --- sections ("" is the root of an area)
inline constexpr char kRoot[] = "";
inline constexpr char kSettings[] = "Settings";
inline constexpr char kEHForm[] = "EHForm_Defaults";    // SAD view, SAD printing and the SAD defaults
inline constexpr char kDV1Form[] = "DV1Form_Defaults";  // D.V.1 view and printing
inline constexpr char kFont[] = "Font";
inline constexpr char kRecentFileList[] = "Recent File List";
inline constexpr char kWorkspace[] = "Workspace";

// --- "Settings"
inline constexpr IntKey kLanguage{"Language", 0};  // 0 German, 1 English
inline constexpr IntKey kNoFileFilter{"NoFileFilter", 0};
inline constexpr IntKey kPrnFactorV{"PrnFactorV", 1000};  // tenths of a percent
inline constexpr IntKey kPrnFactorH{"PrnFactorH", 1000};
inline constexpr char kWinFormScaledFactorOv[] = "WinFormScaledFactorOv";  // default: the computed scale
// Master-data tables: full paths; empty (or "@" for the addresses, at most 2 characters for the
// articles) means the data folder with the table's default name.
inline constexpr TextKey kAdressdatenDatei{"AdressdatenDatei", u""};
inline constexpr TextKey kStammdatenDatei{"StammdatenDatei", u""};
inline constexpr IntKey kStammdaten{"Stammdaten", 1};  // 2: the 14-field article table
inline constexpr IntKey kPrnPapielageCheck{"PrnPapielageCheck", 1};
// Box 11: not 0 puts the chosen country's name into box 12 as well.
inline constexpr IntKey kField11bPrint{"Field11bPrint", 0};
// Box 54: remember the place, and the place remembered.
inline constexpr IntKey kReuseDatumOrt{"ReuseDatumOrt", 1};
inline constexpr TextKey kDatumOrt{"DatumOrt", u""};
// Box 29: the office list's sort, column 0-3 ("Ort", "Art", "Zollamt", "Code"), +4 descending.
inline constexpr IntKey kFeld29Sort{"Feld29Sortierung", 1};
// 0: no splash window; otherwise its display time in seconds. Start-up asks with 1 whether to
// show it at all, the window takes its time with 5.
inline constexpr IntKey kSplashScreen{"SplashScreen", 5};
inline constexpr IntKey kSplashScreenAtStart{"SplashScreen", 1};

// --- keys of both form sections
inline constexpr char kZoomFactor[] = "ZoomFactor";  // default depends on the screen height
inline constexpr char kZoomFactorLU[] = "ZoomFactorLU";
inline constexpr char kWinFormScaledFactor[] = "WinFormScaledFactor";
inline constexpr IntKey kDocLength{"DocLength", 350};  // mm, the form's length
inline constexpr IntKey kDocWidth{"DocWidth", 205};
inline constexpr IntKey kEditTextColor{"EditTextColor", 0xFF0000};    // blue as 0x00BBGGRR
inline constexpr IntKey kPrinterFontFactor{"PrinterFontFactor", 95};  // percent
inline constexpr TextKey kPrinter{"Printer", u"@"};                   // "@": no printer remembered
inline constexpr IntKey kReUsePrn{"ReUsePrn", 0};
inline constexpr IntKey kPrintMode{"PrintWithForm", 0};  // PrintModeFromStored: 1 "mit Formular"

// --- "EHForm_Defaults": SAD printing
inline constexpr IntKey kShowMarginDlgEH{"ShowMarginDlgEH", 0};
inline constexpr IntKey kLeftMarginEH{"Left_Margin_EH", 0};
inline constexpr IntKey kTopMarginEH{"Top_Margin_EH", 0};
inline constexpr IntKey kLeftMargin2EH{"Left_Margin2_EH", 0};
inline constexpr IntKey kTopMargin2EH{"Top_Margin2_EH", 0};
inline constexpr IntKey kHorPosX2EH{"HorPosX2_EH", 0};
inline constexpr IntKey kVertPosX2EH{"VertPosX2_EH", 0};

// --- "EHForm_Defaults": the defaults record of new SAD documents
inline constexpr TextKey kFirma[4] = {{"Firma1", u""}, {"Firma2", u""}, {"Firma3", u""}, {"Firma4", u""}};
inline constexpr TextKey kZollNummer1{"ZollNummer1", u""};
inline constexpr TextKey kZollNummer2{"ZollNummer2", u""};
inline constexpr IntKey kAnmelder{"Anmelder", 0};
inline constexpr IntKey kFeld2{"Feld2", 0};      // 4: box 8 gets the default address
inline constexpr IntKey kFeld2S2{"Feld2S2", 0};  // 1: that address is not printed on the continuation sheets
inline constexpr IntKey kFeld14{"Feld14", 4};    // 4: box 14 gets the declarant's role and number
inline constexpr IntKey kFeld17{"Feld17", 4};    // 4: box 17 b gets "Bundesland2"
inline constexpr IntKey kFeld34{"Feld34", 4};    // 4: box 34 b gets "Bundesland1"
inline constexpr IntKey kAutoFillPositions{"AutoFillPositions", 1};
inline constexpr IntKey kStampA{"Stamp_A", 0};
inline constexpr IntKey kStampC{"Stamp_C", 0};
inline constexpr IntKey kAutoDateInStamp{"AutoDateInStamp", 0};
inline constexpr IntKey kThreeLineInStamp{"3LineInStamp", 1};
inline constexpr IntKey kEHShowXX{"EH_ShowXX", 1};
inline constexpr TextKey kBundesland1{"Bundesland1", u"01"};
inline constexpr TextKey kBundesland2{"Bundesland2", u"01"};
inline constexpr TextKey kWSymbol0{"WSymbol0", u"EUR"};
inline constexpr TextKey kWSymbol1{"WSymbol1", u"DEM"};

// --- "EHForm_Defaults": the field-definition tables (sizes in the profile, tables in the
// program area; earlier versions kept both in "Settings" of the program area)
inline constexpr IntKey kFieldSizeEH1{"FieldSize_EH1", 0};
inline constexpr IntKey kFieldSizeEH2{"FieldSize_EH2", 0};
inline constexpr char kFieldDefEH1[] = "FieldDef_EH1";
inline constexpr char kFieldDefEH2[] = "FieldDef_EH2";

// --- "DV1Form_Defaults"
inline constexpr IntKey kShowMarginDlg{"ShowMarginDlg", 0};
// The line of box 11 (a) that the value calculation adds up: 1 the invoice currency, else national.
inline constexpr IntKey kFlagDV1_11a{"Flag_DV1_11a", 0};
inline constexpr IntKey kLeftMarginDV1[4] = {
    {"Left_Margin1_DV1", 0}, {"Left_Margin2_DV1", 0}, {"Left_Margin3_DV1", 0}, {"Left_Margin4_DV1", 0}};
inline constexpr IntKey kTopMarginDV1[4] = {
    {"Top_Margin1_DV1", 0}, {"Top_Margin2_DV1", 0}, {"Top_Margin3_DV1", 0}, {"Top_Margin4_DV1", 0}};

// --- "Font": a family prefix followed by the size ("EFont0", "PFont4B")
inline constexpr char kDFont[] = "DFont";  // field texts drawn on the screen
inline constexpr char kEFont[] = "EFont";  // the field edit control
inline constexpr char kPFont[] = "PFont";  // printing

// --- "Recent File List": "File1" to "File8"
inline constexpr char kRecentFilePrefix[] = "File";

// --- root of the program area and of the machine area: the version entries
inline constexpr char kVersion[] = "Version";
inline constexpr char kPath[] = "Path";
inline constexpr char kCreationDate[] = "CreationDate";

// --- "Workspace"
inline constexpr char kMainFrameState[] = "MainFrame";
// The buttons of the standard toolbar and of the user's own toolbars (a subsection of
// "Workspace", so that the reset of menus and toolbars removes them too).
inline constexpr char kToolbarsSection[] = "Workspace/Toolbars";
inline constexpr char kToolbarStandard[] = "Standard";
inline constexpr char kUserToolbarName[] = "UserName";        // + number 1-10
inline constexpr char kUserToolbarButtons[] = "UserButtons";  // + number 1-10

}  // namespace tarvex::settings
