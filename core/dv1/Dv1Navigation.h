#pragma once
// Moving through a D.V.1: GoToField, Tab and Shift+Tab with the yes/no boxes of the front as
// stops of their own, the page commands, appending a page, ticking a box, the value calculation
// and the status texts. The view implements IDv1EditHost; nothing here touches a widget.

#include <cstdint>
#include <span>
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
    // Keyboard to a yes/no box of the front: the edit window goes, the box shows the focus.
    virtual void FocusBox(int box) = 0;
    // Scrolls until the edit window or the focused box is in view.
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

// The keyboard's stops on the front in their order: fields, and each question's two boxes after
// the field that belongs to the question (7 (c), 8 (b), 9 (b)).
struct Dv1Stop {
    bool box = false;
    int index = 0;
    bool operator==(const Dv1Stop&) const = default;
};
std::span<const Dv1Stop> Dv1FrontStops();

// Ticks box b the way the form's questions exclude each other: "NEIN" of 7 (a) clears the rest
// of question 7, every other box clears its partner. A ticked box stays ticked.
void Dv1TickBox(std::vector<uint8_t>& checks, int box);

class CDv1Navigation {
public:
    CDv1Navigation(CDV1_Doc& doc, IDv1EditHost& host) : m_doc(doc), m_host(host) {}

    // -1 while a field has the keyboard, else the box.
    int FocusedBox() const { return m_nFocusBox; }

    void GoToField(int index, int page);
    // Page 1 only; the edited text goes into the store first.
    void GoToBox(int box);
    void NextInputField();
    void PreviousInputField();

    // A click (or the space bar) on a box: ticks it, marks the document modified, redraws.
    void ClickBox(int box);
    // Space bar: ticks the focused box; false when no box has the keyboard.
    bool TickFocusedBox();

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

    // Copies the edit window's text into the current field (nothing while a box is focused: the
    // text went in when the box got the keyboard).
    void Commit();

private:
    // Shows a page: the edited text goes into the store, then field 0 of the page.
    void ShowPage(int page);
    // Where the keyboard is, as a stop of page 1's order; only meaningful on page 1.
    int FrontStopIndex() const;
    void GoToStop(const Dv1Stop& stop);

    CDV1_Doc& m_doc;
    IDv1EditHost& m_host;
    int m_nFocusBox = -1;
};

}  // namespace tarvex
