#pragma once
// What every form view does alike: one page of a document as a picture of its paper form, with
// the edit window over the active box. This part owns the edit window's owner side (status
// panes, modified mark, editor commands, context menu), the document-wide undo and the commands
// that act the same on every form: undo/redo, cut/copy/paste/select all, insert mode, zoom, save,
// print and the margin sheet. A form adds its layout, painting, clicks and its own commands.

#include <QColor>
#include <QString>
#include <vector>

#include "core/app/RecoverableDocument.h"
#include "core/formview/PrintCorrections.h"
#include "ui/formview/CKTWScrollViewBase.h"
#include "ui/formview/CKtwEditWindow.h"
#include "ui/formview/CommandState.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/formview/FormViewEnvironment.h"

class QMenu;

namespace tarvex {

class CFieldStore;

// What tells one form from another to the shared part.
struct FormViewTraits {
    const FormPrintTraits* print = nullptr;  // settings section, margin sheet, print dialog
    int contextMenu = 0;                     // the edit window's context menu
};

class CFormView : public CKTWScrollViewBase, public IFormViewOwner {
    Q_OBJECT
public:
    CFormView(Profile* profile, FormViewEnvironment env, const FormViewTraits& traits, QWidget* parent);
    ~CFormView() override;

    // The page shown (1 based).
    int CurrentPage() const { return m_nCurrentPage; }
    int CursorKind() const { return m_nCursorKind; }

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

    virtual QString StatusPageText() const = 0;
    virtual QString StatusInsertText() const = 0;

    // IFormViewOwner
    // Pane 1: the page ("Einheitspapier - Seite %d von %d", ...); pane 2: "Einfügen" / "Überschreiben".
    void UpdateStatusText() override;
    void ScrollLogicalBy(int dx, int dy) override { CKTWScrollViewBase::ScrollLogicalBy(dx, dy); }
    QPoint DeviceScrollPosition() const override { return CKTWScrollViewBase::DeviceScrollPosition(); }
    void WheelFromEditor(QWheelEvent* event) override;
    void SetDocumentModified() override;
    // The form's context menu from the command table, with the view's command states; nullptr
    // for other ids.
    QMenu* CreateContextMenu(int menuId, QWidget* parent) override;
    // A disabled command swallows its key, as a disabled menu entry does nothing.
    bool EditorCommand(int id) override;

signals:
    void statusTextChanged(int pane, const QString& text);
    void modifiedChanged();
    // Ctrl+S: the edited text is in the store; the shell saves the document.
    void saveRequested();
    // The print command: the shell runs the print dialog and prints through the document.
    void printRequested();
    // "Kalibrierblatt..." in the margin sheet: the sheet origins as they stand there.
    void calibrationRequested(const std::vector<tarvex::PrintOrigin>& origins);

protected:
    // The form's document: its field store, its modified flag and its undo states.
    virtual CFieldStore& Store() const = 0;
    virtual void MarkDocumentModified() = 0;
    virtual void RestoreDocument(const DocState& state) = 0;
    // The edited text into the store (before a save).
    virtual void CommitEdit() = 0;
    // The form's own commands, asked before the shared ones.
    virtual bool FormCommand(int id) = 0;
    virtual bool FormCommandState(int id, CommandState& state) const = 0;
    // After panes 1 and 2 were sent: what the form adds to the status bar.
    virtual void StatusTextUpdated() {}
    // Whether a click at a viewport point does something (the hand cursor shows it).
    virtual bool ClickableAt(const QPoint& viewportPos) const = 0;
    // The box whose text does not fit at a device point of the page (scrolled), or -1.
    virtual int OverflowingFieldAt(const QPoint& device) const = 0;
    virtual void PrepareLayout() = 0;

    // The form's edit window, built by the form as its own kind; the view owns it through the viewport.
    void SetEditWindow(CKtwEditWindow* edit) { m_pFormEdit = edit; }
    const FormViewEnvironment& Env() const { return m_env; }
    FormViewEnvironment& Env() { return m_env; }
    QColor EditTextColour() const { return m_editTextColour; }

    void scrollContentsBy(int dx, int dy) override;
    // Over a box whose text does not fit: a tool tip says so.
    bool viewportEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void ZoomChanged() override;

    FormViewEnvironment m_env;
    CDocumentUndo* m_pUndo = nullptr;
    int m_nCurrentPage = 1;
    int m_nCursorKind = 0;

private:
    void RunMarginSheet();

    FormViewTraits m_traits;
    CKtwEditWindow* m_pFormEdit = nullptr;
    QColor m_editTextColour;
};

// The shared part bound to a form's document type: its store, modified flag and undo states.
template <class Doc>
class CFormViewOf : public CFormView {
public:
    Doc* GetDocument() const { return m_pDoc; }

protected:
    CFormViewOf(Doc* doc, Profile* profile, FormViewEnvironment env, const FormViewTraits& traits,
                QWidget* parent)
        : CFormView(profile, std::move(env), traits, parent), m_pDoc(doc) {}

    CFieldStore& Store() const override { return m_pDoc->Store(); }
    void MarkDocumentModified() override { m_pDoc->SetModifiedFlag(true); }
    void RestoreDocument(const DocState& state) override { RestoreDocState(*m_pDoc, state); }

    Doc* m_pDoc;
};

}  // namespace tarvex
