#include "ui/forms/SadFormDocument.h"

#include <filesystem>

#include "core/app/RecoverableDocument.h"
#include "core/app/ShellCommands.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadPrintForm.h"
#include "core/sad/SadStrings.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormPrintCommand.h"
#include "ui/forms/SadPrintCommand.h"
#include "ui/sad/CEinheitspapierView.h"

namespace tarvex {
namespace {

// The four variants, in the order the New dialog has always shown them.
constexpr NewDialogEntry kSadNewEntries[] = {{0, 1008, sadstr::kVariantDialog[0]},
                                             {1, 1009, sadstr::kVariantDialog[1]},
                                             {2, 1016, sadstr::kVariantDialog[2]},
                                             {3, 1010, sadstr::kVariantDialog[3]}};

std::unique_ptr<IFormDocument> CreateSadDocument(CTarvexImportApp& app) {
    return std::make_unique<CSadFormDocument>(&app.GetProfile());
}

}  // namespace

const CFormTemplate kSadFormTemplate{
    .id = DocTemplate::Sad,
    .strings = kDocTemplates[0],
    .print = kSadPrintForm,
    .menuResource = kMenuSad,
    .iconIndex = 1,
    .filterVariant = 0,
    .formDefaults = true,
    .newEntries = kSadNewEntries,
    .newPictureBand = 0x1e50a0,
    .create = CreateSadDocument,
};

CSadFormDocument::CSadFormDocument(Profile* profile)
    : CFormDocumentOf(std::make_unique<CEinheitspapierDoc>(profile)) {
    m_doc->ConfigureStore();
}

CSadFormDocument::~CSadFormDocument() = default;

void CSadFormDocument::OnNewDocument(int formVariant) {
    m_doc->OnNewDocument();
    // A new SAD without a variant takes the one chosen in the New dialog.
    if (m_doc->m_nFormVariant == kVariantNone) m_doc->m_nFormVariant = formVariant;
}

IFormDocument::LoadResult CSadFormDocument::Load(const QString& path, QString& message) {
    std::string error;
    AefReadInfo read;
    if (!LoadAefFile(std::filesystem::path(path.toStdU16String()), *m_doc, error, &read)) {
        message = QString::fromStdString(error);
        return LoadResult::Unreadable;
    }
    // A file that is no SAD is not opened: a window under its name would let Ctrl+S write over it.
    if (const int status = AefOpenStatus(*m_doc, read); status != 0) {
        message = QString::fromStdU16String(SadLoadStatusMessage(status));
        return LoadResult::Refused;
    }
    return LoadResult::Ok;
}

void CSadFormDocument::CommitEdit() {
    m_doc->CommitEdit();
}

bool CSadFormDocument::Save(const QString& path, QString& error) {
    std::string message;
    const bool saved = SaveAefFile(std::filesystem::path(path.toStdU16String()), *m_doc, message);
    error = QString::fromStdString(message);
    return saved;
}

int CSadFormDocument::FormVariant() const {
    const int variant = m_doc->m_nFormVariant;
    return variant >= 0 && variant <= 3 ? variant : -1;
}

CFormView* CSadFormDocument::CreateView(CChildFrame* child, CTarvexImportApp& app) {
    m_pView = new CEinheitspapierView(m_doc.get(), app.SadEnvironment(), app.FieldDefinitions(), child);
    ConnectFormView(m_pView, *this, child, app);
    return m_pView;
}

FormPrintJob CSadFormDocument::PrintJob(CTarvexImportApp& app) {
    return SadPrintJob(*m_pView, app);
}

void CSadFormDocument::ApplyFormDefaults(bool stampA, bool stampC) {
    if (m_pView) m_pView->ApplyFormDefaults(stampA, stampC);
}

CEinheitspapierDoc* SadDocumentOf(const CChildFrame* child) {
    auto* form = child ? dynamic_cast<CSadFormDocument*>(&child->Document()) : nullptr;
    return form ? &form->Model() : nullptr;
}

}  // namespace tarvex
