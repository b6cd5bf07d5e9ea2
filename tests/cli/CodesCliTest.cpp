// `tarvex codes [LIST]`: every list in table order, without sentinel rows.

#include <gtest/gtest.h>

#include <string>

#include "tests/common/TestUtil.h"

using tarvex::testutil::CliRun;
namespace testutil = tarvex::testutil;

namespace {

CliRun RunCodes(const std::string& args) {
    const testutil::TempDir scratch;
    return testutil::RunTarvex("codes " + args, scratch.Path());
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
    return n;
}

}  // namespace

TEST(CodesCommand, EveryListInTableOrder) {
    struct Case {
        std::string list;
        size_t rows;
        std::string firstRow;
        std::string lastRow;
    } cases[] = {
        {"countries", 352, R"x({"code":"US","text":"Vereinigte Staaten"})x",
         R"x({"code":"CY","text":"Zypern"})x"},
        {"currencies", 185, R"x({"code":"ADF","text":"Andorranischer Franc"})x",
         R"x({"code":"ZWD","text":"Simbabwe-Dollar"})x"},
        {"states", 17, R"x({"code":"01","text":"Schleswig-Holstein"})x",
         R"x({"code":"99","text":"Ausland"})x"},
        {"delivery-terms", 14, R"x({"code":"EXW","text":"Ab Werk"})x",
         R"x({"code":"XXX","text":"Andere Lieferbedingungen"})x"},
        {"transaction", 25, R"x({"code":"1 1","text":"Endgültiger Kauf/Verkauf","group":"Geschäfte mit)x",
         R"x({"code":"9 9","text":"Nicht anderweitig erfasst","group":"Andere Geschäfte"})x"},
        {"transport", 8, R"x({"code":"1","text":"Seeverkehr"})x",
         R"x({"code":"9","text":"Eigener Antrieb"})x"},
        {"preference", 13,
         R"x({"code":"1","text":"Abgabenbegünstigung erga omnes (ohne Präferenznachweis)"})x",
         R"x({"code":"50","text":"Bescheinigung über die Beschaffenheit der Ware"})x"},
        {"duty-types", 23, R"x({"code":"10100","text":"Zölle"})x",
         R"x({"code":"67000","text":"Biersteuer"})x"},
        {"declarant-roles", 5, R"x({"code":"0","text":""})x",
         R"x({"code":"4","text":"Subunternehmer gem. Artikel 789 Zollkodex-DVO"})x"},
        {"offices", 118,
         R"x({"code":"DE004209","text":"Bad Säckingen","kind":"Allgemein","type":"Zollamt","place":"Bad Säckingen"})x",
         R"x({"code":"DE006160","text":"Wyk","kind":"See (Nordsee)","type":"Abfertigungsstelle","place":"Wyk"})x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        const CliRun r = RunCodes(c.list);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string head = "{\"list\":\"" + c.list + "\",\"rows\":[";
        ASSERT_EQ(r.out.compare(0, head.size(), head), 0) << r.out.substr(0, 80);
        EXPECT_EQ(r.out.compare(head.size(), c.firstRow.size(), c.firstRow), 0) << r.out.substr(0, 200);
        const std::string tail = c.lastRow + "]}\n";
        ASSERT_GE(r.out.size(), tail.size());
        EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
        EXPECT_EQ(Count(r.out, "{\"code\":"), c.rows);
        EXPECT_EQ(r.out.find('@'), std::string::npos) << "a sentinel row was printed";
    }
    // Text with quotes is escaped.
    EXPECT_NE(RunCodes("delivery-terms").out.find(R"x("text":"Frei \"ex ship\"")x"), std::string::npos);
}

TEST(CodesCommand, NamesAndUsage) {
    const CliRun names = RunCodes("");
    ASSERT_EQ(names.exitCode, 0);
    EXPECT_EQ(names.out.rfind("{\"lists\":[\"countries\",\"currencies\",\"states\",", 0), 0u) << names.out;
    EXPECT_NE(names.out.find("\"offices\"]}"), std::string::npos);

    for (const std::string args : {"bogus", "countries extra", "Countries"}) {
        const CliRun r = RunCodes(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("usage: tarvex codes"), std::string::npos) << args;
    }
}
