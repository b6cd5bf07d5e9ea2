// The address dialog, the article dialog and the data-file options on real tables in a private
// folder: adding, editing, searching, taking over, what happens to lines that do not fit.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "core/common/CommandIds.h"
#include "core/masterdata/AddressDatabase.h"
#include "core/masterdata/TableCsv.h"
#include "core/masterdata/TarvexStammDaten.h"
#include "core/masterdata/dBaseDocument.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/settings/Profile.h"
#include "ui/masterdata/CDlgCsvImport.h"
#include "ui/masterdata/CDlgEH_Default08.h"
#include "ui/masterdata/CDlgProgramOptions.h"
#include "ui/masterdata/CDlgStammDatenEingabe.h"
#include "ui/masterdata/MasterDataList.h"
#include "ui/sad/CEinheitspapierView.h"

using namespace tarvex;

namespace {

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARVEX_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

// Answers the next message box with the given button and remembers its text.
void AnswerNextMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
    QTimer::singleShot(0, [button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (text) *text = box->text();
        Shot(*box, "MasterData_Message");
        QAbstractButton* b = box->button(button);
        QVERIFY(b);
        b->click();
    });
}

QStringList Rows(CMasterDataListView* list) {
    QStringList rows;
    for (int r = 0; r < list->model()->rowCount(); ++r) rows << list->model()->index(r, 0).data().toString();
    return rows;
}

std::filesystem::path Fs(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// An article table "ARTIKEL1.DBF" in the folder, made as the program makes it, with these articles.
void WriteArticles(const QString& folder, std::initializer_list<CArticle> list) {
    CTarvexStammDaten data;
    data.SetTablePath(Fs(folder), u"ARTIKEL1.DBF", kLayout8, {});
    QCOMPARE(data.LoadArticles(), 0);
    for (const CArticle& a : list) data.AddArticle(a);
    QCOMPARE(data.SaveArticles(), 0);
}

}  // namespace

class TestMasterData : public QObject {
    Q_OBJECT
private slots:
    void addressesAddedEditedSearchedAndTakenOver();
    void articlesAddedAndPickedInSelectionMode();
    void articleChangedByAnotherClerkIsNotOverwritten();
    void programOptionsStoreAndRecreate();
    void f2InTheSadViewTakesAddressAndArticle();
    void takeOverWithoutAChosenEntryChangesNoBox();
    void selectionModeOverAnEmptyTableTakesTheFirstArticle();
    void returnSavesAfterTheCountryList();
    void everyButtonHasAnAccessKey();
    void csvImportWithPreviewMappingAndConfirmation();
    void csvImportReportsWhatWasNotImported();
    void importButtonFillsTheAddressList();
};

void TestMasterData::addressesAddedEditedSearchedAndTakenOver() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CDlgEH_Default08 dlg(profile, Fs(dir.path()));
    QCOMPARE(dlg.TablePath(), Fs(dir.path()) / "Adress1.dbf");
    QCOMPARE(QString::fromStdU16String(profile.GetProfileString("Settings", "AdressdatenDatei", u"")),
             QString::fromStdU16String(dlg.TablePath().u16string()));
    // First use: one plain question, no failure report before it.
    QStringList asked;
    auto* watch = new QTimer;
    watch->setInterval(10);
    QObject::connect(watch, &QTimer::timeout, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        asked << box->text();
        Shot(*box, "CDlgEH_Default08_ErsteNutzung");
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->close();
    });
    watch->start();
    QCOMPARE(dlg.OpenOrCreate(), 1);
    delete watch;
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked[0].contains("noch nicht vorhanden") && asked[0].contains("Adress1.dbf"),
             qPrintable(asked[0]));
    QVERIFY(!asked[0].contains("Fehler"));
    dlg.SetAddress(u"aus dem Feld");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(Rows(dlg.List()), QStringList{"Erster Eintrag"});

    auto add = [&](const QString& text, const QString& number) {
        dlg.NewButton()->click();
        QVERIFY(dlg.IsEditing());
        QCOMPARE(dlg.OkButton()->text().remove(QLatin1Char('&')), QString("Speichern"));
        QVERIFY(dlg.AddressEdit()->toPlainText().isEmpty());
        dlg.AddressEdit()->setPlainText(text);
        dlg.NumberEdit()->setText(number);
        dlg.OkButton()->click();
    };
    add("Zeller Import GmbH\nHafenstraße 7\n20457 Hamburg", "DE1111111");
    add("Ärztebedarf Kühn KG\nLindenallee 3\n04109 Leipzig", "DE2222222");
    QVERIFY(!dlg.IsEditing());
    QCOMPARE(dlg.OkButton()->text().remove(QLatin1Char('&')), QString("Übernehmen"));
    QCOMPARE(Rows(dlg.List()), (QStringList{"Ärztebedarf Kühn KG", "Erster Eintrag", "Zeller Import GmbH"}));
    QCOMPARE(dlg.List()->currentIndex().data().toString(), QString("Ärztebedarf Kühn KG"));
    Shot(dlg, "CDlgEH_Default08");

    // Six lines: the user is told before anything is cut; "Nein" goes back to the text.
    dlg.List()->SelectEntry(1);  // entries count in file order: "Zeller Import GmbH"
    QCOMPARE(dlg.List()->currentIndex().data().toString(), QString("Zeller Import GmbH"));
    dlg.EditButton()->click();
    const QString sixLines =
        "Zeller Import GmbH\nHafenstraße 7\n20457 Hamburg\nTor 4\nRampe 2\nbei Herrn Ohm";
    dlg.AddressEdit()->setPlainText(sixLines);
    QString told;
    AnswerNextMessage(QMessageBox::No, &told);
    dlg.OkButton()->click();
    QVERIFY(told.contains("Zeilen ab Zeile 5"));
    QVERIFY(dlg.IsEditing());
    QCOMPARE(dlg.AddressEdit()->toPlainText(), sixLines);
    // "Nein": the keyboard is back in the address, on the first line that does not fit.
    QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(dlg.AddressEdit()));
    QCOMPARE(dlg.AddressEdit()->textCursor().blockNumber(), 4);
    AnswerNextMessage(QMessageBox::Yes);
    dlg.OkButton()->click();
    QVERIFY(!dlg.IsEditing());
    QCOMPARE(dlg.AddressEdit()->toPlainText(),
             QString("Zeller Import GmbH\nHafenstraße 7\n20457 Hamburg\nTor 4"));

    // The search narrows the list by any line and the customs number, case-insensitive.
    QTest::keyClicks(dlg.FilterEdit(), "LEIPZIG");
    QCOMPARE(Rows(dlg.List()), QStringList{"Ärztebedarf Kühn KG"});
    dlg.FilterEdit()->setText("de111");
    QCOMPARE(Rows(dlg.List()), QStringList{"Zeller Import GmbH"});
    Shot(dlg, "CDlgEH_Default08_Suche");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdU16String(dlg.Address()),
             QString("Zeller Import GmbH\r\nHafenstraße 7\r\n20457 Hamburg\r\nTor 4"));
    QCOMPARE(QString::fromStdU16String(dlg.CustomsNumber()), QString("DE1111111"));
    dlg.CloseTable();

    // Everything saved is in the table.
    CAddressDatabase db(dlg.TablePath());
    QCOMPARE(db.Table().OpenTable(dlg.TablePath()), 1);
    QVERIFY(db.CheckLayout());
    QCOMPARE(db.ReadEntries().size(), size_t{3});
}

void TestMasterData::articlesAddedAndPickedInSelectionMode() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    {
        CDlgStammDatenEingabe dlg(profile, Fs(dir.path()));
        dlg.Initialise();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(QFile::exists(dir.filePath("ARTIKEL1.DBF")));
        QVERIFY2(dlg.IsEditing(), "an empty table starts with a new entry");
        QCOMPARE(dlg.EditSaveButton()->text().remove(QLatin1Char('&')), QString("Speichern"));
        auto enter = [&](const QString& description, const QStringList& codes) {
            dlg.DescriptionEdit()->setPlainText(description);
            for (int k = 0; k < codes.size(); ++k) dlg.CodeEdit(k)->setText(codes[k]);
            dlg.EditSaveButton()->click();
        };
        enter("Notebooks\n20 Kartons\nZeichen XY", {"84713000", "00", "", "", "", "CN", ""});
        QVERIFY(!dlg.IsEditing());
        dlg.NewButton()->click();
        enter("Äpfel, frisch", {"08081080", "", "", "", "", "IT", ""});
        QCOMPARE(Rows(dlg.DescriptionList()), (QStringList{"Äpfel, frisch", "Notebooks"}));
        QCOMPARE(Rows(dlg.CodeList()), (QStringList{"08081080----", "84713000-00---"}));

        // A code too long for its field: told, then corrected by the user.
        dlg.NewButton()->click();
        QString told;
        AnswerNextMessage(QMessageBox::No, &told);
        enter("Zangen", {"820320001", "", "", "", "", "DE", ""});
        QVERIFY(told.contains("33 A"));
        QVERIFY(dlg.IsEditing());
        dlg.CodeEdit(0)->setText("82032000");
        // "Vorgaben" works only while an origin edit has the focus.
        dlg.SetCodePicker([](int which, std::u16string& code) {
            code = which == 0 ? u"FR" : u"09";
            return true;
        });
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.CodeEdit(0)->setFocus();
        QVERIFY(!dlg.DefaultsButton()->isEnabled());
        dlg.CodeEdit(6)->setFocus();
        QVERIFY(dlg.DefaultsButton()->isEnabled());
        dlg.DefaultsButton()->click();
        QCOMPARE(dlg.CodeEdit(6)->text(), QString("09"));
        QCOMPARE(dlg.CodeEdit(5)->text(), QString("DE"));
        dlg.EditSaveButton()->click();
        QVERIFY(!dlg.IsEditing());
        QCOMPARE(dlg.Data().GetArticleCount(), size_t{3});
        // Typing in a list jumps to the first entry beginning with the letters, umlauts folded.
        dlg.DescriptionList()->setFocus();
        QTest::keyClicks(dlg.DescriptionList(), "ze");
        QCOMPARE(dlg.DescriptionList()->currentIndex().data().toString(), QString("Zangen"));
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(dlg.DescriptionList(), "ap");
        QCOMPARE(dlg.DescriptionList()->currentIndex().data().toString(), QString("Äpfel, frisch"));
        QCOMPARE(dlg.CodeList()->currentIndex().data().toString(), QString("08081080----"));
        dlg.DescriptionList()->SelectEntry(0);
        Shot(dlg, "CDlgStammDatenEingabe");
        dlg.accept();
    }
    CDlgStammDatenEingabe dlg(profile, Fs(dir.path()));
    dlg.SetSelectionMode(true);
    dlg.Initialise();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QString("Stammdatenauswahl"));
    QCOMPARE(dlg.OkButton()->text().remove(QLatin1Char('&')), QString("Übernehmen"));
    QVERIFY(!dlg.NewButton()->isVisible());
    QCOMPARE(Rows(dlg.DescriptionList()), (QStringList{"Äpfel, frisch", "Notebooks", "Zangen"}));
    QTest::keyClicks(dlg.FilterEdit(), "8471");
    QCOMPARE(Rows(dlg.DescriptionList()), QStringList{"Notebooks"});
    QCOMPARE(Rows(dlg.CodeList()), QStringList{"84713000-00---"});
    QCOMPARE(dlg.CodeEdit(5)->text(), QString("CN"));  // the only hit is shown
    Shot(dlg, "CDlgStammDatenEingabe_Auswahl");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdU16String(dlg.Result().description),
             QString("Notebooks\r\n20 Kartons\r\nZeichen XY"));
    QCOMPARE(QString::fromStdU16String(dlg.Result().codes[1]), QString("00"));
}

// Two clerks with the article dialog open on one table: the second to save an article both edited
// is told, sees the list as the table holds it, and keeps the input; new articles of both land.
void TestMasterData::articleChangedByAnotherClerkIsNotOverwritten() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    WriteArticles(dir.path(), {CArticle{u"Bohrer", {u"82075010", u"", u"", u"", u"", u"DE", u""}},
                               CArticle{u"Zangen", {u"82032000", u"", u"", u"", u"", u"DE", u""}}});
    CDlgStammDatenEingabe first(profile, Fs(dir.path())), second(profile, Fs(dir.path()));
    for (CDlgStammDatenEingabe* dlg : {&first, &second}) {
        dlg->Initialise();
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
    }
    auto edit = [](CDlgStammDatenEingabe& dlg, const QString& description) {
        dlg.DescriptionList()->SelectEntry(0);
        dlg.EditSaveButton()->click();
        QVERIFY(dlg.IsEditing());
        dlg.DescriptionEdit()->setPlainText(description);
        dlg.EditSaveButton()->click();
    };
    edit(first, "Bohrer 8 mm");
    QVERIFY(!first.IsEditing());
    QString told;
    AnswerNextMessage(QMessageBox::Ok, &told);
    edit(second, "Bohrer 10 mm");
    QVERIFY2(told.contains("anderen Arbeitsplatz"), qPrintable(told));
    QVERIFY(second.IsEditing());
    QCOMPARE(second.DescriptionEdit()->toPlainText(), QString("Bohrer 10 mm"));
    QCOMPARE(Rows(second.DescriptionList()), (QStringList{"Bohrer 8 mm", "Zangen"}));
    Shot(second, "CDlgStammDatenEingabe_Konflikt");
    // "Abbruch" shows what the table holds; a new edit of it is then saved.
    second.reject();
    QVERIFY(!second.IsEditing());
    QCOMPARE(second.DescriptionEdit()->toPlainText(), QString("Bohrer 8 mm"));
    edit(second, "Bohrer 8 mm, HSS");
    QVERIFY(!second.IsEditing());

    // Both add an article: each lands in a record of its own.
    for (auto [dlg, text] : {std::pair{&first, "Feilen"}, std::pair{&second, "Hämmer"}}) {
        dlg->NewButton()->click();
        dlg->DescriptionEdit()->setPlainText(QString::fromUtf8(text));
        dlg->EditSaveButton()->click();
        QVERIFY(!dlg->IsEditing());
    }
    CTarvexStammDaten back;
    back.SetTablePath(Fs(dir.path()), u"ARTIKEL1.DBF", kLayout8, {});
    QCOMPARE(back.LoadArticles(), 0);
    QStringList stored;
    for (size_t i = 0; i < back.GetArticleCount(); ++i)
        stored << QString::fromStdU16String(back.Description(i));
    QCOMPARE(stored, (QStringList{"Bohrer 8 mm, HSS", "Zangen", "Feilen", "Hämmer"}));
}

void TestMasterData::programOptionsStoreAndRecreate() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CDlgProgramOptions dlg(profile, Fs(dir.path()));
    QCOMPARE(dlg.AddressPathEdit()->text(),
             QString::fromStdU16String((Fs(dir.path()) / "Adress1.dbf").u16string()));
    QVERIFY(dlg.PaperCheckBox()->isChecked());
    bool answer = true;
    dlg.SetQuestionRunner(
        [&](const QString& text) { return text.contains("Warendaten") ? answer : !answer; });
    const QString articles = dir.filePath("neu.dbf");
    dlg.ArticlePathEdit()->setText(articles);
    dlg.InitArticlesButton()->click();
    QVERIFY(dlg.InitArticlesChosen());
    QVERIFY(!dlg.InitAddressesChosen());
    QString title;
    dlg.SetFileDialogRunner([&](QFileDialog& fd) -> bool {
        title = fd.windowTitle();
        return false;  // cancelled: nothing changes
    });
    QList<QPushButton*> browse;
    for (QPushButton* b : dlg.findChildren<QPushButton*>())
        if (b->text() == "....") browse << b;
    QCOMPARE(browse.size(), 2);
    browse[1]->click();
    QCOMPARE(title, QString("Datendatei auswählen"));
    QCOMPARE(dlg.ArticlePathEdit()->text(), articles);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Shot(dlg, "CDlgProgramOptions");
    dlg.PaperCheckBox()->setChecked(false);
    dlg.accept();
    QCOMPARE(QString::fromStdU16String(profile.GetProfileString("Settings", "StammdatenDatei", u"")),
             articles);
    QCOMPARE(profile.GetProfileInt("Settings", "PrnPapielageCheck", 7), 0);
    QVERIFY(QFile::exists(articles));
    QVERIFY(!QFile::exists(dir.filePath("Adress1.dbf")));
    CTarvexStammDaten data;
    data.SetTablePath(Fs(dir.path()), u"neu.dbf", kLayout8, {});
    QCOMPARE(data.LoadArticles(), 0);
    QCOMPARE(data.GetArticleCount(), size_t{0});
}

// The view's F2 runs the real dialogs on the tables of the data folder and writes their result.
void TestMasterData::f2InTheSadViewTakesAddressAndArticle() {
    QTemporaryDir dir;
    CTableError error;
    QVERIFY(CAddressDatabase::CreateAddressTable(Fs(dir.filePath("Adress1.dbf")), 0, error));
    {
        CAddressDatabase db(Fs(dir.filePath("Adress1.dbf")));
        QCOMPARE(db.Table().OpenTable(db.Path()), 1);
        QVERIFY(db.CheckLayout());
        QCOMPARE(db.WriteAddress(2, SplitAddressText(u"Zeller Import GmbH\r\n20457 Hamburg", u"DE1111111")),
                 2);
        CTarvexStammDaten articles;
        articles.SetTablePath(Fs(dir.path()), u"ARTIKEL1.DBF", kLayout8, {});
        QCOMPARE(articles.LoadArticles(), 0);
        articles.AddArticle(
            CArticle{u"Zangen\r\n3 Kisten", {u"82032000", u"90", u"", u"", u"", u"DE", u"05"}});
        QCOMPARE(articles.SaveArticles(), 0);
    }
    CMemoryProfile profile;
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    SadViewEnvironment env;
    env.dataFolder = [&] { return dir.path(); };
    CEinheitspapierView view(&doc, env, defs);
    view.resize(900, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // Box 8: pick the second entry of the list.
    view.GoToField(18, 1);
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CDlgEH_Default08*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QVERIFY(dlg->List()->SelectEntry(1));
        dlg->OkButton()->click();
    });
    view.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(18, 1)),
             QString("Zeller Import GmbH\r\n20457 Hamburg"));  // trailing line breaks removed
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(17, 1)), QString("DE1111111"));
    QVERIFY(doc.IsModified());

    // Box 31 of goods item 2 on the continuation sheet.
    view.ShowPage(2);
    view.GoToField(32, 2);
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CDlgStammDatenEingabe*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Stammdatenauswahl"));
        dlg->OkButton()->click();
    });
    view.OnCommand(cmd::kInsertDefaults);
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(32, 2)), QString("Zangen\r\n3 Kisten"));
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(34, 2)), QString("82032000"));
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(35, 2)), QString("90"));
    QCOMPARE(QString::fromStdU16String(doc.Store().GetFieldText(39, 2)), QString("DE"));
    QCOMPARE(doc.Store().GetCurrentField(), 41);  // box 35 of that goods item
    Shot(view, "SadView_F2_Artikel");
}

namespace {

// A shown SAD view on a new document whose tables live in dir.
struct MasterDataView {
    CMemoryProfile profile;
    CFieldDefinitions defs;
    CEinheitspapierDoc doc{&profile};
    std::unique_ptr<CEinheitspapierView> view;
    explicit MasterDataView(const QString& dir) {
        defs.ResetToBuiltIn();
        doc.OnNewDocument();
        SadViewEnvironment env;
        env.dataFolder = [dir] { return dir; };
        view = std::make_unique<CEinheitspapierView>(&doc, env, defs);
        view->resize(900, 700);
        view->show();
    }
    QString Text(int field) const { return QString::fromStdU16String(doc.Store().GetFieldText(field, 1)); }
};

// Runs act on the next modal widget of type D; message boxes before it are confirmed.
template <class D>
void WhenShown(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            box->button(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)
                ->click();
        } else if (auto* d = qobject_cast<D*>(w)) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start();
}

}  // namespace

// "Übernehmen" (or Return) over a list without a chosen entry writes nothing: an article table
// of another layout, an address table without records, a search that finds nothing.
void TestMasterData::takeOverWithoutAChosenEntryChangesNoBox() {
    QTemporaryDir dir;
    // An article table of another layout and an address table without records.
    {
        CdBaseDocument t;
        t.AddField(u"NAME", 'C', 20, 0);
        t.AddField(u"MENGE", 'N', 5, 0);
        QCOMPARE(t.CreateTable(Fs(dir.filePath("ARTIKEL1.DBF")), 0), 1);
        CdBaseDocument a;
        DefineAddressFields(a);
        QCOMPARE(a.CreateTable(Fs(dir.filePath("Adress1.dbf")), 0), 1);
    }
    MasterDataView mv(dir.path());
    QVERIFY(QTest::qWaitForWindowExposed(mv.view.get()));
    CFieldStore& store = mv.doc.Store();
    const std::vector<std::pair<int, std::u16string>> boxes = {
        {52, u"Alte Ware"}, {54, u"84713000"}, {55, u"00"},   {59, u"CN"},
        {60, u"09"},        {17, u"DE777"},    {18, u"Firma"}};
    for (const auto& [field, text] : boxes) store.SetFieldText(field, text, 1);
    mv.doc.SetModifiedFlag(false);

    struct Case {
        const char* what;
        int field;
    } cases[] = {{"box 31 over a refused article table", 52}, {"box 8 over an empty address table", 18}};
    for (const Case& c : cases) {
        mv.view->GoToField(c.field, 1);
        bool stayedOpen = false, takeOverEnabled = true;
        auto pressReturn = [&](QDialog* dlg, QPushButton* ok) {
            takeOverEnabled = ok->isEnabled();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dlg, Qt::Key_Return);
            stayedOpen = dlg->isVisible();
            if (stayedOpen) dlg->reject();
        };
        if (c.field == 52)
            WhenShown<CDlgStammDatenEingabe>(
                [&](CDlgStammDatenEingabe* d) { pressReturn(d, d->OkButton()); });
        else
            WhenShown<CDlgEH_Default08>([&](CDlgEH_Default08* d) { pressReturn(d, d->OkButton()); });
        mv.view->OnCommand(cmd::kInsertDefaults);
        QVERIFY2(stayedOpen, c.what);
        QVERIFY2(!takeOverEnabled, c.what);
        for (const auto& [field, text] : boxes)
            QCOMPARE(QString::fromStdU16String(store.GetFieldText(field, 1)),
                     QString::fromStdU16String(text));
        QVERIFY2(!mv.doc.IsModified(), c.what);
    }

    // A search that finds nothing: the last entry shown is no choice.
    QTemporaryDir dir2;
    CMemoryProfile profile;
    WriteArticles(dir2.path(), {CArticle{u"Zangen", {u"82032000", u"", u"", u"", u"", u"DE", u""}}});
    CDlgStammDatenEingabe dlg(profile, Fs(dir2.path()));
    dlg.SetSelectionMode(true);
    dlg.Initialise();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.OkButton()->isEnabled());
    dlg.FilterEdit()->setText("kiwi");
    QVERIFY(!dlg.OkButton()->isEnabled());
    dlg.accept();
    QVERIFY(dlg.isVisible());
    dlg.FilterEdit()->clear();
    QVERIFY(dlg.OkButton()->isEnabled());
}

// Selection mode over an empty table: the clerk types the first article, saves it and takes it
// over, all in the one dialog.
void TestMasterData::selectionModeOverAnEmptyTableTakesTheFirstArticle() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CDlgStammDatenEingabe dlg(profile, Fs(dir.path()));
    dlg.SetSelectionMode(true);
    dlg.Initialise();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.IsEditing());
    QVERIFY(dlg.EditSaveButton()->isVisible());
    QCOMPARE(dlg.EditSaveButton()->text().remove(QLatin1Char('&')), QString("Speichern"));
    // Return in a code edit of the untouched entry stores nothing.
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.CodeEdit(0)->setFocus();
    QTest::keyClick(dlg.CodeEdit(0), Qt::Key_Return);
    QCOMPARE(dlg.Data().GetArticleCount(), size_t{0});
    dlg.DescriptionEdit()->setPlainText("Zangen\n3 Kisten");
    dlg.CodeEdit(0)->setText("82032000");
    dlg.CodeEdit(5)->setText("DE");
    Shot(dlg, "CDlgStammDatenEingabe_ErsterArtikel");
    QTest::keyClick(dlg.CodeEdit(5), Qt::Key_Return);
    QVERIFY(!dlg.IsEditing());
    QCOMPARE(dlg.Data().GetArticleCount(), size_t{1});
    QVERIFY(!dlg.EditSaveButton()->isVisible());
    QVERIFY(!dlg.NewButton()->isVisible());
    QVERIFY(dlg.OkButton()->isEnabled());
    QTest::keyClick(dlg.DescriptionList(), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdU16String(dlg.Result().description), QString("Zangen\r\n3 Kisten"));
    QCOMPARE(QString::fromStdU16String(dlg.Result().codes[5]), QString("DE"));
}

// Return saves the entry after the country list was opened with F2 in box 34 A, as it did before.
void TestMasterData::returnSavesAfterTheCountryList() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CDlgStammDatenEingabe dlg(profile, Fs(dir.path()));
    dlg.Initialise();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.DescriptionEdit()->setPlainText("Äpfel");
    dlg.CodeEdit(5)->setFocus();
    QVERIFY(dlg.CodeEdit(5)->hasFocus());
    // F2 opens the real country list; "fr" and Return pick France.
    QTimer::singleShot(50, [] {
        QWidget* list = QApplication::focusWidget();
        QVERIFY(list);
        QTest::keyClicks(list, "fr");
        QTest::keyClick(list, Qt::Key_Return);
    });
    QTest::keyClick(dlg.CodeEdit(5), Qt::Key_F2);
    QCOMPARE(dlg.CodeEdit(5)->text(), QString("FR"));
    QVERIFY(dlg.IsEditing());
    QTRY_VERIFY(dlg.CodeEdit(5)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY2(!dlg.IsEditing(), "Return saved the entry");
    QCOMPARE(dlg.Data().GetArticleCount(), size_t{1});
    QCOMPARE(QString::fromStdU16String(dlg.Data().Code(0, 5)), QString("FR"));
}

// Every button of the master-data dialogs and their questions can be reached with Alt and a letter.
void TestMasterData::everyButtonHasAnAccessKey() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    auto check = [](QWidget& w, const char* name) {
        for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
            // The browse buttons follow their path edits; the search field's clear button has no text.
            if (b->text() == "...." || b->text().isEmpty()) continue;
            const qsizetype at = b->text().indexOf('&');
            QVERIFY2(at >= 0 && at + 1 < b->text().size() && b->text().at(at + 1) != '&',
                     qPrintable(QString("%1: %2").arg(name, b->text())));
        }
    };
    CDlgStammDatenEingabe articles(profile, Fs(dir.path()));
    articles.Initialise();
    check(articles, "Stammdateneingabe");
    articles.reject();
    CTableError error;
    QVERIFY(CAddressDatabase::CreateAddressTable(Fs(dir.filePath("Adress1.dbf")), 0, error));
    CDlgEH_Default08 addresses(profile, Fs(dir.path()));
    QCOMPARE(addresses.OpenOrCreate(), 1);
    check(addresses, "Adressdaten");
    CDlgProgramOptions options(profile, Fs(dir.path()));
    check(options, "Programmeinstellungen");
    // Access keys of one dialog are all different.
    for (QWidget* w : std::initializer_list<QWidget*>{&articles, &addresses, &options}) {
        QStringList keys;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            const qsizetype at = b->text().indexOf('&');
            if (at >= 0 && b->isVisibleTo(w)) keys << b->text().mid(at + 1, 1).toLower();
        }
        QCOMPARE(keys.removeDuplicates(), qsizetype(0));
    }
}

void TestMasterData::csvImportWithPreviewMappingAndConfirmation() {
    QTemporaryDir dir;
    const auto path = Fs(dir.filePath("Adress1.dbf"));
    CTableError error;
    QVERIFY(CreateMasterTable(path, MasterTableLayout::Addresses, error));
    CdBaseDocument table;
    QCOMPARE(table.OpenTable(path), 1);
    // As a spreadsheet writes it: commas, Windows-1252, a line break inside quotes, a column of
    // another name.
    const std::string csv =
        "Firma,ADRESS2,ZOLLNR\r\n"
        "M\xFCller GmbH,\"Hof 1\nHaus B\",DE1\r\n"
        "Stra\xDF"
        "enbau AG,,DE2\r\n";
    CDlgCsvImport dialog(table, csv, dir.filePath("export.csv"));
    QCOMPARE(dialog.EncodingBox()->currentText(), QString("Windows-1252"));
    QCOMPARE(dialog.SeparatorBox()->currentIndex(), 1);
    QTableWidget* preview = dialog.Preview();
    QCOMPARE(preview->columnCount(), 3);
    QCOMPARE(preview->rowCount(), 3);  // the mapping row and two data rows
    QCOMPARE(preview->item(1, 0)->text(), QString("Müller GmbH"));
    QCOMPARE(preview->item(2, 0)->text(), QString("Straßenbau AG"));
    // "Firma" has no field of its name; the others map by name.
    QCOMPARE(dialog.MappingBox(0)->currentText(), QString("(nicht übernehmen)"));
    QCOMPARE(dialog.MappingBox(1)->currentText(), QString("ADRESS2"));
    QCOMPARE(dialog.MappingBox(2)->currentText(), QString("ZOLLNR"));
    // Read as UTF-8 the bytes give other texts: the box switches what the preview shows.
    dialog.EncodingBox()->setCurrentIndex(0);
    QVERIFY(preview->item(1, 0)->text() != QString("Müller GmbH"));
    dialog.EncodingBox()->setCurrentIndex(2);
    QCOMPARE(preview->item(1, 0)->text(), QString("Müller GmbH"));
    dialog.MappingBox(0)->setCurrentText("ADRESS1");
    Shot(dialog, "MasterData_CsvImport");

    QString question;
    dialog.SetConfirm([&](const QString& q) {
        question = q;
        return false;
    });
    QVERIFY(!dialog.RunImport());
    QCOMPARE(question, QString("Sollen 2 Zeilen in die Datei \"Adress1.dbf\" übernommen werden?"));
    QCOMPARE(table.GetRecordCount(), 0);  // "Nein" writes nothing
    dialog.SetConfirm([](const QString&) { return true; });
    int reports = 0;
    dialog.SetReport([&](const CsvImportResult& r) {
        ++reports;
        QCOMPARE(CDlgCsvImport::ReportText(r), QString("2 Datensätze eingelesen."));
    });
    QVERIFY(dialog.RunImport());
    QCOMPARE(reports, 1);
    QCOMPARE(table.GetRecordCount(), 2);
    CAddressDatabase db(path);
    QCOMPARE(db.Table().OpenTable(path), 1);
    QVERIFY(db.CheckLayout());
    CAddressRecord r;
    QVERIFY(db.ReadAddress(1, r));
    QCOMPARE(QString::fromStdU16String(r.lines[0]), QString("Müller GmbH"));
    QCOMPARE(QString::fromStdU16String(r.lines[1]), QString("Hof 1\r\nHaus B"));
    QCOMPARE(QString::fromStdU16String(r.customsNumber), QString("DE1"));
}

void TestMasterData::csvImportReportsWhatWasNotImported() {
    QTemporaryDir dir;
    CTarvexStammDaten articles;
    articles.SetTablePath(Fs(dir.path()), u"ARTIKEL1.DBF", kLayout8, Fs(dir.path()));
    QCOMPARE(articles.CreateArticleTable(0), 1);
    articles.Table().CloseTable();
    CdBaseDocument table;
    QCOMPARE(table.OpenTable(articles.GetTablePath()), 1);
    const auto before = table.GetRecordCount();
    const std::string csv = "WBESCH1;WNR1;WNR2\r\nSchrauben;73181595;00\r\nMuttern;731816300;00\r\n";
    CDlgCsvImport dialog(table, csv, dir.filePath("a.csv"));
    dialog.SetConfirm([](const QString&) { return true; });
    QString report;
    dialog.SetReport([&](const CsvImportResult& r) { report = CDlgCsvImport::ReportText(r); });
    QVERIFY(!dialog.RunImport());
    QCOMPARE(report,
             QString("Es wurde nichts eingelesen (1 Fehler).\nNicht eingelesen, weil:\n"
                     "Zeile 3, Spalte \"WNR1\": Der Text ist 9 Zeichen lang, das Feld WNR1 fasst 8."));
    QCOMPARE(table.GetRecordCount(), before);
    // With "kürzen" the row goes in cut, and the report says so.
    dialog.CutBox()->setChecked(true);
    QVERIFY(dialog.RunImport());
    QCOMPARE(report, QString("2 Datensätze eingelesen.\nGekürzte Texte:\n"
                             "Zeile 3, Spalte \"WNR1\": Der Text wurde auf 8 Zeichen gekürzt (Feld WNR1)."));
    QCOMPARE(table.GetRecordCount(), before + 2);
}

void TestMasterData::importButtonFillsTheAddressList() {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CTableError error;
    QVERIFY(CAddressDatabase::CreateAddressTable(Fs(dir.filePath("Adress1.dbf")), 0, error));
    const QString csv = dir.filePath("liste.csv");
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ADRESS1;ZOLLNR\r\nZander KG;DE9\r\n");
    }
    CDlgEH_Default08 addresses(profile, Fs(dir.path()));
    QCOMPARE(addresses.OpenOrCreate(), 1);
    addresses.show();
    QVERIFY(QTest::qWaitForWindowExposed(&addresses));
    QCOMPARE(Rows(addresses.List()), QStringList{"Erster Eintrag"});
    // What comes up, in order: the file dialog, the import dialog, the question, the report. Each
    // window is answered once (marked by a property, as a new window may take a closed one's
    // address); the file dialog is asked again until it closes. After two minutes whatever is
    // open is cancelled, so that a fault fails the comparison below instead of hanging.
    QStringList seen;
    QElapsedTimer clock;
    clock.start();
    std::function<void()> step = [&] {
        if (seen.size() >= 4) return;
        QTimer::singleShot(20, step);  // before anything modal starts its own loop
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->property("answered").toBool()) return;
        if (clock.elapsed() > 120000) {
            w->setProperty("answered", true);
            QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
        } else if (auto* fd = qobject_cast<QFileDialog*>(w)) {
            if (!seen.contains("Datei")) seen << "Datei";
            fd->selectFile(csv);
            QMetaObject::invokeMethod(fd, "accept", Qt::QueuedConnection);
        } else if (auto* dlg = qobject_cast<CDlgCsvImport*>(w)) {
            w->setProperty("answered", true);
            seen << "Import";
            Shot(*dlg, "MasterData_CsvImportDialog");
            for (QPushButton* b : dlg->findChildren<QPushButton*>())
                if (b->text() == "&Importieren") b->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            w->setProperty("answered", true);
            seen << box->text();
            box->button(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
        }
    };
    QTimer::singleShot(0, step);
    addresses.ImportButton()->click();
    QCOMPARE(seen, (QStringList{"Datei", "Import",
                                "Sollen 1 Zeilen in die Datei \"Adress1.dbf\" übernommen werden?",
                                "1 Datensätze eingelesen."}));
    QCOMPARE(Rows(addresses.List()), (QStringList{"Erster Eintrag", "Zander KG"}));
}

QTEST_MAIN(TestMasterData)
#include "tst_masterdata.moc"
