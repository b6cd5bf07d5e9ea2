// A clerk at the SAD view: types into boxes with Tab, fills box 47 through its dialog, adds a
// sheet, moves a goods item, switches the variant, saves, and reads the file back with
// "tarvex dump": every text is where it was typed.
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/app/Profile.h"
#include "core/formview/AppFieldDefinitions.h"
#include "core/sad/AefFormat.h"
#include "ui/sad/CEinheitspapierView.h"
#include "core/sad/EinheitspapierDoc.h"
#include "ui/sad/SadViewInput.h"
#include "ui/sad/dialogs/CDlgFeld47.h"
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
};

void TestSadViewInput::clerkFillsSavesAndReadsBack() {
    auto& env = SadViewEnvironment::Get();
    int variant = 0;
    env.beep = [] {};
    env.message = [](const QString&) {};
    env.currentVariant = [&] { return variant; };
    env.setCurrentVariant = [&](int v) { variant = v; };
    AppFieldDefinitions().ResetToBuiltIn();

    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    CEinheitspapierView view(&doc);
    view.resize(1000, 800);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    int help = 0;
    CSadViewInput input(view, AppFieldDefinitions(),
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

    // Another form variant: back on the first sheet, not counted as a change by itself.
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

QTEST_MAIN(TestSadViewInput)
#include "tst_dlgsadviewinput.moc"
