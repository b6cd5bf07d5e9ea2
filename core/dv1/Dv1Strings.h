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
// "%1" page, "%2" field, "%3" the text.
inline constexpr char kNotAnAmount[] = "Seite %1, Feld %2: \"%3\" ist kein Betrag und wurde nicht verändert";

}  // namespace tarvex::dv1str
