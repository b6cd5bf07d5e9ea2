#include "ui/formview/DocumentUndo.h"

#include <QUndoCommand>
#include <algorithm>

namespace tarvex {

// One recorded change. The change has happened when the step is pushed, so the first redo does
// nothing.
class CSnapshotCommand : public QUndoCommand {
public:
    CSnapshotCommand(CDocumentUndo& owner, DocStateDelta delta, UndoPosition before, UndoPosition after)
        : m_owner(owner), m_delta(std::move(delta)), m_before(before), m_after(after) {}

    void undo() override { m_owner.Apply(m_delta, true, m_before); }
    void redo() override {
        if (m_bPushed) {
            m_bPushed = false;
            return;
        }
        m_owner.Apply(m_delta, false, m_after);
    }

private:
    CDocumentUndo& m_owner;
    DocStateDelta m_delta;
    UndoPosition m_before, m_after;
    bool m_bPushed = true;
};

namespace {
// Steps kept; each holds only the boxes it changed.
constexpr int kUndoLimit = 200;
}  // namespace

CDocumentUndo::CDocumentUndo(Access access, QObject* parent) : QObject(parent), m_access(std::move(access)) {
    m_stack.setUndoLimit(kUndoLimit);
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] { emit Changed(); });
}

CDocumentUndo::~CDocumentUndo() {
    // The stack clears itself as it goes and signals that: nobody may hear it from a window
    // that is half destroyed.
    m_stack.disconnect(this);
}

DocStateDelta CDocumentUndo::TakeChanges(size_t* fieldsPerPage) {
    StoreDelta store = m_access.store().TakeRecordedChanges();
    if (fieldsPerPage) *fieldsPerPage = store.fieldsPerPage;
    std::vector<int64_t> values = m_access.values();
    DocStateDelta delta = DocStateDelta::FromStore(std::move(store), m_valuesBefore, values);
    m_valuesBefore = std::move(values);
    return delta;
}

void CDocumentUndo::Begin() {
    if (m_nDepth++ > 0 || m_bApplying) return;
    m_access.store().StartRecording();
    m_valuesBefore = m_access.values();
    m_positionBefore = m_access.position();
    m_bModifiedBefore = m_access.isModified ? m_access.isModified() : true;
    m_bPushedInScope = false;
}

void CDocumentUndo::SplitStep() {
    if (m_nDepth == 0 || m_bApplying) return;
    DocStateDelta delta = TakeChanges();
    const UndoPosition position = m_access.position();
    if (!delta.Empty()) {
        m_stack.push(new CSnapshotCommand(*this, std::move(delta), m_positionBefore, position));
        m_bPushedInScope = true;
    }
    m_positionBefore = position;
}

void CDocumentUndo::End() {
    if (--m_nDepth > 0) return;
    if (m_bApplying) {
        m_access.store().StopRecording();
        return;
    }
    size_t fieldsPerPage = 0;
    DocStateDelta delta = TakeChanges(&fieldsPerPage);
    m_access.store().StopRecording();
    m_valuesBefore.clear();
    // Redo shows the page where the change is: a text that a page command committed belongs to
    // the page it was typed on, not to the page the command went to.
    UndoPosition redoPosition = m_access.position();
    if (!delta.Empty() && redoPosition.page != m_positionBefore.page &&
        delta.TouchesPage(m_positionBefore.page, fieldsPerPage) &&
        !delta.TouchesPage(redoPosition.page, fieldsPerPage))
        redoPosition = m_positionBefore;
    if (!delta.Empty()) {
        m_stack.push(new CSnapshotCommand(*this, std::move(delta), m_positionBefore, redoPosition));
        m_bPushedInScope = true;
    }
    // Nothing changed (a dialog cancelled, or confirmed with what was there): a document that
    // was unmodified stays so, whatever the command thought it had done.
    if (!m_bPushedInScope && !m_bModifiedBefore && m_access.isModified && m_access.isModified() &&
        m_access.setModified)
        m_access.setModified(false);
    if (m_bCleanPending) {
        m_bCleanPending = false;
        m_stack.setClean();
    }
}

void CDocumentUndo::SetClean() {
    if (m_nDepth > 0)
        m_bCleanPending = true;
    else
        m_stack.setClean();
}

void CDocumentUndo::Undo() {
    if (m_nDepth == 0) m_stack.undo();
}

void CDocumentUndo::Redo() {
    if (m_nDepth == 0) m_stack.redo();
}

void CDocumentUndo::Apply(const DocStateDelta& delta, bool undo, const UndoPosition& position) {
    m_bApplying = true;
    DocState state = m_access.capture();
    undo ? delta.Undo(state) : delta.Redo(state);
    m_access.restore(state, position);
    m_bApplying = false;
    // The stack's index moves after this returns; the clean index decides what "modified" is.
    const int target = m_stack.index() + (undo ? -1 : 1);
    if (m_access.setModified) m_access.setModified(target != m_stack.cleanIndex());
}

}  // namespace tarvex
