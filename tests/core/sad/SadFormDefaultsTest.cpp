// The defaults record of new SAD documents: what the dialog reads and stores, and what a new
// document makes of it.

#include <gtest/gtest.h>

#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadFormDefaults.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {
constexpr char kSec[] = "EHForm_Defaults";
}

TEST(SadFormDefaults, FreshProfileShowsTheDialogDefaultsAndWritesNothing) {
    CMemoryProfile profile;
    const SadFormDefaults r = ReadSadFormDefaults(profile);
    EXPECT_EQ(r.address, u"");
    EXPECT_FALSE(r.feld2);
    EXPECT_FALSE(r.feld2S2);
    EXPECT_FALSE(r.feld14);  // the document would treat the missing key as on
    EXPECT_TRUE(r.feld17);
    EXPECT_TRUE(r.feld34);
    EXPECT_EQ(r.state17, 0);
    EXPECT_EQ(r.state34, 0);
    EXPECT_EQ(r.anmelder, 0);
    EXPECT_TRUE(r.autoFillPositions);
    EXPECT_TRUE(r.threeLineInStamp);
    EXPECT_TRUE(r.showXX);
    EXPECT_FALSE(r.stampA);
    EXPECT_FALSE(r.stampC);
    EXPECT_FALSE(r.autoDateInStamp);
    EXPECT_EQ(profile.Size(), 0u);
}

TEST(SadFormDefaults, StoredRecordIsReadBackAndFillsTheNextNewDocument) {
    CMemoryProfile profile, programArea;
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    SadFormDefaults r;
    r.address = u"Muster GmbH\r\nHafenstr. 1\r\n\r\n20457 Hamburg\r\n";
    r.zollNummer1 = u"DE1234567";
    r.zollNummer2 = u"DE7654321";
    r.feld2 = true;
    r.feld2S2 = true;
    r.anmelder = 3;
    r.feld14 = true;
    r.state17 = 8;   // 09 - Bayern
    r.state34 = 15;  // 16 - Thüringen
    r.feld34 = false;
    r.autoFillPositions = false;
    r.stampA = true;
    r.autoDateInStamp = true;
    r.threeLineInStamp = false;
    r.showXX = false;
    StoreSadFormDefaults(r, profile, defs, programArea);

    // The stored values as the rest of the program reads them.
    EXPECT_EQ(profile.GetProfileString(kSec, "Firma3", u"?"), u"");
    EXPECT_EQ(profile.GetProfileString(kSec, "Firma4", u"?"), u"20457 Hamburg");
    EXPECT_EQ(profile.GetProfileString(kSec, "Bundesland2", u""), u"09");
    EXPECT_EQ(profile.GetProfileString(kSec, "Bundesland1", u""), u"16");
    EXPECT_EQ(profile.GetProfileInt(kSec, "Feld2", -1), 4);
    EXPECT_EQ(profile.GetProfileInt(kSec, "Feld2S2", -1), 1);
    EXPECT_EQ(profile.GetProfileInt(kSec, "Feld14", -1), 4);
    EXPECT_EQ(profile.GetProfileInt(kSec, "Feld17", -1), 4);
    EXPECT_EQ(profile.GetProfileInt(kSec, "Feld34", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(kSec, "Anmelder", -1), 3);
    EXPECT_EQ(profile.GetProfileInt(kSec, "AutoFillPositions", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(kSec, "3LineInStamp", -1), 0);
    EXPECT_EQ(profile.GetProfileInt(kSec, "EH_ShowXX", -1), 0);

    const SadFormDefaults back = ReadSadFormDefaults(profile);
    EXPECT_EQ(back.address, u"Muster GmbH\r\nHafenstr. 1\r\n\r\n20457 Hamburg");
    EXPECT_EQ(back.zollNummer2, r.zollNummer2);
    EXPECT_EQ(back.state17, 8);
    EXPECT_EQ(back.state34, 15);
    EXPECT_TRUE(back.feld2S2 && back.feld14 && back.stampA && back.autoDateInStamp);
    EXPECT_FALSE(back.feld34 || back.showXX || back.threeLineInStamp || back.stampC);

    // A new document and its view's initial update.
    CEinheitspapierDoc doc(&profile);
    doc.SetDateProvider([] { return CivilDate{5, 3, 2026}; });
    doc.ConfigureStore();
    doc.OnNewDocument();
    CFieldDefinitions viewDefs = defs;
    InitialiseSadDocument(doc, profile, viewDefs, 0);
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(s.GetFieldText(kFieldBox8, 1), u"Muster GmbH\r\nHafenstr. 1\r\n\r\n20457 Hamburg");
    EXPECT_EQ(s.GetFieldText(kFieldBox8Number, 1), u"DE1234567");
    EXPECT_EQ(s.GetFieldText(kContFieldBox2, 2), s.GetFieldText(kFieldBox8, 1));
    EXPECT_EQ(s.GetFieldText(kFieldBox14, 1), u"Einführer - 00500");
    EXPECT_EQ(s.GetFieldText(kFieldBox14Number, 1), u"DE7654321");
    EXPECT_EQ(s.GetFieldText(kFieldBox17b, 1), u"09");
    EXPECT_EQ(s.GetFieldText(kFieldBox34b, 1), u"");
    EXPECT_EQ(s.GetFieldText(FieldStampA(4), 1), u"5.3.2026");
    EXPECT_EQ(s.GetFieldText(FieldStampC(4), 1), u"");
    // "Auf Seite 2 nicht drucken": the continuation copies are not printed, the first sheet's are.
    for (int v = 0; v < 4; ++v) {
        EXPECT_TRUE(viewDefs.Get(2, kContFieldBox2, v) & kDefNotPrinted) << v;
        EXPECT_TRUE(viewDefs.Get(2, kContFieldBox2Number, v) & kDefNotPrinted) << v;
        EXPECT_EQ(viewDefs.Get(1, kFieldBox8, v), defs.Get(1, kFieldBox8, v)) << v;
    }
}

TEST(SadFormDefaults, StampSwitchesRewriteTheDefinitionsOfAllFourFormsAndSaveThem) {
    CMemoryProfile profile, programArea;
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    SadFormDefaults r;
    r.stampC = true;
    StoreSadFormDefaults(r, profile, defs, programArea);
    for (int v = 0; v < 4; ++v) {
        for (int line = 1; line <= 6; ++line) {
            EXPECT_EQ(defs.Get(1, FieldStampC(line), v), 0) << v << "/" << line;
            EXPECT_EQ(defs.Get(1, FieldStampA(line), v), kDefNotOnForm) << v << "/" << line;
            EXPECT_EQ(defs.Get(2, ContFieldStampA(line), v), kDefNotOnForm) << v << "/" << line;
        }
    }
    // Saved: the next start loads what the dialog set.
    CFieldDefinitions loaded;
    LoadFieldDefinitions(loaded, profile, programArea);
    EXPECT_EQ(loaded.page1, defs.page1);
    EXPECT_EQ(loaded.continuation, defs.continuation);
    EXPECT_EQ(profile.GetProfileInt(kSec, "FieldSize_EH1", 0), 616);

    // Both on, then both off again: the neighbours of the stamp lines are never touched.
    const CFieldDefinitions before = defs;
    r.stampA = true;
    StoreSadFormDefaults(r, profile, defs, programArea);
    for (int v = 0; v < 4; ++v)
        for (int line = 1; line <= 6; ++line) {
            EXPECT_EQ(defs.Get(1, FieldStampA(line), v), 0);
            EXPECT_EQ(defs.Get(2, ContFieldStampA(line), v), 0);
        }
    r.stampA = r.stampC = false;
    StoreSadFormDefaults(r, profile, defs, programArea);
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(defs.Get(1, FieldStampC(1), v), kDefNotOnForm);
        EXPECT_EQ(defs.Get(1, FieldStampA(6) + 1, v), before.Get(1, FieldStampA(6) + 1, v));
        EXPECT_EQ(defs.Get(2, 0, v), before.Get(2, 0, v));
    }
}

TEST(SadFormDefaults, AddressThatDoesNotFitIsReportedAndCutOnlyWhenStored) {
    const std::u16string line49(49, u'x');
    const std::u16string line50(50, u'y');
    struct Case {
        std::u16string text;
        int lines;
        std::vector<int> longLines;
        std::array<std::u16string, 4> stored;
    } cases[] = {
        {u"", 0, {}, {}},
        {u"A\r\nB\r\n\r\n", 2, {}, {u"A", u"B", u"", u""}},
        {u"A\nB", 2, {}, {u"A", u"B", u"", u""}},
        {u"1\r\n2\r\n3\r\n4\r\n5", 5, {}, {u"1", u"2", u"3", u"4"}},
        {line49 + u"\r\n" + line50, 2, {2}, {line49, line50.substr(0, 49), u"", u""}},
        // A long fifth line is reported as a fifth line; it is never stored.
        {u"1\r\n2\r\n3\r\n4\r\n" + line50, 5, {}, {u"1", u"2", u"3", u"4"}},
    };
    for (const Case& c : cases) {
        const AddressFit fit = CheckAddress(c.text);
        EXPECT_EQ(fit.lineCount, c.lines);
        EXPECT_EQ(fit.longLines, c.longLines);
        EXPECT_EQ(fit.Fits(), c.lines <= 4 && c.longLines.empty());
        EXPECT_EQ(AddressToFirma(c.text), c.stored);
    }
}

TEST(SadFormDefaults, StateCodesAndComboPositions) {
    struct Case {
        std::u16string code;
        int index;
    } cases[] = {{u"01", 0}, {u"9", 8}, {u"16", 15}, {u"99", -1}, {u"00", -1}, {u"", -1}, {u"x", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(StateIndex(c.code), c.index) << std::string(c.code.begin(), c.code.end());
    EXPECT_EQ(StateCode(0), u"01");
    EXPECT_EQ(StateCode(8), u"09");
    EXPECT_EQ(StateCode(15), u"16");
    EXPECT_EQ(StateCode(-1), u"00");  // no selection
}
