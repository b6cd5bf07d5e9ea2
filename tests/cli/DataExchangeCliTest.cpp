// `tarvex fill`, `tarvex schema` and `tarvex dbf import/export`: documents from JSON and master data
// to and from CSV, run as a separate program.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFieldLabels.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;
using testutil::CliRun;
using testutil::QuoteArg;
using testutil::ReadBytes;
using testutil::TempDir;

namespace {

class DataExchangeCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return testutil::RunTarvex(args, m_dir.Path()); }
    std::string Path(const std::string& name) { return QuoteArg((m_dir / name).string()); }
    std::filesystem::path File(const std::string& name) { return m_dir / name; }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        const auto bytes = ReadBytes(m_dir / name);
        return std::string(bytes.begin(), bytes.end());
    }
    // dump → fill → dump, and the file fill writes is the file that was dumped, byte for byte.
    void ExpectRoundTrip(const std::string& name, const std::string& ext) {
        const CliRun dump = Tarvex("dump " + Path(name));
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        Write("dump-" + name + ".json", dump.out);
        const CliRun fill =
            Tarvex("fill " + Path("dump-" + name + ".json") + " -o " + Path("again-" + name + ext));
        ASSERT_EQ(fill.exitCode, 0) << fill.err;
        EXPECT_EQ(fill.err, "");
        EXPECT_EQ(ReadBytes(File(name)), ReadBytes(File("again-" + name + ext))) << name;
        const CliRun again = Tarvex("dump " + Path("again-" + name + ext));
        EXPECT_EQ(again.out, dump.out);
    }
    // The text of field `index` on page `page` in a dump.
    static std::string FieldText(const std::string& dump, int page, int index) {
        const size_t at = dump.find("{\"page\":" + std::to_string(page) + ",\"fields\":[");
        if (at == std::string::npos) return "<no page>";
        const std::string key = "{\"index\":" + std::to_string(index) + ",\"text\":\"";
        const size_t f = dump.find(key, at);
        if (f == std::string::npos) return "<no field>";
        const size_t start = f + key.size();
        return dump.substr(start, dump.find("\",\"flags\"", start) - start);
    }
    TempDir m_dir;
};

const char kSadJson[] =
    "{\"format\":\"aef\",\"variant\":2,\"pages\":["
    "{\"page\":1,\"fields\":[{\"box\":\"8\",\"text\":\"Gr\\u00FC\\u00DFe GmbH\\r\\nK\\u00F6ln\"},"
    "{\"box\":\"Feld 8 (Nr.)\",\"text\":\"DE 4711\"},"
    "{\"box\":\"A\",\"text\":\"\"},{\"index\":40,\"text\":\"x\",\"size\":2,\"align\":\"right\"}]},"
    "{\"page\":2,\"fields\":[{\"box\":\"31\",\"item\":1,\"text\":\"Erste\\r\\nWare\"},"
    "{\"box\":\"31\",\"item\":2,\"text\":\"Zweite\"},{\"box\":\"31\",\"item\":3,\"text\":\"Dritte\"},"
    "{\"box\":\"33 A\",\"item\":2,\"text\":\"84713000\"}]},"
    "{\"page\":3,\"fields\":[{\"box\":\"31\",\"text\":\"Vierte \\u00C4\"}]},"
    "{\"page\":255,\"fields\":[{\"box\":\"44\",\"item\":3,\"text\":\"Letzte Seite\"}]}]}";

TEST_F(DataExchangeCli, SadFromJsonRoundTripsByteIdentically) {
    Write("in.json", kSadJson);
    const CliRun fill = Tarvex("fill " + Path("in.json") + " -o " + Path("a.aef"));
    ASSERT_EQ(fill.exitCode, 0) << fill.err;
    const CliRun dump = Tarvex("dump " + Path("a.aef"));
    ASSERT_EQ(dump.exitCode, 0);
    EXPECT_NE(dump.out.find("\"variant\":2,"), std::string::npos);
    EXPECT_NE(dump.out.find("\"continuationCount\":254,"), std::string::npos);
    EXPECT_EQ(FieldText(dump.out, 1, SadBoxFields(SadSheet::First, {8, 0, 0}).back()),
              "Grüße GmbH\\r\\nKöln");
    EXPECT_EQ(FieldText(dump.out, 2, SadBoxFields(SadSheet::Continuation, {33, u'A', 2}).front()),
              "84713000");
    EXPECT_EQ(FieldText(dump.out, 255, SadBoxFields(SadSheet::Continuation, {44, 0, 3}).front()),
              "Letzte Seite");
    // "8" is the address, "8 (Nr.)" the number subfield.
    EXPECT_EQ(SadFieldLabel(1, SadBoxFields(SadSheet::First, {8, 0, 0}).back()), u"Feld 8");
    EXPECT_EQ(FieldText(dump.out, 1, SadBoxFields(SadSheet::First, {8, 0, 0}).front()), "DE 4711");
    // Boxes 3, 5 and 32 follow the goods items: one on the first sheet, three on sheet 2, one on 3.
    EXPECT_EQ(FieldText(dump.out, 1, kFieldBox5), "5");
    EXPECT_EQ(FieldText(dump.out, 3, ContFieldOfItem(0, kItemBox32)), "5");
    EXPECT_EQ(FieldText(dump.out, 3, kContFieldBox3a), "3");
    EXPECT_EQ(FieldText(dump.out, 3, kContFieldBox3b), "255");
    ExpectRoundTrip("a.aef", ".aef");
    // A document without a form (as export files are) keeps that.
    {
        CEinheitspapierDoc doc(nullptr);
        doc.OnNewDocument();
        doc.Store().SetFieldText(kFieldBox5, u"7", 1);
        std::string error;
        ASSERT_TRUE(SaveAefFile(File("noform.aef"), doc, error)) << error;
    }
    ExpectRoundTrip("noform.aef", ".aef");
    // A document of the program's own (new-sad) goes through unchanged too.
    ASSERT_EQ(Tarvex("new-sad --variant 3 " + Path("new.aef")).exitCode, 0);
    ExpectRoundTrip("new.aef", ".aef");
}

TEST_F(DataExchangeCli, Dv1FromJsonRoundTripsAndRecalculates) {
    Write("in.json",
          "{\"format\":\"fdv\",\"checks\":[1,0,1],\"pages\":["
          "{\"page\":1,\"fields\":[{\"box\":\"2 (a)\",\"text\":\"Stra\\u00DFe 1\\r\\nOrt\"}]},"
          "{\"page\":2,\"fields\":[{\"box\":\"11 (a), Rechnungswährung\",\"text\":\"100,00\"},"
          "{\"box\":\"13 (c)\",\"item\":2,\"text\":\"5,50\"}]},"
          "{\"page\":255,\"fields\":[{\"index\":60,\"text\":\"ende\"}]}]}");
    const CliRun fill = Tarvex("fill " + Path("in.json") + " -o " + Path("a.fdv"));
    ASSERT_EQ(fill.exitCode, 0) << fill.err;
    const CliRun dump = Tarvex("dump " + Path("a.fdv"));
    ASSERT_EQ(dump.exitCode, 0);
    EXPECT_NE(dump.out.find("\"checks\":[1,0,1,0,"), std::string::npos);
    EXPECT_EQ(FieldText(dump.out, 2, 2), "100,00");
    EXPECT_EQ(FieldText(dump.out, 2, 34), "5,50");
    EXPECT_EQ(FieldText(dump.out, 255, 60), "ende");
    ExpectRoundTrip("a.fdv", ".fdv");
    // --recalc gives what `tarvex recalc` makes of the same document.
    ASSERT_EQ(Tarvex("fill --recalc " + Path("in.json") + " -o " + Path("r.fdv")).exitCode, 0);
    ASSERT_EQ(Tarvex("recalc --flag-11a 0 " + Path("a.fdv") + " " + Path("b.fdv")).exitCode, 0);
    EXPECT_EQ(ReadBytes(File("r.fdv")), ReadBytes(File("b.fdv")));
    EXPECT_NE(ReadBytes(File("r.fdv")), ReadBytes(File("a.fdv")));
}

TEST_F(DataExchangeCli, FillOfTheDumpOfEveryVersionWritesWhatConvertWrites) {
    // Old layouts and forms without a variant included: fill of a dump is the document as the
    // program saves it. A file the program refuses gives a dump that fill refuses too.
    const std::filesystem::path fixtures(TARVEX_FIXTURES_DIR);
    int compared = 0, refused = 0;
    for (const char* kind : {"aef", "fdv"}) {
        for (const auto& entry : std::filesystem::directory_iterator(fixtures / kind)) {
            if (entry.path().extension() != std::string(".") + kind) continue;
            const std::string in = QuoteArg(entry.path().string()), ext = std::string(".") + kind;
            const CliRun dump = Tarvex("dump " + in);
            Write("d.json", dump.out);
            std::filesystem::remove(File("f" + ext));
            const CliRun fill = Tarvex("fill " + Path("d.json") + " -o " + Path("f" + ext));
            const CliRun convert = Tarvex("convert " + in + " " + Path("c" + ext));
            SCOPED_TRACE(entry.path().filename().string());
            if (convert.exitCode != 0) {
                EXPECT_EQ(fill.exitCode, 1) << fill.err;
                EXPECT_FALSE(std::filesystem::exists(File("f" + ext)));
                ++refused;
                continue;
            }
            ASSERT_EQ(fill.exitCode, 0) << fill.err;
            EXPECT_EQ(ReadBytes(File("f" + ext)), ReadBytes(File("c" + ext)));
            ++compared;
        }
    }
    EXPECT_GE(compared, 10);
    EXPECT_GE(refused, 3);
}

TEST_F(DataExchangeCli, BadJsonNamesThePathAndWritesNothing) {
    const std::string longText(513, 'x');
    struct Case {
        std::string json;
        std::string message;
    };
    const Case cases[] = {
        {"{\"pages\":[{\"page\":1,\"fields\":[{\"box\":\"99\",\"text\":\"a\"}]}]}",
         "pages[0].fields[0].box: die Seite 1 hat kein Feld \"99\""},
        {"{\"pages\":[{},{\"fields\":[{\"index\":214}]}]}",
         "pages[1].fields[0].index: die Seite 2 hat kein Feld 214 (Felder 0 bis 213)"},
        {"{\"pages\":[{\"page\":1,\"fields\":[{\"box\":\"8\",\"text\":\"" + longText + "\"}]}]}",
         "pages[0].fields[0].text: der Text ist 513 Zeichen lang; Feld 8 fasst höchstens 512 Zeichen"},
        {"{\"pages\":[{\"page\":256,\"fields\":[]}]}",
         "pages[0].page: die Seite 256 gibt es nicht (ein Dokument hat höchstens 255 Seiten)"},
        {"{\"pages\":[{\"page\":1,\"fields\":[{\"index\":\"3\"}]}]}",
         "pages[0].fields[0].index: erwartet wird eine ganze Zahl"},
        {"{\"pages\":[{\"page\":1,\"fields\":[{\"index\":3,\"text\":5}]}]}",
         "pages[0].fields[0].text: erwartet wird ein Text"},
        {"{\"variant\":4}", "variant: der Wert 4 ist keine Formularart (0, 1, 2, 3 oder 5)"},
        {"{\"status\":18}",
         "status: die Datei wurde mit Meldung 18 gelesen und nicht übernommen; daraus wird kein Dokument "
         "geschrieben"},
        {"{\"variant\":2.5}", "variant: erwartet wird eine ganze Zahl"},
        {"{\"pages\":{}}", "pages: erwartet wird eine Liste"},
        {"{\"page\":[]}", "page: unbekannter Schlüssel"},
        {"{\"format\":\"fdv\"}", "format: das Format \"fdv\" passt nicht zur Ausgabedatei"},
        {"{\"pages\":[{\"page\":1,\"fields\":[{\"text\":\"a\"}]}]}",
         "pages[0].fields[0]: \"index\" oder \"box\" fehlt"},
        {"{\"pages\":[", "kein gültiges JSON (Byte 10"},
    };
    for (const Case& c : cases) {
        Write("bad.json", c.json);
        const CliRun r = Tarvex("fill " + Path("bad.json") + " -o " + Path("bad.aef"));
        EXPECT_EQ(r.exitCode, 1) << c.json;
        EXPECT_NE(r.err.find("bad.json: " + c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(File("bad.aef"))) << c.json;
    }
    // --lenient writes what fits and lists the rest.
    Write("mixed.json",
          "{\"pages\":[{\"page\":1,\"fields\":[{\"box\":\"99\",\"text\":\"a\"},"
          "{\"box\":\"8\",\"text\":\"" +
              longText + "\"},{\"box\":\"8 \",\"size\":9}]}]}");
    const CliRun r = Tarvex("fill --lenient " + Path("mixed.json") + " -o " + Path("ok.aef"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("pages[0].fields[0].box: die Seite 1 hat kein Feld \"99\" (übergangen)"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("pages[0].fields[1].text: der Text ist 513 Zeichen lang"), std::string::npos);
    EXPECT_NE(r.err.find("pages[0].fields[2].size: der Wert 9 liegt nicht zwischen 0 und 4 (übergangen)"),
              std::string::npos);
    const CliRun dump = Tarvex("dump " + Path("ok.aef"));
    EXPECT_EQ(FieldText(dump.out, 1, SadBoxFields(SadSheet::First, {8, 0, 0}).back()), std::string(512, 'x'));
}

TEST_F(DataExchangeCli, SchemaCoversWhatDumpPrints) {
    for (const std::string kind : {"aef", "fdv"}) {
        const CliRun schema = Tarvex("schema " + kind);
        ASSERT_EQ(schema.exitCode, 0);
        EXPECT_NE(schema.out.find("\"$schema\":\"https://json-schema.org/draft/2020-12/schema\""),
                  std::string::npos);
        EXPECT_NE(schema.out.find("\"maxLength\":512"), std::string::npos);
        const std::string doc = kind == "aef" ? "n.aef" : "n.fdv";
        ASSERT_EQ(Tarvex((kind == "aef" ? "new-sad " : "new-dv1 ") + Path(doc)).exitCode, 0);
        const std::string dump = Tarvex("dump " + Path(doc)).out;
        // Every key of the dump's top level and of its fields is a property of the schema.
        for (size_t at = dump.find("\""); at != std::string::npos; at = dump.find("\"", at + 1)) {
            const size_t end = dump.find("\"", at + 1);
            if (end == std::string::npos || dump[end + 1] != ':') {
                at = end;
                continue;
            }
            const std::string key = dump.substr(at + 1, end - at - 1);
            EXPECT_NE(schema.out.find("\"" + key + "\":{"), std::string::npos) << kind << ": " << key;
            at = end;
        }
    }
    EXPECT_EQ(Tarvex("schema pdf").exitCode, 2);
}

TEST_F(DataExchangeCli, TablesRoundTripThroughCsv) {
    // The address fixture (umlauts, quotes, a deleted record) and an article table with a
    // description of several lines, in both encodings and with both separators.
    const std::string fixture = QuoteArg(std::string(TARVEX_FIXTURES_DIR) + "/dbf/adress1.dbf");
    Write("articles.csv",
          "WBESCH1;WNR1;WNR2;WNR3;WNR4;WNR5;LAND1;LAND2\r\n"
          "\"Schrauben \"\"M6\"\"\r\nverzinkt\r\n\xC3\xA4\xC3\xB6\xC3\xBC\";73181595;00;;;;CN;\r\n"
          ";;;;;;;\r\n"
          "Muttern;73181630;;;;;DE;05\r\n");
    ASSERT_EQ(
        Tarvex("dbf import " + Path("art.dbf") + " " + Path("articles.csv") + " --layout articles").exitCode,
        0);
    struct Case {
        std::string table, layout, options;
    };
    const Case cases[] = {{fixture, "addresses", ""},
                          {fixture, "addresses", " --encoding utf-8-bom --separator ,"},
                          {Path("art.dbf"), "articles", ""},
                          {Path("art.dbf"), "articles", " --encoding utf-8"}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string a = "a" + std::to_string(n) + ".csv", b = "b" + std::to_string(n) + ".csv";
        const std::string t = "t" + std::to_string(n++) + ".dbf";
        ASSERT_EQ(Tarvex("dbf export " + c.table + " " + Path(a) + c.options).exitCode, 0);
        const CliRun import = Tarvex("dbf import " + Path(t) + " " + Path(a) + " --layout " + c.layout);
        ASSERT_EQ(import.exitCode, 0) << import.err;
        ASSERT_EQ(Tarvex("dbf export " + Path(t) + " " + Path(b) + c.options).exitCode, 0);
        EXPECT_EQ(Read(a), Read(b)) << c.table << c.options;
        EXPECT_NE(Read(a).find("\r\n"), std::string::npos);
    }
    EXPECT_EQ(Read("a2.csv"),
              std::string("WBESCH1;WNR1;WNR2;WNR3;WNR4;WNR5;LAND1;LAND2\r\n"
                          "\"Schrauben \"\"M6\"\"\r\nverzinkt\r\n\xE4\xF6\xFC\";73181595;00;;;;CN;\r\n"
                          ";;;;;;;\r\n"
                          "Muttern;73181630;;;;;DE;05\r\n"));
    const std::string fixtureCsv = Read("a0.csv");
    EXPECT_NE(fixtureCsv.find("\"\xC4rztebedarf \"\"S\xFC"
                              "d\"\"\x20KG\""),
              std::string::npos)
        << fixtureCsv;
}

TEST_F(DataExchangeCli, FaultyCsvChangesNoRecordAndSaysWhere) {
    ASSERT_EQ(
        Tarvex("dbf import " + Path("adr.dbf") + " " + Path("none.csv") + " --layout addresses").exitCode, 1);
    Write("good.csv", "ADRESS1;ZOLLNR\r\nErste;DE1\r\n");
    ASSERT_EQ(
        Tarvex("dbf import " + Path("adr.dbf") + " " + Path("good.csv") + " --layout addresses").exitCode, 0);
    const auto before = ReadBytes(File("adr.dbf"));
    std::string csv = "ADRESS1;ZOLLNR\r\n";
    for (int i = 0; i < 900; ++i)
        csv += (i == 810 ? std::string(81, 'N') : "Firma " + std::to_string(i)) + ";DE\r\n";
    Write("bad.csv", csv);
    const CliRun r = Tarvex("dbf import " + Path("adr.dbf") + " " + Path("bad.csv") + " --layout addresses");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.csv: Zeile 812, Spalte \"ADRESS1\": "), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(File("adr.dbf")), before);
    EXPECT_NE(r.out.find("\"written\":0"), std::string::npos);
    // --cut takes the row cut to its field and says so.
    const CliRun cut =
        Tarvex("dbf import --cut " + Path("adr.dbf") + " " + Path("bad.csv") + " --layout addresses");
    EXPECT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_NE(cut.out.find("\"written\":900"), std::string::npos);
    EXPECT_NE(cut.out.find("\"cut\":[{\"row\":812,\"column\":\"ADRESS1\""), std::string::npos) << cut.out;
    // The wrong layout and a missing --layout.
    const CliRun wrong =
        Tarvex("dbf import " + Path("adr.dbf") + " " + Path("good.csv") + " --layout articles");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("hat nicht die Felder einer Artikeldatei"), std::string::npos) << wrong.err;
    EXPECT_EQ(Tarvex("dbf import " + Path("adr.dbf") + " " + Path("good.csv")).exitCode, 2);
    EXPECT_EQ(Tarvex("dbf import " + Path("adr.dbf") + " " + Path("good.csv") + " --layout x").exitCode, 2);
}

}  // namespace

#endif
