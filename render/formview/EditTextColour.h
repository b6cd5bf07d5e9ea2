#pragma once
// The colour the typed texts are drawn in, on the screen and in the print, from a form's settings.

#include <QColor>
#include <string_view>

#include "core/settings/SettingsKeys.h"

namespace tarvex {

// "EditTextColor" is stored as 0x00BBGGRR.
inline QColor EditTextColour(Profile& profile, std::string_view section) {
    const int c = settings::Get(profile, section, settings::kEditTextColor);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace tarvex
