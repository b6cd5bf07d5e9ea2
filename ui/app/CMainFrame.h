#pragma once
// The main window: menu bar (menus 128, 130, 131), the standard toolbar, the status bar with the
// message pane and two text panes, and the document windows as tabs.

#include <QKeySequence>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/app/ShellCommands.h"
#include "core/app/ToolbarLayout.h"
#include "ui/app/DocumentWindows.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMenu;
class QShortcut;
class QToolBar;

namespace tarvex {

class CChildFrame;
class CDlgToolbarAnpassen;
class CTarvexImportApp;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // app carries out the frame's file and printer requests; tests may build a frame without one.
    explicit CMainFrame(CTarvexImportApp* app = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;
    CTarvexImportApp* App() const { return m_pApp; }

    // Sets the text of status pane 1 or 2 (pane 0 shows "Bereit" and the command prompts).
    virtual void SetStatusText(const QString& text, int pane);
    QString StatusText(int pane) const;
    // 1 when the print system knows the printer, 0 otherwise.
    // Makes the printer the application's current one; a message and false when it is unknown.
    virtual bool SelectPrinterByName(const QString& printerName);

    QAction* Action(int command) const { return m_actions.value(command); }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* StandardToolBar() const { return m_toolBar; }
    // The user's own toolbars (ids 59432 to 59441), in the order of the arrangement.
    QList<QToolBar*> UserToolBars() const { return m_userToolBars; }
    // Puts the buttons of an arrangement onto the toolbars; each ends with "Anpassen...".
    void ApplyToolbarLayout(const ToolbarLayout& layout);
    const ToolbarLayout& CurrentToolbarLayout() const { return m_toolbarLayout; }
    // Command 126: the customising dialog; OK stores and applies the arrangement.
    void OnCustomize();
    // Runs the customising dialog (tests answer here); true for OK.
    std::function<bool(CDlgToolbarAnpassen&)> m_execCustomize;
    // The pane context menu: the toolbars and "Anpassen...".
    QMenu* createPopupMenu() override;
    int CurrentMenuResource() const { return m_nMenuResource; }
    void SetMenuResource(int menuId);
    // Command of the accelerator a key sequence triggers, 0 if none.
    int CommandForKey(const QKeySequence& keys) const;
    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;

    void SetRecentFiles(const QStringList& files);
    QString ReadyText() const;
    void UpdateTitle();
    // Menus, title and command states after the active document window changed.
    void OnActiveChildChanged();
    // Brings a document window to the front with the keyboard in its box; a new one is added to
    // the window area and shown first. Right after a modal dialog the frame is not active yet and
    // the window area ignores the request: it is repeated once the frame is active again.
    void ActivateChild(CChildFrame* child);

signals:
    void RecentFileChosen(const QString& path);
    void FilesDropped(const QStringList& paths);
    void ActiveChildChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    QMenu* BuildMenu(const MenuEntry& entry, QWidget* parent);
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    void CreateWindowList();

    void FillRecentFiles(QMenu* menu, QAction* placeholder);
    // Gives the keyboard back to the document window in front (after a dialog, on activation).
    void RestoreKeyboard();
    // The page and insert-mode panes and the message of the document window in front.
    void ShowChildStatus(CChildFrame* child);

    CTarvexImportApp* m_pApp;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QToolBar*> m_userToolBars;
    ToolbarLayout m_toolbarLayout;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    QMap<int, QAction*> m_actions;
    QMap<int, QList<QMenu*>> m_menus;  // top-level menus per menu resource
    QMap<QKeySequence, int> m_accelerators;
    QList<QShortcut*> m_shortcuts;
    QStringList m_recentFiles;
    int m_nMenuResource = 0;
    QPointer<CChildFrame> m_lastActive;
    // The window that is to be in front, until the frame is active again and it is.
    QPointer<CChildFrame> m_pendingActive;
};

}  // namespace tarvex
