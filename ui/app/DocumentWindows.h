#pragma once
// Where the document views are created: one function per view kind, so that the real form views
// replace the placeholders in one place.

#include <QMdiSubWindow>
#include <QString>
#include <memory>

#include "core/app/StartupRules.h"

class QWidget;

namespace tarvex {

class CDV1_Doc;
class CEinheitspapierDoc;
class CTarvexImportApp;

// The SAD view of a document window, connected to the application that owns the window.
QWidget* CreateSadView(CEinheitspapierDoc* doc, QWidget* parent, CTarvexImportApp& app);
// The D.V.1 view of a document window, likewise.
QWidget* CreateDv1View(CDV1_Doc* doc, QWidget* parent, CTarvexImportApp& app);

// The child frame: one document and its one view. Both templates use it.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // app asks the save question when the window closes; without one it closes unasked.
    CChildFrame(DocTemplate kind, std::unique_ptr<CEinheitspapierDoc> sadDoc, CTarvexImportApp* app,
                QWidget* parent = nullptr);
    // A D.V.1 window.
    CChildFrame(std::unique_ptr<CDV1_Doc> dv1Doc, CTarvexImportApp* app, QWidget* parent = nullptr);
    ~CChildFrame() override;

    DocTemplate Kind() const { return m_kind; }
    CEinheitspapierDoc* SadDocument() const { return m_sadDoc.get(); }
    CDV1_Doc* Dv1Document() const { return m_dv1Doc.get(); }
    QWidget* View() const { return widget(); }

    // Full path of the document's file; empty for a new document.
    const QString& PathName() const { return m_pathName; }
    void SetPathName(const QString& path);
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);
    bool IsModified() const;
    // Shows the document's modified state as the "*" of title and tab.
    void SyncModified();
    // Closes after the save question was answered for all documents at once.
    bool CloseWithoutAsking();

signals:
    void TitleChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocTemplate m_kind;
    CTarvexImportApp* m_pApp;
    std::unique_ptr<CEinheitspapierDoc> m_sadDoc;
    std::unique_ptr<CDV1_Doc> m_dv1Doc;
    QString m_pathName;
    QString m_title;
    bool m_bAskOnClose = true;
};

}  // namespace tarvex
