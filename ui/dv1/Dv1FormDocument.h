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

class CDv1FormDocument : public IFormDocument {
    Q_OBJECT
public:
    CDv1FormDocument();
    ~CDv1FormDocument() override;

    CDV1_Doc& Doc() const { return *m_doc; }

    const CFormTemplate& Template() const override { return kDv1FormTemplate; }
    void OnNewDocument(int formVariant) override;
    LoadResult Load(const QString& path, QString& message) override;
    void CommitEdit() override;
    bool Save(const QString& path, QString& error) override;
    bool IsModified() const override;
    void SetModified(bool modified) override;
    DocState CaptureState() const override;
    QByteArray RecoveryImage() const override;
    CFormView* CreateView(CChildFrame* child, CTarvexImportApp& app) override;
    CFormView* View() const override;
    FormPrintJob PrintJob(CTarvexImportApp& app) override;

private:
    std::unique_ptr<CDV1_Doc> m_doc;
    CDV1_View* m_pView = nullptr;
};

// The D.V.1 of a window, or nullptr when the window holds another form.
CDV1_Doc* Dv1DocumentOf(const CChildFrame* child);

}  // namespace tarvex
