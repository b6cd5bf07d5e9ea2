#pragma once
// Text rules of the field edit window that need no window.

#include <string>

namespace tarvex {

// Clean-up after pasting into a field: a line feed without a carriage return before it gets
// one, trailing white space goes, and a text enclosed in double quotes loses both quotes.
std::u16string CleanPastedText(std::u16string text);

// The window's plain text (lines separated by LF) as the store keeps it (CR LF), and back.
std::u16string WindowToStoreText(const std::u16string& text);
std::u16string StoreToWindowText(const std::u16string& text);

}  // namespace tarvex
