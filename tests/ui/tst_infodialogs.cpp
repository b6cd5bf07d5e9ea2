// The form defaults dialog and command, the support information and its report file, the about
// and splash windows, and the toolbar customising with its arrangement surviving a restart.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include "core/app/ShellCommands.h"
#include "core/common/CommandIds.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadFields.h"
#include "core/settings/Profile.h"
#include "render/app/QSettingsProfile.h"
#include "tests/common/AppFixture.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/forms/Dv1FormDocument.h"
#include "ui/forms/SadFormDocument.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/dialogs/CDlgDefaultTexte_EH.h"
#include "ui/shell/CAboutDlg.h"
#include "ui/shell/CDlgToolbarAnpassen.h"
#include "ui/shell/CSplashWnd.h"
#include "ui/shell/Common_DlgInternalInfo.h"

using namespace tarvex;
using namespace tarvex::testutil;

namespace {

void Snapshot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    // The layout and the scroll bars settle in the event loop.
    QTest::qWait(50);
    w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

QStringList ToolbarIds(QToolBar* bar) {
    QStringList ids;
    for (QAction* a : bar->actions())
        ids.append(a->isSeparator() ? QStringLiteral("0") : a->data().toString());
    return ids;
}

}  // namespace

class TestInfoDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTarvexImportApp> m_app;
    QStringList m_messages;
    QTemporaryDir m_home;

    CTarvexImportApp& Start(bool clearSettings = true) {
        m_app.reset();
        if (clearSettings) {
            QSettingsProfile(QSettingsProfile::Area::Profile).DeleteKey("");
            QSettingsProfile(QSettingsProfile::Area::ProgramArea).DeleteKey("");
        }
        m_app = StartTestApp({}, -1, &m_messages);
        return *m_app;
    }

private slots:
    void initTestCase() {
        QVERIFY2(!QSettingsProfile::SettingsDirOverride().isEmpty(), "run with TARVEX_SETTINGS_DIR set");
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(InstallQtTranslations());
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
    }
    void cleanup() { m_app.reset(); }

    void defaultsDialogShowsTheFreshProfileAndAsksBeforeCuttingAnAddress() {
        CMemoryProfile profile, programArea;
        CFieldDefinitions defs;
        defs.ResetToBuiltIn();
        CDlgDefaultTexte_EH dlg(profile, defs, programArea);
        dlg.show();
        QVERIFY(dlg.Check(1038)->isChecked() && dlg.Check(1039)->isChecked());
        QVERIFY(!dlg.Check(1032)->isChecked() && !dlg.Check(1035)->isChecked());
        QVERIFY(dlg.Check(1034)->isChecked() && dlg.Check(1033)->isChecked());
        QVERIFY(!dlg.Check(1036)->isChecked() && !dlg.Check(1037)->isChecked());
        QCOMPARE(dlg.State17Combo()->currentText(), QStringLiteral("01 - Schleswig-Holstein"));
        QCOMPARE(dlg.State34Combo()->currentText(), QStringLiteral("01 - Schleswig-Holstein"));
        QCOMPARE(dlg.State34Combo()->count(), 16);
        // An empty entry first: the position is the "Anmelder" value.
        QCOMPARE(dlg.AnmelderCombo()->count(), 5);
        QCOMPARE(dlg.AnmelderCombo()->itemText(0), QString());
        QCOMPARE(dlg.AnmelderCombo()->itemText(4),
                 QStringLiteral("Subunternehmer gem. Artikel 789 Zollkodex-DVO"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Voreinstellungen und Vorgabetexte (Einheitspapier)"));

        // Five lines and one too long: the clerk is asked, and "Nein" stores nothing.
        dlg.AddressEdit()->setPlainText(
            QStringLiteral("Muster GmbH\n%1\nHafenstr. 1\n20457 Hamburg\nDeutschland")
                .arg(QString(52, QLatin1Char('x'))));
        dlg.Check(1032)->setChecked(true);
        dlg.State17Combo()->setCurrentIndex(8);
        dlg.AnmelderCombo()->setCurrentIndex(2);
        dlg.Check(1037)->setChecked(true);
        Snapshot(&dlg, "form-defaults-dialog");
        QString asked;
        dlg.m_confirmAddress = [&](const QString& text) {
            asked = text;
            return false;
        };
        dlg.accept();
        QVERIFY(asked.contains(QStringLiteral("5 Zeilen")));
        QVERIFY(asked.contains(QStringLiteral("Zeile 2 der Adresse")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(profile.Size(), 0u);

        dlg.m_confirmAddress = [](const QString&) { return true; };
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(profile.GetProfileString("EHForm_Defaults", "Firma2", u""), std::u16string(49, u'x'));
        QCOMPARE(profile.GetProfileString("EHForm_Defaults", "Firma4", u""), u"20457 Hamburg");
        QCOMPARE(profile.GetProfileString("EHForm_Defaults", "Bundesland2", u""), u"09");
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "Anmelder", -1), 2);
        QCOMPARE(profile.GetProfileInt("EHForm_Defaults", "Feld14", -1), 0);
        for (int v = 0; v < 4; ++v) QCOMPARE(int(defs.Get(1, FieldStampC(1), v)), 0);
    }

    void formDefaultsCommandReachesOpenWindowsAndNewDocuments() {
        CTarvexImportApp& app = Start();
        CMainFrame* frame = app.MainFrame();
        QVERIFY(!frame->Action(cmd::kFormDefaults)->isEnabled());  // no SAD window in front
        CChildFrame* first = app.Documents().CreateNewDocument(0);
        app.UpdateCommandStates();
        QVERIFY(frame->Action(cmd::kFormDefaults)->isEnabled());
        auto* openView = qobject_cast<CEinheitspapierView*>(first->View());
        QCOMPARE(int(openView->Definitions().Get(1, FieldStampA(1), 0)), int(kDefNotOnForm));

        Answers(app).execDialog = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgDefaultTexte_EH&>(d);
            dlg.AddressEdit()->setPlainText(QStringLiteral("Muster GmbH\nHafenstr. 1\n20457 Hamburg"));
            dlg.ZollNummer1Edit()->setText(QStringLiteral("DE1234567"));
            dlg.Check(1032)->setChecked(true);
            dlg.AnmelderCombo()->setCurrentIndex(3);
            dlg.ZollNummer2Edit()->setText(QStringLiteral("DE7654321"));
            dlg.Check(1035)->setChecked(true);
            dlg.State34Combo()->setCurrentIndex(4);
            dlg.Check(1036)->setChecked(true);
            dlg.accept();
            return dlg.result();
        };
        frame->Action(cmd::kFormDefaults)->trigger();
        QCOMPARE(
            m_messages,
            QStringList{QStringLiteral(
                "Die Vorgabedaten wurden gesichert\nund werden beim nächsten neuen\nDokument benutzt.")});
        // The stamp acts at once in the open window; the stored tables have it for the next start.
        QCOMPARE(int(openView->Definitions().Get(1, FieldStampA(1), 0)), 0);
        QCOMPARE(int(app.FieldDefinitions().Get(2, ContFieldStampA(3), 2)), 0);
        CFieldDefinitions stored;
        LoadFieldDefinitions(stored, app.GetProfile(), app.RegManager().SectionArea());
        QCOMPARE(int(stored.Get(1, FieldStampA(6), 3)), 0);

        // The next new document carries the defaults.
        CChildFrame* second = app.Documents().CreateNewDocument(0);
        const CFieldStore& s = SadDocumentOf(second)->Store();
        QCOMPARE(s.GetFieldText(kFieldBox8, 1), u"Muster GmbH\r\nHafenstr. 1\r\n20457 Hamburg");
        QCOMPARE(s.GetFieldText(kFieldBox8Number, 1), u"DE1234567");
        QCOMPARE(s.GetFieldText(kFieldBox14, 1), u"Einführer - 00500");
        QCOMPARE(s.GetFieldText(kFieldBox14Number, 1), u"DE7654321");
        QCOMPARE(s.GetFieldText(kFieldBox34b, 1), u"05");
        QCOMPARE(s.GetFieldText(kFieldBox17b, 1), u"01");
        frame->resize(1100, 900);
        QCoreApplication::processEvents();
        Snapshot(frame, "form-defaults-new-sad");
    }

    void supportDialogWritesTheReport() {
        QTemporaryDir dir;
        CMemoryProfile profile;
        profile.WriteProfileInt("Settings", "PrnFactorV", 1000);
        for (int language : {0, 1}) {
            Common_DlgInternalInfo dlg(profile, language, QStringLiteral("3.0.00"),
                                       QStringLiteral("Nov 18 2020"));
            dlg.SetReportFolder(dir.path() + QStringLiteral("/Dokumente"));
            dlg.show();
            QCOMPARE(dlg.VersionLine(),
                     QStringLiteral("Tarvex-Import für Windows - Version 3.0.00 - (Nov 18 2020)"));
            QVERIFY(dlg.SystemText().contains(language == 0 ? QStringLiteral("Programmverzeichnis: ")
                                                            : QStringLiteral("Program directory: ")));
            if (language == 0) Snapshot(&dlg, "support-dialog");
            QString message;
            bool written = false;
            dlg.m_showMessage = [&](const QString& text, bool ok) {
                message = text;
                written = ok;
            };
            QTest::mouseClick(dlg.SaveButton(), Qt::LeftButton);
            QVERIFY(written);
            QVERIFY(!dlg.isVisible());
            const QString path = dlg.ReportPath();
            QVERIFY(path.endsWith(language == 0 ? QStringLiteral("/Tarvex-Import_Daten.txt")
                                                : QStringLiteral("/Tarvex-Import_Data.txt")));
            QVERIFY(message.contains(QDir::toNativeSeparators(path)));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY(bytes.startsWith("\xFF\xFE"));
            const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                                    (bytes.size() - 2) / 2);
            QCOMPARE(text, QString::fromStdU16String(dlg.ReportText()));
            QVERIFY(text.contains(QStringLiteral("\r\nPrnFactorV             0x000003e8 (1000)\r\n")));
            if (language == 0) {
                const QString dump = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
                if (!dump.isEmpty()) QFile::copy(path, dump + QStringLiteral("/Tarvex-Import_Daten.txt"));
            }
        }
        // A folder that cannot be made: the failure message, and the dialog closes all the same.
        QFile blocker(dir.path() + QStringLiteral("/blockiert"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Common_DlgInternalInfo dlg(profile, 0, QStringLiteral("3.0.00"), QStringLiteral("Nov 18 2020"));
        dlg.SetReportFolder(blocker.fileName() + QStringLiteral("/sub"));
        dlg.show();
        QString message;
        bool written = true;
        dlg.m_showMessage = [&](const QString& text, bool ok) {
            message = text;
            written = ok;
        };
        QTest::mouseClick(dlg.SaveButton(), Qt::LeftButton);
        QVERIFY(!written);
        QVERIFY(message.startsWith(QStringLiteral("Die Datei\n")));
        QVERIFY(message.endsWith(QStringLiteral("konnte nicht geschrieben werden.")));
        QVERIFY(!dlg.isVisible());
    }

    void aboutDialogLinksAndSystemInfo() {
        CAboutDlg dlg(QStringLiteral("3.0.00"));
        dlg.show();
        QCOMPARE(dlg.VersionText(), QStringLiteral("Tarvex-Import für Windows - Version 3.0.00"));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        Snapshot(&dlg, "about-dialog");
        bool visibleWhenBrowsing = true;
        dlg.m_openHomepage = [&] { visibleWhenBrowsing = dlg.isVisible(); };
        QTest::mouseClick(dlg.LinkButton(), Qt::LeftButton);
        QVERIFY(!visibleWhenBrowsing);  // closed before the browser starts

        CAboutDlg again(QStringLiteral("3.0.00"));
        again.show();
        int supportShown = 0;
        again.m_showSupportInfo = [&] { ++supportShown; };
        QTest::mouseClick(again.SysInfoButton(), Qt::LeftButton);
        QCOMPARE(supportShown, 1);
        QVERIFY(!again.isVisible());
    }

    void splashGoesAfterItsTimeAndAtTheFirstKey() {
        QMainWindow owner;
        auto* edit = new QLineEdit(&owner);
        owner.setCentralWidget(edit);
        owner.resize(800, 600);
        owner.show();
        edit->setFocus();
        QPointer<CSplashWnd> splash = new CSplashWnd(&owner, QStringLiteral("3.0.00"), 1);
        QVERIFY(splash->isVisible());
        Snapshot(splash, "splash");
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 3000);

        splash = new CSplashWnd(&owner, QStringLiteral("3.0.00"), 60);
        QTest::keyClick(edit, Qt::Key_A);
        QCoreApplication::processEvents();
        QTRY_VERIFY(splash.isNull());
        QCOMPARE(edit->text(), QString());  // the key only closed the window
        QTest::keyClick(edit, Qt::Key_B);
        QCOMPARE(edit->text(), QStringLiteral("b"));

        splash = new CSplashWnd(&owner, QStringLiteral("3.0.00"), 60);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(splash.isNull());
    }

    void splashFollowsTheSetting() {
        for (int seconds : {0, 2}) {
            CTarvexImportApp& app = Start();
            app.GetProfile().WriteProfileInt("Settings", "SplashScreen", seconds);
            Answers(app).splash = true;
            app.ShowSplash();
            QCoreApplication::processEvents();
            QCOMPARE(app.Splash() != nullptr, seconds != 0);
        }
    }

    void customisedToolbarsSurviveARestartAndTheResetRemovesThem() {
        CTarvexImportApp& app = Start();
        CMainFrame* frame = app.MainFrame();
        QCOMPARE(ToolbarIds(frame->StandardToolBar()).constLast(), QString::number(cmd::kCustomize));
        frame->m_execCustomize = [](CDlgToolbarAnpassen& dlg) {
            // Standard toolbar: drop the first button (Exit), move the separator after it down.
            dlg.Current()->setCurrentRow(0);
            dlg.RemoveSelected();
            dlg.MoveSelected(1);
            // An own toolbar with the form defaults and a separator before the about command.
            dlg.m_askName = [](const QString&) { return QStringLiteral("Meine Befehle"); };
            dlg.NewToolbar();
            auto add = [&](int id) {
                for (int i = 0; i < dlg.Available()->count(); ++i)
                    if (dlg.Available()->item(i)->data(Qt::UserRole).toInt() == id)
                        dlg.Available()->setCurrentRow(i);
                dlg.AddSelected();
            };
            add(cmd::kFormDefaults);
            add(0);
            add(cmd::kAbout);
            dlg.show();
            Snapshot(&dlg, "toolbar-customize");
            return true;
        };
        frame->Action(cmd::kCustomize)->trigger();
        const QStringList standard = ToolbarIds(frame->StandardToolBar());
        QCOMPARE(standard.mid(0, 3), (QStringList{"57600", "0", "57601"}));
        QCOMPARE(frame->UserToolBars().size(), 1);
        const QStringList own{QString::number(cmd::kFormDefaults), "0", QString::number(cmd::kAbout),
                              QString::number(cmd::kCustomize)};
        QCOMPARE(ToolbarIds(frame->UserToolBars()[0]), own);
        QCOMPARE(frame->UserToolBars()[0]->windowTitle(), QStringLiteral("Meine Befehle"));
        frame->resize(1100, 300);
        QCoreApplication::processEvents();
        Snapshot(frame, "toolbar-customized");
        app.ExitInstance();

        CTarvexImportApp& again = Start(false);
        QCOMPARE(ToolbarIds(again.MainFrame()->StandardToolBar()), standard);
        QCOMPARE(again.MainFrame()->UserToolBars().size(), 1);
        QCOMPARE(ToolbarIds(again.MainFrame()->UserToolBars()[0]), own);
        QCOMPARE(again.MainFrame()->UserToolBars()[0]->objectName(), QStringLiteral("ToolBar59432"));

        // "Menü- und Symbolleisten-Modifikationen löschen" brings back the standard.
        Answers(again).confirmReset = [](const QString&, const QString&) { return true; };
        again.MainFrame()->Action(cmd::kResetWorkspace)->trigger();
        CTarvexImportApp& reset = Start(false);
        QCOMPARE(reset.MainFrame()->UserToolBars().size(), 0);
        QStringList defaults;
        for (int id : StandardToolbarButtons()) defaults.append(QString::number(id));
        defaults.append(QString::number(cmd::kCustomize));
        QCOMPARE(ToolbarIds(reset.MainFrame()->StandardToolBar()), defaults);
    }
};

QTEST_MAIN(TestInfoDialogs)
#include "tst_infodialogs.moc"
