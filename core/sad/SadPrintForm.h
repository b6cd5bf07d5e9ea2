#pragma once
// How the SAD prints: its settings section, the margin sheet of two pages (the first sheet and
// the continuation sheets) and the print dialog's texts.

#include "core/common/HelpContexts.h"
#include "core/common/ShellStrings.h"
#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {

inline constexpr MarginKeys kSadMarginKeys[] = {{settings::kLeftMarginEH, settings::kTopMarginEH},
                                                {settings::kLeftMargin2EH, settings::kTopMargin2EH}};

inline constexpr FormPrintTraits kSadPrintForm{
    .kind = 0,
    .section = settings::kEHForm,
    .marginPages = 2,
    .marginKeys = kSadMarginKeys,
    .marginSheetKey = settings::kShowMarginDlgEH,
    .hiddenOnlyByOne = false,
    .marginSheetTitle = formviewstr::kMarginSheetSad,
    .marginPageTitles = {formviewstr::kMarginPageSad, formviewstr::kMarginPageSheets},
    .printCaption = formviewstr::kPrintCaptionSad,
    .printHelpContext = help::kPrintSad,
    .pageEntry = formviewstr::kPrintPage,
    .documentName = shellstr::kPrintDocName,
    .printerFontCaption = formviewstr::kFontSizeSad,
};

// The origin of an SAD page: page 1 is the first sheet, every other a continuation sheet.
inline PrintOrigin SadPrintOrigin(Profile& profile, int page) {
    return SheetPrintOrigin(profile, kSadPrintForm, page == 1 ? 1 : 2);
}

}  // namespace tarvex
