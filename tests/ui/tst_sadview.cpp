// The SAD view: renderer pictures, layout of the edit window, zoom, hit tests, status panes and
// the initial-update steps. With TARVEX_SCREENSHOT_DIR set, the pictures are also written there.

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "core/app/ShellCommands.h"
#include "core/dv1/Dv1PrintForm.h"
#include "core/formview/FormZoom.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadNavigation.h"
#include "core/sad/SadPrintForm.h"
#include "core/settings/Profile.h"
#include "render/sad/SadPageRenderer.h"
#include "tests/common/AppFixture.h"
#include "ui/formview/CDlgPrinterFontSize.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/dialogs/CDlgEditFeldDefinitionen.h"
#include "ui/sad/dialogs/CDlgGeheZuFeld.h"
#include "ui/shell/HelpPages.h"

using namespace tarvex;

namespace {

// Draws a page at 254 dpi, where one logical unit is one pixel.
QImage RenderPage(const CEinheitspapierDoc& doc, int page, const SadRenderOptions& o, double dpi = 254.0) {
    CSadPageRenderer r;
    CMemoryProfile profile;
    r.Prepare(&profile, o.zoom);
    const QSize logical = CSadPageRenderer::DocumentSize(o.zoom);
    QImage img(QSize(HimetricToPixels(logical.width() * 10, int(dpi)),
                     HimetricToPixels(logical.height() * 10, int(dpi))),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setWorldTransform(CSadPageRenderer::LogicalToDevice(dpi));
    r.Render(p, doc.Store(), page, o);
    return img;
}

void Save(const QImage& img, const QString& name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        img.save(dir + "/" + name);
    }
}

bool IsRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool IsGreenish(QRgb c) {
    return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40;
}
bool IsDark(QRgb c) {
    return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90;
}
int DarkPixels(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += IsDark(img.pixel(x, y));
    return n;
}

struct Env {
    int beeps = 0;
    QStringList messages;
    int variant = 0;
    int help = 100;
    QList<int> helpShown;
    SadViewEnvironment e;
    Env() {
        e.helpContext = [this] { return help; };
        e.setHelpContext = [this](int c) { help = c; };
        e.showHelp = [this](int c) { helpShown << c; };
        e.beep = [this] { ++beeps; };
        e.message = [this](const QString& m) { messages << m; };
        e.currentVariant = [this] { return variant; };
        e.setCurrentVariant = [this](int v) { variant = v; };
        e.screen = {1080, false, 96};
    }
};

}  // namespace

class TestSadView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_defs.ResetToBuiltIn(); }

    void rendererDrawsStripRulingsCrossesAndInputTax() {
        CEinheitspapierDoc doc;
        SadRenderOptions o;
        o.zoom = 10;
        o.variant = 0;
        o.definitions = &m_defs;
        const QImage plain = RenderPage(doc, 1, o);
        // Dashed red strip: 3 mm high every 6 mm at x 201-205 mm, the lowest from 295 to 298 mm.
        QVERIFY(IsRed(plain.pixel(2030, 2960)));
        QVERIFY(!IsRed(plain.pixel(2030, 2940)));
        QVERIFY(IsRed(plain.pixel(2030, 2900)));
        QVERIFY(IsRed(plain.pixel(2030, 20)));
        // Grey below the form.
        QCOMPARE(QColor(plain.pixel(1000, 3000)), QColor(0x80, 0x80, 0x80));
        QCOMPARE(QColor(plain.pixel(1000, 2970)), QColor(Qt::white));
        // Vertical ruling x = 150 (thin green) and the heavy frame x = 80 of box 2.
        QVERIFY(IsGreenish(plain.pixel(150, 600)));
        QVERIFY(IsGreenish(plain.pixel(81, 600)));
        QVERIFY(!IsGreenish(plain.pixel(300, 600)));
        // Box 4 (field 13) is crossed out on variant 0; box 5 (field 14) is not.
        QVERIFY(DarkPixels(plain, QRect(1232, 210, 130, 50)) > 50);
        QCOMPARE(DarkPixels(plain, QRect(1082, 298, 130, 50)), 0);
        // Input-tax square drawn, cross only with the flag.
        QVERIFY(IsDark(plain.pixel(170, 1525)));
        QCOMPARE(DarkPixels(plain, QRect(185, 1520, 10, 10)), 0);
        doc.m_nInputTax = 1;
        o.inputTax = true;
        const QImage crossed = RenderPage(doc, 1, o);
        QVERIFY(DarkPixels(crossed, QRect(185, 1520, 10, 10)) > 10);
        // Without "EH_ShowXX" no box is crossed out; variant 2 has no input-tax square.
        o.showCrossedOut = false;
        o.variant = 2;
        const QImage v2 = RenderPage(doc, 1, o);
        QCOMPARE(DarkPixels(v2, QRect(1232, 210, 130, 50)), 0);
        QVERIFY(!IsDark(v2.pixel(170, 1525)));
        // Another variant code draws a solid strip.
        o.variant = 7;
        QVERIFY(IsRed(RenderPage(doc, 1, o).pixel(2030, 2940)));
    }

    void rendererTextsFollowDefinitions() {
        CEinheitspapierDoc doc;
        doc.Store().SetFieldText(16, u"REF-4711", 1);  // box 7
        doc.Store().SetFieldText(13, u"HIDDEN", 1);    // box 4, hidden on every variant
        SadRenderOptions o;
        o.zoom = 10;
        o.definitions = &m_defs;
        o.showCrossedOut = false;
        const QImage img = RenderPage(doc, 1, o);
        // Left-aligned text starts 12 units right of the box edge (2 + 10).
        const QRect box7(1440, 294, 550, 60);
        int blue = 0, firstX = 99999;
        for (int y = box7.top(); y <= box7.bottom(); ++y)
            for (int x = box7.left(); x <= box7.right(); ++x)
                if (qBlue(img.pixel(x, y)) > 150 && qRed(img.pixel(x, y)) < 100) {
                    ++blue;
                    firstX = std::min(firstX, x);
                }
        QVERIFY(blue > 100);
        QVERIFY(firstX >= 1452 && firstX < 1462);
        QCOMPARE(DarkPixels(img, QRect(1232, 207, 136, 56)), 0);
    }

    // The page picture is as wide as the form at the zoom (`tarvex render` writes these pictures).
    void pageWidthFollowsZoom() {
        CEinheitspapierDoc doc;
        doc.m_nFormVariant = 0;
        SadRenderOptions o;
        o.definitions = &m_defs;
        for (int zoom : {10, 16, 25}) {
            o.zoom = zoom;
            const QImage first = RenderPage(doc, 1, o, 96.0);
            QCOMPARE(first.width(), HimetricToPixels(205 * zoom * 10, 96));
        }
    }

    void editWindowLaidOutOverTheField() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 16);
        CEinheitspapierDoc doc(&profile);
        doc.Store().SetFieldText(0, u"IM", 1);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.Zoom(), 16);
        // Creating the window must not blank the field it first covers.
        QCOMPARE(doc.Store().GetFieldText(0, 1), std::u16string(u"IM"));
        QCOMPARE(view.EditWindow()->toPlainText(), QString("IM"));
        QVERIFY(!doc.IsModified());
        // A store read anew while the view exists keeps the new text of the active field.
        doc.Store().SetFieldText(0, u"EX", 1);
        view.ReloadFromStore();
        view.GoToField(14, 1);
        QCOMPARE(doc.Store().GetFieldText(0, 1), std::u16string(u"EX"));
        view.GoToField(0, 1);
        QCOMPARE(view.GetFieldRect(0, 1), (SadRect{1718, 184, 1864, 280}));
        FieldRect px;
        doc.Store().GetFieldRect1(0, px);
        QCOMPARE(px, FormRectToPixels(1074, 115, 1165, 175, 16, 96));
        QCOMPARE(view.EditWindow()->geometry(),
                 QRect(QPoint(px.left, px.top), QPoint(px.right - 1, px.bottom - 1)));
        // The view scrolled: the window moves with the form.
        view.horizontalScrollBar()->setValue(100);
        QCOMPARE(view.EditWindow()->geometry().left(), px.left - 100);
    }

    void zoomCommandsAndLimits() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 25);
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        CommandState st;
        QVERIFY(view.UpdateCommandUI(cmd::kZoomIn, st));
        QVERIFY(!st.enabled);
        view.OnCommand(cmd::kZoomOut);
        QCOMPARE(view.Zoom(), 24);
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "ZoomFactor", 0), 24);
        QVERIFY(view.IsLayoutValid());
        QCOMPARE(view.GetFieldRect(0, 1),
                 (SadRect{1074 * 24 / 10, 115 * 24 / 10, 1165 * 24 / 10, 175 * 24 / 10}));
        FieldRect px;
        doc.Store().GetFieldRect1(0, px);
        QCOMPARE(px, FormRectToPixels(1074, 115, 1165, 175, 24, 96));
        // Zoom 10: "kleiner" disabled.
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 10);
        CEinheitspapierDoc doc10(&profile);
        CEinheitspapierView v10(&doc10, env.e, m_defs);
        QVERIFY(v10.UpdateCommandUI(cmd::kZoomOut, st));
        QVERIFY(!st.enabled);
        v10.OnZoomOut();
        QCOMPARE(v10.Zoom(), 10);
    }

    // Without a stored zoom the view sizes itself for the screen its environment names: the
    // height picks the level, Windows 8 takes three steps off, the screen scale multiplies it.
    void firstZoomFromTheEnvironmentsScreen() {
        struct Case {
            ScreenInfo screen;
            int zoom;
        } cases[] = {
            {{1080, false, 96}, 14}, {{600, false, 96}, 18}, {{480, true, 96}, 19}, {{1080, false, 144}, 21}};
        for (const Case& c : cases) {
            Env env;
            env.e.screen = c.screen;
            CMemoryProfile profile;
            CEinheitspapierDoc doc(&profile);
            CEinheitspapierView view(&doc, env.e, m_defs);
            QCOMPARE(view.Zoom(), c.zoom);
            QCOMPARE(view.Dpi(), double(c.screen.dpi));
        }
    }

    void pageKeysScroll700LogicalUnits() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 16);
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.LogicalScrollPosition(), QPoint(0, 0));
        QTest::keyClick(&view, Qt::Key_PageDown);
        QVERIFY(std::abs(view.LogicalScrollPosition().y() + 700) <= 1);
        // From the edit window: same step.
        QTest::keyClick(view.EditWindow(), Qt::Key_PageDown);
        QVERIFY(std::abs(view.LogicalScrollPosition().y() + 1400) <= 2);
        QTest::keyClick(view.EditWindow(), Qt::Key_PageUp);
        QTest::keyClick(view.EditWindow(), Qt::Key_PageUp);
        QCOMPARE(view.LogicalScrollPosition().y(), 0);
    }

    void hitTestsCursorAndBeep() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 16);
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(1300, 900);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto centre = [&](int field) {
            FieldRect r;
            doc.Store().GetFieldRect1(field, r);
            return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        };
        // Box 4 (field 13): not editable, the click beeps and nothing moves.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre(13));
        QCOMPARE(env.beeps, 1);
        QCOMPARE(int(doc.Store().GetCurrentField()), 0);
        // Box 5 (field 14): activated.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre(14));
        QCOMPARE(env.beeps, 1);
        QCOMPARE(int(doc.Store().GetCurrentField()), 14);
        QTest::mouseMove(view.viewport(), centre(16));
        QCOMPARE(view.CursorKind(), 2);
        QTest::mouseMove(view.viewport(), centre(13));
        QCOMPARE(view.CursorKind(), 0);
    }

    void statusPanesAndInsertKey() {
        Env env;
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        QSignalSpy spy(&view, &CEinheitspapierView::statusTextChanged);
        QCOMPARE(view.StatusPageText(), QString("Einheitspapier - Seite 1 von 2"));
        QCOMPARE(view.StatusInsertText(), QString("Einfügen"));
        QTest::keyClick(view.EditWindow(), Qt::Key_Insert);
        QVERIFY(!doc.Store().GetInsertMode());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(1).toString(), QString("Überschreiben"));
        CommandState st;
        view.UpdateCommandUI(cmd::kInsertMode, st);
        QCOMPARE(st.text, QString("Einfügemodus ein&schalten\tEinfg"));
        view.ShowPage(2);
        QCOMPARE(view.StatusPageText(), QString("Einheitspapier - Seite 2 von 2"));
    }

    // Alt+J and Alt+N answer the D.V.1's questions; in an SAD box they type nothing.
    void altKeysOfTheDv1TypeNothingInABox() {
        Env env;
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        QTest::keyClicks(view.EditWindow(), QStringLiteral("Ab"));
        QTest::keyClick(view.EditWindow(), Qt::Key_J, Qt::AltModifier);
        QTest::keyClick(view.EditWindow(), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(view.EditWindow()->toPlainText(), QStringLiteral("Ab"));
    }

    void overwriteModeEditing() {
        Env env;
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        CKtwEditWindow* e = view.EditWindow();
        doc.Store().SetInsertMode(false);
        struct Case {
            QString text;
            int anchor, pos;
            int key;
            QString typed, result;
            int caret;
        } cases[] = {
            {"abc", 0, 0, 0, "X", "Xbc", 1},
            {"abc", 0, 2, 0, "X", "Xc", 1},
            {"abcd", 2, 2, Qt::Key_Backspace, "", "ad", 1},
            {"ab", 2, 2, 0, "X", "abX", 3},
        };
        for (const auto& c : cases) {
            e->setPlainText(c.text);
            QTextCursor cur = e->textCursor();
            cur.setPosition(c.anchor);
            cur.setPosition(c.pos, QTextCursor::KeepAnchor);
            e->setTextCursor(cur);
            if (c.key)
                QTest::keyClick(e, Qt::Key(c.key));
            else
                QTest::keyClicks(e, c.typed);
            QCOMPARE(e->toPlainText(), c.result);
            QCOMPARE(e->textCursor().position(), c.caret);
        }
        // Insert mode leaves the following text alone.
        doc.Store().SetInsertMode(true);
        e->setPlainText("abc");
        e->moveCursor(QTextCursor::Start);
        QTest::keyClicks(e, "X");
        QCOMPARE(e->toPlainText(), QString("Xabc"));
        QVERIFY(doc.IsModified());
    }

    void pasteCleanUp() {
        Env env;
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.GoToField(16, 1);
        QApplication::clipboard()->setText(QString::fromUtf8("\"one\ntwo\""));
        if (QApplication::clipboard()->text() != QString::fromUtf8("\"one\ntwo\""))
            QSKIP("no clipboard on this platform");
        view.OnCommand(cmd::kPaste);
        QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(16, 1)), QString("one\r\ntwo"));
        QCOMPARE(view.EditWindow()->toPlainText(), QString("one\ntwo"));
        QVERIFY(doc.IsModified());
    }

    void overflowTipAnywhereInTheBox() {
        // Box 2 (field 10) holds four lines; eight do not fit. The tool tip says so wherever the
        // mouse rests in the box, also over the box with the caret, and nowhere in box 8.
        Env env;
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(1000, 800);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        doc.Store().SetFieldText(10, u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", 1);
        doc.Store().SetFieldText(18, u"Muster GmbH", 1);
        view.GoToField(0, 1);
        auto viewportRect = [&](int field) {
            FieldRect r;
            doc.Store().GetFieldRect1(field, r);
            return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))
                .translated(-view.DeviceScrollPosition());
        };
        const QString tip = QStringLiteral("Text passt nicht in das Feld");
        const QRect box2 = viewportRect(10);
        QVERIFY(box2.width() > 40 && box2.height() > 20);
        for (const QPoint& p : {box2.center(), box2.bottomLeft() + QPoint(4, -4),
                                box2.topLeft() + QPoint(4, 4), box2.topRight() + QPoint(-3, 3)})
            QCOMPARE(testutil::ToolTipAt(view.viewport(), p), tip);
        QCOMPARE(testutil::ToolTipAt(view.viewport(), viewportRect(18).center()), QString());
        view.GoToField(10, 1);
        CKtwEditWindow* e = view.EditWindow();
        QCOMPARE(testutil::ToolTipAt(e->viewport(), e->viewport()->rect().center()), tip);
        QToolTip::hideText();
    }

    void openedDocumentShowsTheActiveBoxInItsFont() {
        // As when a document is opened: the view is built, then moved into its document window,
        // all under the application's style sheet (the program sets one for its tool tips). Box 1
        // with the caret shows its text in the field's own font from the start.
        qApp->setStyleSheet(QStringLiteral("QToolTip { color: rgb(0,0,255); }"));
        struct Reset {
            ~Reset() { qApp->setStyleSheet(QString()); }
        } reset;
        Env env;
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        doc.Store().SetFieldText(0, u"IM", 1);
        QMdiArea area;
        area.resize(1000, 800);
        QWidget builder;
        auto* view = new CEinheitspapierView(&doc, env.e, m_defs, &builder);
        area.addSubWindow(view)->resize(900, 700);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        CKtwEditWindow* e = view->EditWindow();
        QCOMPARE(doc.Store().GetCurrentField(), 0);
        QVERIFY(e->isVisible());
        const uint16_t flags = doc.Store().GetFieldFlags(0, 1);
        const QFont& expected = e->EditFont(flags & 0xF, (flags & 0x10) != 0);
        QVERIFY(expected.pixelSize() > 10);
        QCOMPARE(e->font().pixelSize(), expected.pixelSize());
        QCOMPARE(QFontInfo(e->currentFont()).pixelSize(), QFontInfo(expected).pixelSize());
        Save(view->grab().toImage(), "sad-opened-box1.png");
    }

    void fontsAndAlignmentOfTheActiveField() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 16);
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        CKtwEditWindow* e = view.EditWindow();
        CFieldStore& s = doc.Store();
        s.SetFieldFlags(16, 1, 0x0112);
        s.SetFieldText(16, u"Text", 1);
        view.GoToField(16, 1);
        QCOMPARE(e->font(), e->EditFont(2, true));
        QCOMPARE(e->StyleAlignment(), uint16_t(0x100));
        QCOMPARE(e->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
        view.OnCommand(cmd::kFontLarger);
        QCOMPARE(s.GetFieldFlags(16, 1), uint16_t(0x0113));
        QCOMPARE(e->font(), e->EditFont(3, true));
        view.OnCommand(cmd::kFontBold);
        QCOMPARE(s.GetFieldFlags(16, 1), uint16_t(0x0103));
        // Left, then right: the window gets the right-aligned style and keeps the text.
        view.OnCommand(cmd::kAlignLeft);
        e->setPlainText("typed");
        const int changes = e->StyleChanges();
        view.OnCommand(cmd::kAlignRight);
        QCOMPARE(e->StyleAlignment(), uint16_t(0x200));
        QCOMPARE(e->StyleChanges(), changes + 1);
        QCOMPARE(e->toPlainText(), QString("typed"));
        QCOMPARE(s.GetFieldFlags(16, 1), uint16_t(0x0203));
        CommandState st;
        view.UpdateCommandUI(cmd::kAlignRight, st);
        QVERIFY(st.checked);
        // Ctrl+Z centres (the first accelerator entry wins over undo).
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.GetAlignment(16, 1), uint16_t(0x100));
        QCOMPARE(e->toPlainText(), QString("typed"));
        // Drawing font of size 0 at zoom 16: 30 x 16 / 12 = 40 units cell height.
        QCOMPARE(view.Renderer().FieldFonts().fonts[0].pixelSize(), ArialCellHeight(40, 400).pixelSize());
    }

    void ensureVisibleScrollsToTheField() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "ZoomFactor", 16);
        CEinheitspapierDoc doc(&profile);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.GoToField(97, 1);  // box 54, at the bottom right of the sheet, larger than the view
        const QRect vp(QPoint(0, 0), view.viewport()->size());
        const QRect ed = view.EditWindow()->geometry();
        QVERIFY(view.verticalScrollBar()->value() > 0);
        QVERIFY(ed.top() - 50 <= vp.bottom());
        QVERIFY(ed.top() >= vp.top());
        QVERIFY(ed.left() >= vp.left() - 1);
        view.GoToField(0, 1);
        QVERIFY(view.EditWindow()->geometry().top() >= 0);
        QVERIFY(view.EditWindow()->geometry().bottom() <= vp.bottom());
    }

    void initialUpdateSteps() {
        Env env;
        env.variant = 3;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "Feld2", 4);
        profile.WriteProfileString("EHForm_Defaults", "Firma1", u"A");
        profile.WriteProfileString("EHForm_Defaults", "Firma2", u"B");
        profile.WriteProfileString("EHForm_Defaults", "ZollNummer1", u"1234567");
        CEinheitspapierDoc doc(&profile);
        doc.OnNewDocument();  // box 8 takes the defaults in a new document only
        doc.m_nFormVariant = kVariantExport;
        doc.m_nLoadStatus = 18;
        CEinheitspapierView view(&doc, env.e, m_defs);
        QCOMPARE(env.beeps, 1);
        QCOMPARE(env.messages.size(), 2);
        QVERIFY(env.messages[0].startsWith("Dies ist kein bekanntes Dokumentformat"));
        QCOMPARE(env.messages[1], QString("Dies ist eine Export-Einheitspapier-Datei!"));
        QCOMPARE(doc.m_nFormVariant, 3);
        QCOMPARE(doc.Store().GetFieldText(18, 1), std::u16string(u"A\r\nB"));
        QCOMPARE(doc.Store().GetFieldText(8, 2), std::u16string(u"A\r\nB"));
        QCOMPARE(doc.Store().GetFieldText(17, 1), std::u16string(u"1234567"));
        QCOMPARE(doc.Store().GetFontSize(8, 2), uint16_t(1));
        // Crossed-out boxes of variant 3 become not-on-form in the working tables.
        QCOMPARE(view.Definitions().Get(1, 21, 3), uint8_t(0));  // box 11 is not crossed out on 3
        QCOMPARE(view.Definitions().Get(1, 152, 3), kDefNotOnForm);
        QCOMPARE(view.Definitions().Get(2, 208, 3), kDefNotOnForm);
        QCOMPARE(view.Definitions().Get(2, 208, 0), uint8_t(0));
        // The marks stay in the window's copy: the table the field-definition dialog edits and
        // stores, and every other window, never see them.
        QCOMPARE(m_defs.Get(1, 152, 3), uint8_t(0));
        QCOMPARE(m_defs.Get(2, 208, 3), uint8_t(0));
        // Focusing the view makes its variant the application's.
        env.variant = 0;
        view.show();
        view.setFocus();
        QApplication::setActiveWindow(&view);
        QFocusEvent fe(QEvent::FocusIn);
        QApplication::sendEvent(&view, &fe);
        QCOMPARE(env.variant, 3);
    }

    // The page and zoom keys work with the caret in a box: the edit control must neither move its
    // caret with them nor keep them from the frame's shortcuts; its own editing keys stay its own.
    void acceleratorsFromInsideABox() {
        Env env;
        CEinheitspapierDoc doc;
        doc.SetContinuationCount(2);
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.GoToField(10, 1);
        QTextEdit* edit = view.EditWindow();
        edit->setFocus();
        QTest::keyClicks(edit, "Lieferant AG");
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            int page, zoomStep;
        } keys[] = {
            {Qt::Key_End, Qt::ControlModifier, 3, 0},
            {Qt::Key_Home, Qt::ControlModifier, 1, 0},
            {Qt::Key_Right, Qt::ControlModifier, 2, 0},
            {Qt::Key_Left, Qt::ControlModifier, 1, 0},
            {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 1, +1},
            {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 1, -1},
            {Qt::Key_Plus, Qt::ControlModifier, 1, +1},
            {Qt::Key_Minus, Qt::ControlModifier, 1, -1},
        };
        for (const Key& k : keys) {
            const int zoom = view.Zoom();
            QTest::keyClick(view.EditWindow(), k.key, k.mods);
            QCOMPARE(view.CurrentPage(), k.page);
            QCOMPARE(view.Zoom(), zoom + k.zoomStep);
            if (k.key == Qt::Key_End) Save(view.grab().toImage(), "sad-ctrl-end-last-page.png");
        }
        QCOMPARE(doc.Store().GetFieldText(10, 1), std::u16string(u"Lieferant AG"));

        // In a window with frame shortcuts, the frame gets Ctrl+End; Ctrl+C stays in the box.
        QWidget frame;
        CEinheitspapierView framed(&doc, env.e, m_defs, &frame);
        framed.resize(900, 700);
        QShortcut last(QKeySequence(Qt::CTRL | Qt::Key_End), &frame), copy(QKeySequence::Copy, &frame);
        QSignalSpy lastSpy(&last, &QShortcut::activated), copySpy(&copy, &QShortcut::activated);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        framed.EditWindow()->setFocus();
        QTest::keyClick(framed.EditWindow(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(framed.EditWindow(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(lastSpy.count(), 1);
        QCOMPARE(copySpy.count(), 0);
        QCOMPARE(framed.CurrentPage(), 1);
    }

    // A right-click in a box shows menu 132 of the command table, with the states of the box.
    void contextMenu132InABox() {
        Env env;
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.GoToField(14, 1);
        QList<int> ids, enabled;
        QString f2Text;
        QTimer::singleShot(50, &view, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions()) {
                ids << (a->isSeparator() ? 0 : a->data().toInt());
                if (a->isEnabled() && !a->isSeparator()) enabled << a->data().toInt();
            }
            f2Text = menu->actions()[0]->text();
            Save(menu->grab().toImage(), "sad-menu132.png");
            menu->close();
        });
        QWidget* box = view.EditWindow()->viewport();
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &e);
        QList<int> expected;
        for (const MenuEntry& m : ContextMenuResource(kContextMenuSad))
            expected << (m.kind == MenuEntry::Kind::Separator ? 0 : m.id);
        QCOMPARE(ids, expected);
        QVERIFY(ids.contains(cmd::kGoToField) && ids.contains(cmd::kNextField));
        QCOMPARE(f2Text, QString("V&orgaben einfügen...\tF2"));
        // Box 5 has nothing behind F2; going on and formatting are there.
        QVERIFY(!enabled.contains(cmd::kInsertDefaults));
        QVERIFY(enabled.contains(cmd::kNextField) && enabled.contains(cmd::kAlignRight));
    }

    // F1 reaches the help from a box and from inside any dialog.
    void f1EverywhereAndHelpContext401() {
        Env env;
        env.help = 0;
        int f1 = 0;
        auto helpKey = InstallHelpKey([&] { ++f1; });
        CEinheitspapierDoc doc;
        CEinheitspapierView view(&doc, env.e, m_defs);
        QCOMPARE(env.help, CEinheitspapierView::kHelpContextView);
        QCOMPARE(env.help, 401);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::keyClick(view.EditWindow(), Qt::Key_F1);
        QCOMPARE(f1, 1);
        QDialog dlg(&view);
        auto* line = new QLineEdit(&dlg);
        QTimer::singleShot(50, [&] {
            line->setFocus();
            QTest::keyClick(line, Qt::Key_F1);
            dlg.reject();
        });
        dlg.exec();
        QCOMPARE(f1, 2);
        // The margin sheet's "Hilfe" button opens the help at the margin context.
        QTimer::singleShot(50, [&] {
            auto* sheet = qobject_cast<Common_DlgMargin02*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            emit sheet->helpRequested();
            sheet->reject();
        });
        view.OnCommand(cmd::kMargins);
        QCOMPARE(env.helpShown, QList<int>{Common_DlgMargin02::kHelpContext});
        QCOMPARE(env.help, 401);
        // The key goes with its owner.
        helpKey.reset();
        QTest::keyClick(view.EditWindow(), Qt::Key_F1);
        QCOMPARE(f1, 2);
    }

    // Every help context the program sets has a page of its own; 0 (no topic) shows the overview.
    void everyHelpContextHasAPage() {
        QSet<int> contexts{100,
                           101,
                           121,
                           122,
                           505,
                           CEinheitspapierView::kHelpContextView,
                           Common_DlgMargin02::kHelpContext,
                           CDlgGeheZuFeld::kHelpContext,
                           CDlgPrinterFontSize::kHelpContext,
                           CDlgEditFeldDefinitionen::kHelpContext,
                           kSadPrintForm.printHelpContext,
                           kDv1PrintForm.printHelpContext};
        for (int f = 0; f < kSadFirstFieldCount; ++f) contexts << SadHelpContext(1, f);
        for (int f = 0; f < kSadContinuationFieldCount; ++f) contexts << SadHelpContext(2, f);
        contexts.remove(0);
        for (int c : contexts) QVERIFY2(HasHelpPage(c), qPrintable(QString::number(c)));
        QVERIFY(HelpPageUrl(0).fileName() == "100.html");
        QVERIFY(HelpPageUrl(447).fileName() == "447.html");
    }

    void showXXOffChangesNothing() {
        Env env;
        CMemoryProfile profile;
        profile.WriteProfileInt("EHForm_Defaults", "EH_ShowXX", 0);
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        CEinheitspapierView view(&doc, env.e, m_defs);
        QCOMPARE(view.Definitions().Get(1, 21, 0), uint8_t(0));
        QCOMPARE(view.Definitions().Get(2, 208, 0), uint8_t(0));
        QVERIFY(!view.RenderOptions().showCrossedOut);
    }

private:
    CFieldDefinitions m_defs;  // the application's table every view copies
};

QTEST_MAIN(TestSadView)
#include "tst_sadview.moc"
