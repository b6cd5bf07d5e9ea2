// Never lose a declaration: recovery copies after a crash (the program killed with SIGKILL in a
// child process and restored at the next start), the lock beside a document with two programs,
// document-wide undo and redo of every kind of command, the close question's three answers and a
// file changed behind the program's back. Runs offscreen with TARVEX_SETTINGS_DIR set.
//
// The test program doubles as the "other program": started with --child it runs the application
// as tarvex-import does and does what the test asks, until it is killed.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

#include "core/app/RecoverableDocument.h"
#include "core/common/CommandIds.h"
#include "core/dv1/Dv1Doc.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFields.h"
#include "render/app/QSettingsProfile.h"
#include "tests/common/AppFixture.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/documents/CDlgRecovery.h"
#include "ui/documents/DocumentLock.h"
#include "ui/documents/DocumentRecovery.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/forms/Dv1FormDocument.h"
#include "ui/forms/SadFormDocument.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/dialogs/CDlgFeld44Einfuhr.h"
#include "ui/sad/dialogs/CDlgMoveEHWarenpositon.h"

using namespace tarvex;
using namespace tarvex::testutil;

namespace {

void ClickButton(QWidget* dialog, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    QVERIFY(box);
    box->button(which)->click();
}

CEinheitspapierView* ViewOf(CChildFrame* child) {
    return child ? qobject_cast<CEinheitspapierView*>(child->View()) : nullptr;
}

// Types into a box as the clerk does: enter it, type, leave it for the next one (which commits).
void TypeInto(CEinheitspapierView* view, int field, int page, const QString& text) {
    view->GoToField(field, page);
    view->EditWindow()->selectAll();
    view->EditWindow()->insertPlainText(text);
}

// Every non-empty text of the document, with what is typed into the open box, as "page/field=text".
template <class Doc>
QStringList AllTexts(Doc& doc) {
    QStringList lines;
    CFieldStore& s = doc.Store();
    const IEditWindow* window = s.Window();
    for (int page = 1; page <= s.GetPageCount(); ++page) {
        const int n = page == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int f = 0; f < n; ++f) {
            std::u16string t = s.GetFieldText(f, page);
            if (window && window->HasWindow() && f == s.GetCurrentField() && page == s.GetCurrentPage())
                t = window->WindowText();
            while (!t.empty() && (t.back() == u' ' || t.back() == u'\r' || t.back() == u'\n')) t.pop_back();
            if (!t.empty())
                lines.append(QStringLiteral("%1/%2=%3").arg(page).arg(f).arg(QString::fromStdU16String(t)));
        }
    }
    return lines;
}

std::unique_ptr<CTarvexImportApp> MakeApp(const QStringList& args) {
    // Whatever another test left is not this program's business.
    return StartTestApp(args, 0, nullptr, [](CTarvexImportApp& app) {
        Answers(app).askRecovery = [](const QList<RecoveryEntry>&) { return std::optional<QList<bool>>(); };
    });
}

// --- the other program

int RunChild(const QString& mode, const QString& arg) {
    if (mode == QLatin1String("lock")) {
        // Only the folder's lock, held as a program holds it once it has written its first copy.
        CDocumentRecovery recovery(CDocumentRecovery::DefaultFolder());
        if (!recovery.Start()) return 3;
        std::printf("READY\n");
        std::fflush(stdout);
        for (;;) QTest::qWait(100);
    }
    std::unique_ptr<CTarvexImportApp> app =
        MakeApp(mode == QLatin1String("type") ? QStringList{} : QStringList{arg});
    CChildFrame* child = app->MainFrame()->ActiveChild();
    if (mode == QLatin1String("dv1")) {
        Answers(*app).runNewDialog = [] { return 99; };
        app->Documents().OnFileNew();
        child = app->MainFrame()->ActiveChild();
        auto* dv1View = child ? qobject_cast<CDV1_View*>(child->View()) : nullptr;
        if (!dv1View) return 3;
        dv1View->GoToField(2, 1);
        dv1View->EditWindow()->insertPlainText(QStringLiteral("Käufer AG, Lübeck"));
        dv1View->GoToField(5, 1);
        dv1View->EditWindow()->insertPlainText(QStringLiteral("noch im Feld"));
        QElapsedTimer t;
        t.start();
        while (child->RecoveryPending() && t.elapsed() < 10000) QTest::qWait(50);
        QFile expected(arg);
        if (!expected.open(QIODevice::WriteOnly)) return 4;
        expected.write(AllTexts(*Dv1DocumentOf(child)).join(QLatin1Char('\n')).toUtf8());
        expected.close();
        std::printf("READY\n");
        std::fflush(stdout);
        for (;;) QTest::qWait(100);
    }
    CEinheitspapierView* view = ViewOf(child);
    if (!view) return 3;
    if (mode == QLatin1String("type")) {
        TypeInto(view, 10, 1, QStringLiteral("Müller & Söhne GmbH"));
        TypeInto(view, 22, 1, QStringLiteral("1.234,56"));
        TypeInto(view, 52, 1, QStringLiteral("Schrauben aus Edelstahl"));
        view->OnCommand(cmd::kNextPage);
        TypeInto(view, 11, 2, QStringLiteral("Muttern M8"));
        TypeInto(view, 32, 2, QStringLiteral("Unterlegscheiben"));
        TypeInto(view, 53, 2, QStringLiteral("Gewindestangen"));
        view->OnCommand(cmd::kAddPage);  // page 3, and boxes 3, 5 and 32 follow
        // Typed and not committed: the clerk is still in the box when the power goes.
        TypeInto(view, 11, 3, QStringLiteral("Dübel ∅ 8 mm"));
        // The copy follows when typing pauses.
        QElapsedTimer t;
        t.start();
        while (child->RecoveryPending() && t.elapsed() < 10000) QTest::qWait(50);
        QFile expected(arg);
        if (!expected.open(QIODevice::WriteOnly)) return 4;
        expected.write(AllTexts(*SadDocumentOf(child)).join(QLatin1Char('\n')).toUtf8());
    } else if (mode == QLatin1String("edit")) {
        TypeInto(view, 10, 1, QStringLiteral("nach dem Öffnen getippt"));
        view->GoToField(25, 1);
        if (!child->WriteRecoveryNow()) return 5;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    for (;;) QTest::qWait(100);
}

class OtherProgram {
public:
    bool Start(const QString& mode, const QString& arg) {
        m_process.setProgram(QCoreApplication::applicationFilePath());
        m_process.setArguments({QStringLiteral("--child"), mode, arg});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 60000) {
            if (m_process.canReadLine() && m_process.readLine().startsWith("READY")) return true;
            if (!m_process.waitForReadyRead(200) && m_process.state() == QProcess::NotRunning) return false;
        }
        return false;
    }
    // SIGKILL: no destructor, no cleanup, as in a crash or a power loss.
    void Kill() {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    ~OtherProgram() {
        if (m_process.state() != QProcess::NotRunning) Kill();
    }
    qint64 Pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

QString RecoveryFolder() {
    return CDocumentRecovery::DefaultFolder();
}

QStringList RecoveryFiles() {
    return QDir(RecoveryFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString NewSadFile(const QString& path) {
    CEinheitspapierDoc doc;
    doc.ConfigureStore();
    doc.OnNewDocument();
    doc.m_nFormVariant = 0;
    doc.Store().SetFieldText(10, u"Absender aus der Datei", 1);
    std::string error;
    return SaveAefFile(std::filesystem::path(path.toStdU16String()), doc, error) ? path : QString();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#ifdef Q_OS_UNIX
// Files of this process cannot grow beyond `bytes` while it lives, as on a disk that fills up: a
// write past it fails with EFBIG (the signal that would end the process is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limited{bytes, m_old.rlim_max};
        m_ok = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool Ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};
#endif

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QSettingsProfile::SettingsDirOverride().isEmpty(), "run with TARVEX_SETTINGS_DIR set");
    }
    void init() { QDir(RecoveryFolder()).removeRecursively(); }

    void killedProgramIsRestoredWithEveryText() {
        QTemporaryDir dir;
        const QString expectedPath = dir.filePath(QStringLiteral("expected.txt"));
        OtherProgram other;
        QVERIFY(other.Start(QStringLiteral("type"), expectedPath));
        QFile expectedFile(expectedPath);
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(expectedFile.readAll()).split(QLatin1Char('\n'));
        QVERIFY(expected.contains(QStringLiteral("3/11=Dübel ∅ 8 mm")));
        QVERIFY(expected.contains(QStringLiteral("1/10=Müller & Söhne GmbH")));
        QVERIFY(RecoveryFiles().filter(QStringLiteral(".entry")).size() == 1);

        // While the other program runs, its copies are its own: a second program offers nothing.
        {
            int asked = 0;
            auto app = NewTestApp();
            Answers(*app).runNewDialog = [] { return -1; };
            Answers(*app).askRecovery = [&](const QList<RecoveryEntry>&) {
                ++asked;
                return std::optional<QList<bool>>(QList<bool>{true});
            };
            app->InitInstance({QStringLiteral("tarvex-import")});
            QCoreApplication::processEvents();
            QCOMPARE(asked, 0);
            QVERIFY(app->MainFrame()->Children().isEmpty());
        }
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);

        other.Kill();

        // The next start asks (the real question, looked at) and restores.
        int newDialogs = 0;
        auto app = NewTestApp();
        Answers(*app).runNewDialog = [&] {
            ++newDialogs;
            return -1;
        };
        Answers(*app).showMessage = [](const QString&, const QString& text) { QFAIL(qPrintable(text)); };
        QStringList listed;
        ModalAnswers answers({[&](QWidget* w) {
            auto* dlg = qobject_cast<CDlgRecovery*>(w);
            QVERIFY(dlg);
            for (int i = 0; i < dlg->List()->count(); ++i) listed.append(dlg->List()->item(i)->text());
            SaveScreenshot(dlg, QStringLiteral("recovery-question.png"));
            dlg->accept();
        }});
        app->InitInstance({QStringLiteral("tarvex-import")});
        QTRY_COMPARE(answers.answered, 1);
        QCOMPARE(listed.size(), 1);
        QVERIFY2(listed[0].startsWith(QStringLiteral("EhForm1  –  noch nie gespeichert")),
                 qPrintable(listed[0]));
        QCOMPARE(newDialogs, 0);  // a restored document stands in for the New dialog
        const QList<CChildFrame*> windows = app->MainFrame()->Children();
        QCOMPARE(windows.size(), 1);
        CChildFrame* restored = windows[0];
        QVERIFY(restored->IsModified());
        QVERIFY(restored->PathName().isEmpty());
        QVERIFY(restored->Title().startsWith(QStringLiteral("EhForm")));
        QCOMPARE(SadDocumentOf(restored)->m_nContinuationCount, 2);
        QStringList texts = AllTexts(*SadDocumentOf(restored));
        QStringList want = expected;
        texts.sort();
        want.sort();
        QCOMPARE(texts, want);

        // The old program's copy has become this program's own; closing without saving drops it.
        const QStringList entries = RecoveryFiles().filter(QStringLiteral(".entry"));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0], restored->RecoveryId() + QStringLiteral(".entry"));
        Answers(*app).askSaveChanges = [](const QString&) { return QMessageBox::No; };
        QVERIFY(restored->close());
        QVERIFY(RecoveryFiles().filter(QStringLiteral(".entry")).isEmpty());
    }

    // A killed program cannot remove its lock from the recovery folder; the next start does,
    // and leaves the locks of programs that still run.
    void killedProgramsLockGoesAtTheNextStart() {
        const auto locks = [] { return RecoveryFiles().filter(QStringLiteral("instance-")); };
        OtherProgram killed, running;
        QVERIFY(killed.Start(QStringLiteral("lock"), QStringLiteral("-")));
        QVERIFY(running.Start(QStringLiteral("lock"), QStringLiteral("-")));
        QCOMPARE(locks().size(), 2);
        killed.Kill();
        QCOMPARE(locks().size(), 2);

        auto app = MakeApp({});
        QStringList left = locks();
        QCOMPARE(left.size(), 1);
        qint64 pid = 0;
        QString host, appName;
        QVERIFY(QLockFile(QDir(RecoveryFolder()).filePath(left[0])).getLockInfo(&pid, &host, &appName));
        QCOMPARE(pid, running.Pid());
        // This program takes its own lock with its first copy, and keeps it.
        CChildFrame* child = app->MainFrame()->ActiveChild();
        QVERIFY(ViewOf(child));
        TypeInto(ViewOf(child), 10, 1, QStringLiteral("Müller"));
        QVERIFY(child->WriteRecoveryNow());
        QCOMPARE(locks().size(), 2);

        running.Kill();
        CDocumentRecovery another(RecoveryFolder());
        QCOMPARE(another.RemoveStaleLocks(), 1);
        left = locks();
        QCOMPARE(left.size(), 1);
        QVERIFY(QLockFile(QDir(RecoveryFolder()).filePath(left[0])).getLockInfo(&pid, &host, &appName));
        QCOMPARE(pid, QCoreApplication::applicationPid());
    }

    // The D.V.1 goes the same way as the SAD: its copy is a .fdv and opens in a D.V.1 window.
    void killedDv1IsRestoredWithEveryText() {
        QTemporaryDir dir;
        const QString expectedPath = dir.filePath(QStringLiteral("expected.txt"));
        OtherProgram other;
        QVERIFY(other.Start(QStringLiteral("dv1"), expectedPath));
        other.Kill();
        QFile expectedFile(expectedPath);
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        QStringList want = QString::fromUtf8(expectedFile.readAll()).split(QLatin1Char('\n'));
        QVERIFY(want.contains(QStringLiteral("1/5=noch im Feld")));
        auto app = NewTestApp();
        Answers(*app).runNewDialog = [] { return -1; };
        QList<RecoveryEntry> offered;
        Answers(*app).askRecovery = [&](const QList<RecoveryEntry>& e) {
            offered = e;
            return std::optional<QList<bool>>(QList<bool>(e.size(), true));
        };
        app->InitInstance({QStringLiteral("tarvex-import")});
        QCoreApplication::processEvents();
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered[0].kind, QStringLiteral("fdv"));
        const QList<CChildFrame*> windows = app->MainFrame()->Children();
        QCOMPARE(windows.size(), 1);
        QVERIFY(Dv1DocumentOf(windows[0]));
        QVERIFY(windows[0]->IsModified());
        QVERIFY(windows[0]->Title().startsWith(QStringLiteral("DV1form")));
        QStringList texts = AllTexts(*Dv1DocumentOf(windows[0]));
        texts.sort();
        want.sort();
        QCOMPARE(texts, want);
    }

    // A never-saved document exists nowhere else: its first change is copied at once, not after
    // the pause in typing.
    void firstChangeOfANewDocumentIsCopiedAtOnce() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        CChildFrame* child = app->MainFrame()->ActiveChild();
        QVERIFY(child && child->PathName().isEmpty());
        QVERIFY(RecoveryFiles().filter(QStringLiteral(".entry")).isEmpty());
        TypeInto(ViewOf(child), 10, 1, QStringLiteral("Erstes Wort"));
        // Only the events already due, no waiting for a timer.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        app->Documents().Recovery()->WaitForWrites();
        QCoreApplication::processEvents();
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);
        CEinheitspapierDoc copy;
        copy.ConfigureStore();
        std::string error;
        RecoveryEntry e;
        e.id = child->RecoveryId();
        e.kind = QStringLiteral("aef");
        QVERIFY(LoadAefFile(std::filesystem::path(app->Documents().Recovery()->DataPath(e).toStdU16String()),
                            copy, error));
        QCOMPARE(copy.Store().GetFieldText(10, 1), u"Erstes Wort");
        QVERIFY(!child->RecoveryPending());
        child->CloseWithoutAsking();
    }

#ifdef Q_OS_UNIX
    // A copy that cannot be written (a full disk) never replaces the earlier one with an empty or
    // cut file, and the clerk is told once, not at every further attempt.
    void failedCopyKeepsThePreviousOneAndIsToldOnce() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        QStringList messages;
        Answers(*app).showMessage = [&](const QString&, const QString& text) { messages.append(text); };
        CChildFrame* child = app->MainFrame()->ActiveChild();
        CEinheitspapierView* view = ViewOf(child);
        QVERIFY(view);
        TypeInto(view, 10, 1, QStringLiteral("Müller & Söhne GmbH"));
        QVERIFY(child->WriteRecoveryNow());
        RecoveryEntry e;
        e.id = child->RecoveryId();
        e.kind = QStringLiteral("aef");
        const QString dataPath = app->Documents().Recovery()->DataPath(e);
        const QByteArray good = ReadAll(dataPath);
        QVERIFY(good.size() > 1024);
        {
            FileSizeLimit full(static_cast<rlim_t>(good.size() / 2));
            QVERIFY(full.Ok());
            TypeInto(view, 22, 1, QStringLiteral("1.234,56"));
            QVERIFY(!child->WriteRecoveryNow());
            // The copies written in the background fail the same way, and are not told again.
            for (const char* text : {"Schrauben", "Muttern"}) {
                TypeInto(view, 52, 1, QString::fromUtf8(text));
                child->WriteRecoveryIfPending();
                app->Documents().Recovery()->WaitForWrites();
                QCoreApplication::processEvents();
            }
            QVERIFY(!child->RecoveryPending());
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(child->Title()), qPrintable(messages[0]));
        QVERIFY(ReadAll(dataPath) == good);
        QVERIFY(RecoveryFiles().filter(QStringLiteral(".tmp-")).isEmpty());
        // A crash now brings back the earlier text.
        CEinheitspapierDoc copy;
        copy.ConfigureStore();
        std::string error;
        QVERIFY(LoadAefFile(std::filesystem::path(dataPath.toStdU16String()), copy, error));
        QCOMPARE(copy.Store().GetFieldText(10, 1), u"Müller & Söhne GmbH");
        // With room again the next copy is written.
        QVERIFY(child->WriteRecoveryNow());
        QVERIFY(ReadAll(dataPath) != good);
        child->CloseWithoutAsking();
    }
#endif

    void laterKeepsTheCopiesAndDiscardDropsTheUnmarked() {
        QTemporaryDir dir;
        OtherProgram other;
        QVERIFY(other.Start(QStringLiteral("type"), dir.filePath(QStringLiteral("e.txt"))));
        other.Kill();
        for (const bool later : {true, false}) {
            int asked = 0;
            auto app = NewTestApp();
            Answers(*app).runNewDialog = [] { return -1; };
            Answers(*app).askRecovery = [&](const QList<RecoveryEntry>& e) {
                ++asked;
                return later ? std::optional<QList<bool>>()
                             : std::optional<QList<bool>>(QList<bool>(e.size(), false));
            };
            app->InitInstance({QStringLiteral("tarvex-import")});
            QCoreApplication::processEvents();
            QCOMPARE(asked, 1);
            QVERIFY(app->MainFrame()->Children().isEmpty());
            QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), later ? 1 : 0);
        }
    }

    // After a crash the clerk opens the same file again: the restored copy takes the place of the
    // file's window, holds the lock and can be saved in place.
    void restoredCopyOfTheFileOnTheCommandLineIsNotReadOnly() {
        QTemporaryDir dir;
        const QString file = NewSadFile(dir.filePath(QStringLiteral("Wieder.aef")));
        OtherProgram other;
        QVERIFY(other.Start(QStringLiteral("edit"), file));
        other.Kill();
        auto app = NewTestApp();
        Answers(*app).askRecovery = [](const QList<RecoveryEntry>& e) {
            return std::optional<QList<bool>>(QList<bool>(e.size(), true));
        };
        app->InitInstance({QStringLiteral("tarvex-import"), file});
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<CChildFrame*> windows = app->MainFrame()->Children();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->IsModified());
        QVERIFY(windows[0]->HoldsLock());
        QVERIFY(!windows[0]->IsReadOnly());
        QCOMPARE(windows[0]->PathName(), file);
        QCOMPARE(SadDocumentOf(windows[0])->Store().GetFieldText(10, 1), u"nach dem Öffnen getippt");
        QVERIFY(app->Documents().SaveDocument(windows[0], false));
    }

    void lockTellsWhoHasTheDocumentOpen() {
        QTemporaryDir dir;
        const QString file = NewSadFile(dir.filePath(QStringLiteral("Einfuhr 1.aef")));
        QVERIFY(!file.isEmpty());
        OtherProgram other;
        QVERIFY(other.Start(QStringLiteral("open"), file));
        QVERIFY(QFileInfo::exists(CDocumentLock::LockPath(file)));

        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        CMainFrame* frame = app->MainFrame();
        const int before = frame->Children().size();
        // The real message, looked at: "Nein" opens nothing.
        QString question;
        {
            ModalAnswers answers({[&](QWidget* w) {
                question = qobject_cast<QMessageBox*>(w)->text();
                SaveScreenshot(w, QStringLiteral("lock-message.png"));
                ClickButton(w, QMessageBox::No);
            }});
            QVERIFY(!app->Documents().OpenDocumentFile(file));
        }
        QCOMPARE(frame->Children().size(), before);
        QVERIFY2(question.contains(QSysInfo::machineHostName()), qPrintable(question));
        QVERIFY2(question.contains(QFileInfo(CDocumentLock::LockPath(file)).owner()), qPrintable(question));
        QVERIFY(question.contains(QStringLiteral("Einfuhr 1.aef")));

        // "Ja": read-only; saving asks for another name and never writes over the other's file.
        Answers(*app).askYesNo = [](const QString&) { return true; };
        CChildFrame* child = app->Documents().OpenDocumentFile(file);
        QVERIFY(child);
        QVERIFY(child->IsReadOnly());
        QVERIFY(!child->HoldsLock());
        QVERIFY(child->windowTitle().contains(QStringLiteral("(schreibgeschützt)")));
        SaveScreenshot(child, QStringLiteral("lock-read-only-window.png"));
        const QByteArray original = [&] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        SadDocumentOf(child)->Store().SetFieldText(22, u"geändert", 1);
        SadDocumentOf(child)->SetModifiedFlag();
        int dialogs = 0;
        Answers(*app).execFileDialog = [&](QFileDialog&) {
            ++dialogs;
            return false;
        };
        QVERIFY(!app->Documents().SaveDocument(child, false));
        QCOMPARE(dialogs, 1);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
        f.close();
        child->CloseWithoutAsking();
        QCoreApplication::processEvents();

        // The other program crashes: its lock is stale and the file opens normally, unasked.
        other.Kill();
        int asked = 0;
        Answers(*app).askYesNo = [&](const QString&) { return ++asked, false; };
        child = app->Documents().OpenDocumentFile(file);
        QVERIFY(child);
        QCOMPARE(asked, 0);
        QVERIFY(child->HoldsLock());
        QVERIFY(!child->IsReadOnly());
        child->CloseWithoutAsking();
        QCoreApplication::processEvents();
        QVERIFY(!QFileInfo::exists(CDocumentLock::LockPath(file)));
    }

    // A window that could only read its file never writes over a file someone else holds:
    // "Speichern unter" offers a copy's name in the same folder, and a held name typed anyway is
    // refused with the holder's user and computer.
    void saveAsOntoAHeldFileIsRefused() {
        QTemporaryDir dir;
        const QString held = NewSadFile(dir.filePath(QStringLiteral("Einfuhr 2.aef")));
        const QString heldToo = NewSadFile(dir.filePath(QStringLiteral("Andere.aef")));
        QVERIFY(!NewSadFile(dir.filePath(QStringLiteral("Einfuhr 2 (Kopie).aef"))).isEmpty());
        const QString copy = dir.filePath(QStringLiteral("Einfuhr 2 (Kopie 2).aef"));
        // The other program's locks, as it leaves them beside its documents.
        CDocumentLock theirs, theirsToo;
        QCOMPARE(theirs.Acquire(held), CDocumentLock::Result::Locked);
        QCOMPARE(theirsToo.Acquire(heldToo), CDocumentLock::Result::Locked);
        auto bytes = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray heldBytes = bytes(held), heldTooBytes = bytes(heldToo);

        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        QStringList messages;
        Answers(*app).showMessage = [&](const QString&, const QString& text) { messages.append(text); };
        Answers(*app).askYesNo = [](const QString&) { return true; };
        CChildFrame* child = app->Documents().OpenDocumentFile(held);
        QVERIFY(child);
        QVERIFY(child->IsReadOnly());
        TypeInto(ViewOf(child), 22, 1, QStringLiteral("geändert"));

        QStringList offered;
        QString typed;  // what the clerk types over the offered name; empty: Escape
        Answers(*app).execFileDialog = [&](QFileDialog& dlg) {
            offered.append(dlg.selectedFiles().value(0));
            if (offered.size() == 1) {  // the dialog as offered, looked at
                dlg.show();
                SaveScreenshot(&dlg, QStringLiteral("save-as-read-only.png"));
                dlg.hide();
            }
            if (typed.isEmpty()) return false;
            dlg.selectFile(typed);
            return true;
        };
        QVERIFY(!app->Documents().SaveDocument(child, false));
        QVERIFY(!app->Documents().SaveDocument(child, true));
        QCOMPARE(offered, QStringList({copy, copy}));

        for (const QString& target : {held, heldToo}) {
            typed = target;
            messages.clear();
            if (target == held) {
                // The real message, looked at.
                Answers(*app).showMessage = {};
                ModalAnswers answers({[&](QWidget* w) {
                    messages.append(qobject_cast<QMessageBox*>(w)->text());
                    SaveScreenshot(w, QStringLiteral("save-as-held-refused.png"));
                    ClickButton(w, QMessageBox::Ok);
                }});
                QVERIFY(!app->Documents().SaveDocument(child, true));
                QCOMPARE(answers.answered, 1);
                Answers(*app).showMessage = [&](const QString&, const QString& text) {
                    messages.append(text);
                };
            } else {
                QVERIFY(!app->Documents().SaveDocument(child, true));
            }
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(QStringLiteral("kann nicht überschrieben werden")),
                     qPrintable(messages[0]));
            QVERIFY2(messages[0].contains(QFileInfo(target).fileName()), qPrintable(messages[0]));
            QVERIFY2(messages[0].contains(QSysInfo::machineHostName()), qPrintable(messages[0]));
            QVERIFY2(messages[0].contains(QFileInfo(CDocumentLock::LockPath(target)).owner()),
                     qPrintable(messages[0]));
            QVERIFY(child->IsReadOnly());
            QVERIFY(child->IsModified());
        }
        QCOMPARE(bytes(held), heldBytes);
        QCOMPARE(bytes(heldToo), heldTooBytes);

        // A window of its own is refused the held file just the same.
        CChildFrame* own = app->Documents().CreateNewDocument(0);
        QVERIFY(own);
        typed = held;
        messages.clear();
        QVERIFY(!app->Documents().SaveDocument(own, true));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(bytes(held), heldBytes);
        own->CloseWithoutAsking();

        // The offered copy is taken: the window now edits the copy and holds it.
        typed = copy;
        QVERIFY(app->Documents().SaveDocument(child, false));
        QCOMPARE(QFileInfo(child->PathName()), QFileInfo(copy));
        QVERIFY(!child->IsReadOnly());
        QVERIFY(child->HoldsLock());
        QCOMPARE(bytes(held), heldBytes);
        child->CloseWithoutAsking();
        QCoreApplication::processEvents();
    }

    // With every form default switched on (F8), a saved declaration opens as the file holds it:
    // the window is unchanged, and saving it writes back the file's own consignee.
    void openedDocumentKeepsItsBoxesWithTheFormDefaultsOn() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Empfaenger.aef"));
        {
            CEinheitspapierDoc doc;
            doc.OnNewDocument();
            doc.m_nFormVariant = 0;
            CFieldStore& s = doc.Store();
            s.SetFieldText(18, u"Empfänger aus der Datei", 1);  // box 8
            s.SetFieldText(17, u"DE111", 1);                    // box 8 "Nr."
            s.SetFieldText(8, u"Empfänger aus der Datei", 2);   // continuation box 2
            s.SetFieldText(25, u"Versender - 00300", 1);        // box 14
            std::string error;
            QVERIFY(SaveAefFile(std::filesystem::path(file.toStdU16String()), doc, error));
        }
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        Profile& profile = app->GetProfile();
        const std::pair<const char*, int> ints[] = {{"Feld2", 4},   {"Feld14", 4}, {"Anmelder", 3},
                                                    {"Feld17", 4},  {"Feld34", 4}, {"AutoDateInStamp", 1},
                                                    {"Stamp_A", 1}, {"Stamp_C", 1}};
        const std::pair<const char*, const char16_t*> texts[] = {{"Firma1", u"Vorgabe GmbH"},
                                                                 {"ZollNummer1", u"DE999"},
                                                                 {"ZollNummer2", u"DE888"},
                                                                 {"Bundesland1", u"03"},
                                                                 {"Bundesland2", u"02"}};
        for (const auto& [key, value] : ints) profile.WriteProfileInt("EHForm_Defaults", key, value);
        for (const auto& [key, value] : texts) profile.WriteProfileString("EHForm_Defaults", key, value);
        // The other tests of this program start from the built-in defaults again.
        auto restore = qScopeGuard([&] {
            for (const auto& [key, value] : ints) profile.DeleteValue("EHForm_Defaults", key);
            for (const auto& [key, value] : texts) profile.DeleteValue("EHForm_Defaults", key);
        });

        CChildFrame* child = app->Documents().OpenDocumentFile(file);
        QVERIFY(child);
        const CFieldStore& s = SadDocumentOf(child)->Store();
        QCOMPARE(s.GetFieldText(18, 1), u"Empfänger aus der Datei");
        QCOMPARE(s.GetFieldText(17, 1), u"DE111");
        QCOMPARE(s.GetFieldText(8, 2), u"Empfänger aus der Datei");
        QCOMPARE(s.GetFieldText(7, 2), u"");
        QCOMPARE(s.GetFieldText(25, 1), u"Versender - 00300");
        QCOMPARE(s.GetFieldText(24, 1), u"");
        QCOMPARE(s.GetFieldText(30, 1), u"");              // box 17 b
        QCOMPARE(s.GetFieldText(60, 1), u"");              // box 34 b
        QCOMPARE(s.GetFieldText(FieldStampA(4), 1), u"");  // stamp dates
        QCOMPARE(s.GetFieldText(FieldStampC(4), 1), u"");
        QVERIFY(!child->IsModified());
        QVERIFY(!child->isWindowModified());
        QVERIFY(app->Documents().SaveDocument(child, false));
        CEinheitspapierDoc back;
        std::string error;
        QVERIFY(LoadAefFile(std::filesystem::path(file.toStdU16String()), back, error));
        QCOMPARE(back.Store().GetFieldText(18, 1), u"Empfänger aus der Datei");
        QCOMPARE(back.Store().GetFieldText(8, 2), u"Empfänger aus der Datei");
        child->CloseWithoutAsking();

        // A new document takes them.
        CChildFrame* fresh = app->Documents().CreateNewDocument(0);
        QVERIFY(fresh);
        QCOMPARE(SadDocumentOf(fresh)->Store().GetFieldText(18, 1), u"Vorgabe GmbH");
        QCOMPARE(SadDocumentOf(fresh)->Store().GetFieldText(8, 2), u"Vorgabe GmbH");
        QCOMPARE(SadDocumentOf(fresh)->Store().GetFieldText(24, 1), u"DE888");
        fresh->CloseWithoutAsking();
        QCoreApplication::processEvents();
    }

    void undoAndRedoEveryKindOfCommand() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        struct Case {
            const char* name;
            std::function<void(CEinheitspapierDoc&)> prepare;  // not an undo step
            std::function<void(CEinheitspapierView*)> command;
            QList<std::function<void(QDialog*)>> dialogs;
        };
        auto fillBox31 = [](CEinheitspapierDoc& d) {
            for (int page = 2; page <= d.Store().GetPageCount(); ++page)
                for (int f : {11, 32, 53}) d.Store().SetFieldText(f, u"Warenbeschreibung", page);
        };
        const Case cases[] = {
            {"typed text, committed by leaving the box",
             {},
             [](CEinheitspapierView* v) {
                 TypeInto(v, 10, 1, QStringLiteral("Spedition Nord"));
                 // Back to its number: going on to box 5 would fill boxes 3/5/32, a step of its own.
                 v->GoToField(9, 1);
             },
             {}},
            {"font larger", {}, [](CEinheitspapierView* v) { v->OnCommand(cmd::kFontLarger); }, {}},
            {"page added", fillBox31, [](CEinheitspapierView* v) { v->OnCommand(cmd::kAddPage); }, {}},
            {"last page removed",
             [&](CEinheitspapierDoc& d) {
                 d.SetContinuationCount(3);
                 fillBox31(d);
             },
             [](CEinheitspapierView* v) { v->OnCommand(cmd::kRemoveLastPage); },
             {[](QWidget* w) { ClickButton(w, QMessageBox::Yes); }}},
            {"goods item moved",
             fillBox31,
             [](CEinheitspapierView* v) { v->OnCommand(cmd::kMoveGoodsItem); },
             {[](QWidget* w) {
                 auto* dlg = qobject_cast<CDlgMoveEHWarenpositon*>(w);
                 QVERIFY(dlg);
                 dlg->SourceList()->setCurrentIndex(1);
                 dlg->TargetList()->setCurrentIndex(dlg->TargetList()->count() - 1);
                 dlg->OkButton()->click();
             }}},
            {"variant switched", {}, [](CEinheitspapierView* v) { v->OnCommand(cmd::kVariant2); }, {}},
            {"boxes 3, 5 and 32",
             fillBox31,
             [](CEinheitspapierView* v) { v->OnCommand(cmd::kUpdateFields); },
             {}},
            {"a dialog's result (box 44)",
             {},
             [](CEinheitspapierView* v) { v->GoToField(69, 1); },
             {[](QWidget* w) {
                 auto* dlg = qobject_cast<CDlgFeld44Einfuhr*>(w);
                 QVERIFY(dlg);
                 dlg->Edit()->setPlainText(QStringLiteral("N380 12345"));
                 dlg->Check()->setChecked(true);
                 dlg->accept();
             }}},
        };
        for (const Case& c : cases) {
            Answers(*app).runNewDialog = [] { return 0; };
            app->Documents().OnFileNew();
            CChildFrame* child = app->MainFrame()->ActiveChild();
            CEinheitspapierView* view = ViewOf(child);
            QVERIFY(view);
            CEinheitspapierDoc& doc = *SadDocumentOf(child);
            if (c.prepare) {
                c.prepare(doc);
                view->ReloadFromStore();
            }
            doc.SetModifiedFlag(false);
            const DocState before = CaptureDocState(doc);
            {
                ModalAnswers answers(c.dialogs);
                c.command(view);
                QCOMPARE(answers.answered, c.dialogs.size());
            }
            const DocState after = CaptureDocState(doc);
            QVERIFY2(after != before, c.name);
            QVERIFY2(doc.IsModified(), c.name);
            CommandState state;
            QVERIFY(view->UpdateCommandUI(cmd::kUndo, state) && state.enabled);

            view->OnCommand(cmd::kUndo);  // Alt+Backspace
            QVERIFY2(CaptureDocState(doc) == before, c.name);
            QVERIFY2(!doc.IsModified(), c.name);
            QVERIFY2(view->CurrentPage() <= doc.Store().GetPageCount(), c.name);
            view->OnCommand(cmd::kRedo);  // Ctrl+Y
            QVERIFY2(CaptureDocState(doc) == after, c.name);
            QVERIFY2(doc.IsModified(), c.name);
            // The box of the change shows its restored text, and typing goes on from there.
            const CFieldStore& s = doc.Store();
            QCOMPARE(view->EditWindow()->toPlainText(),
                     QString::fromStdU16String(s.GetFieldText(s.GetCurrentField(), 0))
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            child->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
        // Ctrl+Z is still "Text zentriert", Ctrl+Y redo.
        QCOMPARE(app->MainFrame()->CommandForKey(QKeySequence(QStringLiteral("Ctrl+Z"))), cmd::kAlignCenter);
        QCOMPARE(app->MainFrame()->CommandForKey(QKeySequence(QStringLiteral("Alt+Backspace"))), cmd::kUndo);
        QCOMPARE(app->MainFrame()->CommandForKey(QKeySequence(QStringLiteral("Ctrl+Y"))), cmd::kRedo);
    }

    // Several steps that change many boxes and the page count, undone back to the start and redone
    // to the end: every state on the way comes back exactly, in both directions.
    void undoAndRedoAWholeSeriesOfSteps() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        CChildFrame* child = app->Documents().CreateNewDocument(0);
        CEinheitspapierView* view = ViewOf(child);
        QVERIFY(view);
        CEinheitspapierDoc& doc = *SadDocumentOf(child);
        for (int f : {11, 32, 53}) doc.Store().SetFieldText(f, u"Warenbeschreibung", 2);
        view->ReloadFromStore();
        doc.SetModifiedFlag(false);
        const std::function<void()> steps[] = {
            [&] {
                TypeInto(view, 10, 1, QStringLiteral("Spedition Nord"));
                view->GoToField(9, 1);
            },
            [&] { view->OnCommand(cmd::kUpdateFields); },
            [&] { view->OnCommand(cmd::kAddPage); },
            [&] { view->OnCommand(cmd::kFontLarger); },
            [&] { view->OnCommand(cmd::kVariant2); },
        };
        std::vector<DocState> states{CaptureDocState(doc)};
        for (const auto& step : steps) {
            step();
            states.push_back(CaptureDocState(doc));
            QVERIFY2(states.back() != states[states.size() - 2],
                     qPrintable(QStringLiteral("step %1").arg(states.size() - 1)));
        }
        QCOMPARE(doc.Store().GetPageCount(), 3);
        for (size_t i = states.size() - 1; i > 0; --i) {
            view->OnCommand(cmd::kUndo);
            QVERIFY2(CaptureDocState(doc) == states[i - 1],
                     qPrintable(QStringLiteral("undo to %1").arg(i - 1)));
        }
        QVERIFY(!doc.IsModified());
        for (size_t i = 1; i < states.size(); ++i) {
            view->OnCommand(cmd::kRedo);
            QVERIFY2(CaptureDocState(doc) == states[i], qPrintable(QStringLiteral("redo to %1").arg(i)));
        }
        // Half back and a new step: the steps undone are gone, the new one is undone alone.
        view->OnCommand(cmd::kUndo);
        view->OnCommand(cmd::kUndo);
        {
            ModalAnswers answers({[](QWidget* w) { ClickButton(w, QMessageBox::Yes); }});
            view->OnCommand(cmd::kRemoveLastPage);
        }
        QCOMPARE(doc.Store().GetPageCount(), 2);
        view->OnCommand(cmd::kUndo);
        QVERIFY(CaptureDocState(doc) == states[3]);
        view->OnCommand(cmd::kRedo);
        QCOMPARE(doc.Store().GetPageCount(), 2);
        CommandState state;
        QVERIFY(view->UpdateCommandUI(cmd::kRedo, state) && !state.enabled);
        child->CloseWithoutAsking();
        QCoreApplication::processEvents();
    }

    // A dialog closed without a change (Escape, or OK on what was there) leaves a saved document
    // unmodified and adds no undo step.
    void dialogsThatChangeNothingLeaveTheDocumentAlone() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        auto reject = [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
        struct Case {
            const char* name;
            bool goodsItems;  // box 31 of every goods item filled first
            std::function<void(CEinheitspapierView*)> command;
            std::function<void(QDialog*)> answer;
        };
        const Case cases[] = {
            {"box 44, Abbrechen", false, [](CEinheitspapierView* v) { v->GoToField(kFieldBox44, 1); },
             reject},
            {"box 44, OK without a change", false,
             [](CEinheitspapierView* v) { v->GoToField(kFieldBox44, 1); },
             [](QWidget* w) {
                 QVERIFY(qobject_cast<CDlgFeld44Einfuhr*>(w));
                 qobject_cast<QDialog*>(w)->accept();
             }},
            {"box 47, Abbrechen", false, [](CEinheitspapierView* v) { v->GoToField(kFieldBox47, 1); },
             reject},
            {"box 47 (Summe), Abbrechen", false,
             [](CEinheitspapierView* v) {
                 v->OnCommand(cmd::kNextPage);
                 v->GoToField(kContFieldBox47Summary, 2);
             },
             reject},
            {"box 15 F2, Abbrechen", false,
             [](CEinheitspapierView* v) {
                 v->GoToField(26, 1);
                 v->OnCommand(cmd::kInsertDefaults);
             },
             reject},
            {"goods item move, Abbrechen", true,
             [](CEinheitspapierView* v) { v->OnCommand(cmd::kMoveGoodsItem); }, reject},
        };
        for (const Case& c : cases) {
            CChildFrame* child = app->Documents().CreateNewDocument(0);
            CEinheitspapierView* view = ViewOf(child);
            QVERIFY(view);
            CEinheitspapierDoc& doc = *SadDocumentOf(child);
            if (c.goodsItems) {
                for (int f : {11, 32, 53}) doc.Store().SetFieldText(f, u"Warenbeschreibung", 2);
                view->ReloadFromStore();
            }
            doc.SetModifiedFlag(false);
            child->SyncModified();
            const DocState before = CaptureDocState(doc);
            const int steps = child->Undo()->Stack().count();
            {
                ModalAnswers answers({c.answer});
                c.command(view);
                QCOMPARE(answers.answered, 1);
            }
            QVERIFY2(CaptureDocState(doc) == before, c.name);
            QVERIFY2(!doc.IsModified(), c.name);
            QVERIFY2(!child->IsModified(), c.name);
            QVERIFY2(!child->isWindowModified(), c.name);
            QCOMPARE(child->Undo()->Stack().count(), steps);
            child->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
    }

    // One undo step is one change: a text typed into box 31 and the automatic filling of boxes
    // 3, 5 and 32 on leaving it are one step only when the filling follows from the text.
    void typedTextAndAutomaticFillingAreOneStepOnlyWhenOneFollowsFromTheOther() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        const int box31 = ContFieldOfItem(0, kItemBox31), box32 = ContFieldOfItem(0, kItemBox32);
        const struct {
            const char* name;
            const char16_t* before;  // box 31 of the first goods item on the continuation sheet
            const char* typed;
            int steps;  // undo steps back to the state before
        } cases[] = {
            {"first goods item described: the count follows", u"", "Schrauben", 1},
            {"description changed: the count would be the same", u"Schrauben", "Schrauben M8", 2},
        };
        for (const auto& c : cases) {
            CChildFrame* child = app->Documents().CreateNewDocument(0);
            CEinheitspapierView* view = ViewOf(child);
            CEinheitspapierDoc& doc = *SadDocumentOf(child);
            doc.Store().SetFieldText(box31, c.before, 2);
            view->ReloadFromStore();
            doc.SetModifiedFlag(false);
            const DocState before = CaptureDocState(doc);
            view->OnCommand(cmd::kNextPage);
            TypeInto(view, box31, 2, QString::fromUtf8(c.typed));
            view->GoToField(box32, 2);  // fills boxes 3, 5 and 32
            const CFieldStore& s = doc.Store();
            QCOMPARE(s.GetFieldText(kFieldBox5, 1), u"2");
            QCOMPARE(s.GetFieldText(box31, 2), QString::fromUtf8(c.typed).toStdU16String());

            view->OnCommand(cmd::kUndo);
            if (c.steps == 2) {
                // The filling goes first; the text stays.
                QVERIFY2(s.GetFieldText(kFieldBox5, 1).empty(), c.name);
                QCOMPARE(s.GetFieldText(box31, 2), QString::fromUtf8(c.typed).toStdU16String());
                QVERIFY(doc.IsModified());
                view->OnCommand(cmd::kUndo);
            }
            QVERIFY2(CaptureDocState(doc) == before, c.name);
            QVERIFY2(!doc.IsModified(), c.name);
            // And forward again in as many steps.
            for (int i = 0; i < c.steps; ++i) view->OnCommand(cmd::kRedo);
            QCOMPARE(s.GetFieldText(kFieldBox5, 1), u"2");
            QCOMPARE(s.GetFieldText(box31, 2), QString::fromUtf8(c.typed).toStdU16String());
            child->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
    }

    void dv1UndoAndRedo() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        struct Case {
            const char* name;
            std::function<void(CDV1_View*)> command;
            int steps = 1;  // undo steps the command makes
        } cases[] = {
            {"typed text",
             [](CDV1_View* v) {
                 v->GoToField(2, 1);
                 v->EditWindow()->insertPlainText(QStringLiteral("Käufer AG"));
                 v->GoToField(5, 1);
             }},
            {"check mark", [](CDV1_View* v) { v->ClickAt(v->BoxViewportRect(0).center()); }},
            {"check mark by Alt+J",
             [](CDV1_View* v) {
                 // In the details field of question 7, Alt+J ticks "JA" of 7 (a).
                 v->GoToField(7, 1);
                 QKeyEvent altJ(QEvent::KeyPress, Qt::Key_J, Qt::AltModifier, QStringLiteral("j"));
                 QCoreApplication::sendEvent(v->EditWindow(), &altJ);
                 QCOMPARE(v->GetDocument()->m_Checks[0], uint8_t(1));
             }},
            {"page added", [](CDV1_View* v) { v->OnCommand(cmd::kAddPage); }},
            {"calculation",
             [](CDV1_View* v) {
                 v->GoToField(23, 2);
                 v->EditWindow()->insertPlainText(QStringLiteral("1.000,00"));
                 v->GoToField(24, 2);
                 // The typed amount was one step; F3 is the next one.
                 v->OnCommand(cmd::kUndo);
                 v->OnCommand(cmd::kRedo);
                 v->OnCommand(cmd::kDv1Calculate);
             },
             2},
        };
        for (const Case& c : cases) {
            Answers(*app).runNewDialog = [] { return 99; };
            app->Documents().OnFileNew();
            CChildFrame* child = app->MainFrame()->ActiveChild();
            auto* view = qobject_cast<CDV1_View*>(child->View());
            QVERIFY(view);
            CDV1_Doc& doc = *Dv1DocumentOf(child);
            const DocState before = CaptureDocState(doc);
            c.command(view);
            const DocState after = CaptureDocState(doc);
            QVERIFY2(after != before, c.name);
            for (int i = 0; i < c.steps; ++i) view->OnCommand(cmd::kUndo);
            QVERIFY2(CaptureDocState(doc) == before, c.name);
            QVERIFY2(!doc.IsModified(), c.name);
            for (int i = 0; i < c.steps; ++i) view->OnCommand(cmd::kRedo);
            QVERIFY2(CaptureDocState(doc) == after, c.name);
            QVERIFY2(doc.IsModified(), c.name);
            child->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
    }

    // A text typed on page 2 and committed by going to page 1: undo and redo both show page 2,
    // where the change is, in both forms.
    void undoAndRedoShowThePageOfTheChange() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        for (int variant : {0, 99}) {
            Answers(*app).runNewDialog = [variant] { return variant; };
            app->Documents().OnFileNew();
            CChildFrame* child = app->MainFrame()->ActiveChild();
            auto* sad = qobject_cast<CEinheitspapierView*>(child->View());
            auto* dv1 = qobject_cast<CDV1_View*>(child->View());
            QVERIFY(sad || dv1);
            auto page = [&] { return sad ? sad->CurrentPage() : dv1->ViewPage(); };
            auto command = [&](int id) { return sad ? sad->OnCommand(id) : dv1->OnCommand(id); };
            if (sad) sad->GetDocument()->SetContinuationCount(1);
            command(cmd::kNextPage);
            QCOMPARE(page(), 2);
            if (sad) {
                sad->GoToField(11, 2);
                sad->EditWindow()->insertPlainText(QStringLiteral("Maschinenteile"));
            } else {
                dv1->GoToField(2, 2);
                dv1->EditWindow()->insertPlainText(QStringLiteral("1.000,00"));
            }
            command(cmd::kFirstPage);
            QCOMPARE(page(), 1);
            command(cmd::kUndo);
            QCOMPARE(page(), 2);
            command(cmd::kFirstPage);
            command(cmd::kRedo);
            QVERIFY2(page() == 2, variant ? "D.V.1" : "SAD");
            child->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
    }

    // Ctrl+S in a box commits the typed text as part of the save: undoing that text afterwards
    // leaves a document that differs from its file, so it is modified again.
    void undoAfterSavingFromTheBox() {
        QTemporaryDir dir;
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        CChildFrame* child = app->MainFrame()->ActiveChild();
        CEinheitspapierView* view = ViewOf(child);
        TypeInto(view, 10, 1, QStringLiteral("erster Stand"));
        TypeInto(view, 25, 1, QStringLiteral("zweiter Stand"));
        Answers(*app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(dir.filePath(QStringLiteral("Gespeichert.aef")));
            return true;
        };
        view->OnCommand(cmd::kSave);
        QVERIFY(!child->PathName().isEmpty());
        QVERIFY(!child->IsModified());
        view->OnCommand(cmd::kUndo);
        QVERIFY(SadDocumentOf(child)->Store().GetFieldText(25, 1).empty());
        QVERIFY(child->IsModified());
        view->OnCommand(cmd::kRedo);
        QCOMPARE(SadDocumentOf(child)->Store().GetFieldText(25, 1), u"zweiter Stand");
        QVERIFY(!child->IsModified());
        child->CloseWithoutAsking();
    }

    void closeQuestionAnswersAndTheRecoveryCopy() {
        QTemporaryDir dir;
        struct Case {
            QMessageBox::StandardButton answer;
            bool closed, fileChanged, copyKept;
        } cases[] = {
            {QMessageBox::Yes, true, true, false},
            {QMessageBox::No, true, false, false},
            {QMessageBox::Cancel, false, false, true},
        };
        for (const Case& c : cases) {
            const QString file = NewSadFile(dir.filePath(QStringLiteral("Antwort%1.aef").arg(int(c.answer))));
            std::unique_ptr<CTarvexImportApp> app = MakeApp({file});
            CChildFrame* child = app->MainFrame()->ActiveChild();
            TypeInto(ViewOf(child), 10, 1, QStringLiteral("neu getippt"));
            QVERIFY(child->IsModified());
            QVERIFY(child->WriteRecoveryNow());
            QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);
            Answers(*app).askSaveChanges = [&](const QString&) { return c.answer; };
            QCOMPARE(app->MainFrame()->close(), c.closed);
            QCoreApplication::processEvents();
            CEinheitspapierDoc back;
            back.ConfigureStore();
            std::string error;
            QVERIFY(LoadAefFile(std::filesystem::path(file.toStdU16String()), back, error));
            QCOMPARE(back.Store().GetFieldText(10, 1) == u"neu getippt", c.fileChanged);
            QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), c.copyKept ? 1 : 0);
            if (!c.closed) app->MainFrame()->ActiveChild()->CloseWithoutAsking();
        }
        QCoreApplication::processEvents();
    }

    void sessionEndAsksOrKeepsTheCopies() {
        std::unique_ptr<CTarvexImportApp> app = MakeApp({});
        CChildFrame* child = app->MainFrame()->ActiveChild();
        TypeInto(ViewOf(child), 10, 1, QStringLiteral("vor dem Abmelden"));
        // With interaction: the close question; a cancel stops the logout.
        Answers(*app).askSaveChanges = [](const QString&) { return QMessageBox::Cancel; };
        QVERIFY(!app->Documents().CommitSessionData(true));
        // Without: the copy is written and outlives the program.
        QVERIFY(app->Documents().CommitSessionData(false));
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);
        app.reset();
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);
        // A program that ended in order after its questions leaves nothing behind.
        app = MakeApp({});
        TypeInto(ViewOf(app->MainFrame()->ActiveChild()), 10, 1, QStringLiteral("x"));
        QVERIFY(app->MainFrame()->ActiveChild()->WriteRecoveryNow());
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 2);
        app.reset();
        QCOMPARE(RecoveryFiles().filter(QStringLiteral(".entry")).size(), 1);
    }

    void fileChangedOnDiskIsAskedAboutBeforeSaving() {
        QTemporaryDir dir;
        const QString file = NewSadFile(dir.filePath(QStringLiteral("Fremd.aef")));
        std::unique_ptr<CTarvexImportApp> app = MakeApp({file});
        CChildFrame* child = app->MainFrame()->ActiveChild();
        TypeInto(ViewOf(child), 10, 1, QStringLiteral("mein Stand"));
        // Someone else saves the file meanwhile.
        QTest::qWait(20);
        CEinheitspapierDoc theirs;
        theirs.ConfigureStore();
        theirs.OnNewDocument();
        theirs.Store().SetFieldText(10, u"fremder Stand", 1);
        std::string error;
        QVERIFY(SaveAefFile(std::filesystem::path(file.toStdU16String()), theirs, error));
        auto readBox10 = [&] {
            CEinheitspapierDoc d;
            d.ConfigureStore();
            std::string e;
            LoadAefFile(std::filesystem::path(file.toStdU16String()), d, e);
            return QString::fromStdU16String(d.Store().GetFieldText(10, 1));
        };
        // The real question, looked at: "Nein" keeps the other's file.
        QStringList asked;
        {
            ModalAnswers answers({[&](QWidget* w) {
                asked.append(qobject_cast<QMessageBox*>(w)->text());
                SaveScreenshot(w, QStringLiteral("changed-on-disk-question.png"));
                ClickButton(w, QMessageBox::No);
            }});
            QVERIFY(!app->Documents().SaveDocument(child, false));
        }
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].contains(QStringLiteral("außerhalb von Tarvex-Import geändert")));
        QCOMPARE(readBox10(), QStringLiteral("fremder Stand"));
        QVERIFY(child->IsModified());
        Answers(*app).askYesNo = [&](const QString& q) {
            asked.append(q);
            return true;
        };
        QVERIFY(app->Documents().SaveDocument(child, false));
        QCOMPARE(readBox10(), QStringLiteral("mein Stand"));
        // After its own save the program knows the file again: no question.
        TypeInto(ViewOf(child), 13, 1, QStringLiteral("weiter"));
        QVERIFY(app->Documents().SaveDocument(child, false));
        QCOMPARE(asked.size(), 2);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallQtTranslations();
    if (argc >= 4 && QByteArray(argv[1]) == "--child")
        return RunChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
