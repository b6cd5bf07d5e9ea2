#pragma once
// German texts of the form view framework: field store and print dialog, in one place.

namespace tarvex::formviewstr {

// Causes of a damaged field-store block (UTF-8).
inline constexpr char kTooManyFields[] = "Zu viele Felder auf Seite 1";
inline constexpr char kTextsAndFormatsDiffer[] = "Anzahl der Texte und Formate von Seite 1 stimmt nicht überein";
inline constexpr char kPageModeMismatch[] = "Seitenmodus und Folgeseiten stimmen nicht überein";
inline constexpr char kBadPageMode[] = "Ungültiger Seitenmodus";

// The print dialog (its caption keeps the program's spelling).
inline constexpr char16_t kPrintCaptionSad[] = u"Einheitspaier bedrucken";
inline constexpr char16_t kPrintCaptionDv1[] = u"D.V.1 Formular bedrucken";
inline constexpr char16_t kPrintPage[] = u"Seite %1 drucken";
inline constexpr char16_t kPrintPageDv1[] = u"Seite %1 drucken - D.V.1";
inline constexpr char16_t kPrintPageDv1Bis[] = u"Seite %1 drucken - D.V.1 BIS";

}  // namespace tarvex::formviewstr
