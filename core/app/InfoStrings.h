#pragma once
// Texts of the support information, the about and splash windows and the toolbar customising,
// in one place. The support texts exist in German (index 0) and English (index 1).

namespace tarvex::infostr {

// --- support information (dialog 21101 and its report file)
inline constexpr const char16_t* kSupportTitle[2] = {u"Interne Programminformationen",
                                                     u"Internal program information"};
inline constexpr const char16_t* kSaveButton[2] = {u"Daten in Datei sichern", u"Save data to file"};
inline constexpr const char16_t* kTipSystem[2] = {u"Betriebssystem", u"Operating system"};
inline constexpr const char16_t* kTipVersion[2] = {u"Programmdaten", u"Program data"};
inline constexpr const char16_t* kTipOK[2] = {u"Schaltfläche \"OK\"", u"Button \"OK\""};
inline constexpr const char16_t* kTipSave[2] = {u"Schaltfläche \"Daten in Datei sichern\"",
                                                u"Button \"Save data to file\""};
inline constexpr const char16_t* kNotDefined[2] = {u"Nicht definiert", u"Not defined"};
// "%d x %d"; the English line starts with a line break, the German one does not.
inline constexpr const char16_t* kScreenLine[2] = {u"Bildschirmauflösung: ", u"\r\nScreen resolution: "};
inline constexpr const char16_t* kDirectoryLine[2] = {u"\r\nProgrammverzeichnis: ",
                                                      u"\r\nProgram directory: "};
// Where the platform has no Windows version to report: its own name and version.
inline constexpr const char16_t* kSystemLine[2] = {u"\r\nBetriebssystem: ", u"\r\nOperating system: "};
inline constexpr const char16_t* kFileSuffix[2] = {u"_Daten.txt", u"_Data.txt"};
inline constexpr const char16_t* kReportHeading[2] = {u"Umgebungs- und Programmparameter zu ",
                                                      u"Environment and program parameter for "};
inline constexpr const char16_t* kCreated[2] = {u"Erstellt: ", u"Created: "};
inline constexpr const char16_t* kDotNetHeading[2] = {u"Installierte .NET Versionen:\r\n",
                                                      u".NET Versions installed:\r\n"};
inline constexpr const char16_t* kNoDotNet[2] = {u".NET nicht installiert.\r\n", u".NET not installed.\r\n"};
inline constexpr const char16_t* kRecentHeading[2] = {u"\r\nZuletzt benutzte Dateien:\r\n",
                                                      u"\r\nFiles recently used:\r\n"};
inline constexpr const char16_t* kPrinterDriver[2] = {u"Druckertreiber         ", u"Printer Driver         "};
inline constexpr const char16_t* kPrinterPort[2] = {u"Druckerport            ", u"Printer Port           "};
inline constexpr char16_t kPrintProcessor[] = u"PrintProcessor         ";
// "%s" is the file's full path.
inline constexpr const char16_t* kSaved[2] = {u"Die Supportdaten wurden in der Datei\r\n%s\r\ngesichert.",
                                              u"The support data are saved in file\r\n%s"};
inline constexpr const char16_t* kSaveFailed[2] = {u"Die Datei\r\n%s\r\nkonnte nicht geschrieben werden.",
                                                   u"The file\r\n%s\r\ncould not be written."};
inline constexpr char16_t kNotDefinedGerman[] = u"Nicht definiert";
inline constexpr char16_t kVersionDalrek[] = u"Version Dalrek\r\n";
inline constexpr char16_t kAddressFileLine[] = u"Adressdatendatei:    ";
inline constexpr char16_t kArticleFileLine[] = u"Stammdatendatei:     ";
inline constexpr char16_t kRegistryDetails[] = u"\r\nRegistry-Details:\r\n";
inline constexpr char16_t kSadBlock[] = u"\r\nEinheitspapier:\r\n";
inline constexpr char16_t kDv1Block[] = u"\r\nD.V.1:\r\n";

// --- program title and version (string 16)
inline constexpr char16_t kProgramTitle[] = u"Tarvex-Import für Windows";
inline constexpr char16_t kAboutVersion16[] = u"Tarvex-Import für Windows - Version %1";
inline constexpr char16_t kSplashVersion[] = u"Version: %1";

// --- about dialog (template 100)
inline constexpr char16_t kAboutTitle[] = u"Info über Tarvex-Import";
inline constexpr char16_t kAboutSysInfo[] = u"Systeminfo";
inline constexpr char16_t kTipOkLabel256[] = u"Schaltfläche \"OK\"";
inline constexpr char16_t kTipOkText258[] = u"Dialog beenden";
inline constexpr char16_t kTipSysInfoLabel265[] = u"Schaltfläche \"Systeminfo\"";
inline constexpr char16_t kTipSysInfoText266[] =
    u"Aufruf eines Dialogfeldes mit Programm- und Systeminformationen.";
inline constexpr char16_t kTipLinkLabel[] = u"Schaltfläche \"%s\"";
inline constexpr char16_t kTipLinkText269[] =
    u"Aufruf der Webseite %s für weitere Informationen oder Programmupdates";
// The publisher's notice, e-mail and contact block.
inline constexpr char16_t kPublisherNotice[] = u"© Dalrek Zollsoftware GmbH. Alle Rechte vorbehalten.";
inline constexpr char16_t kPublisherMail[] = u"Support: support@tarvex-import.de";
inline constexpr char16_t kContactBlock[] =
    u"Dalrek Zollsoftware GmbH\r\n\r\nAm Zollhafen 12\r\n\r\n20457 Hamburg\r\n\r\nTelefon: +49 40 1234567-0"
    u"\r\n\r\nTelefax: +49 40 1234567-9\r\n\r\nE-Mail: support@tarvex-import.de";
inline constexpr char16_t kInternetPrefix[] = u"\r\nInternet: ";
// The web address as the windows show it (the homepage command opens kHomepageUrl).
inline constexpr char16_t kWebAddress[] = u"www.tarvex-import.de";

// --- toolbar customising (command 126)
inline constexpr char16_t kCustomizeTitle[] = u"Anpassen";
inline constexpr char16_t kToolbarLabel[] = u"&Symbolleiste:";
inline constexpr char16_t kAvailableLabel[] = u"&Verfügbare Befehle:";
inline constexpr char16_t kCurrentLabel[] = u"&Schaltflächen der Symbolleiste:";
inline constexpr char16_t kAdd[] = u"&Hinzufügen >";
inline constexpr char16_t kRemove[] = u"< &Entfernen";
inline constexpr char16_t kUp[] = u"Nach &oben";
inline constexpr char16_t kDown[] = u"Nach &unten";
inline constexpr char16_t kNewToolbar[] = u"&Neu...";
inline constexpr char16_t kRenameToolbar[] = u"&Umbenennen...";
inline constexpr char16_t kDeleteToolbar[] = u"&Löschen";
inline constexpr char16_t kResetToolbar[] = u"&Zurücksetzen";
inline constexpr char16_t kSeparator[] = u"---- Trennlinie ----";
inline constexpr char16_t kToolbarNameTitle[] = u"Symbolleiste";
inline constexpr char16_t kToolbarNamePrompt[] = u"Name der Symbolleiste:";
inline constexpr char16_t kUserToolbarDefault[] = u"Benutzerdefiniert %1";
inline constexpr char16_t kTooManyToolbars[] =
    u"Es können höchstens zehn eigene Symbolleisten angelegt werden.";
inline constexpr char16_t kOK[] = u"OK";
inline constexpr char16_t kAbbrechen[] = u"Abbrechen";

}  // namespace tarvex::infostr
