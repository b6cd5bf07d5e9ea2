// The support report, line by line, as the support reads it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app/SupportReport.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(u"\r\n", start)) != std::u16string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    // Every piece ends in CR LF: nothing may follow the last one, and no bare LF anywhere.
    EXPECT_EQ(start, text.size());
    for (const auto& l : lines) EXPECT_EQ(l.find(u'\n'), std::u16string::npos);
    return lines;
}

SupportReportInput Input(int language) {
    SupportReportInput in;
    in.language = language;
    in.profileName = u"Tarvex-Import";
    in.day = 7;
    in.month = 3;
    in.year = 2026;
    in.versionLine = SupportVersionLine(u"Tarvex-Import für Windows", u"3.0.00", u"Nov 18 2020");
    in.systemText = SupportSystemText(language, {1920, 1080, 96, u"/opt/tarvex/bin", u""});
    return in;
}

const std::u16string kDash(55, u'-');

std::vector<std::u16string> FreshSettingsBlocks(const std::u16string& nd) {
    auto pad = [](std::u16string key) { return key.append(23 - key.size(), u' '); };
    std::vector<std::u16string> l{u"", u"Registry-Details:"};
    for (auto k : {u"PrnFactorV", u"PrnFactorH", u"WinFormScaledFactor", u"WinFormScaledFactorOv",
                   u"Stammdaten", u"AdressdatenDatei", u"StammdatenDatei"})
        l.push_back(pad(k) + nd);
    l.insert(l.end(), {u"", u"Einheitspapier:"});
    for (auto k : {u"ReUsePrn",        u"Printer",        u"PrinterFontFactor",
                   u"ShowMarginDlgEH", u"Left_Margin_EH", u"Top_Margin_EH",
                   u"Left_Margin2_EH", u"Top_Margin2_EH", u"VertPosX2_EH",
                   u"HorPosX2_EH",     u"ZoomFactor",     u"ZoomFactorLU",
                   u"EditTextColor",   u"3LineInStamp",   u"AutoFillPositions",
                   u"EH_ShowXX",       u"Feld2",          u"Feld2S2",
                   u"Feld14",          u"Feld17",         u"Feld34",
                   u"Stamp_A",         u"Stamp_C"})
        l.push_back(pad(k) + nd);
    l.insert(l.end(), {u"", u"D.V.1:"});
    for (auto k : {u"ReUsePrn", u"Printer", u"ShowMarginDlg", u"Left_Margin1_DV1", u"Top_Margin1_DV1",
                   u"Left_Margin2_DV1", u"Top_Margin2_DV1", u"Left_Margin3_DV1", u"Top_Margin3_DV1",
                   u"Left_Margin4_DV1", u"Top_Margin4_DV1", u"Flag_DV1_11a"})
        l.push_back(pad(k) + nd);
    return l;
}

}  // namespace

TEST(SupportReport, FreshProfileInBothLanguages) {
    struct Case {
        int language;
        std::vector<std::u16string> head;
        std::u16string notDefined;
    } cases[] = {
        {0,
         {u"Umgebungs- und Programmparameter zu Tarvex-Import", u"Version Dalrek", u"Erstellt: 07.03.2026",
          u"Tarvex-Import für Windows - Version 3.0.00 - (Nov 18 2020)", u"Bildschirmauflösung: 1920 x 1080",
          u"Programmverzeichnis: /opt/tarvex/bin", u".NET nicht installiert.",
          u"Adressdatendatei:    Nicht definiert", u"Stammdatendatei:     Nicht definiert"},
         u"Nicht definiert"},
        // English: month first, and the screen line starts with its own line break.
        {1,
         {u"Environment and program parameter for Tarvex-Import", u"Version Dalrek", u"Created: 03/07/2026",
          u"Tarvex-Import für Windows - Version 3.0.00 - (Nov 18 2020)", u"",
          u"Screen resolution: 1920 x 1080", u"Program directory: /opt/tarvex/bin", u".NET not installed.",
          // a missing data file reads German in both languages
          u"Adressdatendatei:    Nicht definiert", u"Stammdatendatei:     Nicht definiert"},
         u"Not defined"},
    };
    for (const Case& c : cases) {
        CMemoryProfile profile;
        std::vector<std::u16string> expected = c.head;
        expected.insert(expected.end(), {u"", u"", kDash, u"", kDash});
        for (auto& l : FreshSettingsBlocks(c.notDefined)) expected.push_back(l);
        // An empty font block and no recent files: the dash line twice.
        expected.insert(expected.end(), {kDash, kDash});
        EXPECT_THAT(Lines(BuildSupportReport(Input(c.language), profile)),
                    testing::ElementsAreArray(expected))
            << c.language;
    }
}

TEST(SupportReport, StoredValuesFontsRecentFilesAndPrinter) {
    CMemoryProfile p;
    p.WriteProfileInt("Settings", "PrnFactorV", 1000);
    p.WriteProfileInt("Settings", "Stammdaten", -1);
    p.WriteProfileString("Settings", "AdressdatenDatei",
                         u"@");  // "@" is "not defined" in the report's language
    p.WriteProfileString("Settings", "StammdatenDatei", u"/daten/ARTIKEL1.DBF");
    p.WriteProfileString("EHForm_Defaults", "Printer", u"Laser 1");
    p.WriteProfileInt("EHForm_Defaults", "EditTextColor", 0xFF0000);
    p.WriteProfileString("DV1Form_Defaults", "Printer", u"Unbekannt");
    p.WriteProfileInt("Font", "PFont4B", 50);
    p.WriteProfileInt("Font", "EFont0", 31);
    p.WriteProfileInt("Font", "EFont9", 20);  // sizes 8 and 9 are not listed
    p.WriteProfileString("Recent File List", "File1", u"/a/eins.aef");
    p.WriteProfileString("Recent File List", "File3", u"/a/drei.aef");
    p.WriteProfileString("Recent File List", "File7", u"/a/sieben.aef");  // only six are listed
    SupportReportInput in = Input(1);
    in.runtimeFolders = {u"v4.0.30319", u"v10.0.1", u".", u"v2.0.50727"};
    in.printerFacts = [](std::u16string_view name) -> std::optional<PrinterFacts> {
        if (name == u"Laser 1") return PrinterFacts{u"HP LaserJet 4", u"", u"raw"};
        return std::nullopt;
    };
    const auto lines = Lines(BuildSupportReport(in, p));
    auto has = [&](const std::u16string& l) {
        return std::find(lines.begin(), lines.end(), l) != lines.end();
    };
    EXPECT_TRUE(has(u"PrnFactorV             0x000003e8 (1000)"));
    EXPECT_TRUE(has(u"Stammdaten             0xffffffff (-1)"));
    EXPECT_TRUE(has(u"PrnFactorH             Not defined"));
    EXPECT_TRUE(has(u"Adressdatendatei:    Not defined"));
    EXPECT_TRUE(has(u"Stammdatendatei:     /daten/ARTIKEL1.DBF"));
    EXPECT_TRUE(has(u"StammdatenDatei        /daten/ARTIKEL1.DBF"));
    EXPECT_TRUE(has(u"EditTextColor          0x00ff0000 (16711680)"));
    // The runtime block: heading, then only names with a one-digit major version.
    const auto net = std::find(lines.begin(), lines.end(), u".NET Versions installed:");
    ASSERT_NE(net, lines.end());
    EXPECT_EQ(net[1], u"   v4.0.30319");
    EXPECT_EQ(net[2], u"   v2.0.50727");
    EXPECT_EQ(net[3], u"Adressdatendatei:    Not defined");
    // Printer lines follow the SAD "Printer" line; an unknown D.V.1 printer gives none.
    const auto prn = std::find(lines.begin(), lines.end(), u"Printer                Laser 1");
    ASSERT_NE(prn, lines.end());
    EXPECT_EQ(prn[1], u"Printer Driver         HP LaserJet 4");
    EXPECT_EQ(prn[2], u"Printer Port           Not defined");
    EXPECT_EQ(prn[3], u"PrintProcessor         raw");
    EXPECT_EQ(prn[4], u"PrinterFontFactor      Not defined");
    const auto dv1 = std::find(lines.begin(), lines.end(), u"Printer                Unbekannt");
    ASSERT_NE(dv1, lines.end());
    EXPECT_EQ(dv1[1], u"ShowMarginDlg          Not defined");
    // The tail: fonts in family order, recent files, closing dash line.
    const std::vector<std::u16string> tail(lines.end() - 10, lines.end());
    EXPECT_THAT(tail,
                testing::ElementsAre(u"Flag_DV1_11a           Not defined", kDash,
                                     u"EFont0                 0x0000001f (31)",
                                     u"PFont4B                0x00000032 (50)", kDash, u"",
                                     u"Files recently used:", u"1: /a/eins.aef", u"3: /a/drei.aef", kDash));
}

TEST(SupportReport, SystemTextScaleAndDriveLetter) {
    struct Case {
        int language, dpi;
        std::u16string dir;
        std::u16string text;
    } cases[] = {
        {0, 120, u"c:\\Programme\\Tarvex",
         u"Bildschirmauflösung: 800 x 600 (125 DPI)\r\nProgrammverzeichnis: C:\\Programme\\Tarvex"},
        {0, 0, u"/usr/bin", u"Bildschirmauflösung: 800 x 600\r\nProgrammverzeichnis: /usr/bin"},
        {1, 144, u"", u"\r\nScreen resolution: 800 x 600 (150 DPI)\r\nProgram directory: "},
        {0, 97, u"x", u"Bildschirmauflösung: 800 x 600 (101 DPI)\r\nProgrammverzeichnis: x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SupportSystemText(c.language, {800, 600, c.dpi, c.dir, u""}), c.text);
    EXPECT_EQ(SupportSystemText(0, {800, 600, 96, u"/usr/bin", u"Debian GNU/Linux 12 (linux 6.1.0)"}),
              u"Bildschirmauflösung: 800 x 600\r\nProgrammverzeichnis: /usr/bin\r\nBetriebssystem: Debian "
              u"GNU/Linux 12 "
              u"(linux 6.1.0)");
}

TEST(SupportReport, FileNameMessagesAndEncoding) {
    EXPECT_EQ(SupportReportFileName(0, u"Tarvex-Import"), u"Tarvex-Import_Daten.txt");
    EXPECT_EQ(SupportReportFileName(1, u"Tarvex-Import"), u"Tarvex-Import_Data.txt");
    EXPECT_EQ(SupportReportFileName(7, u"Tarvex-Import"), u"Tarvex-Import_Daten.txt");
    EXPECT_EQ(SupportSavedMessage(0, u"/h/d.txt"),
              u"Die Supportdaten wurden in der Datei\r\n/h/d.txt\r\ngesichert.");
    EXPECT_EQ(SupportSavedMessage(1, u"/h/d.txt"), u"The support data are saved in file\r\n/h/d.txt");
    EXPECT_EQ(SupportFailedMessage(0, u"/h/d.txt"),
              u"Die Datei\r\n/h/d.txt\r\nkonnte nicht geschrieben werden.");
    EXPECT_EQ(EncodeUtf16LeWithBom(u"Aü\r\n€"),
              (std::vector<uint8_t>{0xFF, 0xFE, 'A', 0, 0xFC, 0, '\r', 0, '\n', 0, 0xAC, 0x20}));
}
