#pragma once
// German messages of the command-line tool, in one place (UTF-8). The usage line keeps its
// "usage: tarvex" prefix, which scripts look for; the rest speaks as the program does.

namespace tarvex::clistr {

inline constexpr char kUnknownCommand[] = "unbekannter Befehl \"%1\"";
inline constexpr char kSeeHelp[] = "(tarvex --help nennt die Befehle)";
inline constexpr char kNoSuchPage[] = "Die Seite %1 gibt es in diesem Dokument nicht (Seitenzahl: %2).";
inline constexpr char kNoSuchPages[] =
    "Die Seiten %1 bis %2 gibt es in diesem Dokument nicht (Seitenzahl: %3).";
inline constexpr char kIndexPastLastField[] = "--index %1: die Tabelle hat %2 Felder (Positionen 0..%3)";
inline constexpr char kIndexWrongType[] = "--index %1: ein Feld vom Typ '%2' hat keinen Index (nur C oder N)";

}  // namespace tarvex::clistr
