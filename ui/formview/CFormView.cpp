#include "ui/formview/CFormView.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

#include "core/app/ShellCommands.h"
#include "core/common/ShellStrings.h"
#include "core/formview/FieldStore.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/formview/EditTextColour.h"
#include "ui/formview/CommandMenu.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/formview/FieldFormatCommands.h"

namespace tarvex {
namespace {

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
                if (auto* view = qobject_cast<CFormView*>(edit->parentWidget()->parentWidget()))
                    m_last = view;
        } else if (e->type() == QEvent::Hide) {
            auto* dialog = qobject_cast<QDialog*>(o);
            QPointer<CFormView> view = m_last;
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
    QPointer<CFormView> m_last;
};

}  // namespace

CFormView::CFormView(Profile* profile, FormViewEnvironment env, const FormViewTraits& traits, QWidget* parent)
    : CKTWScrollViewBase(profile, env.screen, parent), m_env(std::move(env)), m_traits(traits) {
    if (!m_env.beep) m_env.beep = [] { QApplication::beep(); };
    if (!m_env.message)
        m_env.message = [this](const QString& text) {
            QMessageBox::warning(this, QString::fromUtf16(shellstr::kAppTitle), text);
        };
    SetProfileSection(QString::fromLatin1(m_traits.print->section));
    InitZoom();
    m_editTextColour = tarvex::EditTextColour(GetProfile(), m_traits.print->section);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FocusReturn::Install();
}

CFormView::~CFormView() = default;

void CFormView::FocusBox() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    window()->activateWindow();
    if (m_pFormEdit->HasWindow() && m_pFormEdit->isVisible()) m_pFormEdit->setFocus(Qt::OtherFocusReason);
}

void CFormView::UpdateStatusText() {
    emit statusTextChanged(2, StatusInsertText());
    emit statusTextChanged(1, StatusPageText());
    StatusTextUpdated();
}

void CFormView::WheelFromEditor(QWheelEvent* event) {
    wheelEvent(event);
}

void CFormView::SetDocumentModified() {
    MarkDocumentModified();
    emit modifiedChanged();
}

UndoPosition CFormView::Position() const {
    return {m_nCurrentPage, Store().GetCurrentField()};
}

void CFormView::RestoreState(const DocState& state, const UndoPosition& position) {
    CFieldStore& store = Store();
    // Without its window the store takes the state as it is: the window still shows the text of
    // the box it was on, which must not be written back into the restored document.
    IEditWindow* window = store.Window();
    store.AttachWindow(nullptr);
    RestoreDocument(state);
    const int page = std::clamp(position.page, 1, store.GetPageCount());
    if (store.ActivateField(position.field, page) < 0) store.ActivateField(0, page);
    store.AttachWindow(window);
    m_nCurrentPage = page;
    if (window) window->ShowField(store.GetCurrentField(), store.GetCurrentPage());
    viewport()->update();
    UpdateStatusText();
}

void CFormView::scrollContentsBy(int, int) {
    m_pFormEdit->FollowScroll();
    viewport()->update();
}

bool CFormView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        if (OverflowingFieldAt(help->pos() + DeviceScrollPosition()) >= 0)
            QToolTip::showText(help->globalPos(), QString::fromUtf16(sadstr::kTipOverflow), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return CKTWScrollViewBase::viewportEvent(e);
}

void CFormView::mouseMoveEvent(QMouseEvent* e) {
    m_nCursorKind = ClickableAt(e->position().toPoint()) ? 2 : 0;
    viewport()->setCursor(m_nCursorKind == 2 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (m_nCursorKind == 0) CKTWScrollViewBase::mouseMoveEvent(e);
}

void CFormView::ZoomChanged() {
    PrepareLayout();
    viewport()->update();
}

void CFormView::RunMarginSheet() {
    FormViewEnvironment& env = m_env;
    const int saved = env.helpContext ? env.helpContext() : 0;
    if (env.setHelpContext) env.setHelpContext(Common_DlgMargin02::kHelpContext);
    Common_DlgMargin02::RunMarginCommand(
        GetProfile(), *m_traits.print, env.language ? env.language() : 0, this,
        [&env] {
            if (env.showHelp)
                env.showHelp(env.helpContext ? env.helpContext() : Common_DlgMargin02::kHelpContext);
        },
        [this](const CMarginSheetModel& m) { emit calibrationRequested(MarginSheetOrigins(m)); });
    if (env.setHelpContext) env.setHelpContext(saved);
    // The sheet is modal: afterwards the clerk types on in the box, in a document window too.
    FocusBox();
}

bool CFormView::OnCommand(int id) {
    // Every command that changes the document becomes one undo step (undo and redo move on the
    // stack themselves).
    CUndoScope scope(id == cmd::kUndo || id == cmd::kRedo ? nullptr : m_pUndo);
    if (FormCommand(id)) return true;
    CFieldStore& store = Store();
    CKtwEditWindow& edit = *m_pFormEdit;
    auto changed = [this] {
        SetDocumentModified();
        viewport()->update();
    };
    // The formatting commands act on the box with the caret.
    if (RunFieldFormatCommand(store, id)) {
        changed();
        return true;
    }
    switch (id) {
        case cmd::kPrint:
            emit printRequested();
            return true;
        case cmd::kMargins:
            RunMarginSheet();
            return true;
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
            // The whole text, the caret at its end and in sight, where typing goes on.
            QTextCursor c = edit.textCursor();
            c.select(QTextCursor::Document);
            edit.setTextCursor(c);
            edit.ensureCursorVisible();
            return true;
        }
        case cmd::kInsertMode:
            store.SetInsertMode(!store.GetInsertMode());
            UpdateStatusText();
            return true;
        case cmd::kSave:
            CommitEdit();
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

bool CFormView::EditorCommand(int id) {
    CommandState state;
    if (UpdateCommandUI(id, state) && !state.enabled) return true;
    return OnCommand(id);
}

bool CFormView::UpdateCommandUI(int id, CommandState& s) const {
    if (FormCommandState(id, s)) return true;
    s = CommandState();
    if (FieldFormatCommandState(Store(), id, true, s)) return true;
    switch (id) {
        case cmd::kPrint:
        case cmd::kMargins:
        case cmd::kCut:
        case cmd::kCopy:
        case cmd::kPaste:
        case cmd::kSelectAll:
        case cmd::kSave:
        case cmd::kNextField:
        case cmd::kPrevField:
            return true;
        case cmd::kUndo:
            s.enabled = m_pFormEdit->document()->isUndoAvailable() || (m_pUndo && m_pUndo->CanUndo());
            return true;
        case cmd::kRedo:
            s.enabled = m_pFormEdit->document()->isRedoAvailable() || (m_pUndo && m_pUndo->CanRedo());
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

QMenu* CFormView::CreateContextMenu(int menuId, QWidget* parent) {
    if (menuId != m_traits.contextMenu) return nullptr;
    return BuildCommandMenu(
        menuId, parent, [this](int id, CommandState& st) { UpdateCommandUI(id, st); },
        [this](int id) { OnCommand(id); });
}

}  // namespace tarvex
