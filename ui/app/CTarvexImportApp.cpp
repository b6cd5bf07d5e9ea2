#include "ui/app/CTarvexImportApp.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

#include "core/app/DocTemplates.h"
#include "core/app/FreedesktopTypes.h"
#include "core/app/Homepage.h"
#include "core/app/NewFileTemplates.h"
#include "core/app/SettingsKeys.h"
#include "core/app/ShellCommands.h"
#include "core/app/ShellStrings.h"
#include "core/app/Version.h"
#include "core/common/HelpContexts.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/app/OutputFile.h"
#include "render/app/QSettingsProfile.h"
#include "ui/app/CDlgNew.h"
#include "ui/app/CDlgRecovery.h"
#include "ui/app/CHelpWnd.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/DocumentLock.h"
#include "ui/app/DocumentRecovery.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/HelpContextScope.h"
#include "ui/app/HelpPages.h"
#include "ui/app/PlatformShell.h"
#include "ui/app/PrintJobDialogs.h"
#include "ui/app/QtText.h"
#include "ui/app/ShellIcons.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/formview/CDlgEditFeldDefinitionen.h"
#include "ui/formview/CDlgPrinterFontSize.h"
#include "ui/formview/Common_CDlgPrintSizeCorr.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/masterdata/CDlgProgramOptions.h"
#include "ui/masterdata/CDlgStammDatenEingabe.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/SadViewInput.h"

namespace tarvex {
namespace {

// Help contexts of the shell's own dialogs.
constexpr int kHelpOpen = help::kOpen;
constexpr int kHelpPrintSetup = help::kPrinterSetup;

}  // namespace

bool InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

CTarvexImportApp::CTarvexImportApp() {
    m_fieldDefinitions.ResetToBuiltIn();
}

CTarvexImportApp::~CTarvexImportApp() {
    // A help window without a main frame to own it.
    if (m_pHelpWnd && !m_pHelpWnd->parentWidget()) delete m_pHelpWnd.data();
    if (m_pMainFrame) delete m_pMainFrame.data();
    // An orderly end has answered every close question; only a session that ended without
    // asking leaves its copies for the next start (a crash never gets here).
    if (m_recovery && !m_bKeepRecovery) m_recovery->RemoveOwn();
}

Profile& CTarvexImportApp::GetProfile() {
    return *m_profile;
}

CMainFrame* CTarvexImportApp::MainFrame() const {
    return m_pMainFrame.data();
}

void CTarvexImportApp::Message(const QString& text, QMessageBox::Icon icon) {
    if (m_showMessage) {
        m_showMessage(Str(shellstr::kAppTitle), text);
        return;
    }
    QMessageBox box(icon, Str(shellstr::kAppTitle), text, QMessageBox::Ok, m_pMainFrame);
    box.exec();
}

bool CTarvexImportApp::InitInstance(const QStringList& arguments) {
    // 1-2: the profile store ("Dalrek"/"Tarvex-Import").
    QCoreApplication::setOrganizationName(QStringLiteral("Dalrek"));
    QCoreApplication::setApplicationName(Str(shellstr::kAppTitle));
    m_profile = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::Profile);
    m_programArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::ProgramArea);
    m_machineArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::MachineArea);
    // What the start writes reaches each store in one write, once the window is up.
    for (Profile* area : {static_cast<Profile*>(m_profile.get()), static_cast<Profile*>(m_programArea.get()),
                          static_cast<Profile*>(m_machineArea.get())})
        m_startupWrites.push_back(std::make_unique<CProfileBatch>(*area));
    Step(QStringLiteral("profile"));
    // 3: language of the fixed messages.
    m_nLanguage = settings::Get(*m_profile, settings::kSettings, settings::kLanguage);
    Step(QStringLiteral("language"));
    // 4: standard settings with the recent-file list of 8 entries.
    LoadRecentFiles();
    // 5-6: the enhanced tooltips: white to light cyan, blue text, black border, 200 wide.
    if (auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        gui->setStyleSheet(
            QStringLiteral("QToolTip { color: rgb(0,0,255); border: 1px solid black; max-width: 200px;"
                           " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 "
                           "rgb(200,255,255)); }"));
    }
    // 7: the document templates are fixed: kDocTemplates, the SAD first, the D.V.1 second.
    Step(QStringLiteral("templates"));
    // 8: registry manager and file types.
    m_regHost = std::make_unique<CQtRegeditHost>();
    m_regManager = std::make_unique<CRegeditManagment>(
        *m_regHost, *m_programArea, m_machineArea->IsWritable() ? m_machineArea.get() : nullptr);
    const QString program = QCoreApplication::applicationFilePath();
    m_regManager->Initialize(std::u16string(shellstr::kAppTitle),
                             std::filesystem::path(program.toStdU16String()), "Nov 18 2020",
                             std::string(BuildProductVersion()));
    QStringList rest = arguments.mid(1);
    std::vector<std::u16string> args;
    for (const QString& a : rest) args.push_back(a.toStdU16String());
    const StartupCommand command = ParseStartupCommandLine(JoinArguments(args));
    // The desktop's file types follow once the window is up (step 14), except in the
    // post-installation mode, which is there to register them.
    if (command.kind == StartupCommand::Kind::Init) RegisterFileTypes();
    Step(QStringLiteral("registry"));

    // 9: post-installation mode.
    if (command.kind == StartupCommand::Kind::Init) {
        ResetWorkspace(true);
        GrantDataFileAccess(QStringLiteral("Artikel1.dbf"));
        GrantDataFileAccess(QStringLiteral("Adress1.dbf"));
        m_startupWrites.clear();
        Step(QStringLiteral("init"));
        return false;
    }

    // Recovery copies of this program's documents; a folder that cannot be used costs only them.
    m_recovery = std::make_unique<CDocumentRecovery>(CDocumentRecovery::DefaultFolder());
    // This program's own lock is taken with its first copy; those of killed programs go now.
    m_recovery->RemoveStaleLocks();
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (!CommitSessionData(manager.allowsInteraction())) manager.cancel();
            manager.release();
        });
        connect(gui, &QGuiApplication::saveStateRequest, this, [this](QSessionManager&) { FlushRecovery(); });
    }

    // 10: the main frame, accepting dropped files.
    m_pMainFrame = new CMainFrame(this);
    std::vector<uint8_t> state;
    if (m_profile->GetProfileBinary(settings::kWorkspace, settings::kMainFrameState, state))
        m_pMainFrame->restoreState(
            QByteArray(reinterpret_cast<const char*>(state.data()), static_cast<qsizetype>(state.size())));
    m_pMainFrame->SetRecentFiles(m_recentFiles);
    ConnectCommands();
    Step(QStringLiteral("mainframe"));
    // 12: field definitions (the registry manager is initialised by now).
    LoadFieldDefinitions();
    Step(QStringLiteral("fielddefinitions"));
    // 13: the file on the command line; 14: the frame maximised. The New dialog follows as soon
    // as the frame is on the screen, so that it stands over the window.
    if (command.kind == StartupCommand::Kind::OpenFile) {
        OpenDocumentFile(QString::fromStdU16String(command.path));
        Step(QStringLiteral("open"));
    }
    // Without a window manager "maximised" is only a wish: fill the screen ourselves.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        m_pMainFrame->setGeometry(screen->availableGeometry());
    m_pMainFrame->showMaximized();
    // Without a window manager nobody gives the new window the keyboard: it takes it itself, once
    // it is on the screen (a window manager is asked the same and grants it).
    QTimer::singleShot(0, m_pMainFrame, [frame = m_pMainFrame] { frame->activateWindow(); });
    Step(QStringLiteral("show"));
    // Documents of a program that ended without saving come first; the New dialog only when none
    // was restored.
    const bool askNew = command.kind == StartupCommand::Kind::New;
    QTimer::singleShot(0, this, [this, askNew] {
        if (OfferRecovery() == 0 && askNew) OnFileNew();
    });
    if (askNew) Step(QStringLiteral("new"));
    // Queued after the New dialog: it runs inside the dialog's loop, once the dialog is visible.
    QTimer::singleShot(0, this, [this] { RegisterFileTypes(); });
    QTimer::singleShot(0, this, [this] { m_startupWrites.clear(); });
    // 15: the splash window over the frame.
    ShowSplash();
    return true;
}

int CTarvexImportApp::ExitInstance() {
    m_startupWrites.clear();
    // After a reset the deleted keys must stay deleted: nothing is written back.
    if (m_bSkipExitSave || !m_profile) return 0;
    CProfileBatch exitWrites(*m_profile);  // one write of the file for all of it
    SaveRecentFiles();
    if (m_pMainFrame) {
        const QByteArray state = m_pMainFrame->saveState();
        m_profile->WriteProfileBinary(settings::kWorkspace, settings::kMainFrameState,
                                      reinterpret_cast<const uint8_t*>(state.constData()),
                                      static_cast<size_t>(state.size()));
    }
    return 0;
}

QString CTarvexImportApp::FileTypesDataHome() const {
    const QString settingsDir = QSettingsProfile::SettingsDirOverride();
    // With a private settings folder the desktop files stay inside it as well.
    if (!settingsDir.isEmpty()) return settingsDir + QStringLiteral("/share");
    if (FileTypesInstalledSystemWide()) return {};
    return DesktopDataHome();
}

QByteArray CTarvexImportApp::ProgramStamp() const {
    // What the registration writes depends on the program file (its place, version and icons) only.
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return QStringLiteral("%1\n%2\n%3\n%4\n")
        .arg(program.absoluteFilePath(), QString::fromStdString(std::string(BuildProductVersion())))
        .arg(program.size())
        .arg(program.lastModified().toMSecsSinceEpoch())
        .toUtf8();
}

void CTarvexImportApp::RegisterFileTypes() {
    const QByteArray stamp = ProgramStamp();
    const QString dataHome = FileTypesDataHome();
    if (!dataHome.isEmpty()) RegisterFileTypesBelow(dataHome, stamp);
    // The templates belong to the user even when the types were installed for the whole system.
    InstallNewFileTemplates(stamp);
}

void CTarvexImportApp::RegisterFileTypesBelow(const QString& dataHome, const QByteArray& stamp) {
    CFreedesktopTypeRegistry shell(std::filesystem::path(dataHome.toStdU16String()), [](int index) {
        const QByteArray png = DocumentIconPng(index);
        return std::vector<uint8_t>(png.begin(), png.end());
    });
    // While the stamp matches and the entries are there, there is nothing to compare or rebuild.
    const QString stampPath = dataHome + QStringLiteral("/tarvex-import/filetypes.stamp");
    bool complete = true;
    for (const DocTemplateStrings& t : kDocTemplates)
        complete = complete && std::filesystem::exists(shell.PackagePath(t.extension)) &&
                   std::filesystem::exists(shell.DesktopPath(t.fileTypeId));
    if (QFile stampFile(stampPath);
        complete && stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return;
    m_regManager->RegisterAtStartup(shell);
    if (shell.Changed()) RefreshDesktopDatabases(dataHome);
    WriteStamp(stampPath, stamp);
    ++m_nFileTypeRegistrations;
}

void CTarvexImportApp::InstallNewFileTemplates(const QByteArray& stamp) {
    const QString settingsDir = QSettingsProfile::SettingsDirOverride();
    const QString home = settingsDir.isEmpty() ? DesktopDataHome() : settingsDir + QStringLiteral("/share");
    if (home.isEmpty()) return;
    // Once per program: a template the user deleted is not forced back at every start.
    const QString stampPath = home + QStringLiteral("/tarvex-import/templates.stamp");
    if (QFile stampFile(stampPath); stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return;
    // With a private settings folder the templates stay inside it as well.
    const QString folder =
        settingsDir.isEmpty() ? UserTemplatesFolder() : settingsDir + QStringLiteral("/Templates");
    if (!folder.isEmpty()) {
        int written = 0;
        std::string error;
        // A folder that cannot be written is no reason to bother the clerk: the menu entry is a
        // convenience, and the next version tries again.
        WriteNewFileTemplates(std::filesystem::path(folder.toStdU16String()), written, error);
        m_nTemplatesWritten += written;
    }
    WriteStamp(stampPath, stamp);
}

void CTarvexImportApp::WriteStamp(const QString& path, const QByteArray& stamp) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A stamp that cannot be written only means the registration runs again next time.
    QString error;
    WriteOutputFile(NativePath(path), stamp, error);
}

void CTarvexImportApp::ConnectCommands() {
    CMainFrame* f = m_pMainFrame;
    auto on = [f](int id, auto handler) {
        QAction* a = f->Action(id);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, f, handler);
    };
    on(cmd::kNew, [this] { OnFileNew(); });
    on(cmd::kOpen, [this] { OnFileOpen(); });
    on(cmd::kPrintSetup, [this] { OnFilePrintSetup(); });
    on(cmd::kExit, [f] { f->close(); });
    on(cmd::kHelpContents, [this] { OnHelpContents(); });
    on(cmd::kHelpGeneral, [this] { OnHelp(); });
    on(cmd::kHomepage, [this] { OnHomepage(); });
    on(cmd::kResetFonts, [this] { ResetFontSettings(); });
    on(cmd::kResetWorkspace, [this] { ResetWorkspace(false); });
    on(cmd::kResetAll, [this] { ResetAllSettings(); });
    on(cmd::kClose, [f] {
        if (CChildFrame* c = f->ActiveChild()) c->close();
    });
    on(cmd::kSave, [this, f] {
        if (CChildFrame* c = f->ActiveChild()) SaveDocument(c, false);
    });
    on(cmd::kSaveAs, [this, f] {
        if (CChildFrame* c = f->ActiveChild()) SaveDocument(c, true);
    });
    on(cmd::kPrintAreaCorrection, [this, f] {
        Common_CDlgPrintSizeCorr dlg(*m_profile, m_nLanguage, f);
        dlg.exec();
    });
    on(cmd::kPrinterFonts, [this, f] {
        HelpContextScope help(m_nHelpContext, CDlgPrinterFontSize::kHelpContext);
        CDlgPrinterFontSize dlg(*m_profile, f);
        QObject::connect(&dlg, &CDlgPrinterFontSize::helpRequested, &dlg, [this] { OnHelp(); });
        dlg.exec();
    });
    on(cmd::kFieldDefinitions, [this] { OnFieldDefinitions(); });
    on(cmd::kMasterData, [this] { OnMasterData(); });
    on(cmd::kProgramOptions, [this] { OnProgramOptions(); });
    on(cmd::kSupportInfo, [this] { OnSupportInfo(); });
    on(cmd::kAbout, [this] { OnAbout(); });
    // A command of the SAD view: enabled while an SAD window is in front (UpdateCommandStates).
    on(cmd::kFormDefaults, [this] { OnFormDefaults(); });
    ConnectViewCommands();

    InstallHelpKey([this] { OnHelp(); });

    QObject::connect(f, &CMainFrame::ActiveChildChanged, f, [this, f] {
        // The SAD window in front gives the current form variant (used by New and the defaults).
        if (CChildFrame* c = f->ActiveChild(); c && c->SadDocument() &&
                                               c->SadDocument()->m_nFormVariant >= 0 &&
                                               c->SadDocument()->m_nFormVariant <= 3)
            m_nFormVariant = c->SadDocument()->m_nFormVariant;
        UpdateCommandStates();
    });
    // Like the framework's idle update: menus and toolbar follow the caret's field.
    auto* idle = new QTimer(f);
    QObject::connect(idle, &QTimer::timeout, f, [this] { UpdateCommandStates(); });
    idle->start(250);
    UpdateCommandStates();
    QObject::connect(f, &CMainFrame::RecentFileChosen, this, [this](const QString& path) {
        if (!OpenDocumentFile(path)) {
            m_recentFiles.removeAll(path);
            m_pMainFrame->SetRecentFiles(m_recentFiles);
        }
    });
    QObject::connect(f, &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& p : paths) OpenDocumentFile(p);
    });
}

namespace {

// Commands that the active SAD view carries out and whose menu state it gives.
constexpr int kViewCommands[] = {cmd::kUndo,           cmd::kCut,
                                 cmd::kCopy,           cmd::kPaste,
                                 cmd::kSelectAll,      cmd::kInsertMode,
                                 cmd::kFontLarger,     cmd::kFontSmaller,
                                 cmd::kFontBold,       cmd::kAlignLeft,
                                 cmd::kAlignCenter,    cmd::kAlignRight,
                                 cmd::kZoomIn,         cmd::kZoomOut,
                                 cmd::kNextField,      cmd::kPrevField,
                                 cmd::kInsertDefaults, cmd::kNextPage,
                                 cmd::kPrevPage,       cmd::kFirstPage,
                                 cmd::kLastPage,       cmd::kAddPage,
                                 cmd::kUpdateFields,   cmd::kVariant0,
                                 cmd::kVariant1,       cmd::kVariant2,
                                 cmd::kVariant3,       cmd::kMoveGoodsItem,
                                 cmd::kRemoveLastPage, cmd::kPrint,
                                 cmd::kMargins,        cmd::kGoToField,
                                 cmd::kDv1Calculate,   cmd::kDv1Hidden,
                                 cmd::kRedo,           cmd::kDv1AnswerYes,
                                 cmd::kDv1AnswerNo,    cmd::kDv1NextQuestion};

}  // namespace

CEinheitspapierView* CTarvexImportApp::ActiveSadView() const {
    CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr;
    return c ? qobject_cast<CEinheitspapierView*>(c->View()) : nullptr;
}

CDV1_View* CTarvexImportApp::ActiveDv1View() const {
    CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr;
    return c ? qobject_cast<CDV1_View*>(c->View()) : nullptr;
}

void CTarvexImportApp::ConnectViewCommands() {
    for (int id : kViewCommands) {
        QAction* a = m_pMainFrame->Action(id);
        if (!a) continue;
        QObject::connect(a, &QAction::triggered, m_pMainFrame, [this, id] {
            if (CEinheitspapierView* view = ActiveSadView())
                view->OnCommand(id);
            else if (CDV1_View* dv1 = ActiveDv1View())
                dv1->OnCommand(id);
            UpdateCommandStates();
        });
    }
}

void CTarvexImportApp::UpdateCommandStates() {
    CMainFrame* f = m_pMainFrame;
    if (!f) return;
    CChildFrame* c = f->ActiveChild();
    const bool document = c && (c->SadDocument() || c->Dv1Document());
    f->Action(cmd::kClose)->setEnabled(c != nullptr);
    // A copy can be saved at any time; saving in place only makes sense after a change.
    f->Action(cmd::kSave)->setEnabled(document && c->IsModified());
    f->Action(cmd::kSaveAs)->setEnabled(document);
    f->Action(cmd::kFormDefaults)->setEnabled(c && c->SadDocument());
    for (CChildFrame* child : f->Children()) child->SyncModified();
    CEinheitspapierView* view = ActiveSadView();
    CDV1_View* dv1 = ActiveDv1View();
    for (int id : kViewCommands) {
        QAction* a = f->Action(id);
        if (!a) continue;
        CommandState state;
        const bool handled =
            (view && view->UpdateCommandUI(id, state)) || (dv1 && dv1->UpdateCommandUI(id, state));
        a->setEnabled(handled && state.enabled);
        if (handled && a->isCheckable()) a->setChecked(state.checked);
        if (handled && !state.text.isEmpty() && a->property("menuText").toString() != state.text) {
            a->setProperty("menuText", state.text);
            a->setText(state.text);
        }
    }
}

void CTarvexImportApp::OnMasterData() {
    HelpContextScope help(m_nHelpContext, CDlgStammDatenEingabe::kHelpLists);
    CDlgStammDatenEingabe dlg(*m_profile, std::filesystem::path(DataFolder().toStdU16String()), m_pMainFrame);
    QObject::connect(&dlg, &CDlgStammDatenEingabe::helpContextChanged, &dlg,
                     [this](int context) { m_nHelpContext = context; });
    QObject::connect(&dlg, &CDlgStammDatenEingabe::helpRequested, &dlg, [this] { OnHelp(); });
    dlg.Initialise();
    dlg.exec();
}

void CTarvexImportApp::OnProgramOptions() {
    HelpContextScope help(m_nHelpContext, CDlgProgramOptions::kHelpContext);
    CDlgProgramOptions dlg(*m_profile, std::filesystem::path(DataFolder().toStdU16String()), m_pMainFrame);
    QObject::connect(&dlg, &CDlgProgramOptions::helpRequested, &dlg, [this] { OnHelp(); });
    dlg.exec();
}

void CTarvexImportApp::OnFieldDefinitions() {
    FieldDefinitionsCommand command;
    command.message = [this](const QString& text) { Message(text); };
    command.closeAllDocuments = [this] {
        if (!SaveAllModified()) return false;
        CloseAllDocuments();
        return true;
    };
    command.runDialog = [this] {
        HelpContextScope help(m_nHelpContext, CDlgEditFeldDefinitionen::kHelpContext);
        CDlgEditFeldDefinitionen dlg(m_fieldDefinitions, *m_profile, m_regManager->SectionArea(),
                                     m_pMainFrame);
        QObject::connect(&dlg, &CDlgEditFeldDefinitionen::helpRequested, &dlg, [this] { OnHelp(); });
        return dlg.exec();
    };
    command.startNewInstance = [] { return StartProgramAnew(); };
    command.closeMainWindow = [this] { m_pMainFrame->close(); };
    RunFieldDefinitionsCommand(command);
}

// --- New and Open

void CTarvexImportApp::OnFileNew() {
    int result = -1;
    if (m_runNewDialog) {
        result = m_runNewDialog();
    } else {
        CDlgNew dlg(m_pMainFrame);
        if (dlg.exec() == QDialog::Accepted) result = dlg.Result();
    }
    if (result < 0) return;
    m_nFormVariant = result;
    CreateNewDocument(result);
}

CChildFrame* CTarvexImportApp::CreateNewDocument(int formVariant) {
    if (TemplateForFormVariant(formVariant) == DocTemplate::Dv1) {
        auto doc = std::make_unique<CDV1_Doc>();
        doc->OnNewDocument();
        CDV1_Doc* raw = doc.get();
        auto* child = new CChildFrame(std::move(doc), this);
        child->setWidget(CreateDv1View(raw, child, *this));
        child->SetTitle(QStringLiteral("DV1form%1").arg(++m_nUntitled));
        return AddChild(child);
    }
    auto doc = std::make_unique<CEinheitspapierDoc>(m_profile.get());
    doc->ConfigureStore();
    doc->OnNewDocument();
    // A new SAD without a variant takes the one chosen in the New dialog.
    if (doc->m_nFormVariant == kVariantNone) doc->m_nFormVariant = formVariant;
    CEinheitspapierDoc* raw = doc.get();
    auto* child = new CChildFrame(DocTemplate::Sad, std::move(doc), this);
    child->setWidget(CreateSadView(raw, child, *this));
    child->SetTitle(QStringLiteral("EhForm%1").arg(++m_nUntitled));
    return AddChild(child);
}

CChildFrame* CTarvexImportApp::AddChild(CChildFrame* child) {
    child->SetRecovery(m_recovery.get());
    child->setWindowIcon(
        QIcon(QPixmap::fromImage(DocumentIconImage(child->Kind() == DocTemplate::Dv1 ? 2 : 1, 16))));
    QObject::connect(child, &CChildFrame::TitleChanged, m_pMainFrame, &CMainFrame::UpdateTitle);
    m_pMainFrame->ActivateChild(child);
    // Closing the window switches back to the remaining ones (or to menu 128).
    QObject::connect(child, &QObject::destroyed, m_pMainFrame, [frame = m_pMainFrame] {
        if (frame)
            QTimer::singleShot(0, frame, [frame] {
                if (frame) frame->OnActiveChildChanged();
            });
    });
    return child;
}

void CTarvexImportApp::OnFileOpen() {
    HelpContextScope help(m_nHelpContext, kHelpOpen);
    QString name;
    if (!PromptFileName(name, Str(shellstr::kOpenTitle61440), {}, true)) return;
    OpenDocumentFile(name);
}

CChildFrame* CTarvexImportApp::OpenDocumentFile(const QString& path) {
    const QFileInfo info(path);
    const QString full = info.absoluteFilePath();
    // A document that is open already is only brought to the front.
    for (CChildFrame* c : m_pMainFrame->Children()) {
        if (!c->PathName().isEmpty() && QFileInfo(c->PathName()) == info) {
            m_pMainFrame->ActivateChild(c);
            return c;
        }
    }
    if (!info.exists()) {
        QString text = Str(shellstr::kFileNotFound61860);
        text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full));
        Message(text);
        return nullptr;
    }
    // One file, one editor: a document open in another program opens only for reading.
    auto lock = std::make_unique<CDocumentLock>();
    LockOwner owner;
    bool readOnly = false;
    if (lock->Acquire(full, &owner) == CDocumentLock::Result::HeldByOther) {
        QString text = Str(shellstr::kLockedByOther);
        text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full))
            .replace(QStringLiteral("%2"), owner.user.isEmpty() ? Str(shellstr::kUnknownUser) : owner.user)
            .replace(QStringLiteral("%3"), owner.host.isEmpty() ? QStringLiteral("?") : owner.host);
        if (!AskYesNo(text)) return nullptr;
        readOnly = true;
    }
    const FileStamp stamp = FileStamp::Of(full);
    if (TemplateForPath(full.toStdU16String()) == DocTemplate::Dv1) {
        CChildFrame* dv1Child = OpenDv1File(full);
        if (dv1Child) {
            if (readOnly)
                dv1Child->SetReadOnly(true);
            else
                dv1Child->SetLock(std::move(lock));
            dv1Child->SetStamp(stamp);
        }
        return dv1Child;
    }
    auto doc = std::make_unique<CEinheitspapierDoc>(m_profile.get());
    doc->ConfigureStore();
    std::string error;
    AefReadInfo read;
    if (!LoadAefFile(std::filesystem::path(full.toStdU16String()), *doc, error, &read)) {
        QString text = Str(shellstr::kOpenFailed61697);
        if (!error.empty()) text += QStringLiteral("\n") + QString::fromStdString(error);
        Message(text);
        return nullptr;
    }
    // A file that is no SAD is not opened: a window under its name would let Ctrl+S write over it.
    if (const int status = AefOpenStatus(*doc, read); status != 0) {
        QApplication::beep();
        Message(Str(SadLoadStatusMessage(status)));
        return nullptr;
    }
    CEinheitspapierDoc* raw = doc.get();
    auto* child = new CChildFrame(DocTemplate::Sad, std::move(doc), this);
    child->setWidget(CreateSadView(raw, child, *this));
    if (readOnly)
        child->SetReadOnly(true);
    else
        child->SetLock(std::move(lock));
    child->SetStamp(stamp);
    child->SetPathName(full);
    AddChild(child);
    AddToRecentFiles(full);
    return child;
}

bool CTarvexImportApp::AskYesNo(const QString& question) {
    if (m_askYesNo) return m_askYesNo(question);
    QMessageBox box(QMessageBox::Question, Str(shellstr::kAppTitle), question,
                    QMessageBox::Yes | QMessageBox::No, m_pMainFrame);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int CTarvexImportApp::OfferRecovery() {
    if (!m_recovery) return 0;
    const QList<RecoveryEntry> orphans = m_recovery->ClaimOrphans();
    if (orphans.isEmpty()) return 0;
    std::optional<QList<bool>> answer;
    if (m_askRecovery) {
        answer = m_askRecovery(orphans);
    } else {
        CDlgRecovery dlg(orphans, m_pMainFrame);
        if (dlg.exec() == QDialog::Accepted) answer = dlg.Choice();
    }
    int restored = 0;
    if (answer) {
        for (qsizetype i = 0; i < orphans.size(); ++i) {
            const RecoveryEntry& e = orphans[i];
            if (i < answer->size() && answer->at(i)) {
                // A copy that cannot be opened stays for a later attempt.
                if (RestoreRecovered(e)) {
                    m_recovery->Discard(e);
                    ++restored;
                }
            } else {
                m_recovery->Discard(e);
            }
        }
    }
    m_recovery->ReleaseOrphans();
    return restored;
}

CChildFrame* CTarvexImportApp::RestoreRecovered(const RecoveryEntry& e) {
    const bool dv1 = e.kind == QLatin1String("fdv");
    if (!dv1 && e.kind != QLatin1String("aef")) return nullptr;
    const QString data = m_recovery->DataPath(e);
    const std::filesystem::path dataPath(data.toStdU16String());
    std::string error;
    std::unique_ptr<CEinheitspapierDoc> sad;
    std::unique_ptr<CDV1_Doc> dv1Doc;
    bool loaded;
    if (dv1) {
        dv1Doc = std::make_unique<CDV1_Doc>();
        FdvReadInfo read;
        loaded = LoadFdvFile(dataPath, *dv1Doc, error, &read) && FdvOpenMessage(*dv1Doc, read) == 0;
    } else {
        sad = std::make_unique<CEinheitspapierDoc>(m_profile.get());
        sad->ConfigureStore();
        AefReadInfo read;
        loaded = LoadAefFile(dataPath, *sad, error, &read) && AefOpenStatus(*sad, read) == 0;
    }
    if (!loaded) {
        QString text = Str(shellstr::kRecoveryOpenFailed).arg(e.title, QDir::toNativeSeparators(data));
        if (!error.empty()) text += QStringLiteral("\n") + QString::fromStdString(error);
        Message(text);
        return nullptr;
    }
    // Started with the very file after a crash: the copy replaces its unchanged window, which
    // would otherwise hold the lock and leave the restored document read-only.
    for (CChildFrame* open : m_pMainFrame->Children())
        if (!e.originalPath.isEmpty() && !open->IsModified() &&
            QFileInfo(open->PathName()) == QFileInfo(e.originalPath))
            open->CloseWithoutAsking();
    CChildFrame* child;
    if (dv1) {
        CDV1_Doc* raw = dv1Doc.get();
        raw->SetModifiedFlag(true);
        child = new CChildFrame(std::move(dv1Doc), this);
        child->setWidget(CreateDv1View(raw, child, *this));
    } else {
        CEinheitspapierDoc* raw = sad.get();
        raw->SetModifiedFlag(true);
        child = new CChildFrame(DocTemplate::Sad, std::move(sad), this);
        child->setWidget(CreateSadView(raw, child, *this));
    }
    if (!e.originalPath.isEmpty()) {
        auto lock = std::make_unique<CDocumentLock>();
        if (lock->Acquire(e.originalPath) == CDocumentLock::Result::HeldByOther)
            child->SetReadOnly(true);
        else
            child->SetLock(std::move(lock));
        // The file as it was when the copy was made: a change since then is asked about on saving.
        child->SetStamp(e.originalStamp);
        child->SetPathName(e.originalPath);
    } else {
        child->SetTitle((dv1 ? QStringLiteral("DV1form%1") : QStringLiteral("EhForm%1")).arg(++m_nUntitled));
    }
    if (child->Undo()) child->Undo()->SetNeverClean();
    AddChild(child);
    child->SyncModified();
    child->WriteRecoveryNow();
    return child;
}

CChildFrame* CTarvexImportApp::OpenDv1File(const QString& full) {
    auto doc = std::make_unique<CDV1_Doc>();
    std::string error;
    FdvReadInfo read;
    if (!LoadFdvFile(std::filesystem::path(full.toStdU16String()), *doc, error, &read)) {
        QString text = Str(shellstr::kOpenFailed61697);
        if (!error.empty()) text += QStringLiteral("\n") + QString::fromStdString(error);
        Message(text);
        return nullptr;
    }
    // A file that was not taken over is not opened: a window under its name would let Ctrl+S
    // write an empty form over it.
    if (const int message = FdvOpenMessage(*doc, read); message != 0) {
        QApplication::beep();
        Message(QString::fromStdU16String(FdvLoadMessageText(message)));
        return nullptr;
    }
    CDV1_Doc* raw = doc.get();
    auto* child = new CChildFrame(std::move(doc), this);
    child->setWidget(CreateDv1View(raw, child, *this));
    child->SetPathName(full);
    AddChild(child);
    AddToRecentFiles(full);
    return child;
}

bool CTarvexImportApp::SaveDocument(CChildFrame* child, bool saveAs) {
    CEinheitspapierDoc* doc = child ? child->SadDocument() : nullptr;
    CDV1_Doc* dv1 = child ? child->Dv1Document() : nullptr;
    if (!doc && !dv1) return false;
    const QString extension = dv1 ? QStringLiteral(".fdv") : QStringLiteral(".aef");
    QString path = child->PathName();
    // A document another program has open is saved under another name only.
    if (child->IsReadOnly()) saveAs = true;
    if (saveAs || path.isEmpty()) {
        QString name = path.isEmpty() ? child->Title() + extension : path;
        // The name of the file another program holds is never offered: Return and "Ja" in the
        // overwrite question would replace it.
        if (child->IsReadOnly() && !path.isEmpty())
            name = FreeCopyName(path, Str(shellstr::kCopySuffix), Str(shellstr::kCopySuffixN));
        if (!PromptFileName(name, Str(shellstr::kSaveAsTitle61441), {}, false)) return false;
        if (QFileInfo(name).suffix().isEmpty()) name += extension;
        path = name;
    }
    const QString full = QFileInfo(path).absoluteFilePath();
    const bool samePlace = !child->PathName().isEmpty() && QFileInfo(child->PathName()) == QFileInfo(full);
    if (samePlace) {
        // Changed behind the program's back since it was read or last saved: ask first.
        const FileStamp now = FileStamp::Of(full);
        if (!now.IsNull() && !child->Stamp().IsNull() && now != child->Stamp()) {
            QString text = Str(shellstr::kChangedOnDisk);
            text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full));
            if (!AskYesNo(text)) return false;
        }
    }
    std::unique_ptr<CDocumentLock> newLock;
    // A read-only window does not hold its own file either: it may write there only once the
    // other program has let go of it.
    if (!samePlace || child->IsReadOnly()) {
        newLock = std::make_unique<CDocumentLock>();
        LockOwner owner;
        if (newLock->Acquire(full, &owner) == CDocumentLock::Result::HeldByOther) {
            QString text = Str(shellstr::kLockedSaveRefused);
            text.replace(QStringLiteral("%1"), QDir::toNativeSeparators(full))
                .replace(QStringLiteral("%2"),
                         owner.user.isEmpty() ? Str(shellstr::kUnknownUser) : owner.user)
                .replace(QStringLiteral("%3"), owner.host.isEmpty() ? QStringLiteral("?") : owner.host);
            Message(text);
            return false;
        }
    }
    std::string error;
    const std::filesystem::path target(full.toStdU16String());
    bool saved;
    if (dv1) {
        if (auto* view = qobject_cast<CDV1_View*>(child->View())) view->CommitEdit();
        saved = SaveFdvFile(target, *dv1, error);
    } else {
        doc->CommitEdit();
        saved = SaveAefFile(target, *doc, error);
    }
    if (!saved) {
        QString text = Str(shellstr::kSaveFailed61698);
        if (!error.empty()) text += QStringLiteral("\n") + QString::fromStdString(error);
        Message(text);
        return false;
    }
    if (dv1)
        dv1->SetModifiedFlag(false);
    else
        doc->SetModifiedFlag(false);
    if (newLock) {
        child->SetLock(std::move(newLock));
        child->SetReadOnly(false);
    }
    child->SetStamp(FileStamp::Of(full));
    child->SetPathName(full);
    if (child->Undo()) child->Undo()->SetClean();
    child->DiscardRecovery();
    AddToRecentFiles(child->PathName());
    return true;
}

bool CTarvexImportApp::SaveModified(CChildFrame* child) {
    if (!child->IsModified()) return true;
    QString text = Str(shellstr::kAskToSave61704);
    text.replace(QStringLiteral("%1"), child->Title());
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    if (m_askSaveChanges) {
        answer = m_askSaveChanges(text);
    } else {
        // The window in question comes to the front, so that the clerk sees what is asked about.
        m_pMainFrame->ActivateChild(child);
        QMessageBox box(QMessageBox::Question, Str(shellstr::kAppTitle), text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_pMainFrame);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    if (answer == QMessageBox::Yes) return SaveDocument(child, false);
    // Not wanted: no copy of these changes is offered at the next start.
    if (answer == QMessageBox::No) child->DiscardRecovery();
    return answer == QMessageBox::No;
}

bool CTarvexImportApp::CommitSessionData(bool interactionAllowed) {
    if (!interactionAllowed) {
        FlushRecovery();
        m_bKeepRecovery = true;
        return true;
    }
    if (!SaveAllModified()) return false;
    FlushRecovery();
    return true;
}

void CTarvexImportApp::FlushRecovery() {
    if (!m_pMainFrame) return;
    for (CChildFrame* child : m_pMainFrame->Children())
        if (child->IsModified()) child->WriteRecoveryNow();
    if (m_recovery) m_recovery->WaitForWrites();
}

bool CTarvexImportApp::SaveAllModified() {
    if (!m_pMainFrame) return true;
    for (CChildFrame* child : m_pMainFrame->Children())
        if (!SaveModified(child)) return false;
    return true;
}

void CTarvexImportApp::CloseAllDocuments() {
    if (!m_pMainFrame) return;
    for (CChildFrame* child : m_pMainFrame->Children()) child->CloseWithoutAsking();
}

QStringList CTarvexImportApp::FileDialogFilters() const {
    QStringList filters;
    for (const FileFilter& f :
         BuildFileFilters(settings::Get(*m_profile, settings::kSettings, settings::kNoFileFilter))) {
        // Qt reads the patterns from the last parentheses; the dialog hides them again.
        QString patterns = QString::fromStdU16String(f.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QString::fromStdU16String(f.description) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')'));
    }
    return filters;
}

int CTarvexImportApp::FileDialogPreselection() const {
    // The filter follows the kind of the document in front (a D.V.1 opened from a file leaves the
    // current form variant an SAD's); without a document the current form variant decides.
    CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr;
    if (c) return PreselectedFilterIndex(c->Kind() == DocTemplate::Dv1 ? kFormVariantDV1 : 0);
    return PreselectedFilterIndex(m_nFormVariant);
}

bool CTarvexImportApp::PromptFileName(QString& fileName, const QString& title,
                                      QFileDialog::Options extraFlags, bool open) {
    QFileDialog dialog(m_pMainFrame, title);
    dialog.setOptions(extraFlags | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Open: the file must exist; save: overwriting is confirmed (Qt's default).
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = FileDialogFilters();
    dialog.setNameFilters(filters);
    const int preselected = FileDialogPreselection();
    if (preselected >= 1 && preselected <= filters.size()) dialog.selectNameFilter(filters[preselected - 1]);
    // Never the process's working folder: a bare name goes into the document's or data folder.
    const QDir folder(DialogFolder());
    dialog.setDirectory(folder);
    if (!fileName.isEmpty()) dialog.selectFile(folder.absoluteFilePath(fileName));
    if (!ExecFileDialog(dialog) || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

bool CTarvexImportApp::ExecFileDialog(QFileDialog& dialog) {
    return m_execFileDialog ? m_execFileDialog(dialog) : dialog.exec() == QDialog::Accepted;
}

QString CTarvexImportApp::DataFolder() const {
    QString folder = QString::fromStdU16String(m_regManager->GetDataDirectory(false));
    if (folder.isEmpty()) return QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

QString CTarvexImportApp::DialogFolder() const {
    if (CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr; c && !c->PathName().isEmpty())
        return QFileInfo(c->PathName()).absolutePath();
    return DataFolder();
}

// --- recent files

void CTarvexImportApp::LoadRecentFiles() {
    m_recentFiles.clear();
    for (int i = 1; i <= kMruEntries; ++i) {
        const std::string key = settings::kRecentFilePrefix + std::to_string(i);
        const std::u16string value = m_profile->GetProfileString(settings::kRecentFileList, key, u"");
        if (!value.empty()) m_recentFiles.append(QString::fromStdU16String(value));
    }
}

void CTarvexImportApp::SaveRecentFiles() {
    for (int i = 1; i <= kMruEntries; ++i) {
        const std::string key = settings::kRecentFilePrefix + std::to_string(i);
        if (i <= m_recentFiles.size())
            m_profile->WriteProfileString(settings::kRecentFileList, key,
                                          m_recentFiles[i - 1].toStdU16String());
        else
            m_profile->DeleteValue(settings::kRecentFileList, key);
    }
}

void CTarvexImportApp::AddToRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kMruEntries) m_recentFiles.removeLast();
    if (m_pMainFrame) m_pMainFrame->SetRecentFiles(m_recentFiles);
}

// --- printer

void CTarvexImportApp::OnFilePrintSetup() {
    {
        HelpContextScope help(m_nHelpContext, kHelpPrintSetup);
        RunPrinterSetup(m_pMainFrame, Printer());
    }
    // In a form window the set-up also forgets the printer remembered for that form.
    if (CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr; c)
        ResetPrinterChoice(*m_profile, c->Kind() == DocTemplate::Dv1 ? 1 : 0);
}

bool CTarvexImportApp::SelectPrinter(const QString& printerName) {
    // The PDF file output is remembered under the name the print dialog shows; it never goes away.
    if (printerName == Str(shellstr::kPdfPrinter)) {
        Printer().setOutputFormat(QPrinter::PdfFormat);
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) return false;
    Printer().setOutputFormat(QPrinter::NativeFormat);
    Printer().setPrinterName(info.printerName());
    return true;
}

// --- help and homepage

void CTarvexImportApp::ShowHelpContext(int context) {
    // The pages are part of the program and shown in its own window: no browser is needed.
    if (!m_pHelpWnd) m_pHelpWnd = new CHelpWnd(m_pMainFrame);
    m_pHelpWnd->ShowContext(context);
}

CHelpWnd* CTarvexImportApp::HelpWindow() const {
    return m_pHelpWnd.data();
}

void CTarvexImportApp::OnHelp() {
    ShowHelpContext(m_nHelpContext);
}

void CTarvexImportApp::OnHelpContents() {
    ShowHelpContext(help::kOverview);
}

void CTarvexImportApp::OnHomepage() {
    const std::optional<QString> browser = DefaultBrowserCommand();
    if (!browser) {
        Message(Str(shellstr::kNoBrowser));
        return;
    }
    if (browser->size() > 255) return;
    const auto line = HomepageCommandLine(browser->toStdU16String(), kHomepageUrl);
    if (!line) return;
    // The command line passes through the text-to-bytes rule like every text handed to programs.
    StartCommandLine(QString::fromStdU16String(DecodeWindows1252(TextToBytes(*line))));
}

// --- reset commands

bool CTarvexImportApp::ConfirmReset(const QString& title, const QString& question) {
    if (m_confirmReset) return m_confirmReset(title, question);
    QMessageBox box(QMessageBox::Warning, title, Str(shellstr::kAttention21031), QMessageBox::NoButton,
                    m_pMainFrame);
    box.setInformativeText(question);
    QPushButton* yes = box.addButton(Str(shellstr::kResetYes21032), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(Str(shellstr::kResetNo21033), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void CTarvexImportApp::ResetKey(const char* section, const char16_t* title, const char16_t* question) {
    if (!ConfirmReset(Str(title), Str(question))) return;
    m_profile->DeleteKey(section);
    m_bSkipExitSave = true;
    if (m_pMainFrame) m_pMainFrame->close();
}

void CTarvexImportApp::ResetAllSettings() {
    ResetKey(settings::kRoot, shellstr::kResetAllTitle21042, shellstr::kResetAllQuestion21040);
}

void CTarvexImportApp::ResetFontSettings() {
    ResetKey(settings::kFont, shellstr::kResetFontTitle21036, shellstr::kResetFontQuestion21034);
}

void CTarvexImportApp::ResetWorkspace(bool withoutAsking) {
    if (!withoutAsking) {
        ResetKey(settings::kWorkspace, shellstr::kResetWorkspaceTitle21039,
                 shellstr::kResetWorkspaceQuestion21037);
        return;
    }
    m_profile->DeleteKey(settings::kWorkspace);
    m_bSkipExitSave = true;
}

void CTarvexImportApp::GrantDataFileAccess(const QString& fileName) {
    const QString dir = QString::fromStdU16String(m_regManager->GetDataDirectorySlash());
    if (dir.isEmpty()) return;
    GrantUserAccess(dir + fileName);
}

// --- field definitions

CFieldDefinitions& CTarvexImportApp::FieldDefinitions() {
    return m_fieldDefinitions;
}

QPrinter& CTarvexImportApp::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

SadViewEnvironment CTarvexImportApp::SadEnvironment() {
    SadViewEnvironment env;
    env.currentVariant = [this] { return m_nFormVariant; };
    env.setCurrentVariant = [this](int v) { m_nFormVariant = v; };
    env.beep = [] { QApplication::beep(); };
    // What the view reports is a refusal or a damaged file: the warning icon.
    env.message = [this](const QString& text) { Message(text, QMessageBox::Warning); };
    env.helpContext = [this] { return m_nHelpContext; };
    env.setHelpContext = [this](int context) { m_nHelpContext = context; };
    env.showHelp = [this](int context) { ShowHelpContext(context); };
    env.language = [this] { return m_nLanguage; };
    env.dataFolder = [this] { return DataFolder(); };
    return env;
}

void CTarvexImportApp::LoadFieldDefinitions() {
    tarvex::LoadFieldDefinitions(m_fieldDefinitions, *m_profile, m_regManager->SectionArea());
}

void CTarvexImportApp::SaveFieldDefinitions() {
    tarvex::SaveFieldDefinitions(m_fieldDefinitions, *m_profile, m_regManager->SectionArea());
}

}  // namespace tarvex
