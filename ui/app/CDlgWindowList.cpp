#include "ui/app/CDlgWindowList.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/ShellStrings.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/app/DocumentWindows.h"

namespace tarvex {

CDlgWindowList::CDlgWindowList(CMainFrame* frame) : QDialog(frame), m_frame(frame) {
    setWindowTitle(QString::fromUtf16(shellstr::kWindowListTitle));
    auto* layout = new QHBoxLayout(this);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    auto add = [&](const QString& text, void (CDlgWindowList::*slot)()) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    add(QString::fromUtf16(shellstr::kWindowActivate), &CDlgWindowList::ActivateSelected)->setDefault(true);
    add(QString::fromUtf16(shellstr::kWindowSave), &CDlgWindowList::SaveSelected);
    add(QString::fromUtf16(shellstr::kWindowClose), &CDlgWindowList::CloseSelected);
    buttons->addStretch();
    add(QString::fromUtf16(shellstr::kOK), &CDlgWindowList::accept);
    layout->addLayout(buttons);
    connect(m_list, &QListWidget::itemActivated, this, [this] { ActivateSelected(); });
    Fill();
}

void CDlgWindowList::Fill() {
    m_list->clear();
    CChildFrame* active = m_frame->ActiveChild();
    for (CChildFrame* child : m_frame->Children()) {
        auto* item =
            new QListWidgetItem(child->Title() + (child->IsModified() ? QStringLiteral(" *") : QString()));
        item->setData(Qt::UserRole, QVariant::fromValue<QObject*>(child));
        m_list->addItem(item);
        if (child == active) m_list->setCurrentItem(item);
    }
}

namespace {

QList<CChildFrame*> Selected(QListWidget* list) {
    QList<CChildFrame*> frames;
    for (QListWidgetItem* item : list->selectedItems())
        if (auto* c = qobject_cast<CChildFrame*>(item->data(Qt::UserRole).value<QObject*>()))
            frames.append(c);
    return frames;
}

}  // namespace

void CDlgWindowList::ActivateSelected() {
    const QList<CChildFrame*> frames = Selected(m_list);
    if (frames.isEmpty()) return;
    m_frame->ActivateChild(frames.first());
    accept();
}

void CDlgWindowList::SaveSelected() {
    for (CChildFrame* c : Selected(m_list))
        if (CTarvexImportApp* app = m_frame->App()) app->Documents().SaveDocument(c, false);
    Fill();
}

void CDlgWindowList::CloseSelected() {
    for (CChildFrame* c : Selected(m_list))
        if (!c->close()) break;  // the user cancelled a save question
    Fill();
}

}  // namespace tarvex
