// What the view and the command-line tool do to a document before showing or printing it.

#include <gtest/gtest.h>

#include "core/app/Profile.h"
#include "core/formview/FieldDefinitions.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"

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
    struct Case {
        SadSheet sheet;
        int field;
        std::u16string number;
    } cases[] = {
        {SadSheet::First, 0, u"1"},          {SadSheet::First, 3, u"A"},
        {SadSheet::First, 9, u"2"},          {SadSheet::First, 17, u"8"},
        {SadSheet::First, 118, u"47"},       {SadSheet::First, 98, u"D1"},
        {SadSheet::Continuation, 11, u"31"}, {SadSheet::Continuation, 35, u"33"},
    };
    for (const Case& c : cases) EXPECT_EQ(SadBoxNumber(c.sheet, c.field), c.number) << c.field;
    EXPECT_EQ(SadOverflowQuestion(SadSheet::First, {17, 18, 118, 123}),
              u"In diesen Feldern passt der Text nicht hinein:\nFeld 8 (Nr.); Feld 8; Feld 47, Zeile 1, "
              u"Betrag; Feld 47, Zeile 2, Betrag\n\nSoll die Seite trotzdem gedruckt werden?");
    EXPECT_EQ(SadLoadStatusMessage(0), u"");
    EXPECT_NE(SadLoadStatusMessage(19), u"");
}
