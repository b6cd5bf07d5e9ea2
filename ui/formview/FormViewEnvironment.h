#pragma once
// What a form view needs from the application that shows it.

#include <QString>
#include <functional>

namespace tarvex {

// The screen a view chooses its first zoom and its mapping for. Zeros: ask the screen the view is
// shown on. Tests fix it, so that zoom and pixel positions do not depend on the machine.
struct ScreenInfo {
    int desktopHeight = 0;
    bool windows8OrLater = false;
    int dpi = 0;
};

// Handed to the view when it is built; tests hand in their own. Parts left empty: the view keeps
// the variant itself, beeps and shows messages itself, and has no help.
struct FormViewEnvironment {
    std::function<int()> currentVariant;  // the application's current form variant
    std::function<void(int)> setCurrentVariant;
    std::function<void()> beep;                   // the system's error sound
    std::function<void(const QString&)> message;  // a message box with OK
    std::function<int()> helpContext;             // the application's help context
    std::function<void(int)> setHelpContext;
    std::function<void(int)> showHelp;    // opens the help at a context
    std::function<int()> language;        // index of the fixed two-language texts
    std::function<QString()> dataFolder;  // where the master-data tables live by default
    ScreenInfo screen;
};

}  // namespace tarvex
