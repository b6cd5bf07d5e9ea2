#pragma once
// Document-wide undo and redo for a form view. Every change goes through one of the view's central
// entry points (its command dispatch, the field navigation that commits a typed text); each entry
// point opens a CUndoScope, during which the field store records the entries that change and the
// document's own values are compared. When something changed, one undo step holding only the
// difference goes on the stack. Dialogs and commands added later are covered without knowing
// about undo, and a step costs what it changed, not the document's size.

#include <QObject>
#include <QUndoStack>
#include <functional>

#include "core/formview/DocumentState.h"
#include "core/formview/FieldStore.h"

namespace tarvex {

// Where the caret stood: an undo step takes the clerk back to the place of the change.
struct UndoPosition {
    int page = 1;
    int field = 0;
};

class CDocumentUndo : public QObject {
    Q_OBJECT
public:
    struct Access {
        // The document's store, which records the changes inside a scope, and its own values.
        std::function<CFieldStore&()> store;
        std::function<std::vector<int64_t>()> values;
        // The whole state, for undoing and redoing a step.
        std::function<DocState()> capture;
        // Puts a state back and shows the field at the position; the edit window's text must not be
        // written into the restored store.
        std::function<void(const DocState&, const UndoPosition&)> restore;
        std::function<UndoPosition()> position;
        std::function<void(bool)> setModified;
        std::function<bool()> isModified;
    };
    explicit CDocumentUndo(Access access, QObject* parent = nullptr);
    ~CDocumentUndo() override;

    QUndoStack& Stack() { return m_stack; }
    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    void Undo();
    void Redo();
    // After a save the document equals its file; undoing back to here makes it unmodified again.
    // A save inside a command (Ctrl+S commits the open box first) marks the state after the step.
    void SetClean();
    // A document that never matched its file (a restored recovery copy) stays modified.
    void SetNeverClean() { m_stack.resetClean(); }

    // Scopes nest: only the outermost one records a step. A scope that changed nothing in a
    // document that was unmodified leaves it unmodified (a dialog closed without a change).
    void Begin();
    void End();
    // Inside a scope: what has changed so far becomes a step of its own, and recording goes on
    // for the next one (a text typed into a box, then the filling that does not follow from it).
    void SplitStep();
    bool Recording() const { return m_nDepth > 0; }

signals:
    void Changed();

private:
    friend class CSnapshotCommand;
    void Apply(const DocStateDelta& delta, bool undo, const UndoPosition& position);
    // What changed since the scope began or was split; recording goes on.
    DocStateDelta TakeChanges(size_t* fieldsPerPage = nullptr);

    Access m_access;
    QUndoStack m_stack;
    int m_nDepth = 0;
    bool m_bApplying = false;
    bool m_bCleanPending = false;
    bool m_bModifiedBefore = false;
    bool m_bPushedInScope = false;
    std::vector<int64_t> m_valuesBefore;
    UndoPosition m_positionBefore;
};

class CUndoScope {
public:
    explicit CUndoScope(CDocumentUndo* undo) : m_pUndo(undo) {
        if (m_pUndo) m_pUndo->Begin();
    }
    ~CUndoScope() {
        if (m_pUndo) m_pUndo->End();
    }
    CUndoScope(const CUndoScope&) = delete;
    CUndoScope& operator=(const CUndoScope&) = delete;

private:
    CDocumentUndo* m_pUndo;
};

}  // namespace tarvex
