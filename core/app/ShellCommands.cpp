#include "core/app/ShellCommands.h"

#include <map>

namespace tarvex {
namespace {

using K = MenuEntry::Kind;

MenuEntry C(int id, std::u16string_view text) {
    return {K::Command, id, text, {}};
}
MenuEntry Sep() {
    return {K::Separator, 0, {}, {}};
}
MenuEntry Sub(std::u16string_view text, std::vector<MenuEntry> items, int id = 0) {
    return {K::Submenu, id, text, std::move(items)};
}
MenuEntry Mru() {
    return {K::RecentFiles, cmd::kMruFile1, u"Letzte Datei", {}};
}

// Every entry has an access key of its own within its menu, and shows the keys that run it
// (Strg, Umschalt, Rück, Einfg, Pos1 and Ende as a German keyboard labels them).
MenuEntry FileMenu(bool withDocument) {
    std::vector<MenuEntry> items{C(cmd::kNew, u"&Neu\tStrg+N"), C(cmd::kOpen, u"Ö&ffnen...\tStrg+O"),
                                 C(cmd::kClose, u"&Schließen\tStrg+F4")};
    // "S&peichern": the S belongs to "&Schließen".
    if (withDocument)
        items.insert(items.end(),
                     {C(cmd::kSave, u"S&peichern\tStrg+S"), C(cmd::kSaveAs, u"Speichern &unter...")});
    items.push_back(Sep());
    if (withDocument) items.push_back(C(cmd::kPrint, u"&Drucken...\tStrg+P"));
    items.push_back(C(cmd::kPrintSetup, u"Dru&ckeinrichtung..."));
    items.insert(items.end(), {Sep(), Mru(), Sep(), C(cmd::kAbout, u"&Info über Tarvex-Import..."), Sep(),
                               C(cmd::kExit, u"&Beenden\tAlt+F4")});
    return Sub(u"&Datei", std::move(items));
}

MenuEntry ViewMenu(bool withZoom) {
    std::vector<MenuEntry> items{Sub(u"&Symbolleisten und Andockfenster", {}, cmd::kToolbars),
                                 C(cmd::kStatusBar, u"Status&leiste")};
    if (withZoom)
        items.insert(items.end(), {Sep(), C(cmd::kZoomIn, u"Anzeige &größer\tStrg+Plus"),
                                   C(cmd::kZoomOut, u"Anzeige &kleiner\tStrg+Minus")});
    return Sub(u"&Ansicht", std::move(items));
}

MenuEntry HelpMenu() {
    return Sub(u"&Hilfe",
               {C(cmd::kHelpContents, u"Hilfe Inhal&t"), C(cmd::kHelpGeneral, u"&Hilfe allgemein\tF1"), Sep(),
                C(cmd::kHomepage, u"H&omepage im Internet...")});
}

MenuEntry InsertDefaultsEntry() {
    return C(cmd::kInsertDefaults, u"V&orgaben einfügen...\tF2");
}

std::vector<MenuEntry> EditingEntries(std::u16string_view pasteText) {
    return {C(cmd::kUndo, u"&Rückgängig\tAlt+Rück"), C(cmd::kCut, u"&Ausschneiden\tStrg+X"),
            C(cmd::kCopy, u"&Kopieren\tStrg+C"), C(cmd::kPaste, pasteText),
            C(cmd::kSelectAll, u"Alles &markieren\tStrg+A"),
            // The view replaces the text by the one for the present mode (both with this key).
            C(cmd::kInsertMode, u"Einfügemodus aus&schalten\tEinfg")};
}

std::vector<MenuEntry> FontAndAlignEntries() {
    return {C(cmd::kFontLarger, u"Schrift &größer"),
            C(cmd::kFontSmaller, u"Schrift k&leiner"),
            C(cmd::kFontBold, u"Schrift &fett"),
            Sep(),
            C(cmd::kAlignLeft, u"&Text linksbündig\tStrg+L"),
            C(cmd::kAlignCenter, u"Text &zentriert\tStrg+Z"),
            C(cmd::kAlignRight, u"Text re&chtsbündig\tStrg+R")};
}

std::vector<MenuEntry> FieldEntries() {
    return {C(cmd::kNextField, u"&Nächstes Eingabefeld\tTab"),
            C(cmd::kPrevField, u"&Voheriges Eingabefeld\tUmschalt+Tab")};
}

std::vector<MenuEntry> PageEntries() {
    return {C(cmd::kNextPage, u"&Nächste Seite\tStrg+Rechts"),
            C(cmd::kPrevPage, u"&Vorherige Seite\tStrg+Links"),
            C(cmd::kFirstPage, u"&Erste Seite\tStrg+Pos1"), C(cmd::kLastPage, u"&Letzte Seite\tStrg+Ende"),
            C(cmd::kAddPage, u"Seite hin&zufügen\tF10")};
}

// A clerk's shortcut from box to box by the number printed on the form.
MenuEntry GoToFieldEntry() {
    return C(cmd::kGoToField, u"Ge&he zu Feld...\tStrg+G");
}

MenuEntry EditMenu(bool sad) {
    std::vector<MenuEntry> items{InsertDefaultsEntry(), Sep()};
    for (auto& e : EditingEntries(u"E&infügen\tStrg+V")) items.push_back(e);
    // Redo belongs to the document-wide undo; the context menus keep the edit window's entries.
    items.insert(items.begin() + 3, C(cmd::kRedo, u"&Wiederholen\tStrg+Y"));
    items.push_back(Sep());
    if (sad) {
        items.insert(items.end(), {C(cmd::kMoveGoodsItem, u"Warenposition verschie&ben..."),
                                   C(cmd::kRemoveLastPage, u"Letzte Formularseite &entfernen")});
    } else {
        // The yes/no boxes of questions 7 to 9 by keyboard, from their details field.
        items.insert(items.end(), {C(cmd::kDv1Calculate, u"&Berechnung der Seite 2,3,4...\tF3"), Sep(),
                                   C(cmd::kDv1AnswerYes, u"Frage mit &JA beantworten\tAlt+J"),
                                   C(cmd::kDv1AnswerNo, u"Frage mit N&EIN beantworten\tAlt+N"),
                                   C(cmd::kDv1NextQuestion, u"Näc&hste Frage\tAlt+Pfeil ab")});
    }
    items.push_back(Sep());
    for (auto& e : FieldEntries()) items.push_back(e);
    if (sad) items.push_back(GoToFieldEntry());
    items.push_back(Sep());
    for (auto& e : FontAndAlignEntries()) items.push_back(e);
    if (sad) items.insert(items.end(), {Sep(), C(cmd::kUpdateFields, u"Felder &3, 5 und 32 aktualisieren")});
    return Sub(u"&Bearbeiten", std::move(items));
}

MenuEntry ProgramOptionsEntry() {
    return C(cmd::kProgramOptions, u"&Programmvorgaben und Einstellungen...");
}

std::vector<MenuEntry> BuildMenu128() {
    return {FileMenu(false),
            Sub(u"&Optionen", {C(cmd::kPrinterFonts, u"&Druckerschriftgrößen korrigieren..."),
                               C(cmd::kFieldDefinitions, u"Formularfelder (Einheitspapier) def&inieren..."),
                               C(cmd::kMasterData, u"Sta&mmdaten...\tF7"), Sep(), ProgramOptionsEntry()}),
            ViewMenu(false), HelpMenu()};
}

std::vector<MenuEntry> BuildMenu130() {
    std::vector<MenuEntry> form = PageEntries();
    // The access key is the digit that tells the four forms apart.
    form.insert(form.end(), {Sep(), C(cmd::kVariant0, u"07&37 / 0738 (Bestimmung - Eingang / Einfuhr)"),
                             C(cmd::kVariant1, u"07&47 / 0748 (Bestimmung - Eingang / Einfuhr)"),
                             C(cmd::kVariant2, u"07&77 / 0778 (Vereinfachte Zollanmeldung)"),
                             C(cmd::kVariant3, u"077&9 / 0780 (Bestimmung - Eingang / Einfuhr)")});
    return {FileMenu(true),
            EditMenu(true),
            Sub(u"&Optionen",
                {C(cmd::kMasterData, u"Sta&mmdaten...\tF7"),
                 C(cmd::kFormDefaults, u"&Formularvorgaben...\tF8"), C(cmd::kMargins, u"&Ränder...\tF9"),
                 C(cmd::kPrinterFonts, u"&Druckerschriftgrößen korrigieren..."),
                 C(cmd::kFieldDefinitions, u"Formularfelder def&inieren..."), Sep(), ProgramOptionsEntry()}),
            Sub(u"&Formular", std::move(form)),
            ViewMenu(true),
            HelpMenu()};
}

std::vector<MenuEntry> BuildMenu131() {
    return {FileMenu(true),
            EditMenu(false),
            Sub(u"&Optionen", {C(cmd::kMargins, u"&Ränder...\tF9"),
                               C(cmd::kPrinterFonts, u"&Druckerschriftgrößen korrigieren..."), Sep(),
                               ProgramOptionsEntry()}),
            Sub(u"&Formular", PageEntries()),
            ViewMenu(true),
            HelpMenu()};
}

std::vector<MenuEntry> BuildContext119() {
    std::vector<MenuEntry> items = EditingEntries(u"&Einfügen\tStrg+V");
    items.push_back(Sep());
    for (auto& e : FontAndAlignEntries()) items.push_back(e);
    return items;
}

std::vector<MenuEntry> BuildContext132() {
    std::vector<MenuEntry> items{InsertDefaultsEntry(), Sep()};
    for (auto& e : EditingEntries(u"&Einfügen\tStrg+V")) items.push_back(e);
    items.push_back(Sep());
    for (auto& e : FieldEntries()) items.push_back(e);
    items.insert(items.end(), {GoToFieldEntry(), Sep()});
    for (auto& e : FontAndAlignEntries()) items.push_back(e);
    return items;
}

// String-table entries of the commands: prompt, newline, tooltip.
const std::map<int, std::u16string_view>& CommandStrings() {
    static const std::map<int, std::u16string_view> strings{
        {cmd::kNew, u"Erstellt ein neues Dokument\nNeu"},
        {cmd::kOpen, u"Öffnet ein bestehendes Dokument\nÖffnen"},
        {cmd::kClose, u"Schließt das aktive Dokument\nSchließen"},
        {cmd::kSave, u"Speichert das aktive Dokument\nSpeichern"},
        {cmd::kSaveAs, u"Speichert das aktive Dokument unter einem neuen Namen\nSpeichern unter"},
        {cmd::kPrintSetup, u"Ändert die Druckereinstellungen\nDruckeinrichtung"},
        {cmd::kPrint, u"Druckt eine Seite des aktiven Dokuments\nDrucken"},
        {cmd::kMruFile1, u"Öffnet dieses Dokument"},
        {cmd::kAbout, u"Zeigt Programminformationen, Versionsnummer und Copyright an\nInfo"},
        {cmd::kExit, u"Beendet die Anwendung; fragt, ob Dokumente gespeichert werden sollen\nBeenden"},
        {cmd::kHelpContents, u"Zeigt das Inhaltsverzeichnis der Hilfe an\nHilfe Inhalt"},
        {cmd::kHelpGeneral, u"Zeigt die Hilfe zum aktuellen Programmteil an\nHilfe"},
        {cmd::kNextPane, u"Wechselt zum nächsten Fensterausschnitt\nNächster Ausschnitt"},
        {cmd::kPrevPane, u"Wechselt zum vorherigen Fensterausschnitt\nVorheriger Ausschnitt"},
        {cmd::kCopy, u"Kopiert die Markierung in die Zwischenablage\nKopieren"},
        {cmd::kCut, u"Schneidet die Markierung aus und legt sie in die Zwischenablage\nAusschneiden"},
        {cmd::kPaste, u"Fügt den Inhalt der Zwischenablage ein\nEinfügen"},
        {cmd::kSelectAll, u"Markiert den ganzen Text des Eingabefeldes\nAlles markieren"},
        {cmd::kUndo, u"Macht die letzte Änderung rückgängig\nRückgängig"},
        {cmd::kRedo, u"Stellt die zuletzt rückgängig gemachte Änderung wieder her\nWiederholen"},
        {cmd::kInsertDefaults, u"Fügt Vorgaben in das aktuelle Feld ein\nVorgaben einfügen (F2)"},
        {cmd::kInsertMode, u"Schaltet zwischen Einfügen und Überschreiben um\nEinfügemodus"},
        {cmd::kNextField, u"Springt zum nächsten Eingabefeld\nNächstes Eingabefeld"},
        {cmd::kPrevField, u"Springt zum vorherigen Eingabefeld\nVorheriges Eingabefeld"},
        {cmd::kFontLarger, u"Vergrößert die Schrift des aktuellen Feldes\nSchrift größer"},
        {cmd::kFontSmaller, u"Verkleinert die Schrift des aktuellen Feldes\nSchrift kleiner"},
        {cmd::kFontBold, u"Schaltet die fette Schrift des aktuellen Feldes ein oder aus\nSchrift fett"},
        {cmd::kAlignLeft, u"Richtet den Text des aktuellen Feldes links aus\nLinksbündig"},
        {cmd::kAlignCenter, u"Zentriert den Text des aktuellen Feldes\nZentriert"},
        {cmd::kAlignRight, u"Richtet den Text des aktuellen Feldes rechts aus\nRechtsbündig"},
        {cmd::kGoToField,
         u"Setzt die Schreibmarke in ein Feld, das Sie mit seiner Nummer angeben\nGehe zu Feld"},
        {cmd::kUpdateFields, u"Füllt die Felder 3, 5 und 32 neu aus\nFelder 3, 5 und 32 aktualisieren"},
        {cmd::kMoveGoodsItem,
         u"Verschiebt eine Warenposition an eine andere Stelle\nWarenposition verschieben"},
        {cmd::kRemoveLastPage, u"Entfernt das letzte Ergänzungsblatt\nLetzte Formularseite entfernen"},
        {cmd::kDv1Calculate, u"Berechnet die Werte der Seiten 2, 3, 4 ...\nBerechnung (F3)"},
        {cmd::kDv1AnswerYes,
         u"Kreuzt JA der Frage an, deren Einzelheiten im Feld mit der Schreibmarke stehen\nJA ankreuzen"},
        {cmd::kDv1AnswerNo,
         u"Kreuzt NEIN der Frage an, deren Einzelheiten im Feld mit der Schreibmarke stehen\nNEIN ankreuzen"},
        {cmd::kDv1NextQuestion, u"Wählt die nächste Frage des Feldes für JA und NEIN\nNächste Frage"},
        {cmd::kMargins, u"Stellt die Druckränder des Formulars ein\nRänder (F9)"},
        {cmd::kPrinterFonts, u"Korrigiert die Schriftgrößen beim Drucken\nDruckerschriftgrößen"},
        {cmd::kFormDefaults, u"Legt die Vorgaben für neue Formulare fest\nFormularvorgaben (F8)"},
        {cmd::kMasterData, u"Bearbeitet die Artikel-Stammdaten\nStammdaten (F7)"},
        {cmd::kProgramOptions, u"Legt die Programmvorgaben und Dateipfade fest\nProgrammvorgaben"},
        {cmd::kFieldDefinitions,
         u"Legt fest, welche Formularfelder angezeigt, bearbeitet und gedruckt werden\n"
         u"Formularfelder definieren"},
        {cmd::kNextPage, u"Zeigt die nächste Formularseite\nNächste Seite"},
        {cmd::kPrevPage, u"Zeigt die vorherige Formularseite\nVorherige Seite"},
        {cmd::kFirstPage, u"Zeigt die erste Formularseite\nErste Seite"},
        {cmd::kLastPage, u"Zeigt die letzte Formularseite\nLetzte Seite"},
        {cmd::kAddPage, u"Fügt eine Formularseite hinzu\nSeite hinzufügen (F10)"},
        {cmd::kVariant0, u"Stellt das Formular 0737 / 0738 ein\nFormular 0737 / 0738"},
        {cmd::kVariant1, u"Stellt das Formular 0747 / 0748 ein\nFormular 0747 / 0748"},
        {cmd::kVariant2, u"Stellt das Formular 0777 / 0778 ein\nFormular 0777 / 0778"},
        {cmd::kVariant3, u"Stellt das Formular 0779 / 0780 ein\nFormular 0779 / 0780"},
        {cmd::kToolbars, u"Blendet Symbolleisten ein oder aus\nSymbolleisten"},
        {cmd::kStatusBar, u"Blendet die Statusleiste ein oder aus\nStatusleiste ein/aus"},
        {cmd::kZoomIn, u"Vergrößert die Ansicht des Dokuments im Bildschirm\nAnsicht vergrößern"},
        {cmd::kZoomOut, u"Verkleinert die Ansicht des Dokuments im Bildschirm\nAnsicht verkleinern"},
        {cmd::kHomepage, u"Öffnet die Homepage des Herstellers im Internet-Browser\nHomepage"},
        {cmd::kSupportInfo, u"Zeigt Informationen für den Support an\nSupport-Informationen"},
        {cmd::kResetFonts,
         u"Setzt die Schriftgrößen auf die Ursprungswerte zurück\nSchriftgrößen zurücksetzen"},
        {cmd::kResetWorkspace,
         u"Setzt Menü- und Symbolleisten auf die Ursprungswerte zurück\n"
         u"Menüs zurücksetzen"},
        {cmd::kResetAll, u"Löscht alle Einstellungen dieses Programms\nEinstellungen löschen"},
        {cmd::kPrintAreaCorrection, u"Korrigiert den Druckbereich\nDruckbereich korrigieren"},
        {cmd::kCustomize, u"Passt Symbolleisten und Menüs an\nAnpassen"},
        {cmd::kWindowList, u"Verwaltet die geöffneten Fenster\nFenster"},
    };
    return strings;
}

}  // namespace

const std::vector<MenuEntry>& MenuResource(int menuId) {
    static const std::vector<MenuEntry> m128 = BuildMenu128(), m130 = BuildMenu130(), m131 = BuildMenu131(),
                                        none;
    switch (menuId) {
        case kMenuNoDocument:
            return m128;
        case kMenuSad:
            return m130;
        case kMenuDv1:
            return m131;
        default:
            return none;
    }
}

const std::vector<MenuEntry>& ContextMenuResource(int menuId) {
    static const std::vector<MenuEntry> m119 = BuildContext119(), m132 = BuildContext132(), none;
    if (menuId == kContextMenuEdit) return m119;
    if (menuId == kContextMenuSad) return m132;
    return none;
}

const std::vector<int>& StandardToolbarButtons() {
    using namespace cmd;
    static const std::vector<int> buttons{kExit,
                                          0,
                                          kNew,
                                          kOpen,
                                          kSave,
                                          0,
                                          kCut,
                                          kCopy,
                                          kPaste,
                                          kInsertDefaults,
                                          0,
                                          kZoomIn,
                                          kZoomOut,
                                          0,
                                          kFontLarger,
                                          kFontSmaller,
                                          kFontBold,
                                          0,
                                          kAlignLeft,
                                          kAlignCenter,
                                          kAlignRight,
                                          0,
                                          kDv1Calculate,
                                          0,
                                          kMargins,
                                          kPrint,
                                          0,
                                          kFirstPage,
                                          kPrevPage,
                                          kNextPage,
                                          kLastPage,
                                          kAddPage,
                                          0,
                                          kAbout,
                                          kHelpGeneral};
    return buttons;
}

const std::vector<Accelerator>& AcceleratorTable() {
    using namespace cmd;
    static const std::vector<Accelerator> table{
        {"Ctrl+N", kNew},
        {"Ctrl+O", kOpen},
        {"Ctrl+S", kSave},
        {"Ctrl+P", kPrint},
        {"Ctrl+F4", kClose},
        {"Alt+F4", kExit},
        {"Ctrl+C", kCopy},
        {"Ctrl+Ins", kCopy},
        {"Ctrl+X", kCut},
        {"Shift+Del", kCut},
        {"Ctrl+V", kPaste},
        {"Shift+Ins", kPaste},
        {"Ctrl+A", kSelectAll},
        {"Ctrl+L", kAlignLeft},
        {"Ctrl+Z", kAlignCenter},  // also listed for undo below; this entry comes first and wins
        {"Ctrl+R", kAlignRight},
        {"Alt+Backspace", kUndo},
        {"Ctrl+Z", kUndo},
        {"Ctrl+Y", kRedo},
        {"Tab", kNextField},
        {"Shift+Tab", kPrevField},
        {"Ctrl+Home", kFirstPage},
        {"Ctrl+End", kLastPage},
        {"Ctrl+Right", kNextPage},
        {"Ctrl+Left", kPrevPage},
        {"Ctrl+NumPlus", kZoomIn},
        {"Ctrl+NumMinus", kZoomOut},
        {"Ctrl+Plus", kZoomIn},
        {"Ctrl+Minus", kZoomOut},
        {"Ctrl+G", kGoToField},
        {"Alt+J", kDv1AnswerYes},
        {"Alt+N", kDv1AnswerNo},
        {"Alt+Down", kDv1NextQuestion},
        {"F2", kInsertDefaults},
        {"F3", kDv1Calculate},
        {"F6", kNextPane},
        {"Shift+F6", kPrevPane},
        {"F7", kMasterData},
        {"F8", kFormDefaults},
        {"F9", kMargins},
        {"F10", kAddPage},
        {"Ctrl+Shift+Alt+F11", kDv1Hidden},
        {"Ctrl+Shift+Alt+I", kSupportInfo},
        {"Ctrl+Shift+Alt+F", kResetFonts},
        {"Ctrl+Shift+Alt+M", kResetWorkspace},
        {"Ctrl+Shift+Alt+R", kResetAll},
        {"Ctrl+Shift+Alt+P", kPrintAreaCorrection},
    };
    return table;
}

int CommandForAccelerator(std::string_view keys) {
    for (const Accelerator& a : AcceleratorTable())
        if (a.keys == keys) return a.command;
    return 0;
}

std::u16string_view CommandPrompt(int command) {
    const auto& strings = CommandStrings();
    auto it = strings.find(command);
    if (it == strings.end()) return {};
    return it->second.substr(0, it->second.find(u'\n'));
}

std::u16string_view CommandTooltip(int command) {
    const auto& strings = CommandStrings();
    auto it = strings.find(command);
    if (it == strings.end()) return {};
    const size_t nl = it->second.find(u'\n');
    return nl == std::u16string_view::npos ? std::u16string_view{} : it->second.substr(nl + 1);
}

}  // namespace tarvex
