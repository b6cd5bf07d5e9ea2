// The D.V.1 view: typing and Tab, the yes/no boxes by mouse and Alt+J / Alt+N, F3 with its marks,
// F10, the status panes, and a document saved and read back. With TARVEX_SCREENSHOT_DIR set, the
// view is also written there as a PNG per page kind.

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "core/app/ShellCommands.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/settings/Profile.h"
#include "tests/common/AppFixture.h"
#include "ui/dv1/CDV1_View.h"

using namespace tarvex;

namespace {

void Save(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w.grab().save(dir + "/" + name);
}

struct Fixture {
    CMemoryProfile profile;
    CDV1_Doc doc;
    int beeps = 0;
    QStringList messages;
    QStringList status[3];
    std::unique_ptr<CDV1_View> view;

    Fixture() {
        doc.OnNewDocument();
        FormViewEnvironment env;
        env.beep = [this] { ++beeps; };
        env.message = [this](const QString& t) { messages.append(t); };
        view = std::make_unique<CDV1_View>(&doc, &profile, env);
        QObject::connect(view.get(), &CDV1_View::statusTextChanged,
                         [this](int pane, const QString& t) { status[pane].append(t); });
        view->resize(900, 800);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    CKtwEditWindow& Edit() { return *view->EditWindow(); }
    // The centre of a box of the front in viewport pixels.
    QPoint BoxCentre(int box) { return view->BoxViewportRect(box).center(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view.get();
        QTest::keyClick(target, key, m);
    }
};

}  // namespace

class TestDv1View : public QObject {
    Q_OBJECT
private slots:
    void typingAndTabFillTheFieldsInOrder() {
        Fixture f;
        QTest::keyClicks(&f.Edit(), QStringLiteral("Muster GmbH"));
        f.Key(Qt::Key_Tab);
        QTest::keyClicks(&f.Edit(), QStringLiteral("Kaeufer AG"));
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.doc.Store().GetFieldText(0, 1), std::u16string(u"Muster GmbH"));
        QCOMPARE(f.doc.Store().GetFieldText(1, 1), std::u16string(u"Kaeufer AG"));
        QCOMPARE(f.doc.Store().GetCurrentField(), 2);
        QVERIFY(f.doc.IsModified());
        // Shift+Tab on field 0 wraps to the last field of the front.
        f.view->GoToField(0, 1);
        f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.doc.Store().GetCurrentField(), 11);
        QCOMPARE(f.status[1].last(), QStringLiteral("D.V.1 - Seite 1 von 2"));
        f.Key(Qt::Key_Insert);
        QCOMPARE(f.status[2].last(), QStringLiteral("Überschreiben"));

        // Zoom: the edit window follows its field to the new scale.
        const int zoom = f.view->Zoom();
        const int width = f.Edit().width();
        QVERIFY(f.view->OnCommand(cmd::kZoomIn));
        QVERIFY(f.view->Zoom() > zoom);
        QVERIFY(f.Edit().width() > width);
        QCOMPARE(f.Edit().geometry().topLeft(), f.view->FieldViewportRect(11).topLeft());
    }

    void boxesAreTickedByMouseAndByAltJN() {
        Fixture f;
        // The mouse: "NEIN" of 7 (a) clears the rest of question 7, the caret stays in its field.
        f.doc.m_Checks = {1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, f.BoxCentre(1));
        QCOMPARE(f.doc.m_Checks, (std::vector<uint8_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QVERIFY(f.doc.IsModified());
        QCOMPARE(f.doc.Store().GetCurrentField(), 0);
        // Beside every field and box: the error beep, nothing changes.
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, f.BoxCentre(1) + QPoint(60, 0));
        QCOMPARE(f.beeps, 1);

        // The keyboard: in field 8, Alt+J ticks "JA" of 8 (a) and Alt+N then "NEIN" of 8 (b); the
        // pane says so, the text typed there stays and the letters j and n are text as ever.
        f.view->GoToField(8, 1);
        QCOMPARE(f.status[0].last(), QStringLiteral("Frage 8 (a): Alt+J kreuzt JA an, Alt+N kreuzt NEIN an, "
                                                    "Alt+Pfeil ab wählt die nächste Frage"));
        QTest::keyClicks(&f.Edit(), QStringLiteral("Lizenz jn"));
        f.Key(Qt::Key_J, Qt::AltModifier);
        QCOMPARE(f.doc.m_Checks[6], uint8_t(1));
        QVERIFY(f.status[0].last().startsWith(QStringLiteral("Frage 8 (b)")));
        f.Key(Qt::Key_N, Qt::AltModifier);
        QCOMPARE(f.doc.m_Checks[9], uint8_t(1));
        QCOMPARE(f.Edit().toPlainText(), QStringLiteral("Lizenz jn"));
        QCOMPARE(QApplication::focusWidget(), &f.Edit());
        Save(*f.view, QStringLiteral("dv1-front-question.png"));
        // Outside the fields of questions 7 to 9 the keys tick nothing and the hint goes.
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.doc.Store().GetCurrentField(), 9);
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.status[0].last(), QStringLiteral("Bereit"));
        const std::vector<uint8_t> before = f.doc.m_Checks;
        f.Key(Qt::Key_J, Qt::AltModifier);
        QCOMPARE(f.doc.m_Checks, before);
        QCOMPARE(f.doc.Store().GetFieldText(8, 1), std::u16string(u"Lizenz jn"));
    }

    // Tab goes through the 12 fields of the front in form order; a blank typed after each Tab is
    // text, and no box is ever ticked.
    void tabThroughTheFrontNeverTicksABox() {
        Fixture f;
        QList<int> visited;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" x"));
            f.Key(Qt::Key_Tab);
            visited.append(f.doc.Store().GetCurrentField());
        }
        QCOMPARE(visited, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}));
        QCOMPARE(std::count(f.doc.m_Checks.begin(), f.doc.m_Checks.end(), 1), 0);
        for (int field = 0; field < 12; ++field)
            QCOMPARE(f.doc.Store().GetFieldText(field, 1), std::u16string(u" x"));
    }

    // A click on a box leaves the keyboard in the field being edited: the next blank is text and
    // does not take the click back.
    void clickOnABoxThenSpaceKeepsTheClick() {
        Fixture f;
        f.view->GoToField(8, 1);
        f.Key(Qt::Key_Tab);
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, f.BoxCentre(7));  // "NEIN" of 8 (a)
        QCOMPARE(QApplication::focusWidget(), &f.Edit());
        f.Key(Qt::Key_Space);
        QCOMPARE(f.doc.m_Checks[7], uint8_t(1));
        QCOMPARE(f.doc.m_Checks[6], uint8_t(0));
        QCOMPARE(f.doc.Store().GetCurrentField(), 9);
        QCOMPARE(f.Edit().toPlainText(), QStringLiteral(" "));
    }

    // Select all takes the field's whole text and shows its end, where typing goes on.
    void selectAllTakesTheWholeTextAndShowsItsEnd() {
        Fixture f;
        CKtwEditWindow& edit = f.Edit();
        QStringList lines;
        for (int i = 1; i <= 40; ++i) lines << QStringLiteral("Zeile %1").arg(i);
        edit.setPlainText(lines.join(QLatin1Char('\n')));
        QTextCursor start = edit.textCursor();
        start.movePosition(QTextCursor::Start);
        edit.setTextCursor(start);
        edit.ensureCursorVisible();
        QScrollBar* bar = edit.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        QVERIFY(f.view->OnCommand(cmd::kSelectAll));
        const QTextCursor c = edit.textCursor();
        QCOMPARE(c.selectionStart(), 0);
        QCOMPARE(c.selectionEnd(), edit.document()->characterCount() - 1);
        QCOMPARE(c.position(), c.selectionEnd());
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(edit.viewport()->rect().intersects(edit.cursorRect()));
    }

    // After a dialog of the view, the margin sheet among them, the clerk types on in the field,
    // also where no window manager activates the form again.
    void keyboardBackInTheFieldAfterADialog() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.view.get()));
        const auto inField = [&] { return QApplication::focusWidget() == f.view->EditWindow(); };
        QTRY_VERIFY(inField());
        {
            QDialog dlg(f.view.get());
            QTimer::singleShot(50, &dlg, &QDialog::reject);
            dlg.exec();
        }
        QTRY_VERIFY(inField());
        bool sheetSeen = false;
        QTimer::singleShot(50, [&] {
            auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            sheetSeen = sheet != nullptr;
            if (sheet) sheet->reject();
        });
        QVERIFY(f.view->OnCommand(cmd::kMargins));
        QVERIFY(sheetSeen);
        QTRY_VERIFY(inField());
    }

    void calculationMarksTextsThatAreNoAmounts() {
        Fixture f;
        f.view->OnCommand(cmd::kNextPage);
        QCOMPARE(f.view->ViewPage(), 2);
        f.view->GoToField(4, 2);
        QTest::keyClicks(&f.Edit(), QStringLiteral("1.000"));
        f.doc.Store().SetFieldText(8, u"ca. 100", 2);
        f.doc.Store().SetFieldText(7, u"250", 2);
        f.Key(Qt::Key_F3);
        QCOMPARE(f.doc.Store().GetFieldText(53, 2), std::u16string(u"1.000,00"));
        QCOMPARE(f.doc.Store().GetFieldText(56, 2), std::u16string(u"1.250,00"));
        QCOMPARE(f.Edit().toPlainText(), QStringLiteral("1.000,00"));
        QCOMPARE(f.view->MarkedFields().size(), size_t(1));
        QCOMPARE(f.status[0].last(),
                 QStringLiteral("Seite 2, Feld 13 (b), Ware 1: \"ca. 100\" ist kein Betrag und "
                                "wurde nicht verändert"));
        // The mark is drawn in red on the frame of field 8, and on no other field.
        const QImage shot = f.view->viewport()->grab().toImage();
        auto redOnLeftEdge = [&](int field) {
            const QRect r = f.view->FieldViewportRect(field);
            for (int x = r.left() - 1; x <= r.left() + 1; ++x) {
                const QRgb c = shot.pixel(x, r.center().y());
                if (qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80) return true;
            }
            return false;
        };
        QVERIFY(redOnLeftEdge(8));
        QVERIFY(!redOnLeftEdge(9));
        Save(*f.view, QStringLiteral("dv1-back-marks.png"));
        // Once the text is mended, the mark goes.
        f.view->GoToField(8, 2);
        f.Edit().selectAll();
        QTest::keyClicks(&f.Edit(), QStringLiteral("100"));
        QVERIFY(f.view->MarkedFields().empty());
        // Sums are no target for the mouse: the normal cursor, and a click beeps.
        QTest::mouseMove(f.view->viewport(), f.view->FieldViewportRect(7).center());
        QCOMPARE(f.view->CursorKind(), 2);
        QTest::mouseMove(f.view->viewport(), f.view->FieldViewportRect(53).center());
        QCOMPARE(f.view->CursorKind(), 0);
        const int beeps = f.beeps;
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, f.view->FieldViewportRect(53).center());
        QCOMPARE(f.beeps, beeps + 1);
        QCOMPARE(f.doc.Store().GetCurrentField(), 8);
    }

    void overflowingTextIsMarkedAndTheWholeBoxSaysSo() {
        Fixture f;
        // Box 3 holds one line; this text needs two.
        f.doc.Store().SetFieldText(
            3,
            u"Frei Haus Hamburg, verzollt und versteuert, einschließlich Verpackung und Versicherung, "
            u"Lieferung in Teilsendungen nach Vereinbarung vom 1. März",
            1);
        f.doc.Store().SetFieldText(4, u"R-1", 1);
        f.view->resize(1300, 900);  // box 3 whole in sight
        f.view->viewport()->repaint();
        const QImage shot = f.view->viewport()->grab().toImage();
        auto redCorner = [&](int field) {
            const QRect r = f.view->FieldViewportRect(field);
            const QRgb c = shot.pixel(r.right() - 2, r.top() + 2);
            return qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80;
        };
        QVERIFY(redCorner(3));
        QVERIFY(!redCorner(4));
        Save(*f.view, QStringLiteral("dv1-front-overflow.png"));
        const QString tip = QStringLiteral("Text passt nicht in das Feld");
        const QRect box3 = f.view->FieldViewportRect(3);
        for (const QPoint& p :
             {box3.center(), box3.bottomLeft() + QPoint(4, -2), box3.topRight() + QPoint(-2, 2)})
            QCOMPARE(testutil::ToolTipAt(f.view->viewport(), p), tip);
        QCOMPARE(testutil::ToolTipAt(f.view->viewport(), f.view->FieldViewportRect(4).center()), QString());
        // Over the box with the caret as well.
        f.view->GoToField(3, 1);
        QCOMPARE(testutil::ToolTipAt(f.Edit().viewport(), f.Edit().viewport()->rect().center()), tip);
        QToolTip::hideText();
    }

    void activeBoxShowsItsFirstLineInItsFont() {
        Fixture f;
        f.view->GoToField(1, 1);
        // Box 1 takes about five lines; the company name on the first must stay in sight.
        f.doc.Store().SetFieldText(
            0,
            u"Muster GmbH\r\nEinkauf\r\nHafenstraße 1\r\n20457 Hamburg\r\nDeutschland"
            u"\r\nTel. 040 123456\r\nFax 040 123457\r\nUSt-IdNr. DE123456789\r\nZeile 9",
            1);
        f.view->GoToField(0, 1);
        QCOMPARE(f.Edit().verticalScrollBar()->value(), 0);
        QCOMPARE(f.Edit().cursorForPosition(QPoint(4, 4)).block().text(), QStringLiteral("Muster GmbH"));
        QVERIFY(f.Edit().textCursor().atEnd());  // typing still goes on at the end
        const uint16_t flags = f.doc.Store().GetFieldFlags(0, 1);
        QCOMPARE(f.Edit().font(), f.Edit().EditFont(flags & 0xF, (flags & 0x10) != 0));
        Save(*f.view, QStringLiteral("dv1-front-active-overflow.png"));
    }

    void openingADocumentSaysWhichTextsAreNoAmounts() {
        CMemoryProfile profile;
        CDV1_Doc doc;
        doc.OnNewDocument();
        doc.Store().SetFieldText(9, u"ca. 100", 2);
        doc.Store().SetFieldText(8, u"250", 2);
        FormViewEnvironment env;
        env.beep = [] {};
        env.message = [](const QString&) {};
        CDV1_View view(&doc, &profile, env);
        QStringList status;
        QObject::connect(&view, &CDV1_View::statusTextChanged, [&](int pane, const QString& t) {
            if (pane == 0) status << t;
        });
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(status,
                 QStringList{QStringLiteral("Seite 2, Feld 13 (c), Ware 1: \"ca. 100\" ist kein Betrag. Rot "
                                            "markiert wird das Feld nach der Berechnung (F3).")});
        QVERIFY(view.MarkedFields().empty());
        view.hide();
        view.show();
        QCOMPARE(status.size(), 1);  // once, when the document opens
    }

    void f10AppendsABisFrontWhoseField52IsSkipped() {
        Fixture f;
        f.Key(Qt::Key_F10);
        QCOMPARE(f.doc.Store().GetPageCount(), 3);
        QCOMPARE(f.view->ViewPage(), 3);
        QCOMPARE(f.status[1].last(), QStringLiteral("D.V.1 - Seite 3 von 3"));
        f.view->GoToField(51, 3);
        QTest::keyClicks(&f.Edit(), QStringLiteral("1,2345"));
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.doc.Store().GetCurrentField(), 0);
        f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.doc.Store().GetCurrentField(), 51);
        // The edit window lies over the field's place on the BIS front.
        QCOMPARE(f.Edit().geometry().topLeft(), f.view->FieldViewportRect(51).topLeft());
        Save(*f.view, QStringLiteral("dv1-bis-front.png"));
        f.Key(Qt::Key_F10);
        QCOMPARE(f.view->ViewPage(), 4);
        Save(*f.view, QStringLiteral("dv1-bis-back.png"));
        f.view->OnCommand(cmd::kFirstPage);
        QCOMPARE(f.view->ViewPage(), 1);
        Save(*f.view, QStringLiteral("dv1-front.png"));
    }

    // A right-click in a box shows context menu 119 with its own paste text; menu 132 is the
    // SAD view's and not built here.
    void rightClickInABoxShowsMenu119() {
        Fixture f;
        QList<int> ids;
        QString pasteText;
        QTimer::singleShot(50, f.view.get(), [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions()) ids << (a->isSeparator() ? 0 : a->data().toInt());
            pasteText = menu->actions()[3]->text();
            menu->close();
        });
        QWidget* box = f.Edit().viewport();
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &e);
        QList<int> expected;
        for (const MenuEntry& m : ContextMenuResource(kContextMenuEdit))
            expected << (m.kind == MenuEntry::Kind::Separator ? 0 : m.id);
        QCOMPARE(ids, expected);
        QCOMPARE(pasteText, QStringLiteral("&Einfügen\tStrg+V"));
        QVERIFY(!f.view->CreateContextMenu(kContextMenuSad, f.view.get()));
    }

    void documentSavedAndReadBackKeepsTextsBoxesAndPages() {
        QTemporaryDir dir;
        const std::filesystem::path path = (dir.path() + QStringLiteral("/Wert.fdv")).toStdU16String();
        {
            Fixture f;
            QTest::keyClicks(&f.Edit(), QStringLiteral("Verkaeufer"));
            QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, f.BoxCentre(12));
            f.Key(Qt::Key_F10);
            QTest::keyClicks(&f.Edit(), QStringLiteral("3"));
            f.view->CommitEdit();
            std::string error;
            QVERIFY2(SaveFdvFile(path, f.doc, error), error.c_str());
        }
        CDV1_Doc doc;
        std::string error;
        QVERIFY2(LoadFdvFile(path, doc, error), error.c_str());
        QCOMPARE(doc.Store().GetFieldText(0, 1), std::u16string(u"Verkaeufer"));
        QCOMPARE(doc.Store().GetFieldText(0, 3), std::u16string(u"3"));
        QCOMPARE(doc.Store().GetPageCount(), 3);
        QCOMPARE(doc.m_Checks[12], uint8_t(1));
    }
};

QTEST_MAIN(TestDv1View)
#include "tst_dv1view.moc"
