#include "ui/app/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>

#include "core/common/ShellStrings.h"
#include "ui/app/CDlgWindowList.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormDocument.h"
#include "ui/common/QtText.h"
#include "ui/shell/CDlgToolbarAnpassen.h"
#include "ui/shell/ShellIcons.h"

namespace tarvex {
namespace {

// The main menus: the one without a document, and one per registered form.
QList<int> MainMenus() {
    QList<int> menus{kMenuNoDocument};
    for (const CFormTemplate* form : FormTemplates()) menus.append(form->menuResource);
    return menus;
}

// Key names of the accelerator table -> key sequences.
QKeySequence KeysFromTable(std::string_view keys) {
    if (keys == "Ctrl+NumPlus")
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus));
    if (keys == "Ctrl+NumMinus")
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus));
    if (keys == "Ctrl+Plus") return QKeySequence(Qt::CTRL | Qt::Key_Plus);
    if (keys == "Ctrl+Minus") return QKeySequence(Qt::CTRL | Qt::Key_Minus);
    if (keys == "Shift+Tab") return QKeySequence(Qt::SHIFT | Qt::Key_Backtab);
    return QKeySequence(QString::fromLatin1(keys.data(), static_cast<qsizetype>(keys.size())));
}

bool IsRadio(int id) {
    return id == cmd::kAlignLeft || id == cmd::kAlignCenter || id == cmd::kAlignRight;
}
bool IsCheck(int id) {
    return id == cmd::kFontBold || id == cmd::kStatusBar || id == cmd::kVariant0 || id == cmd::kVariant1 ||
           id == cmd::kVariant2 || id == cmd::kVariant3;
}

// Closed windows are hidden until they are deleted; a new one has not been shown yet.
bool IsClosing(const QWidget* w) {
    return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

void CollectIds(const std::vector<MenuEntry>& items, QList<int>& ids) {
    for (const MenuEntry& e : items) {
        if (e.kind == MenuEntry::Kind::Command || e.kind == MenuEntry::Kind::RecentFiles) ids.append(e.id);
        CollectIds(e.items, ids);
    }
}

}  // namespace

CMainFrame::CMainFrame(CTarvexImportApp* app, QWidget* parent) : QMainWindow(parent), m_pApp(app) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(Str(shellstr::kAppTitle));
    setWindowIcon(QIcon(QPixmap::fromImage(DocumentIconImage(0, 64))));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setTabsMovable(true);
    m_mdiArea->setDocumentMode(true);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveChildChanged);
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateAccelerators();
    CreateWindowList();
    SetMenuResource(kMenuNoDocument);
    setAcceptDrops(true);
    // Sees the dialogs of this window close (eventFilter).
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // The document windows go here, while this is still a whole CMainFrame. Left to QWidget's
    // destructor they would die after the frame has been cut down to a QWidget, and what they and
    // the MDI area signal on the way out (the active window changed, a window closed) would run the
    // frame's and the application's handlers on half an object. The MDI area says nothing more:
    // there is no menu or title left to bring up to date. A window closed just before has left
    // the area's list but waits for its deletion, so the frame looks for every one it holds.
    m_mdiArea->disconnect(this);
    qDeleteAll(m_mdiArea->viewport()->findChildren<QMdiSubWindow*>(QString(), Qt::FindDirectChildrenOnly));
}

void CMainFrame::CreateActions() {
    QList<int> ids;
    for (int menu : MainMenus()) CollectIds(MenuResource(menu), ids);
    for (int menu : {kContextMenuEdit, kContextMenuSad}) CollectIds(ContextMenuResource(menu), ids);
    for (int id : StandardToolbarButtons()) ids.append(id);
    for (const Accelerator& a : AcceleratorTable()) ids.append(a.command);
    for (int id : ids) {
        if (id == 0 || m_actions.contains(id)) continue;
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("ID_%1").arg(id));
        action->setData(id);
        action->setStatusTip(Str(CommandPrompt(id)));
        const QString tip = Str(CommandTooltip(id));
        action->setToolTip(tip.isEmpty() ? Str(CommandPrompt(id)) : tip);
        action->setIcon(CommandIcon(id));
        action->setCheckable(IsCheck(id) || IsRadio(id));
        // Commands stay disabled until a handler takes them over.
        action->setEnabled(false);
        m_actions.insert(id, action);
    }
    // Menu texts for the toolbar's and shortcuts' own actions: the first text any menu gives.
    std::function<void(const std::vector<MenuEntry>&)> name = [&](const std::vector<MenuEntry>& items) {
        for (const MenuEntry& e : items) {
            if (e.id && m_actions.contains(e.id) && m_actions[e.id]->text().isEmpty())
                m_actions[e.id]->setText(Str(e.text.substr(0, e.text.find(u'\t'))));
            name(e.items);
        }
    };
    for (int menu : MainMenus()) name(MenuResource(menu));

    QAction* statusBarAction = m_actions[cmd::kStatusBar];
    statusBarAction->setEnabled(true);
    statusBarAction->setChecked(true);
    connect(statusBarAction, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

// Each menu entry is its own action with the text of that menu; it forwards to the command's
// action and mirrors its enabled and checked state.
QMenu* CMainFrame::BuildMenu(const MenuEntry& entry, QWidget* parent) {
    auto* menu = new QMenu(Str(entry.text), parent);
    QActionGroup* alignGroup = nullptr;
    for (const MenuEntry& e : entry.items) {
        switch (e.kind) {
            case MenuEntry::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuEntry::Kind::Submenu: {
                QMenu* sub = BuildMenu(e, menu);
                menu->addMenu(sub);
                if (e.id == cmd::kToolbars) {
                    // Each toolbar by its number as access key, "Anpassen..." by its A.
                    connect(sub, &QMenu::aboutToShow, this, [this, sub] {
                        sub->clear();
                        QList<QToolBar*> bars{m_toolBar};
                        bars += m_userToolBars;
                        for (qsizetype i = 0; i < bars.size(); ++i) {
                            QToolBar* bar = bars[i];
                            const QString key = i < 9    ? QString::number(i + 1)
                                                : i == 9 ? QStringLiteral("0")
                                                         : QString();
                            QAction* item = sub->addAction(
                                key.isEmpty() ? bar->windowTitle()
                                              : QStringLiteral("&%1 %2").arg(key, bar->windowTitle()));
                            item->setCheckable(true);
                            item->setChecked(bar->isVisible());
                            connect(item, &QAction::toggled, bar, &QToolBar::setVisible);
                        }
                        sub->addSeparator();
                        QAction* customize = sub->addAction(QLatin1Char('&') + Str(shellstr::kCustomize125));
                        connect(customize, &QAction::triggered, this, &CMainFrame::OnCustomize);
                    });
                }
                break;
            }
            case MenuEntry::Kind::RecentFiles: {
                auto* placeholder = menu->addAction(Str(e.text));
                placeholder->setEnabled(false);
                placeholder->setData(e.id);
                connect(menu, &QMenu::aboutToShow, this,
                        [this, menu, placeholder] { FillRecentFiles(menu, placeholder); });
                break;
            }
            case MenuEntry::Kind::Command: {
                QAction* target = m_actions.value(e.id);
                auto* item = menu->addAction(Str(e.text));
                item->setData(e.id);
                item->setStatusTip(target->statusTip());
                item->setCheckable(target->isCheckable());
                if (IsRadio(e.id)) {
                    if (!alignGroup) alignGroup = new QActionGroup(menu);
                    alignGroup->addAction(item);
                }
                auto sync = [item, target] {
                    item->setEnabled(target->isEnabled());
                    item->setChecked(target->isChecked());
                    item->setVisible(target->isVisible());
                    // A command that changes its menu text (insert mode) sets it as "menuText".
                    const QString text = target->property("menuText").toString();
                    if (!text.isEmpty()) item->setText(text);
                };
                sync();
                connect(target, &QAction::changed, item, sync);
                // The command's handler sets the check marks again from the document's state.
                connect(item, &QAction::triggered, target, [target] { target->trigger(); });
                break;
            }
        }
    }
    return menu;
}

void CMainFrame::FillRecentFiles(QMenu* menu, QAction* placeholder) {
    // Remove the entries of the last showing, then list the files after the placeholder.
    const QList<QAction*> all = menu->actions();
    for (QAction* a : all)
        if (a->property("mru").toBool()) menu->removeAction(a), a->deleteLater();
    placeholder->setVisible(m_recentFiles.isEmpty());
    const QList<QAction*> after = menu->actions();
    const qsizetype pos = after.indexOf(placeholder);
    QAction* before = pos + 1 < after.size() ? after[pos + 1] : nullptr;
    for (int i = 0; i < m_recentFiles.size() && i < kMruEntries; ++i) {
        const QString path = m_recentFiles[i];
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), menu);
        a->setProperty("mru", true);
        a->setStatusTip(Str(CommandPrompt(cmd::kMruFile1)));
        connect(a, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
        menu->insertAction(before, a);
    }
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    m_recentFiles = files;
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(Str(shellstr::kToolbarStandard124));
    m_toolBar->setObjectName(QStringLiteral("ToolBar59392"));
    m_toolBar->setIconSize(QSize(24, 24));
    // "Anpassen..." (126): at the end of every toolbar, in the pane context menu and the toolbar menu.
    auto* customize = new QAction(Str(shellstr::kCustomize125), this);
    customize->setObjectName(QStringLiteral("ID_%1").arg(cmd::kCustomize));
    customize->setData(cmd::kCustomize);
    customize->setStatusTip(Str(CommandPrompt(cmd::kCustomize)));
    customize->setToolTip(Str(CommandTooltip(cmd::kCustomize)));
    m_actions.insert(cmd::kCustomize, customize);
    connect(customize, &QAction::triggered, this, &CMainFrame::OnCustomize);
    ApplyToolbarLayout(m_pApp ? ReadToolbarLayout(m_pApp->GetProfile()) : DefaultToolbarLayout());
}

void CMainFrame::ApplyToolbarLayout(const ToolbarLayout& layout) {
    m_toolbarLayout = layout;
    if (m_toolbarLayout.user.size() > static_cast<size_t>(kMaxUserToolbars))
        m_toolbarLayout.user.resize(kMaxUserToolbars);
    auto fill = [this](QToolBar* bar, const std::vector<int>& buttons) {
        bar->clear();
        for (int id : buttons) {
            if (id == 0)
                bar->addSeparator();
            else if (QAction* a = m_actions.value(id))
                bar->addAction(a);
        }
        bar->addAction(m_actions.value(cmd::kCustomize));
    };
    fill(m_toolBar, m_toolbarLayout.standard);
    // Own toolbars keep their id by position, so that the saved window state finds them again.
    while (m_userToolBars.size() > static_cast<qsizetype>(m_toolbarLayout.user.size())) {
        QToolBar* bar = m_userToolBars.takeLast();
        removeToolBar(bar);
        bar->deleteLater();
    }
    for (size_t i = 0; i < m_toolbarLayout.user.size(); ++i) {
        const QString name = QString::fromStdU16String(m_toolbarLayout.user[i].name);
        if (static_cast<qsizetype>(i) >= m_userToolBars.size()) {
            QToolBar* bar = addToolBar(name);
            bar->setObjectName(QStringLiteral("ToolBar%1").arg(kFirstUserToolbarId + static_cast<int>(i)));
            bar->setIconSize(m_toolBar->iconSize());
            m_userToolBars.append(bar);
        }
        QToolBar* bar = m_userToolBars[static_cast<qsizetype>(i)];
        bar->setWindowTitle(name);
        fill(bar, m_toolbarLayout.user[i].buttons);
    }
}

void CMainFrame::OnCustomize() {
    CDlgToolbarAnpassen dlg(
        m_toolbarLayout, [](int id) { return CommandIcon(id); },
        [this](int id) {
            QAction* a = m_actions.value(id);
            return a && !a->text().isEmpty() ? QString(a->text()).remove(QLatin1Char('&'))
                                             : Str(CommandPrompt(id));
        },
        this);
    const bool ok = m_execCustomize ? m_execCustomize(dlg) : dlg.exec() == QDialog::Accepted;
    if (!ok) return;
    ApplyToolbarLayout(dlg.Layout());
    if (m_pApp) WriteToolbarLayout(m_pApp->GetProfile(), m_toolbarLayout);
}

QMenu* CMainFrame::createPopupMenu() {
    QMenu* menu = QMainWindow::createPopupMenu();
    if (!menu) menu = new QMenu(this);
    menu->addSeparator();
    menu->addAction(m_actions.value(cmd::kCustomize));
    return menu;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar59393"));
    m_panes[0] = new QLabel(ReadyText(), bar);
    bar->addWidget(m_panes[0], 2);
    const int minimum[] = {0, 200, 80};
    for (int i = 1; i < 3; ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setMinimumWidth(minimum[i]);
        m_panes[i]->setFrameShape(QFrame::StyledPanel);
        bar->addPermanentWidget(m_panes[i], 1);
    }
}

QString CMainFrame::ReadyText() const {
    return Str(shellstr::kReady57345);
}

void CMainFrame::CreateAccelerators() {
    for (const Accelerator& a : AcceleratorTable()) {
        const QKeySequence keys = KeysFromTable(a.keys);
        if (m_accelerators.contains(keys)) continue;  // an earlier entry has this key
        m_accelerators.insert(keys, a.command);
        QAction* action = m_actions.value(a.command);
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, shortcut,
                [shortcut, action] { shortcut->setEnabled(action->isEnabled()); });
        connect(shortcut, &QShortcut::activated, action, [action] {
            if (action->isEnabled()) action->trigger();
        });
        m_shortcuts.append(shortcut);
    }
}

// "Fenster...": from the context menu of the document tabs and of the empty window area.
void CMainFrame::CreateWindowList() {
    QAction* windows = m_actions.value(cmd::kWindowList);
    if (!windows) {
        windows = new QAction(this);
        windows->setObjectName(QStringLiteral("ID_%1").arg(cmd::kWindowList));
        m_actions.insert(cmd::kWindowList, windows);
    }
    windows->setText(Str(shellstr::kWindows132));
    windows->setStatusTip(Str(CommandPrompt(cmd::kWindowList)));
    windows->setEnabled(true);
    connect(windows, &QAction::triggered, this, [this] {
        CDlgWindowList dlg(this);
        dlg.exec();
    });
    m_mdiArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_mdiArea->addAction(windows);
    if (auto* tabs = m_mdiArea->findChild<QTabBar*>()) {
        tabs->setContextMenuPolicy(Qt::ActionsContextMenu);
        tabs->addAction(windows);
    }
}

int CMainFrame::CommandForKey(const QKeySequence& keys) const {
    return m_accelerators.value(keys, 0);
}

void CMainFrame::SetMenuResource(int menuId) {
    if (menuId == m_nMenuResource || !MainMenus().contains(menuId)) return;
    // A document kind's menus are built when its first document comes to the front: not before
    // the first window is on the screen.
    if (!m_menus.contains(menuId)) {
        QList<QMenu*> menus;
        for (const MenuEntry& top : MenuResource(menuId)) menus.append(BuildMenu(top, this));
        m_menus.insert(menuId, menus);
    }
    m_nMenuResource = menuId;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* menu : m_menus.value(menuId)) bar->addMenu(menu);
}

void CMainFrame::SetStatusText(const QString& text, int pane) {
    if (pane < 0 || pane > 2) return;
    // Pane 0's own label: a temporary message of the status bar would hide it, and the two
    // stretching panes would leave the message no room to be seen.
    if (pane == 0) statusBar()->clearMessage();
    // Drawn with the next paint of the window: a forced repaint here would paint the form view
    // once more for every pane a key changes.
    m_panes[pane]->setText(text);
}

QString CMainFrame::StatusText(int pane) const {
    if (pane == 0) {
        const QString message = statusBar()->currentMessage();
        return message.isEmpty() ? m_panes[0]->text() : message;
    }
    return pane > 0 && pane < 3 ? m_panes[pane]->text() : QString();
}

bool CMainFrame::SelectPrinterByName(const QString& printerName) {
    if (m_pApp && m_pApp->SelectPrinter(printerName)) return true;
    QString text = Str(shellstr::kPrinterNotFound);
    text.replace(QStringLiteral("%s"), printerName);
    if (m_pApp)
        m_pApp->Message(text);
    else
        QMessageBox::warning(this, Str(shellstr::kAppTitle), text);
    return false;
}

// The current window also while the frame itself is hidden or inactive (start-up, tests).
// Without window activation (a desktop without window manager, a hidden frame) Qt reports no
// active window; the last activated one that is still open is the current document then. A
// window that waits to come to the front (ActivateChild) is the current one already.
CChildFrame* CMainFrame::ActiveChild() const {
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (m_pendingActive && !IsClosing(m_pendingActive) && windows.contains(m_pendingActive.data()))
        return m_pendingActive.data();
    if (auto* child = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow())) return child;
    if (m_lastActive && windows.contains(m_lastActive.data())) return m_lastActive.data();
    return windows.isEmpty() ? nullptr : qobject_cast<CChildFrame*>(windows.constLast());
}

void CMainFrame::OnActiveChildChanged() {
    if (auto* active = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
        active && (!m_pendingActive || active == m_pendingActive))
        m_lastActive = active;
    CChildFrame* child = ActiveChild();
    SetMenuResource(child ? child->Form().menuResource : kMenuNoDocument);
    ShowChildStatus(child);
    UpdateTitle();
    emit ActiveChildChanged();
}

void CMainFrame::ShowChildStatus(CChildFrame* child) {
    // The page and insert-mode panes belong to a document; with none left they say nothing.
    for (int pane : {1, 2}) SetStatusText(child ? child->StatusPaneText(pane) : QString(), pane);
    const QString message = child ? child->StatusPaneText(0) : QString();
    SetStatusText(message.isEmpty() ? ReadyText() : message, 0);
}

void CMainFrame::ActivateChild(CChildFrame* child) {
    // A window that is being closed (hidden on purpose) stays where it is.
    if (!child || IsClosing(child)) return;
    // A new window is added here: the area activates it as it comes in, and it must be the one
    // that is waiting for it by then.
    m_pendingActive = child;
    if (!m_mdiArea->subWindowList().contains(child)) m_mdiArea->addSubWindow(child);
    if (!child->isVisible()) child->showMaximized();
    if (!isActiveWindow()) activateWindow();
    m_mdiArea->setActiveSubWindow(child);
    // The view hands the focus on to its edit window.
    if (QWidget* view = child->widget()) view->setFocus(Qt::OtherFocusReason);
    if (isActiveWindow() && m_mdiArea->activeSubWindow() == child) m_pendingActive = nullptr;
    m_lastActive = child;
    OnActiveChildChanged();
}

void CMainFrame::RestoreKeyboard() {
    // A dialog opened from a dialog hands the keyboard back to that dialog.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    ActivateChild(ActiveChild());
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Active again: the window area has put its own idea of the active window back by now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_pendingActive)
        QTimer::singleShot(0, this, [this] {
            if (m_pendingActive) ActivateChild(m_pendingActive.data());
        });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A dialog of this window closed: the keyboard goes back to the document in front, not to the
    // window that had it before the dialog or that Qt or the window manager picks.
    if (event->type() == QEvent::Hide) {
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow() &&
                                                            dialog->parentWidget() &&
                                                            dialog->parentWidget()->window() == this)
            QTimer::singleShot(0, this, [this] { RestoreKeyboard(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* w : m_mdiArea->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w)) children.append(c);
    return children;
}

void CMainFrame::UpdateTitle() {
    CChildFrame* child = ActiveChild();
    const QString app = Str(shellstr::kAppTitle);
    setWindowTitle(child ? app + QStringLiteral(" - ") + child->Title() + QStringLiteral("[*]") : app);
    setWindowModified(child && child->IsModified());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every modified document is asked about before any window closes: a cancel keeps all open.
    if (m_pApp && !m_pApp->Documents().SaveAllModified()) {
        event->ignore();
        return;
    }
    for (CChildFrame* child : Children()) {
        if (!child->CloseWithoutAsking()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    emit FilesDropped(paths);
}

}  // namespace tarvex
