#pragma once
// German texts of the application shell, in one place (string-table ids in the names).

namespace tarvex::shellstr {

inline constexpr char16_t kAppTitle[] = u"Tarvex-Import";
inline constexpr char16_t kOleError100[] =
    u"OLE-Initialisierungsfehler. Stellen Sie sicher, dass die OLE-Bibliotheken in der richtigen "
    u"Version vorliegen.";
inline constexpr char16_t kBearbeiten271[] = u"Bearbeiten";
inline constexpr char16_t kReady57345[] = u"Bereit";
inline constexpr char16_t kOpenTitle61440[] = u"Öffnen";
inline constexpr char16_t kSaveAsTitle61441[] = u"Speichern unter";
inline constexpr char16_t kAllFiles61442[] = u"Alle Dateien (*.*)";
inline constexpr char16_t kOpenFailed61697[] = u"Fehler beim Öffnen des Dokuments.";
inline constexpr char16_t kSaveFailed61698[] = u"Fehler beim Speichern des Dokuments.";
inline constexpr char16_t kFileNotFound61860[] = u"%1 wurde nicht gefunden.";
inline constexpr char16_t kHelpFailed61703[] = u"Die Hilfe konnte nicht aufgerufen werden.";
// The program's own help window.
inline constexpr char16_t kHelpTitle[] = u"Tarvex-Import Hilfe";
inline constexpr char16_t kHelpContents[] = u"&Inhalt";
inline constexpr char16_t kHelpBack[] = u"&Zurück";
inline constexpr char16_t kHelpForward[] = u"&Vorwärts";
inline constexpr char16_t kHelpOverview[] = u"Ü&bersicht";
inline constexpr char16_t kHelpClose[] = u"S&chließen";
// The framework's question before a modified document is closed.
inline constexpr char16_t kAskToSave61704[] = u"Änderungen in %1 speichern?";

inline constexpr char16_t kToolbarStandard124[] = u"Standard";
inline constexpr char16_t kCustomize125[] = u"Anpassen...";
inline constexpr char16_t kWindows132[] = u"&Fenster...";

inline constexpr char16_t kNewDlgTitle367[] = u"Neues Dokument erzeugen";
inline constexpr char16_t kNewDlgHeading[] = u"Wählen Sie bitte, welches Formular Sie bearbeiten möchten.";
inline constexpr char16_t kNewDlgDV1[] = u"D.V.1";
inline constexpr char16_t kCancel[] = u"Abbruch";
inline constexpr char16_t kOK[] = u"OK";

// The window list (command 132).
inline constexpr char16_t kWindowListTitle[] = u"Fenster";
inline constexpr char16_t kWindowActivate[] = u"&Aktivieren";
inline constexpr char16_t kWindowSave[] = u"&Speichern";
inline constexpr char16_t kWindowClose[] = u"Fenster s&chließen";

// Reset commands.
inline constexpr char16_t kAttention21031[] = u"Achtung!";
inline constexpr char16_t kResetYes21032[] = u"Ja, Werte zurücksetzen, Programm beenden.";
inline constexpr char16_t kResetNo21033[] = u"Nein, zurück zum Programm.";
inline constexpr char16_t kResetFontQuestion21034[] =
    u"Mit diesem Aufruf werden alle werden die\nSchriftgrößenmodifikationen dieses Programms\nauf die "
    u"Ursprungswerte zurückgesetzt!\n\nDas Programm wird anschliessend ohne Rückfrage beendet.\nGeöffnete "
    u"Dateien werden nicht gesichert!";
inline constexpr char16_t kResetFontKey21035[] = u"Software\\%s\\%s\\Font";
inline constexpr char16_t kResetFontTitle21036[] = u"Schriftgrößenmodifikationen löschen";
inline constexpr char16_t kResetWorkspaceQuestion21037[] =
    u"Mit diesem Aufruf werden alle werden die\nMenü- und\nSymbolleisten-Modifikationen dieses "
    u"Programms\nauf "
    u"die Ursprungswerte zurückgesetzt!\n\nDas Programm wird anschliessend ohne Rückfrage "
    u"beendet.\nGeöffnete "
    u"Dateien werden nicht gesichert!";
inline constexpr char16_t kResetWorkspaceKey21038[] = u"Software\\%s\\%s\\Workspace";
inline constexpr char16_t kResetWorkspaceTitle21039[] = u"Menü- und Symbolleisten-Modifikationen löschen";
inline constexpr char16_t kResetAllQuestion21040[] =
    u"Mit diesem Aufruf werden alle Einträge dieses\nProgramms in der Registry gelöscht!\n\nDas Programm "
    u"wird "
    u"anschliessend ohne Rückfrage beendet.\nGeöffnete Dateien werden nicht gesichert!";
inline constexpr char16_t kResetAllKey21041[] = u"Software\\%s\\%s";
inline constexpr char16_t kResetAllTitle21042[] = u"Registry-Einträge dieses Programms löschen";

inline constexpr char16_t kNoBrowser[] =
    u"Das Programm konnte auf Ihrem Rechner\nleider keinen Internet-Browser finden.";
inline constexpr char16_t kFieldDefsNeedClose17[] =
    u"Die Formulardefinitionen können nicht bei geöffneten Dokumenten geändert werden.\nSie haben im "
    u"Anschluss an diese Meldung die Möglichkeit, offenen Dokumente zu schliessen.";
inline constexpr char16_t kPrinterNotFound[] =
    u"Der Drucker %s konnte nicht gefunden werden.\nEs wird der Standarddrucker verwendet.";
// The PDF file output as the print dialog shows it and "Printer" remembers it.
inline constexpr char16_t kPdfPrinter[] = u"PDF-Datei";
inline constexpr char16_t kPrintToPdfTitle[] = u"In PDF-Datei drucken";
inline constexpr char16_t kPdfFilter[] = u"PDF-Dateien (*.pdf)";
inline constexpr char16_t kPrintSetupTitle[] = u"Druckeinrichtung";
// Name of an SAD print job, and of its PDF file when the document has no name ("%1" the page).
inline constexpr char16_t kPrintDocName[] = u"Einheitspapier";
inline constexpr char16_t kPdfPageSuffix[] = u" Seite %1.pdf";
inline constexpr char16_t kPdfPagesSuffix[] = u" Seiten %1-%2.pdf";
inline constexpr char16_t kPdfCalibrationName[] = u"Kalibrierblatt.pdf";
// Before the overflow question of a job of several pages: the page it is about.
inline constexpr char16_t kOverflowOnPage[] = u"Seite %1:\n";
inline constexpr char16_t kPrintFailed[] = u"Das Formular konnte nicht gedruckt werden.";
// Why a job did not reach the printer ("%1" the printer); the spooler's reason follows, if any.
inline constexpr char16_t kPrinterGone[] =
    u"Der Drucker %1 ist nicht mehr eingerichtet.\nBitte wählen Sie über \"Druckerauswahl\" einen "
    u"anderen Drucker.";
inline constexpr char16_t kPrinterStopped[] =
    u"Der Drucker %1 ist angehalten: der Auftrag bliebe in der Warteschlange liegen.";
inline constexpr char16_t kPrinterRejecting[] = u"Der Drucker %1 nimmt keine Aufträge an.";
inline constexpr char16_t kJobRejected[] = u"Der Drucker %1 hat den Auftrag abgelehnt.";
// After a cancelled or failed PDF job ("%1" the file), and the status text after a written one.
inline constexpr char16_t kPdfKept[] = u"Die Datei %1 bleibt unverändert.";
inline constexpr char16_t kPdfNotWritten[] = u"Die Datei %1 wurde nicht angelegt.";
inline constexpr char16_t kPdfWritten[] = u"In PDF-Datei gedruckt: %1";
// The printer set-up chooses the printer; its confirm button does not print.
inline constexpr char16_t kPrintSetupConfirm[] = u"&Übernehmen";

// Registry manager.
inline constexpr char16_t kRegManagerError[] = u"CRegeditManagment-Error";
inline constexpr char16_t kVersionError[] = u"ERROR";
inline constexpr char16_t kNoDataPath[] = u"Fehler, keine Datenpfad";

// Document recovery after a crash ("%1" title, "%2" file or kRecoveryNeverSaved, "%3" time).
inline constexpr char16_t kRecoveryTitle[] = u"Dokumentwiederherstellung";
inline constexpr char16_t kRecoveryHeading[] =
    u"Tarvex-Import wurde nicht ordnungsgemäß beendet.\nDiese Dokumente waren noch nicht gespeichert:";
inline constexpr char16_t kRecoveryHint[] =
    u"Markierte Dokumente werden wiederhergestellt und geöffnet, die übrigen verworfen.\n"
    u"\"Später\" behält alle Dokumente für den nächsten Start.";
inline constexpr char16_t kRecoveryItem[] = u"%1  –  %2  (Stand %3)";
inline constexpr char16_t kRecoveryNeverSaved[] = u"noch nie gespeichert";
inline constexpr char16_t kRecoveryRestore[] = u"&Wiederherstellen";
inline constexpr char16_t kRecoveryLater[] = u"&Später";
inline constexpr char16_t kRecoveryTimeFormat[] = u"dd.MM.yyyy HH:mm";
inline constexpr char16_t kRecoveryWriteFailed[] =
    u"Die Sicherungskopie von \"%1\" für die Wiederherstellung konnte nicht geschrieben werden:\n%2";
inline constexpr char16_t kRecoveryOpenFailed[] =
    u"Das Dokument \"%1\" konnte nicht wiederhergestellt werden. Die Sicherungskopie bleibt erhalten:\n%2";

// One file, one editor ("%1" the file, "%2" the user, "%3" the computer).
inline constexpr char16_t kLockedByOther[] =
    u"Das Dokument \"%1\"\nist bereits von %2 auf dem Rechner %3 geöffnet.\n\n"
    u"Möchten Sie es schreibgeschützt öffnen?\nÄnderungen können Sie dann unter einem anderen Namen "
    u"speichern.";
inline constexpr char16_t kLockedSaveRefused[] =
    u"Das Dokument \"%1\" ist von %2 auf dem Rechner %3 geöffnet und kann nicht überschrieben werden.\n"
    u"Bitte wählen Sie einen anderen Namen.";
inline constexpr char16_t kUnknownUser[] = u"einem anderen Benutzer";
inline constexpr char16_t kReadOnlySuffix[] = u" (schreibgeschützt)";
// The name "Speichern unter" offers in a read-only window: "Einfuhr (Kopie).aef", then
// "Einfuhr (Kopie 2).aef" ...
inline constexpr char16_t kCopySuffix[] = u" (Kopie)";
inline constexpr char16_t kCopySuffixN[] = u" (Kopie %1)";
inline constexpr char16_t kChangedOnDisk[] =
    u"Die Datei \"%1\" wurde seit dem Öffnen außerhalb von Tarvex-Import geändert.\n\n"
    u"Möchten Sie sie trotzdem mit Ihrem Stand überschreiben?";

}  // namespace tarvex::shellstr
