// Messages name SAD fields as the boxes are printed, in a form "Gehe zu Feld" takes back.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/common/TextCodec.h"
#include "core/sad/SadFieldLabels.h"
#include "core/sad/SadLayout.h"

using namespace tarvex;

TEST(SadFieldLabels, PrintedLabelsOfBothSheets) {
    const struct {
        int page, field;
        const char* label;
    } cases[] = {
        {1, 0, "Feld 1 A"},
        {1, 5, "Feld A, Zeile 3"},
        {1, 9, "Feld 2 (Nr.)"},
        {1, 10, "Feld 2"},
        {1, 18, "Feld 8"},
        {1, 26, "Feld 15"},
        {1, 27, "Feld 15 A"},
        {1, 69, "Feld 44"},
        {1, 82, "Feld C, Zeile 3"},
        {1, 96, "Feld 54 (Ort, Datum)"},
        {1, 118, "Feld 47, Zeile 1, Betrag"},
        {1, 149, "Feld 47, Zeile 7, ZA"},
        {1, 150, "Feld 47, Summe"},
        {1, 151, "Bezugsnummer (oben)"},
        {2, 0, "Nummer"},
        {2, 7, "Feld 2 (Nr.)"},
        {2, 8, "Feld 2"},
        {2, 11, "Feld 31-1"},
        {3, 35, "Feld 33-2 B"},
        {2, 73, "Feld 46-3"},
        {2, 29, "Feld 42-1"},
        {2, 81, "Feld 47-1, Zeile 1, Betrag"},
        {2, 149, "Feld 47-2, Summe"},
        {2, 187, "Feld 47 (Summe), Zeile 1, Betrag"},
        {2, 207, "Feld 47 (Summe), Gesamtsumme (GS)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.field));
        EXPECT_EQ(SadFieldLabel(c.page, c.field), FromUtf8(c.label));
    }
    EXPECT_EQ(SadFieldLabelOnPage(3, 35), u"Seite 3, Feld 33-2 B");
}

TEST(SadFieldLabels, EveryBoxLabelLeadsBackToItsBox) {
    // Within the Tab range the box part of a label ("Feld 33-2 B" of "Feld 33-2 B", "Feld A" of
    // "Feld A, Zeile 3") is what "Gehe zu Feld" takes, and it leads to the labelled field's box.
    for (int page : {1, 2}) {
        const SadSheet sheet = SheetOfPage(page);
        for (int f = 0; f <= (page == 1 ? 105 : 77); ++f) {
            const std::u16string label = SadFieldLabel(page, f);
            SCOPED_TRACE(ToUtf8(label));
            EXPECT_EQ(label.find(u"box"), std::u16string::npos);
            EXPECT_EQ(label.find(u"  "), std::u16string::npos);
            if (!label.starts_with(u"Feld ") || label.starts_with(u"Feld D,")) continue;
            SadBoxLabel parsed;
            ASSERT_TRUE(ParseSadBoxLabel(label.substr(0, label.find_first_of(u",(")), parsed));
            const std::vector<int> fields = SadBoxFields(sheet, parsed, 1);
            EXPECT_NE(std::find(fields.begin(), fields.end(), f), fields.end());
        }
    }
}
