#pragma once
// German texts of the form view framework: field store and its dialogs (print, margins, print
// corrections, field definitions), in one place.

namespace tarvex::formviewstr {

// Causes of a damaged field-store block (UTF-8).
inline constexpr char kTooManyFields[] = "Zu viele Felder auf Seite 1";
inline constexpr char kTooManyContinuationFields[] = "Zu viele Felder je Folgeseite";
inline constexpr char kTextsAndFormatsDiffer[] =
    "Anzahl der Texte und Formate von Seite 1 stimmt nicht überein";
inline constexpr char kPageModeMismatch[] = "Seitenmodus und Folgeseiten stimmen nicht überein";
inline constexpr char kBadPageMode[] = "Ungültiger Seitenmodus";

// The print dialog (its caption keeps the program's spelling).
inline constexpr char16_t kPrintCaptionSad[] = u"Einheitspaier bedrucken";
inline constexpr char16_t kPrintCaptionDv1[] = u"D.V.1 Formular bedrucken";
inline constexpr char16_t kPrintPage[] = u"Seite %1 drucken";
inline constexpr char16_t kPrintPageDv1[] = u"Seite %1 drucken - D.V.1";
inline constexpr char16_t kPrintPageDv1Bis[] = u"Seite %1 drucken - D.V.1 BIS";

// Buttons and tool tips shared by the form-view dialogs; the English twins belong to the dialogs
// that follow the program's language setting.
inline constexpr char16_t kBtnOK[] = u"OK";
inline constexpr char16_t kBtnAbbruch[] = u"Abbruch";
inline constexpr char16_t kBtnAbbrechen[] = u"Abbrechen";
inline constexpr char16_t kBtnAbbrechenEn[] = u"Abort";
inline constexpr char16_t kBtnHilfe[] = u"Hilfe";
inline constexpr char16_t kBtnHilfeEn[] = u"Help";
inline constexpr char16_t kTipCancel[] = u"Dialog abbrechen";
inline constexpr char16_t kTipHelp[] = u"Aufruf der On-Line Hilfe";
inline constexpr char16_t kTipSaveAndClose[] = u"Dialog beenden und alle Einstellungen sichern";

// The print dialog's controls.
inline constexpr char16_t kPrinterGroup[] = u" Ausgewählter Drucker ";
inline constexpr char16_t kOrientation[] = u"Ausrichtung:";
inline constexpr char16_t kReusePrinter[] = u"Immer diesen Drucker verwenden";
inline constexpr char16_t kTipReusePrinter[] = u"Drucker wird beim nächsten Druck wieder ausgewählt";
inline constexpr char16_t kChoosePrinter[] = u"Druckerauswahl";
inline constexpr char16_t kTipChoosePrinter[] = u"Aufruf des Dialogs zur Druckereinrichtung";
inline constexpr char16_t kPrintJobGroup[] = u" Druckvorgaben ";
inline constexpr char16_t kTipPrintPage[] = u"Auswahl der zu druckenden Seite";
inline constexpr char16_t kTipCopies[] = u"Anzahl der Kopien, die gedruckt werden sollen";
inline constexpr char16_t kCopiesLabel[] = u"Anzahl &Kopien:";
inline constexpr char16_t kTipPrintOK[] = u"Dialog beenden und Dokument drucken";
// The PDF file a job would write ("%1"); its name is asked for before the pages are drawn.
inline constexpr char16_t kPdfOutputFile[] = u"Datei: %1 (Name und Ordner werden vor dem Druck abgefragt)";
inline constexpr char16_t kCopiesOutOfRange[] = u"Bitte geben Sie eine Zahl zwischen 1 und 9 ein.";

// Print modes, page ranges, preview, progress and the calibration sheet.
inline constexpr char16_t kPrintModeGroup[] = u" Druckart ";
inline constexpr char16_t kPrintPreprinted[] = u"a&uf Vordruck";
inline constexpr char16_t kPrintWithForm[] = u"mit &Formular";
inline constexpr char16_t kTipPrintPreprinted[] =
    u"Nur die Eintragungen auf das vorgedruckte Formular drucken";
inline constexpr char16_t kTipPrintWithForm[] = u"Formular und Eintragungen auf leeres Papier drucken";
inline constexpr char16_t kRangeOnePage[] = u"&Seite:";
inline constexpr char16_t kRangeCurrent[] = u"&Aktuelle Seite (%1)";
inline constexpr char16_t kRangeFromTo[] = u"Seiten &von";
inline constexpr char16_t kRangeTo[] = u"&bis";
inline constexpr char16_t kRangeAll[] = u"A&lle Seiten (%1)";
inline constexpr char16_t kTipRange[] = u"Diese Seiten werden in einem Druckauftrag gedruckt";
inline constexpr char16_t kBtnPreview[] = u"Vo&rschau...";
inline constexpr char16_t kTipPreview[] = u"Zeigt, was der Drucker erhält, bevor gedruckt wird";
inline constexpr char16_t kRangeInvalid[] = u"Die Seiten %1 bis %2 gibt es in diesem Dokument nicht.";
inline constexpr char16_t kCopiesInvalid[] = u"Die Anzahl der Kopien muss mindestens 1 sein.";
inline constexpr char16_t kPreviewTitle[] = u"Druckvorschau";
inline constexpr char16_t kPreviewPrint[] = u"&Drucken...";
inline constexpr char16_t kPreviewClose[] = u"S&chließen";
inline constexpr char16_t kPreviewZoomIn[] = u"Vergrößern";
inline constexpr char16_t kPreviewZoomOut[] = u"Verkleinern";
inline constexpr char16_t kPreviewFitWidth[] = u"Seitenbreite";
inline constexpr char16_t kPreviewFitPage[] = u"Ganze Seite";
inline constexpr char16_t kPreviewPrev[] = u"Vorige Seite";
inline constexpr char16_t kPreviewNext[] = u"Nächste Seite";
inline constexpr char16_t kPreviewPageOf[] = u"Seite %1 von %2";
inline constexpr char16_t kProgressTitle[] = u"Drucken";
inline constexpr char16_t kProgressText[] = u"Seite %1 von %2 wird gedruckt...";
inline constexpr char16_t kProgressCancel[] = u"Abbrechen";
inline constexpr char16_t kPrintCancelled[] = u"Der Druck wurde abgebrochen.";
inline constexpr char16_t kCalibrationButton[] = u"&Kalibrierblatt...";
inline constexpr char16_t kTipCalibration[] =
    u"Druckt die Markierungen jeder Blattart mit Millimeterskalen zum Ablesen der Ränder";
inline constexpr char16_t kCalibrationTitle[] = u"Kalibrierblatt - %1";
inline constexpr char16_t kCalibrationHint[] =
    u"Blatt auf den Vordruck legen. Die Skalen an der Markierung zeigen, wie viele Millimeter der Druck "
    u"verschoben werden muss (rechts und unten positiv).";
inline constexpr char16_t kCalibrationMargins[] = u"Eingestellt: %1 mm nach rechts, %2 mm nach unten";
inline constexpr char16_t kCalibrationRuler[] = u"Skalen in mm ab dem Blattrand";

// Printer font sizes.
inline constexpr char16_t kFontSizeTitle[] = u"Schriftgrößen für Druck";
inline constexpr char16_t kFontSizeSad[] = u"Einheitspapier";
inline constexpr char16_t kFontSizeDv1[] = u"D.V.1";

// Print area correction, German and English.
inline constexpr char16_t kSizeCorrTitle[] = u"Druckbereich-Korrektur";
inline constexpr char16_t kSizeCorrTitleEn[] = u"Print Area Correction";
inline constexpr char16_t kSizeCorrWarning[] = u"Diese Einstellungen verändern den Ausdruck!";
inline constexpr char16_t kSizeCorrWarningEn[] = u"This Settings will change the printout!";
inline constexpr char16_t kSizeCorrInput[] = u"Eingabe mit Punkt; kein Komma!";
inline constexpr char16_t kSizeCorrInputEn[] = u"All input with decimal point, no comma";
inline constexpr char16_t kSizeCorrVertical[] = u"Korrektur &vertikal:";
inline constexpr char16_t kSizeCorrVerticalEn[] = u"&Vertical Correction";
inline constexpr char16_t kSizeCorrHorizontal[] = u"Korrektur &horizontal:";
inline constexpr char16_t kSizeCorrHorizontalEn[] = u"&Horizontal Correction";
inline constexpr char16_t kSizeCorrOutOfRange[] = u"Bitte geben Sie eine Zahl zwischen 97 und 103 ein.";
inline constexpr char16_t kSizeCorrOutOfRangeEn[] = u"Please enter a number between 97 and 103.";

// The margin sheet ("%1" is the page number of an untitled page).
inline constexpr char16_t kMarginTitle[] = u"Ränder einstellen";
inline constexpr char16_t kMarginPage[] = u"Seite %1";
inline constexpr char16_t kMarginTooManyPages[] = u"Dialog Ränder - Fehler, zu viele Seiten";
inline constexpr char16_t kMarginIntro[] =
    u"Durch Verschieben der gedruckten Markierung (oben links) können Sie den Text auf dem Formular "
    u"positionieren.";
inline constexpr char16_t kMarginHorizontal[] = u"horizontal";
inline constexpr char16_t kMarginVertical[] = u"vertikal";
inline constexpr char16_t kMarginDontShow[] = u"Vor dem Druck diesen Dialog nicht anzeigen";
inline constexpr char16_t kMarginSheetSad[] = u"Ränder bei Ausdruck (Einheitspapier)";
inline constexpr char16_t kMarginPageSad[] = u"  Einheitspapier ";
inline constexpr char16_t kMarginPageSheets[] = u"  Ergänzungsblätter ";
inline constexpr char16_t kMarginSheetDv1[] = u"Ränder beim Ausdruck für D.V.1";
inline constexpr char16_t kMarginPageDv1Front[] = u" D.V.1 Vorderseite ";
inline constexpr char16_t kMarginPageDv1Back[] = u" D.V.1 Rückseite ";
inline constexpr char16_t kMarginPageDv1BisFront[] = u" D.V.1 BIS Vorderseite ";
inline constexpr char16_t kMarginPageDv1BisBack[] = u" D.V.1 BIS Rückseite ";
// Tool tips of the margin sheet, title and text: L, R, O, U, check box, horizontal value, vertical
// value, Cancel, Help, OK.
inline constexpr const char16_t* kMarginTips[10][2] = {
    {u"Schaltfläche \"links\"", u"Verschiebt die Druckmarkierung 0,5mm nach links"},
    {u"Schaltfläche \"rechts\"", u"Verschiebt die Druckmarkierung 0,5mm nach rechts"},
    {u"Schaltfläche \"oben\"", u"Verschiebt die Druckmarkierung 0,5mm nach oben"},
    {u"Schaltfläche \"unten\"", u"Verschiebt die Druckmarkierung 0,5mm nach unten"},
    {u"Option", u"Verhindert diesen Dialog vor jedem Druckvorgang"},
    {u"Aktueller Wert", u"Der linke Rand wird um diesen Wert verändert"},
    {u"Aktueller Wert", u"Der obere Rand wird um diesen Wert verändert"},
    {u"Schaltfläche \"Abbruch\"", u"Abbruch des Dialogs, ohne die Änderungen zu sichern"},
    {u"Schaltfläche \"Hilfe\"", u"Aufruf der On-Line Hilfe"},
    {u"Schaltfläche \"OK\"", u"Dialog beenden und alle Einstellungen sichern"},
};
inline constexpr const char16_t* kMarginTipsEn[10][2] = {
    {u"Button \"left\"", u"Moves the print mark 0,5mm to the left"},
    {u"Button \"right\"", u"Moves the print mark 0,5mm to the right"},
    {u"Button \"up\"", u"Moves the print mark 0,5mm to the top"},
    {u"Button \"down\"", u"Moves the print mark 0,5mm to the bottom"},
    {u"Option", u"Disables this dialog before printing"},
    {u"Actual value", u"The left margin will be changed with this value"},
    {u"Actual value", u"The top margin will be changed with this value"},
    {u"Button \"Abort\"", u"Close dialog without saving the settings"},
    {u"Button \"Help\"", u"Calls the on-line help"},
    {u"Button \"OK\"", u"Close dialog and save all settings"},
};

// The field-definition dialog.
inline constexpr char16_t kFieldDefsTitle[] = u"Felddefinitionen anpassen";
inline constexpr char16_t kFieldDefsVariants[4][20] = {u"Formular 0737/0738", u"Formular 0747/0748",
                                                       u"Formular 0777/0778", u"Formular 0779/0780"};
inline constexpr char16_t kFieldDefsVariantLabel[] = u"Formular&typ";
inline constexpr char16_t kTipFieldDefsVariant[] = u"Auswahl des Formulartyps";
inline constexpr char16_t kFieldDefsFieldLabel[] = u"&Feld";
inline constexpr char16_t kTipFieldDefsField[] = u"Auswahl des Feldes im Formular";
inline constexpr char16_t kNotEditable[] = u"nicht &editierbar";
inline constexpr char16_t kTipNotEditable[] = u"Feld ist nicht editierbar";
inline constexpr char16_t kNotPrinted[] = u"nicht &drucken";
inline constexpr char16_t kTipNotPrinted[] = u"Daten nicht drucken";
inline constexpr char16_t kHidden[] = u"im &Bildschirm nicht anzeigen";
inline constexpr char16_t kTipHidden[] = u"Daten im Bildschirm verbergen";
inline constexpr char16_t kResetAll[] = u"Originalwerte für alle Felder";
inline constexpr char16_t kTipResetAll[] = u"Alle Felder auf Originalwerte zurücksetzen";

// The edit window's own context menu.
inline constexpr char16_t kMenuCut[] = u"&Ausschneiden\tStrg+X";
inline constexpr char16_t kMenuCopy[] = u"&Kopieren\tStrg+C";
inline constexpr char16_t kMenuPaste[] = u"E&infügen\tStrg+V";

}  // namespace tarvex::formviewstr
