#include <gtest/gtest.h>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Navigation.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// An edit window that shows the stored text of the field it goes to and keeps what is typed.
struct FakeWindow : IEditWindow {
    CFieldStore* store = nullptr;
    std::u16string text;
    bool HasWindow() const override { return true; }
    std::u16string WindowText() const override { return text; }
    void SetWindowText(const std::u16string& t) override { text = t; }
    void ShowField(uint16_t index, uint16_t page) override { text = store->GetFieldText(index, page); }
};

struct FakeHost : IDv1EditHost {
    int page = 1;
    int rectLoads = 0;
    int editFocused = 0;
    int statusUpdates = 0;
    int help = 0;
    int modified = 0;
    int beeps = 0;
    std::vector<std::u16string> messages;
    int ViewPage() const override { return page; }
    void SetViewPage(int p) override { page = p; }
    void LoadPageRects() override { ++rectLoads; }
    void FocusEditWindow() override { ++editFocused; }
    void EnsureVisible() override {}
    void SetHelpContext(int c) override { help = c; }
    void UpdateStatusText() override { ++statusUpdates; }
    void Redraw() override {}
    void SetDocumentModified() override { ++modified; }
    void Beep() override { ++beeps; }
    void ShowMessage(const std::u16string& t) override { messages.push_back(t); }
};

class Dv1NavigationTest : public ::testing::Test {
protected:
    Dv1NavigationTest() {
        window.store = &doc.Store();
        doc.Store().AttachWindow(&window);
        doc.Store().ActivateField(0, 1);
    }
    ~Dv1NavigationTest() override { doc.Store().AttachWindow(nullptr); }

    CDV1_Doc doc;
    FakeWindow window;
    FakeHost host;
    CDv1Navigation nav{doc, host};
};

// Tab goes through the 12 fields of the front in their order and never stops at a yes/no box, so
// a blank typed after Tab is always text.
TEST_F(Dv1NavigationTest, TabOnTheFrontVisitsTheTwelveFieldsInOrderAndWraps) {
    std::vector<int> seen;
    for (int i = 0; i < 13; ++i) {
        nav.NextInputField();
        seen.push_back(doc.Store().GetCurrentField());
        EXPECT_EQ(doc.Store().GetCurrentPage(), 1);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1}));
    EXPECT_EQ(host.editFocused, 13);
    // Shift+Tab walks the same ring backwards.
    std::vector<int> back;
    nav.GoToField(0, 1);
    for (int i = 0; i < 12; ++i) {
        nav.PreviousInputField();
        back.push_back(doc.Store().GetCurrentField());
    }
    EXPECT_EQ(back, (std::vector<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(std::count(doc.m_Checks.begin(), doc.m_Checks.end(), 1), 0);
    EXPECT_FALSE(doc.IsModified());
    nav.GoToField(1, 1);
    EXPECT_EQ(host.help, 302);
    nav.GoToField(11, 1);
    EXPECT_EQ(host.help, 310);
    EXPECT_EQ(Dv1BoxHelpContext(12), 308);  // question 9 shares the help of its details field
}

// Alt+J / Alt+N answer the questions whose details field has the caret, one after the other;
// Alt+Down chooses another question of the field; elsewhere they change nothing.
TEST_F(Dv1NavigationTest, QuestionsAreAnsweredFromTheirDetailsField) {
    struct Step {
        int field;          // -1: stay in the field
        char key;           // 'J', 'N', 'D' (Alt+Down)
        bool done;          // the key did something
        int questionAfter;  // the current question after the key
        std::vector<int> ticked;
    };
    const std::vector<Step> steps{
        {6, 'J', false, -1, {}},           // box 6 has no questions
        {7, 'J', true, 1, {0}},            // 7 (a) JA, on to 7 (b)
        {-1, 'N', true, 2, {0, 3}},        // 7 (b) NEIN, on to 7 (c)
        {-1, 'J', true, 2, {0, 3, 4}},     // 7 (c) JA, stays at the field's last question
        {-1, 'D', true, 0, {0, 3, 4}},     // Alt+Down after the last: the first again
        {-1, 'N', true, 1, {1}},           // 7 (a) NEIN clears the rest of question 7
        {9, 'D', true, 6, {1}},            // field 9 starts at 9 (a); Alt+Down gives 9 (b)
        {-1, 'J', true, 6, {1, 12}},       // 9 (b) JA
        {8, 'N', true, 4, {1, 7, 12}},     // field 8 starts at 8 (a): NEIN is box 7
        {10, 'N', false, -1, {1, 7, 12}},  // field 10: nothing
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& st = steps[i];
        SCOPED_TRACE(i);
        if (st.field >= 0) nav.GoToField(st.field, 1);
        const bool done = st.key == 'D' ? nav.NextQuestion() : nav.AnswerQuestion(st.key == 'J');
        EXPECT_EQ(done, st.done);
        EXPECT_EQ(nav.CurrentQuestion(), st.questionAfter);
        std::vector<int> ticked;
        for (int b = 0; b < static_cast<int>(kDv1Checks); ++b)
            if (doc.m_Checks[b]) ticked.push_back(b);
        EXPECT_EQ(ticked, st.ticked);
    }
    // The hint names the question; on another page there is none.
    nav.GoToField(7, 1);
    EXPECT_EQ(nav.StatusQuestionText(),
              u"Frage 7 (a): Alt+J kreuzt JA an, Alt+N kreuzt NEIN an, Alt+Pfeil ab wählt die nächste Frage");
    host.page = 2;
    nav.GoToField(7, 2);
    EXPECT_EQ(nav.CurrentQuestion(), -1);
    EXPECT_TRUE(nav.StatusQuestionText().empty());
    EXPECT_FALSE(nav.AnswerQuestion(true));
}

TEST_F(Dv1NavigationTest, TextTypedBeforeAnAnswerIsKept) {
    nav.GoToField(7, 1);
    window.text = u"Einzelheiten";
    EXPECT_TRUE(nav.AnswerQuestion(true));
    EXPECT_EQ(doc.Store().GetCurrentField(), 7);
    EXPECT_EQ(window.text, u"Einzelheiten");
    nav.Commit();
    EXPECT_EQ(doc.Store().GetFieldText(7, 1), u"Einzelheiten");
}

TEST_F(Dv1NavigationTest, ContinuationPagesWrapAtField52AndNeverReachTheTotals) {
    struct Case {
        int page;
        int from;
        bool forward;
        int to;
    };
    // Page 3 is a BIS front: field 52 has no place there and is skipped both ways.
    for (const Case& c : {Case{2, 52, true, 0}, Case{2, 0, false, 52}, Case{3, 51, true, 0},
                          Case{3, 0, false, 51}, Case{4, 0, false, 52}, Case{2, 27, true, 28}}) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " field " << c.from);
        while (doc.Store().GetPageCount() < c.page) doc.AddPage();
        host.page = c.page;
        nav.GoToField(c.from, c.page);
        c.forward ? nav.NextInputField() : nav.PreviousInputField();
        EXPECT_EQ(doc.Store().GetCurrentField(), c.to);
        EXPECT_EQ(doc.Store().GetCurrentPage(), c.page);
        EXPECT_EQ(host.help, 312);
    }
    // A full round on a back page sees every field 0-52 once and none of the sums.
    host.page = 2;
    nav.GoToField(0, 2);
    std::vector<int> fields;
    for (int i = 0; i < 53; ++i) {
        nav.NextInputField();
        fields.push_back(doc.Store().GetCurrentField());
    }
    EXPECT_EQ(*std::max_element(fields.begin(), fields.end()), 52);
    EXPECT_EQ(fields.back(), 0);
}

TEST(Dv1FieldEnterable, TotalsAndTheMissingBisFrontFieldAreNotEnterable) {
    EXPECT_TRUE(Dv1FieldEnterable(1, 11));
    EXPECT_FALSE(Dv1FieldEnterable(1, 12));
    EXPECT_TRUE(Dv1FieldEnterable(2, 52));
    EXPECT_FALSE(Dv1FieldEnterable(3, 52));
    EXPECT_TRUE(Dv1FieldEnterable(4, 52));
    for (int f = 53; f <= 60; ++f) EXPECT_FALSE(Dv1FieldEnterable(2, f));
}

TEST(Dv1HitTest, ClicksFindFieldsAndBoxesButNeverTheSums) {
    struct Case {
        int page, x, y, zoom;
        int field, box;
    };
    for (const Case& c : {
             Case{1, 500, 200, 10, 0, -1},     // field 0 of the front
             Case{1, 1000, 400, 20, 0, -1},    // the same point at zoom 20
             Case{1, 1645, 1210, 10, -1, 1},   // "NEIN" of 7 (a)
             Case{1, 1390, 2140, 10, -1, 12},  // "JA" of 9 (b)
             Case{1, 1300, 1210, 10, -1, -1},  // beside the boxes
             Case{2, 1100, 430, 10, -1, -1},   // total A of the back: a sum
             Case{3, 1200, 2640, 10, -1, -1},  // declared value on a BIS front
             Case{2, 1000, 2720, 10, 52, -1},  // "Zusätzliche Angaben" on the back
             Case{3, 1000, 2720, 10, -1, -1},  // nothing there on the BIS front
             Case{3, 1200, 350, 10, 0, -1},    // goods item number on the BIS front
         }) {
        SCOPED_TRACE(testing::Message() << c.page << " " << c.x << "," << c.y);
        EXPECT_EQ(Dv1FieldAt(c.page, c.x, c.y, c.zoom), c.field);
        if (c.page == 1) EXPECT_EQ(Dv1BoxAt(c.x, c.y, c.zoom), c.box);
    }
}

TEST(Dv1TickBox, QuestionsExcludeTheirOtherAnswers) {
    struct Case {
        int box;
        std::vector<int> cleared;  // boxes that were ticked before and are empty after
        std::vector<int> kept;
    };
    for (const Case& c : {Case{1, {0, 2, 3, 4, 5}, {6, 7}},  // "NEIN" 7 (a): 7 (b), (c) do not apply
                          Case{6, {7}, {0, 5, 8, 9}},        // "JA" 8 (a): only "NEIN" 8 (a)
                          Case{13, {12}, {11}}, Case{0, {1}, {2, 3}}}) {
        SCOPED_TRACE(c.box);
        std::vector<uint8_t> checks(kDv1Checks, 1);
        Dv1TickBox(checks, c.box);
        EXPECT_EQ(checks[c.box], 1);
        for (int b : c.cleared) EXPECT_EQ(checks[b], 0) << b;
        for (int b : c.kept) EXPECT_EQ(checks[b], 1) << b;
    }
    // A ticked box stays ticked when clicked again; an index beyond the boxes changes nothing.
    std::vector<uint8_t> checks(kDv1Checks, 0);
    Dv1TickBox(checks, 3);
    Dv1TickBox(checks, 3);
    EXPECT_EQ(checks[3], 1);
    Dv1TickBox(checks, 14);
    Dv1TickBox(checks, -1);
    EXPECT_EQ(std::count(checks.begin(), checks.end(), 1), 1);
}

TEST_F(Dv1NavigationTest, AClickTicksTheBoxAndLeavesTheKeyboardInItsField) {
    nav.GoToField(8, 1);
    const int focused = host.editFocused;
    nav.ClickBox(7);
    EXPECT_EQ(doc.m_Checks[7], 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(doc.Store().GetCurrentField(), 8);
    EXPECT_EQ(host.editFocused, focused);  // nothing took the keyboard away
    nav.ClickBox(6);
    EXPECT_EQ(doc.m_Checks[6], 1);
    EXPECT_EQ(doc.m_Checks[7], 0);
}

TEST_F(Dv1NavigationTest, AppendingGivesPagesOfAlternatingKindsAndShowsTheLast) {
    nav.AddPage();
    EXPECT_EQ(doc.Store().GetPageCount(), 3);
    EXPECT_EQ(host.page, 3);
    EXPECT_EQ(Dv1PageKindOf(host.page), Dv1PageKind::BisFront);
    EXPECT_EQ(nav.StatusPageText(), u"D.V.1 - Seite 3 von 3");
    EXPECT_GE(host.rectLoads, 1);
    EXPECT_TRUE(doc.IsModified());
    // The new page has the form's formatting: numbers left, amounts right, size 3.
    EXPECT_EQ(doc.Store().GetAlignment(0, 3), kAlignLeft);
    EXPECT_EQ(doc.Store().GetAlignment(2, 3), kAlignRight);
    EXPECT_EQ(doc.Store().GetFontSize(2, 3), 3);
    nav.AddPage();
    EXPECT_EQ(Dv1PageKindOf(host.page), Dv1PageKind::Back);
    EXPECT_EQ(doc.Store().GetAlignment(52, 4), kAlignLeft);
}

TEST_F(Dv1NavigationTest, AppendingStopsAt255PagesWithAMessage) {
    while (doc.Store().GetPageCount() < kMaxPages) doc.AddPage();
    nav.AddPage();
    EXPECT_EQ(doc.Store().GetPageCount(), kMaxPages);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(Dv1NavigationTest, PageCommandsKeepTheTypedTextAndFollowTheirLimits) {
    doc.AddPage();
    window.text = u"Verkäufer GmbH";
    EXPECT_FALSE(nav.CanGoToPreviousPage());
    nav.NextPage();
    EXPECT_EQ(doc.Store().GetFieldText(0, 1), u"Verkäufer GmbH");
    EXPECT_EQ(host.page, 2);
    EXPECT_EQ(doc.Store().GetCurrentField(), 0);
    nav.LastPage();
    EXPECT_EQ(host.page, 3);
    EXPECT_FALSE(nav.CanGoToNextPage());
    nav.NextPage();  // nothing beyond the last page
    EXPECT_EQ(host.page, 3);
    nav.PreviousPage();
    EXPECT_EQ(host.page, 2);
    nav.FirstPage();
    EXPECT_EQ(host.page, 1);
    EXPECT_EQ(nav.StatusPageText(), u"D.V.1 - Seite 1 von 3");
    EXPECT_EQ(nav.StatusInsertText(), u"Einfügen");
    doc.Store().SetInsertMode(false);
    EXPECT_EQ(nav.StatusInsertText(), u"Überschreiben");
}

TEST_F(Dv1NavigationTest, CalculationUsesTheFlagAndShowsTheNewTextInTheEditWindow) {
    CMemoryProfile profile;
    host.page = 2;
    nav.GoToField(4, 2);
    window.text = u"1.000";
    doc.Store().SetFieldText(8, u"ca. 100", 2);
    const auto notAmounts = nav.Calculate(profile);
    ASSERT_EQ(notAmounts.size(), 1u);
    EXPECT_EQ(notAmounts[0].field, 8);
    EXPECT_EQ(window.text, u"1.000,00");
    EXPECT_EQ(doc.Store().GetFieldText(53, 2), u"1.000,00");
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(CDv1Navigation::ToggleFlag11a(profile), 1);
    EXPECT_EQ(settings::Get(profile, settings::kDV1Form, settings::kFlagDV1_11a), 1);
    nav.Calculate(profile);  // the invoice-currency line (field 2, empty) now counts
    EXPECT_EQ(doc.Store().GetFieldText(53, 2), u"");
    EXPECT_EQ(CDv1Navigation::ToggleFlag11a(profile), 0);
}

}  // namespace
}  // namespace tarvex
