#pragma once
// How the D.V.1 prints: its settings section, the margin sheet of four pages (front and back of
// the D.V.1 and of the D.V.1 BIS) and the print dialog's texts.

#include "core/common/HelpContexts.h"
#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {

inline constexpr MarginKeys kDv1MarginKeys[] = {{settings::kLeftMarginDV1[0], settings::kTopMarginDV1[0]},
                                                {settings::kLeftMarginDV1[1], settings::kTopMarginDV1[1]},
                                                {settings::kLeftMarginDV1[2], settings::kTopMarginDV1[2]},
                                                {settings::kLeftMarginDV1[3], settings::kTopMarginDV1[3]}};

inline constexpr FormPrintTraits kDv1PrintForm{
    .kind = 1,
    .section = settings::kDV1Form,
    .marginPages = 4,
    .marginKeys = kDv1MarginKeys,
    .marginSheetKey = settings::kShowMarginDlg,
    .hiddenOnlyByOne = true,
    .marginSheetTitle = formviewstr::kMarginSheetDv1,
    .marginPageTitles = {formviewstr::kMarginPageDv1Front, formviewstr::kMarginPageDv1Back,
                         formviewstr::kMarginPageDv1BisFront, formviewstr::kMarginPageDv1BisBack},
    .printCaption = formviewstr::kPrintCaptionDv1,
    .printHelpContext = help::kPrintDv1,
    .pageEntry = formviewstr::kPrintPageDv1,
    .laterPageEntry = formviewstr::kPrintPageDv1Bis,
    .laterPagesFrom = 3,
    .documentName = u"D.V.1",
    .printerFontCaption = formviewstr::kFontSizeDv1,
};

}  // namespace tarvex
