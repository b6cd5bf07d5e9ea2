#include "ui/app/StartupSequence.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QTimer>

#include "core/app/StartupRules.h"
#include "core/app/Version.h"
#include "core/common/ShellStrings.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/common/QtText.h"
#include "ui/shell/PlatformShell.h"

namespace tarvex {

bool CStartupSequence::Run(const QStringList& arguments) {
    CTarvexImportApp& app = m_app;
    // 1-2: the profile store ("Dalrek"/"Tarvex-Import").
    QCoreApplication::setOrganizationName(QStringLiteral("Dalrek"));
    QCoreApplication::setApplicationName(Str(shellstr::kAppTitle));
    app.m_profile = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::Profile);
    app.m_programArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::ProgramArea);
    app.m_machineArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::MachineArea);
    for (Profile* area :
         {static_cast<Profile*>(app.m_profile.get()), static_cast<Profile*>(app.m_programArea.get()),
          static_cast<Profile*>(app.m_machineArea.get())})
        m_startupWrites.push_back(std::make_unique<CProfileBatch>(*area));
    Step(QStringLiteral("profile"));
    // 3: language of the fixed messages.
    app.m_nLanguage = settings::Get(*app.m_profile, settings::kSettings, settings::kLanguage);
    Step(QStringLiteral("language"));
    // 4: standard settings with the recent-file list of 8 entries.
    app.Documents().LoadRecentFiles();
    // 5-6: the enhanced tooltips: white to light cyan, blue text, black border, 200 wide.
    if (auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        gui->setStyleSheet(
            QStringLiteral("QToolTip { color: rgb(0,0,255); border: 1px solid black; max-width: 200px;"
                           " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 "
                           "rgb(200,255,255)); }"));
    }
    // 7: the document templates are fixed: the registered forms, the SAD first, the D.V.1 second.
    Step(QStringLiteral("templates"));
    // 8: registry manager and file types.
    app.m_regHost = std::make_unique<CQtRegeditHost>();
    app.m_regManager = std::make_unique<CRegeditManagment>(
        *app.m_regHost, *app.m_programArea,
        app.m_machineArea->IsWritable() ? app.m_machineArea.get() : nullptr);
    const QString program = QCoreApplication::applicationFilePath();
    app.m_regManager->Initialize(std::u16string(shellstr::kAppTitle),
                                 std::filesystem::path(program.toStdU16String()), "Nov 18 2020",
                                 std::string(BuildProductVersion()));
    std::vector<std::u16string> args;
    for (const QString& a : arguments.mid(1)) args.push_back(a.toStdU16String());
    const StartupCommand command = ParseStartupCommandLine(JoinArguments(args));
    // The desktop's file types follow once the window is up (step 14), except in the
    // post-installation mode, which is there to register them.
    if (command.kind == StartupCommand::Kind::Init) app.Desktop().RegisterFileTypes();
    Step(QStringLiteral("registry"));

    // 9: post-installation mode.
    if (command.kind == StartupCommand::Kind::Init) {
        app.ResetWorkspace(true);
        app.GrantDataFileAccess(QStringLiteral("Artikel1.dbf"));
        app.GrantDataFileAccess(QStringLiteral("Adress1.dbf"));
        m_startupWrites.clear();
        Step(QStringLiteral("init"));
        return false;
    }

    app.Documents().StartRecovery();

    // 10: the main frame, accepting dropped files.
    app.m_pMainFrame = new CMainFrame(&app);
    CMainFrame* frame = app.m_pMainFrame;
    std::vector<uint8_t> state;
    if (app.m_profile->GetProfileBinary(settings::kWorkspace, settings::kMainFrameState, state))
        frame->restoreState(
            QByteArray(reinterpret_cast<const char*>(state.data()), static_cast<qsizetype>(state.size())));
    frame->SetRecentFiles(app.Documents().RecentFiles());
    app.ConnectCommands();
    Step(QStringLiteral("mainframe"));
    // 12: field definitions (the registry manager is initialised by now).
    app.LoadFieldDefinitions();
    Step(QStringLiteral("fielddefinitions"));
    // 13: the file on the command line; 14: the frame maximised. The New dialog follows as soon
    // as the frame is on the screen, so that it stands over the window.
    if (command.kind == StartupCommand::Kind::OpenFile) {
        app.Documents().OpenDocumentFile(QString::fromStdU16String(command.path));
        Step(QStringLiteral("open"));
    }
    // Without a window manager "maximised" is only a wish: fill the screen ourselves.
    if (QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
    frame->showMaximized();
    // Without a window manager nobody gives the new window the keyboard: it takes it itself, once
    // it is on the screen (a window manager is asked the same and grants it).
    QTimer::singleShot(0, frame, [frame = app.m_pMainFrame] { frame->activateWindow(); });
    Step(QStringLiteral("show"));
    // Documents of a program that ended without saving come first; the New dialog only when none
    // was restored.
    const bool askNew = command.kind == StartupCommand::Kind::New;
    QTimer::singleShot(0, &app, [&app, askNew] {
        if (app.Documents().OfferRecovery() == 0 && askNew) app.Documents().OnFileNew();
    });
    if (askNew) Step(QStringLiteral("new"));
    // The desktop's file types and the start's settings go to the disk once the window and the New
    // dialog are on the screen: a turn of the event loop is too early, the window system shows
    // them only after it.
    QTimer::singleShot(kDiskWorkAfterShowMs, &app, [&app, this] {
        app.Desktop().RegisterFileTypes();
        m_startupWrites.clear();
        m_bDiskWorkDone = true;
    });
    // 15: the splash window over the frame.
    app.ShowSplash();
    return true;
}

void CStartupSequence::SaveAtExit() {
    CTarvexImportApp& app = m_app;
    m_startupWrites.clear();
    // After a reset the deleted keys must stay deleted: nothing is written back.
    if (app.m_bSkipExitSave || !app.m_profile) return;
    CProfileBatch exitWrites(*app.m_profile);  // one write of the file for all of it
    app.Documents().SaveRecentFiles();
    if (app.m_pMainFrame) {
        const QByteArray state = app.m_pMainFrame->saveState();
        app.m_profile->WriteProfileBinary(settings::kWorkspace, settings::kMainFrameState,
                                          reinterpret_cast<const uint8_t*>(state.constData()),
                                          static_cast<size_t>(state.size()));
    }
}

}  // namespace tarvex
