#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "SadEditFakes.h"
#include "core/sad/Box47.h"
#include "core/sad/SadNavigation.h"

using namespace tarvex;
using tarvex::sadtest::SadEditEnv;

namespace {

// Presses Tab or Shift+Tab n times and records where the caret stops.
std::vector<int> Walk(SadEditEnv& e, int n, bool forward) {
    std::vector<int> stops;
    const int page = e.Page();
    for (int i = 0; i < n; ++i) {
        forward ? e.nav.NextInputField() : e.nav.PreviousInputField();
        EXPECT_EQ(e.Page(), page) << "a navigation step left the page";
        stops.push_back(e.Field());
    }
    return stops;
}

// The stops of one round: from the first stop up to its next occurrence. Fails the test
// unless the walk comes back to where it started and then repeats the same round.
std::vector<int> Round(const std::vector<int>& stops) {
    auto again = std::find(stops.begin() + 1, stops.end(), stops.front());
    EXPECT_NE(again, stops.end()) << "the walk never came back to its first stop";
    if (again == stops.end()) return {};
    std::vector<int> round(stops.begin(), again);
    for (size_t i = 0; i < round.size() && again + i < stops.end(); ++i) EXPECT_EQ(*(again + i), round[i]);
    return round;
}

// Rotates a round so that it starts at its smallest (forward) or largest (backward) field and
// checks that it is then strictly monotonic: the walk wraps around exactly once.
void ExpectSingleWrap(std::vector<int> round, bool forward) {
    auto start =
        forward ? std::min_element(round.begin(), round.end()) : std::max_element(round.begin(), round.end());
    std::rotate(round.begin(), start, round.end());
    for (size_t i = 1; i < round.size(); ++i) {
        if (forward)
            EXPECT_LT(round[i - 1], round[i]);
        else
            EXPECT_GT(round[i - 1], round[i]);
    }
}

// Set equality that names the fields that differ.
void ExpectSameFields(const std::set<int>& reached, const std::set<int>& expected) {
    for (int f : expected) EXPECT_TRUE(reached.count(f)) << "field " << f << " never reached";
    for (int f : reached) EXPECT_TRUE(expected.count(f)) << "field " << f << " reached but not expected";
}

std::set<int> DialogFields(const SadEditEnv& e) {
    std::set<int> fields;
    for (const auto& d : e.host.dialogs) fields.insert(d.second);
    return fields;
}

}  // namespace

TEST(SadNavigation, HelpContextTable) {
    struct Case {
        int page, field, context;
    } cases[] = {
        {1, 0, 401},   {1, 2, 401},   {1, 3, 100},  {1, 8, 100},  {1, 9, 402},  {1, 19, 100}, {1, 20, 100},
        {1, 21, 411},  {1, 22, 100},  {1, 23, 100}, {1, 29, 417}, {1, 31, 416}, {1, 32, 417}, {1, 48, 100},
        {1, 49, 100},  {1, 52, 431},  {1, 58, 433}, {1, 69, 444}, {1, 70, 444}, {1, 71, 444}, {1, 73, 447},
        {1, 79, 450},  {1, 80, 100},  {1, 85, 100}, {1, 86, 451}, {1, 97, 454}, {1, 98, 100}, {1, 102, 100},
        {1, 103, 100}, {1, 105, 100}, {1, 106, 0},  {1, 151, 0},  {1, 153, 0},  {2, 0, 100},  {2, 8, 100},
        {2, 9, 403},   {2, 10, 403},  {2, 11, 431}, {2, 32, 431}, {2, 53, 431}, {2, 14, 433}, {2, 19, 434},
        {2, 20, 435},  {2, 23, 437},  {2, 28, 444}, {2, 29, 100}, {2, 30, 100}, {2, 31, 446}, {2, 52, 446},
        {2, 73, 446},  {2, 74, 447},  {2, 77, 447}, {2, 78, 0},   {2, 213, 0},  {3, 44, 437},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SadHelpContext(c.page, c.field), c.context) << c.page << "/" << c.field;
}

TEST(SadNavigation, InsertDefaultsEnabledExactlyInTheListedFields) {
    int first = 0, continuation = 0;
    for (int f = 0; f < 154; ++f) first += SadInsertDefaultsEnabled(1, f);
    for (int f = 0; f < 214; ++f) continuation += SadInsertDefaultsEnabled(3, f);
    EXPECT_EQ(first, 31);
    EXPECT_EQ(continuation, 17);
    for (int f : {0, 6, 52, 83, 96}) EXPECT_TRUE(SadInsertDefaultsEnabled(1, f)) << f;
    for (int f : {3, 4, 8, 11, 73, 151}) EXPECT_FALSE(SadInsertDefaultsEnabled(1, f)) << f;
    for (int f : {4, 8, 53, 65}) EXPECT_TRUE(SadInsertDefaultsEnabled(2, f)) << f;
    for (int f : {0, 2, 7, 74}) EXPECT_FALSE(SadInsertDefaultsEnabled(2, f)) << f;
}

TEST(SadNavigation, TabWalksEveryEditableFieldOfTheFirstSheet) {
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        SadEditEnv e(variant);
        const std::vector<int> round = Round(Walk(e, 300, true));
        ExpectSingleWrap(round, true);
        std::set<int> reached;
        int beyond = 0;
        for (int f : round) {
            EXPECT_TRUE(e.nav.IsEditable(f, 1)) << f;
            if (f <= 105)
                reached.insert(f);
            else
                ++beyond;
        }
        // Tab walks fields 0 to 105; a non-editable 105 is skipped on to the next editable field.
        EXPECT_LE(beyond, 1);
        // Boxes 44 and 47 are entered but the caret moves on after their dialogs.
        for (int f : DialogFields(e)) reached.insert(f);
        std::set<int> editable;
        for (int f = 0; f <= 105; ++f)
            if (e.nav.IsEditable(f, 1)) editable.insert(f);
        ExpectSameFields(reached, editable);
        const bool box44Dialog = variant != 2;
        EXPECT_EQ(DialogFields(e).count(69), box44Dialog ? 1u : 0u);
        EXPECT_EQ(std::count(round.begin(), round.end(), 69), box44Dialog ? 0 : 1);
    }
}

TEST(SadNavigation, ShiftTabMirrorsTab) {
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        SadEditEnv e(variant);
        std::vector<int> forward = Round(Walk(e, 300, true));
        e.host.dialogs.clear();
        const std::vector<int> backward = Round(Walk(e, 300, false));
        ExpectSingleWrap(backward, false);
        for (int f : backward) EXPECT_TRUE(e.nav.IsEditable(f, 1)) << f;
        // The same stops in reverse, Feld 42 included; where Tab passes Feld 44 through its
        // dialog, the step back shows the dialog and stays on Feld 44.
        // The same holds for box 47.
        const bool box44Dialog = variant != 2;
        if (box44Dialog) forward.push_back(69);
        if (e.nav.IsEditable(73, 1)) forward.push_back(73);
        std::set<int> back(backward.begin(), backward.end()), ahead(forward.begin(), forward.end());
        ExpectSameFields(back, ahead);
        EXPECT_EQ(back.count(70), 1u);
        EXPECT_EQ(DialogFields(e).count(69), box44Dialog ? 1u : 0u);
    }
}

TEST(SadNavigation, ShiftTabFromBox46StopsOnBox42ThenBox44EndsOnFeld44AndGoesOn) {
    for (int variant : {0, 1, 3}) {
        SCOPED_TRACE(variant);
        SadEditEnv e(variant);
        e.nav.GoToField(72, 1);  // Feld 46
        ASSERT_EQ(e.Field(), 72);
        e.nav.PreviousInputField();
        EXPECT_EQ(e.Field(), e.nav.IsEditable(71, 1) ? 71 : 70);
        if (e.Field() == 71) e.nav.PreviousInputField();
        EXPECT_EQ(e.Field(), 70);
        EXPECT_TRUE(e.host.dialogs.empty());
        // One more step back: box 44 with its dialog, and the caret stays there.
        e.nav.PreviousInputField();
        EXPECT_EQ(e.Field(), 69);
        ASSERT_EQ(e.host.dialogs.size(), 1u);
        e.nav.PreviousInputField();
        EXPECT_EQ(e.Field(), 68);
        EXPECT_EQ(e.host.dialogs.size(), 1u);
    }
}

TEST(SadNavigation, WalksOfTheContinuationSheet) {
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        SadEditEnv e(variant);
        e.host.page = 2;
        e.nav.GoToField(0, 2);
        const std::vector<int> forward = Round(Walk(e, 200, true));
        ExpectSingleWrap(forward, true);
        std::set<int> reached(forward.begin(), forward.end());
        for (int f : reached) EXPECT_TRUE(e.nav.IsEditable(f, 2)) << f;
        // Boxes 47-1 to 47-3 and the summary open their dialogs and are never a stop.
        for (int f = 74; f <= 77; ++f) EXPECT_EQ(reached.count(f), 0u) << f;
        for (int f = 74; f <= 77; ++f) EXPECT_EQ(DialogFields(e).count(f), 1u) << f;
        std::set<int> editable;
        for (int f = 0; f <= 73; ++f)
            if (e.nav.IsEditable(f, 2)) editable.insert(f);
        ExpectSameFields(reached, editable);

        // Backward, the wrap from the top lands on the last box that takes typing: the box 47
        // dialogs at the end of the sheet never pop up on the way back.
        e.host.dialogs.clear();
        const std::vector<int> backward = Round(Walk(e, 200, false));
        ExpectSingleWrap(backward, false);
        std::set<int> back(backward.begin(), backward.end());
        ExpectSameFields(back, editable);
        EXPECT_TRUE(e.host.dialogs.empty());
    }
}

TEST(SadNavigation, TabFromTheLastTabFieldWrapsToTheStart) {
    SadEditEnv e(3);  // field 105 is editable in 0779/0780
    e.nav.GoToField(105, 1);
    ASSERT_EQ(e.Field(), 105);
    e.nav.NextInputField();
    EXPECT_EQ(e.Field(), 0);
    e.host.page = 2;
    e.nav.GoToField(73, 2);
    e.nav.NextInputField();  // the four box 47 dialogs, then round to the first editable field
    EXPECT_EQ(e.Field(), 7);
    EXPECT_EQ(e.host.dialogs.size(), 4u);
}

TEST(SadNavigation, GoToFieldBeyondTheSheetGoesToTheFirstEditableField) {
    SadEditEnv e(0);
    e.nav.GoToField(20, 1);
    e.nav.GoToField(200, 1);
    EXPECT_EQ(e.Field(), 0);
    e.host.page = 2;
    e.nav.GoToField(300, 2);
    EXPECT_EQ(e.Field(), 7);
    EXPECT_EQ(e.Page(), 2);
}

TEST(SadNavigation, NonEditableTargetsAreSkippedInTheDirectionOfTravel) {
    SadEditEnv e(0);
    e.nav.GoToField(12, 1);
    e.nav.GoToField(13, 1);  // box 4 is not editable in any variant
    EXPECT_EQ(e.Field(), 14);
    e.nav.GoToField(13, 1);
    EXPECT_EQ(e.Field(), 12);
    EXPECT_EQ(e.host.helpContext, 403);
}

TEST(SadNavigation, DefinitionsLoadedFromAFreshProfileDecideWhereTabStops) {
    // Box 4 (field 13) is never editable; field 17 only outside the simplified declaration.
    for (int variant : {0, 2}) {
        SCOPED_TRACE(variant);
        SadEditEnv e(variant);
        CMemoryProfile program;
        e.defs = CFieldDefinitions{};
        LoadFieldDefinitions(e.defs, e.profile, program);
        const std::vector<int> round = Round(Walk(e, 300, true));
        EXPECT_EQ(std::count(round.begin(), round.end(), 13), 0);
        EXPECT_EQ(std::count(round.begin(), round.end(), 17), variant == 0 ? 1 : 0);
    }
    // A box the clerk has made editable in the field-definition dialog is a Tab stop after the
    // next start.
    SadEditEnv e(0);
    CMemoryProfile program;
    e.defs.Set(1, 13, 0, 0);
    SaveFieldDefinitions(e.defs, e.profile, program);
    e.defs = CFieldDefinitions{};
    LoadFieldDefinitions(e.defs, e.profile, program);
    const std::vector<int> round = Round(Walk(e, 300, true));
    EXPECT_EQ(std::count(round.begin(), round.end(), 13), 1);
}

TEST(SadNavigation, FieldDefinitionsWithoutAnyEditableFieldDoNotHang) {
    SadEditEnv e(0);
    for (int f = 0; f < 154; ++f) e.defs.Set(1, f, 0, kDefNotEditable);
    for (int f = 0; f < 214; ++f) e.defs.Set(2, f, 0, kDefNotEditable);
    e.nav.NextInputField();
    e.nav.PreviousInputField();
    e.nav.GoToField(50, 1);
    EXPECT_EQ(e.Field(), 50);
    e.host.page = 2;
    e.nav.GoToField(300, 2);
    e.nav.PreviousInputField();
    EXPECT_EQ(e.Page(), 2);

    // Only the box 47 fields editable: each opens its dialog and moves on by itself.
    for (int f = 74; f <= 77; ++f) e.defs.Set(2, f, 0, 0);
    e.nav.NextInputField();
    e.nav.PreviousInputField();
    EXPECT_EQ(e.Page(), 2);
    EXPECT_LT(e.host.dialogs.size(), 200u);
}

TEST(SadNavigation, StampLineCopiesOnLeavingTheFirstSheet) {
    struct Case {
        int field;
        bool copied;
    } cases[] = {{3, false}, {4, true}, {5, true}, {6, true}, {7, true}, {8, true}, {9, false}};
    for (const auto& c : cases) {
        SadEditEnv e(0);  // no stamp switched on
        e.store().ActivateField(c.field, 1);
        e.store().SetFieldFlags(c.field, 1, 0x0112);
        e.Type(u"Stempel");
        e.nav.GoToField(c.field == 9 ? 10 : 9, 1);
        EXPECT_EQ(e.store().GetFieldText(c.field, 1), u"Stempel");
        const int copy = c.field - 2;
        EXPECT_EQ(e.store().GetFieldText(copy, 2), c.copied ? u"Stempel" : u"") << c.field;
        if (c.copied) EXPECT_EQ(e.store().GetFieldFlags(copy, 2), 0x0112) << c.field;
    }
}

TEST(SadNavigation, ReferenceNumberCopies) {
    // Stamp_A / Stamp_C: -1 = not in the profile. A profile without "Stamp_A" has stamp A off
    // here as everywhere else (new documents, the drawing), even when stamp C is on: the
    // reference number then goes to "Nummer" only, never into stamp A's lines.
    struct Case {
        int stampA, stampC;
        bool stampLines;
    } cases[] = {{-1, -1, false}, {1, -1, true}, {1, 0, true}, {-1, 1, false}, {0, 1, false}, {0, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stampA << "/" << c.stampC);
        SadEditEnv e(0);
        if (c.stampA >= 0) e.SetInt("Stamp_A", c.stampA);
        if (c.stampC >= 0) e.SetInt("Stamp_C", c.stampC);
        e.store().ActivateField(151, 1);
        e.Type(u"REF-42");
        e.nav.GoToField(0, 1);
        EXPECT_EQ(e.Field(), 0);
        EXPECT_EQ(e.store().GetFieldText(151, 1), u"REF-42");
        EXPECT_EQ(e.store().GetFieldText(0, 2), u"REF-42");
        EXPECT_EQ(e.store().GetFieldText(5, 1), c.stampLines ? u"REF-42" : u"");
        EXPECT_EQ(e.store().GetFieldText(3, 2), c.stampLines ? u"REF-42" : u"");
    }
}

TEST(SadNavigation, NummerOfAContinuationSheetGoesToItsStampWithStampA) {
    for (int stampA : {0, 1}) {
        SadEditEnv e(0);
        e.SetInt("Stamp_A", stampA);
        e.host.page = 2;
        e.store().ActivateField(0, 2);
        e.Type(u"N-1");
        e.nav.GoToField(7, 2);
        EXPECT_EQ(e.Field(), 7);
        EXPECT_EQ(e.store().GetFieldText(0, 2), u"N-1");
        EXPECT_EQ(e.store().GetFieldText(3, 2), stampA ? u"N-1" : u"");
    }
}

TEST(SadNavigation, LeavingField8CollapsesEmptyLinesOnce) {
    struct Case {
        std::u16string typed, stored;
    } cases[] = {
        {u"a\r\n\r\nb", u"a\r\nb"},
        {u"a\r\n\r\n\r\nb", u"a\r\n\r\nb"},
        {u"a\r\n\r\n\r\n\r\nb", u"a\r\n\r\nb"},
        {u"a\r\nb", u"a\r\nb"},
    };
    for (const auto& c : cases) {
        for (int page : {1, 2}) {
            SadEditEnv e(0);
            e.host.page = page;
            e.store().ActivateField(8, page);
            e.Type(c.typed);
            e.nav.GoToField(9, page);
            EXPECT_EQ(e.store().GetFieldText(8, page), c.stored) << page;
        }
    }
}

TEST(SadNavigation, ThreeLineStampDialog) {
    struct Case {
        std::u16string result, text;
        uint16_t word;
    } cases[] = {
        {u"Eins", u"Eins", 0x0110},
        {u"Eins\r\nZwei  \r\n", u"Eins\r\nZwei", 0x0151},
        {u"Eins\r\nZwei\r\nDrei", u"Eins\r\nZwei\r\nDrei", 0x0152},
        {u"1\r\n2\r\n3\r\n4", u"1\r\n2\r\n3\r\n4", 0x0110},
    };
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.SetInt("Stamp_A", 1);
        for (int f = 3; f <= 8; ++f) e.defs.Set(1, f, 0, 0);
        e.store().SetFieldText(4, u"  alt", 1);
        std::u16string preset;
        e.host.textInput3L = [&](std::u16string& t) {
            preset = t;
            t = c.result;
            return true;
        };
        e.store().ActivateField(3, 1);
        e.nav.NextInputField();
        EXPECT_EQ(preset, u"  alt");
        EXPECT_EQ(e.store().GetFieldText(4, 1), c.text);
        EXPECT_EQ(e.store().GetFieldText(2, 2), c.text);
        EXPECT_EQ(e.store().GetFieldFlags(4, 1), c.word);
        EXPECT_EQ(e.store().GetFieldFlags(2, 2), c.word);
        EXPECT_TRUE(e.doc.IsModified());
        EXPECT_EQ(e.Field(), 5);  // on to the next input field
    }
}

TEST(SadNavigation, ThreeLineStampDialogOpensOnlyWhereItsSwitchesSaySo) {
    struct Case {
        int stampA, stampC, threeLine, page, target;
        bool opens;
    } cases[] = {
        {1, 0, 1, 1, 4, true},   {0, 1, 1, 1, 4, true}, {0, 1, 1, 1, 84, true}, {1, 0, 0, 1, 7, false},
        {0, 0, 1, 1, 81, false}, {1, 0, 1, 2, 2, true}, {0, 1, 1, 2, 5, false}, {1, 0, 1, 2, 3, false},
    };
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.SetInt("Stamp_A", c.stampA);
        e.SetInt("Stamp_C", c.stampC);
        e.SetInt("3LineInStamp", c.threeLine);
        e.host.page = c.page;
        e.nav.GoToField(c.target, c.page);
        // Skipping on from a non-editable target may enter another stamp line; only the target counts.
        const bool opened = !e.host.dialogs.empty() && e.host.dialogs[0].first == "3L" &&
                            e.host.dialogs[0].second == c.target;
        EXPECT_EQ(opened, c.opens) << c.stampA << c.stampC << c.threeLine << " page " << c.page << " field "
                                   << c.target;
    }
    // Cancel writes nothing and still moves on.
    SadEditEnv e(0);
    e.SetInt("Stamp_A", 1);
    e.store().SetFieldText(7, u"bleibt", 1);
    e.host.textInput3L = [](std::u16string& t) {
        t = u"neu";
        return false;
    };
    e.nav.GoToField(7, 1);
    EXPECT_EQ(e.store().GetFieldText(7, 1), u"bleibt");
    EXPECT_EQ(e.store().GetFieldFlags(7, 1), 3);
    EXPECT_NE(e.Field(), 7);
}

TEST(SadNavigation, Box44DialogWritesTextAndInputTaxThenGoesToFeld42) {
    SadEditEnv e(0);
    e.store().SetFieldText(69, u"\r\nalt", 1);
    std::u16string preset;
    bool presetTax = true;
    e.host.feld44 = [&](std::u16string& t, bool& tax) {
        preset = t;
        presetTax = tax;
        EXPECT_FALSE(e.host.editWindowShown);
        t = u"\r\nNeu";
        tax = true;
        return true;
    };
    e.nav.GoToField(68, 1);
    e.nav.NextInputField();
    EXPECT_EQ(preset, u"\r\nalt");
    EXPECT_FALSE(presetTax);
    EXPECT_EQ(e.store().GetFieldText(69, 1), u"\r\nNeu");
    EXPECT_EQ(e.doc.m_nInputTax, 1u);
    EXPECT_TRUE(e.host.editWindowShown);
    EXPECT_EQ(e.Field(), 70);
    EXPECT_EQ(e.host.helpContext, 444);
    EXPECT_EQ(e.host.dialogs.size(), 1u);

    EXPECT_TRUE(e.doc.IsModified());

    // Cancel, or OK on what was there: nothing written, the document not modified, the caret
    // on Feld 42.
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Abbrechen");
        SadEditEnv c(1);
        c.store().SetFieldText(69, u"bleibt", 1);
        c.doc.m_nInputTax = 1;
        c.doc.SetModifiedFlag(false);
        c.host.feld44 = [&](std::u16string& t, bool&) {
            t += u"\r\n";  // the dialog gives back its empty last line
            return ok;
        };
        c.nav.GoToField(69, 1);
        EXPECT_EQ(c.store().GetFieldText(69, 1), u"bleibt");
        EXPECT_EQ(c.doc.m_nInputTax, 1u);
        EXPECT_FALSE(c.doc.IsModified());
        EXPECT_EQ(c.Field(), 70);
    }
    // Only the input-tax cross changed: a change.
    SadEditEnv t(0);
    t.host.feld44 = [](std::u16string&, bool& tax) { return tax = true; };
    t.nav.GoToField(69, 1);
    EXPECT_EQ(t.doc.m_nInputTax, 1u);
    EXPECT_TRUE(t.doc.IsModified());

    // Variant 2 and a non-editable Feld 44 make it an ordinary field.
    SadEditEnv v2(2);
    v2.nav.GoToField(69, 1);
    EXPECT_TRUE(v2.host.dialogs.empty());
    EXPECT_EQ(v2.Field(), 69);
    SadEditEnv ne(0);
    ne.defs.Set(1, 69, 0, kDefNotEditable);
    ne.nav.GoToField(68, 1);
    ne.nav.GoToField(69, 1);
    EXPECT_TRUE(ne.host.dialogs.empty());
    EXPECT_EQ(ne.Field(), 70);
}

TEST(SadNavigation, Box47DialogOfTheFirstSheet) {
    SadEditEnv e(0);
    for (int i = 0; i < 35; ++i) e.store().SetFieldText(115 + i, u"c" + std::u16string(1, u'A' + i), 1);
    std::vector<std::u16string> presets;
    int helpInDialog = 0;
    e.host.feld47 = [&](std::vector<std::u16string>& v) {
        presets = v;
        helpInDialog = e.host.helpContext;
        for (int i = 0; i < 36; ++i) v[i] = u"r" + std::u16string(1, u'A' + i);
        return true;
    };
    e.nav.GoToField(72, 1);
    e.nav.NextInputField();
    ASSERT_EQ(presets.size(), 36u);
    EXPECT_EQ(presets[0], u"cA");
    EXPECT_EQ(presets[34], u"cc");
    EXPECT_EQ(presets[35], u"");
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(e.store().GetFieldText(115 + i, 1), u"r" + std::u16string(1, u'A' + i));
    EXPECT_EQ(e.store().GetFieldText(151, 1), u"");
    EXPECT_EQ(e.store().GetFieldText(114, 1), u"");
    EXPECT_EQ(helpInDialog, 447);
    EXPECT_EQ(e.Field(), 74);
    EXPECT_TRUE(e.doc.IsModified());

    SadEditEnv ne(0);
    ne.defs.Set(1, 73, 0, kDefNotEditable);
    ne.nav.GoToField(72, 1);
    ne.nav.NextInputField();
    EXPECT_TRUE(ne.host.dialogs.empty());
    EXPECT_EQ(ne.Field(), 74);
}

TEST(SadNavigation, Box47DialogsOfAContinuationSheet) {
    struct Case {
        int target, base, count;
        const char* dialog;
    } cases[] = {{74, 78, 36, "47"}, {75, 114, 36, "47"}, {76, 150, 36, "47"}, {77, 186, 22, "47S"}};
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(2);
        e.host.page = 3;
        e.store().SetFieldText(c.base, u"erste", 3);
        // A document saved before the column sizes: size 3 and bold in every cell.
        for (int i = 0; i <= c.count; ++i) e.store().SetFieldFlags(c.base + i, 3, 0x0213);
        std::u16string firstPreset;
        int calls = 0;
        // Tab goes on from one box 47 to the next; only the first dialog answers OK.
        auto fill = [&](std::vector<std::u16string>& v) {
            if (calls++ > 0) return false;
            EXPECT_EQ(v.size(), static_cast<size_t>(c.count));
            firstPreset = v[0];
            for (auto& s : v) s = u"x";
            return true;
        };
        e.host.feld47 = fill;
        e.host.feld47Summe = fill;
        e.nav.GoToField(c.target, 3);
        ASSERT_FALSE(e.host.dialogs.empty());
        EXPECT_EQ(e.host.dialogs[0].first, c.dialog);
        EXPECT_EQ(firstPreset, u"erste");
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(e.store().GetFieldText(c.base + i, 3), u"x") << c.target << "/" << i;
        EXPECT_EQ(e.store().GetFieldText(c.base + c.count, 3), u"") << "the block ends at its total";
        // OK gives the written cells their column's size; bold goes, the alignment stays.
        const int columns = c.count == 36 ? kFeld47Columns : kFeld47SummeColumns;
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(e.store().GetFieldFlags(c.base + i, 3),
                      0x0200 | Feld47FontSize(Feld47ColumnOf(i, columns)))
                << c.target << "/" << i;
        EXPECT_EQ(e.store().GetFieldFlags(c.base + c.count, 3), 0x0213)
            << "a cancelled dialog changes nothing";
        EXPECT_EQ(e.store().GetFieldText(c.base, 2), u"") << "another page";
        EXPECT_EQ(e.Page(), 3);
    }
}

TEST(SadNavigation, AutomaticBox3And5UpdateOnEntering) {
    struct Case {
        int autoFill, page, from, target;
        bool runs;
    } cases[] = {
        {1, 1, 10, 11, true},  {1, 1, 15, 14, true}, {1, 1, 52, 53, true}, {0, 1, 52, 53, false},
        {1, 1, 15, 16, false}, {1, 2, 8, 9, true},   {1, 2, 32, 33, true}, {1, 2, 20, 21, false},
    };
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.SetInt("AutoFillPositions", c.autoFill);
        e.host.page = c.page;
        e.store().ActivateField(c.from, c.page);
        e.nav.GoToField(c.target, c.page);
        EXPECT_EQ(e.store().GetFieldText(14, 1), c.runs ? u"1" : u"") << c.page << "/" << c.target;
    }
}

TEST(SadNavigation, InsertDefaultsStampDateAndHelp) {
    struct Case {
        int page, field;
        bool yes;
    } cases[] = {{1, 6, true}, {1, 83, true}, {2, 4, true}, {1, 6, false}};
    for (const auto& c : cases) {
        SadEditEnv e(0);
        e.SetInt("Stamp_A", 1);
        e.defs.Set(1, 6, 0, 0);
        e.defs.Set(1, 83, 0, 0);
        e.defs.Set(2, 4, 0, 0);
        e.nav.SetDateProvider([] { return CivilDate{5, 3, 2024}; });
        e.host.answerYes = c.yes;
        e.host.page = c.page;
        e.store().ActivateField(c.field, c.page);
        e.Type(u"alt");
        e.nav.InsertDefaults();
        ASSERT_EQ(e.host.questions.size(), 1u);
        EXPECT_EQ(e.host.questions[0], u"Soll das aktuelle Datum eingefügt werden?");
        EXPECT_EQ(e.store().GetFieldText(c.field, c.page), c.yes ? u"5.3.2024" : u"alt");
        EXPECT_EQ(e.Field() != c.field, c.yes);
        EXPECT_EQ(e.doc.IsModified(), c.yes);
    }
    for (auto [page, field] : {std::pair{1, 63}, {1, 64}, {2, 22}, {4, 65}}) {
        SadEditEnv e(0);
        e.doc.SetContinuationCount(3);
        e.host.page = page;
        e.store().ActivateField(field, page);
        e.nav.InsertDefaults();
        EXPECT_EQ(e.host.helpShown, std::vector<int>{505}) << field;
        EXPECT_EQ(e.Field(), field);
    }
    SadEditEnv e(0);
    e.store().ActivateField(3, 1);
    e.Type(u"getippt");
    e.nav.InsertDefaults();
    EXPECT_TRUE(e.host.questions.empty());
    EXPECT_TRUE(e.host.helpShown.empty());
    EXPECT_EQ(e.store().GetFieldText(3, 1), u"getippt") << "F2 commits first";
}

TEST(SadNavigation, StampTextAndEmptyLineHelpers) {
    EXPECT_EQ(ThreeLineStampText(u"a\r\nb \t\r\n ").sizeValue, 0x41);
    EXPECT_EQ(ThreeLineStampText(u"").text, u"");
    EXPECT_EQ(ThreeLineStampText(u"").sizeValue, 0);
    EXPECT_EQ(CollapseEmptyLines(u"\r\n\r\n\r\n\r\n"), u"\r\n\r\n");
    EXPECT_EQ(CollapseEmptyLines(u"ohne"), u"ohne");
}

// Tab never leaves the Tab range of a sheet (first sheet 0-105, continuation 0-77): the raw
// box 47 cells behind it are written by the duty dialog only.
TEST(SadNavigation, TabFromAnyFieldStaysInTheTabRange) {
    for (int variant = 0; variant < 4; ++variant) {
        for (int page : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "variant " << variant << " page " << page);
            SadEditEnv e(variant);
            e.host.page = page;
            const int end = page == 1 ? 105 : 77;
            for (int f = 0; f <= end; ++f) {
                if (!e.nav.IsEditable(f, page)) continue;
                e.store().ActivateField(f, page);
                e.host.dialogs.clear();
                e.nav.NextInputField();
                EXPECT_LE(e.Field(), end) << "Tab from " << f;
                for (int d : DialogFields(e)) EXPECT_LE(d, end) << "Tab from " << f;
            }
        }
    }
}

TEST(SadNavigation, ShiftTabWrapNeverOpensADialog) {
    struct Case {
        int variant, page, stampA;
    } cases[] = {{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {0, 2, 0}, {2, 2, 0}, {0, 2, 1}, {3, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "variant " << c.variant << " page " << c.page << " stamp " << c.stampA);
        SadEditEnv e(c.variant);
        e.SetInt("Stamp_A", c.stampA);
        e.host.page = c.page;
        int first = 0;
        while (!e.nav.IsEditable(first, c.page) || e.nav.OpensDialogOnEntry(first, c.page)) ++first;
        e.store().ActivateField(first, c.page);
        e.nav.PreviousInputField();
        EXPECT_TRUE(e.host.dialogs.empty());
        EXPECT_EQ(e.Page(), c.page);
        EXPECT_TRUE(e.nav.IsEditable(e.Field(), c.page));
        EXPECT_LE(e.Field(), c.page == 1 ? 105 : 77);
        EXPECT_GT(e.Field(), first);
    }
}

// F2 is offered exactly where pressing it does something: a question or a help page follows.
TEST(SadNavigation, InsertDefaultsEnabledExactlyWhereSomethingFollows) {
    for (int page : {1, 2}) {
        const int count = page == 1 ? 154 : 214;
        for (int f = 0; f < count; ++f) {
            SadEditEnv e(0);
            e.host.page = page;
            e.host.answerYes = false;
            e.store().ActivateField(f, page);
            const bool enabled = e.nav.CanInsertDefaults();
            e.nav.InsertDefaults();
            const bool acted =
                !e.host.questions.empty() || !e.host.dialogs.empty() || !e.host.helpShown.empty();
            EXPECT_EQ(enabled, acted) << "page " << page << " field " << f;
        }
    }
}

TEST(SadNavigation, BoxLabelsAsPrintedOnTheForm) {
    struct Case {
        const char16_t* text;
        bool ok;
        int number;
        char16_t letter;
        int item;
    } cases[] = {
        {u"8", true, 8, 0, 0},       {u" 17 A", true, 17, u'A', 0},
        {u"17a", true, 17, u'A', 0}, {u"Feld 33 b", true, 33, u'B', 0},
        {u"31-2", true, 31, 0, 2},   {u"33/3 E", true, 33, u'E', 3},
        {u"c", true, 0, u'C', 0},    {u"", false, 0, 0, 0},
        {u"0", false, 0, 0, 0},      {u"55", false, 0, 0, 0},
        {u"31-4", false, 0, 0, 0},   {u"17 AB", false, 0, 0, 0},
        {u"x", false, 0, 0, 0},      {u"1234", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SadBoxLabel l;
        const std::u16string text = c.text;
        EXPECT_EQ(ParseSadBoxLabel(text, l), c.ok) << std::string(text.begin(), text.end());
        if (!c.ok) continue;
        EXPECT_EQ(l.number, c.number);
        EXPECT_EQ(l.letter, c.letter);
        EXPECT_EQ(l.item, c.item);
    }
}

TEST(SadNavigation, FindBoxByItsLabel) {
    struct Case {
        int page;
        const char16_t* label;
        int item;
        int toPage, field;  // field -1: a message instead
    } cases[] = {
        {1, u"1", 1, 1, 0},     {1, u"17 A", 1, 1, 29},  {1, u"17b", 1, 1, 30},    {1, u"16", 1, 1, 31},
        {1, u"44", 1, 1, 69},   {1, u"47", 1, 1, 73},    {1, u"54", 1, 1, 96},     {1, u"31-3", 1, 1, 52},
        {2, u"31-2", 1, 2, 32}, {2, u"31", 3, 2, 53},    {2, u"33-3 B", 1, 2, 56}, {2, u"47", 2, 2, 75},
        {2, u"44", 1, 2, 28},   {2, u"22 A", 1, 1, 40},  {3, u"8", 1, 1, 18},      {1, u"4", 1, 1, -1},
        {1, u"2", 1, 1, 10},    {1, u"8", 1, 1, 18},     {1, u"14", 1, 1, 25},     {2, u"2", 1, 2, 8},
        {1, u"55", 1, 0, -1},   {1, u"Hafen", 1, 0, -1}, {1, u"", 1, 0, -1},
    };
    for (const Case& c : cases) {
        const std::u16string label = c.label;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        SadEditEnv e(0);
        e.doc.SetContinuationCount(2);
        e.host.page = c.page;
        const CSadNavigation::BoxTarget t = e.nav.FindBox(label, c.item);
        EXPECT_EQ(t.field, c.field);
        if (c.field >= 0) {
            EXPECT_EQ(t.page, c.toPage);
            EXPECT_TRUE(t.error.empty());
        } else {
            EXPECT_FALSE(t.error.empty());
        }
    }
}

TEST(SadNavigation, GoToBoxEntersLikeTab) {
    SadEditEnv e(0);
    e.doc.SetContinuationCount(1);
    e.host.page = 2;
    e.store().ActivateField(20, 2);
    // Box 8 is on the first sheet only: the view turns back to it.
    e.nav.GoToBox(e.nav.FindBox(u"8", 1));
    EXPECT_EQ(e.host.page, 1);
    EXPECT_EQ(e.Page(), 1);
    EXPECT_EQ(e.Field(), 18);  // the address, where F2 works
    EXPECT_EQ(e.host.helpContext, 408);
    // Box 47 opens the duty dialog and moves on after it, as Tab does.
    e.nav.GoToBox(e.nav.FindBox(u"47", 1));
    ASSERT_EQ(e.host.dialogs.size(), 1u);
    EXPECT_EQ(e.host.dialogs[0], (std::pair<std::string, int>{"47", 73}));
    EXPECT_NE(e.Field(), 73);
    // A message leaves the caret where it is.
    const int before = e.Field();
    e.nav.GoToBox(e.nav.FindBox(u"99", 1));
    EXPECT_EQ(e.Field(), before);
}
