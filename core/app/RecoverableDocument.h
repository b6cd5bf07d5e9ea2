#pragma once
// The two document kinds as undo and recovery see them: their state for undo and redo, and the
// bytes of a recovery copy in the document's own file format. One overload per kind, so that the
// shell's undo and recovery code is the same for the SAD and the D.V.1.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/formview/DocumentState.h"

namespace tarvex {

class CEinheitspapierDoc;
class CDV1_Doc;

DocState CaptureDocState(const CEinheitspapierDoc& doc);
// The document's own values of its state (DocState::values), without the store.
std::vector<int64_t> DocValues(const CEinheitspapierDoc& doc);
std::vector<int64_t> DocValues(const CDV1_Doc& doc);
void RestoreDocState(CEinheitspapierDoc& doc, const DocState& state);
DocState CaptureDocState(const CDV1_Doc& doc);
void RestoreDocState(CDV1_Doc& doc, const DocState& state);

// The file a save would write now, with editText (what is typed into the open box and not yet
// committed) in the current field. The document itself is left exactly as it is: a recovery
// copy is written while the clerk types, and must neither move the caret nor trim a text.
std::vector<uint8_t> RecoveryImage(const CEinheitspapierDoc& doc, const std::u16string* editText);
std::vector<uint8_t> RecoveryImage(const CDV1_Doc& doc, const std::u16string* editText);

// The same in two steps, so that the window's thread only copies the document: the snapshot is
// taken at once, and the returned function makes the file's bytes from it later, on any thread
// (it touches nothing the window owns).
using RecoveryImageMaker = std::function<std::vector<uint8_t>()>;
RecoveryImageMaker RecoverySnapshot(const CEinheitspapierDoc& doc, const std::u16string* editText);
RecoveryImageMaker RecoverySnapshot(const CDV1_Doc& doc, const std::u16string* editText);

}  // namespace tarvex
