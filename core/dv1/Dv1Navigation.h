#pragma once
// Moving through a D.V.1: GoToField, Tab and Shift+Tab through the fields, the page commands,
// appending a page, ticking a yes/no box of the front (by a click, or by Alt+J / Alt+N for the
// question of the details field with the caret), the value calculation and the status texts.
// The view implements IDv1EditHost; nothing here touches a widget.

#include <cstdint>
#include <string>
#include <vector>

#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Geometry.h"

namespace tarvex {

class CDV1_Doc;
class Profile;

// What the navigation needs from the view.
class IDv1EditHost {
public:
    virtual ~IDv1EditHost() = default;
    // The page shown (1-based); only the page commands change it.
    virtual int ViewPage() const = 0;
    virtual void SetViewPage(int page) = 0;
    // Gives the edit control the field rectangles of the shown page's geometry.
    virtual void LoadPageRects() = 0;
    // Keyboard to the edit window (shown over the store's current field).
    virtual void FocusEditWindow() = 0;
    // Scrolls until the edit window is in view.
    virtual void EnsureVisible() = 0;
    virtual void SetHelpContext(int context) = 0;
    virtual void UpdateStatusText() = 0;
    // Invalidate, erase and update at once.
    virtual void Redraw() = 0;
    virtual void SetDocumentModified() = 0;
    virtual void Beep() = 0;
    virtual void ShowMessage(const std::u16string& text) = 0;
};

// Fields the user enters by keyboard and mouse: 0-11 on the front, 0-52 on the other pages
// (53-60 are the totals of the calculation); a field without a rectangle on its page (52 on a
// BIS front) is never entered, or what is typed there could not be seen.
bool Dv1FieldEnterable(int page, int field);
// The enterable field under a point in zoom-scaled form units (y downward), or -1: the sums and
// the places beside the fields are no target for the mouse.
int Dv1FieldAt(int page, int x, int y, int zoom);
// The yes/no box of the front under such a point, or -1.
int Dv1BoxAt(int x, int y, int zoom);

// Help context of a field (page 1: per field; every continuation field 312) and of a box.
int Dv1FieldHelpContext(int page, int field);
int Dv1BoxHelpContext(int box);

// The yes/no questions of the front, one per row of boxes: 7 (a), 7 (b), 7 (c), 8 (a), 8 (b),
// 9 (a), 9 (b); row r has the "JA" box 2r and the "NEIN" box 2r + 1.
inline constexpr int kDv1QuestionCount = 7;
// The question as printed on the form ("7 (a)"); empty for another row.
std::u16string Dv1QuestionLabel(int row);
// The rows whose details go into a field of the front: field 7 has 7 (a)-(c), field 8 has
// 8 (a)-(b), field 9 has 9 (a)-(b); count 0 for every other field.
struct Dv1QuestionRows {
    int first = 0;
    int count = 0;
};
Dv1QuestionRows Dv1QuestionsOfField(int field);

// Ticks box b the way the form's questions exclude each other: "NEIN" of 7 (a) clears the rest
// of question 7, every other box clears its partner. A ticked box stays ticked.
void Dv1TickBox(std::vector<uint8_t>& checks, int box);

class CDv1Navigation {
public:
    CDv1Navigation(CDV1_Doc& doc, IDv1EditHost& host) : m_doc(doc), m_host(host) {}

    void GoToField(int index, int page);
    // Tab and Shift+Tab: the fields of the page in their order, wrapping; never a box.
    void NextInputField();
    void PreviousInputField();

    // A click on a box: ticks it, marks the document modified, redraws. The keyboard stays in
    // the field being edited.
    void ClickBox(int box);

    // The question Alt+J / Alt+N answer: a row of the details field with the caret on the front
    // (the field's first question when the caret comes in), -1 anywhere else.
    int CurrentQuestion() const;
    // Alt+J / Alt+N: ticks "JA" or "NEIN" of the current question and goes on to the field's
    // next question; false, and nothing changes, without a current question.
    bool AnswerQuestion(bool yes);
    // Alt+Down: the field's next question, after its last the first again.
    bool NextQuestion();
    // The hint for the status bar while there is a current question; empty otherwise.
    std::u16string StatusQuestionText() const;

    bool CanGoToNextPage() const;
    bool CanGoToPreviousPage() const;
    void FirstPage();
    void LastPage();
    void NextPage();
    void PreviousPage();
    // F10: a page of the next kind; at 255 pages a message and nothing else.
    void AddPage();

    // F3 on pages 2 to n with "Flag_DV1_11a"; the fields that were no amounts.
    std::vector<dv1::Dv1NotAnAmount> Calculate(Profile& profile);
    // Ctrl+Shift+Alt+F11: "Flag_DV1_11a" 1 becomes 0, anything else 1; returns the new value.
    static int ToggleFlag11a(Profile& profile);

    // "D.V.1 - Seite %d von %d" with the store's current page and the page count.
    std::u16string StatusPageText() const;
    std::u16string StatusInsertText() const;

    // Copies the edit window's text into the current field.
    void Commit();

private:
    // Shows a page: the edited text goes into the store, then field 0 of the page.
    void ShowPage(int page);

    CDV1_Doc& m_doc;
    IDv1EditHost& m_host;
    // The question chosen in the details field with the caret; -1 for the field's first.
    int m_nQuestion = -1;
};

}  // namespace tarvex
