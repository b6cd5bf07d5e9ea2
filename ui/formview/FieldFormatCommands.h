#pragma once
// The font and alignment commands of the field with the caret, and their menu states, as both
// form views offer them.

namespace tarvex {

class CFieldStore;
struct CommandState;

// Applies a font or alignment command to the current field; false for any other command.
bool RunFieldFormatCommand(CFieldStore& store, int id);
// The menu state of a font, alignment or insert-mode command; inField is false while no field
// has the caret (the commands are then disabled). False for any other command.
bool FieldFormatCommandState(const CFieldStore& store, int id, bool inField, CommandState& s);

}  // namespace tarvex
