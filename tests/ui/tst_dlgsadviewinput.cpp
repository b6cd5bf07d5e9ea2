// A clerk at the SAD view: types into boxes with Tab, fills box 47 through its dialog, adds a
// sheet, moves a goods item, switches the variant, saves, and reads the file back with
// "tarvex dump": every text is where it was typed.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"
#include "ui/codelists/Common_DlgLaenderCode.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/SadViewInput.h"
#include "ui/sad/dialogs/CDlgEH_Default29.h"
#include "ui/sad/dialogs/CDlgFeld44Einfuhr.h"
#include "ui/sad/dialogs/CDlgFeld47.h"
#include "ui/sad/dialogs/CDlgFeld47Base.h"
#include "ui/sad/dialogs/CDlgFeld47Summe.h"
#include "ui/sad/dialogs/CDlgGeheZuFeld.h"
#include "ui/sad/dialogs/CDlgMoveEHWarenpositon.h"

using namespace tarvex;

namespace {

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

// Answers the next modal dialog of type D once it is shown.
template <class D>
void WhenShown(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start();
}

}  // namespace

class TestSadViewInput : public QObject {
    Q_OBJECT
private slots:
    void clerkFillsSavesAndReadsBack();
    void everyChangingCommandMarksTheDocument();
    void focusBackInTheBoxAfterADialog();
    void dialogOpensWithTheEditWindowOnItsBox();
    void focusBackInTheBoxAfterTheMarginSheetInAWindow();
    void goToFieldDialog();
    void insertDefaultsFromTheCodeLists();
    void box15TypedFrIsFrankreich();
};

namespace {

// A shown SAD view on a new document with two continuation sheets whose goods items are filled.
struct ShownView {
    CMemoryProfile profile;
    CEinheitspapierDoc doc{&profile};
    std::unique_ptr<CEinheitspapierView> view;
    int helpContext = 0;
    std::vector<int> helpShown;
    ShownView() {
        SadViewEnvironment env;
        env.helpContext = [this] { return helpContext; };
        env.setHelpContext = [this](int c) { helpContext = c; };
        env.showHelp = [this](int c) { helpShown.push_back(c); };
        env.beep = [] {};
        env.message = [](const QString&) {};
        env.currentVariant = [] { return 0; };
        env.setCurrentVariant = [](int) {};
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        doc.OnNewDocument();
        doc.SetContinuationCount(2);
        for (int p = 2; p <= 3; ++p)
            for (int f : {11, 32, 53})
                doc.Store().SetFieldText(f, u"Ware Nr. " + std::u16string(1, char16_t(u'0' + f % 10)), p);
        view = std::make_unique<CEinheitspapierView>(&doc, env, defs);
        view->resize(1000, 800);
        view->show();
    }
};

// Answers every modal dialog with OK (Yes for a question) while it exists; the move dialog
// moves the first continuation item onto the second, "Gehe zu Feld" goes to box 35.
struct DialogAnswerer {
    QTimer timer;
    DialogAnswerer() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(w))
                box->button(QMessageBox::Yes)->click();
            else if (auto* move = qobject_cast<CDlgMoveEHWarenpositon*>(w)) {
                move->SourceList()->setCurrentIndex(1);
                move->TargetList()->setCurrentIndex(2);
                QTest::mouseClick(move->OkButton(), Qt::LeftButton);
            } else if (auto* feld44 = qobject_cast<CDlgFeld44Einfuhr*>(w)) {
                // OK on what was there changes nothing: tick the input-tax box.
                feld44->Check()->setChecked(!feld44->Check()->isChecked());
                feld44->accept();
            } else if (auto* feld47 = qobject_cast<CDlgFeld47Base*>(w)) {
                feld47->Cell(0, 1)->setText(feld47->Cell(0, 1)->text() == "12,50" ? "13,50" : "12,50");
                feld47->accept();
            } else if (auto* go = qobject_cast<CDlgGeheZuFeld*>(w)) {
                go->Edit()->setText("35");
                go->accept();
            } else if (auto* d = qobject_cast<QDialog*>(w))
                d->accept();
        });
        timer.start();
    }
};

}  // namespace

// Whatever changes the document marks it, so that closing asks before anything is lost.
void TestSadViewInput::everyChangingCommandMarksTheDocument() {
    struct Case {
        const char* name;
        int page, field;  // where the caret is before the command
        std::function<void(CEinheitspapierView&)> act;
    };
    auto command = [](int id) { return [id](CEinheitspapierView& v) { v.OnCommand(id); }; };
    const Case cases[] = {
        {"typing, then Tab", 1, 10,
         [](CEinheitspapierView& v) {
             QTest::keyClicks(v.EditWindow(), "Lieferant");
             v.Input().Navigate(true);
         }},
        {"F2 stamp date", 2, 4, command(cmd::kInsertDefaults)},
        {"F2 country list", 1, 29, command(cmd::kInsertDefaults)},
        {"F2 federal state, continuation sheet", 2, 19, command(cmd::kInsertDefaults)},
        {"add page", 3, 11, command(cmd::kAddPage)},
        {"remove last page", 3, 11, command(cmd::kRemoveLastPage)},
        {"move goods item", 2, 11, command(cmd::kMoveGoodsItem)},
        {"variant", 1, 10, command(cmd::kVariant1)},
        {"boxes 3, 5 and 32", 1, 10, command(cmd::kUpdateFields)},
        {"box 44 dialog", 1, 68, [](CEinheitspapierView& v) { v.GoToField(69, 1); }},
        {"box 47 dialog", 1, 72, [](CEinheitspapierView& v) { v.GoToField(73, 1); }},
        {"box 47-2 dialog", 2, 73, [](CEinheitspapierView& v) { v.GoToField(75, 2); }},
        {"box 47 summary dialog", 2, 73, [](CEinheitspapierView& v) { v.GoToField(77, 2); }},
        {"font larger", 1, 10, command(cmd::kFontLarger)},
        {"font smaller", 1, 10, command(cmd::kFontSmaller)},
        {"bold", 1, 10, command(cmd::kFontBold)},
        {"left", 1, 70, command(cmd::kAlignLeft)},
        {"centred", 1, 10, command(cmd::kAlignCenter)},
        {"right", 1, 10, command(cmd::kAlignRight)},
        {"Ctrl+Z centres", 1, 10,
         [](CEinheitspapierView& v) { QTest::keyClick(v.EditWindow(), Qt::Key_Z, Qt::ControlModifier); }},
    };
    for (const Case& c : cases) {
        ShownView sv;
        CEinheitspapierView& v = *sv.view;
        if (c.page != 1) v.ShowPage(c.page);
        sv.doc.Store().ActivateField(c.field, c.page);
        sv.doc.SetModifiedFlag(false);
        DialogAnswerer answer;
        c.act(v);
        QVERIFY2(sv.doc.IsModified(), c.name);
    }
}

// After a dialog the clerk types on in the box, also where no window manager activates the form.
void TestSadViewInput::focusBackInTheBoxAfterADialog() {
    ShownView sv;
    CEinheitspapierView& v = *sv.view;
    QVERIFY(QTest::qWaitForWindowActive(&v));
    v.ShowPage(2);
    sv.doc.Store().ActivateField(11, 2);
    const auto inBox = [&] { return QApplication::focusWidget() == v.EditWindow(); };
    QTRY_VERIFY(inBox());
    const std::function<void()> dialogs[] = {
        [&] { v.OnCommand(cmd::kMoveGoodsItem); },
        [&] { v.OnCommand(cmd::kRemoveLastPage); },
        [&] { v.OnCommand(cmd::kGoToField); },
        [&] { v.GoToField(75, 2); },
    };
    DialogAnswerer answer;
    for (const auto& open : dialogs) {
        open();
        QTRY_VERIFY(inBox());
        QVERIFY(v.EditWindow()->isVisible());
    }
}

// A step moves the edit window once, at its end; a dialog it opens on the way still finds the
// window over the box the dialog belongs to, not over the one the caret came from.
void TestSadViewInput::dialogOpensWithTheEditWindowOnItsBox() {
    ShownView sv;
    CEinheitspapierView& v = *sv.view;
    CFieldStore& store = sv.doc.Store();
    const struct { int page, from, to; } cases[] = {{1, 72, 73}, {2, 76, 77}};
    for (const auto& c : cases) {
        if (c.page != v.CurrentPage()) v.ShowPage(c.page);
        store.ActivateField(c.from, c.page);
        int dialogs = 0;
        QPoint window, box;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            ++dialogs;
            FieldRect r;
            c.page == 1 ? store.GetFieldRect1(store.GetCurrentField(), r)
                        : store.GetFieldRect2(store.GetCurrentField(), r);
            box = QPoint(r.left, r.top) - v.DeviceScrollPosition();
            window = v.EditWindow()->pos();
            dialog->reject();
        });
        timer.start();
        v.GoToField(c.to, c.page);
        QCOMPARE(dialogs, 1);
        QCOMPARE(window, box);
        QVERIFY(box != QPoint());
    }
}

// In a document window the margin sheet too gives the keyboard back to the box it came from.
void TestSadViewInput::focusBackInTheBoxAfterTheMarginSheetInAWindow() {
    CMemoryProfile profile;
    CEinheitspapierDoc doc{&profile};
    doc.OnNewDocument();
    SadViewEnvironment env;
    env.beep = [] {};
    env.message = [](const QString&) {};
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    QMdiArea area;
    auto* view = new CEinheitspapierView(&doc, env, defs);
    QMdiSubWindow* sub = area.addSubWindow(view);
    area.resize(1000, 800);
    area.show();
    sub->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    area.setActiveSubWindow(sub);
    view->FocusBox();
    const auto inBox = [&] { return QApplication::focusWidget() == view->EditWindow(); };
    QTRY_VERIFY(inBox());
    bool sheetSeen = false;
    QTimer::singleShot(50, [&] {
        auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        sheetSeen = sheet != nullptr;
        if (sheet) sheet->reject();
    });
    QVERIFY(view->OnCommand(cmd::kMargins));
    QVERIFY(sheetSeen);
    QTRY_VERIFY(inBox());
}

void TestSadViewInput::goToFieldDialog() {
    ShownView sv;
    CEinheitspapierView& v = *sv.view;
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QString message;
    WhenShown<CDlgGeheZuFeld>([&](CDlgGeheZuFeld* d) {
        QTest::keyClicks(d->Edit(), "99");
        QTest::keyClick(d->Edit(), Qt::Key_Return);
        QVERIFY(d->isVisible());
        message = d->Message()->text();
        Shot(*d, "goto-unknown");
        d->Edit()->clear();
        QTest::keyClicks(d->Edit(), "17 a");
        QTest::keyClick(d->Edit(), Qt::Key_Return);
    });
    v.OnCommand(cmd::kGoToField);
    QVERIFY(message.startsWith("Dieses Feld gibt es auf dem Formular nicht."));
    QCOMPARE(int(sv.doc.Store().GetCurrentField()), 29);
    // On a continuation sheet the goods item of the caret is offered; box 8 leads to the first sheet.
    v.ShowPage(3);
    sv.doc.Store().ActivateField(40, 3);
    WhenShown<CDlgGeheZuFeld>([&](CDlgGeheZuFeld* d) {
        QCOMPARE(d->Item(), 2);
        Shot(*d, "goto-continuation");
        QTest::keyClicks(d->Edit(), "35");
        d->accept();
    });
    v.OnCommand(cmd::kGoToField);
    QCOMPARE(v.CurrentPage(), 3);
    QCOMPARE(int(sv.doc.Store().GetCurrentField()), 41);
    WhenShown<CDlgGeheZuFeld>([&](CDlgGeheZuFeld* d) {
        QTest::keyClicks(d->Edit(), "8");
        d->accept();
    });
    v.OnCommand(cmd::kGoToField);
    QCOMPARE(v.CurrentPage(), 1);
    QCOMPARE(int(sv.doc.Store().GetCurrentPage()), 1);
    QCOMPARE(int(sv.doc.Store().GetCurrentField()), 18);  // the address, where F2 works
}

// F2 as a clerk uses it: a country typed half into Feld 17 A, picked by name; an office from the
// list sorted by code.
void TestSadViewInput::insertDefaultsFromTheCodeLists() {
    ShownView sv;
    CEinheitspapierView& v = *sv.view;
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    CFieldStore& store = sv.doc.Store();
    v.GoToField(29, 1);
    QTest::keyClicks(v.EditWindow(), "fr");
    CommandState state;
    QVERIFY(v.UpdateCommandUI(cmd::kInsertDefaults, state));
    QVERIFY(state.enabled);
    sv.doc.SetModifiedFlag(false);
    QString title, presetCode;
    WhenShown<Common_DlgLaenderCode>([&](Common_DlgLaenderCode* d) {
        title = d->windowTitle();
        presetCode = d->CodeList()->currentItem()->text();
        QTest::keyClicks(d->NameList(), "frank");
        QTest::keyClick(d->NameList(), Qt::Key_Return);
    });
    v.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(title, QString("Bestimmungsland"));
    QCOMPARE(presetCode, QString("FR"));
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(32, 1)), QString("Frankreich"));
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(29, 1)), QString("FR"));
    QCOMPARE(int(store.GetCurrentField()), 30);
    QVERIFY(sv.doc.IsModified());

    // Cancel leaves the box as typed.
    v.GoToField(50, 1);
    QTest::keyClicks(v.EditWindow(), "DE004851");
    WhenShown<CDlgEH_Default29>([](CDlgEH_Default29* d) { d->reject(); });
    v.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(50, 1)), QString("DE004851"));
    QCOMPARE(int(store.GetCurrentField()), 50);

    sv.helpContext = 1;  // as another window may have left it
    int contextWhileOpen = 0;
    WhenShown<CDlgEH_Default29>([&](CDlgEH_Default29* d) {
        contextWhileOpen = sv.helpContext;
        d->findChild<QPushButton*>("button57670")->click();
        QCOMPARE(d->List()->currentItem()->text(3), QString("DE004851"));
        for (int i = 0; i < 2; ++i) emit d->List()->header()->sectionClicked(3);
        d->List()->setCurrentItem(d->List()->topLevelItem(0));
        d->accept();
    });
    v.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(50, 1)), QString("DE009984"));
    QCOMPARE(int(store.GetCurrentField()), 51);
    // The dialog's help is the page of box 29, while it is open and from its button.
    QCOMPARE(contextWhileOpen, 429);
    QCOMPARE(sv.helpShown, std::vector<int>{429});

    // The stamp date is a question; No leaves the stamp line as it is.
    v.ShowPage(2);
    store.ActivateField(4, 2);
    QString question;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        Shot(*box, "stamp-date-question");
        box->button(QMessageBox::No)->click();
    });
    v.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(question, QString("Soll das aktuelle Datum eingefügt werden?"));
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(4, 2)), QString());
}

void TestSadViewInput::clerkFillsSavesAndReadsBack() {
    SadViewEnvironment env;
    int variant = 0;
    env.beep = [] {};
    env.message = [](const QString&) {};
    env.currentVariant = [&] { return variant; };
    env.setCurrentVariant = [&](int v) { variant = v; };
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();

    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    CEinheitspapierView view(&doc, env, defs);
    view.resize(1000, 800);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    int help = 0;
    CSadViewInput input(view, view.Definitions(),
                        {[&](int page) { view.ShowPage(page); }, [&](int c) { help = c; }, [](int) {}});
    auto type = [&](const QString& text) { QTest::keyClicks(view.EditWindow(), text); };

    // Boxes 1 A, 1 B, then Tab skips the stamp lines to box 2.
    input.GoToField(0, 1);
    type("IM");
    input.Navigate(true);
    type("A");
    input.Navigate(true);
    QCOMPARE(int(doc.Store().GetCurrentField()), 9);
    type("DE4711");
    input.Navigate(true);
    type("Lieferant AG");
    input.Navigate(true);
    QCOMPARE(help, 403);  // Feld 3 A

    // Box 47 of the first sheet through its dialog.
    WhenShown<CDlgFeld47>([](CDlgFeld47* d) {
        d->Cell(0, 0)->setText("20000");
        d->Cell(0, 3)->setFocus();
        QTest::keyClicks(d->Cell(0, 3), "19,5");
        d->Cell(0, 4)->setFocus();
        QTest::keyClicks(d->Cell(0, 4), "B");
        Shot(*d, "clerk-feld47");
        d->accept();
    });
    input.GoToField(73, 1);
    QCOMPARE(doc.Store().GetFieldText(118, 1), std::u16string(u"19,50"));
    QCOMPARE(doc.Store().GetFieldText(150, 1), std::u16string(u"19,50"));
    QVERIFY(doc.IsModified());

    // The first continuation sheet: three goods items, then a new sheet.
    CommandState st;
    input.UpdateCommandUI(cmd::kAddPage, st);
    QVERIFY(!st.enabled);
    input.OnCommand(cmd::kNextPage);
    QCOMPARE(view.CurrentPage(), 2);
    const QString items[3] = {"Schrauben M8", "Muttern M8", "Scheiben 8,4"};
    for (int g = 0; g < 3; ++g) {
        input.GoToField(11 + 21 * g, 2);
        type(items[g]);
    }
    input.Navigate(true);
    input.UpdateCommandUI(cmd::kAddPage, st);
    QVERIFY(st.enabled);
    input.OnCommand(cmd::kAddPage);
    QCOMPARE(view.CurrentPage(), 3);
    QCOMPARE(view.StatusPageText(), QString("Einheitspapier - Seite 3 von 3"));
    Shot(view, "clerk-added-sheet");

    // Move goods item 2 of page 2 to position 1 of page 3.
    WhenShown<CDlgMoveEHWarenpositon>([](CDlgMoveEHWarenpositon* d) {
        QCOMPARE(d->SourceList()->count(), 7);
        d->SourceList()->setCurrentIndex(2);
        d->TargetList()->setCurrentIndex(4);
        Shot(*d, "clerk-move");
        QTest::mouseClick(d->OkButton(), Qt::LeftButton);
    });
    input.OnCommand(cmd::kMoveGoodsItem);
    QCOMPARE(doc.Store().GetFieldText(11, 3), std::u16string(u"Muttern M8"));
    QCOMPARE(doc.Store().GetFieldText(32, 2), std::u16string());

    // Another form variant: back on the first sheet.
    input.OnCommand(cmd::kVariant3);
    QCOMPARE(doc.m_nFormVariant, 3);
    QCOMPARE(view.CurrentPage(), 1);
    input.UpdateCommandUI(cmd::kVariant3, st);
    QVERIFY(st.checked && !st.enabled);

    QTemporaryDir dir;
    const QString file = dir.filePath("clerk.aef");
    std::string error;
    QVERIFY2(SaveAefFile(file.toStdString(), doc, error), error.c_str());

    QProcess dump;
    dump.start(QCoreApplication::applicationDirPath() + "/../cli/tarvex", {"dump", file});
    QVERIFY(dump.waitForFinished(20000));
    QCOMPARE(dump.exitCode(), 0);
    const QJsonObject json = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
    QCOMPARE(json["variant"].toInt(), 3);
    QCOMPARE(json["continuationCount"].toInt(), 2);
    const QJsonArray pages = json["pages"].toArray();
    auto text = [&](int page, int field) {
        return pages[page - 1].toObject()["fields"].toArray()[field].toObject()["text"].toString();
    };
    QCOMPARE(text(1, 0), QString("IM"));
    QCOMPARE(text(1, 1), QString("A"));
    QCOMPARE(text(1, 9), QString("DE4711"));
    QCOMPARE(text(1, 10), QString("Lieferant AG"));
    QCOMPARE(text(1, 115), QString("20000"));
    QCOMPARE(text(1, 118), QString("19,50"));
    QCOMPARE(text(1, 119), QString("B"));
    QCOMPARE(text(1, 150), QString("19,50"));
    QCOMPARE(text(2, 11), QString("Schrauben M8"));
    QCOMPARE(text(2, 32), QString());
    QCOMPARE(text(2, 53), QString("Scheiben 8,4"));
    QCOMPARE(text(3, 11), QString("Muttern M8"));
}

// Box 15, F2, "fr", Return: the keyboard starts where the dialog puts it, and "fr" is France.
void TestSadViewInput::box15TypedFrIsFrankreich() {
    ShownView sv;
    CEinheitspapierView& v = *sv.view;
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    CFieldStore& store = sv.doc.Store();
    v.GoToField(26, 1);
    QString start;
    WhenShown<Common_DlgLaenderCode>([&](Common_DlgLaenderCode* d) {
        // The widget that has the keyboard in the dialog (the window system may not have made
        // the dialog active yet).
        QWidget* w = d->focusWidget();
        if (!w) w = d->nextInFocusChain();
        start = w ? w->objectName() : QString();
        QTest::keyClicks(w, "fr");
        QTest::keyClick(w, Qt::Key_Return);
    });
    v.OnCommand(cmd::kInsertDefaults);
    QVERIFY(!start.isEmpty());
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(26, 1)), QString("Frankreich"));
    QCOMPARE(QString::fromStdU16String(store.GetFieldText(27, 1)), QString("FR"));
}

QTEST_MAIN(TestSadViewInput)
#include "tst_dlgsadviewinput.moc"
