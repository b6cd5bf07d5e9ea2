#pragma once
// The button row of the small modal dialogs: OK and Cancel with their captions and tooltips,
// optionally "Hilfe". OK accepts and Cancel rejects the dialog; the help button's signal is left
// to the caller.

#include <string_view>

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace tarvex {

struct DialogButtonTexts {
    std::u16string_view ok, okTip;
    std::u16string_view cancel, cancelTip;
    std::u16string_view help, helpTip;  // empty: no help button
};

QDialogButtonBox* MakeDialogButtons(QDialog* dialog, const DialogButtonTexts& texts);
// The help button of a row made above, or nullptr.
QPushButton* HelpButton(QDialogButtonBox* buttons);

}  // namespace tarvex
