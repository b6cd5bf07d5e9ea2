#pragma once
// Moving the caret through an SAD: GoToField with the copies between boxes and sheets and the
// dialogs certain boxes open, the next/previous input field commands, the help contexts and
// the F2 command. The view implements ISadEditHost; the logic here never touches a widget.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/masterdata/Article.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

struct CFieldDefinitions;

// What the editing logic needs from the view and the user.
class ISadEditHost {
public:
    virtual ~ISadEditHost() = default;

    // The page the view shows (1 = first sheet); only the page commands change it.
    virtual int CurrentPage() const = 0;
    virtual void SetCurrentPage(int page) = 0;

    virtual void SetHelpContext(int context) = 0;
    virtual void ShowHelpContext(int context) = 0;
    // Keyboard focus to the edit window; scrolling until the edit window is visible.
    virtual void FocusEditWindow() = 0;
    virtual void EnsureVisible() = 0;
    virtual void ShowEditWindow(bool show) = 0;
    virtual void UpdateStatusText() = 0;
    // Invalidate, erase and update at once.
    virtual void Redraw() = 0;
    // What has changed so far is one undo step; what follows goes into the next one.
    virtual void EndUndoStep() {}

    // A message with only an OK button and no icon.
    virtual void ShowMessage(const std::u16string& text) = 0;
    // Yes/No; true for Yes.
    virtual bool AskYesNo(const std::u16string& text, bool questionIcon) = 0;

    // Modal dialogs: true for OK; the arguments are presets in and results out.
    virtual bool RunTextInput3L(std::u16string& text) = 0;
    // The box 44 dialog, first-line reservation on.
    virtual bool RunFeld44(std::u16string& text, bool& inputTax) = 0;
    // 36 values in field order: 7 rows of 5 cells, then the total.
    virtual bool RunFeld47(std::vector<std::u16string>& values) = 0;
    // 22 values in field order: 7 rows of 3 cells, then the grand total.
    virtual bool RunFeld47Summe(std::vector<std::u16string>& values) = 0;

    // The code lists and box dialogs behind F2: the box texts in as presets, the texts for the
    // boxes out, true for OK. An empty result leaves its box as it is.
    // Box 1: the texts of Feld 1 A, B and C (empty for a hidden box).
    virtual bool RunBox1(std::array<std::u16string, 3>& texts) = 0;
    // Countries; mode 1-4 names the country in the title, any other keeps "Ländercodes".
    virtual bool RunCountry(int mode, std::u16string& name, std::u16string& code) = 0;
    virtual bool RunCurrency(std::u16string& code) = 0;
    virtual bool RunFederalState(std::u16string& code) = 0;
    // Box 19 (container), box 20 (delivery terms), boxes 25/26 (mode of transport), box 29
    // (customs office), box 36 (preference): the box text.
    virtual bool RunBox19(std::u16string& text) = 0;
    virtual bool RunBox20(std::u16string& text) = 0;
    virtual bool RunBox25(std::u16string& text) = 0;
    virtual bool RunBox29(std::u16string& text) = 0;
    virtual bool RunBox36(std::u16string& text) = 0;
    // Box 24: the texts of Feld 24 A and Feld 24 B.
    virtual bool RunBox24(std::u16string& box24A, std::u16string& box24B) = 0;
    // Box 54: the place and the "remember the place" check.
    virtual bool RunBox54(std::u16string& place, bool& remember) = 0;
    // Goods-item move: the list entries and preselections in (target -1 = none), the choice out.
    virtual bool RunMoveGoodsItem(const std::vector<std::u16string>& entries, int& source, int& target) = 0;
    // The address dialog, shown only when its table opens: the box text in; on OK the address
    // (trailing white space removed) and the customs number out.
    virtual bool RunAddressDialog(std::u16string& address, std::u16string& customsNumber) = 0;
    // The article dialog in selection mode: the chosen entry out.
    virtual bool RunArticleSelection(CArticle& article) = 0;
};

// Help context of a field: first sheet for page 1, continuation sheet otherwise.
int SadHelpContext(int page, int field);
// Fields in which F2 ("Vor&gaben einfügen...") is enabled.
bool SadInsertDefaultsEnabled(int page, int field);

// The three-line stamp dialog's result: trailing white space removed, and the size value the
// stamp line gets for it (0x41 for two lines, 0x42 for three, 0 otherwise).
struct StampText {
    std::u16string text;
    int sizeValue = 0;
};
StampText ThreeLineStampText(const std::u16string& dialogResult);

// One pass over non-overlapping "\r\n\r\n", each replaced by "\r\n".
std::u16string CollapseEmptyLines(const std::u16string& text);

class CSadNavigation {
public:
    // All four must outlive the navigation; defs are the application's working tables.
    CSadNavigation(CEinheitspapierDoc& doc, const CFieldDefinitions& defs, ISadEditHost& host);

    CEinheitspapierDoc& Doc() { return m_doc; }
    const CEinheitspapierDoc& Doc() const { return m_doc; }
    CFieldStore& Store() { return m_doc.Store(); }
    const CFieldStore& Store() const { return m_doc.Store(); }
    ISadEditHost& Host() { return m_host; }
    const ISadEditHost& Host() const { return m_host; }

    // Field-definition byte of the document's variant: first-sheet table for page 1,
    // continuation table for every other page.
    int DefinitionByte(int field, int page) const;
    bool IsEditable(int field, int page) const;
    bool IsShown(int field, int page) const;

    // Integer from section "EHForm_Defaults" (the key's default without a profile).
    int ProfileInt(settings::IntKey key) const;

    int GoToField(int target, int page);
    void NextInputField();
    void PreviousInputField();
    // Copies the edit window's text into the current field.
    void Commit();
    // Writes a field's text; for the field that holds the edit window also the window's text,
    // so that the next activation does not put the old text back.
    void PutText(int field, int page, const std::u16string& text);

    // F2: the dialog, question or help page of the box that holds the caret; nothing in other
    // fields.
    void InsertDefaults();
    // True exactly where F2 acts: a dialog, a question or the help page follows.
    bool CanInsertDefaults() const;

    // True when entering the field opens a dialog (three-line stamp, box 44, box 47).
    bool OpensDialogOnEntry(int field, int page) const;

    // "Gehe zu Feld...": where a box label leads from the page shown. On a continuation sheet a
    // box found only on the first sheet leads there. `item` is the goods item of the sheet
    // (1-3) when the label names none.
    struct BoxTarget {
        int page = 0;
        int field = -1;
        std::u16string error;  // the message for the user when there is no target
    };
    BoxTarget FindBox(std::u16string_view label, int item) const;
    // Shows the target's page and enters the field as Tab would (dialogs included).
    void GoToBox(const BoxTarget& target);

    // Clock for the stamp date; tests set a fixed day.
    void SetDateProvider(std::function<CivilDate()> provider) { m_today = std::move(provider); }
    CivilDate Today() const { return m_today ? m_today() : CEinheitspapierDoc::LocalToday(); }

private:
    void EnterFirstSheet(int target, int from);
    void EnterContinuation(int target, int from, int page);
    void LeaveCurrentField(int target, int page, bool& skipCommitPass);
    bool RunStampDialog(int target, int page, bool copyToPage2);
    void RunDutyDialog(int base, int page);
    void SettleOnField(int target, int page, int from, int limit);
    void InsertAddress(int page, int field);
    void InsertArticle(int page, int field);
    // After a dialog that opened on entering a field: on to the next input field, or, in a
    // backward step, stay on the dialog's field.
    void AfterEntryDialog(int field, int page);
    // False when the field definitions leave no editable field on the sheet of the page, so
    // that skipping has nowhere to stop.
    bool AnyEditable(int page) const;

    CEinheitspapierDoc& m_doc;
    const CFieldDefinitions& m_defs;
    ISadEditHost& m_host;
    std::function<CivilDate()> m_today;
    // While a backward step runs: a box that opens a dialog on entry ends the step on that box
    // instead of moving on after the dialog, or the step could never get past it.
    bool m_bBackward = false;
    int m_nDialogField = -1;
    // Nesting of next-input-field steps (a dialog box moves on by itself); bounded, so that
    // field definitions that leave only dialog boxes editable cannot recurse without end.
    int m_nNextDepth = 0;
};

}  // namespace tarvex
