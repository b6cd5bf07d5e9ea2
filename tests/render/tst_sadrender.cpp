// The page renderer's text drawing: texts longer than their box are drawn whole, and the
// overflow test that marks them on the screen and asks before printing.

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "core/app/Profile.h"
#include "core/formview/FieldDefinitions.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"
#include "render/sad/SadPageSetup.h"
#include "render/sad/SadPrinter.h"

using namespace tarvex;

namespace {

bool DarkIn(const QImage& img, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
}

const std::u16string kThreeLines = u"Erste Zeile\r\nZweite Zeile\r\nDritte Zeile";

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
        QTest::newRow("words wrap onto a second line") << "Zoll Zoll Zoll Zoll Zoll Zoll" << 230 << 0x003 << true;
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
        QCOMPARE(FieldTextOverflows(QRect(0, 0, width, 45), text.toStdU16String(), uint16_t(flags), fonts), overflows);
    }

    void overflowingFieldsOnScreenAndPaper() {
        CMemoryProfile profile;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        CFieldStore& s = doc.Store();
        ApplyFirstPaintAlignments(s);
        s.SetFieldText(10, u"kurz", 1);                                         // box 2
        s.SetFieldText(18, kThreeLines + u"\r\nVierte\r\nF\u00fcnfte\r\nSechste", 1);  // box 8
        s.SetFieldText(118, u"12345678901234567890", 1);                        // box 47 amount, row 1
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

        // On paper with the printer fonts: the same boxes, and the question names them by number.
        const std::vector<int> printed = SadPrintOverflow(doc, 1, profile, defs);
        QCOMPARE(printed, (std::vector<int>{0, 18, 118}));
        QVERIFY(QString::fromStdU16String(SadOverflowQuestion(SadSheet::First, printed)).contains(QStringLiteral("\n1, 8, 47\n")));
        QCOMPARE(SadPrintOverflow(doc, 2, profile, defs), (std::vector<int>{8}));
        s.SetFieldText(118, u"19,00", 1);
        s.SetFieldText(18, u"Muster GmbH", 1);
        s.SetFieldText(0, u"IM", 1);
        QVERIFY(SadPrintOverflow(doc, 1, profile, defs).empty());
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
