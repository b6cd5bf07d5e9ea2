#include "ui/forms/Dv1FormDocument.h"

#include <filesystem>

#include "core/app/RecoverableDocument.h"
#include "core/app/ShellCommands.h"
#include "core/common/ShellStrings.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1PrintForm.h"
#include "core/dv1/FdvFormat.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/dv1/CDV1_View.h"
#include "ui/forms/Dv1PrintCommand.h"

namespace tarvex {
namespace {

constexpr NewDialogEntry kDv1NewEntries[] = {{kFormVariantDV1, 1011, shellstr::kNewDlgDV1}};

std::unique_ptr<IFormDocument> CreateDv1Document(CTarvexImportApp&) {
    return std::make_unique<CDv1FormDocument>();
}

}  // namespace

const CFormTemplate kDv1FormTemplate{
    .id = DocTemplate::Dv1,
    .strings = kDocTemplates[1],
    .print = kDv1PrintForm,
    .menuResource = kMenuDv1,
    .iconIndex = 2,
    .filterVariant = kFormVariantDV1,
    .formDefaults = false,
    .newEntries = kDv1NewEntries,
    .newPictureBand = 0x1e8246,
    .create = CreateDv1Document,
};

CDv1FormDocument::CDv1FormDocument() : CFormDocumentOf(std::make_unique<CDV1_Doc>()) {}

CDv1FormDocument::~CDv1FormDocument() = default;

void CDv1FormDocument::OnNewDocument(int) {
    m_doc->OnNewDocument();
}

IFormDocument::LoadResult CDv1FormDocument::Load(const QString& path, QString& message) {
    std::string error;
    FdvReadInfo read;
    if (!LoadFdvFile(std::filesystem::path(path.toStdU16String()), *m_doc, error, &read)) {
        message = QString::fromStdString(error);
        return LoadResult::Unreadable;
    }
    // A file that was not taken over is not opened: a window under its name would let Ctrl+S
    // write an empty form over it.
    if (const int id = FdvOpenMessage(*m_doc, read); id != 0) {
        message = QString::fromStdU16String(FdvLoadMessageText(id));
        return LoadResult::Refused;
    }
    return LoadResult::Ok;
}

void CDv1FormDocument::CommitEdit() {
    if (m_pView) m_pView->CommitEdit();
}

bool CDv1FormDocument::Save(const QString& path, QString& error) {
    std::string message;
    const bool saved = SaveFdvFile(std::filesystem::path(path.toStdU16String()), *m_doc, message);
    error = QString::fromStdString(message);
    return saved;
}

CFormView* CDv1FormDocument::CreateView(CChildFrame* child, CTarvexImportApp& app) {
    m_pView = new CDV1_View(m_doc.get(), &app.GetProfile(), app.SadEnvironment(), child);
    ConnectFormView(m_pView, *this, child, app);
    return m_pView;
}

FormPrintJob CDv1FormDocument::PrintJob(CTarvexImportApp& app) {
    return Dv1PrintJob(*m_pView, app);
}

CDV1_Doc* Dv1DocumentOf(const CChildFrame* child) {
    auto* form = child ? dynamic_cast<CDv1FormDocument*>(&child->Document()) : nullptr;
    return form ? &form->Model() : nullptr;
}

}  // namespace tarvex
