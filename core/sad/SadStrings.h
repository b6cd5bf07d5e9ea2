#pragma once
// German texts of the SAD document, in one place (string-table ids in the names).

namespace tarvex::sadstr {

inline constexpr char16_t kStatus18[] =
    u"Dies ist kein bekanntes Dokumentformat und\nkann daher nicht geöffnet werden!";
inline constexpr char16_t kStatus19[] =
    u"Dies ist ein Dokument einer älteren Version\nund kann nicht geöffnet werden!";

// A load status other than 18 and 19: the number follows, then kStatusOtherEnd.
inline constexpr char16_t kStatusOther[] = u"Das Dokument konnte nicht vollständig gelesen werden (";
inline constexpr char16_t kStatusOtherEnd[] = u").";
// The question before printing: the list of boxes stands between the two parts.
inline constexpr char16_t kOverflowQuestion[] = u"In diesen Feldern passt der Text nicht hinein:\n";
inline constexpr char16_t kOverflowQuestionEnd[] = u"\n\nSoll die Seite trotzdem gedruckt werden?";

// Field labels in messages, as the boxes are printed on the form.
inline constexpr char16_t kLabelField[] = u"Feld ";
inline constexpr char16_t kLabelPage[] = u"Seite ";
inline constexpr char16_t kLabelLine[] = u", Zeile ";
inline constexpr char16_t kLabelTotal[] = u", Summe";
inline constexpr char16_t kLabelGrandTotal[] = u", Gesamtsumme (GS)";
inline constexpr char16_t kLabelDutyColumns[5][20] = {u"Art", u"Bemessungsgrundlage", u"Satz", u"Betrag",
                                                      u"ZA"};
inline constexpr char16_t kLabelSummaryColumns[3][8] = {u"Art", u"Betrag", u"ZA"};
inline constexpr char16_t kLabelLowerRight[] = u"Textfeld unten rechts (";
inline constexpr char16_t kLabelOldPart[] = u" (früherer Text, Teil ";
inline constexpr char16_t kLabelOffSheet[] = u"Feld außerhalb des Blattes";
inline constexpr char16_t kLabelFurtherText[] = u" (weiterer Text)";
inline constexpr char16_t kLabelFurtherTextFrist[] = u" (weiterer Text, Frist)";
inline constexpr char16_t kLabelReference[] = u"Bezugsnummer (oben)";
inline constexpr char16_t kLabelCrossOut[] = u"Streichfläche";

inline constexpr char16_t kGoodsItemFirst[] = u"Position 1 auf Seite 1";
// "%d" is the page number.
inline constexpr char16_t kGoodsItemFmt[3][24] = {u"Position 1 auf Seite %d", u"Position 2 auf Seite %d",
                                                  u"Position 3 auf Seite %d"};

inline constexpr char16_t kVariantMenu[4][48] = {
    u"0737 / 0738 (Bestimmung - Eingang / Einfuhr)", u"0747 / 0748 (Bestimmung - Eingang / Einfuhr)",
    u"0777 / 0778 (Vereinfachte Zollanmeldung)", u"0779 / 0780 (Bestimmung - Eingang / Einfuhr)"};
inline constexpr char16_t kVariantDialog[4][64] = {
    u"Einheitspapier 0737 / 0738 (Bestimmung - Eingang / Einfuhr)",
    u"Einheitspapier 0747 / 0748 (Bestimmung - Eingang / Einfuhr)",
    u"Einheitspapier 0777 / 0778 (Vereinfachte Zollanmeldung)",
    u"Einheitspapier 0779 / 0780 (Bestimmung - Eingang / Einfuhr)"};

// Causes of a failed open (UTF-8, "%1", "%2" filled with commonstr::Args).
inline constexpr char kDamagedFile[] = "Die Datei ist beschädigt oder unvollständig: %1";
inline constexpr char kTooManyCurrencyCodes[] = "Zu viele Währungscodes (%1, höchstens %2)";
inline constexpr char kTooManySheets[] = "Zu viele Ergänzungsblätter (%1)";
inline constexpr char kSheetTextsMissing[] = "Die Texte des Ergänzungsblatts %1 fehlen in der Datei";

// Told once a file written by the export program has been opened.
inline constexpr char16_t kExportFile[] = u"Dies ist eine Export-Einheitspapier-Datei!";
// Tool tip over a box whose text does not fit.
inline constexpr char16_t kTipOverflow[] = u"Text passt nicht in das Feld";
// Printing could not begin on the chosen device.
inline constexpr char16_t kPrintNotStarted[] = u"Der Druck konnte nicht gestartet werden.";
inline constexpr char16_t kPrintNotFinished[] = u"Der Druck konnte nicht abgeschlossen werden.";

// Entries of the field-definition dialog: the page, then the box name.
inline constexpr char16_t kDefinitionEntryPage1[] = u"Seite 1 - ";
inline constexpr char16_t kDefinitionEntryPage2[] = u"Seite 2 - ";

}  // namespace tarvex::sadstr
