// What the view and the command-line tool do to a document before showing or printing it.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadFieldLabels.h"
#include "core/sad/SadFields.h"
#include "core/settings/Profile.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;

TEST(SadDocumentSetup, InitialUpdateSettlesVariantBox8AndCrossedOutBoxes) {
    struct Case {
        int fileVariant, loadStatus, current;
        int variant;
        bool exportFile;
        bool loadMessage;
    } cases[] = {
        {1, 0, 0, 1, false, false},
        {kVariantNone, 0, 3, 3, false, false},
        {kVariantExport, 0, 2, 2, true, false},
        {7, 0, 1, 1, false, false},  // a code no form has
        {0, 18, 0, 0, false, true},
    };
    for (const Case& c : cases) {
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "Feld2", 4);
        profile.WriteProfileString("EHForm_Defaults", "Firma1", u"A");
        profile.WriteProfileString("EHForm_Defaults", "Firma2", u"B");
        profile.WriteProfileString("EHForm_Defaults", "ZollNummer1", u"DE9");
        CEinheitspapierDoc doc(&profile);
        doc.OnNewDocument();
        doc.m_nFormVariant = c.fileVariant;
        doc.m_nLoadStatus = c.loadStatus;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        const SadInitialUpdate r = InitialiseSadDocument(doc, profile, defs, c.current);
        EXPECT_EQ(doc.m_nFormVariant, c.variant) << c.fileVariant;
        EXPECT_EQ(r.exportFile, c.exportFile) << c.fileVariant;
        EXPECT_EQ(r.loadMessage.empty(), !c.loadMessage) << c.fileVariant;
        EXPECT_EQ(doc.Store().GetFieldText(18, 1), u"A\r\nB");
        EXPECT_EQ(doc.Store().GetFieldText(8, 2), u"A\r\nB");
        EXPECT_EQ(doc.Store().GetFieldText(17, 1), u"DE9");
        EXPECT_EQ(doc.Store().GetFontSize(8, 2), 1);
        for (int f : SadCrossedOut(SadSheet::First, c.variant))
            EXPECT_EQ(defs.Get(1, f, c.variant), kDefNotOnForm) << f;
        for (int f : SadCrossedOut(SadSheet::Continuation, c.variant))
            EXPECT_EQ(defs.Get(2, f, c.variant), kDefNotOnForm) << f;
    }
}

TEST(SadDocumentSetup, CrossedOutBoxesStayWithoutEhShowXX) {
    CMemoryProfile profile;
    profile.WriteProfileInt("EHForm_Defaults", "EH_ShowXX", 0);
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    const CFieldDefinitions before = defs;
    MarkCrossedOutFields(defs, profile, 0);
    EXPECT_EQ(defs.page1, before.page1);
    EXPECT_EQ(defs.continuation, before.continuation);
}

TEST(SadDocumentSetup, BoxNumbersAndTheQuestionBeforePrinting) {
    // The question names each box by the number it carries on the printed form: "8" for
    // "Feld 8 (Nr.)", "47" for a box 47 cell, "31" for "31-1", "A" for a line of stamp box A.
    struct Case {
        int page;
        int field;
        std::u16string number;
    } cases[] = {
        {1, 0, u"1"},    {1, 3, u"A"},  {1, 9, u"2"},   {1, 17, u"8"},
        {1, 118, u"47"}, {1, 98, u"D"}, {2, 11, u"31"}, {2, 35, u"33"},
    };
    for (const Case& c : cases) {
        const std::u16string label = SadFieldLabel(c.page, c.field);
        EXPECT_EQ(label.substr(0, label.find_first_of(u" ,-", 5)), u"Feld " + c.number) << c.field;
    }
    EXPECT_EQ(SadOverflowQuestion(SadSheet::First, {17, 18, 118, 123}),
              u"In diesen Feldern passt der Text nicht hinein:\nFeld 8 (Nr.); Feld 8; Feld 47, Zeile 1, "
              u"Betrag; Feld 47, Zeile 2, Betrag\n\nSoll die Seite trotzdem gedruckt werden?");
    EXPECT_EQ(SadLoadStatusMessage(0), u"");
    EXPECT_NE(SadLoadStatusMessage(19), u"");
}

namespace {

// Every default of new documents switched on: box 8 and continuation box 2, box 14, boxes 17 b
// and 34 b, today's date in both stamps.
void WriteAllDefaults(CMemoryProfile& profile) {
    profile.WriteProfileInt("EHForm_Defaults", "Feld2", 4);
    profile.WriteProfileInt("EHForm_Defaults", "Feld2S2", 1);
    profile.WriteProfileString("EHForm_Defaults", "Firma1", u"Vorgabe GmbH");
    profile.WriteProfileString("EHForm_Defaults", "ZollNummer1", u"DE999");
    profile.WriteProfileInt("EHForm_Defaults", "Feld14", 4);
    profile.WriteProfileInt("EHForm_Defaults", "Anmelder", 3);
    profile.WriteProfileString("EHForm_Defaults", "ZollNummer2", u"DE888");
    profile.WriteProfileInt("EHForm_Defaults", "Feld17", 4);
    profile.WriteProfileString("EHForm_Defaults", "Bundesland2", u"02");
    profile.WriteProfileInt("EHForm_Defaults", "Feld34", 4);
    profile.WriteProfileString("EHForm_Defaults", "Bundesland1", u"03");
    profile.WriteProfileInt("EHForm_Defaults", "AutoDateInStamp", 1);
    profile.WriteProfileInt("EHForm_Defaults", "Stamp_A", 1);
    profile.WriteProfileInt("EHForm_Defaults", "Stamp_C", 1);
}

}  // namespace

// A document read from a file shows what the file holds, whatever the form defaults say: they
// go into new documents only. Every file version, a file of the current version with its own
// consignee and one with those boxes empty, and a file too short to hold anything.
TEST(SadDocumentSetup, ADocumentReadFromAFileKeepsWhatTheFileHolds) {
    testutil::TempDir dir;
    CMemoryProfile none;
    {
        CEinheitspapierDoc own(&none);
        own.OnNewDocument();
        own.m_nFormVariant = 0;
        own.Store().SetFieldText(kFieldBox8, u"Empf\u00e4nger aus der Datei", 1);
        own.Store().SetFieldText(kFieldBox8Number, u"DE111", 1);
        own.Store().SetFieldText(kContFieldBox2, u"Empf\u00e4nger aus der Datei", 2);
        std::string error;
        ASSERT_TRUE(SaveAefFile(dir / "own.aef", own, error)) << error;
        CEinheitspapierDoc empty(&none);
        empty.OnNewDocument();
        empty.m_nFormVariant = 0;
        ASSERT_TRUE(SaveAefFile(dir / "empty-boxes.aef", empty, error)) << error;
        testutil::WriteBytes(dir / "zero.aef", {});
    }
    const std::filesystem::path fixtures = std::filesystem::path(TARVEX_FIXTURES_DIR) / "aef";
    const std::filesystem::path files[] = {
        fixtures / "v110.aef", fixtures / "v120.aef",   fixtures / "v141.aef", fixtures / "v150.aef",
        fixtures / "v151.aef", fixtures / "v200.aef",   fixtures / "v210.aef", fixtures / "short.aef",
        dir / "own.aef",       dir / "empty-boxes.aef", dir / "zero.aef"};
    CMemoryProfile all;
    WriteAllDefaults(all);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        // As the file holds it: read without any defaults.
        CEinheitspapierDoc plain(&none);
        std::string error;
        ASSERT_TRUE(LoadAefFile(file, plain, error)) << error;
        // As the program opens it with every default switched on, through the view's first update.
        CEinheitspapierDoc doc(&all);
        doc.SetDateProvider([] { return CivilDate{5, 3, 2026}; });
        doc.OnNewDocument();  // a window that had a new document before reads a file into it
        ASSERT_TRUE(LoadAefFile(file, doc, error)) << error;
        EXPECT_FALSE(doc.IsNewDocument());
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        InitialiseSadDocument(doc, all, defs, 0);
        EXPECT_EQ(doc.Store().Texts1(), plain.Store().Texts1());
        EXPECT_EQ(doc.Store().Texts2(), plain.Store().Texts2());
        EXPECT_EQ(doc.Store().Words1(), plain.Store().Words1());
        EXPECT_EQ(doc.Store().Words2(), plain.Store().Words2());
        // Only the conversion of an old version counts as a change (it is saved in the new one).
        EXPECT_EQ(doc.IsModified(), plain.IsModified());
    }
    // A new document still takes them all.
    CEinheitspapierDoc fresh(&all);
    fresh.SetDateProvider([] { return CivilDate{5, 3, 2026}; });
    fresh.OnNewDocument();
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    InitialiseSadDocument(fresh, all, defs, 0);
    const CFieldStore& s = fresh.Store();
    EXPECT_EQ(s.GetFieldText(kFieldBox8, 1), u"Vorgabe GmbH");
    EXPECT_EQ(s.GetFieldText(kContFieldBox2Number, 2), u"DE999");
    EXPECT_EQ(s.GetFieldText(kFieldBox14Number, 1), u"DE888");
    EXPECT_EQ(s.GetFieldText(kFieldBox17b, 1), u"02");
    EXPECT_EQ(s.GetFieldText(kFieldBox34b, 1), u"03");
    EXPECT_EQ(s.GetFieldText(FieldStampA(4), 1), u"5.3.2026");
    EXPECT_EQ(s.GetFieldText(FieldStampC(4), 1), u"5.3.2026");
}
