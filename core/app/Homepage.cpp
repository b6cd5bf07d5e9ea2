#include "core/app/Homepage.h"

namespace tarvex {

std::optional<std::u16string> HomepageCommandLine(std::u16string_view browserCommand,
                                                  std::u16string_view url) {
    std::u16string_view head;
    const size_t noHome = browserCommand.find(u"-nohome");
    const size_t placeholder = browserCommand.find(u"\"%1\"");
    if (noHome != std::u16string_view::npos && noHome >= 2) {
        head = browserCommand.substr(0, noHome);
    } else if (placeholder != std::u16string_view::npos && placeholder >= 2) {
        head = browserCommand.substr(0, placeholder);
    } else {
        return std::nullopt;
    }
    std::u16string command(head);
    command += url;
    return command;
}

std::u16string BrowserCommandFromDesktopExec(std::u16string_view exec) {
    std::u16string out;
    bool placed = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char16_t c = exec[i];
        if (c != u'%' || i + 1 >= exec.size()) {
            out += c;
            continue;
        }
        const char16_t code = exec[++i];
        if (code == u'%') {
            out += u'%';
        } else if (code == u'u' || code == u'U' || code == u'f' || code == u'F') {
            if (!placed) out += u"\"%1\"";
            placed = true;
        }
        // %i, %c, %k and the deprecated codes expand to nothing here.
    }
    return placed ? out : std::u16string{};
}

}  // namespace tarvex
