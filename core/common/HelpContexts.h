#pragma once
// The help contexts: each help page is ":/help/<context>.html", and F1 shows the page of the
// context the window or field in front has set. A context number is written only here.

namespace tarvex::help {

// --- program and shared dialogs
inline constexpr int kOverview = 100;  // also the fields without a page of their own
inline constexpr int kAbout = 101;
inline constexpr int kMargins = 120;
inline constexpr int kOpen = 121;
inline constexpr int kPrinterSetup = 122;
inline constexpr int kPrintSad = 123;
inline constexpr int kPrintDv1 = 124;
inline constexpr int kPrinterFontSize = 125;
inline constexpr int kFieldDefinitions = 126;
inline constexpr int kGoToField = 127;
inline constexpr int kMasterDataLists = 130;
inline constexpr int kProgramOptions = 131;
inline constexpr int kDefaultTexts = 132;

// --- D.V.1: the form as a whole, box N of the front, the continuation sheet
inline constexpr int kDv1Form = 300;
constexpr int Dv1Box(int box) {
    return 300 + box;
}
inline constexpr int kDv1Continuation = 312;

// --- SAD: box N ("Feld N"); box 1 is the page of the form view as well
constexpr int SadBox(int box) {
    return 400 + box;
}
inline constexpr int kSadView = SadBox(1);
// The notes on box 37 (procedure codes) that F2 shows.
inline constexpr int kSadProcedureCodes = 505;

}  // namespace tarvex::help
