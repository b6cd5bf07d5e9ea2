#pragma once
// German texts of the file and archive helpers, in one place (UTF-8), and the one function that
// fills the placeholders %1, %2 of the core's message texts.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvex::commonstr {

inline constexpr char kUnexpectedEnd[] = "Unerwartetes Dateiende (%1)";
inline constexpr char kErrorCode[] = "Fehler %1";
inline constexpr char kListTooLong[] = "Textliste mit %1 Einträgen (höchstens %2)";
inline constexpr char kReadIsFolder[] = "Die Datei %1 kann nicht gelesen werden: es ist ein Ordner";
inline constexpr char kCannotOpen[] = "Die Datei %1 kann nicht geöffnet werden: %2";
inline constexpr char kTooLarge[] = "Die Datei %1 ist zu groß für ein Dokument";
inline constexpr char kNotAFile[] =
    "Die Datei %1 kann nicht gelesen werden: sie ist keine gewöhnliche Datei (sondern z. B. ein Gerät oder "
    "eine Pipe)";
inline constexpr char kCannotRead[] = "Die Datei %1 kann nicht gelesen werden";
inline constexpr char kWriteIsFolder[] = "Die Datei %1 kann nicht geschrieben werden: es ist ein Ordner";
inline constexpr char kCannotSave[] = "Die Datei %1 kann nicht gespeichert werden: %2";
inline constexpr char kWriteProtected[] =
    "Die Datei ist schreibgeschützt und wurde nicht verändert: %1\n"
    "Speichern Sie das Dokument bitte unter einem anderen Namen.";
inline constexpr char kOpenElsewhere[] =
    "sie ist in einem anderen Programm geöffnet. Schließen Sie sie dort und versuchen Sie es erneut.";
inline constexpr char kForbiddenName[] =
    "Der Name %1 ist unter Windows als Dateiname nicht erlaubt. Wählen Sie bitte einen anderen Namen.";
inline constexpr char kBrokenLink[] =
    "Die Verknüpfung %1 führt zu keiner vorhandenen Datei (%2) und wird nicht überschrieben.";

// The text with %1, %2, ... replaced by the arguments in order (at most nine); a placeholder
// without an argument stays as it is.
inline std::string Args(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && n < args.size() && n < 9) {
            out += args.begin()[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace tarvex::commonstr
