// Messages name D.V.1 fields as the boxes are printed on the form, with goods item and page.

#include <gtest/gtest.h>

#include <string>

#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Labels.h"

using namespace tarvex;

TEST(Dv1Labels, PrintedLabelsOfEveryPageKind) {
    const struct {
        int page, field;
        const char* label;
    } cases[] = {
        {1, 0, "Feld 1"},
        {1, 1, "Feld 2 (a)"},
        {1, 3, "Feld 3"},
        {1, 7, "Feld 7 (c)"},
        {1, 11, "Feld 10 (b)"},
        {2, 0, "Feld Ware(Pos), Ware 1"},
        {2, 2, "Feld 11 (a), Rechnungswährung, Ware 1"},
        {2, 4, "Feld 11 (a), nationale Währung, Ware 1"},
        {2, 9, "Feld 13 (c), Ware 1"},
        {3, 9, "Feld 13 (c), Ware 1"},
        {2, 16, "Feld 17, Text"},
        {2, 17, "Feld 17, Ware 1"},
        {2, 23, "Feld 17 (c), Ware 1"},
        {2, 27, "Feld 22, Ware 1"},
        {2, 28, "Feld Ware(Pos), Ware 2"},
        {2, 31, "Feld 11 (b), Ware 2"},
        {2, 34, "Feld 13 (c), Ware 2"},
        {2, 41, "Feld 17, Ware 2"},
        {2, 44, "Feld 17 (c), Ware 2"},
        {2, 48, "Feld 22, Ware 2"},
        {2, 52, "Zusätzliche Angaben"},
        {2, 53, "Feld 12, Ware 1"},
        {2, 56, "Feld 24, Ware 1"},
        {2, 60, "Feld 24, Ware 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.field));
        EXPECT_EQ(Dv1FieldLabel(c.page, c.field), FromUtf8(c.label));
    }
    // Item 2's column names the same boxes as item 1's, line by line.
    const int item1[] = {0, 2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 19, 21, 23, 24, 25, 26, 27};
    for (int i = 0; i < 21; ++i) {
        std::u16string one = Dv1FieldLabel(2, item1[i]);
        one.back() = u'2';
        EXPECT_EQ(Dv1FieldLabel(2, 28 + i), one);
    }
}

TEST(Dv1Labels, MessagesNameFieldsByTheirLabels) {
    const std::vector<dv1::Dv1NotAnAmount> found = {{2, 9, u"ca. 100"}, {3, 31, u"12.50"}};
    EXPECT_EQ(dv1::NotAnAmountText(found[0]),
              "Seite 2, Feld 13 (c), Ware 1: \"ca. 100\" ist kein Betrag und wurde nicht verändert");
    EXPECT_EQ(dv1::NotAmountsStatusText({found[1]}),
              "Seite 3, Feld 11 (b), Ware 2: \"12.50\" ist kein Betrag und wurde nicht verändert");
    EXPECT_EQ(dv1::NotAmountsStatusText(found),
              "2 Felder sind keine Beträge (rot markiert). Seite 2, Feld 13 (c), Ware 1: \"ca. 100\" ist "
              "kein Betrag und wurde nicht verändert");
    EXPECT_EQ(
        dv1::NotAmountsOnOpenText({found[0]}),
        "Seite 2, Feld 13 (c), Ware 1: \"ca. 100\" ist kein Betrag. Rot markiert wird das Feld nach der "
        "Berechnung (F3).");
    EXPECT_NE(dv1::NotAmountsOnOpenText(found).find("2 Felder enthalten keinen Betrag"), std::string::npos);
    EXPECT_EQ(dv1::NotAmountsOnOpenText({}), "");
    EXPECT_EQ(Dv1OverflowQuestion(1, {0, 3}),
              u"In diesen Feldern passt der Text nicht hinein:\nFeld 1; Feld 3\n\nSoll die Seite trotzdem "
              u"gedruckt werden?");
    EXPECT_NE(Dv1OverflowQuestion(2, {9, 34}).find(u":\nFeld 13 (c), Ware 1; Feld 13 (c), Ware 2\n"),
              std::u16string::npos);
}
