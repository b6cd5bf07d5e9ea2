// CSV reading and writing, and the address and article tables to and from CSV.

#include <gtest/gtest.h>

#include "core/common/TextCodec.h"
#include "core/masterdata/Csv.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/TableCsv.h"
#include "tests/core/masterdata/DbfTestUtil.h"

namespace tarvex {
namespace {

using dbftest::TempDir;

std::string U8(std::u16string_view s) {
    return ToUtf8(s);
}

TEST(CsvTest, EncodingDetection) {
    struct Case {
        std::string bytes;
        CsvEncoding expected;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF"
         "A;B\r\n",
         CsvEncoding::Utf8Bom},
        {"Stra\xC3\x9F"
         "e;M\xC3\xBC"
         "ller\r\n",
         CsvEncoding::Utf8},
        {"plain;ascii\n", CsvEncoding::Utf8},
        {"Stra\xDF"
         "e;M\xFC"
         "ller\r\n",
         CsvEncoding::Windows1252},
        {"\xC3", CsvEncoding::Windows1252},              // cut-off sequence
        {"\xC0\xAF", CsvEncoding::Windows1252},          // overlong '/'
        {"\xED\xA0\x80", CsvEncoding::Windows1252},      // surrogate
        {"caf\xE9 cr\xE8me", CsvEncoding::Windows1252},  // Latin-1 letters
    };
    for (const Case& c : cases) EXPECT_EQ(DetectCsvEncoding(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(DecodeCsvBytes("\xEF\xBB\xBF\xC3\xA4", CsvEncoding::Utf8Bom), u"ä");
    EXPECT_EQ(DecodeCsvBytes("\xE4\x80", CsvEncoding::Windows1252), u"ä€");
    size_t lost = 0;
    EXPECT_EQ(EncodeCsvText(u"ä€Ω\u0081😀", CsvEncoding::Windows1252, &lost), "\xE4\x80?\x81?");
    EXPECT_EQ(lost, 2u);
    EXPECT_EQ(EncodeCsvText(u"ä", CsvEncoding::Utf8Bom), "\xEF\xBB\xBF\xC3\xA4");
}

TEST(CsvTest, SeparatorDetection) {
    EXPECT_EQ(DetectCsvSeparator(u"A;B;C\r\n1,5;2;3"), u';');
    EXPECT_EQ(DetectCsvSeparator(u"A,B,C\n1;2,3,4"), u',');
    EXPECT_EQ(DetectCsvSeparator(u"\"a;b;c\",x,y\n"), u',');  // separators inside quotes do not count
    EXPECT_EQ(DetectCsvSeparator(u"\n\nA,B\n"), u',');        // leading empty lines
    EXPECT_EQ(DetectCsvSeparator(u"ONLY\n"), u';');
}

TEST(CsvTest, ParsesSpreadsheetConventions) {
    const std::u16string text =
        u"NAME;TEXT\r\n"
        u"\"M\u00FCller; Co\";\"Zeile 1\nZeile 2\"\r\n"
        u"\"Er sagte \"\"ja\"\"\";\r\n"
        u"\r\n"
        u"plain;a\"b\r"
        u"last;\"CR\r\nLF\"";
    std::vector<CsvRow> rows;
    CsvParseError error;
    ASSERT_TRUE(ParseCsv(text, u';', rows, error)) << U8(error.message);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::u16string>{u"M\u00FCller; Co", u"Zeile 1\nZeile 2"}));
    EXPECT_EQ(rows[2].cells, (std::vector<std::u16string>{u"Er sagte \"ja\"", u""}));
    EXPECT_EQ(rows[3].cells, (std::vector<std::u16string>{u"plain", u"a\"b"}));
    EXPECT_EQ(rows[4].cells, (std::vector<std::u16string>{u"last", u"CR\r\nLF"}));
    // Lines of the file where each record begins: the quoted break and the empty line count.
    EXPECT_EQ(rows[1].line, 2);
    EXPECT_EQ(rows[2].line, 4);
    EXPECT_EQ(rows[3].line, 6);
    EXPECT_EQ(rows[4].line, 7);
}

TEST(CsvTest, FaultsNameTheLine) {
    struct Case {
        std::u16string text;
        int line;
    };
    const Case cases[] = {
        {u"A;B\r\n1;\"open\r\n2;3\r\n", 2},
        {u"A;B\n\"x\"y;2\n", 2},
        {u"A;B\n1;2\n3;\"a\nb\"c\n", 4},  // the line of the text after the quote
    };
    for (const Case& c : cases) {
        std::vector<CsvRow> rows;
        CsvParseError error;
        EXPECT_FALSE(ParseCsv(c.text, u';', rows, error)) << U8(c.text);
        EXPECT_EQ(error.line, c.line) << U8(c.text);
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(CsvTest, CellsBeyondTheLimitAreRefusedNotKept) {
    std::vector<CsvRow> rows;
    CsvParseError error;
    EXPECT_TRUE(ParseCsv(u"a;b\n;\n", u';', rows, error, 4));
    EXPECT_FALSE(ParseCsv(u"a;b\n;\n;\n", u';', rows, error, 4));
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(ToUtf8(error.message), "Die Datei hat mehr als 4 Werte.");
    EXPECT_TRUE(rows.empty());
}

TEST(CsvTest, WrittenRecordsReadBackUnchanged) {
    const std::vector<std::vector<std::u16string>> records = {
        {u"A", u"B", u"C"},
        {u"x;y", u"say \"hi\"", u"line\r\nbreak"},
        {u" lead", u"trail ", u""},
        {u""},
        {u"\u00C4\u00D6\u00DC\u00DF\u20AC", u"", u"\n"},
    };
    for (char16_t sep : {u';', u','}) {
        std::u16string text;
        for (const auto& r : records) AppendCsvRecord(text, r, sep);
        std::vector<CsvRow> rows;
        CsvParseError error;
        ASSERT_TRUE(ParseCsv(text, sep, rows, error));
        ASSERT_EQ(rows.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(rows[i].cells, records[i]) << i;
    }
}

// Tables in a private folder, made as the program makes them.
class TableCsvTest : public ::testing::Test {
protected:
    std::filesystem::path MakeTable(const std::string& name, MasterTableLayout layout) {
        const auto path = m_dir / name;
        CTableError error;
        EXPECT_TRUE(CreateMasterTable(path, layout, error)) << error.Text();
        return path;
    }
    static std::string Export(const std::filesystem::path& path, const CsvWriteOptions& options = {}) {
        CdBaseDocument table;
        EXPECT_EQ(table.OpenTable(path), 1);
        std::string bytes;
        EXPECT_TRUE(ExportTableCsv(table, options, bytes));
        return bytes;
    }
    static CsvImportResult Import(const std::filesystem::path& path, std::string_view csv,
                                  const CsvImportOptions& options = {}) {
        CdBaseDocument table;
        EXPECT_EQ(table.OpenTable(path), 1);
        return ImportCsvIntoTable(table, csv, options);
    }
    TempDir m_dir;
};

TEST_F(TableCsvTest, RoundTripIsByteIdenticalForBothLayoutsAndEncodings) {
    const std::string addresses =
        "ADRESS1;ADRESS2;ADRESS3;ADRESS4;ZOLLNR\r\n"
        "M\xC3\xBCller & S\xC3\xB6hne GmbH;Hauptstra\xC3\x9F"
        "e 1;;\"  12345 K\xC3\xB6ln\";DE123\r\n"
        ";;;;\r\n"
        "\"Quote \"\"A\"\"; B\";x;y;z;\r\n";
    const std::string articles =
        "WBESCH1;WNR1;WNR2;WNR3;WNR4;WNR5;LAND1;LAND2\r\n"
        "\"Schrauben aus Stahl\r\nverzinkt \xC2\xA7 5\r\n3. Zeile\";73181595;00;;;;CN;\r\n"
        ";;;;;;;\r\n";
    struct Case {
        MasterTableLayout layout;
        std::string csv;
    };
    const Case cases[] = {{MasterTableLayout::Addresses, addresses}, {MasterTableLayout::Articles, articles}};
    int n = 0;
    for (const Case& c : cases) {
        for (CsvEncoding encoding : {CsvEncoding::Utf8, CsvEncoding::Utf8Bom, CsvEncoding::Windows1252}) {
            const std::string input = EncodeCsvText(FromUtf8(c.csv), encoding);
            const auto first = MakeTable("a" + std::to_string(n) + ".dbf", c.layout);
            const auto second = MakeTable("b" + std::to_string(n++) + ".dbf", c.layout);
            const CsvImportResult r = Import(first, input);
            ASSERT_TRUE(r.Ok()) << (r.faults.empty() ? "" : U8(r.faults[0].Text()));
            EXPECT_EQ(r.encoding, encoding);
            EXPECT_EQ(r.written, 2 + (c.layout == MasterTableLayout::Addresses));
            const std::string exported = Export(first, {encoding, u';'});
            EXPECT_EQ(exported, input);
            ASSERT_TRUE(Import(second, exported).Ok());
            EXPECT_EQ(Export(second, {encoding, u';'}), exported);
            // The tables themselves hold the same records.
            const auto a = dbftest::ReadBytes(first), b = dbftest::ReadBytes(second);
            ASSERT_EQ(a.size(), b.size());
            EXPECT_TRUE(std::equal(a.begin() + 32, a.end(), b.begin() + 32));
        }
    }
}

TEST_F(TableCsvTest, SpreadsheetFileIsImportedExactly) {
    // As a German spreadsheet program saves "CSV (Trennzeichen-getrennt)": semicolons,
    // Windows-1252, a line break inside a cell as a lone LF in quotes, columns in its own order.
    const std::string csv =
        "Wnr1;WBESCH1;LAND1\r\n"
        "84713000;\"Notebook \"\"Gr\xF6\xDF"
        "e 15\"\"\nmit Tasche; \x80 9,90\";EG\r\n";
    const auto path = MakeTable("artikel.dbf", MasterTableLayout::Articles);
    const CsvImportResult r = Import(path, csv);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.encoding, CsvEncoding::Windows1252);
    EXPECT_EQ(r.separator, u';');
    CdBaseDocument table;
    ASSERT_EQ(table.OpenTable(path), 1);
    ASSERT_EQ(table.GetRecordCount(), 1);
    ASSERT_EQ(table.ReadRecord(1), 1);
    std::u16string description, code, country, part2;
    table.GetString(0, description);
    table.GetString(1, code);
    table.GetString(2, part2);
    table.GetString(6, country);
    EXPECT_EQ(description, u"Notebook \"Gr\u00F6\u00DFe 15\"\r\nmit Tasche; \u20AC 9,90");
    EXPECT_EQ(code, u"84713000");
    EXPECT_EQ(part2, u"");
    EXPECT_EQ(country, u"EG");
    // The table keeps its code page: umlauts and the euro sign are single Windows-1252 bytes.
    const std::string record(reinterpret_cast<const char*>(table.RecordBuffer()), table.GetRecordLength());
    EXPECT_NE(record.find("Gr\xF6\xDF"
                          "e 15\"\r\nmit Tasche; \x80 9,90 "),
              std::string::npos);
}

TEST_F(TableCsvTest, BadInputsWriteNothingAndNameRowColumnAndReason) {
    const std::string header = "ADRESS1;ADRESS2;ADRESS3;ADRESS4;ZOLLNR\r\n";
    const std::string good = "ok;;;;\r\n";
    struct Case {
        std::string csv;
        CsvImportOptions options;
        std::string expected;  // the first fault's text
    };
    CsvImportOptions renamed;
    renamed.map = {{u"Name", u"ADRESS9"}};
    CsvImportOptions twice;
    twice.map = {{u"Name", u"adress1"}};
    const Case cases[] = {
        {header + good + good + std::string(81, 'x') + ";;;;\r\n",
         {},
         "Zeile 4, Spalte \"ADRESS1\": Der Text ist 81 Zeichen lang, das Feld ADRESS1 fasst 80."},
        {header + good + ";;;;" + std::string(26, '1') + "\r\n",
         {},
         "Zeile 3, Spalte \"ZOLLNR\": Der Text ist 26 Zeichen lang, das Feld ZOLLNR fasst 25."},
        {header + good + "a;b\r\n", {}, "Zeile 3: 2 Werte, die Kopfzeile hat 5 Spalten."},
        {header + "\xCE\xA9mega;;;;\r\n",
         {},
         "Zeile 2, Spalte \"ADRESS1\": Das Zeichen \"\xCE\xA9\" kann in der Tabelle (Windows-1252) nicht "
         "gespeichert werden."},
        {"ADRESS1;STRASSE\r\n" + good,
         {},
         "Zeile 1, Spalte \"STRASSE\": Die Tabelle hat kein Feld dieses Namens (eine andere Zuordnung oder "
         "\"nicht übernehmen\" wählen)."},
        {"Name;ZOLLNR\r\nx;1\r\n", renamed,
         "Zeile 1, Spalte \"Name\": Die Zuordnung nennt das Feld \"ADRESS9\", das die Tabelle nicht hat."},
        {"ADRESS1;Name\r\nx;y\r\n", twice,
         "Zeile 1, Spalte \"Name\": Das Feld ADRESS1 ist schon der Spalte \"ADRESS1\" zugeordnet."},
        {header + "\"never closed;;;;\r\n",
         {},
         "Zeile 2: Das Anführungszeichen am Anfang dieses Werts wird nie geschlossen."},
        {"", {}, "Zeile 1: Die Datei enthält keine Kopfzeile mit den Feldnamen."},
    };
    int n = 0;
    for (const Case& c : cases) {
        const auto path = MakeTable("t" + std::to_string(n++) + ".dbf", MasterTableLayout::Addresses);
        const auto before = dbftest::ReadBytes(path);
        const CsvImportResult r = Import(path, c.csv, c.options);
        ASSERT_FALSE(r.faults.empty()) << c.csv;
        EXPECT_EQ(U8(r.faults[0].Text()), c.expected);
        EXPECT_EQ(r.written, 0);
        EXPECT_EQ(dbftest::ReadBytes(path), before) << c.csv;
    }
}

TEST_F(TableCsvTest, MapAndCut) {
    const auto path = MakeTable("adr.dbf", MasterTableLayout::Addresses);
    CsvImportOptions options;
    options.map = {{u"Firma", u"ADRESS1"}, {u"Notiz", u""}, {u"Nummer", u"zollnr"}};
    options.cut = true;
    const std::string csv =
        "Firma,Notiz,Nummer\n" + std::string(85, 'F') + ",egal," + std::string(30, '9') + "\n";
    const CsvImportResult r = Import(path, csv, options);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.separator, u',');
    ASSERT_EQ(r.cuts.size(), 2u);
    EXPECT_EQ(U8(r.cuts[0].Text()),
              "Zeile 2, Spalte \"Firma\": Der Text wurde auf 80 Zeichen gekürzt (Feld ADRESS1).");
    CdBaseDocument table;
    ASSERT_EQ(table.OpenTable(path), 1);
    ASSERT_EQ(table.ReadRecord(1), 1);
    std::u16string name, number, line2;
    table.GetString(0, name);
    table.GetString(1, line2);
    table.GetString(4, number);
    EXPECT_EQ(name, std::u16string(80, u'F'));
    EXPECT_EQ(line2, u"");
    EXPECT_EQ(number, std::u16string(25, u'9'));
}

TEST_F(TableCsvTest, ImportKeepsTheCodePageMarkOfAnotherProgram) {
    const auto path = MakeTable("adr.dbf", MasterTableLayout::Addresses);
    auto bytes = dbftest::ReadBytes(path);
    bytes[29] = 0x57;  // "ANSI" (Windows-1252), as other dBase programs mark their tables
    dbftest::WriteBytes(path, bytes);
    ASSERT_TRUE(Import(path, "ADRESS1\r\nK\xC3\xB6ln\r\n").Ok());
    const auto after = dbftest::ReadBytes(path);
    EXPECT_EQ(after[29], 0x57);
    EXPECT_EQ(after[4], 1);  // the count of the appended record
    CdBaseDocument table;
    ASSERT_EQ(table.OpenTable(path), 1);
    ASSERT_EQ(table.ReadRecord(1), 1);
    EXPECT_EQ(table.RecordBuffer()[2], 0xF6);  // "ö" as its Windows-1252 byte
}

TEST_F(TableCsvTest, ImportAppendsAfterRecordsAnotherInstanceAdded) {
    const auto path = MakeTable("adr.dbf", MasterTableLayout::Addresses);
    CdBaseDocument importer;
    ASSERT_EQ(importer.OpenTable(path), 1);
    {
        // Another instance appends after the importer opened the table.
        CdBaseDocument other;
        ASSERT_EQ(other.OpenTable(path), 1);
        other.NewRecord();
        other.SetString(0, u"Andere");
        ASSERT_EQ(other.WriteRecord(other.GetRecordCount() + 1), 1);
    }
    const CsvImportResult r = ImportCsvIntoTable(importer, "ADRESS1\r\nEins\r\nZwei\r\n", {});
    ASSERT_TRUE(r.Ok());
    CdBaseDocument check;
    ASSERT_EQ(check.OpenTable(path), 1);
    ASSERT_EQ(check.GetRecordCount(), 3);
    std::u16string names[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(check.ReadRecord(i + 1), i + 1);
        check.GetString(0, names[i]);
    }
    EXPECT_EQ(names[0], u"Andere");
    EXPECT_EQ(names[1], u"Eins");
    EXPECT_EQ(names[2], u"Zwei");
}

// A table whose lock cannot be had, or whose disk fails in the middle of the append, keeps its
// old records and count.
class LockedFile : public CMemoryFile {
public:
    using CMemoryFile::CMemoryFile;
    bool Lock(bool exclusive) override { return !exclusive; }
};

TEST_F(TableCsvTest, LockAndWriteFailuresLeaveTheTableAsItWas) {
    const auto path = MakeTable("adr.dbf", MasterTableLayout::Addresses);
    const auto bytes = dbftest::ReadBytes(path);
    const std::string csv = "ADRESS1\r\nEins\r\nZwei\r\n";
    {
        CdBaseDocument table;
        auto file = std::make_unique<LockedFile>(bytes);
        LockedFile* raw = file.get();
        ASSERT_EQ(table.OpenTable(std::move(file), path), 1);
        const CsvImportResult r = ImportCsvIntoTable(table, csv, {});
        EXPECT_EQ(U8(r.error), U8(mdstr::kCsvLockFailed));
        EXPECT_EQ(r.written, 0);
        EXPECT_EQ(raw->Data(), bytes);
    }
    // The records' write fails; the header's write fails after the records were written; the
    // flush between them fails.
    for (int failure = 0; failure < 3; ++failure) {
        CdBaseDocument table;
        auto file = std::make_unique<CMemoryFile>(bytes);
        CMemoryFile* raw = file.get();
        ASSERT_EQ(table.OpenTable(std::move(file), path), 1);
        if (failure < 2)
            raw->SetWriteLimit(raw->WriteCount() + failure);
        else
            raw->SetFlushFailure(true);
        const CsvImportResult r = ImportCsvIntoTable(table, csv, {});
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.written, 0);
        // Whatever reached the data, the header still counts no record.
        CdBaseDocument reread;
        ASSERT_EQ(reread.OpenTable(std::make_unique<CMemoryFile>(raw->Data()), path), 1);
        EXPECT_EQ(reread.GetRecordCount(), 0) << failure;
    }
}

}  // namespace
}  // namespace tarvex
