#pragma once
// The SAD ("Einheitspapier") as one form of the shell: its document, file format, view, print
// job and recovery copy.

#include <memory>

#include "ui/app/FormDocument.h"

namespace tarvex {

class CEinheitspapierDoc;
class CEinheitspapierView;
class Profile;

extern const CFormTemplate kSadFormTemplate;

class CSadFormDocument : public CFormDocumentOf<CEinheitspapierDoc, CEinheitspapierView> {
public:
    explicit CSadFormDocument(Profile* profile);
    ~CSadFormDocument() override;

    const CFormTemplate& Template() const override { return kSadFormTemplate; }
    void OnNewDocument(int formVariant) override;
    LoadResult Load(const QString& path, QString& message) override;
    void CommitEdit() override;
    bool Save(const QString& path, QString& error) override;
    int FormVariant() const override;
    CFormView* CreateView(CChildFrame* child, CTarvexImportApp& app) override;
    FormPrintJob PrintJob(CTarvexImportApp& app) override;
    void ApplyFormDefaults(bool stampA, bool stampC) override;
};

// The SAD of a window, or nullptr when the window holds another form.
CEinheitspapierDoc* SadDocumentOf(const CChildFrame* child);

}  // namespace tarvex
