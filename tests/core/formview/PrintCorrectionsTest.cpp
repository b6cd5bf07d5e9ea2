#include <gtest/gtest.h>

#include "core/dv1/Dv1PrintForm.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/SadPrintForm.h"
#include "core/settings/Profile.h"

using namespace tarvex;

TEST(MarginSheet, StepsLimitsAndTexts) {
    CMemoryProfile p;
    p.WriteProfileInt("DV1Form_Defaults", "Left_Margin1_DV1", 15);
    CMarginSheetModel sheet;
    LoadMarginSheet(sheet, p, kDv1PrintForm);
    EXPECT_EQ(sheet.GetSheetPages(), 4);
    EXPECT_EQ(sheet.HorizontalText(1, 0), u"1.5 mm nach rechts");
    for (int i = 0; i < 4; ++i) sheet.StepLeft(1);
    EXPECT_EQ(sheet.HorizontalText(1, 0), u"0.5 mm nach links");
    EXPECT_EQ(sheet.GetShiftX(1), -5);

    sheet.SetShiftY(2, -195);
    sheet.StepUp(2);
    EXPECT_EQ(sheet.VerticalText(2, 0), u"20.0 mm nach oben");
    sheet.StepUp(2);
    EXPECT_EQ(sheet.GetShiftY(2), -200);
    sheet.StepDown(2);
    EXPECT_EQ(sheet.GetShiftY(2), -195);
    EXPECT_EQ(sheet.VerticalText(3, 0), u"unver\u00e4ndert");
    for (int i = 0; i < 50; ++i) sheet.StepRight(3);
    EXPECT_EQ(sheet.GetShiftX(3), 200);
    EXPECT_EQ(sheet.VerticalText(1, 1), u"unchanged");

    // Pages beyond the count: ignored, read 0.
    sheet.SetShiftX(5, 30);
    EXPECT_EQ(sheet.GetShiftX(5), 0);
    EXPECT_FALSE(sheet.SetSheetPages(7));
    EXPECT_FALSE(sheet.SetSheetPages(1));
    EXPECT_EQ(sheet.GetSheetPages(), 4);
    EXPECT_TRUE(sheet.SetSheetPages(6));
    sheet.SetShiftX(5, 30);
    EXPECT_EQ(sheet.GetShiftX(5), 30);
}

TEST(MarginSheet, SaveWritesEveryKeyOfTheKind) {
    CMemoryProfile p;
    CMarginSheetModel sheet;
    LoadMarginSheet(sheet, p, kSadPrintForm);
    sheet.StepRight(1);
    sheet.StepDown(2);
    sheet.StepDown(2);
    sheet.SetDontShow(1);
    SaveMarginSheet(sheet, p, kSadPrintForm);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "Left_Margin_EH", 99), 5);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "Top_Margin_EH", 99), 0);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "Top_Margin2_EH", 99), 10);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 0), 1);
    EXPECT_FALSE(MarginSheetBeforePrint(p, kSadPrintForm));
    // The D.V.1 shows the sheet for any value but 1.
    p.WriteProfileInt("DV1Form_Defaults", "ShowMarginDlg", 2);
    EXPECT_TRUE(MarginSheetBeforePrint(p, kDv1PrintForm));
    p.WriteProfileInt("DV1Form_Defaults", "ShowMarginDlg", 1);
    EXPECT_FALSE(MarginSheetBeforePrint(p, kDv1PrintForm));
}

TEST(PrintCorrections, SizeCorrectionAndFonts) {
    EXPECT_EQ(ApplyPrintSizeCorrection({100, 200, 1100, 300}, 1000, 1010), (PrintRect{101, 200, 1111, 300}));
    EXPECT_EQ(ApplyPrintSizeCorrection({240, -965, 300, -1023}, 1010, 1000),
              (PrintRect{240, -974, 300, -1033}));
    EXPECT_EQ(ApplyPrintSizeCorrection({-7, 7, 0, 0}, 970, 970), (PrintRect{-6, 6, 0, 0}));  // toward zero

    CMemoryProfile p;
    EXPECT_EQ(PrinterFontHeight(p, 2, false, 95), 34);
    EXPECT_EQ(PrinterFontHeight(p, 2, true, 95), 36);
    EXPECT_EQ(ScreenFontHeight(p, "DFont", 0, false, 16), 40);
    p.WriteProfileInt("Font", "PFont2B", 50);
    EXPECT_EQ(PrinterFontHeight(p, 2, true, 100), 50);

    struct {
        const char16_t* text;
        bool ok;
        int tenths;
    } cases[] = {{u"100.5", true, 1005}, {u"100", true, 1000}, {u"97", true, 970},     {u"103.0", true, 1030},
                 {u"96", false, 0},      {u"103.1", false, 0}, {u"100,5", true, 1005}, {u"", false, 0},
                 {u"1e2", false, 0},     {u"abc", false, 0},   {u"100,5.1", false, 0}, {u"1,0,0", false, 0}};
    for (const auto& c : cases) {
        int t = 0;
        EXPECT_EQ(ParsePercent(c.text, 97, 103, t), c.ok);
        if (c.ok) {
            EXPECT_EQ(t, c.tenths);
        }
    }
}

TEST(PrintCorrections, OriginAndPrinterChoice) {
    CMemoryProfile p;
    EXPECT_EQ(SadPrintOrigin(p, 1).x0, 30);
    EXPECT_EQ(SadPrintOrigin(p, 1).y0, 10);
    p.WriteProfileInt("EHForm_Defaults", "Left_Margin_EH", 25);
    p.WriteProfileInt("EHForm_Defaults", "Top_Margin_EH", 10);
    p.WriteProfileInt("EHForm_Defaults", "Left_Margin2_EH", -5);
    EXPECT_EQ(SadPrintOrigin(p, 1).x0, 55);
    EXPECT_EQ(SadPrintOrigin(p, 1).y0, 0);
    EXPECT_EQ(SadPrintOrigin(p, 3).x0, 25);
    EXPECT_EQ(SadPrintOrigin(p, 3).y0, 10);

    EXPECT_EQ(PrintPageEntries(kSadPrintForm, 2),
              (std::vector<std::u16string>{u"Seite 1 drucken", u"Seite 2 drucken"}));
    EXPECT_EQ(PrintPageEntries(kDv1PrintForm, 4),
              (std::vector<std::u16string>{u"Seite 1 drucken - D.V.1", u"Seite 2 drucken - D.V.1",
                                           u"Seite 3 drucken - D.V.1 BIS", u"Seite 4 drucken - D.V.1 BIS"}));

    EXPECT_EQ(RememberedPrinter(p, kSadPrintForm), u"");
    StorePrinterChoice(p, kSadPrintForm, true, u"Kyocera FS-1020");
    EXPECT_EQ(RememberedPrinter(p, kSadPrintForm), u"Kyocera FS-1020");
    EXPECT_EQ(RememberedPrinter(p, kDv1PrintForm), u"");
    StorePrinterChoice(p, kSadPrintForm, false, u"Kyocera FS-1020");
    EXPECT_EQ(p.GetProfileString("EHForm_Defaults", "Printer", u""), u"@");
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "ReUsePrn", 9), 0);
    StorePrinterChoice(p, kDv1PrintForm, true, u"PDF");
    ResetPrinterChoice(p, kDv1PrintForm);
    EXPECT_EQ(p.GetProfileString("DV1Form_Defaults", "Printer", u""), u"@");
    EXPECT_EQ(p.GetProfileInt("DV1Form_Defaults", "ReUsePrn", 9), 0);
}

TEST(PrintCorrections, PrintModeKeepsTheStoredNumber) {
    // Profiles written by earlier versions hold "PrintWithForm" 1 for "mit Formular" and 0 (or
    // nothing, or anything else) for "auf Vordruck".
    struct Case {
        int stored;  // -100: no entry
        PrintMode mode;
    } cases[] = {{-100, PrintMode::Preprinted},
                 {0, PrintMode::Preprinted},
                 {1, PrintMode::WithForm},
                 {2, PrintMode::Preprinted},
                 {-1, PrintMode::Preprinted}};
    for (const Case& c : cases) {
        CMemoryProfile p;
        if (c.stored != -100) p.WriteProfileInt("DV1Form_Defaults", "PrintWithForm", c.stored);
        EXPECT_EQ(ChosenPrintMode(p, 1), c.mode) << c.stored;
        EXPECT_EQ(ChosenPrintMode(p, 0), PrintMode::Preprinted) << c.stored;
    }
    CMemoryProfile p;
    StorePrintMode(p, 0, PrintMode::WithForm);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "PrintWithForm", 9), 1);
    EXPECT_EQ(p.GetProfileInt("DV1Form_Defaults", "PrintWithForm", 9), 9);
    StorePrintMode(p, 0, PrintMode::Preprinted);
    EXPECT_EQ(p.GetProfileInt("EHForm_Defaults", "PrintWithForm", 9), 0);
    for (PrintMode mode : kPrintModes) {
        StorePrintMode(p, 1, mode);
        EXPECT_EQ(ChosenPrintMode(p, 1), mode);
    }
}
