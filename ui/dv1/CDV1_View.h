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
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Navigation.h"
#include "ui/formview/CFormView.h"
#include "ui/formview/CKtwEditWindow.h"

class QMenu;

namespace tarvex {

class CDv1PageRenderer;

class CDV1_View : public CFormViewOf<CDV1_Doc>, private IDv1EditHost {
    Q_OBJECT
public:
    // The help context while the view is built (the front's first field).
    static constexpr int kHelpContextView = help::kDv1Form;
    static constexpr int kEditCtrlId = 149;

    // profile may be null (the view then keeps its settings in memory); env as for the SAD view.
    CDV1_View(CDV1_Doc* doc, Profile* profile, FormViewEnvironment env, QWidget* parent = nullptr);
    ~CDV1_View() override;

    CKTWEditWindow_DV1* EditWindow() const { return m_pEdit; }
    CDv1Navigation& Nav() { return m_nav; }
    int ViewPage() const override { return m_nCurrentPage; }

    // Shows the load message of the document once (beep and message box).
    void OnInitialUpdate();
    // After the document's store was read anew while the view exists.
    void ReloadFromStore();
    void PrepareLayout() override;

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

    // The edited text into the store before a save or a print.
    void CommitEdit() override { m_nav.Commit(); }

    QString StatusPageText() const override;
    QString StatusInsertText() const override;

    // IFormViewOwner
    void NavigateFromEditor(bool forward) override;
    // The navigation asks for these too: the shared ones.
    void UpdateStatusText() override { CFormView::UpdateStatusText(); }
    void SetDocumentModified() override { CFormView::SetDocumentModified(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

    // CFormView
    bool FormCommand(int id) override;
    bool FormCommandState(int id, CommandState& state) const override;
    // In the details field of questions 7 to 9 pane 0 says how their boxes are ticked.
    void StatusTextUpdated() override;
    bool ClickableAt(const QPoint& viewportPos) const override;
    int OverflowingFieldAt(const QPoint& device) const override;

private:
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

    CKTWEditWindow_DV1* m_pEdit = nullptr;
    std::unique_ptr<CDv1PageRenderer> m_renderer;
    CDv1Navigation m_nav;
    bool m_bOpenNoteShown = false;
    bool m_bLoadMessageShown = false;
    double m_layoutDpi = 0;
    std::vector<dv1::Dv1NotAnAmount> m_notAmounts;
    // Whether pane 0 shows the question hint (it goes again when the caret leaves the field).
    bool m_bQuestionHintShown = false;
};

}  // namespace tarvex
