// The goods-item move dialog: entries, preselection and when OK may be pressed.
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "ui/sad/dialogs/CDlgMoveEHWarenpositon.h"

using namespace tarvex;

class TestDlgMoveWarenposition : public QObject {
    Q_OBJECT
private slots:
    void entriesAndOk();
};

void TestDlgMoveWarenposition::entriesAndOk() {
    CDlgMoveEHWarenpositon dlg;
    const std::vector<std::u16string> entries = {u"Position 1 auf Seite 1", u"Position 1 auf Seite 2",
                                                 u"Position 2 auf Seite 2 (leer)",
                                                 u"Position 3 auf Seite 2 (leer)"};
    dlg.SetEntries(entries, 0, -1);
    QCOMPARE(dlg.SourceList()->count(), 4);
    QCOMPARE(dlg.TargetList()->count(), 4);
    QCOMPARE(dlg.SourceList()->itemText(2), QString("Position 2 auf Seite 2 (leer)"));
    QCOMPARE(dlg.Source(), 0);
    QCOMPARE(dlg.Target(), -1);
    QVERIFY(!dlg.OkButton()->isEnabled());  // no target chosen yet
    dlg.TargetList()->setCurrentIndex(3);
    QVERIFY(dlg.OkButton()->isEnabled());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) dlg.grab().save(QString::fromLocal8Bit(dir) + "/CDlgMoveEHWarenpositon.png");
    dlg.SourceList()->setCurrentIndex(3);
    QVERIFY(!dlg.OkButton()->isEnabled());  // onto itself the item would be emptied
    dlg.SetEntries(entries, 1, 1);
    QVERIFY(!dlg.OkButton()->isEnabled());
    dlg.TargetList()->setCurrentIndex(2);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Source(), 1);
    QCOMPARE(dlg.Target(), 2);
}

QTEST_MAIN(TestDlgMoveWarenposition)
#include "tst_dlgmovewarenposition.moc"
