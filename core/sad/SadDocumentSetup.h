#pragma once
// What the program does to an SAD document before it first shows or prints it, shared by the
// SAD view and the command-line tool so that both see the same page: the load-status message,
// the form variant, the box 8 company lines, the boxes crossed out for the variant and the
// alignments of the first paint.

#include <string>
#include <vector>

#include "core/sad/SadLayout.h"

namespace tarvex {

class CEinheitspapierDoc;
class CFieldStore;
class Profile;
struct CFieldDefinitions;

// The message for a document's load status; empty for 0.
std::u16string SadLoadStatusMessage(int status);

// Box 8 from "Firma1".."Firma4" and "ZollNummer1" when "Feld2" has bit 2 set: first-sheet fields
// 18 and 17, and fields 8 and 7 of the first continuation sheet in font size 1.
void FillBox8Defaults(CFieldStore& store, Profile& profile);

// The alignments the view gives both sheets when it first paints.
void ApplyFirstPaintAlignments(CFieldStore& store);

// With "EH_ShowXX" = 1 the crossed-out boxes of the variant are neither shown, editable nor
// printed.
void MarkCrossedOutFields(CFieldDefinitions& definitions, Profile& profile, int variant);

struct SadInitialUpdate {
    std::u16string loadMessage;  // to be shown with a warning beep; empty when the load was fine
    bool exportFile = false;     // "Dies ist eine Export-Einheitspapier-Datei!" is to be shown
};
// The view's initial update without the window: settles the form variant (an export file or one
// without a form takes currentVariant), fills box 8 of a new document and marks the crossed-out
// boxes.
SadInitialUpdate InitialiseSadDocument(CEinheitspapierDoc& doc, Profile& profile,
                                       CFieldDefinitions& definitions, int currentVariant);

// The question asked before a page with overlong texts is printed; fields of the printed sheet.
std::u16string SadOverflowQuestion(SadSheet sheet, const std::vector<int>& fields);

}  // namespace tarvex
