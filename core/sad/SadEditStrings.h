#pragma once
// German texts of SAD editing: navigation, pages, goods items and the box dialogs (string-table
// ids in the names where the text has one).

namespace tarvex::sadeditstr {

// --- messages of the view commands
inline constexpr char16_t kMsg22AddPage[] =
    u"Um eine weitere Seite zufügen zu können\nmüssen erst alle Warenpositionen ausgefüllt\nworden "
    u"sein.\n(Sie müssen im Feld 31 jeweils mehr als\n5 Zeichen eingegeben)";
inline constexpr char16_t kMsg23RemovePage[] =
    u"Möchten Sie die letzte Formularseite wirklich\nlöschen? Alle Daten auf dieser Seite werden\n"
    u"gelöscht (mit \"Rückgängig\" lassen sie sich\nwiederherstellen).\n\nMöchten Sie fortfahren und die "
    u"Seite Löschen?";
inline constexpr char16_t kMsg143InsertDate[] = u"Soll das aktuelle Datum eingefügt werden?";
// Status bar panes ("%1" the current page, "%2" the page count) and the insert-mode command.
inline constexpr char16_t kStatusPage[] = u"Einheitspapier - Seite %1 von %2";
inline constexpr char16_t kStatusInsert[] = u"Einfügen";
inline constexpr char16_t kStatusOverwrite[] = u"Überschreiben";
inline constexpr char16_t kInsertModeOff[] = u"Einfügemodus aus&schalten\tEinfg";
inline constexpr char16_t kInsertModeOn[] = u"Einfügemodus ein&schalten\tEinfg";
// "Gehe zu Feld..."
inline constexpr char16_t kGoToTitle[] = u"Gehe zu Feld";
inline constexpr char16_t kGoToPrompt[] = u"&Feld (wie auf dem Formular, z. B. 8, 17 A oder 33-2 B):";
inline constexpr char16_t kGoToItem[] = u"&Warenposition auf diesem Blatt:";
inline constexpr char16_t kMsgGoToUnknownBox[] =
    u"Dieses Feld gibt es auf dem Formular nicht.\nBitte die Feldnummer angeben, die auf dem Formular "
    u"steht (1 bis 54, mit Buchstabe z. B. 17 A).";
inline constexpr char16_t kMsgGoToNotEditable[] =
    u"Dieses Feld kann in diesem Formular nicht ausgefüllt werden.";
inline constexpr char16_t kMsgPageLimit[] =
    u"Ein Einheitspapier kann höchstens 255 Seiten haben.\nEs kann keine weitere Seite hinzugefügt "
    u"werden.";

// --- box 47 dialogs
inline constexpr char16_t kFeld47Title[] = u"Feld 47 - Abgabenberechnung";
inline constexpr char16_t kFeld47SummeTitle[] = u"47 Abgabenberechnung (Zusammenfassung)";
inline constexpr char16_t kZollArtenTitle[] = u"Vorgaben für Zollarten";
inline constexpr char16_t kColArt[] = u"Art";
inline constexpr char16_t kColBase[] = u"Bemessungsgrundlage";
inline constexpr char16_t kColRate[] = u"Satz";
inline constexpr char16_t kColAmount[] = u"Betrag";
inline constexpr char16_t kColMethod[] = u"ZA";
inline constexpr char16_t kLabelSumme[] = u"Summe:";
inline constexpr char16_t kLabelGS[] = u"GS:";
inline constexpr char16_t kLabelZollart[] = u"Zollart";
inline constexpr char16_t kGroupBedeutung[] = u" Bedeutung: ";
inline constexpr char16_t kBtnOK[] = u"OK";
inline constexpr char16_t kBtnAbbruch[] = u"Abbruch";
inline constexpr char16_t kBtnAbbrechen[] = u"Abbrechen";
inline constexpr char16_t kBtnHilfe[] = u"Hilfe";
inline constexpr char16_t kBtnVorgaben[] = u"Vorgaben";
inline constexpr char16_t kBtnUebernehmen[] = u"Übernehmen";
inline constexpr char16_t kMsgAmountInvalid[] =
    u"Dieser Betrag ist keine Zahl.\n\nBitte geben Sie den Betrag mit Dezimalkomma ein, zum Beispiel "
    u"1.234,56.";
inline constexpr char16_t kMsgAmountTooLarge[] =
    u"Dieser Betrag ist zu groß.\n\nIn Feld 47 sind Beträge bis 99.999.999,99 möglich.";
inline constexpr char16_t kMsgPaymentMethod[] =
    u"In der Spalte ZA sind nur folgende Eingaben zulässig:\n\nB   für Barzahlung\nC   für "
    u"Verrechnungsscheck (Banküberweisung)\nD   für Andere\nE   für Zahlungsaufschub";
inline constexpr char16_t kTipType[] = u"Abgabenart eintragen (siehe Codeliste mit F2)";
inline constexpr char16_t kTipBase[] = u"Bemessungsgrundlage eintragen";
inline constexpr char16_t kTipRate[] = u"Abgabensatz eintragen";
inline constexpr char16_t kTipAmount[] = u"Abgabenbetrag eintragen";
inline constexpr char16_t kTipMethod[] = u"Zahlungsart eintragen (A, C, D, E oder F)";
inline constexpr char16_t kTipTotal[] = u"Summe der Abgabenbeträge";
inline constexpr char16_t kTipVorgaben[] = u"Dialog für Abgabenarten öffnen";
inline constexpr char16_t kTipCancel[] = u"Dialog abbrechen";
inline constexpr char16_t kTipOK[] = u"Daten in Dokument übernehmen und den Dialog beenden";
inline constexpr char16_t kTipHelp[] = u"Aufruf der On-Line Hilfe";

// --- box input dialogs opened on entering a field
inline constexpr char16_t kTextInputTitle[] = u"Texteingabe";
inline constexpr char16_t kFeld44Title[] = u"Feld 44";
inline constexpr char16_t kFeld44Label[] =
    u"44 Besondere Vermerke / Vorgelegte Unterlagen / Bescheinigungen und Genehmigungen";
inline constexpr char16_t kFeld44Check[] =
    u"Hinsichtlich aller angemeldeten Waren zum vollen Vorsteuerabzug berechtigt.";
inline constexpr char16_t kTip301Feld44Edit[] = u"Hier Text für Feld 44 eintragen";
inline constexpr char16_t kTip302Feld44Check[] = u"Aktivieren dieser Checkbox erzeugt ein Kreuz im Formular";

// --- box dialogs behind F2
inline constexpr char16_t kDefault01Title[] = u"Vorgaben für Feld 1";
inline constexpr char16_t kDefault01Heading[] = u"1  A N M E L D U N G";
inline constexpr char16_t kDefault19Title[] = u"Vorgaben für Feld 19";
inline constexpr char16_t kDefault20Title[] = u"Vorgaben für Feld 20";
inline constexpr char16_t kDefault24Title[] = u"Art des Geschäfts";
inline constexpr char16_t kDefault25Title[] = u"Vorgaben für Verkehrszweig";
inline constexpr char16_t kDefault29Title[] = u"Zollstellen";
inline constexpr char16_t kDefault36Title[] = u"Vorgaben für Präferenz";
inline constexpr char16_t kDefault54Title[] = u"Aktuelles Datum einfügen";
inline constexpr char16_t kCol29Ort[] = u"Ort";
inline constexpr char16_t kCol29Art[] = u"Art";
inline constexpr char16_t kCol29Zollamt[] = u"Zollamt";
inline constexpr char16_t kCol29Code[] = u"Code";
// The sort of the office list, chosen by keyboard as well.
inline constexpr char16_t kLabel29Sort[] = u"Sortieren &nach:";
inline constexpr char16_t kCheck29Descending[] = u"&absteigend";
inline constexpr char16_t kLabel36First[] = u"Ziffer 1";
inline constexpr char16_t kLabel36Pair[] = u"Ziffer &2 und 3";
inline constexpr char16_t kLabel54Ort[] = u"Ort:";
inline constexpr char16_t kCheck54Merken[] = u"Ortsname merken";
inline constexpr char16_t kBtn54Datum[] = u"Datum einsetzen";
inline constexpr char16_t kTip296Feld24[] =
    u"Hier die Kennzahl auswählen, die Erklärung erscheint rechts von der Liste";
inline constexpr char16_t kTip297Feld25[] = u"Hier den Verkehrsweg auswählen";
inline constexpr char16_t kTip298Feld29[] =
    u"Auswahl der Zollstelle - Klicken auf den Spaltenkopf sortiert die Liste";
inline constexpr char16_t kTip299Feld36[] = u"Kennzahl auswählen";
inline constexpr char16_t kTip300Feld54[] = u"Ortsname eintragen";

// --- goods-item move
inline constexpr char16_t kMoveTitle[] = u"Warenposition verschieben";
inline constexpr char16_t kMoveSourceLabel[] = u"Zu verschiebende Warenposition:";
inline constexpr char16_t kMoveTargetLabel[] = u"verschieben nach:";
inline constexpr char16_t kMoveWarning[] = u"Achtung: Die Daten an der Zielposition werden überschrieben!";
inline constexpr char16_t kMoveEmptySuffix[] = u" (leer)";
inline constexpr char16_t kTipMoveSource[] = u"Auswahl der Warenposition, die Sie verschieben möchten";
inline constexpr char16_t kTipMoveTarget[] = u"Auswahl der Zielposition";
inline constexpr char16_t kTipMoveOK[] = u"Funktion ausführen";

}  // namespace tarvex::sadeditstr
