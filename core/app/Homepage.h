#pragma once
// The homepage command: the browser's command line from the file-type association, cut before
// "-nohome" or the quoted placeholder, followed by the publisher's address.

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The publisher's homepage.
inline constexpr char16_t kHomepageUrl[] = u"https://www.tarvex-import.de/";

// Steps 3 and 4 of the command: nothing (no start) when neither "-nohome" nor "\"%1\"" stands at
// a character position of 2 or more.
std::optional<std::u16string> HomepageCommandLine(std::u16string_view browserCommand,
                                                  std::u16string_view url);

// A freedesktop Exec line ("firefox %u") in the form of an association command line: the first
// file or URL field code (%u %U %f %F) becomes the quoted placeholder "\"%1\"", the other field
// codes are dropped, "%%" stays a per cent sign. Empty when the line has no such field code.
std::u16string BrowserCommandFromDesktopExec(std::u16string_view exec);

}  // namespace tarvex
