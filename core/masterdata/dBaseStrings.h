#pragma once
// German texts of the dBase table engine, in one place (UTF-8).

namespace tarvex::dbfstr {

// The framework's standard report for a failed document open, and the one for a foreign format.
inline constexpr char kOpenFailed[] = "Fehler beim Öffnen des Dokuments.";
inline constexpr char kUnexpectedFormat[] = "Unerwartetes Dateiformat.";

// Causes given with kUnexpectedFormat or kOpenFailed.
inline constexpr char kEmptyFile[] = "Die Datei ist leer.";
inline constexpr char kVersionFmt[] = "Versionsbyte 0x%02X; gelesen werden dBase-III-Tabellen (0x03, 0x83).";
inline constexpr char kShortHeader[] = "Der Dateikopf ist unvollständig (%zu von 32 Byte).";
inline constexpr char kHeaderLengthFmt[] = "Die Kopflänge %u ist kleiner als 33 Byte.";
inline constexpr char kDescriptorsPastEnd[] =
    "Die Feldbeschreibungen (%u Felder, bis Byte %zu) reichen über das Dateiende hinaus.";
inline constexpr char kRecordLengthFmt[] = "Die Satzlänge %u liegt nicht zwischen 1 und 4000 Byte.";
inline constexpr char kFieldPastRecord[] = "Das Feld %s (Nr. %u) reicht über die Satzlänge %u hinaus.";
inline constexpr char kNumericTooWide[] =
    "Das numerische Feld %s ist %u Byte breit (höchstens 19 ohne, 29 mit Nachkommastellen).";
inline constexpr char kHeaderNotWritten[] = "Der Dateikopf konnte nicht geschrieben werden.";
inline constexpr char kBadDefinition[] = "Ungültige Felddefinition: %s";
inline constexpr char kBadFieldName[] = "Feldname \"%s\" (1 bis 10 Zeichen)";
inline constexpr char kBadFieldLength[] = "Feld %s mit der Länge %u (1 bis 255)";
inline constexpr char kBadDecimals[] = "Feld %s mit %u Nachkommastellen (höchstens 255)";
inline constexpr char kTooManyFields[] = "mehr als 2046 Felder";

// Causes of the system, in the program's language.
inline constexpr char kCauseNotFound[] = "Die Datei oder der Ordner ist nicht vorhanden.";
inline constexpr char kCauseAccess[] = "Der Zugriff wurde verweigert.";
inline constexpr char kCauseReadOnlyFs[] = "Das Laufwerk ist schreibgeschützt.";
inline constexpr char kCauseNoSpace[] = "Auf dem Laufwerk ist kein Platz mehr frei.";
inline constexpr char kCauseIsFolder[] = "Der Pfad ist ein Ordner.";
inline constexpr char kCauseNotFolder[] = "Ein Teil des Pfades ist kein Ordner.";
inline constexpr char kCauseBusy[] = "Die Datei wird von einem anderen Programm verwendet.";

}  // namespace tarvex::dbfstr
