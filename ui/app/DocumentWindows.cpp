#include "app/DocumentWindows.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>

#include "app/CTarvexImportApp.h"
#include "app/ShellStrings.h"
#include "sad/EinheitspapierDoc.h"
#include "sad/SadStrings.h"

namespace tarvex {

QWidget* CreateSadView(CEinheitspapierDoc* doc, QWidget* parent) {
    // Stand-in until the SAD form view is part of the program: says what it is and what is loaded.
    QString text = QString::fromUtf16(shellstr::kSadViewPending);
    if (doc) {
        const int v = doc->m_nFormVariant;
        const QString variant = v >= 0 && v <= 3 ? QString::fromUtf16(sadstr::kVariantDialog[v])
                                                 : QStringLiteral("Einheitspapier (Formular %1)").arg(v);
        text += QStringLiteral("\n\n%1\nErgänzungsblätter: %2").arg(variant).arg(doc->m_nContinuationCount);
    }
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

CChildFrame::CChildFrame(DocTemplate kind, std::unique_ptr<CEinheitspapierDoc> sadDoc, QWidget* parent)
    : QMdiSubWindow(parent), m_kind(kind), m_sadDoc(std::move(sadDoc)) {
    setAttribute(Qt::WA_DeleteOnClose);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CChildFrame::SetTitle(const QString& title) {
    m_title = title;
    setWindowTitle(title);
    emit TitleChanged();
}

bool CChildFrame::IsModified() const { return m_sadDoc && m_sadDoc->IsModified(); }

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (CTarvexImportApp* app = TheApp(); app && !app->SaveModified(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace tarvex
