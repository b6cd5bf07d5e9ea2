// `tarvex dbf FILE [--index POS]` on the fixtures of tests/fixtures/dbf.

#include <gtest/gtest.h>

#include <string>

#include "core/masterdata/dBaseDocument.h"
#include "tests/common/TestUtil.h"
#include "tests/core/masterdata/DbfTestUtil.h"

using namespace tarvex;
using namespace tarvex::dbftest;
using testutil::CliRun;
using testutil::QuoteArg;

namespace {

CliRun RunDbf(const std::string& args) {
    const TempDir scratch;
    return testutil::RunTarvex("dbf " + args, scratch.Path());
}

std::string Fixture(const std::string& name) {
    return QuoteArg(std::string(TARVEX_FIXTURES_DIR) + "/dbf/" + name);
}

}  // namespace

TEST(DbfCommand, AddressTableWithIndex) {
    auto r = RunDbf(Fixture("adress1.dbf") + " --index 0");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(
        r.out,
        "{\"version\":3,\"updated\":\"2024-05-17\",\"headerLength\":193,\"recordLength\":346,"
        "\"recordCount\":4,\"fields\":["
        "{\"name\":\"ADRESS1\",\"type\":\"C\",\"length\":80,\"decimals\":0},"
        "{\"name\":\"ADRESS2\",\"type\":\"C\",\"length\":80,\"decimals\":0},"
        "{\"name\":\"ADRESS3\",\"type\":\"C\",\"length\":80,\"decimals\":0},"
        "{\"name\":\"ADRESS4\",\"type\":\"C\",\"length\":80,\"decimals\":0},"
        "{\"name\":\"ZOLLNR\",\"type\":\"C\",\"length\":25,\"decimals\":0}],\"records\":["
        "{\"record\":1,\"deleted\":false,\"values\":[\"Erster Eintrag\",\"\",\"\",\"\",\"\"]},"
        "{\"record\":2,\"deleted\":false,\"values\":[\"Müller & Söhne GmbH\",\"Hafenstraße 12\","
        "\"20457 Hamburg\",\"DE\",\"DE1234567\"]},"
        "{\"record\":3,\"deleted\":true,\"values\":[\"Alte Firma\",\"Weg 1\",\"12345 Irgendwo\",\"\",\"\"]},"
        "{\"record\":4,\"deleted\":false,\"values\":[\"Ärztebedarf \\\"Süd\\\" KG\",\"Postfach 9\","
        "\"80331 München\",\"\",\"DE7654321\"]}],"
        "\"index\":[{\"key\":\"Erster Eintrag\",\"record\":1},{\"key\":\"Müller & Söhne GmbH\",\"record\":2},"
        "{\"key\":\"Ärztebedarf \\\"Süd\\\" KG\",\"record\":4}]}\n");
}

TEST(DbfCommand, EveryFieldType) {
    auto r = RunDbf(Fixture("typed.dbf") + " --index 1");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(
        r.out,
        "{\"version\":3,\"updated\":\"2024-05-17\",\"headerLength\":225,\"recordLength\":47,"
        "\"recordCount\":3,\"fields\":["
        "{\"name\":\"NAME\",\"type\":\"C\",\"length\":12,\"decimals\":0},"
        "{\"name\":\"MENGE\",\"type\":\"N\",\"length\":5,\"decimals\":0},"
        "{\"name\":\"BETRAG\",\"type\":\"N\",\"length\":10,\"decimals\":2},"
        "{\"name\":\"DATUM\",\"type\":\"D\",\"length\":8,\"decimals\":0},"
        "{\"name\":\"AKTIV\",\"type\":\"L\",\"length\":1,\"decimals\":0},"
        "{\"name\":\"NOTIZ\",\"type\":\"M\",\"length\":10,\"decimals\":0}],\"records\":["
        "{\"record\":1,\"deleted\":false,\"values\":[\"Schraube\",250,12.5,\"01.02.2024\",true,null]},"
        "{\"record\":2,\"deleted\":false,\"values\":[\"  Mutter\",0,-0.75,\"\",false,null]},"
        "{\"record\":3,\"deleted\":false,\"values\":[\"AB\",99999,1234567.89,\"31.12.1999\",true,null]}],"
        "\"index\":[{\"key\":\"0\",\"record\":2},{\"key\":\"250\",\"record\":1},"
        "{\"key\":\"99999\",\"record\":3}]}\n");
}

TEST(DbfCommand, UnusualButReadableTables) {
    auto r = RunDbf(Fixture("claims_more.dbf"));
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"recordCount\":5"), std::string::npos);
    EXPECT_NE(r.out.find("\"records\":[{\"record\":1,\"deleted\":false,\"values\":[\"ein\"]}]}"),
              std::string::npos);
    r = RunDbf(Fixture("dbase3memo.dbf"));
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("{\"version\":131,"), std::string::npos);
    r = RunDbf(Fixture("extra_header_byte.dbf"));
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"values\":[\"def\",12]"), std::string::npos);
}

TEST(DbfCommand, EmptyTableHasEmptyIndex) {
    TempDir dir;
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(dir / "leer.dbf", 0), 1);
    doc.CloseTable();
    auto r = RunDbf("\"" + (dir / "leer.dbf").string() + "\" --index 4");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"recordCount\":0,"), std::string::npos);
    EXPECT_NE(r.out.find("\"records\":[],\"index\":[]}"), std::string::npos);
}

TEST(DbfCommand, ExitCodes) {
    EXPECT_EQ(RunDbf(Fixture("foxpro.dbf")).exitCode, 1);
    EXPECT_EQ(RunDbf(Fixture("damaged_record_length.dbf")).exitCode, 1);
    EXPECT_EQ(RunDbf(Fixture("damaged_numeric_width.dbf")).exitCode, 1);
    EXPECT_EQ(RunDbf(Fixture("nicht-vorhanden.dbf")).exitCode, 1);
    EXPECT_TRUE(RunDbf(Fixture("foxpro.dbf")).out.empty());
    EXPECT_EQ(RunDbf("").exitCode, 2);
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " --index").exitCode, 2);
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " --index x").exitCode, 2);
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " --index -1").exitCode, 2);
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " --index 6").exitCode, 2);  // six fields: 0..5
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " --index 3").exitCode, 2);  // a date field
    EXPECT_EQ(RunDbf(Fixture("typed.dbf") + " " + Fixture("adress1.dbf")).exitCode, 2);
}
