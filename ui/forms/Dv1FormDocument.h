#pragma once
// The D.V.1 as one form of the shell: its document, file format, view, print job and recovery
// copy.

#include <memory>

#include "ui/app/FormDocument.h"

namespace tarvex {

class CDV1_Doc;
class CDV1_View;
class Profile;

extern const CFormTemplate kDv1FormTemplate;

class CDv1FormDocument : public CFormDocumentOf<CDV1_Doc, CDV1_View> {
public:
    CDv1FormDocument();
    ~CDv1FormDocument() override;

    const CFormTemplate& Template() const override { return kDv1FormTemplate; }
    void OnNewDocument(int formVariant) override;
    LoadResult Load(const QString& path, QString& message) override;
    void CommitEdit() override;
    bool Save(const QString& path, QString& error) override;
    CFormView* CreateView(CChildFrame* child, CTarvexImportApp& app) override;
    FormPrintJob PrintJob(CTarvexImportApp& app) override;
};

// The D.V.1 of a window, or nullptr when the window holds another form.
CDV1_Doc* Dv1DocumentOf(const CChildFrame* child);

}  // namespace tarvex
