#pragma once
// The help: HTML pages shipped inside the program, one page per help context number, shown in the
// program's own help window (no web browser needed).

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

namespace tarvex {

// The page of a help context; contexts without a page of their own lead to the overview (100).
QUrl HelpPageUrl(int context);
bool HasHelpPage(int context);
// The context number of a help page's URL; 0 when the URL is no help page.
int HelpContextOfUrl(const QUrl& url);

// The contents: every help page with its title, the overview first, then by context number.
struct HelpTopic {
    int context = 0;
    QString title;
};
std::vector<HelpTopic> HelpContents();

// F1 anywhere in the program (main window, document windows, every dialog) calls onHelp, which
// opens the help at the current context, for as long as the returned object lives.
std::unique_ptr<QObject> InstallHelpKey(std::function<void()> onHelp);

}  // namespace tarvex
