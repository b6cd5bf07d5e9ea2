// The box 47 dialogs and the duty-type list, driven as a user would: typing, moving the focus,
// pressing F2 and the buttons.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ui/sad/dialogs/CDlgFeld47.h"
#include "ui/sad/dialogs/CDlgFeld47Summe.h"
#include "ui/sad/dialogs/CDlgZollArten.h"

using namespace tarvex;

namespace {

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

void Type(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

std::vector<std::u16string> Table(std::initializer_list<std::pair<int, std::u16string>> cells, size_t size) {
    std::vector<std::u16string> v(size);
    for (const auto& [i, t] : cells) v[static_cast<size_t>(i)] = t;
    return v;
}

}  // namespace

class TestDlgFeld47 : public QObject {
    Q_OBJECT
private slots:
    void opensWithNormalisedAmountsAndTotal();
    void amountLeavingFocusIsNormalised();
    void typedAmountsWithThousandsAndRefusedText_data();
    void typedAmountsWithThousandsAndRefusedText();
    void refusedAmountKeepsTheKeyboard_data();
    void refusedAmountKeepsTheKeyboard();
    void methodOfPaymentCheck_data();
    void methodOfPaymentCheck();
    void inputLimitsKeepTextsWithinTheirCells();
    void typeListFromButtonAndF2();
    void summaryDialog();
    void zollArtenPreset_data();
    void zollArtenPreset();
};

void TestDlgFeld47::opensWithNormalisedAmountsAndTotal() {
    CDlgFeld47 dlg;
    dlg.SetValues(Table({{0, u"20000"},
                         {1, u"1.000"},
                         {2, u"19"},
                         {3, u"100"},
                         {4, u"B"},
                         {5, u"10100"},
                         {8, u"19,00"},
                         {13, u"abc"},
                         {35, u"falsch"}},
                        36));
    QCOMPARE(dlg.Cell(0, 3)->text(), QString("100,00"));
    QCOMPARE(dlg.Cell(1, 3)->text(), QString("19,00"));
    QCOMPARE(dlg.Cell(2, 3)->text(), QString("abc"));  // no amount: kept for the clerk, counts 0
    QCOMPARE(dlg.TotalEdit()->text(), QString("119,00"));
    QCOMPARE(dlg.Cell(0, 1)->text(), QString("1.000"));  // only amounts are touched
    QVERIFY(dlg.TotalEdit()->isReadOnly());
    dlg.show();
    Shot(dlg, "CDlgFeld47");
    const auto v = dlg.Values();
    QCOMPARE(v.size(), size_t(36));
    QCOMPARE(QString::fromStdU16String(v[35]), QString("119,00"));
    QCOMPARE(QString::fromStdU16String(v[4]), QString("B"));
}

void TestDlgFeld47::amountLeavingFocusIsNormalised() {
    CDlgFeld47 dlg;
    QStringList messages;
    dlg.m_showMessage = [&](const QString& m) { messages << m; };
    dlg.SetValues(std::vector<std::u16string>(36));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg.Cell(0, 3), "0,5");
    dlg.Cell(0, 4)->setFocus();
    QCOMPARE(dlg.Cell(0, 3)->text(), QString("0,50"));
    QCOMPARE(dlg.TotalEdit()->text(), QString("0,50"));
    Type(dlg.Cell(3, 3), "12,345");
    dlg.Cell(4, 3)->setFocus();
    QCOMPARE(dlg.Cell(3, 3)->text(), QString("12,35"));
    QCOMPARE(dlg.TotalEdit()->text(), QString("12,85"));
    // Deleting both amounts empties the total.
    Type(dlg.Cell(0, 3), "");
    QTest::keyClick(dlg.Cell(0, 3), Qt::Key_Delete);
    Type(dlg.Cell(3, 3), "x");
    dlg.Cell(5, 0)->setFocus();
    QCOMPARE(dlg.TotalEdit()->text(), QString());
    // "x" is no amount: it is said so and stays for the user to correct.
    QTRY_COMPARE(messages.size(), 1);
    QCOMPARE(dlg.Cell(3, 3)->text(), QString("x"));
    // An amount still in the edit when OK is pressed counts as well.
    Type(dlg.Cell(6, 3), "7,1");
    const auto v = dlg.Values();
    QCOMPARE(QString::fromStdU16String(v[33]), QString("7,10"));
    QCOMPARE(QString::fromStdU16String(v[35]), QString("7,10"));
}

void TestDlgFeld47::typedAmountsWithThousandsAndRefusedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("message");
    QTest::newRow("thousands") << "1.234,56"
                               << "1234,56"
                               << "1244,56" << false << QString();
    QTest::newRow("millions") << "1.234.567"
                              << "1234567,00"
                              << "1234577,00" << false << QString();
    QTest::newRow("three digits after the point") << "3.456"
                                                  << "3456,00"
                                                  << "3466,00" << false << QString();
    QTest::newRow("unit after the number") << "12 EUR"
                                           << "12,00"
                                           << "22,00" << false << QString();
    QTest::newRow("whole amount with a dash") << "100,-"
                                              << "100,00"
                                              << "110,00" << false << QString();
    QTest::newRow("decimal point") << "12.5"
                                   << "12.5"
                                   << "10,00" << true << "keine Zahl";
    QTest::newRow("point before four digits") << "1.2345"
                                              << "1.2345"
                                              << "10,00" << true << "keine Zahl";
    QTest::newRow("largest") << "-99.999.999,99"
                             << "-99999999,99"
                             << "-99999989,99" << false << QString();
    QTest::newRow("text before the number") << "ca. 12"
                                            << "ca. 12"
                                            << "10,00" << true << "keine Zahl";
    QTest::newRow("two commas") << "1,234,56"
                                << "1,234,56"
                                << "10,00" << true << "keine Zahl";
    QTest::newRow("bad groups") << "1.23,45"
                                << "1.23,45"
                                << "10,00" << true << "keine Zahl";
    // Beyond what the printed cells hold: kept as typed, left out of the total, refused.
    QTest::newRow("too large") << "100.000.000"
                               << "100.000.000"
                               << "10,00" << true << "zu gro\u00df";
}

void TestDlgFeld47::typedAmountsWithThousandsAndRefusedText() {
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(QString, total);
    QFETCH(bool, refused);
    QFETCH(QString, message);
    CDlgFeld47 dlg;
    QStringList messages;
    dlg.m_showMessage = [&](const QString& m) { messages << m; };
    dlg.SetValues(Table({{8, u"10"}}, 36));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg.Cell(0, 3), typed);
    dlg.Cell(0, 4)->setFocus();
    QCOMPARE(dlg.Cell(0, 3)->text(), cell);
    QCOMPARE(dlg.TotalEdit()->text(), total);
    QTest::qWait(10);
    QCOMPARE(messages.size(), refused ? 1 : 0);
    if (refused) QVERIFY2(messages[0].contains(message), qPrintable(messages[0]));
    // OK does not close the dialog over an amount that is no number.
    dlg.accept();
    QCOMPARE(dlg.isVisible(), refused);
    QCOMPARE(messages.size(), refused ? 2 : 0);
    if (refused) QVERIFY(dlg.Cell(0, 3)->hasFocus());
}

void TestDlgFeld47::refusedAmountKeepsTheKeyboard_data() {
    QTest::addColumn<bool>("summary");
    QTest::addColumn<QString>("typed");
    QTest::newRow("item table, decimal point") << false << "12.50";
    QTest::newRow("item table, text before the number") << false << "ca. 100";
    QTest::newRow("summary, two numbers") << true << "1,2,3";
}

void TestDlgFeld47::refusedAmountKeepsTheKeyboard() {
    // Tab out of an amount that is no number: after the message the keyboard is back in that
    // cell, and the correction typed next replaces it there, not in the ZA cell.
    QFETCH(bool, summary);
    QFETCH(QString, typed);
    CDlgFeld47 item;
    CDlgFeld47Summe sum;
    CDlgFeld47Base& dlg = summary ? static_cast<CDlgFeld47Base&>(sum) : item;
    const int amount = summary ? 1 : 3, method = amount + 1;
    QStringList messages;
    dlg.m_showMessage = [&](const QString& m) { messages << m; };
    dlg.SetValues(std::vector<std::u16string>(summary ? 22 : 36));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg.Cell(1, amount), typed);
    QTest::keyClick(dlg.Cell(1, amount), Qt::Key_Tab);
    QTRY_COMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains("keine Zahl"));
    QTRY_VERIFY(dlg.Cell(1, amount)->hasFocus());
    QCOMPARE(dlg.Cell(1, amount)->selectedText(), typed);
    QTest::keyClicks(QApplication::focusWidget(), "12,50");
    QCOMPARE(dlg.Cell(1, amount)->text(), QString("12,50"));
    QCOMPARE(dlg.Cell(1, method)->text(), QString());
    QTest::keyClick(dlg.Cell(1, amount), Qt::Key_Tab);
    QVERIFY(dlg.Cell(1, method)->hasFocus());
    QCOMPARE(dlg.TotalEdit()->text(), QString("12,50"));
    QTest::qWait(10);
    QCOMPARE(messages.size(), 1);
}

void TestDlgFeld47::inputLimitsKeepTextsWithinTheirCells() {
    CDlgFeld47 dlg;
    CDlgFeld47Summe summe;
    // A base longer than the limit from an older document is shown whole, not cut.
    dlg.SetValues(Table({{6, u"1.234.567.890,12"}}, 36));
    summe.SetValues(Table({}, 22));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.Cell(1, 1)->text(), QString("1.234.567.890,12"));
    struct Case {
        CDlgFeld47Base* dialog;
        int column;
        const char* typed;
        const char* kept;
    } cases[] = {{&dlg, 0, "1010020", "10100"},
                 {&dlg, 1, "1.234.567,8999", "1.234.567,89"},
                 {&dlg, 2, "4,20 EUR/kg je", "4,20 EUR/kg"},
                 {&dlg, 4, "BC", "B"},
                 {&summe, 0, "200001", "20000"},
                 {&summe, 2, "DE", "D"}};
    for (const Case& c : cases) {
        c.dialog->show();
        Type(c.dialog->Cell(0, c.column), c.typed);
        QCOMPARE(c.dialog->Cell(0, c.column)->text(), QString(c.kept));
    }
    QCOMPARE(dlg.Values()[6], std::u16string(u"1.234.567.890,12"));
}

void TestDlgFeld47::methodOfPaymentCheck_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("message");
    QTest::newRow("EUSt A") << "20000"
                            << "A" << true;
    QTest::newRow("EUSt B") << "20000"
                            << "B" << false;
    QTest::newRow("lower case") << "100"
                                << "b" << true;
    QTest::newRow("A00 is 0") << "A00"
                              << "A" << false;
    QTest::newRow("empty method") << "10100"
                                  << "" << false;
}

void TestDlgFeld47::methodOfPaymentCheck() {
    QFETCH(QString, type);
    QFETCH(QString, method);
    QFETCH(bool, message);
    CDlgFeld47 dlg;
    QStringList shown;
    dlg.m_showMessage = [&](const QString& t) { shown << t; };
    dlg.SetValues(std::vector<std::u16string>(36));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg.Cell(2, 0), type);
    Type(dlg.Cell(2, 4), method);
    dlg.Cell(3, 0)->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(shown.size(), message ? 1 : 0);
    if (message) QVERIFY(shown[0].startsWith("In der Spalte ZA sind nur folgende Eingaben zulässig:"));
    QCOMPARE(dlg.Cell(2, 4)->text(), method);  // reported, never refused
    QVERIFY(dlg.Cell(3, 0)->hasFocus());
}

void TestDlgFeld47::typeListFromButtonAndF2() {
    CDlgFeld47 dlg;
    QString preset;
    dlg.m_runTypeList = [&](QString& code) {
        preset = code;
        code = "20000";
        return true;
    };
    dlg.SetValues(Table({{10, u"2"}}, 36));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.Cell(0, 3)->setFocus();
    QVERIFY(!dlg.TypeListButton()->isEnabled());
    QTest::keyClick(dlg.Cell(0, 3), Qt::Key_F2);
    QVERIFY(preset.isNull());  // F2 does nothing outside a type cell
    dlg.Cell(2, 0)->setFocus();
    QVERIFY(dlg.TypeListButton()->isEnabled());
    QCOMPARE(dlg.TypeRow(), 2);
    QTest::keyClick(dlg.Cell(2, 0), Qt::Key_F2);
    QCOMPARE(preset, QString("2"));
    QCOMPARE(dlg.Cell(2, 0)->text(), QString("20000"));
    QVERIFY(dlg.Cell(2, 1)->hasFocus());  // on to the base cell of that row
    dlg.Cell(5, 0)->setFocus();
    QTest::mouseClick(dlg.TypeListButton(), Qt::LeftButton);
    QCOMPARE(dlg.Cell(5, 0)->text(), QString("20000"));
}

void TestDlgFeld47::summaryDialog() {
    CDlgFeld47Summe dlg;
    QString preset;
    dlg.m_runTypeList = [&](QString& code) {
        preset = code;
        code = "10100";
        return true;
    };
    dlg.SetValues(Table({{0, u"20000"}, {1, u"100"}, {2, u"B"}, {4, u"19,5"}, {21, u"alt"}}, 22));
    QCOMPARE(dlg.Cell(0, 1)->text(), QString("100,00"));
    QCOMPARE(dlg.Cell(1, 1)->text(), QString("19,50"));
    QCOMPARE(dlg.TotalEdit()->text(), QString("119,50"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Shot(dlg, "CDlgFeld47Summe");
    dlg.Cell(3, 0)->setFocus();
    QTest::keyClick(dlg.Cell(3, 0), Qt::Key_F2);
    QCOMPARE(dlg.Cell(3, 0)->text(), QString("10100"));
    QVERIFY(dlg.Cell(3, 1)->hasFocus());  // the amount cell follows the type here
    Type(dlg.Cell(3, 1), "0,504");
    dlg.Cell(3, 2)->setFocus();
    QCOMPARE(dlg.TotalEdit()->text(), QString("120,00"));
    const auto v = dlg.Values();
    QCOMPARE(v.size(), size_t(22));
    QCOMPARE(QString::fromStdU16String(v[10]), QString("0,50"));
    QCOMPARE(QString::fromStdU16String(v[21]), QString("120,00"));
}

void TestDlgFeld47::zollArtenPreset_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("meaning");
    QTest::newRow("2") << "2"
                       << "20000"
                       << "Einfuhrumsatzsteuer";
    QTest::newRow("empty") << ""
                           << "10100"
                           << "Zölle";
    QTest::newRow("unknown") << "9"
                             << "10100"
                             << "Zölle";
    QTest::newRow("37100") << "371"
                           << "37100"
                           << "Zwischenerzeugnissteuer";
}

void TestDlgFeld47::zollArtenPreset() {
    QFETCH(QString, preset);
    QFETCH(QString, code);
    QFETCH(QString, meaning);
    CDlgZollArten dlg;
    dlg.SetCode(preset);
    QCOMPARE(dlg.Code(), code);
    QCOMPARE(dlg.Meaning()->text(), meaning);
    QCOMPARE(dlg.List()->count(), 23);
    dlg.List()->setCurrentIndex(22);
    QCOMPARE(dlg.Meaning()->text(), QString("Biersteuer"));
    if (preset == "2") {
        dlg.SetCode(preset);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Shot(dlg, "CDlgZollArten");
    }
}

QTEST_MAIN(TestDlgFeld47)
#include "tst_dlgfeld47.moc"
