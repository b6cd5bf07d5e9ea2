#pragma once
// German texts of the SAD form defaults dialog, in one place (string-table ids in the names).

namespace tarvex::saddefstr {

inline constexpr char16_t kTitle[] = u"Voreinstellungen und Vorgabetexte (Einheitspapier)";
inline constexpr char16_t kGroupFeld8[] = u" Feld 8: Empfänger";
inline constexpr char16_t kGroupFeld14[] = u" Feld 14: Anmelder/Vertreter ";
inline constexpr char16_t kGroupFeld17b[] = u"Feld 17b: Bestimmungsland/Code ";
inline constexpr char16_t kGroupFeld34b[] = u"Feld 34b: Ursprungsland/Code ";
inline constexpr char16_t kUseDefault[] = u"Vorgabetext benutzen";
inline constexpr char16_t kNotOnPage2[] = u"Auf Seite 2 nicht drucken";
inline constexpr char16_t kZollnummer[] = u"Zollnummer";
inline constexpr char16_t kAutoFill[] = u"Automatisches Ausfüllen von Feld 3, 5 und 32 erlauben";
inline constexpr char16_t kStampA[] = u"Stempel im Feld A";
inline constexpr char16_t kStampC[] = u"Stempel im Feld C";
inline constexpr char16_t kAutoDate[] = u"Automatisch das aktuelle Datum im Stempel einsetzen";
inline constexpr char16_t kThreeLine[] = u"Feld 2 und Feld 5 im Stempel dreizeilig.";
inline constexpr char16_t kShowXX[] = u"XXX in unbenutzten Feldern anzeigen";
inline constexpr char16_t kOK[] = u"OK";
inline constexpr char16_t kAbbruch[] = u"Abbruch";
inline constexpr char16_t kHilfe[] = u"Hilfe";

// Tooltips 272 to 290.
inline constexpr char16_t kTipAddress[] = u"Eintragen: Firmenname und Adresse des Versenders/Ausführers";
inline constexpr char16_t kTipZollNummer1[] = u"Eintragen: Zollnummer des Versenders/Ausführers";
inline constexpr char16_t kTipZollNummer2[] = u"Eintragen: Zollnummer des Anmelders/Vertereters";
inline constexpr char16_t kTipState17[] = u"Auswählen: Bestimmungsland";
inline constexpr char16_t kTipAnmelder[] = u"Auswählen: Standardtext";
inline constexpr char16_t kTipState34[] = u"Auswählen: Ursprungsland";
inline constexpr char16_t kTipUseDefault[] = u"Aktiviert die Angaben für jedes neue Dokument";
inline constexpr char16_t kTipAutoFill[] = u"Aktiviert die automatische Befüllung der Felder 3, 5 und 32";
inline constexpr char16_t kTipNotOnPage2[] = u"Deaktiviert die Angaben für die Ergänzungsblätter";
inline constexpr char16_t kTipStampA[] = u"Aktiviert den Stempel im Feld A";
inline constexpr char16_t kTipStampC[] = u"Aktiviert den Stempel im Feld C";
inline constexpr char16_t kTipAutoDate[] = u"Fügt automatisch das aktuelle Datum im Stempel ein";
inline constexpr char16_t kTipThreeLine[] = u"Ermöglicht eine dreizeilige Eingabe im Stempelfeld 2 und 5";
inline constexpr char16_t kTipCancel[] = u"Abbruch des Dialogs, ohne die Änderungen zu sichern";
inline constexpr char16_t kTipHelp[] = u"Aufruf der On-Line Hilfe";
inline constexpr char16_t kTipOK[] = u"Dialog beenden und alle Daten sichern";

inline constexpr char16_t kSaved[] =
    u"Die Vorgabedaten wurden gesichert\nund werden beim nächsten neuen\nDokument benutzt.";

// Before an address is stored that box 8 cannot hold: "%1" the line count, "%2" the line numbers.
inline constexpr char16_t kAddressTooManyLines[] =
    u"Die Adresse für Feld 8 hat %1 Zeilen. Gesichert werden nur die ersten vier Zeilen.";
inline constexpr char16_t kAddressLinesTooLong[] =
    u"Zeile %2 der Adresse für Feld 8 ist länger als 49 Zeichen und wird nach dem 49. Zeichen "
    u"abgeschnitten.";
inline constexpr char16_t kAddressLinesTooLongMany[] =
    u"Die Zeilen %2 der Adresse für Feld 8 sind länger als 49 Zeichen und werden nach dem 49. "
    u"Zeichen abgeschnitten.";
inline constexpr char16_t kAddressQuestion[] =
    u"Sollen die Vorgaben trotzdem so gesichert werden?\n\"Nein\" führt zurück zur Adresse.";

// Federal states 1072 to 1087 ("99 - Ausland" is not offered here).
inline constexpr const char16_t* kStates[16] = {u"01 - Schleswig-Holstein",
                                                u"02 - Hamburg",
                                                u"03 - Niedersachsen",
                                                u"04 - Bremen",
                                                u"05 - Nordrhein-Westfalen",
                                                u"06 - Hessen",
                                                u"07 - Rheinland-Pfalz",
                                                u"08 - Baden-Würtemberg",
                                                u"09 - Bayern",
                                                u"10 - Saarland",
                                                u"11 - Berlin",
                                                u"12 - Brandenburg",
                                                u"13 - Mecklenburg-Vorpommern",
                                                u"14 - Sachsen",
                                                u"15 - Sachsen-Anhalt",
                                                u"16 - Thüringen"};

}  // namespace tarvex::saddefstr
