#pragma once
// The help: HTML pages shipped with the program, one page per help context number.

#include <QUrl>
#include <functional>

namespace tarvex {

// The page of a help context; contexts without a page of their own lead to the overview (100).
// The pages are taken from the installed help folder, or written from the program's resources
// into the cache folder. An empty URL when neither is possible.
QUrl HelpPageUrl(int context);
bool HasHelpPage(int context);

// F1 anywhere in the program (main window, document windows, every dialog) calls onHelp, which
// opens the help at the current context. Installing again replaces the handler.
void InstallHelpKey(std::function<void()> onHelp);

}  // namespace tarvex
