// The page renderer's text drawing: texts longer than their box are drawn whole, and the
// overflow test that marks them on the screen and asks before printing; the screen picture with
// its kept form image is the same as the one drawn from scratch.

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <map>

#include "core/codelists/DutyTypes.h"
#include "core/formview/FormZoom.h"
#include "core/sad/Box47.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/sad/SadPageRenderer.h"
#include "render/sad/SadPageSetup.h"
#include "render/sad/SadPrinter.h"
#include "tests/common/ImageCompare.h"

using namespace tarvex;

namespace {

bool DarkIn(const QImage& img, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
}

const std::u16string kThreeLines = u"Erste Zeile\r\nZweite Zeile\r\nDritte Zeile";

// The widest texts the box 47 dialogs let into a column: every code of the duty-type list,
// the typed columns filled to their limit with digits (the widest characters of a number), the
// largest amounts in either sign as the dialog formats them, seven of them added up for the
// total, and the methods of payment the dialog names.
std::vector<std::u16string> LongestTexts(Feld47Column column) {
    std::vector<std::u16string> texts;
    switch (column) {
        case Feld47Column::Type:
            for (const DutyType& t : DutyTypes()) texts.emplace_back(t.code);
            break;
        case Feld47Column::Base:
        case Feld47Column::Rate:
            texts.emplace_back(static_cast<size_t>(Feld47MaxLength(column)), u'9');
            break;
        case Feld47Column::Amount:
            texts = {FormatAmount(kFeld47MaxAmount), FormatAmount(-kFeld47MaxAmount)};
            break;
        case Feld47Column::Method:
            texts = {u"A", u"B", u"C", u"D", u"E", u"F"};
            break;
        case Feld47Column::Total:
            texts = {FormatAmount(7 * kFeld47MaxAmount), FormatAmount(-7 * kFeld47MaxAmount)};
            break;
    }
    return texts;
}

struct DutyTable {
    int page, base, columns;
};
// Both sheets: the first sheet's table, the three goods items and the summary of a continuation sheet.
const DutyTable kDutyTables[] = {{1, kFieldBox47Table, kFeld47Columns},
                                 {2, ContFieldDutyTable(0), kFeld47Columns},
                                 {2, ContFieldDutyTable(1), kFeld47Columns},
                                 {2, ContFieldDutyTable(2), kFeld47Columns},
                                 {2, kContFieldSummaryTable, kFeld47SummeColumns}};

// Fills every cell of the column in all tables with text n of its longest texts and
// gives them `size` (-1: as a new document has them). False when there is none.
bool FillColumn(CFieldStore& s, Feld47Column column, size_t n, int size) {
    const std::vector<std::u16string> texts = LongestTexts(column);
    if (n >= texts.size()) return false;
    for (const DutyTable& t : kDutyTables) {
        for (int i = 0; i <= kFeld47Rows * t.columns; ++i) {
            if (Feld47ColumnOf(i, t.columns) != column) continue;
            s.SetFieldText(t.base + i, texts[n], t.page);
            if (size >= 0) s.SetFontSize(t.base + i, t.page, size);
        }
    }
    return true;
}

// Box 47 fields of a page that do not fit: on paper with the printer fonts at the default
// factor, and on the screen at every zoom.
std::vector<int> Box47Overflows(const CEinheitspapierDoc& doc, int page, CMemoryProfile& profile,
                                const CFieldDefinitions& defs) {
    auto isBox47 = [page](int f) {
        return page <= 1 ? f >= kFieldBox47Table && f <= kFieldBox47Total
                         : f >= ContFieldDutyTable(0) && f <= kContFieldSummaryTotal;
    };
    std::vector<int> fields;
    for (int f : SadPrintOverflow(doc, page, profile, defs))
        if (isBox47(f)) fields.push_back(f);
    for (int zoom = kZoomMin; zoom <= kZoomMax; ++zoom) {
        CSadPageRenderer renderer;
        renderer.Prepare(&profile, zoom);
        const SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, zoom);
        for (int f : renderer.OverflowingFields(doc.Store(), page, o))
            if (isBox47(f)) fields.push_back(-zoom * 1000 - f);  // screen: zoom and field in one number
    }
    return fields;
}

}  // namespace

class TestSadRender : public QObject {
    Q_OBJECT

private slots:
    void overlongTextIsDrawnWhole() {
        // One logical unit per pixel; size 3 at zoom 10 is a 38 units high line.
        const FieldFontSet fonts = MakeDrawingFonts(nullptr, 10);
        QImage img(400, 300, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            p.setPen(Qt::black);
            QVERIFY(DrawFieldText(p, QRect(10, 10, 300, 45), kThreeLines, 3, fonts, false));
        }
        // The second and third lines lie below the box and are there all the same.
        QVERIFY(DarkIn(img, QRect(20, 60, 280, 40)));
        QVERIFY(DarkIn(img, QRect(20, 100, 280, 40)));
    }

    void overflowTest_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("overflows");
        // A box 47 amount cell (230 x 45 units at zoom 10) and a narrow type cell.
        QTest::newRow("empty") << "" << 230 << 0x203 << false;
        QTest::newRow("amount") << "1234,56" << 230 << 0x203 << false;
        QTest::newRow("two lines") << "12,00\r\n13,00" << 230 << 0x203 << true;
        QTest::newRow("word too wide") << "123456789012345678901234" << 230 << 0x203 << true;
        QTest::newRow("word too wide, left") << "123456789012345678901234" << 230 << 0x003 << true;
        QTest::newRow("words wrap onto a second line")
            << "Zoll Zoll Zoll Zoll Zoll Zoll" << 230 << 0x003 << true;
        QTest::newRow("small font fits") << "12,00" << 230 << 0x200 << false;
        QTest::newRow("code in the type cell, size 3") << "10100" << 80 << 0x003 << true;
        QTest::newRow("code in the type cell, size 0") << "10100" << 80 << 0x000 << false;
    }

    void overflowTest() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, flags);
        QFETCH(bool, overflows);
        const FieldFontSet fonts = MakeDrawingFonts(nullptr, 10);
        QCOMPARE(FieldTextOverflows(QRect(0, 0, width, 45), text.toStdU16String(), uint16_t(flags), fonts),
                 overflows);
    }

    // Every box 47 column of both sheets holds the widest text the dialogs let in, at the size a
    // new document gives it, on paper ("PrinterFontFactor" 95) and on the screen; one size more
    // and it would not, so each column has the largest size that fits.
    void box47ColumnsFitTheirLongestTexts_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Art") << int(Feld47Column::Type);
        QTest::newRow("Bemessungsgrundlage") << int(Feld47Column::Base);
        QTest::newRow("Satz") << int(Feld47Column::Rate);
        QTest::newRow("Betrag") << int(Feld47Column::Amount);
        QTest::newRow("ZA") << int(Feld47Column::Method);
        QTest::newRow("Summe") << int(Feld47Column::Total);
    }

    void box47ColumnsFitTheirLongestTexts() {
        QFETCH(int, column);
        const auto kind = static_cast<Feld47Column>(column);
        CMemoryProfile profile;
        QCOMPARE(settings::Get(profile, settings::kEHForm, settings::kPrinterFontFactor), 95);
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        const int size = Feld47FontSize(kind);
        bool biggerOverflows = size == 4;
        for (size_t n = 0;; ++n) {
            CEinheitspapierDoc doc(&profile);
            doc.m_nFormVariant = 0;
            doc.SetContinuationCount(1);
            ApplyFirstPaintAlignments(doc.Store());
            if (!FillColumn(doc.Store(), kind, n, -1)) break;
            for (int page : {1, 2}) {
                QCOMPARE(Box47Overflows(doc, page, profile, defs), std::vector<int>{});
                for (const DutyTable& t : kDutyTables)
                    if (t.page == page)
                        for (int i = 0; i <= kFeld47Rows * t.columns; ++i)
                            if (Feld47ColumnOf(i, t.columns) == kind)
                                QCOMPARE(int(doc.Store().GetFontSize(t.base + i, page)), size);
            }
            if (size < 4) {
                FillColumn(doc.Store(), kind, n, size + 1);
                biggerOverflows = biggerOverflows || !Box47Overflows(doc, 1, profile, defs).empty();
            }
        }
        QVERIFY2(biggerOverflows, "one size larger would fit as well");
    }

    void overflowingFieldsOnScreenAndPaper() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        CFieldStore& s = doc.Store();
        ApplyFirstPaintAlignments(s);
        s.SetFieldText(10, u"kurz", 1);                                                // box 2
        s.SetFieldText(18, kThreeLines + u"\r\nVierte\r\nF\u00fcnfte\r\nSechste", 1);  // box 8
        s.SetFieldText(118, u"12345678901234567890", 1);                               // box 47 amount, row 1
        s.SetFieldText(8, kThreeLines + u"\r\nVierte\r\nF\u00fcnfte\r\nSechste", 2);
        s.SetFieldText(0, kThreeLines + kThreeLines, 1);  // box 1 A, repeated on page 2

        CSadPageRenderer renderer;
        renderer.Prepare(&profile, 10);
        const SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, 10);
        // On screen, as the view's tool tip asks: which overflowing box is under the mouse.
        auto under = [&](SadSheet sheet, int field, int page) {
            const SadRect r = SadZoomedRect(sheet, field, 10);
            return renderer.OverflowingFieldAt(s, page, o, QPoint(r.left + 20, r.top + 5));
        };
        for (int field : {0, 18, 118}) QCOMPARE(under(SadSheet::First, field, 1), field);
        QCOMPARE(under(SadSheet::Continuation, 8, 2), 8);
        QCOMPARE(under(SadSheet::First, 10, 1), -1);  // box 2 fits

        // On paper with the printer fonts: the same boxes, and the question names them as printed.
        const std::vector<int> printed = SadPrintOverflow(doc, 1, profile, defs);
        QCOMPARE(printed, (std::vector<int>{0, 18, 118}));
        QVERIFY(QString::fromStdU16String(SadOverflowQuestion(SadSheet::First, printed))
                    .contains(QStringLiteral("\nFeld 1 A; Feld 8; Feld 47, Zeile 1, Betrag\n")));
        QCOMPARE(SadPrintOverflow(doc, 2, profile, defs), (std::vector<int>{8}));
        s.SetFieldText(118, u"19,00", 1);
        s.SetFieldText(18, u"Muster GmbH", 1);
        s.SetFieldText(0, u"IM", 1);
        QVERIFY(SadPrintOverflow(doc, 1, profile, defs).empty());
    }

    void screenPictureEqualsDrawnPicture() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        CFieldStore& s = doc.Store();
        for (int i = 0; i < s.GetFieldCount1(); ++i)
            s.SetFieldText(i, u"F" + QString::number(i).toStdU16String() + u" \u00c4g", 1);
        for (int i = 0; i < s.GetFieldCount2(); ++i)
            s.SetFieldText(i, u"C" + QString::number(i).toStdU16String(), 2);
        s.SetFieldText(18, kThreeLines + u"\r\nVierte\r\nF\u00fcnfte\r\nSechste",
                       1);  // overflows: red corner
        ApplySadAlignments(s, 1);
        ApplySadAlignments(s, 2);
        doc.m_nInputTax = 1;

        struct Case {
            int zoom, page, variant;
            bool stampA, stampC, showCrossedOut;
            double dpi;
            QPoint scroll;
        };
        // Consecutive cases of a zoom differ in one thing each, so that a picture kept too long
        // shows.
        const Case cases[] = {
            {16, 1, 0, false, false, true, 96, {0, 0}},      {16, 1, 0, true, false, true, 96, {0, 0}},
            {16, 1, 0, true, true, true, 96, {0, 0}},        {16, 1, 2, true, true, true, 96, {0, 0}},
            {16, 1, 2, true, true, false, 96, {37, 411}},    {16, 2, 2, true, true, false, 96, {37, 411}},
            {16, 2, 0, false, false, true, 96, {500, 1500}}, {16, 1, 4, false, false, true, 96, {0, 0}},
            {16, 1, 4, false, false, true, 120, {3, 5}},     {10, 1, 1, false, true, true, 96, {0, 0}},
            {10, 2, 3, true, false, true, 96, {0, 0}},       {25, 1, 3, true, true, true, 96, {1200, 2600}},
        };
        std::map<int, CSadPageRenderer> renderers;
        for (const Case& c : cases) {
            const QString name =
                QStringLiteral("zoom %1 page %2 variant %3 stamps %4%5 crosses %6 dpi %7 scroll %8,%9")
                    .arg(c.zoom)
                    .arg(c.page)
                    .arg(c.variant)
                    .arg(c.stampA)
                    .arg(c.stampC)
                    .arg(c.showCrossedOut)
                    .arg(c.dpi)
                    .arg(c.scroll.x())
                    .arg(c.scroll.y());
            CSadPageRenderer& cached = renderers[c.zoom];
            if (cached.Zoom() != c.zoom) cached.Prepare(&profile, c.zoom);
            CSadPageRenderer fresh;
            fresh.Prepare(&profile, c.zoom);
            doc.m_nFormVariant = c.variant;
            SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, c.zoom);
            o.stampA = c.stampA;
            o.stampC = c.stampC;
            o.showCrossedOut = c.showCrossedOut;
            // A viewport that reaches past the form into the grey surround and beyond it. The
            // reference is the page drawn from scratch, cut at the scroll position (drawn
            // scrolled, Qt places a glyph cut by the left edge a fraction differently).
            const QRect area(c.scroll, QSize(1300, 1000));
            QImage page(area.right() + 1, area.bottom() + 1, QImage::Format_RGB32);
            page.fill(Qt::white);
            {
                QPainter p(&page);
                p.setWorldTransform(CSadPageRenderer::LogicalToDevice(c.dpi));
                fresh.Render(p, s, c.page, o);
            }
            const QImage drawn = page.copy(area);
            auto screen = [&] {
                QImage img(area.size(), QImage::Format_RGB32);
                QPainter p(&img);
                PaintSadScreen(p, img.rect(), c.scroll, c.dpi, cached, s, c.page, o);
                return img;
            };
            QVERIFY2(screen() == drawn, qPrintable(name));
            QVERIFY2(screen() == drawn, qPrintable(name + QStringLiteral(", kept picture")));
            // A text changed between two paints: box 8 fits now and loses its red corner.
            if (c.page == 1 && c.variant == 0 && c.dpi == 96 && c.scroll.isNull()) {
                const std::u16string box8 = s.GetFieldText(18, 1);
                s.SetFieldText(18, u"Muster GmbH", 1);
                QImage changed(area.size(), QImage::Format_RGB32);
                changed.fill(Qt::white);
                {
                    CSadPageRenderer again;
                    again.Prepare(&profile, c.zoom);
                    QPainter p(&changed);
                    p.setWorldTransform(CSadPageRenderer::LogicalToDevice(c.dpi));
                    again.Render(p, s, c.page, o);
                }
                QVERIFY2(changed != drawn && screen() == changed,
                         qPrintable(name + QStringLiteral(", box 8 changed")));
                s.SetFieldText(18, box8, 1);
            }
        }
    }

    // The view keeps its page picture and draws a changed box again: whether the whole view or
    // only the box's rectangle is repainted, it shows what a fresh paint shows.
    void repaintAfterAChangeShowsTheChange() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.SetContinuationCount(2);
        CFieldStore& s = doc.Store();
        for (int i = 0; i < s.GetFieldCount1(); ++i) s.SetFieldText(i, u"Text", 1);
        for (int page = 2; page <= 3; ++page)
            for (int i = 0; i < s.GetFieldCount2(); ++i) s.SetFieldText(i, u"Ware", page);
        const SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, 16);
        CSadPageRenderer kept;
        kept.Prepare(&profile, 16);
        const QSize size(900, 600);
        auto paint = [&](const CSadPageRenderer& r, QImage& img, const QRect& area, int page, QPoint scroll) {
            QPainter p(&img);
            PaintSadScreen(p, area, scroll, 96, r, s, page, o);
        };
        const auto differing = testutil::DifferingPixels;
        const struct {
            const char* name;
            int page, field;
            std::u16string text;
            bool wholeView;
        } cases[] = {
            {"first sheet, the box repainted", 1, 18, u"Muster GmbH", false},
            {"first sheet, a long text, the whole view", 1, 18, kThreeLines + u"\r\nVierte\r\nFünfte", true},
            {"continuation sheet, the box repainted", 2, 11, u"Maschinenteile", false},
            {"continuation sheet, emptied, the whole view", 3, 11, u"", true},
        };
        for (const auto& c : cases) {
            const SadRect r =
                SadZoomedRect(c.page == 1 ? SadSheet::First : SadSheet::Continuation, c.field, 16);
            const QRect device = CSadPageRenderer::LogicalToDevice(96).mapRect(
                QRect(QPoint(r.left, r.top), QPoint(r.right + 2, r.bottom)));
            const QPoint scroll(std::max(0, device.left() - 200), std::max(0, device.top() - 200));
            QImage shown(size, QImage::Format_RGB32);
            shown.fill(Qt::red);
            paint(kept, shown, shown.rect(), c.page, scroll);
            const QImage before = shown.copy();
            s.SetFieldText(c.field, c.text, c.page);
            paint(kept, shown, c.wholeView ? shown.rect() : device.translated(-scroll).adjusted(-6, -6, 6, 6),
                  c.page, scroll);
            CSadPageRenderer fresh;
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

    void overlongBoxGetsARedCorner() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        doc.Store().SetFieldText(18, kThreeLines + u"\r\nVierte\r\nF\u00fcnfte\r\nSechste", 1);
        doc.Store().SetFieldText(10, u"kurz", 1);
        CSadPageRenderer renderer;
        renderer.Prepare(&profile, 10);
        SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, 10);
        // 254 dpi: one pixel per logical unit.
        const QImage img = RenderSadPageImage(renderer, doc, 1, o, profile, 254);
        auto red = [&](int field) {
            const SadRect r = SadZoomedRect(SadSheet::First, field, 10);
            const QColor c = img.pixelColor(r.right + 2 - 3, r.top + 3);
            return c.red() > 180 && c.green() < 80 && c.blue() < 80;
        };
        QVERIFY(red(18));
        QVERIFY(!red(10));
        o.markOverflow = false;
        const QImage plain = RenderSadPageImage(renderer, doc, 1, o, profile, 254);
        const SadRect r = SadZoomedRect(SadSheet::First, 18, 10);
        QVERIFY(plain.pixelColor(r.right - 1, r.top + 3).green() > 80);
        if (const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR"); !dir.isEmpty())
            img.save(QString::fromLocal8Bit(dir) + QStringLiteral("/sadrender-overflow.png"));
    }
};

QTEST_MAIN(TestSadRender)
#include "tst_sadrender.moc"
