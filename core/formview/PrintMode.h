#pragma once
// How a form is printed. The print dialog, the preview, the stored choice, the page composition
// and `tarvex pdf` all speak of it in this one type.

#include "core/formview/FormViewStrings.h"

namespace tarvex {

// "auf Vordruck": only the entries, for the pre-printed paper. "mit Formular": the form picture
// and the entries on blank paper, the entries placed by the form picture's own boxes.
enum class PrintMode { Preprinted = 0, WithForm = 1 };

// In the order the print dialog and the preview offer them; a mode's value is its place here, so
// the dialogs index their controls by it.
inline constexpr PrintMode kPrintModes[] = {PrintMode::Preprinted, PrintMode::WithForm};
static_assert(static_cast<int>(kPrintModes[0]) == 0 && static_cast<int>(kPrintModes[1]) == 1);

// The profile keeps the mode as a number under "PrintWithForm": 1 "mit Formular", any other value
// "auf Vordruck", as files written by every earlier version have it.
constexpr PrintMode PrintModeFromStored(int value) {
    return value == 1 ? PrintMode::WithForm : PrintMode::Preprinted;
}
constexpr int StoredPrintMode(PrintMode mode) {
    return mode == PrintMode::WithForm ? 1 : 0;
}

// The caption (with its accelerator) and the tooltip of a mode in the print dialog and the preview.
constexpr const char16_t* PrintModeCaption(PrintMode mode) {
    switch (mode) {
        case PrintMode::Preprinted:
            return formviewstr::kPrintPreprinted;
        case PrintMode::WithForm:
            return formviewstr::kPrintWithForm;
    }
    return formviewstr::kPrintPreprinted;
}
constexpr const char16_t* PrintModeTip(PrintMode mode) {
    switch (mode) {
        case PrintMode::Preprinted:
            return formviewstr::kTipPrintPreprinted;
        case PrintMode::WithForm:
            return formviewstr::kTipPrintWithForm;
    }
    return formviewstr::kTipPrintPreprinted;
}

}  // namespace tarvex
