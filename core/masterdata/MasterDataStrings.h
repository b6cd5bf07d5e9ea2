#pragma once
// German texts of the address database, the article master data and the data-file options.

namespace tarvex::mdstr {

// --- address database ("Adressdaten")
inline constexpr char16_t kAddressTitle[] = u"Adressdaten";
inline constexpr char16_t kAskRecreate[] = u"Soll die Datenbankdatei neu erstellt werden?";
inline constexpr char16_t kFirstEntry[] = u"Erster Eintrag";
inline constexpr char16_t kZollnummerLabel[] = u"Zollnummer:";
inline constexpr char16_t kEdit[] = u"Bearbeiten";
inline constexpr char16_t kNewRecord[] = u"Neuer Datensatz";
inline constexpr char16_t kTakeOver[] = u"Übernehmen";
inline constexpr char16_t kSave[] = u"Speichern";
inline constexpr char16_t kCancel[] = u"Abbrechen";
inline constexpr char16_t kTipAddressList[] = u"Auflistung aller gespeicherten Datensätze";
inline constexpr char16_t kTipAddressEdit[] = u"Ausgewählten Datensatz editieren";
inline constexpr char16_t kTipAddressNew[] = u"Neuen Datensat erstellen";
inline constexpr char16_t kTipAddressText[] = u"Hier können Sie die Daten editieren";
inline constexpr char16_t kTipCustomsNumber[] = u"Eingebe der Zollnummer des Empfängers";
inline constexpr char16_t kTipCancelNoSave[] = u"Abbruch des Dialogs, ohne die Änderungen zu sichern";
inline constexpr char16_t kTipTakeOver[] = u"Daten in Dokument übernehmen und den Dialog beenden";

// --- article master data ("Stammdateneingabe")
inline constexpr char16_t kArticleTitle[] = u"Stammdateneingabe";
inline constexpr char16_t kArticleSelectTitle[] = u"Stammdatenauswahl";
inline constexpr char16_t kGroupSelection[] = u" Auswahl ";
inline constexpr char16_t kGroupInput[] = u" Eingabe ";
inline constexpr char16_t kGroupContents[] = u" Inhalt ";
inline constexpr char16_t kLabelBox31[] = u"31 Zeichen und Nummern - Container Nr. - Anzahl und Art";
inline constexpr char16_t kLabelBox33[] = u"33 Warennummer";
inline constexpr char16_t kLabelBox34[] = u"34 Ursprungsland Code";
inline constexpr char16_t kDefaults[] = u"Vorgaben";
inline constexpr char16_t kEditieren[] = u"Editieren";
inline constexpr char16_t kOk[] = u"OK";
inline constexpr char16_t kAbbruch[] = u"Abbruch";
inline constexpr char16_t kHelp[] = u"Hilfe";
inline constexpr char16_t kTipByDescription[] = u"Datensatzauswahl nach Bezeichnung";
inline constexpr char16_t kTipByCode[] = u"Datensatzauswahl nach Warennummer";
inline constexpr char16_t kTipDescription[] = u"Eingabe des Textes für Feld 31";
inline constexpr char16_t kTipCode[] = u"Eingabe der Warennummer (Feld 33)";
inline constexpr char16_t kTipOrigin[] = u"Eingabe des Ursprungslandes (Feld 34)";
inline constexpr char16_t kTipArticleEdit[] = u"Ausgewählen Datensatz editieren";
inline constexpr char16_t kTipArticleNew[] = u"Neuen Datensatz erstellen";
inline constexpr char16_t kTipDefaults[] = u"Dialog für Ursprungsland öffnen (auch mit F2 möglich)";
inline constexpr char16_t kTipArticleCancel[] = u"Dialog abbrechen";
inline constexpr char16_t kTipHelp[] = u"Aufruf der On-Line Hilfe";

// --- data-file options ("Programmeinstellungen")
inline constexpr char16_t kOptionsTitle[] = u"Programmeinstellungen";
inline constexpr char16_t kGroupSad[] = u" Einheitspapier ";
inline constexpr char16_t kLabelAddressFile[] = u"Datenbankdatei für Adressdaten (Feld 2 und 8)";
inline constexpr char16_t kLabelArticleFile[] = u"Datenbankdatei für Warendaten (Feld 31, 33, 34)";
inline constexpr char16_t kBrowse[] = u"....";
inline constexpr char16_t kInitialise[] = u"Initialisierung";
inline constexpr char16_t kGroupPrint[] = u" Druck ";
inline constexpr char16_t kPaperCheck[] = u"Papierformat überprüfen";
inline constexpr char16_t kFileDialogTitle[] = u"Datendatei auswählen";
inline constexpr char16_t kFileDialogFilter[] = u"Datenbankdateien (*.dbf)";
inline constexpr char16_t kTipAddressFileTitle[] = u"Datenbankdatei mit Adressdaten";
inline constexpr char16_t kTipAddressFile[] = u"Hier den Speicherort für die Adressdatenbankdatei eintragen";
inline constexpr char16_t kTipArticleFileTitle[] = u"Datenbankdatei mit Warendaten";
inline constexpr char16_t kTipArticleFile[] =
    u"Hier den Speicherort für die Datenbankdatei mit Ihren Warendaten eintragen";
inline constexpr char16_t kTipBrowseTitle[] = u"Dateidialog";
inline constexpr char16_t kTipBrowse[] =
    u"Hier können Sie den Dateidialog aufrufen, um die Datei zu suchen und zu benennen.";
inline constexpr char16_t kTipInitTitle[] = u"Datei initialisieren";
inline constexpr char16_t kTipInit[] =
    u"Mit dieser Schaltfläche erzeugen Sie eine neue Datenbankdatei.\nACHTUNG: Eine eventuell vorhandene "
    u"Datei mit Daten wird überschrieben!";
inline constexpr char16_t kTipPaperCheckTitle[] = u"Papierformatprüfung";
inline constexpr char16_t kTipPaperCheck[] =
    u"Aktiviert eine Papierformatprüfung vor dem Aufruf des Dialogs \"Drucken\"";
inline constexpr char16_t kTipOptionsOk[] = u"Dialog beenden und alle Einstellungen sichern";
// The program does not restart anything after a re-initialisation, so the old sentence that
// announced a restart of Windows is left out.
inline constexpr char16_t kAskInitAddresses[] =
    u"Mit dieser Option wird die aktuelle Datenbankdatei\nfür die Adressdaten gelöscht und eine neue, "
    u"leere\nDatei angelegt. Alle bisherigen Daten werden gelöscht!\n\nMöchten Sie wirklich die Datei "
    u"initialisieren?";
inline constexpr char16_t kAskInitArticles[] =
    u"Mit dieser Option wird die aktuelle Datenbankdatei\nfür die Warendaten gelöscht und eine neue, "
    u"leere\nDatei angelegt. Alle bisherigen Daten werden gelöscht!\n\nMöchten Sie wirklich die Datei "
    u"initialisieren?";

// --- texts of this program beside the old ones: search, lines that do not fit, failed writes
inline constexpr char16_t kFilterLabel[] = u"Suchen:";
inline constexpr char16_t kFilterAddresses[] = u"Name, Anschrift, Zollnummer";
inline constexpr char16_t kFilterArticles[] = u"Text oder Warennummer";
// The question names its buttons, so they carry these texts whatever translation Qt has.
inline constexpr char16_t kYes[] = u"Ja";
inline constexpr char16_t kNo[] = u"Nein";
inline constexpr char16_t kFitTitle[] = u"Text passt nicht in die Datenbankdatei";
inline constexpr char16_t kFitIntro[] = u"Nicht alles passt in die Datenbankdatei:";
inline constexpr char16_t kFitQuestion[] =
    u"Sollen die Texte so gekürzt gespeichert werden?\n(\"Nein\": zurück zur Eingabe, um sie zu ändern)";
inline constexpr char16_t kFitTooManyLinesFmt[] = u"- Zeilen ab Zeile %1 fallen weg (höchstens %2 Zeilen).";
inline constexpr char16_t kFitLineTooLongFmt[] = u"- Zeile %1 ist %2 Zeichen lang (höchstens %3).";
inline constexpr char16_t kFitFieldTooLongFmt[] = u"- %1 ist %2 Zeichen lang (höchstens %3).";
inline constexpr char16_t kFitDescription[] = u"Die Warenbeschreibung";
inline constexpr char16_t kFitCustomsNumber[] = u"Die Zollnummer";
inline constexpr char16_t kFitCodeFmt[] = u"Feld %1";
inline constexpr char16_t kWriteFailed[] =
    u"Der Datensatz konnte nicht in die Datenbankdatei geschrieben werden. Die Eingabe bleibt im "
    u"Dialog erhalten.";
// A table of another layout is neither read nor changed: the dialog says so instead of showing
// entries it cannot take over.
inline constexpr char16_t kWrongArticleLayoutFmt[] =
    u"Die Datei \"%1\" ist keine Artikeldatei (erwartet werden %2 oder %3 Textfelder). Ihre Einträge "
    u"werden nicht angezeigt, und die Datei wird nicht geändert.";
inline constexpr char16_t kWrongAddressLayoutFmt[] =
    u"Die Datei \"%1\" ist keine Adressdatei (erwartet werden %2 Textfelder). Ihre Einträge werden "
    u"nicht angezeigt, und die Datei wird nicht geändert.";
// A table that is not there yet (first use) is no error: one plain question.
inline constexpr char16_t kAskCreateMissingFmt[] =
    u"Die Adressdatei \"%1\" ist noch nicht vorhanden.\n\nSoll sie jetzt angelegt werden?";
inline constexpr char16_t kChangedElsewhere[] =
    u"Der Artikel wurde inzwischen an einem anderen Arbeitsplatz geändert oder gelöscht und ist "
    u"nicht überschrieben worden. Die Liste zeigt jetzt den gespeicherten Stand; Ihre Eingabe bleibt "
    u"im Dialog erhalten (\"Abbruch\" zeigt den gespeicherten Artikel, \"Speichern\" ersetzt ihn).";
inline constexpr char16_t kLoading[] = u"Die Datenbankdatei wird gelesen ...";
inline constexpr char16_t kNoDataFolder[] = u"Es ist kein Datenordner für die Datenbankdateien bekannt.";

// --- CSV import and export of the address and article tables
inline constexpr char16_t kCsvUtf8[] = u"UTF-8";
inline constexpr char16_t kCsvUtf8Bom[] = u"UTF-8 mit BOM";
inline constexpr char16_t kCsvWindows1252[] = u"Windows-1252";
inline constexpr char16_t kCsvUnclosedQuote[] =
    u"Das Anführungszeichen am Anfang dieses Werts wird nie geschlossen.";
inline constexpr char16_t kCsvTextAfterQuote[] = u"Nach dem schließenden Anführungszeichen folgt noch Text.";
inline constexpr char16_t kCsvTooManyCellsFmt[] = u"Die Datei hat mehr als %1 Werte.";
inline constexpr char16_t kCsvNoHeader[] = u"Die Datei enthält keine Kopfzeile mit den Feldnamen.";
inline constexpr char16_t kCsvRowColumnFmt[] = u"Zeile %1, Spalte \"%2\": %3";
inline constexpr char16_t kCsvRowFmt[] = u"Zeile %1: %2";
inline constexpr char16_t kCsvUnknownColumn[] =
    u"Die Tabelle hat kein Feld dieses Namens (eine andere Zuordnung oder \"nicht übernehmen\" wählen).";
inline constexpr char16_t kCsvUnknownFieldFmt[] =
    u"Die Zuordnung nennt das Feld \"%1\", das die Tabelle nicht hat.";
inline constexpr char16_t kCsvDuplicateFieldFmt[] = u"Das Feld %1 ist schon der Spalte \"%2\" zugeordnet.";
inline constexpr char16_t kCsvCellCountFmt[] = u"%1 Werte, die Kopfzeile hat %2 Spalten.";
inline constexpr char16_t kCsvTooLongFmt[] = u"Der Text ist %1 Zeichen lang, das Feld %2 fasst %3.";
inline constexpr char16_t kCsvCutFmt[] = u"Der Text wurde auf %1 Zeichen gekürzt (Feld %2).";
inline constexpr char16_t kCsvUnmappableFmt[] =
    u"Das Zeichen \"%1\" kann in der Tabelle (Windows-1252) nicht gespeichert werden.";
inline constexpr char16_t kCsvNotANumber[] = u"Der Wert ist keine Zahl.";
inline constexpr char16_t kCsvNumberTooWideFmt[] = u"Die Zahl passt nicht in das Feld %1 (%2 Stellen).";
inline constexpr char16_t kCsvBadDate[] = u"Der Wert ist kein Datum (TT.MM.JJJJ).";
inline constexpr char16_t kCsvUnsupportedTypeFmt[] = u"Felder vom Typ '%1' werden nicht eingelesen.";
inline constexpr char16_t kCsvWrongLayoutFmt[] = u"Die Datei \"%1\" hat nicht die Felder einer %2.";
inline constexpr char16_t kCsvAddressTable[] = u"Adressdatei";
inline constexpr char16_t kCsvArticleTable[] = u"Artikeldatei";
inline constexpr char16_t kCsvWriteFailed[] =
    u"Die Datensätze konnten nicht in die Datenbankdatei geschrieben werden; die Tabelle ist unverändert.";
inline constexpr char16_t kCsvLockFailed[] =
    u"Die Datenbankdatei ist von einem anderen Programm gesperrt; es wurde nichts eingelesen.";
inline constexpr char16_t kCsvReadFailed[] = u"Die Datenbankdatei konnte nicht gelesen werden.";
inline constexpr char16_t kCsvNothingImportedFmt[] = u"Es wurde nichts eingelesen (%1 Fehler).";
inline constexpr char16_t kCsvImportedFmt[] = u"%1 Datensätze eingelesen.";
inline constexpr char16_t kImport[] = u"Importieren…";
inline constexpr char16_t kExport[] = u"Exportieren…";
inline constexpr char16_t kCsvImportTitle[] = u"CSV-Datei importieren";
inline constexpr char16_t kCsvExportTitle[] = u"CSV-Datei exportieren";
inline constexpr char16_t kCsvEncodingLabel[] = u"&Zeichensatz:";
inline constexpr char16_t kCsvSeparatorLabel[] = u"&Trennzeichen:";
inline constexpr char16_t kCsvSemicolon[] = u"Semikolon (;)";
inline constexpr char16_t kCsvComma[] = u"Komma (,)";
inline constexpr char16_t kCsvTab[] = u"Tabulator";
inline constexpr char16_t kCsvSkipColumn[] = u"(nicht übernehmen)";
inline constexpr char16_t kCsvCutLabel[] = u"Zu lange Texte &kürzen";
inline constexpr char16_t kCsvPreviewFmt[] =
    u"Erste Zeile: Zuordnung der Spalten zu den Feldern. Vorschau der ersten %1 von %2 Zeilen:";
inline constexpr char16_t kCsvConfirmFmt[] = u"Sollen %1 Zeilen in die Datei \"%2\" übernommen werden?";
inline constexpr char16_t kCsvImportButton[] = u"&Importieren";
inline constexpr char16_t kCsvReading[] = u"Die CSV-Datei wird eingelesen ...";
inline constexpr char16_t kCsvWriting[] = u"Die CSV-Datei wird geschrieben ...";
inline constexpr char16_t kCsvFileFilter[] = u"CSV-Dateien (*.csv *.txt);;Alle Dateien (*)";
inline constexpr char16_t kCsvExportFilter1252[] = u"CSV, Windows-1252 (*.csv)";
inline constexpr char16_t kCsvExportFilterUtf8[] = u"CSV, UTF-8 (*.csv)";
inline constexpr char16_t kCsvExportedFmt[] = u"%1 Datensätze in \"%2\" geschrieben.";
inline constexpr char16_t kCsvFileNotRead[] = u"Die Datei \"%1\" konnte nicht gelesen werden.";
inline constexpr char16_t kCsvReportCut[] = u"Gekürzte Texte:";
inline constexpr char16_t kCsvReportFaults[] = u"Nicht eingelesen, weil:";

}  // namespace tarvex::mdstr
