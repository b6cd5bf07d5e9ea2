#pragma once
// F2 ("Vor&gaben einfügen...") in the boxes served by the code lists and the box dialogs: which
// dialog a box opens, its presets and where the results go. The navigation calls it; the view's
// dialogs only show.

namespace tarvex {

class CSadNavigation;

// True when F2 in this field opens a code list or box dialog.
bool IsCodeDialogField(int page, int field);

// Runs the field's dialog through the host and writes what it returns; false when the field
// has no such dialog. The caller has committed the edit window's text.
bool InsertCodeDefaults(CSadNavigation& nav, int page, int field);

}  // namespace tarvex
