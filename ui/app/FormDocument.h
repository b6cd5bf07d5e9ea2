#pragma once
// One form as the shell sees it. Each form (the SAD, the D.V.1) implements IFormDocument once
// and registers one CFormTemplate in FormTemplates.cpp; the application, the window list,
// recovery, the document lock and the print command speak to these two only and never ask which
// form they hold.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <span>

#include "core/app/DocTemplates.h"
#include "core/app/RecoverableDocument.h"
#include "core/app/StartupRules.h"
#include "core/formview/DocumentState.h"
#include "core/formview/FieldStore.h"
#include "core/formview/PrintCorrections.h"

class QWidget;

namespace tarvex {

class CChildFrame;
class CFormView;
class CTarvexImportApp;
class IFormDocument;
struct FormPrintJob;

// One picture button of the New dialog: the form variant it creates, its control id and caption.
struct NewDialogEntry {
    int result;
    int controlId;
    const char16_t* caption;
};

// A registered form: its file type and document strings, how it prints, how the shell shows it,
// and how an empty document of it is made.
struct CFormTemplate {
    DocTemplate id;
    const DocTemplateStrings& strings;  // extension, file-dialog filter, base of new titles
    const FormPrintTraits& print;       // settings section, margin sheet, print dialog
    int menuResource = 0;               // the main menu while one of its windows is in front
    int iconIndex = 0;                  // the document icon of its windows
    int filterVariant = 0;              // the form variant whose filter the file dialog preselects
    bool formDefaults = false;          // the form defaults command (F8) applies to it
    // Its buttons in the New dialog, and the colour of the band on their pictures (0xRRGGBB).
    std::span<const NewDialogEntry> newEntries;
    unsigned newPictureBand = 0;
    std::unique_ptr<IFormDocument> (*create)(CTarvexImportApp& app) = nullptr;

    // The extension without its dot, as recovery copies name their kind ("aef").
    QString Kind() const;
    // The file extension with its dot (".aef").
    QString Extension() const;
    // "EhForm%1": the title of a new document.
    QString UntitledTitle(int number) const;
};

// The registered forms, in the order of the document templates.
std::span<const CFormTemplate* const> FormTemplates();
// The form of a file (by its extension; any other file is offered to the first form), of a New
// dialog result, and of a recovery copy's kind (nullptr when no form has it).
const CFormTemplate& FormTemplateForPath(const QString& path);
const CFormTemplate& FormTemplateForVariant(int formVariant);
const CFormTemplate* FormTemplateForKind(const QString& kind);

// One document of a form together with what the window needs of it.
class IFormDocument : public QObject {
    Q_OBJECT
public:
    enum class LoadResult {
        Ok,
        Unreadable,  // the reader failed; message holds its reason (may be empty)
        Refused,     // read, but not a document of this form; message says why
    };

    ~IFormDocument() override = default;

    virtual const CFormTemplate& Template() const = 0;
    // A new, empty document; formVariant is the New dialog's choice.
    virtual void OnNewDocument(int formVariant) = 0;
    virtual LoadResult Load(const QString& path, QString& message) = 0;
    // The text typed into the open box goes into the document before it is written.
    virtual void CommitEdit() = 0;
    virtual bool Save(const QString& path, QString& error) = 0;

    virtual bool IsModified() const = 0;
    // Sets the modified flag; modifiedChanged() follows when it changes.
    virtual void SetModified(bool modified) = 0;
    // The form variant the document stands for (the SAD's 0-3), or -1.
    virtual int FormVariant() const { return -1; }

    // Undo: the document's store, which records what a step changes, its own values, and its
    // whole state. Recovery: a snapshot taken now, with what is typed into the open box, without
    // changing the document; calling it (on any thread) gives the file a save would have written.
    virtual CFieldStore& Store() = 0;
    virtual std::vector<int64_t> UndoValues() const = 0;
    virtual DocState CaptureState() const = 0;
    virtual std::function<QByteArray()> RecoverySnapshot() const = 0;
    QByteArray RecoveryImage() const { return RecoverySnapshot()(); }

    // The form's view of the document in its window, connected to the window and the
    // application; made once, owned by the window.
    virtual CFormView* CreateView(CChildFrame* child, CTarvexImportApp& app) = 0;
    virtual CFormView* View() const = 0;
    // The print command's job: pages, print source, overflow question, the form's print traits.
    virtual FormPrintJob PrintJob(CTarvexImportApp& app) = 0;
    // The form defaults were saved: documents that show them take them over at once.
    virtual void ApplyFormDefaults(bool /*stampA*/, bool /*stampC*/) {}

signals:
    // The modified flag changed, by typing, undo, a save or a command.
    void modifiedChanged();
};

// The file a save would write now, with the text typed into the open box of the document's
// store (not committed: the clerk is still typing).
// The snapshot is taken now; the bytes are made when the result is called, on any thread.
template <class Doc>
std::function<QByteArray()> RecoverySnapshotWithTypedText(const Doc& doc) {
    const IEditWindow* window = doc.Store().Window();
    const bool open = window && window->HasWindow();
    const std::u16string typed = open ? window->WindowText() : std::u16string();
    return [make = RecoverySnapshot(doc, open ? &typed : nullptr)] {
        const std::vector<uint8_t> bytes = make();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    };
}

// What every form's document does alike, bound to its document and view types: the modified
// flag with its announcement, the undo state and the recovery copy.
template <class DocT, class ViewT>
class CFormDocumentOf : public IFormDocument {
public:
    DocT& Model() const { return *m_doc; }

    bool IsModified() const override { return m_doc->IsModified(); }
    void SetModified(bool modified) override {
        const bool changed = m_doc->IsModified() != modified;
        m_doc->SetModifiedFlag(modified);
        if (changed) emit modifiedChanged();
    }
    CFieldStore& Store() override { return m_doc->Store(); }
    std::vector<int64_t> UndoValues() const override { return DocValues(*m_doc); }
    DocState CaptureState() const override { return CaptureDocState(*m_doc); }
    std::function<QByteArray()> RecoverySnapshot() const override {
        return RecoverySnapshotWithTypedText(*m_doc);
    }
    CFormView* View() const override { return m_pView; }

protected:
    explicit CFormDocumentOf(std::unique_ptr<DocT> doc) : m_doc(std::move(doc)) {}

    std::unique_ptr<DocT> m_doc;
    ViewT* m_pView = nullptr;
};

// What every form view needs from its window and the application: status texts, save, print
// and the calibration sheet, the modified mark with its recovery copy, and document-wide undo.
void ConnectFormView(CFormView* view, IFormDocument& doc, CChildFrame* child, CTarvexImportApp& app);

}  // namespace tarvex
