#include "ui/app/CTarvexImportApp.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QTranslator>

#include "core/app/Homepage.h"
#include "core/app/ShellCommands.h"
#include "core/common/HelpContexts.h"
#include "core/common/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormDocument.h"
#include "ui/app/PrintJobDialogs.h"
#include "ui/common/HelpContextScope.h"
#include "ui/common/QtText.h"
#include "ui/formview/CDlgPrinterFontSize.h"
#include "ui/formview/CFormView.h"
#include "ui/formview/Common_CDlgPrintSizeCorr.h"
#include "ui/masterdata/CDlgProgramOptions.h"
#include "ui/masterdata/CDlgStammDatenEingabe.h"
#include "ui/sad/dialogs/CDlgEditFeldDefinitionen.h"
#include "ui/shell/CHelpWnd.h"
#include "ui/shell/HelpPages.h"
#include "ui/shell/PlatformShell.h"

namespace tarvex {

bool InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

CTarvexImportApp::CTarvexImportApp(std::unique_ptr<IUserDialogs> dialogs) : m_dialogs(std::move(dialogs)) {
    m_fieldDefinitions.ResetToBuiltIn();
}

CTarvexImportApp::~CTarvexImportApp() {
    // A help window without a main frame to own it.
    if (m_pHelpWnd && !m_pHelpWnd->parentWidget()) delete m_pHelpWnd.data();
    if (m_pMainFrame) delete m_pMainFrame.data();
}

Profile& CTarvexImportApp::GetProfile() {
    return *m_profile;
}

CMainFrame* CTarvexImportApp::MainFrame() const {
    return m_pMainFrame.data();
}

void CTarvexImportApp::Message(const QString& text, QMessageBox::Icon icon) {
    m_dialogs->ShowMessage(m_pMainFrame, Str(shellstr::kAppTitle), text, icon);
}

bool CTarvexImportApp::InitInstance(const QStringList& arguments) {
    return m_startup.Run(arguments);
}

int CTarvexImportApp::ExitInstance() {
    m_startup.SaveAtExit();
    return 0;
}

void CTarvexImportApp::ConnectCommands() {
    CMainFrame* f = m_pMainFrame;
    auto on = [f](int id, auto handler) {
        QAction* a = f->Action(id);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, f, handler);
    };
    on(cmd::kNew, [this] { m_documents.OnFileNew(); });
    on(cmd::kOpen, [this] { m_documents.OnFileOpen(); });
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
        if (CChildFrame* c = f->ActiveChild()) m_documents.SaveDocument(c, false);
    });
    on(cmd::kSaveAs, [this, f] {
        if (CChildFrame* c = f->ActiveChild()) m_documents.SaveDocument(c, true);
    });
    on(cmd::kPrintAreaCorrection, [this, f] {
        Common_CDlgPrintSizeCorr dlg(*m_profile, m_nLanguage, f);
        dlg.exec();
    });
    on(cmd::kPrinterFonts, [this, f] {
        HelpContextScope help(m_nHelpContext, CDlgPrinterFontSize::kHelpContext);
        std::vector<const FormPrintTraits*> forms;
        for (const CFormTemplate* form : FormTemplates()) forms.push_back(&form->print);
        CDlgPrinterFontSize dlg(*m_profile, std::move(forms), f);
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

    m_helpKey = InstallHelpKey([this] { OnHelp(); });

    QObject::connect(f, &CMainFrame::ActiveChildChanged, f, [this, f] {
        // The SAD window in front gives the current form variant (used by New and the defaults).
        if (CChildFrame* c = f->ActiveChild(); c && c->Document().FormVariant() >= 0)
            m_nFormVariant = c->Document().FormVariant();
        UpdateCommandStates();
    });
    // Like the framework's idle update: menus and toolbar follow the caret's field.
    auto* idle = new QTimer(f);
    QObject::connect(idle, &QTimer::timeout, f, [this] { UpdateCommandStates(); });
    idle->start(250);
    UpdateCommandStates();
    QObject::connect(f, &CMainFrame::RecentFileChosen, this, [this](const QString& path) {
        if (!m_documents.OpenDocumentFile(path)) m_documents.ForgetRecentFile(path);
    });
    QObject::connect(f, &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& p : paths) m_documents.OpenDocumentFile(p);
    });
}

namespace {

// Commands that the active form view carries out and whose menu state it gives.
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

// The view of the window in front, whatever its form.
CFormView* ActiveFormView(const CMainFrame* frame) {
    CChildFrame* c = frame ? frame->ActiveChild() : nullptr;
    return c ? c->Document().View() : nullptr;
}

}  // namespace

void CTarvexImportApp::ConnectViewCommands() {
    for (int id : kViewCommands) {
        QAction* a = m_pMainFrame->Action(id);
        if (!a) continue;
        QObject::connect(a, &QAction::triggered, m_pMainFrame, [this, id] {
            if (CFormView* view = ActiveFormView(m_pMainFrame)) view->OnCommand(id);
            UpdateCommandStates();
        });
    }
}

void CTarvexImportApp::UpdateCommandStates() {
    CMainFrame* f = m_pMainFrame;
    if (!f) return;
    CChildFrame* c = f->ActiveChild();
    f->Action(cmd::kClose)->setEnabled(c != nullptr);
    // A copy can be saved at any time; saving in place only makes sense after a change.
    f->Action(cmd::kSave)->setEnabled(c && c->IsModified());
    f->Action(cmd::kSaveAs)->setEnabled(c != nullptr);
    f->Action(cmd::kFormDefaults)->setEnabled(c && c->Form().formDefaults);
    for (CChildFrame* child : f->Children()) child->SyncModified();
    CFormView* view = ActiveFormView(f);
    for (int id : kViewCommands) {
        QAction* a = f->Action(id);
        if (!a) continue;
        CommandState state;
        const bool handled = view && view->UpdateCommandUI(id, state);
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
        if (!m_documents.SaveAllModified()) return false;
        m_documents.CloseAllDocuments();
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

QString CTarvexImportApp::DataFolder() const {
    QString folder = QString::fromStdU16String(m_regManager->GetDataDirectory(false));
    if (folder.isEmpty()) return QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

// --- printer

void CTarvexImportApp::OnFilePrintSetup() {
    {
        HelpContextScope help(m_nHelpContext, help::kPrinterSetup);
        RunPrinterSetup(m_pMainFrame, Printer());
    }
    // In a form window the set-up also forgets the printer remembered for that form.
    if (CChildFrame* c = m_pMainFrame ? m_pMainFrame->ActiveChild() : nullptr; c)
        ResetPrinterChoice(*m_profile, c->Form().print);
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

void CTarvexImportApp::ResetKey(const char* section, const char16_t* title, const char16_t* question) {
    if (!m_dialogs->ConfirmReset(m_pMainFrame, Str(title), Str(question))) return;
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

}  // namespace tarvex
