#include "ui/app/FormDocument.h"

#include <QFileInfo>

#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentManager.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/formview/CFormView.h"
#include "ui/formview/DocumentUndo.h"

namespace tarvex {

QString CFormTemplate::Kind() const {
    return Extension().mid(1);
}

QString CFormTemplate::Extension() const {
    return QString::fromStdU16String(std::u16string(strings.extension));
}

QString CFormTemplate::UntitledTitle(int number) const {
    return QString::fromStdU16String(std::u16string(strings.docName)) + QString::number(number);
}

const CFormTemplate& FormTemplateForPath(const QString& path) {
    // The extension of the file name itself, in any case; a folder's dots do not count.
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString extension = name.mid(dot);
        for (const CFormTemplate* form : FormTemplates())
            if (extension.compare(form->Extension(), Qt::CaseInsensitive) == 0) return *form;
    }
    return *FormTemplates().front();
}

const CFormTemplate& FormTemplateForVariant(int formVariant) {
    for (const CFormTemplate* form : FormTemplates())
        for (const NewDialogEntry& entry : form->newEntries)
            if (entry.result == formVariant) return *form;
    return *FormTemplates().front();
}

const CFormTemplate* FormTemplateForKind(const QString& kind) {
    for (const CFormTemplate* form : FormTemplates())
        if (form->Kind() == kind) return form;
    return nullptr;
}

void ConnectFormView(CFormView* view, IFormDocument& doc, CChildFrame* child, CTarvexImportApp& app) {
    // Only the document in front speaks in the status bar; the others keep their texts for when
    // they come to the front.
    QObject::connect(view, &CFormView::statusTextChanged, view, [&app, child](int pane, const QString& text) {
        if (child) child->SetStatusPaneText(pane, text);
        CMainFrame* frame = app.MainFrame();
        if (frame && (!child || frame->ActiveChild() == child)) frame->SetStatusText(text, pane);
    });
    QObject::connect(view, &CFormView::saveRequested, view, [&app, child] {
        if (child) app.Documents().SaveDocument(child, false);
    });
    QObject::connect(view, &CFormView::printRequested, view,
                     [&app, &doc] { RunFormPrintCommand(doc.PrintJob(app), app); });
    QObject::connect(view, &CFormView::calibrationRequested, view,
                     [&app, &doc](const std::vector<PrintOrigin>& origins) {
                         ShowFormCalibrationSheet(doc.PrintJob(app), app, origins);
                     });
    QObject::connect(view, &CFormView::modifiedChanged, &doc, &IFormDocument::modifiedChanged);
    if (child) {
        CDocumentUndo::Access access;
        access.store = [&doc]() -> CFieldStore& { return doc.Store(); };
        access.values = [&doc] { return doc.UndoValues(); };
        access.capture = [&doc] { return doc.CaptureState(); };
        access.restore = [view](const DocState& state, const UndoPosition& position) {
            view->RestoreState(state, position);
        };
        access.position = [view] { return view->Position(); };
        access.setModified = [&doc, child](bool modified) {
            doc.SetModified(modified);
            child->SyncModified();
        };
        access.isModified = [&doc] { return doc.IsModified(); };
        child->SetUndo(std::make_unique<CDocumentUndo>(std::move(access)));
        view->SetUndo(child->Undo());
        // A page change is a natural pause: the copy is brought up to date at once.
        QObject::connect(view, &CFormView::statusTextChanged, child, [child](int pane) {
            if (pane == 1) child->WriteRecoveryIfPending();
        });
    }
    // The view set its panes while it was built, before anybody listened.
    view->UpdateStatusText();
}

}  // namespace tarvex
