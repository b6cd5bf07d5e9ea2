#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {

constexpr Dv1PageKind kKinds[] = {Dv1PageKind::Front, Dv1PageKind::Back, Dv1PageKind::BisFront};

size_t SegmentCount(Dv1PageKind kind) {
    size_t n = 0;
    for (const auto& list : Dv1Rulings(kind)) n += list.size();
    return n;
}

}  // namespace

TEST(Dv1Geometry, PageNumbersChooseTheKindAndTheMarginPair) {
    struct Case {
        int page;
        Dv1PageKind kind;
        int pair;
    };
    const Case cases[] = {{0, Dv1PageKind::Front, 1},  {1, Dv1PageKind::Front, 1},
                          {2, Dv1PageKind::Back, 2},   {3, Dv1PageKind::BisFront, 3},
                          {4, Dv1PageKind::Back, 4},   {5, Dv1PageKind::BisFront, 3},
                          {254, Dv1PageKind::Back, 4}, {255, Dv1PageKind::BisFront, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(Dv1PageKindOf(c.page), c.kind) << c.page;
        EXPECT_EQ(Dv1MarginPair(c.page), c.pair) << c.page;
    }
}

TEST(Dv1Geometry, TablesHaveTheFormsCounts) {
    EXPECT_EQ(Dv1Fields(Dv1PageKind::Front).size(), 12u);
    EXPECT_EQ(Dv1Fields(Dv1PageKind::Back).size(), 61u);
    EXPECT_EQ(Dv1Fields(Dv1PageKind::BisFront).size(), 61u);
    for (Dv1PageKind k : kKinds) {
        EXPECT_EQ(static_cast<int>(Dv1Fields(k).size()), Dv1FieldCount(k));
        for (size_t i = 0; i < Dv1Fields(k).size(); ++i)
            EXPECT_EQ(Dv1Fields(k)[i].index, static_cast<int>(i));
    }
    EXPECT_EQ(Dv1Boxes().size(), 14u);
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::Front).size(), 3u);
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::Back).size(), 2u);
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::BisFront).size(), 2u);
    EXPECT_EQ(SegmentCount(Dv1PageKind::Front), 19u + 1u + 7u);
    EXPECT_EQ(SegmentCount(Dv1PageKind::Back), 22u + 14u);
    EXPECT_EQ(SegmentCount(Dv1PageKind::BisFront), 21u + 15u);
    EXPECT_EQ(Dv1Captions(Dv1PageKind::Front).size(), 79u);
    EXPECT_EQ(Dv1Captions(Dv1PageKind::Back).size(), 120u);
    EXPECT_EQ(Dv1Captions(Dv1PageKind::BisFront).size(), 124u);
}

TEST(Dv1Geometry, SamplesOfEveryTable) {
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Front, 0), (Dv1Rect{130, 90, 1090, 300}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Front, 11), (Dv1Rect{1150, 2560, 1910, 2820}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Back, 0), (Dv1Rect{1000, 75, 1225, 125}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Back, 49), (Dv1Rect{70, 2505, 950, 2670}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Back, 60), (Dv1Rect{1250, 2360, 1480, 2420}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::BisFront, 3), (Dv1Rect{700, 510, 1080, 560}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::BisFront, 55), (Dv1Rect{1130, 2520, 1355, 2590}));
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Front, 12), Dv1Rect{});
    EXPECT_EQ(Dv1FieldRect(Dv1PageKind::Back, -1), Dv1Rect{});

    EXPECT_EQ(Dv1Boxes()[0], (Dv1Rect{1365, -1185, 1415, -1235}));
    EXPECT_EQ(Dv1Boxes()[13], (Dv1Rect{1620, -2115, 1670, -2165}));
    EXPECT_EQ(Dv1BoxRectDown(7), (Dv1Rect{1620, 1690, 1670, 1740}));
    for (const Dv1Rect& b : Dv1Boxes()) {
        EXPECT_EQ(b.right - b.left, 50);
        EXPECT_EQ(b.top - b.bottom, 50);
    }

    EXPECT_EQ(Dv1Rulings(Dv1PageKind::Front)[1][0], (Dv1Segment{100, -560, 1110, -560}));
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::Front)[2].back(), (Dv1Segment{100, -810, 100, -1065}));
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::Back)[0].back(), (Dv1Segment{50, -2840, 1870, -2840}));
    EXPECT_EQ(Dv1Rulings(Dv1PageKind::BisFront)[1][0], (Dv1Segment{1625, -305, 1625, -2670}));

    const auto front = Dv1Captions(Dv1PageKind::Front);
    EXPECT_EQ(front[0].text, u"EUROPÄISCHE UNION");
    EXPECT_EQ(front[73].text, u"Auf das Merkblatt \"Zollwert\" (Vordruck 0466) wird hingewiesen.");
    EXPECT_EQ(front[78].x, 190);
    EXPECT_EQ(front[78].y, -2162);
    const auto back = Dv1Captions(Dv1PageKind::Back);
    const auto bis = Dv1Captions(Dv1PageKind::BisFront);
    // Trailing and leading blanks are part of the texts.
    EXPECT_EQ(back[28].text, u"Kosten in ");
    EXPECT_EQ(front[9].text, u"   (b)");
    EXPECT_EQ(back[16].text, u"ethalten");  // as printed on the form
    // "Zusätzliche Angaben" lies below the BIS front's paper and is therefore not seen there.
    EXPECT_EQ(back[109].y, -2705);
    EXPECT_EQ(bis[109].y, -4000);
    EXPECT_EQ(bis[123].text, u"ERGÄNZUNGSBLATT D.V.1 BIS");
    EXPECT_EQ(bis[123].x, 1340);
}

TEST(Dv1Geometry, CaptionFontsFollowTheLists) {
    for (const Dv1Caption& c : Dv1Captions(Dv1PageKind::Front)) EXPECT_EQ(c.bold, c.index <= 53) << c.index;
    for (Dv1PageKind k : {Dv1PageKind::Back, Dv1PageKind::BisFront}) {
        const auto captions = Dv1Captions(k);
        for (size_t i = 0; i < captions.size(); ++i) {
            EXPECT_EQ(captions[i].index, static_cast<int>(i));
            EXPECT_EQ(captions[i].bold, i < 110 || i >= 120) << i;
        }
        // The back and the BIS front share one text list.
        for (size_t i = 0; i < 120; ++i) EXPECT_EQ(captions[i].text, Dv1Captions(Dv1PageKind::Back)[i].text);
    }
}

TEST(Dv1Geometry, PrintRectanglesEqualScreenRectanglesExceptWhereTheFormSaysOtherwise) {
    for (Dv1PageKind k : kKinds) {
        for (const Dv1FieldGeometry& f : Dv1Fields(k)) {
            const bool bisSum = k == Dv1PageKind::BisFront && f.index >= 53 && f.index <= 56;
            const bool backNote = k == Dv1PageKind::Back && f.index == 52;
            if (bisSum) {
                EXPECT_EQ(f.printRect, (Dv1Rect{1030, f.rect.top, f.rect.right, f.rect.bottom})) << f.index;
            } else if (backNote) {
                EXPECT_EQ(f.rect, (Dv1Rect{350, 2675, 1900, 2840}));
                EXPECT_EQ(f.printRect, (Dv1Rect{350, 2800, 1900, 2800}));
            } else {
                EXPECT_EQ(f.printRect, f.rect) << static_cast<int>(k) << " field " << f.index;
            }
        }
    }
    // Field 52 exists on the BIS front but has no place there.
    EXPECT_TRUE(Dv1FieldRect(Dv1PageKind::BisFront, 52).IsEmpty());
    EXPECT_TRUE(Dv1PrintRect(Dv1PageKind::BisFront, 52).IsEmpty());
    EXPECT_EQ(Dv1PrintRect(Dv1PageKind::BisFront, 57), Dv1FieldRect(Dv1PageKind::BisFront, 57));
}

TEST(Dv1Geometry, AlignmentsAgreeWithTheDocumentsFormatting) {
    for (const Dv1FieldGeometry& f : Dv1Fields(Dv1PageKind::Front)) EXPECT_EQ(f.align, Dv1Align::Left);
    for (Dv1PageKind k : {Dv1PageKind::Back, Dv1PageKind::BisFront}) {
        for (const Dv1FieldGeometry& f : Dv1Fields(k)) {
            const bool left = std::find(std::begin(kDv1LeftFields), std::end(kDv1LeftFields), f.index) !=
                              std::end(kDv1LeftFields);
            EXPECT_EQ(f.align, left ? Dv1Align::Left : Dv1Align::Right) << f.index;
        }
    }
}

TEST(Dv1Geometry, ZoomScalesByTruncation) {
    EXPECT_EQ(Dv1ZoomedRect(Dv1PageKind::Front, 0, 10), Dv1FieldRect(Dv1PageKind::Front, 0));
    EXPECT_EQ(Dv1ZoomedRect(Dv1PageKind::Front, 0, 14), (Dv1Rect{182, 126, 1526, 420}));
    EXPECT_EQ(Dv1ZoomedRect(Dv1PageKind::Back, 3, 13), (Dv1Rect{845, 331, 1235, 396}));
}

TEST(Dv1Geometry, PrintOriginComesFromThePagesMarginPair) {
    CMemoryProfile profile;
    for (int k = 1; k <= 4; ++k) {
        profile.WriteProfileInt("DV1Form_Defaults", "Left_Margin" + std::to_string(k) + "_DV1", 10 * k);
        profile.WriteProfileInt("DV1Form_Defaults", "Top_Margin" + std::to_string(k) + "_DV1", -5 * k);
    }
    struct Case {
        int page, x0, y0;
    };
    for (const Case& c : {Case{1, 40, 15}, Case{2, 50, 20}, Case{3, 60, 25}, Case{4, 70, 30}, Case{5, 60, 25},
                          Case{8, 70, 30}}) {
        const Dv1PrintOrigin o = Dv1PrintOriginOf(profile, c.page);
        EXPECT_EQ(o.x0, c.x0) << c.page;
        EXPECT_EQ(o.y0, c.y0) << c.page;
    }
    CMemoryProfile empty;
    EXPECT_EQ(Dv1PrintOriginOf(empty, 3).x0, 30);
    EXPECT_EQ(Dv1PrintOriginOf(empty, 3).y0, 10);
}
