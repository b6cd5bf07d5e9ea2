// The D.V.1 page renderer and the print composition, checked in a 254-dpi raster (one pixel per
// 0.1 mm): the form picture of every page kind, the field texts in their boxes, the crosses of the
// yes/no boxes on screen and on paper, the marks on fields, and the margin pair each page uses.

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/settings/Profile.h"
#include "render/app/PrintJob.h"
#include "render/dv1/Dv1PageRenderer.h"
#include "render/dv1/Dv1PrintSource.h"
#include "render/dv1/Dv1Printer.h"
#include "tests/common/ImageCompare.h"

using namespace tarvex;

namespace {

constexpr double kDpi = 254.0;  // one pixel per form unit at zoom 10

int DarkCount(const QImage& img, const QRect& area) {
    int n = 0;
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

bool RedIn(const QImage& img, const QRect& area) {
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 80 && c.blue() < 80) return true;
        }
    return false;
}

bool BlueIn(const QImage& img, const QRect& area) {
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 100 && c.green() < 100) return true;
        }
    return false;
}

QRect Down(const Dv1Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

// A document of five pages with text in every field of every page.
CDV1_Doc FilledDocument() {
    CDV1_Doc doc;
    doc.OnNewDocument();
    doc.AddPage();
    doc.AddPage();
    doc.AddPage();
    CFieldStore& s = doc.Store();
    for (int i = 0; i < kDv1FrontFieldCount; ++i) s.SetFieldText(i, u"WWW", 1);
    for (int p = 2; p <= 5; ++p)
        for (int i = 0; i < kDv1PageFieldCount; ++i) s.SetFieldText(i, u"888", p);
    return doc;
}

QImage Printed(const CDV1_Doc& doc, int page, Profile& profile) {
    QImage img(2100, 2970, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    PrintDv1Page(painter, doc, page, profile, kDpi);
    return img;
}

}  // namespace

class TestDv1Render : public QObject {
    Q_OBJECT

private slots:
    void screenPictureOfEveryPageKind() {
        CMemoryProfile profile;
        CDV1_Doc doc = FilledDocument();
        doc.m_Checks[1] = 1;  // "NEIN" of 7 (a)
        CDv1PageRenderer renderer;
        renderer.Prepare(&profile, 10);
        const Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 10);
        for (int page : {1, 2, 3, 4}) {
            const QImage img = RenderDv1PageImage(renderer, doc, page, o, profile, kDpi);
            QCOMPARE(img.width(), 2050);
            QCOMPARE(img.height(), 3500);
            const Dv1PageKind kind = Dv1PageKindOf(page);
            // The first segment of the frame list is drawn where the table puts it.
            const Dv1Segment s = Dv1Rulings(kind)[0][0];
            const QPoint mid((s.x1 + s.x2) / 2, -(s.y1 + s.y2) / 2);
            QVERIFY2(DarkCount(img, QRect(mid - QPoint(2, 2), QSize(5, 5))) > 0,
                     qPrintable(QString::number(page)));
            // Each field's text lies in its box, in the text colour ("EditTextColor", blue).
            for (const Dv1FieldGeometry& f : Dv1Fields(kind)) {
                if (f.rect.IsEmpty()) continue;
                QVERIFY2(BlueIn(img, Down(f.rect).adjusted(0, 0, 2, 0)),
                         qPrintable(QStringLiteral("page %1 field %2").arg(page).arg(f.index)));
            }
            if (const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR"); !dir.isEmpty())
                img.save(QString::fromLocal8Bit(dir) + QStringLiteral("/dv1-render-page%1.png").arg(page));
        }
        // The grey below the paper (298 mm) within the picture's 350 mm.
        const QImage front = RenderDv1PageImage(renderer, doc, 1, o, profile, kDpi);
        QCOMPARE(front.pixelColor(100, 2975), QColor(Qt::white));
        QCOMPARE(front.pixelColor(100, 2985), QColor(0x80, 0x80, 0x80));
    }

    // The form picture is closed on the right, on screen and on paper "mit Formular": a line
    // runs from the right end of the frame's top line down to the right end of its bottom line,
    // on every page kind.
    void formPictureIsClosedOnTheRight() {
        CMemoryProfile profile;
        profile.WriteProfileInt("DV1Form_Defaults", "Left_Margin2_DV1", 25);
        CDV1_Doc doc = FilledDocument();
        CDv1PageRenderer renderer;
        renderer.Prepare(&profile, 10);
        const Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 10);
        const CDv1PrintSource source(doc, profile);
        for (int page : {1, 2, 3, 4}) {
            const Dv1PageKind kind = Dv1PageKindOf(page);
            // The frame's extent from the rulings: rightmost x, top and bottom lines.
            int right = 0, top = -100000, bottom = 0;
            for (const auto& list : Dv1Rulings(kind))
                for (const Dv1Segment& s : list) right = std::max({right, s.x1, s.x2});
            // The horizontal lines that reach the right edge: the highest and the lowest.
            for (const auto& list : Dv1Rulings(kind))
                for (const Dv1Segment& s : list)
                    if (s.y1 == s.y2 && std::max(s.x1, s.x2) == right) {
                        top = std::max(top, s.y1);
                        bottom = std::min(bottom, s.y1);
                    }
            QVERIFY(top > bottom + 2000);
            const QImage screen = RenderDv1PageImage(renderer, doc, page, o, profile, kDpi);
            QImage paper(2100, 2970, QImage::Format_RGB32);
            paper.fill(Qt::white);
            {
                QPainter painter(&paper);
                PaintPrintPage(painter, kDpi, source, page, PrintMode::WithForm);
            }
            const QTransform toPaper = source.FormToPage(page);
            if (const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR"); !dir.isEmpty())
                paper.save(QString::fromLocal8Bit(dir) +
                           QStringLiteral("/dv1-withform-page%1.png").arg(page));
            // Every 2 mm along the edge (clear of the corners) there is a line within 0.4 mm.
            int gapsScreen = 0, gapsPaper = 0;
            for (int y = -top + 20; y <= -bottom - 20; y += 20) {
                gapsScreen += DarkCount(screen, QRect(right - 4, y, 9, 1)) == 0;
                const QPoint p = toPaper.map(QPoint(right, y));
                gapsPaper += DarkCount(paper, QRect(p.x() - 4, p.y(), 9, 1)) == 0;
            }
            QVERIFY2(gapsScreen == 0,
                     qPrintable(QStringLiteral("page %1 screen: %2 gaps").arg(page).arg(gapsScreen)));
            QVERIFY2(gapsPaper == 0,
                     qPrintable(QStringLiteral("page %1 paper: %2 gaps").arg(page).arg(gapsPaper)));
            // The whole form fits on the A4 sheet, right edge included.
            QVERIFY(toPaper.map(QPoint(right, 0)).x() < 2100 - 50);
        }
    }

    // The view's repaint is the page picture, scrolled.
    void screenRepaintIsTheScrolledPicture() {
        CMemoryProfile profile;
        CDV1_Doc doc = FilledDocument();
        doc.m_Checks[4] = 1;
        CDv1PageRenderer renderer;
        renderer.Prepare(&profile, 16);
        const Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 16);
        for (int page : {1, 2, 3}) {
            const QImage whole = RenderDv1PageImage(renderer, doc, page, o, profile, 96);
            QImage viewport(700, 500, QImage::Format_RGB32);
            viewport.fill(Qt::red);
            QPainter painter(&viewport);
            PaintDv1Screen(painter, viewport.rect(), QPoint(300, 1200), 96, renderer, doc, page, 16,
                           o.textColour);
            painter.end();
            const QImage want = whole.copy(QRect(QPoint(300, 1200), viewport.size()));
            // A ruling cut by the viewport's edge is rasterised from its clipped ends and may lie a
            // pixel apart over a short stretch; a wrong scroll or scale differs in thousands.
            const int differing = testutil::DifferingPixels(viewport, want);
            QVERIFY2(differing <= 100,
                     qPrintable(QStringLiteral("page %1: %2 pixels").arg(page).arg(differing)));
        }
    }

    // The view keeps its page picture and draws a changed box again: whether the whole view or
    // only the box's rectangle is repainted, it shows what a fresh paint shows.
    void repaintAfterAChangeShowsTheChange() {
        CMemoryProfile profile;
        CDV1_Doc doc = FilledDocument();
        CDv1PageRenderer kept;
        kept.Prepare(&profile, 16);
        const QColor colour(0, 0, 255);
        const QSize size(900, 600);
        auto paint = [&](const CDv1PageRenderer& r, QImage& img, const QRect& area, int page, QPoint scroll) {
            QPainter p(&img);
            PaintDv1Screen(p, area, scroll, 96, r, doc, page, 16, colour);
        };
        const auto differing = testutil::DifferingPixels;
        const struct {
            const char* name;
            int page, field;
            std::u16string text;
            bool wholeView;
        } cases[] = {
            {"front, the box repainted", 1, 2, u"Käufer AG", false},
            {"front, a long text, the whole view", 1, 2,
             u"Käufer AG mit einem Namen, der über viele Zeilen geht, und noch mehr und noch mehr", true},
            {"back, the box repainted", 2, 3, u"1.234,56", false},
            {"back, emptied, the whole view", 2, 5, u"", true},
            {"supplementary front, the box repainted", 3, 7, u"99", false},
        };
        for (const auto& c : cases) {
            const QRect device = CDv1PageRenderer::LogicalToDevice(96).mapRect(
                CDv1PageRenderer::FieldTextRect(Dv1PageKindOf(c.page), c.field, 16));
            const QPoint scroll(std::max(0, device.left() - 200), std::max(0, device.top() - 200));
            QImage shown(size, QImage::Format_RGB32);
            shown.fill(Qt::red);
            paint(kept, shown, shown.rect(), c.page, scroll);
            const QImage before = shown.copy();
            doc.Store().SetFieldText(c.field, c.text, c.page);
            paint(kept, shown, c.wholeView ? shown.rect() : device.translated(-scroll).adjusted(-6, -6, 6, 6),
                  c.page, scroll);
            CDv1PageRenderer fresh;
            fresh.Prepare(&profile, 16);
            QImage want(size, QImage::Format_RGB32);
            want.fill(Qt::red);
            paint(fresh, want, want.rect(), c.page, scroll);
            QVERIFY2(differing(before, want) > 30, c.name);
            const int off = differing(shown, want);
            QVERIFY2(off <= 10,
                     qPrintable(QStringLiteral("%1: %2 pixels").arg(QLatin1String(c.name)).arg(off)));
        }
    }

    void boxesShowTheirCrossesOnTheScreen() {
        CMemoryProfile profile;
        CDV1_Doc doc;
        doc.OnNewDocument();
        doc.m_Checks[1] = 1;
        doc.m_Checks[6] = 1;
        CDv1PageRenderer renderer;
        for (int zoom : {10, 14}) {
            renderer.Prepare(&profile, zoom);
            Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, zoom);
            const QImage img = RenderDv1PageImage(renderer, doc, 1, o, profile, kDpi);
            for (int b = 0; b < kDv1BoxCount; ++b) {
                const QRect r = CDv1PageRenderer::BoxRect(b, zoom);
                const QRect centre(r.center() - QPoint(2, 2), QSize(5, 5));
                // The outline is always drawn, the diagonals only for a ticked box.
                QVERIFY(DarkCount(img, QRect(r.topLeft(), QSize(r.width(), 3))) > r.width() / 2);
                QCOMPARE(DarkCount(img, centre) > 0, doc.m_Checks[static_cast<size_t>(b)] != 0);
            }
        }
    }

    void markedFieldsAreFramedInRed() {
        CMemoryProfile profile;
        CDV1_Doc doc = FilledDocument();
        CDv1PageRenderer renderer;
        renderer.Prepare(&profile, 10);
        Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 10);
        o.markedFields = {2, 29, 52, 999};  // 52 has no place on a BIS front; 999 does not exist
        for (int page : {2, 3}) {
            const QImage img = RenderDv1PageImage(renderer, doc, page, o, profile, kDpi);
            const Dv1PageKind kind = Dv1PageKindOf(page);
            QVERIFY(RedIn(img, Down(Dv1FieldRect(kind, 2))));
            QVERIFY(RedIn(img, Down(Dv1FieldRect(kind, 29))));
            QVERIFY(!RedIn(img, Down(Dv1FieldRect(kind, 4))));
            QCOMPARE(RedIn(img, Down(Dv1FieldRect(Dv1PageKind::Back, 52))), page == 2);
        }
    }

    void aFieldWithoutPlaceShowsAndPrintsNothing() {
        CMemoryProfile profile;
        CDV1_Doc doc = FilledDocument();
        CDv1PageRenderer renderer;
        renderer.Prepare(&profile, 10);
        const Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 10);
        const QImage before = RenderDv1PageImage(renderer, doc, 3, o, profile, kDpi);
        const QImage printedBefore = Printed(doc, 3, profile);
        doc.Store().SetFieldText(52, u"Zusätzliche Angaben\r\nzweite Zeile", 3);
        QCOMPARE(RenderDv1PageImage(renderer, doc, 3, o, profile, kDpi), before);
        QCOMPARE(Printed(doc, 3, profile), printedBefore);
        // On a back the same field is shown and printed.
        const QImage back = RenderDv1PageImage(renderer, doc, 4, o, profile, kDpi);
        doc.Store().SetFieldText(52, u"", 4);
        QVERIFY(RenderDv1PageImage(renderer, doc, 4, o, profile, kDpi) != back);
    }

    // The crosses printed for the ticked boxes lie inside their boxes as the paper form has them,
    // moved with the fields by the front's margin pair.
    void printedCrossesFollowTheFields() {
        CDV1_Doc doc;
        doc.OnNewDocument();
        for (int b : {0, 3, 13}) doc.m_Checks[static_cast<size_t>(b)] = 1;
        doc.Store().SetFieldText(0, u"Verkäufer", 1);
        struct Case {
            int left, top;
        };
        for (const Case& c : {Case{0, 0}, Case{0, 50}, Case{-40, -30}, Case{25, 120}}) {
            CMemoryProfile profile;
            profile.WriteProfileInt("DV1Form_Defaults", "Left_Margin1_DV1", c.left);
            profile.WriteProfileInt("DV1Form_Defaults", "Top_Margin1_DV1", c.top);
            // Fields and boxes move by the same amount: x0 = left + 30, y0 = 10 - top.
            const QPoint shift(30 + c.left, c.top - 10);
            QCOMPARE(Dv1PrintFieldRect(profile, 1, 0).topLeft(), QPoint(130, 90) + shift);
            QCOMPARE(Dv1PrintBoxRect(profile, 3).topLeft(), QPoint(1620, 1270) + shift);
            const QImage img = Printed(doc, 1, profile);
            for (int b = 0; b < kDv1BoxCount; ++b) {
                const QRect box = Down(Dv1BoxRectDown(b)).translated(shift);
                const int inside = DarkCount(img, box.adjusted(2, 2, -2, -2));
                const bool ticked = doc.m_Checks[static_cast<size_t>(b)] != 0;
                QVERIFY2(ticked ? inside > 60 : inside == 0,
                         qPrintable(QStringLiteral("box %1 margins %2/%3").arg(b).arg(c.left).arg(c.top)));
                // Nothing of the cross leaves the box.
                if (ticked)
                    QCOMPARE(DarkCount(img, box.adjusted(-8, -8, 8, 8)),
                             DarkCount(img, box.adjusted(-2, -2, 2, 2)));
            }
        }
    }

    void eachPagePrintsWithItsMarginPair() {
        CMemoryProfile profile;
        for (int k = 1; k <= 4; ++k) {
            profile.WriteProfileInt("DV1Form_Defaults", ("Left_Margin" + std::to_string(k) + "_DV1").c_str(),
                                    10 * k);
            profile.WriteProfileInt("DV1Form_Defaults", ("Top_Margin" + std::to_string(k) + "_DV1").c_str(),
                                    20 * k);
        }
        struct Case {
            int page, pair;
        };
        for (const Case& c : {Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{4, 4}, Case{5, 3}, Case{6, 4}}) {
            const Dv1PageKind kind = Dv1PageKindOf(c.page);
            const Dv1Rect r = Dv1PrintRect(kind, 0);
            QCOMPARE(Dv1PrintFieldRect(profile, c.page, 0).topLeft(),
                     QPoint(r.left + 30 + 10 * c.pair, r.top - 10 + 20 * c.pair));
        }
        // The size correction scales every printed coordinate, the origin included.
        profile.WriteProfileInt("Settings", "PrnFactorH", 1010);
        profile.WriteProfileInt("Settings", "PrnFactorV", 990);
        const QRect r = Dv1PrintFieldRect(profile, 1, 0);  // (170, -100, 1130, -310) before
        QCOMPARE(r.left(), 171);
        QCOMPARE(r.top(), 99);
        QCOMPARE(r.left() + r.width(), 1130 * 1010 / 1000);
    }

    void registrationMarksAndTextsArePrinted() {
        CMemoryProfile profile;
        const CDV1_Doc doc = FilledDocument();
        struct Case {
            int page, markX, markY;
        };
        for (const Case& c : {Case{1, 130, 60}, Case{2, 40, 70}, Case{3, 40, 70}}) {
            const QImage img = Printed(doc, c.page, profile);
            // The corner of the upper mark and the lower mark's line.
            QVERIFY(DarkCount(img, QRect(c.markX - 1, c.markY - 1, 3, 3)) > 0);
            QVERIFY(DarkCount(img, QRect(c.markX - 1, 2020, 3, 10)) > 0);
            QCOMPARE(DarkCount(img, QRect(c.markX - 1, 2060, 3, 10)), 0);
            const Dv1PageKind kind = Dv1PageKindOf(c.page);
            for (const Dv1FieldGeometry& f : Dv1Fields(kind)) {
                if (f.printRect.IsEmpty() || f.printRect.top == f.printRect.bottom) continue;
                // Printed 3 mm right of and 1 mm above the form's position (x0 = 30, y0 = 10).
                QVERIFY2(DarkCount(img, Down(f.printRect).translated(30, -10)) > 0,
                         qPrintable(QStringLiteral("page %1 field %2").arg(c.page).arg(f.index)));
            }
            QCOMPARE(Dv1PrintOverflow(doc, c.page, profile), std::vector<int>{});
        }
    }
};

QTEST_MAIN(TestDv1Render)
#include "tst_dv1render.moc"
