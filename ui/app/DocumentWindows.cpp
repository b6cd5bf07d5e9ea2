#include "ui/app/DocumentWindows.h"

#include <QCloseEvent>
#include <QFileInfo>

#include "core/dv1/Dv1Doc.h"
#include "core/sad/EinheitspapierDoc.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/Dv1PrintCommand.h"
#include "ui/app/SadPrintCommand.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/sad/CEinheitspapierView.h"

namespace tarvex {

QWidget* CreateSadView(CEinheitspapierDoc* doc, QWidget* parent, CTarvexImportApp& app) {
    auto* view = new CEinheitspapierView(doc, app.SadEnvironment(), app.FieldDefinitions(), parent);
    auto* child = qobject_cast<CChildFrame*>(parent);
    QObject::connect(view, &CEinheitspapierView::statusTextChanged, view,
                     [&app](int pane, const QString& text) {
                         if (app.MainFrame()) app.MainFrame()->SetStatusText(text, pane);
                     });
    QObject::connect(view, &CEinheitspapierView::saveRequested, view, [&app, child] {
        if (child) app.SaveDocument(child, false);
    });
    QObject::connect(view, &CEinheitspapierView::printRequested, view,
                     [&app, view] { RunSadPrintCommand(*view, app); });
    QObject::connect(view, &CEinheitspapierView::calibrationRequested, view,
                     [&app, view](const std::vector<PrintOrigin>& origins) {
                         ShowSadCalibrationSheet(*view, app, origins);
                     });
    QObject::connect(view, &CEinheitspapierView::modifiedChanged, view, [child] {
        if (child) child->SyncModified();
    });
    // The view set its panes while it was built, before anybody listened.
    view->UpdateStatusText();
    return view;
}

QWidget* CreateDv1View(CDV1_Doc* doc, QWidget* parent, CTarvexImportApp& app) {
    auto* view = new CDV1_View(doc, &app.GetProfile(), app.SadEnvironment(), parent);
    auto* child = qobject_cast<CChildFrame*>(parent);
    QObject::connect(view, &CDV1_View::statusTextChanged, view, [&app](int pane, const QString& text) {
        if (app.MainFrame()) app.MainFrame()->SetStatusText(text, pane);
    });
    QObject::connect(view, &CDV1_View::saveRequested, view, [&app, child] {
        if (child) app.SaveDocument(child, false);
    });
    QObject::connect(view, &CDV1_View::printRequested, view,
                     [&app, view] { RunDv1PrintCommand(*view, app); });
    QObject::connect(view, &CDV1_View::calibrationRequested, view,
                     [&app, view](const std::vector<PrintOrigin>& origins) {
                         ShowDv1CalibrationSheet(*view, app, origins);
                     });
    QObject::connect(view, &CDV1_View::modifiedChanged, view, [child] {
        if (child) child->SyncModified();
    });
    view->UpdateStatusText();
    return view;
}

CChildFrame::CChildFrame(std::unique_ptr<CDV1_Doc> dv1Doc, CTarvexImportApp* app, QWidget* parent)
    : QMdiSubWindow(parent), m_kind(DocTemplate::Dv1), m_pApp(app), m_dv1Doc(std::move(dv1Doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
}

CChildFrame::CChildFrame(DocTemplate kind, std::unique_ptr<CEinheitspapierDoc> sadDoc, CTarvexImportApp* app,
                         QWidget* parent)
    : QMdiSubWindow(parent), m_kind(kind), m_pApp(app), m_sadDoc(std::move(sadDoc)) {
    setAttribute(Qt::WA_DeleteOnClose);
}

CChildFrame::~CChildFrame() {
    // The view and its edit window work on the document's field store: they go first. Left to
    // QWidget's destructor they would go after the members, and the edit window would let go of a
    // store that is already freed.
    delete widget();
}

void CChildFrame::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CChildFrame::SetTitle(const QString& title) {
    m_title = title;
    // Qt shows "[*]" as "*" while the window is modified, in the tab as well.
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(IsModified());
    emit TitleChanged();
}

bool CChildFrame::IsModified() const {
    return (m_sadDoc && m_sadDoc->IsModified()) || (m_dv1Doc && m_dv1Doc->IsModified());
}

void CChildFrame::SyncModified() {
    if (isWindowModified() == IsModified()) return;
    setWindowModified(IsModified());
    emit TitleChanged();
}

bool CChildFrame::CloseWithoutAsking() {
    m_bAskOnClose = false;
    const bool closed = close();
    m_bAskOnClose = true;
    return closed;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bAskOnClose && m_pApp && !m_pApp->SaveModified(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace tarvex
