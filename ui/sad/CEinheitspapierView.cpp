#include "ui/sad/CEinheitspapierView.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/app/Profile.h"
#include "core/app/RecoverableDocument.h"
#include "core/app/SettingsKeys.h"
#include "core/app/ShellCommands.h"
#include "core/app/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadEditStrings.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadFormDefaults.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadStrings.h"
#include "render/formview/EditTextColour.h"
#include "render/sad/SadPageSetup.h"
#include "ui/formview/CommandMenu.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/formview/FieldFormatCommands.h"
#include "ui/sad/SadViewInput.h"

namespace tarvex {
namespace {

const char* const kSection = settings::kEHForm;
const QColor kEditBack(0xDE, 0xFF, 0xD1);  // 0xD1FFDE as 0x00BBGGRR

constexpr char kFocusReturnName[] = "tarvex-focus-return";

// Takes the keyboard back into the box when a dialog closes. Without a window manager nothing
// activates the form window again, and the clerk's next keys would go nowhere.
class FocusReturn : public QObject {
public:
    // Once per application object: the filter watches every widget. It is the application's child,
    // so it goes with the application and is found there again by the next view.
    static void Install() {
        const QString name = QString::fromLatin1(kFocusReturnName);
        if (qApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) return;
        auto* filter = new FocusReturn;
        filter->setObjectName(name);
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            if (auto* edit = qobject_cast<CKtwEditWindow*>(o); edit && edit->parentWidget())
                if (auto* view = qobject_cast<CEinheitspapierView*>(edit->parentWidget()->parentWidget()))
                    m_last = view;
        } else if (e->type() == QEvent::Hide) {
            auto* dialog = qobject_cast<QDialog*>(o);
            QPointer<CEinheitspapierView> view = m_last;
            // In a document window the main frame gives the keyboard to the window in front.
            if (dialog && dialog->isWindow() && view && !qobject_cast<QMdiSubWindow*>(view->parentWidget()) &&
                dialog->parentWidget() && dialog->parentWidget()->window() == view->window()) {
                QTimer::singleShot(0, view, [view] {
                    // A dialog opened from a dialog hands the keyboard back to its own parent.
                    if (view && !QApplication::activeModalWidget() && !QApplication::activePopupWidget())
                        view->FocusBox();
                });
            }
        }
        return false;
    }

private:
    QPointer<CEinheitspapierView> m_last;
};

}  // namespace

CEinheitspapierView::CEinheitspapierView(CEinheitspapierDoc* doc, SadViewEnvironment env,
                                         const CFieldDefinitions& definitions, QWidget* parent)
    : CKTWScrollViewBase(doc ? doc->GetProfile() : nullptr, parent),
      m_pDoc(doc),
      m_env(std::move(env)),
      m_definitions(definitions) {
    if (!m_env.currentVariant) {
        m_env.currentVariant = [this] { return m_nOwnVariant; };
        m_env.setCurrentVariant = [this](int v) { m_nOwnVariant = v; };
    }
    if (!m_env.beep) m_env.beep = [] { QApplication::beep(); };
    if (!m_env.message)
        m_env.message = [this](const QString& text) {
            QMessageBox::warning(this, QString::fromUtf16(shellstr::kAppTitle), text);
        };
    SetProfileSection(QString::fromLatin1(kSection));
    InitZoom();
    Profile& p = GetProfile();
    m_editTextColour = EditTextColour(p, kSection);
    m_renderer.Prepare(&p, std::max<int>(1, m_nZoom));
    ReadDisplaySettings();
    m_nCurrentPage = 1;
    m_nCursorKind = 0;
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_pEdit = new CKTWEditWindow_EHP(m_pDoc->Store(), &p, viewport());
    m_pEdit->CreateEditorEx(this, 120, 132, Dpi(), std::max<int>(1, m_nZoom), m_editTextColour, kEditBack);
    CSadViewInput::Hooks hooks;
    hooks.setCurrentPage = [this](int page) {
        m_nCurrentPage = page;
        viewport()->update();
    };
    hooks.setHelpContext = [this](int context) {
        if (m_env.setHelpContext) m_env.setHelpContext(context);
    };
    hooks.showHelp = [this](int context) {
        if (m_env.showHelp) m_env.showHelp(context);
    };
    hooks.helpContext = [this] { return m_env.helpContext ? m_env.helpContext() : 0; };
    hooks.dataFolder = [this] { return m_env.dataFolder ? m_env.dataFolder() : QString(); };
    m_input = std::make_unique<CSadViewInput>(*this, m_definitions, std::move(hooks));
    ApplyFirstPaintAlignments(m_pDoc->Store());
    OnInitialUpdate();
    FocusReturn::Install();
    if (auto& set = m_env.setHelpContext) set(kHelpContextView);
}

void CEinheitspapierView::FocusBox() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    window()->activateWindow();
    if (m_pEdit->HasWindow() && m_pEdit->isVisible()) m_pEdit->setFocus(Qt::OtherFocusReason);
}

CEinheitspapierView::~CEinheitspapierView() = default;

void CEinheitspapierView::OnInitialUpdate() {
    SetScrollSizes();
    ScrollToLogical(0, 0);
    SadViewEnvironment& env = m_env;
    const SadInitialUpdate init =
        InitialiseSadDocument(*m_pDoc, GetProfile(), m_definitions, env.currentVariant());
    if (!init.loadMessage.empty()) {
        env.beep();
        env.message(QString::fromStdU16String(init.loadMessage));
    }
    if (init.exportFile) env.message(QString::fromUtf16(sadstr::kExportFile));
    PrepareLayout();
    viewport()->update();
}

SadRect CEinheitspapierView::GetFieldRect(int field, int page) const {
    return SadZoomedRect(page <= 1 ? SadSheet::First : SadSheet::Continuation, field, m_nZoom);
}

SadRect CEinheitspapierView::GetPrintRect(int field, int page) const {
    return SadPrintRectAt(page == 1 ? SadSheet::First : SadSheet::Continuation, field, m_printOffsetX,
                          m_printOffsetY);
}

void CEinheitspapierView::StoreFieldRects() {
    CFieldStore& store = m_pDoc->Store();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    for (int i = 0; i < store.GetFieldCount1() && i < kSadFirstFieldCount; ++i) {
        const SadRect r = SadScreenRect(SadSheet::First, i);
        store.SetFieldRect1(i, FormRectToPixels(r.left, r.top, r.right, r.bottom, m_nZoom, dpi));
    }
    for (int i = 0; i < store.GetFieldCount2() && i < kSadContinuationFieldCount; ++i) {
        const SadRect r = SadScreenRect(SadSheet::Continuation, i);
        store.SetFieldRect2(i, FormRectToPixels(r.left, r.top, r.right, r.bottom, m_nZoom, dpi));
    }
}

void CEinheitspapierView::PrepareLayout() {
    if (m_bLayoutValid) return;
    if (m_nZoom < kZoomMin) InitZoom();
    // A scale override can bring the level to zero, which would draw nothing at all.
    if (m_nZoom < 1) m_nZoom = kZoomMin;
    SetScrollSizes();
    m_renderer.Prepare(&GetProfile(), m_nZoom);
    StoreFieldRects();
    m_pEdit->CreateScreenFonts(Dpi(), m_nZoom);
    CFieldStore& store = m_pDoc->Store();
    const int field = store.GetCurrentPage() == m_nCurrentPage ? store.GetCurrentField() : 0;
    if (store.ActivateField(field, m_nCurrentPage) != 0) store.ActivateField(0, m_nCurrentPage);
    SetLayoutValid();
}

void CEinheitspapierView::ReloadFromStore() {
    // The store was filled anew (a file read): the window's text is stale and must not be
    // copied back into the store by the next activation.
    CFieldStore& store = m_pDoc->Store();
    m_nCurrentPage = std::clamp(m_nCurrentPage, 1, store.GetPageCount());
    m_pEdit->SetWindowText(store.GetFieldText(store.GetCurrentField(), store.GetCurrentPage()));
    ApplyFirstPaintAlignments(store);
    store.ActivateField(0, m_nCurrentPage);
    viewport()->update();
    UpdateStatusText();
}

void CEinheitspapierView::ZoomChanged() {
    PrepareLayout();
    viewport()->update();
}

void CEinheitspapierView::ReadDisplaySettings() {
    m_displayOptions = SadRenderOptionsFromSettings(GetProfile(), *m_pDoc, &m_definitions, m_nZoom);
    viewport()->update();
}

void CEinheitspapierView::ApplyFormDefaults(bool stampA, bool stampC) {
    ApplyStampSwitches(m_definitions, stampA, stampC);
    ReadDisplaySettings();
}

SadRenderOptions CEinheitspapierView::RenderOptions() const {
    // The document's own values and the zoom can change from one paint to the next.
    SadRenderOptions o = m_displayOptions;
    ApplySadDocumentOptions(o, *m_pDoc, m_nZoom);
    return o;
}

bool CEinheitspapierView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        // Over a box whose text does not fit: say so.
        auto* help = static_cast<QHelpEvent*>(e);
        const QPoint device = help->pos() + DeviceScrollPosition();
        const QPoint logical = CSadPageRenderer::LogicalToDevice(Dpi()).inverted().map(device);
        if (m_renderer.OverflowingFieldAt(m_pDoc->Store(), m_nCurrentPage, RenderOptions(), logical) >= 0)
            QToolTip::showText(help->globalPos(), QString::fromUtf16(sadstr::kTipOverflow), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return CKTWScrollViewBase::viewportEvent(e);
}

void CEinheitspapierView::paintEvent(QPaintEvent* e) {
    PrepareLayout();
    QPainter painter(viewport());
    PaintSadScreen(painter, e->rect(), DeviceScrollPosition(), Dpi(), m_renderer, m_pDoc->Store(),
                   m_nCurrentPage, RenderOptions());
}

void CEinheitspapierView::scrollContentsBy(int, int) {
    m_pEdit->FollowScroll();
    viewport()->update();
}

void CEinheitspapierView::focusInEvent(QFocusEvent* e) {
    CKTWScrollViewBase::focusInEvent(e);
    UpdateStatusText();
    // Outside a document window (tests, a view on its own) the view itself keeps the current
    // variant; inside one the shell takes it from the window that comes to the front, because a
    // window also gets the focus back for a moment while another one opens.
    if (!qobject_cast<QMdiSubWindow*>(parentWidget())) m_env.setCurrentVariant(m_pDoc->m_nFormVariant);
    if (m_pEdit->HasWindow()) m_pEdit->setFocus();
}

int CEinheitspapierView::HitTest(const QPoint& pos) const {
    const QPoint scroll = DeviceScrollPosition();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    const int x = PixelsToZoomedForm(pos.x() + scroll.x(), dpi);
    const int y = PixelsToZoomedForm(pos.y() + scroll.y(), dpi);
    return SadHitTest(SheetOfPage(m_nCurrentPage), x, y, m_nZoom, &m_definitions, m_pDoc->m_nFormVariant);
}

void CEinheitspapierView::mouseMoveEvent(QMouseEvent* e) {
    m_nCursorKind = HitTest(e->position().toPoint()) >= 0 ? 2 : 0;
    viewport()->setCursor(m_nCursorKind == 2 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (m_nCursorKind == 0) CKTWScrollViewBase::mouseMoveEvent(e);
}

void CEinheitspapierView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        CKTWScrollViewBase::mousePressEvent(e);
        return;
    }
    const int field = HitTest(e->position().toPoint());
    if (field >= 0) {
        GoToField(field, m_nCurrentPage);
        return;
    }
    m_env.beep();
    CKTWScrollViewBase::mousePressEvent(e);
}

void CEinheitspapierView::GoToField(int field, int page) {
    CUndoScope scope(m_pUndo);
    if (page == 0) page = m_nCurrentPage;
    m_input->GoToField(field, page);
    viewport()->update();
}

void CEinheitspapierView::ShowPage(int page) {
    CFieldStore& store = m_pDoc->Store();
    if (page < 1 || page > store.GetPageCount()) return;
    store.ActivateField(store.GetCurrentField(), 0);
    m_nCurrentPage = page;
    store.ActivateField(0, page);
    viewport()->update();
    UpdateStatusText();
}

void CEinheitspapierView::NavigateFromEditor(bool forward) {
    CUndoScope scope(m_pUndo);
    m_input->Navigate(forward);
    viewport()->update();
}

QString CEinheitspapierView::StatusPageText() const {
    const CFieldStore& store = m_pDoc->Store();
    return QString::fromUtf16(sadeditstr::kStatusPage).arg(store.GetCurrentPage()).arg(store.GetPageCount());
}

QString CEinheitspapierView::StatusInsertText() const {
    return m_pDoc->Store().GetInsertMode() ? QString::fromUtf16(sadeditstr::kStatusInsert)
                                           : QString::fromUtf16(sadeditstr::kStatusOverwrite);
}

void CEinheitspapierView::UpdateStatusText() {
    emit statusTextChanged(2, StatusInsertText());
    emit statusTextChanged(1, StatusPageText());
}

void CEinheitspapierView::WheelFromEditor(QWheelEvent* event) {
    wheelEvent(event);
}

void CEinheitspapierView::SetDocumentModified() {
    m_pDoc->SetModifiedFlag(true);
    emit modifiedChanged();
}

UndoPosition CEinheitspapierView::Position() const {
    return {m_nCurrentPage, m_pDoc->Store().GetCurrentField()};
}

void CEinheitspapierView::RestoreState(const DocState& state, const UndoPosition& position) {
    CFieldStore& store = m_pDoc->Store();
    // Without its window the store takes the state as it is: the window still shows the text of
    // the box it was on, which must not be written back into the restored document.
    IEditWindow* window = store.Window();
    store.AttachWindow(nullptr);
    RestoreDocState(*m_pDoc, state);
    const int page = std::clamp(position.page, 1, store.GetPageCount());
    if (store.ActivateField(position.field, page) < 0) store.ActivateField(0, page);
    store.AttachWindow(window);
    m_nCurrentPage = page;
    if (window) window->ShowField(store.GetCurrentField(), store.GetCurrentPage());
    viewport()->update();
    UpdateStatusText();
}

bool CEinheitspapierView::OnCommand(int id) {
    // Every command that changes the document becomes one undo step (undo and redo move on the
    // stack themselves).
    CUndoScope scope(id == cmd::kUndo || id == cmd::kRedo ? nullptr : m_pUndo);
    if (m_input->OnCommand(id)) {
        viewport()->update();
        return true;
    }
    switch (id) {
        case cmd::kPrint:
            emit printRequested();
            return true;
        case cmd::kMargins: {
            SadViewEnvironment& env = m_env;
            const int saved = env.helpContext ? env.helpContext() : 0;
            if (env.setHelpContext) env.setHelpContext(Common_DlgMargin02::kHelpContext);
            Common_DlgMargin02::RunMarginCommand(
                GetProfile(), 0, env.language ? env.language() : 0, this,
                [&env] {
                    if (env.showHelp)
                        env.showHelp(env.helpContext ? env.helpContext() : Common_DlgMargin02::kHelpContext);
                },
                [this](const CMarginSheetModel& m) { emit calibrationRequested(MarginSheetOrigins(m)); });
            if (env.setHelpContext) env.setHelpContext(saved);
            return true;
        }
        default:
            break;
    }
    CFieldStore& store = m_pDoc->Store();
    CKtwEditWindow& edit = *m_pEdit;
    auto changed = [this] {
        SetDocumentModified();
        viewport()->update();
    };
    if (RunFieldFormatCommand(store, id)) {
        changed();
        return true;
    }
    switch (id) {
        case cmd::kUndo:
            // Typing in the open box is undone first, then the document's steps.
            if (edit.document()->isUndoAvailable())
                edit.undo();
            else if (m_pUndo)
                m_pUndo->Undo();
            return true;
        case cmd::kRedo:
            if (edit.document()->isRedoAvailable())
                edit.redo();
            else if (m_pUndo)
                m_pUndo->Redo();
            return true;
        case cmd::kCut:
            edit.cut();
            changed();
            return true;
        case cmd::kCopy:
            edit.copy();
            return true;
        case cmd::kPaste:
            edit.PasteText();
            changed();
            return true;
        case cmd::kSelectAll: {
            QTextCursor c = edit.textCursor();
            c.setPosition(0);
            c.setPosition(std::min(65535, edit.document()->characterCount() - 1), QTextCursor::KeepAnchor);
            edit.setTextCursor(c);
            edit.ensureCursorVisible();
            return true;
        }
        case cmd::kInsertMode:
            store.SetInsertMode(!store.GetInsertMode());
            UpdateStatusText();
            return true;
        case cmd::kSave:
            store.ActivateField(store.GetCurrentField(), 0);
            emit saveRequested();
            return true;
        case cmd::kZoomIn:
            OnZoomIn();
            return true;
        case cmd::kZoomOut:
            OnZoomOut();
            return true;
        case cmd::kNextField:
            NavigateFromEditor(true);
            return true;
        case cmd::kPrevField:
            NavigateFromEditor(false);
            return true;
        default:
            return false;
    }
}

bool CEinheitspapierView::EditorCommand(int id) {
    CommandState state;
    if (UpdateCommandUI(id, state) && !state.enabled) return true;
    return OnCommand(id);
}

bool CEinheitspapierView::UpdateCommandUI(int id, CommandState& s) const {
    if (m_input->UpdateCommandUI(id, s)) return true;
    const CFieldStore& store = m_pDoc->Store();
    s = CommandState();
    if (FieldFormatCommandState(store, id, true, s)) return true;
    switch (id) {
        case cmd::kPrint:
        case cmd::kMargins:
            return true;
        case cmd::kUndo:
            s.enabled = m_pEdit->document()->isUndoAvailable() || (m_pUndo && m_pUndo->CanUndo());
            return true;
        case cmd::kRedo:
            s.enabled = m_pEdit->document()->isRedoAvailable() || (m_pUndo && m_pUndo->CanRedo());
            return true;
        case cmd::kCut:
        case cmd::kCopy:
        case cmd::kPaste:
        case cmd::kSelectAll:
        case cmd::kSave:
        case cmd::kNextField:
        case cmd::kPrevField:
            return true;
        case cmd::kZoomIn:
            s.enabled = CanZoomIn();
            return true;
        case cmd::kZoomOut:
            s.enabled = CanZoomOut();
            return true;
        default:
            return false;
    }
}

QMenu* CEinheitspapierView::CreateContextMenu(int menuId, QWidget* parent) {
    if (menuId != kContextMenuSad) return nullptr;
    return BuildCommandMenu(
        menuId, parent, [this](int id, CommandState& st) { UpdateCommandUI(id, st); },
        [this](int id) { OnCommand(id); });
}

}  // namespace tarvex
