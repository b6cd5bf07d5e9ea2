#pragma once
// "Dokumentwiederherstellung": the documents a program left unsaved when it ended abnormally,
// each with a check mark. "Wiederherstellen" opens the marked ones and drops the rest; "Später"
// keeps them all for the next start.

#include <QDialog>
#include <QList>

#include "ui/documents/DocumentRecovery.h"

class QListWidget;

namespace tarvex {

class CDlgRecovery : public QDialog {
    Q_OBJECT
public:
    CDlgRecovery(const QList<RecoveryEntry>& entries, QWidget* parent = nullptr);
    // One flag per entry: restore it.
    QList<bool> Choice() const;
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};

}  // namespace tarvex
