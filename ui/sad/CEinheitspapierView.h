#pragma once
// The SAD view: one page of the document at a time as a true-to-scale picture of the paper form,
// with the field edit window over the active box. The document owns the texts (its field
// store); the view lays out, draws, turns clicks into field activations and reports its page
// and insert mode through statusTextChanged.

#include <QColor>
#include <QString>
#include <functional>
#include <memory>

#include "core/app/CommandIds.h"
#include "core/common/HelpContexts.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"
#include "ui/formview/CKTWScrollViewBase.h"
#include "ui/formview/CKtwEditWindow.h"
#include "ui/formview/CommandState.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/sad/SadViewEnvironment.h"

class QMenu;

namespace tarvex {

class CEinheitspapierDoc;
class CSadViewInput;

class CEinheitspapierView : public CKTWScrollViewBase, public IFormViewOwner {
    Q_OBJECT
public:
    // The application's help context while an SAD view is in front and no box has set its own.
    static constexpr int kHelpContextView = help::kSadView;

    // The view works with its own copy of the field definitions: opening a document marks the
    // crossed-out boxes of its form in it, which must not reach the stored table or other windows.
    CEinheitspapierView(CEinheitspapierDoc* doc, SadViewEnvironment env, const CFieldDefinitions& definitions,
                        QWidget* parent = nullptr);
    ~CEinheitspapierView() override;

    CEinheitspapierDoc* GetDocument() const { return m_pDoc; }
    const CFieldDefinitions& Definitions() const { return m_definitions; }
    CKTWEditWindow_EHP* EditWindow() const { return m_pEdit; }
    // Field navigation, page and variant commands, F2 and the box dialogs.
    CSadViewInput& Input() const { return *m_input; }
    int CurrentPage() const { return m_nCurrentPage; }
    int CursorKind() const { return m_nCursorKind; }

    // The initial-update steps (messages of the load, variant, box 8 defaults, crossed-out field
    // definitions); the constructor runs them once.
    void OnInitialUpdate();
    // After the document's store was read anew while the view exists.
    void ReloadFromStore();
    // Rebuilds the zoom-dependent layout when it is not valid.
    void PrepareLayout();
    // Logical (zoomed) rectangle of a field, top and bottom positive; an unknown index reads
    // field 0.
    SadRect GetFieldRect(int field, int page) const;
    SadRect GetPrintRect(int field, int page) const;
    void SetPrintOffsets(int x, int y) {
        m_printOffsetX = x;
        m_printOffsetY = y;
    }

    // Moves the caret to a field and shows it.
    virtual void GoToField(int field, int page);
    // Shows another page: the edited text goes into the store, the new page's field 0 gets the caret.
    void ShowPage(int page);
    // The field under a viewport point, or -1 (uneditable fields do not count).
    int HitTest(const QPoint& viewportPos) const;

    // Options the renderer gets for the page shown.
    SadRenderOptions RenderOptions() const;
    // Reads the display settings (stamps, crossed-out boxes, text colour) that every paint uses;
    // at creation and after a dialog that changes them, not at each paint (the store syncs from
    // disk on every read).
    void ReadDisplaySettings();
    // The form defaults were stored: their stamp switches act at once in this window too.
    void ApplyFormDefaults(bool stampA, bool stampC);
    const CSadPageRenderer& Renderer() const { return m_renderer; }

    // Commands: dispatch by id and the menu state of an id; false for ids the view does not handle.
    bool OnCommand(int id);
    bool UpdateCommandUI(int id, CommandState& state) const;
    // The keyboard back into the box: the window in front and active, the edit window focused.
    void FocusBox();

    // Document-wide undo: the window's stack; every command and every box change records into it.
    void SetUndo(CDocumentUndo* undo) { m_pUndo = undo; }
    CDocumentUndo* Undo() const { return m_pUndo; }
    // Puts an undone or redone state into the document and shows the box of the change.
    void RestoreState(const DocState& state, const UndoPosition& position);
    UndoPosition Position() const;

    QString StatusPageText() const;
    QString StatusInsertText() const;

    // IFormViewOwner
    void UpdateStatusText() override;
    void ScrollLogicalBy(int dx, int dy) override { CKTWScrollViewBase::ScrollLogicalBy(dx, dy); }
    QPoint DeviceScrollPosition() const override { return CKTWScrollViewBase::DeviceScrollPosition(); }
    void WheelFromEditor(QWheelEvent* event) override;
    void SetDocumentModified() override;
    // Menu 132 from the command table, with the view's command states; nullptr for other ids.
    QMenu* CreateContextMenu(int menuId, QWidget* parent) override;
    void NavigateFromEditor(bool forward) override;
    // A disabled command swallows its key, as a disabled menu entry does nothing.
    bool EditorCommand(int id) override;

signals:
    // pane 1: "Einheitspapier - Seite %d von %d"; pane 2: "Einfügen" / "Überschreiben".
    void statusTextChanged(int pane, const QString& text);
    void modifiedChanged();
    // Ctrl+S: the edited text is in the store; the shell saves the document.
    void saveRequested();
    // The print command: the shell runs the print dialog and prints through the document.
    void printRequested();
    // "Kalibrierblatt..." in the margin sheet: the sheet origins as they stand there.
    void calibrationRequested(const std::vector<tarvex::PrintOrigin>& origins);

protected:
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void ZoomChanged() override;

private:
    void StoreFieldRects();

    CEinheitspapierDoc* m_pDoc;
    SadViewEnvironment m_env;
    CFieldDefinitions m_definitions;
    CKTWEditWindow_EHP* m_pEdit = nullptr;
    std::unique_ptr<CSadViewInput> m_input;
    CSadPageRenderer m_renderer;
    SadRenderOptions m_displayOptions;
    QColor m_editTextColour;
    int m_printOffsetX = 0;
    int m_printOffsetY = 0;
    int m_nCurrentPage = 1;
    int m_nCursorKind = 0;
    int m_nOwnVariant = 0;  // the current variant when nobody outside keeps one
    CDocumentUndo* m_pUndo = nullptr;
};

}  // namespace tarvex
