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

// tarvex fill and tarvex schema: a fault of the JSON names its path ("pages[2].fields[7].text").
inline constexpr char kJsonSyntax[] = "kein gültiges JSON (Byte %1: %2)";
inline constexpr char kJsonNotObject[] = "erwartet wird ein JSON-Objekt";
inline constexpr char kJsonWrongType[] = "erwartet wird %1";
inline constexpr char kJsonTypeString[] = "ein Text";
inline constexpr char kJsonTypeInteger[] = "eine ganze Zahl";
inline constexpr char kJsonTypeArray[] = "eine Liste";
inline constexpr char kJsonTypeObject[] = "ein Objekt";
inline constexpr char kJsonTypeBool[] = "true oder false";
inline constexpr char kJsonBadVariant[] = "der Wert %1 ist keine Formularart (0, 1, 2, 3 oder %2)";
inline constexpr char kJsonNotTakenOver[] =
    "die Datei wurde mit Meldung %1 gelesen und nicht übernommen; daraus wird kein Dokument geschrieben";
inline constexpr char kJsonUnknownKey[] = "unbekannter Schlüssel";
inline constexpr char kJsonOutOfRange[] = "der Wert %1 liegt nicht zwischen %2 und %3";
inline constexpr char kJsonWrongFormat[] = "das Format \"%1\" passt nicht zur Ausgabedatei (%2)";
inline constexpr char kJsonPageBeyond[] = "die Seite %1 gibt es nicht (ein Dokument hat höchstens %2 Seiten)";
inline constexpr char kJsonUnknownIndex[] = "die Seite %1 hat kein Feld %2 (Felder 0 bis %3)";
inline constexpr char kJsonUnknownBox[] = "die Seite %1 hat kein Feld \"%2\"";
inline constexpr char kJsonNeedsField[] = "\"index\" oder \"box\" fehlt";
inline constexpr char kJsonBothField[] = "\"index\" und \"box\" zugleich";
inline constexpr char kJsonTextTooLong[] = "der Text ist %1 Zeichen lang; %2 fasst höchstens %3 Zeichen";
inline constexpr char kJsonTextCut[] = "der Text wurde auf %1 Zeichen gekürzt";
inline constexpr char kJsonAlignWords[] = "\"left\", \"centre\" oder \"right\"";
inline constexpr char kJsonPageModeMismatch[] = "der Wert %1 passt nicht zu %2 Seiten (erwartet %3)";
inline constexpr char kJsonSkipped[] = "übergangen";
inline constexpr char kJsonNotWritten[] = "%1 Fehler; es wurde keine Datei geschrieben";

}  // namespace tarvex::clistr
