// The dialogs that open when the caret enters a box: three-line stamp text and box 44.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QtTest>

#include "ui/sad/dialogs/CDlgFeld44Einfuhr.h"
#include "ui/sad/dialogs/CDlgTextInput3L.h"

using namespace tarvex;

namespace {
void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}
}  // namespace

class TestDlgBoxInput : public QObject {
    Q_OBJECT
private slots:
    void textInput3L();
    void feld44WithReservation();
    void feld44WithoutReservation();
};

void TestDlgBoxInput::textInput3L() {
    CDlgTextInput3L dlg;
    dlg.SetText(u"  \r\nZOLLAMT\r\nHamburg");
    QCOMPARE(dlg.Edit()->toPlainText(), QString("ZOLLAMT\nHamburg"));
    QCOMPARE(QString::fromStdU16String(dlg.Text()), QString("ZOLLAMT\r\nHamburg"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Shot(dlg, "CDlgTextInput3L");
    dlg.Edit()->setFocus();
    dlg.Edit()->moveCursor(QTextCursor::End);
    QTest::keyClick(dlg.Edit(), Qt::Key_Return);
    QTest::keyClicks(dlg.Edit(), "Waltershof");
    QCOMPARE(QString::fromStdU16String(dlg.Text()), QString("ZOLLAMT\r\nHamburg\r\nWaltershof"));
}

void TestDlgBoxInput::feld44WithReservation() {
    CDlgFeld44Einfuhr dlg;
    dlg.SetValues(u"\r\nN935 Rechnung 4711\r\nY900", true, true);
    QCOMPARE(dlg.Edit()->toPlainText(), QString("N935 Rechnung 4711\nY900"));
    QVERIFY(dlg.Check()->isChecked());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.Check()->isVisible());
    Shot(dlg, "CDlgFeld44Einfuhr");
    dlg.Edit()->setFocus();
    dlg.Edit()->moveCursor(QTextCursor::End);
    for (const char* line : {"3", "4", "5 bleibt weg"}) {
        QTest::keyClick(dlg.Edit(), Qt::Key_Return);
        QTest::keyClicks(dlg.Edit(), line);
    }
    QTest::mouseClick(dlg.Check(), Qt::LeftButton, {}, QPoint(4, dlg.Check()->height() / 2));
    QVERIFY(!dlg.InputTax());
    // The first line stays free; four edit lines follow.
    QCOMPARE(QString::fromStdU16String(dlg.Text()), QString("\r\nN935 Rechnung 4711\r\nY900\r\n3\r\n4"));
}

void TestDlgBoxInput::feld44WithoutReservation() {
    CDlgFeld44Einfuhr dlg;
    dlg.SetValues(u"Eins\r\nZwei", false, false);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!dlg.Check()->isVisible());
    QCOMPARE(dlg.Edit()->toPlainText(), QString("Eins\nZwei"));
    dlg.Edit()->setPlainText(QString(140, QChar('x')));
    QCOMPARE(QString::fromStdU16String(dlg.Text()), QString(127, QChar('x')));
}

QTEST_MAIN(TestDlgBoxInput)
#include "tst_dlgboxinput.moc"
