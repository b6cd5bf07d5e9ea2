// The application shell: start-up order, New dialog, menus and accelerators, file dialog
// filters, reset commands. Runs offscreen with TARVEX_SETTINGS_DIR pointing at a private folder.

#include <sys/stat.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <cstdlib>

#include "core/app/FreedesktopTypes.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadPrintForm.h"
#include "core/sad/SadStrings.h"
#include "render/app/QSettingsProfile.h"
#include "render/dv1/Dv1PageRenderer.h"
#include "render/dv1/Dv1PrintSource.h"
#include "tests/common/AppFixture.h"
#include "ui/app/CDlgNew.h"
#include "ui/app/CDlgWindowList.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/PrintJobDialogs.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/forms/Dv1FormDocument.h"
#include "ui/forms/SadFormDocument.h"
#include "ui/formview/CDlgDrucken.h"
#include "ui/formview/CDlgDruckvorschau.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/shell/CHelpWnd.h"
#include "ui/shell/HelpPages.h"
#include "ui/shell/ShellIcons.h"

using namespace tarvex;
using namespace tarvex::testutil;

// The New dialog's buttons from top to bottom: the SAD variants 0-3 and the D.V.1 (99).
constexpr int kNewResults[5] = {0, 1, 2, 3, 99};

namespace {

// Antialiased drawing is rounded differently by the raster engine's code paths for different CPUs, so
// two drawings of one icon may differ by a colour step or two at the edges. Any real difference (another
// icon, another colour, a shifted shape) moves channels by far more.
bool SameDrawing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    constexpr int kTolerance = 6;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            if (std::abs(qRed(p) - qRed(q)) > kTolerance || std::abs(qGreen(p) - qGreen(q)) > kTolerance ||
                std::abs(qBlue(p) - qBlue(q)) > kTolerance || std::abs(qAlpha(p) - qAlpha(q)) > kTolerance)
                return false;
        }
    }
    return true;
}

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A poppler tool's output (empty when it failed).
QString Poppler(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                                                         : QString();
}

// Where pdftotext finds a word on a page of a PDF, in 0.1 mm from the page's top-left corner.
QRectF PdfWordBox(const QString& pdf, int page, const QString& word) {
    const QString n = QString::number(page);
    const QString xml =
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), n,
                                              QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    const QRegularExpression re(
        QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1</word>)re")
            .arg(QRegularExpression::escape(word)));
    const auto m = re.match(xml);
    if (!m.hasMatch()) return {};
    constexpr double kTenthsPerPoint = 254.0 / 72.0;
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kTenthsPerPoint,
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * kTenthsPerPoint);
}

}  // namespace

// A file as a writer leaves it: replaced (a new inode) or written in place (a new time).
struct FileIdentity {
    QString path;
    quint64 inode = 0;
    qint64 mtimeNs = 0;
    qint64 size = -1;
    bool operator==(const FileIdentity&) const = default;
};

QList<FileIdentity> Identities(const QStringList& paths) {
    QList<FileIdentity> result;
    for (const QString& path : paths) {
        FileIdentity f{path};
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            f.inode = st.st_ino;
            f.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
            f.size = st.st_size;
        }
        result.append(f);
    }
    return result;
}

class ShellTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTarvexImportApp> m_app;
    QTemporaryDir m_home;
    QStringList m_messages;

    // A fresh application on empty settings; the New dialog is answered with newAnswer.
    CTarvexImportApp& Start(const QStringList& args, int newAnswer = -1, bool clearSettings = true) {
        m_app.reset();
        if (clearSettings) QSettingsProfile(QSettingsProfile::Area::Profile).DeleteKey("");
        m_app = StartTestApp(args, newAnswer, &m_messages);
        return *m_app;
    }

    static QStringList MenuTitles(CMainFrame* frame) {
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions()) titles.append(a->text());
        return titles;
    }

private slots:
    void initTestCase() {
        QVERIFY2(!QSettingsProfile::SettingsDirOverride().isEmpty(), "run with TARVEX_SETTINGS_DIR set");
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(InstallQtTranslations());
        // The documents folder (and with it the data folder) lies in a private home.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
    }
    void cleanup() { m_app.reset(); }

    void startWithoutArgumentsShowsNewDialogThenMenu128() {
        CTarvexImportApp& app = Start({});
        QCOMPARE(app.Startup().Steps(), (QStringList{"profile", "language", "templates", "registry",
                                                     "mainframe", "fielddefinitions", "show", "new"}));
        QVERIFY(app.MainFrame());
        QVERIFY(app.MainFrame()->isVisible());
        QCOMPARE(app.MainFrame()->CurrentMenuResource(), 128);
        QCOMPARE(MenuTitles(app.MainFrame()), (QStringList{"&Datei", "&Optionen", "&Ansicht", "&Hilfe"}));
        QVERIFY(app.MainFrame()->Children().isEmpty());
        // The registry manager was ready before the field definitions were loaded.
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(app.FieldDefinitions().page1, BuiltInFieldDefinitions1());
        QCOMPARE(app.GetProfile().GetProfileInt("EHForm_Defaults", "FieldSize_EH1", 0), 616);
        QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Tarvex-Import"));
        QCOMPARE(app.MainFrame()->StatusText(0), QStringLiteral("Bereit"));
    }

    void initModeShowsNoWindowAndResetsWorkspace() {
        QSettingsProfile profile(QSettingsProfile::Area::Profile);
        profile.DeleteKey("");
        const uint8_t state[] = {1, 2, 3};
        profile.WriteProfileBinary("Workspace", "MainFrame", state, 3);
        profile.WriteProfileInt("Settings", "NoFileFilter", 1);
        CTarvexImportApp& app = Start({QStringLiteral("-init"), QStringLiteral("anything")}, -1, false);
        QVERIFY(!app.MainFrame());
        QCOMPARE(app.Startup().Steps(),
                 (QStringList{"profile", "language", "templates", "registry", "init"}));
        QVERIFY(app.SkipsExitSave());
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                             [](QWidget* w) { return w->isVisible(); }));
        std::vector<uint8_t> out;
        QVERIFY(!profile.GetProfileBinary("Workspace", "MainFrame", out));
        QCOMPARE(profile.GetProfileInt("Settings", "NoFileFilter", 0), 1);  // only the workspace goes
    }

    void commandLinePathWithBlanksOpensOneFile_data() {
        QTest::addColumn<bool>("quoted");
        QTest::newRow("split by the shell") << false;
        QTest::newRow("quoted") << true;
    }
    void commandLinePathWithBlanksOpensOneFile() {
        QFETCH(bool, quoted);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Meine Papiere/Import 1.aef");
        QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/Meine Papiere")));
        CMemoryProfile memory;
        CEinheitspapierDoc doc(&memory);
        doc.ConfigureStore();
        doc.OnNewDocument();
        doc.m_nFormVariant = 2;
        std::string error;
        QVERIFY(SaveAefFile(std::filesystem::path(path.toStdU16String()), doc, error));

        const QStringList args =
            quoted ? QStringList{QLatin1Char('"') + path + QLatin1Char('"')} : path.split(QLatin1Char(' '));
        CTarvexImportApp& app = Start(args);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QVERIFY(!app.Startup().Steps().contains("new"));
        const auto children = app.MainFrame()->Children();
        QCOMPARE(children.size(), 1);
        QCOMPARE(children[0]->PathName(), path);
        QCOMPARE(SadDocumentOf(children[0])->m_nFormVariant, 2);
        QCOMPARE(app.MainFrame()->CurrentMenuResource(), 130);
        QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Tarvex-Import - Import 1.aef[*]"));
        QVERIFY(!app.MainFrame()->isWindowModified());
        QCOMPARE(app.Documents().RecentFiles(), QStringList{path});
    }

    void unreadableFilesAreReportedAndProgramContinues() {
        QTemporaryDir dir;
        CTarvexImportApp& app = Start({dir.path() + QStringLiteral("/fehlt.aef")});
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].endsWith(QStringLiteral("fehlt.aef wurde nicht gefunden.")));
        QVERIFY(app.MainFrame()->Children().isEmpty());
        // A file with any other extension is read as a SAD file: damaged data are reported.
        const QString other = dir.path() + QStringLiteral("/text.txt");
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("KTW-EHForm@2.10 but nothing after it");
        f.close();
        m_messages.clear();
        QVERIFY(!app.Documents().OpenDocumentFile(other));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Fehler beim Öffnen des Dokuments.")));
        QVERIFY(app.Documents().RecentFiles().isEmpty());
    }

    void newDialogResultPerButton() {
        QCOMPARE(CDlgNew().ButtonCount(), 5);
        for (int i = 0; i < 5; ++i) {
            CDlgNew dlg;
            QTest::mouseClick(dlg.Button(i), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.Result(), kNewResults[i]);
        }
        CDlgNew dlg;
        QCOMPARE(dlg.Button(3)->size(), QSize(44, 30));  // sized to its picture
    }

    void newDialogEnterTakesFocusedButton() {
        for (int i = 0; i < 5; ++i) {
            CDlgNew dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            dlg.Button(i)->setFocus();
            QTest::keyClick(&dlg, Qt::Key_Return);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.Result(), kNewResults[i]);
        }
        {  // no picture button has the focus: the dialog stays open
            CDlgNew dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            dlg.CancelButton()->clearFocus();
            dlg.Button(0)->clearFocus();
            QTest::keyClick(&dlg, Qt::Key_Enter);
            QVERIFY(dlg.isVisible());
            QCOMPARE(dlg.Result(), -1);
            dlg.CancelButton()->setFocus();
            QTest::keyClick(&dlg, Qt::Key_Return);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
    }

    void newCommandCreatesDocumentsAndSwitchesMenus() {
        CTarvexImportApp& app = Start({}, 1);
        CMainFrame* frame = app.MainFrame();
        QCOMPARE(app.FormVariant(), 1);
        QCOMPARE(frame->Children().size(), 1);
        CChildFrame* sad = frame->Children()[0];
        QCOMPARE(SadDocumentOf(sad)->m_nFormVariant, 1);
        QCOMPARE(sad->Title(), QStringLiteral("EhForm1"));
        QCOMPARE(frame->CurrentMenuResource(), 130);
        QCOMPARE(MenuTitles(frame),
                 (QStringList{"&Datei", "&Bearbeiten", "&Optionen", "&Formular", "&Ansicht", "&Hilfe"}));
        // "Speichern unter..." saves a copy at any time; "Speichern" waits for a change.
        QVERIFY(frame->Action(57604)->isEnabled());
        QVERIFY(!frame->Action(57603)->isEnabled());
        SadDocumentOf(sad)->SetModifiedFlag();
        app.UpdateCommandStates();
        QVERIFY(frame->Action(57604)->isEnabled());
        QVERIFY(frame->Action(57603)->isEnabled());
        SadDocumentOf(sad)->SetModifiedFlag(false);

        Answers(app).runNewDialog = [] { return 99; };
        frame->Action(57600)->trigger();
        QCOMPARE(app.FormVariant(), 99);
        QCOMPARE(frame->Children().size(), 2);
        QCOMPARE(frame->ActiveChild()->Kind(), DocTemplate::Dv1);
        QCOMPARE(frame->CurrentMenuResource(), 131);
        QVERIFY(frame->Action(57604)->isEnabled());  // a D.V.1 is saved like an SAD
        QVERIFY(qobject_cast<CDV1_View*>(frame->ActiveChild()->View()));

        Answers(app).runNewDialog = [] { return -1; };  // cancelled: nothing happens
        frame->Action(57600)->trigger();
        QCOMPARE(frame->Children().size(), 2);
        QCOMPARE(app.FormVariant(), 99);

        for (CChildFrame* c : frame->Children()) QVERIFY(c->close());
        QCoreApplication::processEvents();
        QCOMPARE(frame->CurrentMenuResource(), 128);
    }

    // After New, Open and F9 the keyboard is in the box of the window in front, and every key the
    // clerk types next (text, Ctrl+G, the page keys) goes into that document. Real modal dialogs
    // run here: closing one is what gave the keyboard back to the window that had it before.
    // The started program has the keyboard in the box of the document it opened. The offscreen
    // platform activates every shown window by itself; the test means something on an X server
    // without a window manager, where nobody else gives a new window the keyboard (ctest runs it
    // there as well).
    void startedWindowHasTheKeyboard() {
        QTemporaryDir dir;
        const QString saved = dir.path() + QStringLiteral("/Start.fdv");
        {
            CDV1_Doc doc;
            doc.OnNewDocument();
            std::string error;
            QVERIFY(SaveFdvFile(std::filesystem::path(saved.toStdU16String()), doc, error));
        }
        CTarvexImportApp& app = Start({saved});
        CMainFrame* frame = app.MainFrame();
        QTRY_VERIFY(QApplication::activeWindow() == frame);
        auto* view = qobject_cast<CDV1_View*>(frame->ActiveChild()->View());
        QVERIFY(view);
        QTRY_VERIFY(QApplication::focusWidget() == view->EditWindow());
        QTest::keyClick(frame->windowHandle(), Qt::Key_A);
        QTRY_COMPARE(view->EditWindow()->toPlainText(), QStringLiteral("a"));
        m_app.reset();  // lets go of the file's lock while its folder is still there
    }

    void typingGoesIntoTheWindowInFront() {
        QTemporaryDir dir;
        const QString saved = dir.path() + QStringLiteral("/Wert.fdv");
        {
            CDV1_Doc doc;
            doc.OnNewDocument();
            std::string error;
            QVERIFY(SaveFdvFile(std::filesystem::path(saved.toStdU16String()), doc, error));
        }
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CChildFrame* sad = frame->ActiveChild();
        Answers(app).runNewDialog = nullptr;  // the real New dialog
        QWindow* window = frame->windowHandle();
        auto type = [&](const QString& text) {
            QTRY_VERIFY(QApplication::activeWindow() == frame);
            for (QChar c : text) QTest::keyClick(window, c.toLatin1());
        };
        // The child whose view holds the keyboard focus.
        auto focused = [&]() -> CChildFrame* {
            for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
                if (auto* c = qobject_cast<CChildFrame*>(w)) return c;
            return nullptr;
        };
        auto fieldText = [](CChildFrame* c) {
            // What the box with the caret holds, typed text included.
            if (auto* v = qobject_cast<CEinheitspapierView*>(c->View()))
                return v->EditWindow()->toPlainText();
            if (auto* v = qobject_cast<CDV1_View*>(c->View())) return v->EditWindow()->toPlainText();
            return QString();
        };
        const QString sadPage = frame->StatusText(1);
        QVERIFY(sadPage.startsWith(QStringLiteral("Einheitspapier")));

        // Ctrl+N: the D.V.1 button of the New dialog.
        {
            ModalAnswers modal({[](QDialog* d) { qobject_cast<CDlgNew*>(d)->Button(4)->click(); }});
            QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
            QCOMPARE(modal.seen, QStringList{"CDlgNew"});
        }
        QCOMPARE(frame->Children().size(), 2);
        CChildFrame* dv1 = frame->Children().last();
        QCOMPARE(frame->ActiveChild(), dv1);
        QTRY_COMPARE(focused(), dv1);
        type(QStringLiteral("Neu"));
        QCOMPARE(fieldText(dv1), QStringLiteral("Neu"));
        QCOMPARE(fieldText(sad), QString());
        QCOMPARE(frame->StatusText(1), QStringLiteral("D.V.1 - Seite 1 von 2"));

        // Ctrl+O while the D.V.1 is in front: the SAD's page keys must not page the opened one.
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            dlg.selectFile(saved);
            QTimer::singleShot(50, &dlg, &QDialog::accept);
            return dlg.exec() == QDialog::Accepted;
        };
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(frame->Children().size(), 3);
        CChildFrame* opened = frame->Children().last();
        QCOMPARE(opened->PathName(), saved);
        QCOMPARE(frame->ActiveChild(), opened);
        QTRY_COMPARE(focused(), opened);
        type(QStringLiteral("Offen"));
        QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier);  // next page
        QCOMPARE(qobject_cast<CDV1_View*>(opened->View())->ViewPage(), 2);
        QCOMPARE(qobject_cast<CDV1_View*>(dv1->View())->ViewPage(), 1);
        QCOMPARE(Dv1DocumentOf(opened)->Store().GetFieldText(0, 1), std::u16string(u"Offen"));
        QCOMPARE(fieldText(dv1), QStringLiteral("Neu"));
        QCOMPARE(frame->StatusText(1), QStringLiteral("D.V.1 - Seite 2 von 2"));

        // F9 in the new D.V.1 while the SAD is open, confirmed and cancelled: the D.V.1 keeps the keyboard.
        for (bool confirm : {true, false}) {
            frame->MdiArea()->setActiveSubWindow(dv1);
            QTRY_COMPARE(focused(), dv1);
            ModalAnswers modal({[confirm](QDialog* d) {
                if (confirm)
                    d->accept();
                else
                    QTest::keyClick(d, Qt::Key_Escape);
            }});
            QTest::keyClick(window, Qt::Key_F9);
            QCOMPARE(modal.seen, QStringList{"Common_DlgMargin02"});
            QCOMPARE(frame->ActiveChild(), dv1);
            QTRY_COMPARE(focused(), dv1);
            type(confirm ? QStringLiteral("X") : QStringLiteral("Y"));
        }
        QCOMPARE(fieldText(dv1), QStringLiteral("NeuXY"));
        QCOMPARE(fieldText(sad), QString());
        QCOMPARE(frame->StatusText(1), QStringLiteral("D.V.1 - Seite 1 von 2"));
        m_app.reset();  // lets go of the file's lock while its folder is still there
    }

    // The toolbar menu's entries have access keys of their own too, and still switch the toolbars.
    void toolbarMenuEntriesHaveAccessKeys() {
        CTarvexImportApp& app = Start({});
        CMainFrame* frame = app.MainFrame();
        QMenu* view = nullptr;
        for (QAction* a : frame->menuBar()->actions())
            if (a->text() == QStringLiteral("&Ansicht")) view = a->menu();
        QVERIFY(view);
        QMenu* bars = view->actions().first()->menu();
        QVERIFY(bars);
        emit bars->aboutToShow();
        QStringList texts;
        for (QAction* a : bars->actions())
            if (!a->isSeparator()) texts.append(a->text());
        QCOMPARE(texts, (QStringList{"&1 Standard", "&Anpassen..."}));
        frame->show();
        bars->actions().first()->toggle();
        QVERIFY(!frame->StandardToolBar()->isVisible());
    }

    void windowListActivatesAndCloses() {
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        Answers(app).runNewDialog = [] { return 2; };
        frame->Action(57600)->trigger();
        QCOMPARE(frame->Children().size(), 2);
        CDlgWindowList dlg(frame);
        QCOMPARE(dlg.List()->count(), 2);
        QCOMPARE(dlg.List()->currentItem()->text(), QStringLiteral("EhForm2"));
        dlg.List()->setCurrentRow(0);
        dlg.ActivateSelected();
        QCOMPARE(frame->ActiveChild()->Title(), QStringLiteral("EhForm1"));
        QCOMPARE(app.FormVariant(), 0);  // the window in front gives the form variant
        CDlgWindowList again(frame);
        again.List()->clearSelection();
        again.List()->item(1)->setSelected(true);
        again.CloseSelected();
        QCOMPARE(frame->Children().size(), 1);
        QCOMPARE(again.List()->count(), 1);
        QVERIFY(frame->Action(131)->isEnabled());
        for (CChildFrame* c : frame->Children()) QVERIFY(c->close());
    }

    void acceleratorsFollowTableOrder() {
        CTarvexImportApp& app = Start({});
        CMainFrame* frame = app.MainFrame();
        QCOMPARE(frame->CommandForKey(QKeySequence(QStringLiteral("Ctrl+Z"))), 32787);
        QCOMPARE(frame->CommandForKey(QKeySequence(QStringLiteral("Alt+Backspace"))), 57643);
        QCOMPARE(frame->CommandForKey(QKeySequence(Qt::SHIFT | Qt::Key_Backtab)), 32777);
        QCOMPARE(frame->CommandForKey(
                     QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))),
                 32866);
        QCOMPARE(frame->CommandForKey(QKeySequence(QStringLiteral("Ctrl+Shift+Alt+R"))), 32827);

        // With an SAD open, Ctrl+Z centres the text of the current box and does not undo.
        Answers(app).runNewDialog = [] { return 0; };
        frame->Action(57600)->trigger();
        auto* view = qobject_cast<CEinheitspapierView*>(frame->ActiveChild()->View());
        QVERIFY(view);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QSignalSpy centred(frame->Action(32787), &QAction::triggered),
            undone(frame->Action(57643), &QAction::triggered);
        QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(centred.count(), 1);
        QCOMPARE(undone.count(), 0);
        QVERIFY(view->GetDocument()->Store().IsCentredCurrent());
        // Undo is there once something was typed.
        view->EditWindow()->insertPlainText(QStringLiteral("Hamburg"));
        app.UpdateCommandStates();
        QTest::keyClick(frame, Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(undone.count(), 1);
    }

    void statusPanesAndPrompts() {
        CTarvexImportApp& app = Start({});
        CMainFrame* frame = app.MainFrame();
        frame->SetStatusText(QStringLiteral("Seite 1 von 2"), 1);
        frame->SetStatusText(QStringLiteral("Feld 8"), 2);
        QCOMPARE(frame->StatusText(1), QStringLiteral("Seite 1 von 2"));
        QCOMPARE(frame->StatusText(2), QStringLiteral("Feld 8"));
        QCOMPARE(frame->StatusText(0), QStringLiteral("Bereit"));
        QCOMPARE(frame->Action(32866)->statusTip(),
                 QStringLiteral("Vergrößert die Ansicht des Dokuments im Bildschirm"));
        QCOMPARE(frame->Action(32866)->toolTip(), QStringLiteral("Ansicht vergrößern"));
    }

    // A key in a box (page key, Tab) paints the form view once, in both forms, and a typed
    // character at most once: the status panes a key changes are drawn with that paint and force
    // none of their own.
    void everyKeyPaintsTheViewOnce() {
        QTemporaryDir dir;
        const QString sadPath = dir.filePath(QStringLiteral("Drei.aef"));
        const QString dv1Path = dir.filePath(QStringLiteral("Drei.fdv"));
        {
            CMemoryProfile memory;
            CEinheitspapierDoc sad(&memory);
            sad.ConfigureStore();
            sad.OnNewDocument();
            sad.SetContinuationCount(2);
            CDV1_Doc dv1;
            dv1.OnNewDocument();
            dv1.AddPage();
            dv1.AddPage();
            std::string error;
            QVERIFY(SaveAefFile(std::filesystem::path(sadPath.toStdU16String()), sad, error));
            QVERIFY(SaveFdvFile(std::filesystem::path(dv1Path.toStdU16String()), dv1, error));
        }
        // Paints of the view; moves of the edit window, which passes no box on its way.
        class PaintCounter : public QObject {
        public:
            int paints = 0;
            int moves = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++paints;
                if (e->type() == QEvent::Move) ++moves;
                return false;
            }
        };
        for (const QString& path : {sadPath, dv1Path}) {
            CTarvexImportApp& app = Start({path});
            CMainFrame* frame = app.MainFrame();
            auto* view = qobject_cast<QAbstractScrollArea*>(frame->ActiveChild()->View());
            QVERIFY(view);
            QTRY_VERIFY(QApplication::focusWidget() &&
                        view->viewport()->isAncestorOf(QApplication::focusWidget()));
            auto* edit = qobject_cast<QTextEdit*>(QApplication::focusWidget());
            QVERIFY(edit);
            PaintCounter counter;
            view->viewport()->installEventFilter(&counter);
            edit->installEventFilter(&counter);
            const struct {
                const char* name;
                Qt::Key key;
                Qt::KeyboardModifiers modifiers;
            } keys[] = {{"Strg+Rechts", Qt::Key_Right, Qt::ControlModifier},
                        {"Tab", Qt::Key_Tab, Qt::NoModifier},
                        {"Zeichen", Qt::Key_X, Qt::NoModifier},
                        {"Strg+Links", Qt::Key_Left, Qt::ControlModifier}};
            for (const auto& k : keys) {
                QTest::qWait(30);  // earlier paints (showing the window, the last key) are done
                const QString page = frame->StatusText(1);
                const QPoint caret = edit->pos();
                const QString text = edit->toPlainText();
                counter.paints = 0;
                counter.moves = 0;
                QTest::keyClick(frame->windowHandle(), k.key, k.modifiers);
                // A typed character is painted by the edit window over the box; the view paints
                // at most what lies around it.
                const bool typed = k.key == Qt::Key_X;
                if (!typed) QTRY_VERIFY2(counter.paints > 0, k.name);
                QTest::qWait(30);
                const QByteArray what = path.toUtf8() + ": " + k.name;
                QVERIFY2(typed ? counter.paints <= 1 : counter.paints == 1,
                         (what + " painted " + QByteArray::number(counter.paints)).constData());
                QVERIFY2(counter.moves <= 1,
                         (what + " moved the edit window " + QByteArray::number(counter.moves) + " times")
                             .constData());
                // The key did what it does.
                if (k.key == Qt::Key_Tab)
                    QVERIFY2(edit->pos() != caret, what.constData());
                else if (k.key == Qt::Key_X)
                    QVERIFY2(edit->toPlainText() == text + QLatin1Char('x'), what.constData());
                else
                    QVERIFY2(frame->StatusText(1) != page, what.constData());
            }
            view->viewport()->removeEventFilter(&counter);
            edit->removeEventFilter(&counter);
            frame->ActiveChild()->CloseWithoutAsking();
            QCoreApplication::processEvents();
        }
    }

    void fileDialogFiltersAndPreselection_data() {
        QTest::addColumn<int>("noFileFilter");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("selected");
        QTest::newRow("DV1") << 0 << 99 << "DV1 Dokument. (*.fdv)";
        QTest::newRow("DV1, all files first") << 1 << 99 << "Einheitspapier. (*.aef)";
        QTest::newRow("SAD") << 0 << 2 << "Einheitspapier. (*.aef)";
        QTest::newRow("other") << 0 << 5 << "Alle Tarvex Dateien";
        QTest::newRow("other, all files first") << 1 << 5 << "Alle Dateien (*.*)";
    }
    void fileDialogFiltersAndPreselection() {
        QFETCH(int, noFileFilter);
        QFETCH(int, variant);
        QFETCH(QString, selected);
        CTarvexImportApp& app = Start({});
        app.GetProfile().WriteProfileInt("Settings", "NoFileFilter", noFileFilter);
        app.SetFormVariant(variant);
        QStringList shown;
        QString chosen;
        int context = 0;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            shown = dlg.nameFilters();
            chosen = dlg.selectedNameFilter();
            context = app.HelpContext();
            return false;
        };
        app.Documents().OnFileOpen();
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown.first().startsWith(QStringLiteral("Alle Dateien")), noFileFilter != 0);
        QCOMPARE(chosen, selected);
        QCOMPARE(context, 121);
        QCOMPARE(app.HelpContext(), 100);  // restored
    }

    // The Open dialog's filter follows the kind of the document in front, also for a D.V.1 that
    // was opened from a file while the current form variant is an SAD's.
    void openFilterFollowsTheDocumentInFront() {
        QTemporaryDir dir;
        const QString dv1 = dir.path() + QStringLiteral("/Wert.fdv");
        {
            CDV1_Doc doc;
            doc.OnNewDocument();
            std::string error;
            QVERIFY(SaveFdvFile(std::filesystem::path(dv1.toStdU16String()), doc, error));
        }
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        CChildFrame* sad = frame->ActiveChild();
        QVERIFY(app.Documents().OpenDocumentFile(dv1));
        QString chosen;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            chosen = dlg.selectedNameFilter();
            return false;
        };
        app.Documents().OnFileOpen();
        QCOMPARE(chosen, QStringLiteral("DV1 Dokument. (*.fdv)"));
        frame->ActivateChild(sad);
        app.Documents().OnFileOpen();
        QCOMPARE(chosen, QStringLiteral("Einheitspapier. (*.aef)"));
        m_app.reset();  // lets go of the file's lock while its folder is still there
    }

    void resetCommands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("fonts") << 32823 << "Schriftgrößenmodifikationen löschen" << QStringList{"Font/EFont0"}
                               << QStringList{"Settings/Language", "Workspace/MainFrame"};
        QTest::newRow("workspace") << 32825 << "Menü- und Symbolleisten-Modifikationen löschen"
                                   << QStringList{"Workspace/MainFrame"}
                                   << QStringList{"Font/EFont0", "Settings/Language"};
        QTest::newRow("everything") << 32827 << "Registry-Einträge dieses Programms löschen"
                                    << QStringList{"Font/EFont0", "Settings/Language", "Workspace/MainFrame"}
                                    << QStringList{};
    }
    void resetCommands() {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(QStringList, gone);
        QFETCH(QStringList, kept);
        CTarvexImportApp& app = Start({});
        Profile& profile = app.GetProfile();
        const uint8_t state[] = {7};
        auto fill = [&] {
            profile.WriteProfileInt("Font", "EFont0", 33);
            profile.WriteProfileInt("Settings", "Language", 0);
            profile.WriteProfileBinary("Workspace", "MainFrame", state, 1);
        };
        auto has = [&](const QString& path) {
            const QStringList p = path.split('/');
            return profile.GetProfileInt(p[0].toStdString(), p[1].toStdString(), -12345) != -12345 || [&] {
                std::vector<uint8_t> v;
                return profile.GetProfileBinary(p[0].toStdString(), p[1].toStdString(), v);
            }();
        };
        fill();
        QString asked;
        Answers(app).confirmReset = [&](const QString& t, const QString&) {
            asked = t;
            return false;
        };
        app.MainFrame()->Action(command)->trigger();
        QCOMPARE(asked, title);
        for (const QString& k : gone + kept) QVERIFY2(has(k), qPrintable(k));  // "Nein": nothing deleted
        QVERIFY(!app.SkipsExitSave());
        QVERIFY(app.MainFrame()->isVisible());

        Answers(app).confirmReset = [](const QString&, const QString&) { return true; };
        app.MainFrame()->Action(command)->trigger();
        for (const QString& k : gone) QVERIFY2(!has(k), qPrintable(k));
        for (const QString& k : kept) QVERIFY2(has(k), qPrintable(k));
        QVERIFY(app.SkipsExitSave());
        QVERIFY(!app.MainFrame()->isVisible());  // the program ends
        // Nothing is written back at the exit: the recent-file list and the window state stay away.
        app.ExitInstance();
        for (const QString& k : gone) QVERIFY2(!has(k), qPrintable(k));
        QCOMPARE(profile.GetProfileString("Recent File List", "File1", u"-"), std::u16string(u"-"));
    }

    // The first start writes what it must into each settings file once, after the window is up; a
    // later start where nothing changed writes no settings file at all.
    void laterStartWritesNoSettings() {
        QSettingsProfile(QSettingsProfile::Area::Profile).DeleteKey("");
        QSettingsProfile(QSettingsProfile::Area::ProgramArea).DeleteKey("");
        QSettingsProfile(QSettingsProfile::Area::MachineArea).DeleteKey("");
        auto run = [this](bool first) {
            m_app = NewTestApp();
            TestDialogs& answers = Answers(*m_app);
            answers.runNewDialog = [] { return -1; };
            answers.showMessage = [](const QString&, const QString& text) { QFAIL(qPrintable(text)); };
            QVERIFY(m_app->InitInstance({QStringLiteral("tarvex-import")}));
            auto* profile = dynamic_cast<QSettingsProfile*>(&m_app->GetProfile());
            QVERIFY(profile);
            QVERIFY(m_app->MainFrame()->isVisible());
            QCOMPARE(profile->CommitCount(), 0);  // nothing waited for the disk before the window
            QCoreApplication::processEvents();
            QCOMPARE(profile->CommitCount(), 0);  // nor while the window system shows it
            QVERIFY(QTest::qWaitFor([this] { return m_app->Startup().DiskWorkDone(); }));
            QCOMPARE(profile->CommitCount(), first ? 1 : 0);
            m_app->MainFrame()->close();
            m_app->ExitInstance();  // the window's state and the recent files, as they were
            if (!first) QCOMPARE(profile->CommitCount(), 0);
            m_app.reset();
        };
        const QStringList files = {QSettingsProfile(QSettingsProfile::Area::Profile).FileName(),
                                   QSettingsProfile(QSettingsProfile::Area::ProgramArea).FileName(),
                                   QSettingsProfile(QSettingsProfile::Area::MachineArea).FileName()};
        run(true);
        QCOMPARE(QSettingsProfile(QSettingsProfile::Area::Profile)
                     .GetProfileInt("EHForm_Defaults", "FieldSize_EH2", 0),
                 856);
        const QList<FileIdentity> before = Identities(files);
        for (const FileIdentity& f : before) QVERIFY2(f.inode != 0, qPrintable(f.path));
        run(false);
        QCOMPARE(Identities(files), before);
    }

    void normalExitWritesRecentFilesAndState() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/a.aef");
        CTarvexImportApp& app = Start({}, 0);
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(path);
            return true;
        };
        QVERIFY(app.Documents().SaveDocument(app.MainFrame()->ActiveChild(), true));
        QVERIFY(QFileInfo::exists(path));
        app.MainFrame()->close();
        app.ExitInstance();
        QCOMPARE(app.GetProfile().GetProfileString("Recent File List", "File1", u""), path.toStdU16String());
        std::vector<uint8_t> state;
        QVERIFY(app.GetProfile().GetProfileBinary("Workspace", "MainFrame", state));
    }

    // Leaving the program with documents open: each document window is gone before the frame
    // stops being a CMainFrame, so nothing it signals on the way out reaches half a frame.
    void exitWithWindowsOpenClosesThemWhileTheFrameIsWhole() {
        CTarvexImportApp& app = Start({}, 0);
        Answers(app).runNewDialog = [] { return 2; };
        app.MainFrame()->Action(57600)->trigger();
        app.MainFrame()->Action(57600)->trigger();
        const QList<CChildFrame*> children = app.MainFrame()->Children();
        QCOMPARE(children.size(), 3);
        // One is closed and waits for its deletion, as when the clerk closes a tab and quits at once.
        QVERIFY(children[2]->close());
        QObject* frame = app.MainFrame();
        QObject watcher;
        int whole = 0;
        int cutDown = 0;
        for (CChildFrame* c : children)
            connect(c, &QObject::destroyed, &watcher,
                    [&, frame] { ++(qobject_cast<CMainFrame*>(frame) ? whole : cutDown); });
        m_app.reset();
        QCOMPARE(cutDown, 0);
        QCOMPARE(whole, 3);
    }

    void foreignFilesAreNotOpenedAndStayUntouched_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QTest::newRow("text file") << QByteArray("Lieferschein 4711\nHamburg, 3. Mai\n") << false;
        QTest::newRow("a few bytes") << QByteArray("abc") << false;
        QTest::newRow("export form of the oldest version") << QByteArray("KTW-AEForm@1.00 und mehr") << false;
        QTest::newRow("empty file, as the desktop's New makes it") << QByteArray() << true;
    }
    void foreignFilesAreNotOpenedAndStayUntouched() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = WriteFile(dir.path() + QStringLiteral("/brief.txt"), bytes);
        CTarvexImportApp& app = Start({path});
        CMainFrame* frame = app.MainFrame();
        QCOMPARE(frame->Children().size(), opens ? 1 : 0);
        if (opens) {
            QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
            QCOMPARE(frame->ActiveChild()->PathName(), path);
            return;
        }
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].endsWith(QStringLiteral("nicht geöffnet werden!")));
        QVERIFY(app.Documents().RecentFiles().isEmpty());
        // Ctrl+S has no document to write over the file with.
        frame->Action(57603)->trigger();
        QCOMPARE(ReadFile(path), bytes);
    }

    void droppedFilesOpenLikeTheCommandLine() {
        QTemporaryDir dir;
        const QString good = dir.path() + QStringLiteral("/Import 7.aef");
        {
            CMemoryProfile memory;
            CEinheitspapierDoc doc(&memory);
            doc.ConfigureStore();
            doc.OnNewDocument();
            doc.m_nFormVariant = 0;
            std::string error;
            QVERIFY(SaveAefFile(std::filesystem::path(good.toStdU16String()), doc, error));
        }
        const QString foreign =
            WriteFile(dir.path() + QStringLiteral("/notiz.txt"), "keine Zollanmeldung hier");
        const QString dv1 = dir.path() + QStringLiteral("/Wert 7.fdv");
        {
            CDV1_Doc doc;
            std::string error;
            QVERIFY(SaveFdvFile(std::filesystem::path(dv1.toStdU16String()), doc, error));
        }
        CTarvexImportApp& app = Start({});
        CMainFrame* frame = app.MainFrame();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(good), QUrl::fromLocalFile(foreign), QUrl::fromLocalFile(dv1)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &drop);
        QCOMPARE(frame->Children().size(), 2);
        QCOMPARE(frame->Children()[0]->PathName(), good);
        QCOMPARE(frame->Children()[1]->Kind(), DocTemplate::Dv1);
        QVERIFY2(m_messages.size() == 1,
                 qPrintable(m_messages.join(QStringLiteral(" | "))));  // the text file is refused
        QCOMPARE(app.Documents().RecentFiles(), (QStringList{dv1, good}));
    }

    void cancelInTheSaveQuestionKeepsEveryWindowOpen() {
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        for (int variant : {1, 2}) {
            Answers(app).runNewDialog = [variant] { return variant; };
            frame->Action(57600)->trigger();
        }
        const QList<CChildFrame*> windows = frame->Children();
        QCOMPARE(windows.size(), 3);
        SadDocumentOf(windows[0])->SetModifiedFlag();  // EhForm2 stays unchanged
        SadDocumentOf(windows[2])->SetModifiedFlag();
        QStringList asked;
        QList<QMessageBox::StandardButton> answers;
        Answers(app).askSaveChanges = [&](const QString& question) {
            asked.append(question);
            return answers.takeFirst();
        };

        // Closing the main window: discard the first, cancel at the second.
        answers = {QMessageBox::No, QMessageBox::Cancel};
        QVERIFY(!frame->close());
        QCOMPARE(asked,
                 (QStringList{"Änderungen in EhForm1 speichern?", "Änderungen in EhForm3 speichern?"}));
        QCOMPARE(frame->Children(), windows);
        QVERIFY(frame->isVisible());

        // The field definitions need every window closed: a cancel there keeps them all as well.
        asked.clear();
        answers = {QMessageBox::No, QMessageBox::Cancel};
        frame->Action(32863)->trigger();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(frame->Children(), windows);

        // Discarding both closes everything, without asking twice.
        asked.clear();
        answers = {QMessageBox::No, QMessageBox::No};
        QVERIFY(frame->close());
        QCOMPARE(asked.size(), 2);
        QCoreApplication::processEvents();
        QVERIFY(frame->Children().isEmpty());
    }

    void saveQuestionSpeaksGerman() {
        CTarvexImportApp& app = Start({}, 0);
        CChildFrame* child = app.MainFrame()->ActiveChild();
        SadDocumentOf(child)->SetModifiedFlag();
        QStringList buttons;
        QString icon;
        ModalAnswers answers({[&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            SaveScreenshot(box, QStringLiteral("shell-save-question.png"));
            for (QAbstractButton* b : box->buttons()) buttons.append(b->text());
            icon =
                box->icon() == QMessageBox::Question ? QStringLiteral("question") : QStringLiteral("other");
            box->button(QMessageBox::Cancel)->click();
        }});
        QVERIFY(!child->close());
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"&Ja", "&Nein", "Abbrechen"}));
        QCOMPARE(icon, QStringLiteral("question"));
        QCOMPARE(app.MainFrame()->Children().size(), 1);
    }

    void modifiedMarkInTitleAndTabAndEmptyPanesWithoutDocument() {
        QTemporaryDir dir;
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        CChildFrame* child = frame->ActiveChild();
        auto* tabs = frame->MdiArea()->findChild<QTabBar*>();
        QVERIFY(tabs);
        QVERIFY(!frame->StatusText(1).isEmpty());
        QCOMPARE(tabs->tabText(0), QStringLiteral("EhForm1"));
        auto* view = qobject_cast<CEinheitspapierView*>(child->View());
        view->OnCommand(32779);  // "Schrift größer" changes the document
        app.UpdateCommandStates();
        QVERIFY(child->isWindowModified());
        QVERIFY(frame->isWindowModified());
        QCOMPARE(tabs->tabText(0), QStringLiteral("EhForm1*"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tarvex-Import - EhForm1[*]"));
        SaveScreenshot(frame, QStringLiteral("shell-modified-mark.png"));

        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(dir.path() + QStringLiteral("/Einfuhr.aef"));
            return true;
        };
        frame->Action(57604)->trigger();
        QVERIFY(!child->isWindowModified());
        QVERIFY(!frame->isWindowModified());
        QCOMPARE(tabs->tabText(0), QStringLiteral("Einfuhr.aef"));

        QVERIFY(child->close());
        QCoreApplication::processEvents();
        QCOMPARE(frame->StatusText(1), QString());
        QCOMPARE(frame->StatusText(2), QString());
    }

    void fileDialogsStartInTheDocumentsOrTheDataFolder() {
        QTemporaryDir dir;
        CTarvexImportApp& app = Start({}, 0);
        const QString data = QDir::homePath() + QStringLiteral("/Documents/Tarvex-Import");
        QString folder, file;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            folder = dlg.directory().absolutePath();
            file = dlg.selectedFiles().value(0);
            dlg.selectFile(dir.path() + QStringLiteral("/Kopie.aef"));
            return true;
        };
        // A new document is saved into the data folder under its title.
        QVERIFY(app.Documents().SaveDocument(app.MainFrame()->ActiveChild(), false));
        QCOMPARE(folder, data);
        QCOMPARE(file, data + QStringLiteral("/EhForm1.aef"));
        // Once it has a file, its folder is where Open and Save As start.
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            folder = dlg.directory().absolutePath();
            return false;
        };
        app.Documents().OnFileOpen();
        QCOMPARE(folder, dir.path());
        QVERIFY(!app.Documents().SaveDocument(app.MainFrame()->ActiveChild(), true));
        QCOMPARE(folder, dir.path());
        QVERIFY(QDir::currentPath() != dir.path());
    }

    void printCommandFlow() {
        CTarvexImportApp& app = Start({}, 0);
        QTemporaryDir dir;
        Profile& profile = app.GetProfile();
        QVERIFY(qobject_cast<CEinheitspapierView*>(app.MainFrame()->ActiveChild()->View()));
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        int fileDialogs = 0;
        const QString pdf = dir.path() + QStringLiteral("/Seite.pdf");
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            ++fileDialogs;
            dlg.selectFile(pdf);
            return true;
        };
        auto print = [&](QList<std::function<void(QDialog*)>> answers) {
            ModalAnswers modal(std::move(answers));
            app.MainFrame()->Action(cmd::kPrint)->trigger();
            return modal.seen;
        };
        auto reject = [](QDialog* d) { d->reject(); };
        auto accept = [](QDialog* d) { d->accept(); };

        // "Abbrechen" on the margin sheet ends the print there.
        QCOMPARE(print({reject}), QStringList{"Common_DlgMargin02"});
        // Cancelling the print dialog prints nothing either.
        QCOMPARE(print({accept, reject}), (QStringList{"Common_DlgMargin02", "CDlgDrucken"}));
        QCOMPARE(fileDialogs, 0);
        QVERIFY(!QFileInfo::exists(pdf));

        // PDF output with "Immer diesen Drucker verwenden": remembered as such ...
        profile.WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        QString device;
        QCOMPARE(print({[&](QDialog* d) {
                     auto* dlg = qobject_cast<CDlgDrucken*>(d);
                     device = dlg->m_strDevice;
                     dlg->ReuseBox()->setChecked(true);
                     dlg->accept();
                 }}),
                 QStringList{"CDlgDrucken"});
        QCOMPARE(device, QStringLiteral("PDF-Datei"));
        QCOMPARE(fileDialogs, 1);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(profile.GetProfileString("EHForm_Defaults", "Printer", u"@"), std::u16string(u"PDF-Datei"));
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "ReUsePrn", 0), 1);

        // ... and chosen again without a word about a missing printer, even after a printer was in use.
        app.Printer().setOutputFormat(QPrinter::NativeFormat);
        bool ticked = false;
        QCOMPARE(print({[&](QDialog* d) {
                     auto* dlg = qobject_cast<CDlgDrucken*>(d);
                     device = dlg->m_strDevice;
                     ticked = dlg->ReuseBox()->isChecked();
                     dlg->reject();
                 }}),
                 QStringList{"CDlgDrucken"});
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QCOMPARE(device, QStringLiteral("PDF-Datei"));
        QVERIFY(ticked);
    }

    // A PDF job asks for its file first; however long the clerk takes over the name, no progress
    // window opens over the file dialog (nor exists at all), and the file is written after it.
    void pdfFileDialogAnsweredAfterSixSecondsWritesThePdf() {
        CTarvexImportApp& app = Start({}, 0);
        QTemporaryDir dir;
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.path() + QStringLiteral("/Gewartet.pdf");
        int progressWhileAsked = -1;
        QWidget* frontWhileAsked = nullptr;
        QFileDialog* asked = nullptr;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            asked = &dlg;
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            QTimer::singleShot(6000, &dlg, [&] {
                frontWhileAsked = QApplication::activeModalWidget();
                progressWhileAsked = 0;
                for (QWidget* w : QApplication::allWidgets())
                    progressWhileAsked += qobject_cast<QProgressDialog*>(w) != nullptr;
                // Typed as the clerk types it: into the name field.
                dlg.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(pdf);
                static_cast<QDialog&>(dlg).accept();  // Qt's own check of the name runs
            });
            return dlg.exec() == QDialog::Accepted;
        };
        {
            ModalAnswers modal({[](QDialog* d) {
                                    auto* dlg = qobject_cast<CDlgDrucken*>(d);
                                    dlg->AllPagesButton()->setChecked(true);
                                    dlg->CopiesEdit()->setText(QStringLiteral("3"));
                                    dlg->accept();
                                },
                                [](QDialog*) {}, [](QDialog*) {}});
            app.MainFrame()->Action(cmd::kPrint)->trigger();
            QCOMPARE(modal.seen.value(0), QStringLiteral("CDlgDrucken"));
        }
        QVERIFY(asked);
        QCOMPARE(frontWhileAsked, static_cast<QWidget*>(asked));
        QCOMPARE(progressWhileAsked, 0);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QVERIFY(ReadFile(pdf).startsWith("%PDF"));
        QCOMPARE(app.MainFrame()->StatusText(0), QStringLiteral("In PDF-Datei gedruckt: ") + pdf);
        const int pages = SadDocumentOf(app.MainFrame()->ActiveChild())->Store().GetPageCount();
        QVERIFY2(Poppler(QStringLiteral("pdfinfo"), {pdf})
                     .contains(QRegularExpression(QStringLiteral(R"(Pages:\s+%1\n)").arg(pages * 3))),
                 qPrintable(pdf));
    }

    // A PDF file chosen in the printer set-up is not the file of every later job: each job asks,
    // proposing a name from the document in that folder, and an existing file is replaced only
    // after Qt's usual question. The set-up's confirm button does not say "Drucken".
    void everyPdfJobAsksForItsFile() {
        CTarvexImportApp& app = Start({}, 0);
        QTemporaryDir dir;
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        // The set-up: its confirm button, then the PDF output with a file, as Qt's dialog leaves it.
        QString confirm;
        {
            ModalAnswers modal({[&](QDialog* d) {
                for (auto* box : d->findChildren<QDialogButtonBox*>())
                    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) confirm = ok->text();
                d->reject();
            }});
            app.MainFrame()->Action(cmd::kPrintSetup)->trigger();
            QCOMPARE(modal.seen, QStringList{"QPrintDialog"});
        }
        QCOMPARE(confirm, QStringLiteral("&Übernehmen"));
        const QString setupFile = WriteFile(dir.path() + QStringLiteral("/Einrichtung.pdf"), "alt");
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        app.Printer().setOutputFileName(setupFile);

        QStringList proposed;
        QString answer;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            proposed.append(dlg.selectedFiles().value(0));
            QTimer::singleShot(50, &dlg, [&] {
                dlg.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer);
                static_cast<QDialog&>(dlg).accept();
            });
            return dlg.exec() == QDialog::Accepted;
        };
        QString shownFile;
        auto printPage1 = [&](QList<std::function<void(QDialog*)>> more) {
            QList<std::function<void(QDialog*)>> answers{[&](QDialog* d) {
                auto* dlg = qobject_cast<CDlgDrucken*>(d);
                shownFile = dlg->OutputFileLabel() ? dlg->OutputFileLabel()->text() : QString();
                SaveScreenshot(dlg, QStringLiteral("print-dialog-pdf.png"));
                dlg->accept();
            }};
            ModalAnswers modal(answers + more);
            app.MainFrame()->Action(cmd::kPrint)->trigger();
            return modal.seen;
        };
        const QString first = dir.path() + QStringLiteral("/Erster.pdf");
        answer = first;
        QCOMPARE(printPage1({[](QDialog*) {}}), (QStringList{"CDlgDrucken", "QFileDialog"}));
        const QString expected = dir.path() + QStringLiteral("/EhForm1 Seite 1.pdf");
        QCOMPARE(proposed, QStringList{expected});
        QVERIFY2(shownFile.contains(QDir::toNativeSeparators(expected)), qPrintable(shownFile));
        QVERIFY(ReadFile(first).startsWith("%PDF"));
        QCOMPARE(ReadFile(setupFile), QByteArray("alt"));

        // The next job asks again; naming the first file brings the question, "Nein" keeps it.
        WriteFile(first, "vorher");
        QString question;
        QCOMPARE(printPage1({[](QDialog*) {},
                             [&](QDialog* d) {
                                 auto* box = qobject_cast<QMessageBox*>(d);
                                 question = box->text();
                                 box->button(QMessageBox::No)->click();
                             },
                             [](QDialog* d) { d->reject(); }}),
                 (QStringList{"CDlgDrucken", "QFileDialog", "QMessageBox", "QFileDialog"}));
        QCOMPARE(proposed.size(), 2);
        QVERIFY2(question.contains(QStringLiteral("Erster.pdf")), qPrintable(question));
        QCOMPARE(ReadFile(first), QByteArray("vorher"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        // "Ja" replaces it.
        QCOMPARE(printPage1(
                     {[](QDialog*) {},
                      [](QDialog* d) { qobject_cast<QMessageBox*>(d)->button(QMessageBox::Yes)->click(); }}),
                 (QStringList{"CDlgDrucken", "QFileDialog", "QMessageBox"}));
        QVERIFY(ReadFile(first).startsWith("%PDF"));
        QCOMPARE(ReadFile(setupFile), QByteArray("alt"));
    }

    // Closing the preview, with "Schließen" or Escape, goes back to the print dialog as it was
    // left (with the mode chosen in the preview); only the print dialog ends the command.
    void closingThePreviewReturnsToThePrintDialog() {
        CTarvexImportApp& app = Start({}, 0);
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        int fileDialogs = 0;
        Answers(app).execFileDialog = [&](QFileDialog&) {
            ++fileDialogs;
            return false;
        };
        QList<PrintMode> modes;
        auto toPreview = [&](QDialog* d) {
            auto* dlg = qobject_cast<CDlgDrucken*>(d);
            modes << dlg->CheckedPrintMode();
            dlg->PreviewButton()->click();
        };
        ModalAnswers modal({toPreview,
                            [](QDialog* d) {
                                auto* preview = qobject_cast<CDlgDruckvorschau*>(d);
                                preview->SetMode(PrintMode::WithForm);
                                QTest::keyClick(preview, Qt::Key_Escape);
                            },
                            toPreview,
                            [](QDialog* d) {
                                for (QPushButton* b : d->findChildren<QPushButton*>())
                                    if (b->text() == QStringLiteral("S&chließen")) b->click();
                            },
                            [&](QDialog* d) {
                                modes << qobject_cast<CDlgDrucken*>(d)->CheckedPrintMode();
                                d->reject();
                            }});
        app.MainFrame()->Action(cmd::kPrint)->trigger();
        QCOMPARE(modal.seen, (QStringList{"CDlgDrucken", "CDlgDruckvorschau", "CDlgDrucken",
                                          "CDlgDruckvorschau", "CDlgDrucken"}));
        QCOMPARE(modes, (QList<PrintMode>{PrintMode::Preprinted, PrintMode::WithForm, PrintMode::WithForm}));
        QCOMPARE(fileDialogs, 0);
    }

    // A cancelled PDF job says so and which file stayed as it was; the progress window exists
    // only while pages are drawn, after the file name is known.
    void cancelledPdfJobIsReportedAndKeepsTheOldFile() {
        CTarvexImportApp& app = Start({}, 0);
        QTemporaryDir dir;
        const QString pdf = WriteFile(dir.path() + QStringLiteral("/Alt.pdf"), "alte Datei");
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        int progressWhileAsked = -1;
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            progressWhileAsked = 0;
            for (QWidget* w : QApplication::allWidgets())
                progressWhileAsked += qobject_cast<QProgressDialog*>(w) != nullptr;
            dlg.selectFile(pdf);
            return true;
        };
        // A source whose second page is where the clerk presses "Abbrechen".
        struct Source final : IPrintPageSource {
            int PageCount() const override { return 3; }
            int PageKind(int) const override { return 0; }
            int KindCount() const override { return 1; }
            QString KindName(int) const override { return {}; }
            PrintOrigin Origin(int) const override { return {}; }
            QTransform FormToPage(int) const override { return {}; }
            void DrawForm(QPainter&, int) const override {}
            void DrawEntries(QPainter& p, int page, PrintMode) const override {
                p.drawText(QPoint(500, 500), QStringLiteral("Seite %1").arg(page));
                for (QWidget* w : QApplication::allWidgets())
                    if (auto* progress = qobject_cast<QProgressDialog*>(w)) {
                        ++progressWhileDrawn;
                        if (page == 2) progress->cancel();
                    }
            }
            void DrawRegistrationMarks(QPainter&, int, const PrintOrigin&) const override {}
            QPoint RegistrationCorner(int, const PrintOrigin&) const override { return {}; }
            mutable int progressWhileDrawn = 0;
        } source;
        PrintJobOptions options;
        options.first = 1;
        options.last = 3;
        PrintWithProgress(app.MainFrame(), app, app.Printer(), source, options, QStringLiteral("Neu.pdf"));
        QCOMPARE(progressWhileAsked, 0);
        QCOMPARE(source.progressWhileDrawn, 2);
        QCOMPARE(ReadFile(pdf), QByteArray("alte Datei"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith(QStringLiteral("Der Druck wurde abgebrochen.")),
                 qPrintable(m_messages[0]));
        QVERIFY2(
            m_messages[0].contains(QDir::toNativeSeparators(pdf) + QStringLiteral(" bleibt unverändert")),
            qPrintable(m_messages[0]));
    }

    // F1 shows the help in the program's own window, with no browser on the machine: the page of
    // the current context, links, back and forward, the contents; from a modal dialog too, whose
    // help window takes the keyboard while the dialog is open and stays after it.
    void f1ShowsTheHelpWithoutABrowser() {
        QTemporaryDir emptyBin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", emptyBin.path().toLocal8Bit());
        qunsetenv("BROWSER");
        auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        CTarvexImportApp& app = Start({}, 0);
        CMainFrame* frame = app.MainFrame();
        auto* view = qobject_cast<CEinheitspapierView*>(frame->ActiveChild()->View());
        QVERIFY(view);
        const int context = app.HelpContext();
        QVERIFY(HasHelpPage(context));
        QTest::keyClick(view->EditWindow(), Qt::Key_F1);
        CHelpWnd* help = app.HelpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->CurrentContext(), context);
        QVERIFY(!help->Browser()->toPlainText().isEmpty());
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        SaveScreenshot(help, QStringLiteral("help-window.png"));

        // The help window has the keyboard; the first link of the page (the overview) by keyboard,
        // then back and forward.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(help));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(help->Browser()));
        QTest::keyClick(help->Browser(), Qt::Key_Tab);
        QTest::keyClick(help->Browser(), Qt::Key_Return);
        QCOMPARE(help->CurrentContext(), 100);
        QVERIFY(help->BackButton()->isEnabled());
        help->BackButton()->click();
        QCOMPARE(help->CurrentContext(), context);
        help->ForwardButton()->click();
        QCOMPARE(help->CurrentContext(), 100);
        // The contents lead to every page; the entry of the page shown is the current one.
        QCOMPARE(help->Contents()->count(), int(HelpContents().size()));
        QCOMPARE(help->Contents()->currentItem()->data(Qt::UserRole).toInt(), 100);
        QListWidgetItem* box47 = nullptr;
        for (int i = 0; i < help->Contents()->count(); ++i)
            if (help->Contents()->item(i)->data(Qt::UserRole).toInt() == 447)
                box47 = help->Contents()->item(i);
        QVERIFY(box47);
        emit help->Contents()->itemActivated(box47);
        QCOMPARE(help->CurrentContext(), 447);
        QVERIFY(help->Browser()->documentTitle().startsWith(QStringLiteral("Feld 47")));

        // From the print dialog: its page, and the help window is not blocked by the dialog.
        app.GetProfile().WriteProfileInt("EHForm_Defaults", "ShowMarginDlgEH", 1);
        int shown = 0, afterBack = 0;
        bool ownedByDialog = false;
        {
            ModalAnswers modal({[&](QDialog* d) {
                QTest::keyClick(qobject_cast<CDlgDrucken*>(d)->PageList(), Qt::Key_F1);
                shown = help->CurrentContext();
                ownedByDialog = help->parentWidget() == d && help->isVisible();
                QTest::keyClick(help->windowHandle(), Qt::Key_Left, Qt::AltModifier);
                afterBack = help->CurrentContext();
                d->reject();
            }});
            frame->Action(cmd::kPrint)->trigger();
            QCOMPARE(modal.seen, QStringList{"CDlgDrucken"});
        }
        QCOMPARE(shown, kSadPrintForm.printHelpContext);
        QVERIFY(ownedByDialog);
        QCOMPARE(afterBack, 447);
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), static_cast<QWidget*>(frame));
        QCOMPARE(app.HelpWindow(), help);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
    }

    // A range "mit Formular" into one PDF through the D.V.1's print command: each page of the
    // range once per copy, each entry inside the box the drawn form gives it, the mode remembered
    // for the D.V.1 alone.
    void dv1RangeWithFormIntoOnePdf() {
        CTarvexImportApp& app = Start({}, 99);
        QTemporaryDir dir;
        CMainFrame* frame = app.MainFrame();
        auto* view = qobject_cast<CDV1_View*>(frame->ActiveChild()->View());
        QVERIFY(view);
        frame->Action(cmd::kAddPage)->trigger();
        CFieldStore& store = view->GetDocument()->Store();
        QCOMPARE(store.GetPageCount(), 3);
        store.SetFieldText(0, u"Vorderseite", 1);
        // Typed into the first field of the new page: the command takes it from the edit window.
        QTest::keyClicks(view->EditWindow(), QStringLiteral("Zusatzblatt"));

        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.path() + QStringLiteral("/Bereich.pdf");
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(pdf);
            return true;
        };
        PrintMode modeAtFirst = PrintMode::WithForm;
        {
            ModalAnswers modal({[](QDialog* d) { d->accept(); },
                                [&](QDialog* d) {
                                    auto* dlg = qobject_cast<CDlgDrucken*>(d);
                                    modeAtFirst = dlg->CheckedPrintMode();
                                    dlg->FromBox()->setValue(2);
                                    dlg->ToBox()->setValue(3);
                                    dlg->ModeButton(PrintMode::WithForm)->setChecked(true);
                                    dlg->CopiesEdit()->setText(QStringLiteral("2"));
                                    dlg->accept();
                                },
                                [](QDialog*) {}});  // the progress dialog, should it show, runs on
            frame->Action(cmd::kPrint)->trigger();
            QCOMPARE(modal.seen.mid(0, 2), (QStringList{"Common_DlgMargin02", "CDlgDrucken"}));
        }
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QCOMPARE(modeAtFirst, PrintMode::Preprinted);
        QCOMPARE(ChosenPrintMode(app.GetProfile(), 1), PrintMode::WithForm);
        QCOMPARE(ChosenPrintMode(app.GetProfile(), 0), PrintMode::Preprinted);

        const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(!info.isEmpty(), "pdfinfo (poppler-utils) is needed");
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+4\n)"))), qPrintable(info));
        // Sheets 2 and 4 are document page 3, a BIS front, whose first field's box holds its text.
        const CDv1PrintSource source(*view->GetDocument(), app.GetProfile());
        const QRectF box = source.FormToPage(3).mapRect(
            QRectF(CDv1PageRenderer::FieldTextRect(Dv1PageKind::BisFront, 0, 10)));
        QVERIFY(!box.isEmpty());
        for (int sheet : {2, 4}) {
            // With the form, its caption is printed too.
            QVERIFY(!PdfWordBox(pdf, sheet, QStringLiteral("ERGÄNZUNGSBLATT")).isNull());
            const QRectF word = PdfWordBox(pdf, sheet, QStringLiteral("Zusatzblatt"));
            QVERIFY2(!word.isNull(), qPrintable(QString::number(sheet)));
            QVERIFY2(box.adjusted(-1, -1, 1, 1).contains(word),
                     qPrintable(QStringLiteral("%1,%2 %3x%4 not in %5,%6 %7x%8")
                                    .arg(word.x())
                                    .arg(word.y())
                                    .arg(word.width())
                                    .arg(word.height())
                                    .arg(box.x())
                                    .arg(box.y())
                                    .arg(box.width())
                                    .arg(box.height())));
        }
        // The front is not in the range.
        for (int sheet = 1; sheet <= 4; ++sheet)
            QVERIFY(PdfWordBox(pdf, sheet, QStringLiteral("Vorderseite")).isNull());
    }

    void dv1IsPrintedSavedAndReopened() {
        CTarvexImportApp& app = Start({}, 99);
        QTemporaryDir dir;
        CMainFrame* frame = app.MainFrame();
        auto* view = qobject_cast<CDV1_View*>(frame->ActiveChild()->View());
        QVERIFY(view);
        QCOMPARE(frame->CurrentMenuResource(), 131);
        QCOMPARE(frame->ActiveChild()->Title(), QStringLiteral("DV1form1"));
        QTest::keyClicks(view->EditWindow(), QStringLiteral("Muster GmbH"));
        view->Nav().ClickBox(1);
        frame->Action(cmd::kAddPage)->trigger();
        QCOMPARE(frame->StatusText(1), QStringLiteral("D.V.1 - Seite 3 von 3"));
        QVERIFY(frame->Action(cmd::kDv1Calculate)->isEnabled());
        QVERIFY(!frame->Action(cmd::kInsertDefaults)->isEnabled());
        QVERIFY(frame->ActiveChild()->IsModified());

        // Print page 3 into a PDF: the D.V.1's margin sheet (four pages), then its print dialog.
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.path() + QStringLiteral("/Seite3.pdf");
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(pdf);
            return true;
        };
        int marginPages = 0;
        QStringList entries;
        {
            ModalAnswers modal({[&](QDialog* d) {
                                    marginPages = d->findChild<QTabWidget*>()->count();
                                    d->accept();
                                },
                                [&](QDialog* d) {
                                    auto* dlg = qobject_cast<CDlgDrucken*>(d);
                                    for (int i = 0; i < dlg->PageList()->count(); ++i)
                                        entries.append(dlg->PageList()->itemText(i));
                                    dlg->PageList()->setCurrentIndex(2);
                                    dlg->accept();
                                }});
            frame->Action(cmd::kPrint)->trigger();
            QCOMPARE(modal.seen, (QStringList{"Common_DlgMargin02", "CDlgDrucken"}));
        }
        QCOMPARE(marginPages, 4);
        QCOMPARE(entries, (QStringList{"Seite 1 drucken - D.V.1", "Seite 2 drucken - D.V.1",
                                       "Seite 3 drucken - D.V.1 BIS"}));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        QVERIFY(QFileInfo(pdf).size() > 0);

        // A text too long for its box: the clerk is asked first, and "Nein" prints nothing.
        view->GetDocument()->Store().SetFieldText(
            3, u"FOB Shanghai, Hafen, Terminal 4, Liegeplatz 17, Verladung durch die Reederei", 1);
        QFile::remove(pdf);
        {
            ModalAnswers modal({[](QDialog* d) { d->accept(); }, [](QDialog* d) { d->accept(); },
                                [](QDialog* d) { d->reject(); }});
            frame->Action(cmd::kPrint)->trigger();
            QCOMPARE(modal.seen, (QStringList{"Common_DlgMargin02", "CDlgDrucken", "QMessageBox"}));
        }
        QVERIFY(!QFileInfo::exists(pdf));

        // Saved under its title with ".fdv", and opened again as a D.V.1 with what was typed.
        const QString file = dir.path() + QStringLiteral("/Wert.fdv");
        Answers(app).execFileDialog = [&](QFileDialog& dlg) {
            dlg.selectFile(dir.path() + QStringLiteral("/Wert"));
            return true;
        };
        QVERIFY(app.Documents().SaveDocument(frame->ActiveChild(), false));
        QVERIFY(QFileInfo::exists(file));
        QVERIFY(!frame->ActiveChild()->IsModified());
        // The command line opens it again as a D.V.1 with what was typed.
        CTarvexImportApp& again = Start({file}, -1, false);
        QCOMPARE(again.MainFrame()->Children().size(), 1);
        CChildFrame* reopened = again.MainFrame()->ActiveChild();
        QCOMPARE(reopened->Kind(), DocTemplate::Dv1);
        QCOMPARE(again.MainFrame()->CurrentMenuResource(), 131);
        QCOMPARE(Dv1DocumentOf(reopened)->Store().GetFieldText(0, 1), std::u16string(u"Muster GmbH"));
        QCOMPARE(Dv1DocumentOf(reopened)->Store().GetPageCount(), 3);
        QCOMPARE(Dv1DocumentOf(reopened)->m_Checks[1], uint8_t(1));
        QCOMPARE(again.Documents().RecentFiles().value(0), file);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
    }

    void foreignFdvIsRefusedAndNeverOpened() {
        CTarvexImportApp& app = Start({});
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/fremd.fdv");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("KTW-DV1Form@2.00 eine alte Datei");
        }
        QVERIFY(!app.Documents().OpenDocumentFile(path));
        QCOMPARE(app.MainFrame()->Children().size(), 0);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Dies ist ein Dokument einer älteren Version")));
    }

    void fileTypesAreRegisteredAfterTheWindowAndOnlyWhenNeeded() {
        const QString share = QSettingsProfile::SettingsDirOverride() + QStringLiteral("/share");
        QVERIFY(QDir(share).removeRecursively());
        const CFreedesktopTypeRegistry paths(std::filesystem::path(share.toStdU16String()), {});
        const QString desktop = QString::fromStdU16String(paths.DesktopPath(u"Einheitspapier").u16string());
        auto start = [&] {
            m_app.reset();
            m_app = NewTestApp();
            Answers(*m_app).runNewDialog = [] { return -1; };
            m_app->InitInstance({QStringLiteral("tarvex-import")});
            QCoreApplication::processEvents();
            const bool before = QFileInfo::exists(desktop);
            (void)QTest::qWaitFor([this] { return m_app->Startup().DiskWorkDone(); });
            return before;
        };
        QVERIFY2(!start(), "nothing is registered before the window is up");
        QVERIFY(m_app->Startup().DiskWorkDone());
        QVERIFY(m_app->MainFrame()->isVisible());
        QCOMPARE(m_app->Desktop().FileTypeRegistrations(), 1);
        QVERIFY(QFileInfo::exists(desktop));
        start();
        QCOMPARE(m_app->Desktop().FileTypeRegistrations(), 0);  // the stamp says nothing changed
        QVERIFY(QFile::remove(desktop));
        start();
        QCOMPARE(m_app->Desktop().FileTypeRegistrations(), 1);  // a missing entry is written again
        QVERIFY(QFileInfo::exists(desktop));
    }

    void installedIconsAreTheIconsTheProgramDraws() {
        // The package ships the icons as files; they must be what the program itself draws, in every size.
        const char* names[] = {"apps/tarvex-import", "mimetypes/application-x-tarvex-einheitspapier",
                               "mimetypes/application-x-tarvex-dv1-dokument"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            for (int index = 0; index < 3; ++index) {
                const QString path = QStringLiteral(TARVEX_SOURCE_DIR "/resources/icons/hicolor/%1x%1/%2.png")
                                         .arg(size)
                                         .arg(QLatin1String(names[index]));
                const QImage file(path);
                QVERIFY2(!file.isNull(), qPrintable(path));
                QCOMPARE(file.size(), QSize(size, size));
                QVERIFY2(SameDrawing(file, DocumentIconImage(index, size)), qPrintable(path));
                // The tolerance still tells the icons apart.
                QVERIFY2(!SameDrawing(file, DocumentIconImage((index + 1) % 3, size)), qPrintable(path));
            }
        }
    }

    void newFileTemplatesGoToTheTemplatesFolderOnce() {
        const QString settings = QSettingsProfile::SettingsDirOverride();
        const QString templates = settings + QStringLiteral("/Templates");
        QVERIFY(QDir(templates).removeRecursively());
        QFile::remove(settings + QStringLiteral("/share/tarvex-import/templates.stamp"));
        auto start = [&] {
            m_app.reset();
            m_app = NewTestApp();
            Answers(*m_app).runNewDialog = [] { return -1; };
            Answers(*m_app).showMessage = [this](const QString&, const QString& text) {
                m_messages.append(text);
            };
            m_app->InitInstance({QStringLiteral("tarvex-import")});
            // -1: the start's disk work never came
            if (!QTest::qWaitFor([this] { return m_app->Startup().DiskWorkDone(); })) return -1;
            return m_app->Desktop().TemplatesWritten();
        };
        QCOMPARE(start(), 2);
        const QString sad = templates + QStringLiteral("/Einheitspapier.aef");
        const QString dv1 = templates + QStringLiteral("/DV1-Dokument.fdv");
        QVERIFY(QFileInfo(sad).size() > 0);
        QVERIFY(QFileInfo(dv1).size() > 0);
        // The program opens what the menu creates, without a word.
        m_messages.clear();
        QVERIFY(m_app->Documents().OpenDocumentFile(sad));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        // A template the user removed stays removed while the program is the same.
        QVERIFY(QFile::remove(dv1));
        QCOMPARE(start(), 0);
        QVERIFY(!QFileInfo::exists(dv1));
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
