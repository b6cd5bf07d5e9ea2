#pragma once
// German texts of the D.V.1 document, in one place (string-table ids in the names).

namespace tarvex::dv1str {

// Shown after opening a file that was not taken over (the load message's id is the number).
inline constexpr char16_t kMsg18[] =
    u"Dies ist kein bekanntes Dokumentformat und\nkann daher nicht geöffnet werden!";
inline constexpr char16_t kMsg19[] =
    u"Dies ist ein Dokument einer älteren Version\nund kann nicht geöffnet werden!";
inline constexpr char16_t kMsg20[] =
    u"Dies ist ein Dokument einer neueren Version\nund kann nicht geöffnet werden!";

// Appending a page beyond what the page-mode word can count.
inline constexpr char16_t kMsgPageLimit[] =
    u"Eine Zollwertanmeldung D.V.1 kann höchstens 255 Seiten haben.\nEs kann keine weitere Seite "
    u"hinzugefügt werden.";

// Status pane 1 of the view: the page with the caret and the page count.
inline constexpr char16_t kStatusPage[] = u"D.V.1 - Seite %1 von %2";
// Status pane 0 while the caret is in the details field of questions 7, 8 or 9 ("%1" "7 (a)").
inline constexpr char16_t kStatusQuestion[] =
    u"Frage %1: Alt+J kreuzt JA an, Alt+N kreuzt NEIN an, Alt+Pfeil ab wählt die nächste Frage";

// After the calculation (F3), in the status bar: how many fields kept a text that is no amount
// ("%1"), and the first of them as kNotAnAmount says it.
inline constexpr char kNotAnAmountCount[] = "%1 Felder sind keine Beträge (rot markiert). %2";
inline constexpr char kCalculationDone[] = "Berechnung der Seiten 2 bis %1 ausgeführt.";

// Causes of a failed open (UTF-8, "%1", "%2" filled with commonstr::Args).
inline constexpr char kDamagedFile[] = "Die Datei ist beschädigt oder unvollständig: %1";
inline constexpr char kBadPageCount[] = "Ungültige Seitenzahl %1 (2 bis 255)";
inline constexpr char kFrontTextsMissing[] = "Die Datei enthält nur %1 der 12 Felder der Vorderseite";
inline constexpr char kPageTextsMissing[] = "Die Texte der Seite %1 fehlen in der Datei";
inline constexpr char kBadCheckCount[] = "Die Datei enthält %1 statt 14 Ankreuzfelder";
inline constexpr char kNoEndMark[] = "Das Endezeichen der Datei fehlt";
inline constexpr char kNotDv1Fields[] =
    "Die Feldtabelle der Datei gehört nicht zu einer D.V.1 (%1 Felder auf Seite 1, %2 auf den "
    "Folgeseiten)";

// The value calculation leaves a text that is no amount as typed; the clerk is told where.
// "%1" the field as kLabelOnPage names it, "%2" the text.
inline constexpr char kNotAnAmount[] = "%1: \"%2\" ist kein Betrag und wurde nicht verändert";
// When a document opens, its texts that are no amounts are not marked yet: "%1" how many (or
// the field), then the field and the text.
inline constexpr char kNotAnAmountOnOpen[] =
    "%1: \"%2\" ist kein Betrag. Rot markiert wird das Feld nach der Berechnung (F3).";
inline constexpr char kNotAmountsOnOpen[] =
    "%1 Felder enthalten keinen Betrag, zuerst %2: \"%3\". Rot markiert werden sie nach der "
    "Berechnung (F3).";

// Field labels in messages, as the boxes are printed on the form ("Seite 2, Feld 13 (c), Ware 1").
inline constexpr char kLabelOnPage[] = "Seite %1, %2";
inline constexpr char kLabelField[] = "Feld ";
inline constexpr char kLabelItem[] = ", Ware ";
inline constexpr const char* kLabelFront[12] = {"1", "2 (a)", "2 (b)", "3",     "4",      "5",
                                                "6", "7 (c)", "8 (b)", "9 (b)", "10 (a)", "10 (b)"};
// Fields 0-27 of a back or BIS front; the goods item follows where the field belongs to one.
inline constexpr const char* kLabelContinuation[28] = {"Ware(Pos)",
                                                       "11 (a), Währung",
                                                       "11 (a), Rechnungswährung",
                                                       "11 (a), Umrechnungskurs",
                                                       "11 (a), nationale Währung",
                                                       "11 (b), Umrechnungskurs",
                                                       "11 (b)",
                                                       "13 (a)",
                                                       "13 (b)",
                                                       "13 (c)",
                                                       "14 (a)",
                                                       "14 (b)",
                                                       "14 (c)",
                                                       "14 (d)",
                                                       "15",
                                                       "16",
                                                       "17, Text",
                                                       "17",
                                                       "17 (a), Text",
                                                       "17 (a)",
                                                       "17 (b), Text",
                                                       "17 (b)",
                                                       "17 (c), Text",
                                                       "17 (c)",
                                                       "19",
                                                       "20",
                                                       "21",
                                                       "22"};
inline constexpr const char* kLabelTotals[4] = {"12", "18", "23", "24"};
inline constexpr const char* kLabelNote[4] = {"Anmerkung *), Bezug", "Anmerkung *), Betrag",
                                              "Anmerkung *), Umrechnungskurs", "Zusätzliche Angaben"};

}  // namespace tarvex::dv1str
