#pragma once
// German texts of the code lists and their dialogs.

namespace tarvex::codestr {

// Country dialog: template title and the titles chosen by the caller's mode.
inline constexpr char16_t kLaendercodes[] = u"Ländercodes";
inline constexpr char16_t kTitleBestimmungsland[] = u"Bestimmungsland";
inline constexpr char16_t kTitleUrsprungsland[] = u"Ursprungsland";
inline constexpr char16_t kTitleVersendungsland[] = u"Versendungsland";
inline constexpr char16_t kTitleErzeugungsland[] = u"Erzeugungsland";
inline constexpr char16_t kLabelLaendercode[] = u"Länder-\n&code";
inline constexpr char16_t kLabelLand[] = u"Land";
inline constexpr char16_t kTipCountryCodes[] = u"In diesem Fenster den ISO-Ländercode auswählen";
inline constexpr char16_t kTipCountryNames[] = u"In diesem Fenster das Land auswählen";

// Box 14: the declarant roles by their "Anmelder" number 1 to 4.
inline constexpr char16_t kAnmelder1057[] = u"Ausführer - 00400";
inline constexpr char16_t kAnmelder1058[] = u"Versender - 00300";
inline constexpr char16_t kAnmelder1059[] = u"Einführer - 00500";
inline constexpr char16_t kAnmelder1060[] = u"Subunternehmer gem. Artikel 789 Zollkodex-DVO";

// Currency dialog.
inline constexpr char16_t kWaehrungscodes[] = u"Währungscodes";
inline constexpr char16_t kLabelIsoCode[] = u"ISO Code";
inline constexpr char16_t kLabelWaehrung[] = u"Währung";
inline constexpr char16_t kTipCurrencyCodes[] = u"In diesem Fenster den ISO-Währungscode auswählen";
inline constexpr char16_t kTipCurrencyNames[] = u"In diesem Fenster die Währung auswählen";

// Federal-state dialog.
inline constexpr char16_t kLaendernummerInland[] = u"Ländernummer (Inland)";
inline constexpr char16_t kTipFederalStates[] = u"In diesem Fenster das Bundesland auswählen";

// Buttons and tooltips the three dialogs share.
inline constexpr char16_t kUebernehmen[] = u"Übernehmen";
inline constexpr char16_t kAbbrechen[] = u"Abbrechen";
inline constexpr char16_t kAbbruch[] = u"Abbruch";
inline constexpr char16_t kHilfe[] = u"Hilfe";
inline constexpr char16_t kTipCancel[] = u"Abbruch des Dialogs, ohne die Änderungen zu sichern";
inline constexpr char16_t kTipOk[] = u"Dialog beenden und alle Daten sichern";
inline constexpr char16_t kTipHelp[] = u"Aufruf der On-Line Hilfe";

// Federal states, string-table entries 1072 to 1088.
inline constexpr char16_t kState1072[] = u"01 - Schleswig-Holstein";
inline constexpr char16_t kState1073[] = u"02 - Hamburg";
inline constexpr char16_t kState1074[] = u"03 - Niedersachsen";
inline constexpr char16_t kState1075[] = u"04 - Bremen";
inline constexpr char16_t kState1076[] = u"05 - Nordrhein-Westfalen";
inline constexpr char16_t kState1077[] = u"06 - Hessen";
inline constexpr char16_t kState1078[] = u"07 - Rheinland-Pfalz";
inline constexpr char16_t kState1079[] = u"08 - Baden-Würtemberg";
inline constexpr char16_t kState1080[] = u"09 - Bayern";
inline constexpr char16_t kState1081[] = u"10 - Saarland";
inline constexpr char16_t kState1082[] = u"11 - Berlin";
inline constexpr char16_t kState1083[] = u"12 - Brandenburg";
inline constexpr char16_t kState1084[] = u"13 - Mecklenburg-Vorpommern";
inline constexpr char16_t kState1085[] = u"14 - Sachsen";
inline constexpr char16_t kState1086[] = u"15 - Sachsen-Anhalt";
inline constexpr char16_t kState1087[] = u"16 - Thüringen";
inline constexpr char16_t kState1088[] = u"99 - Ausland";

// Box 19.
inline constexpr char16_t kContainer0[] = u"0 - Nicht in Container befördert";
inline constexpr char16_t kContainer1[] = u"1 - In Container befördert";

// Box 24, group texts by first digit.
inline constexpr char16_t kTransactionGroup1[] =
    u"Geschäfte mit Eigentumsübertragung (tatsächlich oder beabsichtigt) und mit Gegenleistung (finanziell "
    u"oder anderweitig)";
inline constexpr char16_t kTransactionGroup2[] =
    u"Rücksendung von Waren, die bereits unter Code 1 erfaßt wurden; Ersatzlieferungen ohne Entgelt";
inline constexpr char16_t kTransactionGroup3[] =
    u"Geschäfte (nicht vorübergehender Art) mit Eigentumsübertragung, jedoch ohne Gegenleistung (finanziell "
    u"oder anderweitig)";
inline constexpr char16_t kTransactionGroup4[] = u"Warensendung zur Lohnveredelung oder Reparatur";
inline constexpr char16_t kTransactionGroup5[] = u"Warensendung nach Lohnveredelung oder Reparatur";
inline constexpr char16_t kTransactionGroup6[] =
    u"Vorübergehende Warenverkehre (für nationale Zwecke); ausgenommen die unter Schlüsselnummer 93 zu "
    u"erfassende Warensendungen";
inline constexpr char16_t kTransactionGroup7[] =
    u"Warensendungen im Rahmen gemeinsamer Verteidigungsprogramme oder anderer gemeinsamer "
    u"zwischenstaatlicher "
    u"Produktionsprogramme";
inline constexpr char16_t kTransactionGroup8[] =
    u"Lieferung von Baumaterial und Ausrüstungen im Rahmen von Bau- bzw. Anlagebauarbeiten als Teil eines "
    u"Generalvertrages";
inline constexpr char16_t kTransactionGroup9[] = u"Andere Geschäfte";

// Boxes 25 and 26.
inline constexpr char16_t kTransport1[] = u"1 - Seeverkehr";
inline constexpr char16_t kTransport2[] = u"2 - Eisenbahnverkehr";
inline constexpr char16_t kTransport3[] = u"3 - Straßenverkehr";
inline constexpr char16_t kTransport4[] = u"4 - Luftverkehr";
inline constexpr char16_t kTransport5[] = u"5 - Postsendungen";
inline constexpr char16_t kTransport7[] = u"7 - Festinstallierte Transporteinrichtungen";
inline constexpr char16_t kTransport8[] = u"8 - Binnenschiffahrt";
inline constexpr char16_t kTransport9[] = u"9 - Eigener Antrieb";

}  // namespace tarvex::codestr
