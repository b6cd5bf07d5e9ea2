#include <gtest/gtest.h>

#include <functional>

#include "core/app/RecoverableDocument.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"

using namespace tarvex;

namespace {

CEinheitspapierDoc FilledSad() {
    CEinheitspapierDoc doc;
    doc.ConfigureStore();
    doc.OnNewDocument();
    doc.m_nFormVariant = 1;
    doc.SetContinuationCount(3);
    doc.Store().SetFieldText(10, u"Absender GmbH\r\nHafenstraße 1", 1);
    doc.Store().SetFieldText(11, u"Ware eins", 2);
    doc.Store().SetFieldText(53, u"Ware drei", 4);
    doc.Store().SetFieldFlags(53, 4, 0x0213);
    return doc;
}

}  // namespace

// Every kind of change a command makes: undo gives back the state before, redo the state after,
// and the difference applies to a state in which other boxes were changed meanwhile.
TEST(DocumentState, UndoAndRedoEveryKindOfChange) {
    struct Case {
        const char* name;
        std::function<void(CEinheitspapierDoc&)> change;
    } cases[] = {
        {"text", [](CEinheitspapierDoc& d) { d.Store().SetFieldText(25, u"Einführer - 00500", 1); }},
        {"text emptied", [](CEinheitspapierDoc& d) { d.Store().SetFieldText(11, u"", 2); }},
        {"format", [](CEinheitspapierDoc& d) { d.Store().SetFieldFlags(10, 1, 0x0114); }},
        {"page added", [](CEinheitspapierDoc& d) { d.SetContinuationCount(4); }},
        {"last page removed", [](CEinheitspapierDoc& d) { d.SetContinuationCount(2); }},
        {"two pages removed", [](CEinheitspapierDoc& d) { d.SetContinuationCount(1); }},
        {"variant", [](CEinheitspapierDoc& d) { d.m_nFormVariant = 3; }},
        {"input tax", [](CEinheitspapierDoc& d) { d.m_nInputTax = 1; }},
        {"goods item moved",
         [](CEinheitspapierDoc& d) {
             d.Store().SetFieldText(32, d.Store().GetFieldText(53, 4), 2);
             d.Store().SetFieldText(53, u"", 4);
         }},
    };
    for (const Case& c : cases) {
        CEinheitspapierDoc doc = FilledSad();
        const DocState before = CaptureDocState(doc);
        c.change(doc);
        const DocState after = CaptureDocState(doc);
        ASSERT_NE(before, after) << c.name;
        const DocStateDelta delta = DocStateDelta::Between(before, after);
        EXPECT_FALSE(delta.Empty()) << c.name;

        DocState s = after;
        delta.Undo(s);
        EXPECT_EQ(s, before) << c.name;
        delta.Redo(s);
        EXPECT_EQ(s, after) << c.name;

        // Back into a document: the store and the document's values follow.
        RestoreDocState(doc, before);
        EXPECT_EQ(CaptureDocState(doc), before) << c.name;
        EXPECT_EQ(doc.Store().GetPageCount(), 4) << c.name;
        RestoreDocState(doc, after);
        EXPECT_EQ(CaptureDocState(doc), after) << c.name;

        // A box the step did not touch keeps what was typed into it later.
        doc.Store().SetFieldText(97, u"später", 1);
        DocState later = CaptureDocState(doc);
        delta.Undo(later);
        EXPECT_EQ(later.texts1[97], u"später") << c.name;
        EXPECT_EQ(later.texts2.size(), before.texts2.size()) << c.name;
    }
}

TEST(DocumentState, NoChangeIsAnEmptyDifference) {
    const CEinheitspapierDoc doc = FilledSad();
    EXPECT_TRUE(DocStateDelta::Between(CaptureDocState(doc), CaptureDocState(doc)).Empty());
}

TEST(DocumentState, Dv1CheckMarksAndPages) {
    CDV1_Doc doc;
    doc.OnNewDocument();
    const DocState before = CaptureDocState(doc);
    doc.m_Checks[5] = 1;
    doc.AddPage();
    doc.Store().SetFieldText(3, u"1.234,56", 3);
    const DocState after = CaptureDocState(doc);
    DocState s = after;
    DocStateDelta::Between(before, after).Undo(s);
    RestoreDocState(doc, s);
    EXPECT_EQ(doc.m_Checks[5], 0);
    EXPECT_EQ(doc.Store().GetPageCount(), 2);
    EXPECT_EQ(CaptureDocState(doc), before);
}

// What the store records while a command runs is the same difference as the comparison of the
// whole states before and after, for every kind of change, and undoes and redoes the same way.
TEST(DocumentState, RecordedChangesEqualTheComparedStates) {
    struct Case {
        const char* name;
        std::function<void(CEinheitspapierDoc&)> change;
    } cases[] = {
        {"nothing", [](CEinheitspapierDoc&) {}},
        {"same text written again",
         [](CEinheitspapierDoc& d) { d.Store().SetFieldText(11, u"Ware eins", 2); }},
        {"text", [](CEinheitspapierDoc& d) { d.Store().SetFieldText(25, u"Einführer - 00500", 1); }},
        {"text changed twice, then back",
         [](CEinheitspapierDoc& d) {
             d.Store().SetFieldText(11, u"erst", 2);
             d.Store().SetFieldText(11, u"Ware eins", 2);
             d.Store().SetFieldText(12, u"dann", 2);
         }},
        {"format", [](CEinheitspapierDoc& d) { d.Store().SetFieldFlags(10, 1, 0x0114); }},
        {"several boxes on several pages",
         [](CEinheitspapierDoc& d) {
             for (int page = 1; page <= 4; ++page) d.Store().SetFieldText(3, u"Seite", page);
             d.Store().SetFieldFlags(53, 4, 0x0001);
         }},
        {"page added", [](CEinheitspapierDoc& d) { d.SetContinuationCount(4); }},
        {"page added and filled",
         [](CEinheitspapierDoc& d) {
             d.SetContinuationCount(4);
             d.Store().SetFieldText(11, u"neu", 5);
         }},
        {"last page removed", [](CEinheitspapierDoc& d) { d.SetContinuationCount(2); }},
        {"box changed, then its page removed",
         [](CEinheitspapierDoc& d) {
             d.Store().SetFieldText(53, u"geändert", 4);
             d.SetContinuationCount(1);
         }},
        {"pages removed and added again",
         [](CEinheitspapierDoc& d) {
             d.SetContinuationCount(1);
             d.SetContinuationCount(3);
         }},
        {"goods item moved",
         [](CEinheitspapierDoc& d) {
             d.Store().SetFieldText(32, d.Store().GetFieldText(53, 4), 2);
             d.Store().SetFieldText(53, u"", 4);
         }},
        {"store set up anew", [](CEinheitspapierDoc& d) { d.ResetContents(false); }},
        {"texts trimmed by a save",
         [](CEinheitspapierDoc& d) {
             d.Store().SetFieldText(22, u"Blank am Ende ", 1);
             d.Store().SetFieldText(12, u"auch hier  ", 3);
             WriteAef(d);
         }},
        {"variant and a text",
         [](CEinheitspapierDoc& d) {
             d.m_nFormVariant = 3;
             d.Store().SetFieldText(1, u"IM", 1);
         }},
    };
    for (const Case& c : cases) {
        CEinheitspapierDoc doc = FilledSad();
        doc.Store().SetFieldText(12, u"  ", 3);
        const DocState before = CaptureDocState(doc);
        doc.Store().StartRecording();
        c.change(doc);
        const DocStateDelta delta =
            DocStateDelta::FromStore(doc.Store().TakeRecordedChanges(), before.values, DocValues(doc));
        doc.Store().StopRecording();
        const DocState after = CaptureDocState(doc);
        const DocStateDelta compared = DocStateDelta::Between(before, after);
        EXPECT_EQ(delta.Empty(), before == after) << c.name;
        EXPECT_EQ(delta.Size(), compared.Size()) << c.name;
        DocState s = after;
        delta.Undo(s);
        EXPECT_EQ(s, before) << c.name;
        delta.Redo(s);
        EXPECT_EQ(s, after) << c.name;
        for (int page = 1; page <= 5; ++page)
            EXPECT_EQ(delta.TouchesPage(page, kSadFields2), compared.TouchesPage(page, kSadFields2))
                << c.name << " page " << page;
    }
}

// Recording goes on after each difference taken: two parts of one command are two steps, each
// undone on its own; a copy of the store (a recovery image) records nothing of its own.
TEST(DocumentState, RecordingInSteps) {
    CEinheitspapierDoc doc = FilledSad();
    CFieldStore& s = doc.Store();
    const DocState start = CaptureDocState(doc);
    s.StartRecording();
    s.SetFieldText(11, u"erster Schritt", 2);
    const DocStateDelta first = DocStateDelta::FromStore(s.TakeRecordedChanges(), {}, {});
    const DocState middle = CaptureDocState(doc);
    s.SetFieldText(5, u"zweiter Schritt", 1);
    s.SetFieldText(11, u"noch einmal", 2);
    CFieldStore copy = s;
    EXPECT_FALSE(copy.IsRecording());
    EXPECT_TRUE(s.IsRecording());
    const DocStateDelta second = DocStateDelta::FromStore(s.TakeRecordedChanges(), {}, {});
    s.StopRecording();
    EXPECT_TRUE(first.TouchesPage(2, kSadFields2));
    EXPECT_FALSE(first.TouchesPage(1, kSadFields2));
    EXPECT_TRUE(second.TouchesPage(1, kSadFields2));
    DocState state = CaptureDocState(doc);
    second.Undo(state);
    EXPECT_EQ(state, middle);
    first.Undo(state);
    EXPECT_EQ(state, start);
    // Stopped: nothing is recorded any more.
    s.StartRecording();
    s.StopRecording();
    s.SetFieldText(11, u"danach", 2);
    EXPECT_FALSE(s.IsRecording());
    s.StartRecording();
    EXPECT_TRUE(DocStateDelta::FromStore(s.TakeRecordedChanges(), {}, {}).Empty());
}

// The recovery copy holds what is typed into the open box, and writing it leaves the document
// untouched (no trimmed text, no moved caret).
TEST(RecoverableDocument, ImageHoldsTheTypedTextAndLeavesTheDocumentAlone) {
    CEinheitspapierDoc doc = FilledSad();
    doc.Store().SetFieldText(22, u"Text mit Blank ", 1);
    doc.Store().ActivateField(14, 1);
    const DocState before = CaptureDocState(doc);
    const std::u16string typed = u"noch nicht übernommen";
    const std::vector<uint8_t> image = RecoveryImage(doc, &typed);
    EXPECT_EQ(CaptureDocState(doc), before);
    EXPECT_EQ(doc.Store().GetCurrentField(), 14);

    CEinheitspapierDoc back;
    back.ConfigureStore();
    std::string error;
    ASSERT_TRUE(ReadAef(image, back, error)) << error;
    EXPECT_EQ(back.Store().GetFieldText(14, 1), typed);
    EXPECT_EQ(back.Store().GetFieldText(10, 1), u"Absender GmbH\r\nHafenstraße 1");
    EXPECT_EQ(back.Store().GetFieldText(53, 4), u"Ware drei");
    EXPECT_EQ(back.Store().GetFieldFlags(53, 4), 0x0213);
    EXPECT_EQ(back.m_nFormVariant, 1);
    EXPECT_EQ(back.m_nContinuationCount, 3);

    CDV1_Doc dv1;
    dv1.OnNewDocument();
    dv1.m_Checks[13] = 1;
    dv1.Store().ActivateField(2, 1);
    const std::u16string amount = u"99,50";
    CDV1_Doc dv1Back;
    ASSERT_TRUE(ReadFdv(RecoveryImage(dv1, &amount), dv1Back, error)) << error;
    EXPECT_EQ(dv1Back.Store().GetFieldText(2, 1), amount);
    EXPECT_EQ(dv1Back.m_Checks[13], 1);
}
