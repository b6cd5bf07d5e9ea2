// The code-list dialogs and the box dialogs behind F2: what each preselects for a preset, what OK
// hands back, that Cancel hands back the presets, and type-ahead in the lists.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "core/settings/Profile.h"
#include "ui/codelists/Common_DlgBundeslaenderCode.h"
#include "ui/codelists/Common_DlgLaenderCode.h"
#include "ui/codelists/Common_DlgWaehrungsCode.h"
#include "ui/sad/dialogs/CDlgEH_Default01.h"
#include "ui/sad/dialogs/CDlgEH_Default19.h"
#include "ui/sad/dialogs/CDlgEH_Default20.h"
#include "ui/sad/dialogs/CDlgEH_Default24.h"
#include "ui/sad/dialogs/CDlgEH_Default25.h"
#include "ui/sad/dialogs/CDlgEH_Default29.h"
#include "ui/sad/dialogs/CDlgEH_Default36.h"
#include "ui/sad/dialogs/CDlgEH_Default54.h"

using namespace tarvex;

namespace {

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.show();
    QTest::qWaitForWindowExposed(&w);
    w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

QString Selected(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QString Q(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

// Types text as a keyboard would, umlauts included.
void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress,
                        c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode() : 0, Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(w, &press);
    }
}

// Waits out the type-ahead interval, so that the next key starts a new search.
void Pause() {
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
}

}  // namespace

class TestDlgCodeLists : public QObject {
    Q_OBJECT
private slots:
    void countryPresets();
    void countryListsFollowAndNameDecides();
    void currency();
    void federalStates();
    void typeAhead();
    void box1();
    void boxRadioDialogs();
    void box24();
    void box25And36();
    void box29SortsAndKeepsTheSelection();
    void countryTypedCodeIsTheCountryInEveryMode();
    void box29TypeAheadByPlaceInEverySortAndTheSortRemembered();
    void box54();
    void cancelKeepsThePresets();
};

void TestDlgCodeLists::countryPresets() {
    struct Case {
        int mode;
        const char16_t* name;
        const char16_t* code;
        const char* title;
        const char* selName;
        const char* selCode;
    } cases[] = {
        {0, u"", u"", "Ländercodes", "Deutschland", "DE"},
        {1, u"", u"AE", "Bestimmungsland", "Arab. Emirate, Ver.", "AE"},
        {2, u"VEREIN", u"", "Ursprungsland", "Vereinigte Staaten", "US"},
        {3, u"verein", u"", "Versendungsland", "Vereinigte Staaten", "US"},
        {4, u"", u"fr", "Erzeugungsland", "Frankreich", "FR"},
        {7, u"", u"QQ", "Ländercodes", "Deutschland", "DE"},
        // Both given: the code decides.
        {1, u"Schweiz", u"AT", "Bestimmungsland", "Österreich", "AT"},
    };
    for (const Case& c : cases) {
        Common_DlgLaenderCode dlg;
        dlg.SetMode(c.mode);
        dlg.SetPresets(c.name, c.code);
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8(c.title));
        QCOMPARE(Selected(dlg.NameList()), QString::fromUtf8(c.selName));
        QCOMPARE(Selected(dlg.CodeList()), QString::fromUtf8(c.selCode));
        if (c.mode == 1 && QString::fromStdU16String(c.code) == "AE") Shot(dlg, "Common_DlgLaenderCode");
        dlg.accept();
        QCOMPARE(Q(dlg.Name()), QString::fromUtf8(c.selName));
        QCOMPARE(Q(dlg.Code()), QString::fromUtf8(c.selCode));
    }
}

void TestDlgCodeLists::countryListsFollowAndNameDecides() {
    Common_DlgLaenderCode dlg;
    dlg.SetPresets({}, u"DE");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    // A name of a repeated code: the code list shows the code, and OK keeps the name picked.
    const auto dubai = dlg.NameList()->findItems("Dubai", Qt::MatchExactly);
    QCOMPARE(dubai.size(), 1);
    dlg.NameList()->setCurrentItem(dubai[0]);
    QCOMPARE(Selected(dlg.CodeList()), QString("AE"));
    QCOMPARE(Selected(dlg.NameList()), QString("Dubai"));
    // A code picked in the code list brings its name along.
    dlg.CodeList()->setCurrentItem(dlg.CodeList()->findItems("CH", Qt::MatchExactly).value(0));
    QCOMPARE(Selected(dlg.NameList()), QString("Schweiz"));
    dlg.NameList()->setCurrentItem(dubai[0]);
    dlg.NameList()->scrollToItem(dubai[0]);
    // A double-click is OK.
    const QRect r = dlg.NameList()->visualItemRect(dubai[0]);
    QTest::mouseClick(dlg.NameList()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(dlg.NameList()->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(Q(dlg.Name()), QString("Dubai"));
    QCOMPARE(Q(dlg.Code()), QString("AE"));
}

void TestDlgCodeLists::currency() {
    struct Case {
        const char16_t* preset;
        const char* code;
        const char* name;
        const char* result;
    } cases[] = {
        {u"DEM", "DEM", "Deutsche Mark", "DEM"},
        {u"", "EUR", "Euro", "EUR"},
        {u"dem", "", "", "dem"},  // exact match only; OK keeps what was typed
        {u"XYZ", "", "", "XYZ"},
    };
    for (const Case& c : cases) {
        Common_DlgWaehrungsCode dlg;
        dlg.SetCode(c.preset);
        QCOMPARE(Selected(dlg.CodeList()), QString::fromUtf8(c.code));
        QCOMPARE(Selected(dlg.NameList()), QString::fromUtf8(c.name));
        if (QString::fromUtf8(c.code) == "DEM") Shot(dlg, "Common_DlgWaehrungsCode");
        dlg.accept();
        QCOMPARE(Q(dlg.Code()), QString::fromUtf8(c.result));
    }
    // Opened with a code the table lacks, the lists get the keyboard without choosing anything.
    {
        Common_DlgWaehrungsCode dlg;
        dlg.SetCode(u"dem");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.NameList()->setFocus();
        dlg.CodeList()->setFocus();
        QCOMPARE(Selected(dlg.NameList()), QString());
        QCOMPARE(Selected(dlg.CodeList()), QString());
        QTest::keyClick(dlg.CodeList(), Qt::Key_Return);
        QCOMPARE(Q(dlg.Code()), QString("dem"));
    }
    // Two codes share the name "Kubanischer Peso": picking the second must not jump back to
    // the first through the name list.
    Common_DlgWaehrungsCode dlg;
    dlg.CodeList()->setCurrentItem(dlg.CodeList()->findItems("CUP", Qt::MatchExactly).value(0));
    QCOMPARE(Selected(dlg.NameList()), QString("Kubanischer Peso"));
    QCOMPARE(Selected(dlg.CodeList()), QString("CUP"));
    dlg.accept();
    QCOMPARE(Q(dlg.Code()), QString("CUP"));
}

void TestDlgCodeLists::federalStates() {
    struct Case {
        const char16_t* preset;
        const char* selected;
        const char* result;
    } cases[] = {
        {u"9", "09 - Bayern", "09"},
        {u"99", "99 - Ausland", "99"},
        {u"", "01 - Schleswig-Holstein", "01"},
        {u"17", "99 - Ausland", "99"},
        {u"42", "", "42"},
    };
    for (const Case& c : cases) {
        Common_DlgBundeslaenderCode dlg;
        dlg.SetCode(c.preset);
        QCOMPARE(Selected(dlg.List()), QString::fromUtf8(c.selected));
        dlg.accept();
        QCOMPARE(Q(dlg.Code()), QString::fromUtf8(c.result));
    }
    Common_DlgBundeslaenderCode dlg;
    QCOMPARE(dlg.windowTitle(), QString("Ländernummer (Inland)"));
    dlg.SetTitle(u"Ursprungsregion");
    QCOMPARE(dlg.windowTitle(), QString("Ursprungsregion"));
    dlg.SetTitle(u"");
    QCOMPARE(dlg.windowTitle(), QString("Ursprungsregion"));
    dlg.SetCode(u"8");
    Shot(dlg, "Common_DlgBundeslaenderCode");
}

void TestDlgCodeLists::typeAhead() {
    Common_DlgLaenderCode dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClicks(dlg.NameList(), "fr");
    QCOMPARE(Selected(dlg.NameList()), QString("Frankreich"));
    QCOMPARE(Selected(dlg.CodeList()), QString("FR"));
    // Umlauts and case: "ÄG" finds "Ägypten".
    Pause();
    Type(dlg.NameList(), QString("ÄG"));
    QCOMPARE(Selected(dlg.NameList()), QString("Ägypten"));
    // A letter that continues no entry starts a new search.
    QTest::keyClicks(dlg.NameList(), "n");
    QCOMPARE(Selected(dlg.NameList()), QString("Namibia"));
    Pause();
    QTest::keyClicks(dlg.CodeList(), "ch");
    QCOMPARE(Selected(dlg.CodeList()), QString("CH"));
    QCOMPARE(Selected(dlg.NameList()), QString("Schweiz"));

    // "09 - Bayern": the name after the number is found too.
    Common_DlgBundeslaenderCode states;
    states.show();
    QVERIFY(QTest::qWaitForWindowExposed(&states));
    QTest::keyClicks(states.List(), "ba");
    QCOMPARE(Selected(states.List()), QString("08 - Baden-Würtemberg"));
    Pause();
    QTest::keyClicks(states.List(), "09");
    QCOMPARE(Selected(states.List()), QString("09 - Bayern"));
}

void TestDlgCodeLists::box1() {
    CDlgEH_Default01 dlg;
    QCOMPARE(dlg.windowTitle(), QString("Vorgaben für Feld 1"));
    dlg.SetTexts({u"COM", u"A", u"T2LF"});
    QCOMPARE(dlg.Group(0)->checkedId(), -1);
    QCOMPARE(dlg.Group(1)->checkedButton()->text(), QString("A"));
    QCOMPARE(dlg.Group(2)->checkedButton()->text(), QString("T2LF"));
    QCOMPARE(dlg.Group(2)->buttons().size(), 8);
    Shot(dlg, "CDlgEH_Default01");
    dlg.accept();
    // No button chosen in group 1: "COM" stays.
    QCOMPARE(Q(dlg.Texts()[0]), QString("COM"));
    QCOMPARE(Q(dlg.Texts()[1]), QString("A"));
    QCOMPARE(Q(dlg.Texts()[2]), QString("T2LF"));
    dlg.SetTexts({u"COM", u"", u"T1"});
    QCOMPARE(dlg.Group(1)->checkedId(), -1);
    dlg.Group(0)->buttons().at(1)->click();
    dlg.accept();
    QCOMPARE(Q(dlg.Texts()[0]), QString("EX"));
    QCOMPARE(Q(dlg.Texts()[1]), QString(""));
    QCOMPARE(Q(dlg.Texts()[2]), QString("T1"));
}

void TestDlgCodeLists::boxRadioDialogs() {
    struct Case19 {
        const char16_t* preset;
        int checked;
        const char* result;
    } cases19[] = {{u"1", 1, "1"}, {u" 0", 0, "0"}, {u"x", -1, "x"}, {u"7", -1, "7"}};
    for (const auto& c : cases19) {
        CDlgEH_Default19 dlg;
        dlg.SetText(c.preset);
        QCOMPARE(dlg.Group()->checkedId(), c.checked);
        dlg.accept();
        QCOMPARE(Q(dlg.Text()), QString::fromUtf8(c.result));
    }
    struct Case20 {
        const char16_t* preset;
        const char* checked;  // object name of the checked button
        const char* freeLabel;
        const char* result;
    } cases20[] = {
        {u"fob", "FOB", "", "FOB"},
        {u"Frei Haus", "free", "FREI HAUS", "FREI HAUS"},
        {u"CIF", "CIF", "", "CIF"},
    };
    for (const auto& c : cases20) {
        CDlgEH_Default20 dlg;
        dlg.SetText(c.preset);
        QCOMPARE(dlg.Group()->checkedButton()->objectName(), QString(c.checked));
        QCOMPARE(dlg.FreeButton()->text(), QString(c.freeLabel));
        if (QString(c.checked) == "free") {
            Shot(dlg, "CDlgEH_Default20");
            dlg.findChild<QRadioButton*>("free")->setFocus();
        }
        dlg.accept();
        QCOMPARE(Q(dlg.Text()), QString(c.result));
    }
    CDlgEH_Default20 dlg;
    dlg.SetText(u"Frei Haus");
    dlg.findChild<QRadioButton*>("DDP")->click();
    dlg.accept();
    QCOMPARE(Q(dlg.Text()), QString("DDP"));
    // The CFR text keeps its single ampersand on screen.
    bool found = false;
    for (QLabel* l : dlg.findChildren<QLabel*>()) found |= l->text() == "Kosten und Fracht (C & F)";
    QVERIFY(found);

    CDlgEH_Default19 box19;
    box19.SetText(u"1");
    Shot(box19, "CDlgEH_Default19");
    // The chosen button has the keyboard: Space keeps it, the arrow keys move from it.
    box19.show();
    QVERIFY(QTest::qWaitForWindowActive(&box19));
    QCOMPARE(QApplication::focusWidget(), box19.Group()->button(1));
}

void TestDlgCodeLists::box24() {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        const char* selected;
        const char* ownText;
    } cases[] = {
        {u"3", u"1", "3 1",
         "Warenlieferungen im Rahmen von durch die Europäische Union ganz oder teilweise finanzierten "
         "Hilfsprogrammen"},
        {u"3", u"7", "3 1", nullptr},
        {u"7", u"2", "7 2", "Airbus-Programm"},
        {u"", u"", "1 1", "Endgültiger Kauf/Verkauf"},
    };
    for (const Case& c : cases) {
        CDlgEH_Default24 dlg;
        dlg.SetTexts(c.a, c.b);
        QCOMPARE(dlg.List()->currentItem()->text(), QString(c.selected));
        if (c.ownText) QCOMPARE(dlg.OwnText()->text(), QString::fromUtf8(c.ownText));
        dlg.accept();
        QCOMPARE(Q(dlg.Box24A()) + " " + Q(dlg.Box24B()), QString(c.selected));
    }
    // The explanations follow the selection.
    CDlgEH_Default24 dlg;
    dlg.SetTexts(u"3", u"1");
    dlg.List()->setCurrentRow(dlg.List()->count() - 1);
    QCOMPARE(dlg.GroupText()->text(), QString("Andere Geschäfte"));
    QCOMPARE(dlg.OwnText()->text(), QString("Nicht anderweitig erfasst"));
    dlg.SetTexts(u"4", u"1");
    Shot(dlg, "CDlgEH_Default24");
    // The code typed as two digits.
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTest::keyClicks(dlg.List(), "34");
    QCOMPARE(dlg.List()->currentItem()->text(), QString("3 4"));
    QCOMPARE(dlg.OwnText()->text(), QString("Sonstige Geschäfte"));
}

void TestDlgCodeLists::box25And36() {
    struct Case25 {
        const char16_t* preset;
        const char* selected;
        const char* result;
    } cases25[] = {{u"9", "9 - Eigener Antrieb", "9"},
                   {u"0", "1 - Seeverkehr", "1"},
                   {u"6", "5 - Postsendungen", "5"},
                   {u"7", "7 - Festinstallierte Transporteinrichtungen", "7"},
                   {u"12", "", "12"}};
    for (const auto& c : cases25) {
        CDlgEH_Default25 dlg;
        dlg.SetText(c.preset);
        QCOMPARE(Selected(dlg.List()), QString::fromUtf8(c.selected));
        dlg.accept();
        QCOMPARE(Q(dlg.Text()), QString(c.result));
    }
    CDlgEH_Default25 box25;
    box25.SetText(u"3");
    Shot(box25, "CDlgEH_Default25");
    // The list has the keyboard when the dialog opens: typing picks at once.
    box25.show();
    QVERIFY(QTest::qWaitForWindowActive(&box25));
    QCOMPARE(QApplication::focusWidget(), box25.List());
    QTest::keyClicks(QApplication::focusWidget(), "luft");
    QCOMPARE(Selected(box25.List()), QString("4 - Luftverkehr"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box25.result(), int(QDialog::Accepted));
    QCOMPARE(Q(box25.Text()), QString("4"));

    struct Case36 {
        const char16_t* preset;
        const char* first;
        const char* pair;
        const char* result;
    } cases36[] = {{u"218", "2", "18", "218"}, {u"75", "1", "00", "100"}, {u"339", "3", "28", "328"}};
    for (const auto& c : cases36) {
        CDlgEH_Default36 dlg;
        dlg.SetText(c.preset);
        QCOMPARE(dlg.FirstList()->currentText(), QString(c.first));
        QCOMPARE(dlg.PairList()->currentText(), QString(c.pair));
        dlg.accept();
        QCOMPARE(Q(dlg.Text()), QString(c.result));
    }
    CDlgEH_Default36 dlg;
    dlg.SetText(u"218");
    QCOMPARE(dlg.FirstText()->text(), QString("Allgemeine Zollpräferenzen (APS)"));
    dlg.PairList()->setCurrentIndex(dlg.PairList()->findText("50"));
    QCOMPARE(dlg.PairText()->text(), QString("Bescheinigung über die Beschaffenheit der Ware"));
    Shot(dlg, "CDlgEH_Default36");
    dlg.accept();
    QCOMPARE(Q(dlg.Text()), QString("250"));
}

void TestDlgCodeLists::box29SortsAndKeepsTheSelection() {
    CDlgEH_Default29 dlg;
    dlg.SetText(u"DE004851");
    dlg.resize(dlg.sizeHint());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidget* list = dlg.List();
    QCOMPARE(list->topLevelItemCount(), 118);
    QCOMPARE(list->header()->sortIndicatorSection(), 1);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(list->currentItem()->text(0), QString("Hamburg-Waltershof"));
    // By "Art" ascending the first rows are the "Allgemein" ones, places ascending.
    QCOMPARE(list->topLevelItem(0)->text(1), QString("Allgemein"));
    QCOMPARE(list->topLevelItem(0)->text(0), QString("Bad Säckingen"));
    auto clickHeader = [&](int column) {
        QHeaderView* h = list->header();
        const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    };
    clickHeader(3);
    QCOMPARE(list->header()->sortIndicatorSection(), 3);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(list->topLevelItem(0)->text(3), QString("DE002102"));
    clickHeader(3);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(list->topLevelItem(0)->text(3), QString("DE009984"));
    // The office chosen before stays chosen and in view.
    QCOMPARE(list->currentItem()->text(3), QString("DE004851"));
    QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(list->currentItem())));
    Shot(dlg, "CDlgEH_Default29");
    // Type-ahead searches the sort column.
    list->setFocus();
    QTest::keyClicks(list, "DE0023");
    QCOMPARE(list->currentItem()->text(3), QString("DE002331"));
    dlg.accept();
    QCOMPARE(Q(dlg.Text()), QString("DE002331"));

    // Nothing selected: the box keeps its text.
    CDlgEH_Default29 none;
    none.SetText(u"DE999999");
    QVERIFY(none.List()->selectedItems().isEmpty());
    none.accept();
    QCOMPARE(Q(none.Text()), QString("DE999999"));
}

void TestDlgCodeLists::box54() {
    CDlgEH_Default54 dlg;
    QCOMPARE(dlg.windowTitle(), QString("Aktuelles Datum einfügen"));
    dlg.SetValues(u"Hamburg", true);
    QCOMPARE(dlg.Edit()->text(), QString("Hamburg"));
    QVERIFY(dlg.Check()->isChecked());
    Shot(dlg, "CDlgEH_Default54");
    dlg.Edit()->setText("Bremen ");
    dlg.Check()->setChecked(false);
    QCOMPARE(Q(dlg.Place()), QString("Bremen "));
    QVERIFY(!dlg.Remember());
}

// Cancel hands back exactly what came in, whatever the user clicked before.
void TestDlgCodeLists::cancelKeepsThePresets() {
    {
        Common_DlgLaenderCode dlg;
        dlg.SetPresets(u"verein", u"");
        dlg.CodeList()->setCurrentRow(0);
        dlg.reject();
        QCOMPARE(Q(dlg.Name()), QString("verein"));
        QCOMPARE(Q(dlg.Code()), QString(""));
    }
    auto check = [](auto& dlg, const std::u16string& preset, auto change) {
        dlg.SetText(preset);
        change(dlg);
        dlg.reject();
        QCOMPARE(Q(dlg.Text()), Q(preset));
    };
    CDlgEH_Default19 d19;
    check(d19, u"0", [](auto& d) { d.Group()->button(1)->click(); });
    CDlgEH_Default20 d20;
    check(d20, u"fob", [](auto& d) { d.Group()->button(1)->click(); });
    CDlgEH_Default25 d25;
    check(d25, u"3", [](auto& d) { d.List()->setCurrentRow(0); });
    CDlgEH_Default29 d29;
    check(d29, u"DE004851", [](auto& d) { d.List()->setCurrentItem(d.List()->topLevelItem(0)); });
    CDlgEH_Default36 d36;
    check(d36, u"218", [](auto& d) { d.FirstList()->setCurrentIndex(0); });
    Common_DlgWaehrungsCode cur;
    cur.SetCode(u"USD");
    cur.CodeList()->setCurrentRow(0);
    cur.reject();
    QCOMPARE(Q(cur.Code()), QString("USD"));
    CDlgEH_Default24 d24;
    d24.SetTexts(u"3", u"7");
    d24.List()->setCurrentRow(0);
    d24.reject();
    QCOMPARE(Q(d24.Box24A()) + Q(d24.Box24B()), QString("37"));
    CDlgEH_Default01 d01;
    d01.SetTexts({u"COM", u"", u"T1"});
    d01.Group(0)->buttons().at(0)->click();
    d01.reject();
    QCOMPARE(Q(d01.Texts()[0]), QString("COM"));
}

// Boxes 11, 15, 16, 17, 18, 21 and 34 open the country list with their presets; typing "fr" and
// Return, wherever the keyboard starts, gives Frankreich (not the first FR row, Déairade-I).
void TestDlgCodeLists::countryTypedCodeIsTheCountryInEveryMode() {
    struct Case {
        const char* box;
        int mode;
        const char16_t* name;
        const char16_t* code;
    } cases[] = {
        {"11", 4, u"", u""},   {"15", 3, u"", u""}, {"15 DE", 3, u"Deutschland", u"DE"},
        {"16", 2, u"", u""},   {"17", 1, u"", u""}, {"18", 0, u"", u""},
        {"21", 0, u"", u"IT"}, {"34", 2, u"", u""}, {"article 34 A", 0, u"", u"CN"},
    };
    for (const Case& c : cases) {
        Common_DlgLaenderCode dlg;
        dlg.SetMode(c.mode);
        dlg.SetPresets(c.name, c.code);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QWidget* start = QApplication::focusWidget();
        QVERIFY2(start, c.box);
        QTest::keyClicks(start, "fr");
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY2(dlg.result() == QDialog::Accepted, c.box);
        QCOMPARE(Q(dlg.Name()), QString("Frankreich"));
        QCOMPARE(Q(dlg.Code()), QString("FR"));
    }
    // A box that already holds "FR" (17 A, 34 A) opens on Frankreich as well.
    Common_DlgLaenderCode dlg;
    dlg.SetPresets(u"", u"FR");
    QCOMPARE(Selected(dlg.NameList()), QString("Frankreich"));
    QCOMPARE(Selected(dlg.CodeList()), QString("FR"));
}

// Typing finds an office by its place whatever the sort ("Art" at start); the sort can be chosen
// with the keyboard and is remembered for the next time.
void TestDlgCodeLists::box29TypeAheadByPlaceInEverySortAndTheSortRemembered() {
    CMemoryProfile profile;
    {
        CDlgEH_Default29 dlg;
        dlg.SetProfile(&profile);
        dlg.SetText(u"");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTreeWidget* list = dlg.List();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
        QCOMPARE(dlg.SortColumnBox()->currentText(), QString("Art"));
        for (int column = 0; column < 4; ++column) {
            for (bool descending : {false, true}) {
                dlg.SortColumnBox()->setCurrentIndex(column);
                dlg.DescendingBox()->setChecked(descending);
                QCOMPARE(list->header()->sortIndicatorSection(), column);
                list->setFocus();
                Pause();
                QTest::keyClicks(list, "hamb");
                QVERIFY2(list->currentItem() && list->currentItem()->text(0).startsWith("Hamburg"),
                         qPrintable(QString("column %1").arg(column)));
                Pause();
                QTest::keyClicks(list, "4851");
                QCOMPARE(list->currentItem()->text(3), QString("DE004851"));
            }
        }
        // By keyboard: Alt+N goes to "Sortieren nach", a key picks the column.
        QTest::keyClick(&dlg, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.SortColumnBox()));
        dlg.SortColumnBox()->setCurrentIndex(0);
        QTest::keyClick(dlg.SortColumnBox(), Qt::Key_End);
        QCOMPARE(list->header()->sortIndicatorSection(), 3);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(list->currentItem()->text(3), QString("DE004851"));
        Shot(dlg, "CDlgEH_Default29_Sortierung");
        dlg.reject();
    }
    QCOMPARE(profile.GetProfileInt("Settings", "Feld29Sortierung", -1), 7);
    CDlgEH_Default29 again;
    again.SetProfile(&profile);
    QCOMPARE(again.List()->header()->sortIndicatorSection(), 3);
    QCOMPARE(again.List()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(again.List()->topLevelItem(0)->text(3), QString("DE009984"));
    QVERIFY(again.DescendingBox()->isChecked());
}

QTEST_MAIN(TestDlgCodeLists)
#include "tst_dlgcodelists.moc"
