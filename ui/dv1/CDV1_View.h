#pragma once
// The D.V.1 view: one page of the declaration at a time as a picture of the paper form, with the
// edit window over the active field, which always has the keyboard. The yes/no boxes of the front
// are ticked with the mouse or with Alt+J / Alt+N in the details field of their question, never
// by a key that typing uses. The moves themselves are CDv1Navigation's.

#include <QColor>
#include <QString>
#include <memory>
#include <vector>

#include "core/common/HelpContexts.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Navigation.h"
#include "core/formview/PrintCorrections.h"
#include "ui/formview/CKTWScrollViewBase.h"
#include "ui/formview/CKtwEditWindow.h"
#include "ui/formview/CommandState.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/sad/SadViewEnvironment.h"

class QMenu;

namespace tarvex {

class CDV1_Doc;
class CDv1PageRenderer;

class CDV1_View : public CKTWScrollViewBase, public IFormViewOwner, private IDv1EditHost {
    Q_OBJECT
public:
    // The help context while the view is built (the front's first field).
    static constexpr int kHelpContextView = help::kDv1Form;
    static constexpr int kEditCtrlId = 149;

    // profile may be null (the view then keeps its settings in memory); env as for the SAD view.
    CDV1_View(CDV1_Doc* doc, Profile* profile, SadViewEnvironment env, QWidget* parent = nullptr);
    ~CDV1_View() override;

    CDV1_Doc* GetDocument() const { return m_pDoc; }
    CKTWEditWindow_DV1* EditWindow() const { return m_pEdit; }
    CDv1Navigation& Nav() { return m_nav; }
    int ViewPage() const override { return m_nViewPage; }
    int CursorKind() const { return m_nCursorKind; }

    // Shows the load message of the document once (beep and message box).
    void OnInitialUpdate();
    // After the document's store was read anew while the view exists.
    void ReloadFromStore();
    void PrepareLayout();

    // Moves the keyboard to a field; page 0 is the page shown.
    void GoToField(int index, int page);
    // A click at a viewport point: a field gets the caret, a box of the front is ticked,
    // anything else beeps. Returns the field (>= 0), -2 for a box, -1 for nothing.
    int ClickAt(const QPoint& viewportPos);
    // The field or box under a viewport point (-1 for none).
    int FieldAt(const QPoint& viewportPos) const;
    int BoxAt(const QPoint& viewportPos) const;
    // Viewport rectangle of a field of the shown page or of a box (for tests and the marks).
    QRect FieldViewportRect(int index) const;
    QRect BoxViewportRect(int box) const;

    // F3: the calculation, then the fields that kept a text that is no amount are marked on the
    // form and named in the status bar.
    void Calculate();
    const std::vector<dv1::Dv1NotAnAmount>& NotAmounts() const { return m_notAmounts; }
    // The marks still shown: a field loses its mark when its text changes.
    std::vector<dv1::Dv1NotAnAmount> MarkedFields() const;

    bool OnCommand(int id);
    bool UpdateCommandUI(int id, CommandState& state) const;
    // Brings the view's window to the front with the keyboard in the edit window (after a dialog).
    void FocusBox();
    // The edited text into the store before a save or a print.
    void CommitEdit() { m_nav.Commit(); }

    // Document-wide undo, as in the SAD view: commands, clicks and box changes record into it.
    void SetUndo(CDocumentUndo* undo) { m_pUndo = undo; }
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
    QMenu* CreateContextMenu(int menuId, QWidget* parent) override;
    void NavigateFromEditor(bool forward) override;
    bool EditorCommand(int id) override;

signals:
    // pane 0: a message of the calculation; 1: "D.V.1 - Seite %d von %d"; 2: insert mode.
    void statusTextChanged(int pane, const QString& text);
    void modifiedChanged();
    void saveRequested();
    void printRequested();
    // "Kalibrierblatt..." in the margin sheet, with the margins as they stand there.
    void calibrationRequested(const std::vector<tarvex::PrintOrigin>& origins);

protected:
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* e) override;
    // Over a box whose text does not fit: a tool tip says so.
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void ZoomChanged() override;

private:
    CDocumentUndo* m_pUndo = nullptr;

    // IDv1EditHost
    void SetViewPage(int page) override;
    void LoadPageRects() override;
    void FocusEditWindow() override;
    void EnsureVisible() override;
    void SetHelpContext(int context) override;
    void Redraw() override;
    void Beep() override;
    void ShowMessage(const std::u16string& text) override;

    QPoint ZoomedFormPoint(const QPoint& viewportPos) const;
    QRect ZoomedToViewport(int left, int top, int right, int bottom) const;

    CDV1_Doc* m_pDoc;
    SadViewEnvironment m_env;
    CKTWEditWindow_DV1* m_pEdit = nullptr;
    std::unique_ptr<CDv1PageRenderer> m_renderer;
    CDv1Navigation m_nav;
    QColor m_crEditText;
    int m_nViewPage = 1;
    int m_nCursorKind = 0;
    bool m_bOpenNoteShown = false;
    bool m_bLoadMessageShown = false;
    double m_layoutDpi = 0;
    std::vector<dv1::Dv1NotAnAmount> m_notAmounts;
    // Whether pane 0 shows the question hint (it goes again when the caret leaves the field).
    bool m_bQuestionHintShown = false;
};

}  // namespace tarvex
