#include "ui/dv1/CDV1_View.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/app/RecoverableDocument.h"
#include "core/app/ShellCommands.h"
#include "core/common/CommonStrings.h"
#include "core/common/ShellStrings.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/dv1/Dv1Labels.h"
#include "core/dv1/Dv1PrintForm.h"
#include "core/dv1/Dv1Strings.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/FormZoom.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#if __has_include("render/dv1/Dv1PageRenderer.h")
#include "render/dv1/Dv1PageRenderer.h"
#define TARVEX_DV1_RENDERER 1
#else
namespace tarvex {
class CDv1PageRenderer {};
}  // namespace tarvex
#endif
#include "ui/formview/CommandMenu.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/formview/FieldFormatCommands.h"

namespace tarvex {
namespace {

const QColor kEditBack(0xFF, 0xFF, 0xFF);

const FormViewTraits kDv1Traits{&kDv1PrintForm, kContextMenuEdit};

}  // namespace

CDV1_View::CDV1_View(CDV1_Doc* doc, Profile* profile, FormViewEnvironment env, QWidget* parent)
    : CFormViewOf(doc, profile, std::move(env), kDv1Traits, parent),
      m_renderer(std::make_unique<CDv1PageRenderer>()),
      m_nav(*doc, *this) {
    // A click on the form gives the view the focus, which it hands on to the edit window.
    setFocusPolicy(Qt::StrongFocus);

    m_pEdit = new CKTWEditWindow_DV1(m_pDoc->Store(), &GetProfile(), viewport());
    m_pEdit->CreateEditorEx(this, kEditCtrlId, kContextMenuEdit, Dpi(), std::max<int>(1, m_nZoom),
                            EditTextColour(), kEditBack);
    SetEditWindow(m_pEdit);
    SetHelpContext(kHelpContextView);
    PrepareLayout();
    m_pDoc->Store().ActivateField(0, 1);
    OnInitialUpdate();
}

CDV1_View::~CDV1_View() = default;

void CDV1_View::OnInitialUpdate() {
    SetScrollSizes();
    ScrollToLogical(0, 0);
    if (m_pDoc->m_nLoadMessage != 0 && !m_bLoadMessageShown) {
        m_bLoadMessageShown = true;
        m_env.beep();
        m_env.message(QString::fromStdU16String(FdvLoadMessageText(m_pDoc->m_nLoadMessage)));
    }
    viewport()->update();
}

void CDV1_View::ReloadFromStore() {
    // The store was filled anew: the window's text is stale and must not go back into it.
    CFieldStore& store = m_pDoc->Store();
    m_nCurrentPage = std::clamp(m_nCurrentPage, 1, store.GetPageCount());
    m_pEdit->SetWindowText(store.GetFieldText(store.GetCurrentField(), store.GetCurrentPage()));
    m_notAmounts.clear();
    LoadPageRects();
    GoToField(0, m_nCurrentPage);
    viewport()->update();
    UpdateStatusText();
}

void CDV1_View::PrepareLayout() {
    if (m_bLayoutValid) return;
    if (m_nZoom < kZoomMin) InitZoom();
    if (m_nZoom < 1) m_nZoom = kZoomMin;
    SetScrollSizes();
    m_layoutDpi = Dpi();
    m_renderer->Prepare(&GetProfile(), m_nZoom);
    CFieldStore& store = m_pDoc->Store();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    for (int i = 0; i < kDv1FrontFieldCount; ++i) {
        const Dv1Rect r = Dv1FieldRect(Dv1PageKind::Front, i);
        store.SetFieldRect1(i, FormRectToPixels(r.left, r.top, r.right, r.bottom, m_nZoom, dpi));
    }
    LoadPageRects();
    m_pEdit->CreateScreenFonts(Dpi(), m_nZoom);
    // The window moves to its field's new place.
    const int field = store.GetCurrentPage() == m_nCurrentPage ? store.GetCurrentField() : 0;
    if (store.ActivateField(field, m_nCurrentPage) != 0) store.ActivateField(0, m_nCurrentPage);
    SetLayoutValid();
}

void CDV1_View::LoadPageRects() {
    if (m_nCurrentPage <= 1) return;
    CFieldStore& store = m_pDoc->Store();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    const Dv1PageKind kind = Dv1PageKindOf(m_nCurrentPage);
    for (int i = 0; i < kDv1PageFieldCount; ++i) {
        const Dv1Rect r = Dv1FieldRect(kind, i);
        store.SetFieldRect2(i, FormRectToPixels(r.left, r.top, r.right, r.bottom, m_nZoom, dpi));
    }
}

QPoint CDV1_View::ZoomedFormPoint(const QPoint& pos) const {
    const QPoint scroll = DeviceScrollPosition();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    return {PixelsToZoomedForm(pos.x() + scroll.x(), dpi), PixelsToZoomedForm(pos.y() + scroll.y(), dpi)};
}

QRect CDV1_View::ZoomedToViewport(int left, int top, int right, int bottom) const {
    const int dpi = static_cast<int>(std::lround(Dpi()));
    // Already zoomed: zoom 10 keeps the values.
    const FieldRect r = FormRectToPixels(left, top, right, bottom, 10, dpi);
    const QPoint scroll = DeviceScrollPosition();
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).translated(-scroll);
}

QRect CDV1_View::FieldViewportRect(int index) const {
    const Dv1Rect r = Dv1ZoomedRect(Dv1PageKindOf(m_nCurrentPage), index, m_nZoom);
    return ZoomedToViewport(r.left, r.top, r.right, r.bottom);
}

QRect CDV1_View::BoxViewportRect(int box) const {
    const Dv1Rect r = Dv1BoxRectDown(box);
    return ZoomedToViewport(r.left * m_nZoom / 10, r.top * m_nZoom / 10, r.right * m_nZoom / 10,
                            r.bottom * m_nZoom / 10);
}

int CDV1_View::FieldAt(const QPoint& pos) const {
    const QPoint p = ZoomedFormPoint(pos);
    return Dv1FieldAt(m_nCurrentPage, p.x(), p.y(), m_nZoom);
}

int CDV1_View::BoxAt(const QPoint& pos) const {
    if (m_nCurrentPage != 1) return -1;
    const QPoint p = ZoomedFormPoint(pos);
    return Dv1BoxAt(p.x(), p.y(), m_nZoom);
}

void CDV1_View::paintEvent(QPaintEvent* e) {
    // A view built before its window was on a screen was laid out for another resolution.
    if (Dpi() != m_layoutDpi) InvalidateLayout();
    PrepareLayout();
    QPainter painter(viewport());
    std::vector<int> marked;
    for (const dv1::Dv1NotAnAmount& n : MarkedFields())
        if (n.page == m_nCurrentPage) marked.push_back(n.field);
    painter.save();
    PaintDv1Screen(painter, e->rect(), DeviceScrollPosition(), Dpi(), *m_renderer, *m_pDoc, m_nCurrentPage,
                   m_nZoom, EditTextColour(), marked);
    painter.restore();
    // The question that Alt+J / Alt+N answer has a dashed frame around its two boxes (screen only).
    if (const int row = m_nav.CurrentQuestion(); row >= 0 && m_nCurrentPage == 1) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            BoxViewportRect(2 * row).united(BoxViewportRect(2 * row + 1)).adjusted(-4, -4, 4, 4));
    }
}

std::vector<dv1::Dv1NotAnAmount> CDV1_View::MarkedFields() const {
    std::vector<dv1::Dv1NotAnAmount> marked;
    const CFieldStore& store = m_pDoc->Store();
    for (const dv1::Dv1NotAnAmount& n : m_notAmounts) {
        std::u16string text = store.GetFieldText(n.field, n.page);
        // The field with the caret shows what is being typed.
        if (n.field == store.GetCurrentField() && n.page == store.GetCurrentPage() && m_pEdit->HasWindow() &&
            m_pEdit->isVisible())
            text = m_pEdit->WindowText();
        if (text == n.text) marked.push_back(n);
    }
    return marked;
}

bool CDV1_View::event(QEvent* e) {
    // Tab and Shift+Tab move between the form's stops, not between widgets.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return CKTWScrollViewBase::event(e);
}

int CDV1_View::OverflowingFieldAt(const QPoint& device) const {
    const QPoint logical = CDv1PageRenderer::LogicalToDevice(Dpi()).inverted().map(device);
    return m_renderer->OverflowingFieldAt(m_pDoc->Store(), m_nCurrentPage, logical);
}

void CDV1_View::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        NavigateFromEditor(key == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier));
        return;
    }
    // Outside a main window the view's accelerators come here while the view has the keyboard.
    if (const int id = CKtwEditWindow::AcceleratorCommand(*e); id && EditorCommand(id)) return;
    CKTWScrollViewBase::keyPressEvent(e);
}

void CDV1_View::showEvent(QShowEvent* e) {
    CKTWScrollViewBase::showEvent(e);
    if (!m_bOpenNoteShown) {
        // The red frames of texts that are no amounts are not stored with the document: they
        // come back with the next calculation, and the clerk is told so when it opens.
        m_bOpenNoteShown = true;
        const std::vector<dv1::Dv1NotAnAmount> found = dv1::FindNotAmounts(
            *m_pDoc, settings::Get(GetProfile(), settings::kDV1Form, settings::kFlagDV1_11a));
        if (!found.empty())
            emit statusTextChanged(0, QString::fromStdString(dv1::NotAmountsOnOpenText(found)));
    }
    // Built before it had its window, the edit window shows its text in the window's font only
    // once it is shown itself: the field is shown again in its own font.
    CFieldStore& store = m_pDoc->Store();
    if (store.GetCurrentPage() == m_nCurrentPage)
        store.ActivateField(store.GetCurrentField(), m_nCurrentPage);
}

void CDV1_View::focusInEvent(QFocusEvent* e) {
    CKTWScrollViewBase::focusInEvent(e);
    UpdateStatusText();
    if (m_pEdit->HasWindow() && m_pEdit->isVisible()) m_pEdit->setFocus();
}

bool CDV1_View::ClickableAt(const QPoint& pos) const {
    return FieldAt(pos) >= 0 || BoxAt(pos) >= 0;
}

int CDV1_View::ClickAt(const QPoint& pos) {
    CUndoScope scope(m_pUndo);
    const int field = FieldAt(pos);
    if (field >= 0) {
        GoToField(field, m_nCurrentPage);
        return field;
    }
    if (const int box = BoxAt(pos); box >= 0) {
        m_nav.ClickBox(box);
        // The keyboard stays in the field being edited: a blank typed next is text, not a tick.
        FocusEditWindow();
        return -2;
    }
    m_env.beep();
    return -1;
}

void CDV1_View::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || ClickAt(e->position().toPoint()) == -1)
        CKTWScrollViewBase::mousePressEvent(e);
}

void CDV1_View::GoToField(int index, int page) {
    CUndoScope scope(m_pUndo);
    m_nav.GoToField(index, page == 0 ? m_nCurrentPage : page);
    viewport()->update();
}

void CDV1_View::NavigateFromEditor(bool forward) {
    CUndoScope scope(m_pUndo);
    forward ? m_nav.NextInputField() : m_nav.PreviousInputField();
    viewport()->update();
}

void CDV1_View::Calculate() {
    m_notAmounts = m_nav.Calculate(GetProfile());
    QString text;
    if (m_notAmounts.empty()) {
        text = QString::fromStdString(
            commonstr::Args(dv1str::kCalculationDone, {std::to_string(m_pDoc->Store().GetPageCount())}));
    } else {
        text = QString::fromStdString(dv1::NotAmountsStatusText(m_notAmounts));
    }
    emit statusTextChanged(0, text);
    viewport()->update();
}

QString CDV1_View::StatusPageText() const {
    return QString::fromStdU16String(m_nav.StatusPageText());
}

QString CDV1_View::StatusInsertText() const {
    return QString::fromStdU16String(m_nav.StatusInsertText());
}

void CDV1_View::StatusTextUpdated() {
    const std::u16string hint = m_nav.StatusQuestionText();
    if (!hint.empty() || m_bQuestionHintShown) {
        emit statusTextChanged(
            0, hint.empty() ? QString::fromUtf16(shellstr::kReady57345) : QString::fromStdU16String(hint));
        m_bQuestionHintShown = !hint.empty();
    }
    viewport()->update();
}

// --- IDv1EditHost

void CDV1_View::SetViewPage(int page) {
    m_nCurrentPage = page;
    viewport()->update();
}

void CDV1_View::FocusEditWindow() {
    if (!m_pEdit->HasWindow()) return;
    m_pEdit->show();
    m_pEdit->setFocus(Qt::OtherFocusReason);
}

void CDV1_View::EnsureVisible() {
    m_pDoc->Store().CatchUpWindow();
    m_pEdit->EnsureVisible();
}

void CDV1_View::SetHelpContext(int context) {
    if (m_env.setHelpContext) m_env.setHelpContext(context);
}

void CDV1_View::Redraw() {
    viewport()->update();
}

void CDV1_View::Beep() {
    m_env.beep();
}

void CDV1_View::ShowMessage(const std::u16string& text) {
    m_env.message(QString::fromStdU16String(text));
}

// --- commands

bool CDV1_View::FormCommand(int id) {
    // A page change stores the field being left and enters the new page: the edit window moves
    // once, to where it ends.
    std::optional<CWindowDeferral> pageChange;
    if (id == cmd::kNextPage || id == cmd::kPrevPage || id == cmd::kFirstPage || id == cmd::kLastPage)
        pageChange.emplace(m_pDoc->Store());
    switch (id) {
        case cmd::kNextPage:
            m_nav.NextPage();
            return true;
        case cmd::kPrevPage:
            m_nav.PreviousPage();
            return true;
        case cmd::kFirstPage:
            if (m_nav.CanGoToPreviousPage()) m_nav.FirstPage();
            return true;
        case cmd::kLastPage:
            if (m_nav.CanGoToNextPage()) m_nav.LastPage();
            return true;
        case cmd::kAddPage:
            m_nav.AddPage();
            return true;
        case cmd::kDv1Calculate:
            Calculate();
            return true;
        case cmd::kDv1Hidden:
            CDv1Navigation::ToggleFlag11a(GetProfile());
            return true;
        case cmd::kDv1AnswerYes:
        case cmd::kDv1AnswerNo:
            if (!m_nav.AnswerQuestion(id == cmd::kDv1AnswerYes)) m_env.beep();
            return true;
        case cmd::kDv1NextQuestion:
            if (!m_nav.NextQuestion()) m_env.beep();
            return true;
        case cmd::kInsertDefaults:
            return true;
        default:
            return false;
    }
}

bool CDV1_View::FormCommandState(int id, CommandState& s) const {
    s = CommandState();
    switch (id) {
        case cmd::kAddPage:
        case cmd::kDv1Calculate:
        case cmd::kDv1Hidden:
            return true;
        case cmd::kInsertDefaults:
            s.enabled = false;
            return true;
        case cmd::kDv1AnswerYes:
        case cmd::kDv1AnswerNo:
        case cmd::kDv1NextQuestion:
            s.enabled = m_nav.CurrentQuestion() >= 0;
            return true;
        case cmd::kNextPage:
        case cmd::kLastPage:
            s.enabled = m_nCurrentPage < m_pDoc->Store().GetPageCount();
            return true;
        case cmd::kPrevPage:
        case cmd::kFirstPage:
            s.enabled = m_nCurrentPage >= 2;
            return true;
        default:
            return false;
    }
}

}  // namespace tarvex
