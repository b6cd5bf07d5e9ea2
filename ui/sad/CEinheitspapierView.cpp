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

#include "core/app/RecoverableDocument.h"
#include "core/app/ShellCommands.h"
#include "core/common/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadEditStrings.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadFormDefaults.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadPrintForm.h"
#include "core/sad/SadStrings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/sad/SadPageSetup.h"
#include "ui/formview/CommandMenu.h"
#include "ui/formview/Common_DlgMargin02.h"
#include "ui/formview/FieldFormatCommands.h"
#include "ui/sad/SadViewInput.h"

namespace tarvex {
namespace {

const QColor kEditBack(0xDE, 0xFF, 0xD1);  // 0xD1FFDE as 0x00BBGGRR

const FormViewTraits kSadTraits{&kSadPrintForm, kContextMenuSad};

}  // namespace

CEinheitspapierView::CEinheitspapierView(CEinheitspapierDoc* doc, SadViewEnvironment env,
                                         const CFieldDefinitions& definitions, QWidget* parent)
    : CFormViewOf(doc, doc ? doc->GetProfile() : nullptr, std::move(env), kSadTraits, parent),
      m_definitions(definitions) {
    if (!m_env.currentVariant) {
        m_env.currentVariant = [this] { return m_nOwnVariant; };
        m_env.setCurrentVariant = [this](int v) { m_nOwnVariant = v; };
    }
    Profile& p = GetProfile();
    m_renderer.Prepare(&p, std::max<int>(1, m_nZoom));
    ReadDisplaySettings();

    m_pEdit = new CKTWEditWindow_EHP(m_pDoc->Store(), &p, viewport());
    m_pEdit->CreateEditorEx(this, 120, kContextMenuSad, Dpi(), std::max<int>(1, m_nZoom), EditTextColour(),
                            kEditBack);
    SetEditWindow(m_pEdit);
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
    if (auto& set = m_env.setHelpContext) set(kHelpContextView);
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

int CEinheitspapierView::OverflowingFieldAt(const QPoint& device) const {
    const QPoint logical = CSadPageRenderer::LogicalToDevice(Dpi()).inverted().map(device);
    return m_renderer.OverflowingFieldAt(m_pDoc->Store(), m_nCurrentPage, RenderOptions(), logical);
}

void CEinheitspapierView::paintEvent(QPaintEvent* e) {
    PrepareLayout();
    QPainter painter(viewport());
    PaintSadScreen(painter, e->rect(), DeviceScrollPosition(), Dpi(), m_renderer, m_pDoc->Store(),
                   m_nCurrentPage, RenderOptions());
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

bool CEinheitspapierView::ClickableAt(const QPoint& pos) const {
    return HitTest(pos) >= 0;
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

void CEinheitspapierView::CommitEdit() {
    CFieldStore& store = m_pDoc->Store();
    store.ActivateField(store.GetCurrentField(), 0);
}

bool CEinheitspapierView::FormCommand(int id) {
    if (!m_input->OnCommand(id)) return false;
    viewport()->update();
    return true;
}

bool CEinheitspapierView::FormCommandState(int id, CommandState& state) const {
    return m_input->UpdateCommandUI(id, state);
}

}  // namespace tarvex
