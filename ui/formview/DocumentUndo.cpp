#include "ui/formview/DocumentUndo.h"

#include <QUndoCommand>
#include <algorithm>
#include <type_traits>

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

// Whether the texts or formatting of a page differ between two states (a page that only one of
// them has counts as changed).
bool PageChanged(const DocState& a, const DocState& b, int page) {
    if (page <= 1) return a.texts1 != b.texts1 || a.words1 != b.words1;
    auto slice = [page](const DocState& s, auto member) {
        using List = std::decay_t<decltype(s.*member)>;
        const int pages = (s.pageModeWord & 0xF000) == 0x1000 ? 1 : s.pageModeWord & 0xFF;
        const List& list = s.*member;
        if (pages < 2 || page > pages) return List();
        const size_t perPage = list.size() / static_cast<size_t>(pages - 1);
        const size_t first = perPage * static_cast<size_t>(page - 2);
        return List(list.begin() + static_cast<std::ptrdiff_t>(first),
                    list.begin() + static_cast<std::ptrdiff_t>(std::min(list.size(), first + perPage)));
    };
    return slice(a, &DocState::texts2) != slice(b, &DocState::texts2) ||
           slice(a, &DocState::words2) != slice(b, &DocState::words2);
}

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

void CDocumentUndo::Begin() {
    if (m_nDepth++ > 0 || m_bApplying) return;
    m_before = m_access.capture();
    m_positionBefore = m_access.position();
    m_bModifiedBefore = m_access.isModified ? m_access.isModified() : true;
    m_bPushedInScope = false;
}

void CDocumentUndo::SplitStep() {
    if (m_nDepth == 0 || m_bApplying) return;
    DocState after = m_access.capture();
    DocStateDelta delta = DocStateDelta::Between(m_before, after);
    const UndoPosition position = m_access.position();
    if (!delta.Empty()) {
        m_stack.push(new CSnapshotCommand(*this, std::move(delta), m_positionBefore, position));
        m_bPushedInScope = true;
    }
    m_before = std::move(after);
    m_positionBefore = position;
}

void CDocumentUndo::End() {
    if (--m_nDepth > 0 || m_bApplying) return;
    const DocState after = m_access.capture();
    DocStateDelta delta = DocStateDelta::Between(m_before, after);
    // Redo shows the page where the change is: a text that a page command committed belongs to
    // the page it was typed on, not to the page the command went to.
    UndoPosition redoPosition = m_access.position();
    if (!delta.Empty() && redoPosition.page != m_positionBefore.page &&
        PageChanged(m_before, after, m_positionBefore.page) &&
        !PageChanged(m_before, after, redoPosition.page))
        redoPosition = m_positionBefore;
    m_before = DocState();
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
