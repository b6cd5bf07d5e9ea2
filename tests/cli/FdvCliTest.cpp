// The `tarvex` tool's D.V.1 subcommands, run as a separate program.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;
using testutil::CliRun;
using testutil::QuoteArg;
using testutil::ReadBytes;
using testutil::TempDir;

namespace {

std::filesystem::path Fixture(const std::string& name) {
    return std::filesystem::path(TARVEX_FIXTURES_DIR) / "fdv" / name;
}

size_t CountOf(const std::string& hay, const std::string& needle) {
    size_t n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

class FdvCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return testutil::RunTarvex(args, m_dir.Path()); }
    std::string Path(const std::string& name) { return QuoteArg((m_dir / name).string()); }
    static std::string FixtureArg(const std::string& name) { return QuoteArg(Fixture(name).string()); }

    CDV1_Doc Read(const std::string& name) {
        CDV1_Doc doc;
        std::string error;
        EXPECT_TRUE(LoadFdvFile(m_dir / name, doc, error)) << error;
        return doc;
    }
    void Write(const std::string& name, CDV1_Doc& doc) {
        std::string error;
        ASSERT_TRUE(SaveFdvFile(m_dir / name, doc, error)) << error;
    }
    void SetProfileFlag(int flag) {
        std::filesystem::create_directories(m_dir / "settings" / "user" / "Dalrek");
        std::ofstream(m_dir / "settings" / "user" / "Dalrek" / "Tarvex-Import.ini")
            << "[DV1Form_Defaults]\nFlag_DV1_11a=" << flag << "\n";
    }

    TempDir m_dir;
};

}  // namespace

TEST_F(FdvCli, DumpPrintsEveryFieldAndTheChecks) {
    const CliRun r = Tarvex("dump " + FixtureArg("v300.fdv"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("{\"format\":\"fdv\",\"signature\":\"KTW-DV1Form@3.00\",\"version\":300,\"message\":0,"
                    "\"checks\":[0,1,0,1,0,1,0,1,0,1,0,1,0,1],\"fieldCounts\":[12,61],\"pages\":[{\"page\":1,"
                    "\"fields\":[{\"index\":0,\"text\":\"f0\",\"flags\":3},",
                    0),
        0u)
        << r.out.substr(0, 400);
    EXPECT_NE(r.out.find("{\"page\":2,\"fields\":[{\"index\":0,\"text\":\"p2.0\",\"flags\":3},"
                         "{\"index\":1,\"text\":\"\",\"flags\":515}"),
              std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":3,\"text\":\"Zeile 1\\r\\nZeile 2\",\"flags\":3}"), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":53,\"text\":\"\",\"flags\":531}"), std::string::npos);
    EXPECT_EQ(CountOf(r.out, "{\"index\":"), 12u + 61u);
    EXPECT_EQ(r.out.substr(r.out.size() - 5), "]}]}\n");
    EXPECT_TRUE(r.err.empty()) << r.err;

    const CliRun old = Tarvex("dump " + FixtureArg("v101.fdv"));
    ASSERT_EQ(old.exitCode, 0) << old.err;
    EXPECT_NE(old.out.find("\"signature\":\"KTW-DV1Form@1.01\",\"version\":null,\"message\":0,"),
              std::string::npos);
    EXPECT_EQ(CountOf(old.out, "{\"index\":"), 12u + 2 * 61u);
}

TEST_F(FdvCli, DumpOfAFileNotTakenOverGivesTheJsonAndTheMessage) {
    const struct {
        const char* file;
        const char* head;
        const char* message;
    } cases[] = {
        {"v200.fdv", "\"signature\":\"KTW-DV1Form@2.00\",\"version\":null,\"message\":19,",
         "älteren Version"},
        {"v310.fdv", "\"signature\":\"KTW-DV1Form@3.10\",\"version\":null,\"message\":20,",
         "neueren Version"},
        {"v300-301.fdv", "\"signature\":\"KTW-DV1Form@3.00\",\"version\":301,\"message\":20,",
         "neueren Version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const CliRun r = Tarvex("dump " + FixtureArg(c.file));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.out.find(c.head), std::string::npos) << r.out.substr(0, 200);
        EXPECT_EQ(CountOf(r.out, "{\"index\":"), 12u + 61u);  // the empty D.V.1 it opens as
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    const CliRun twoFiles = Tarvex("dump " + FixtureArg("v300.fdv") + " " + Path("x"));
    EXPECT_EQ(twoFiles.exitCode, 2);
}

TEST_F(FdvCli, DumpTellsTheKindsApartBySignature) {
    std::filesystem::copy_file(Fixture("v110.fdv"), m_dir / "named-wrong.aef");
    const CliRun fdv = Tarvex("dump " + Path("named-wrong.aef"));
    EXPECT_EQ(fdv.exitCode, 0) << fdv.err;
    EXPECT_EQ(fdv.out.rfind("{\"format\":\"fdv\",", 0), 0u);
}

// A ".fdv" is read as the program opens it: as a D.V.1, whatever it holds. Bytes without the
// D.V.1 signature are refused with the program's message by every command, and nothing is
// written; an empty file is the empty form the program shows for it, never an SAD.
TEST_F(FdvCli, AFileNamedFdvIsReadAsTheProgramOpensIt) {
    const std::string sad = std::string(TARVEX_FIXTURES_DIR) + "/aef/v210.aef";
    std::filesystem::copy_file(sad, m_dir / "sad.fdv");
    std::ofstream(m_dir / "ten.fdv", std::ios::binary) << "0123456789";
    std::ofstream(m_dir / "EMPTY.FDV", std::ios::binary).flush();
    ASSERT_EQ(std::filesystem::file_size(m_dir / "ten.fdv"), 10u);
    ASSERT_EQ(std::filesystem::file_size(m_dir / "EMPTY.FDV"), 0u);

    const std::string commands[] = {"dump @",           "convert @ out.fdv", "render @ -o out.png",
                                    "pdf @ -o out.pdf", "recalc @",          "recalc @ out.fdv"};
    auto commandLine = [&](std::string c, const std::string& file) {
        c.replace(c.find('@'), 1, Path(file));
        for (const char* out : {"out.fdv", "out.png", "out.pdf"})
            if (size_t at = c.find(out); at != std::string::npos) c.replace(at, std::strlen(out), Path(out));
        return c;
    };
    for (const char* refused : {"sad.fdv", "ten.fdv"}) {
        const std::vector<uint8_t> before = ReadBytes(m_dir / refused);
        for (const std::string& c : commands) {
            const std::string line = commandLine(c, refused);
            SCOPED_TRACE(line);
            const CliRun r = Tarvex(line);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_NE(r.err.find("Dies ist kein bekanntes Dokumentformat und\nkann daher nicht ge\u00f6ffnet "
                                 "werden!"),
                      std::string::npos)
                << r.err;
            EXPECT_EQ(r.out.find("\"format\":\"aef\""), std::string::npos) << r.out.substr(0, 100);
            for (const char* out : {"out.fdv", "out.png", "out.pdf"})
                EXPECT_FALSE(std::filesystem::exists(m_dir / out)) << out;
            EXPECT_EQ(ReadBytes(m_dir / refused), before);
        }
    }

    const CliRun dump = Tarvex("dump " + Path("EMPTY.FDV"));
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out.rfind("{\"format\":\"fdv\",\"signature\":null,\"version\":null,\"message\":0,", 0), 0u)
        << dump.out.substr(0, 100);
    const CliRun convert = Tarvex("convert " + Path("EMPTY.FDV") + " " + Path("out.fdv"));
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    const std::vector<uint8_t> written = ReadBytes(m_dir / "out.fdv");
    ASSERT_GT(written.size(), 16u);
    EXPECT_EQ(std::string(written.begin(), written.begin() + 16), "KTW-DV1Form@3.00");
    EXPECT_EQ(Tarvex("pdf " + Path("EMPTY.FDV") + " -o " + Path("out.pdf")).exitCode, 0);
    EXPECT_EQ(Tarvex("render " + Path("EMPTY.FDV") + " -o " + Path("out.png")).exitCode, 0);
}

TEST_F(FdvCli, ConvertWritesTheCurrentVersionAndRefusesWhatItCannotTakeOver) {
    const CliRun r = Tarvex("convert " + FixtureArg("v101.fdv") + " " + Path("out.fdv"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<uint8_t> bytes = ReadBytes(m_dir / "out.fdv");
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16), "KTW-DV1Form@3.00");
    CDV1_Doc doc = Read("out.fdv");
    EXPECT_EQ(doc.Store().GetPageCount(), 3);
    EXPECT_EQ(doc.Store().GetFieldText(2, 3), u"P2.1");
    EXPECT_EQ(doc.Store().GetFieldText(1, 3), u"");
    EXPECT_EQ(doc.m_Checks[1], 1);
    // A second conversion gives the same bytes.
    ASSERT_EQ(Tarvex("convert " + Path("out.fdv") + " " + Path("again.fdv")).exitCode, 0);
    EXPECT_EQ(ReadBytes(m_dir / "again.fdv"), bytes);

    for (const char* refused : {"v310.fdv", "short.fdv"}) {
        std::filesystem::copy_file(Fixture(refused), m_dir / refused);
        const std::vector<uint8_t> before = ReadBytes(m_dir / refused);
        const CliRun c = Tarvex(std::string("recalc ") + Path(refused));
        EXPECT_EQ(c.exitCode, 1) << refused;
        EXPECT_NE(c.err.find("geöffnet werden!"), std::string::npos) << c.err;
        EXPECT_EQ(ReadBytes(m_dir / refused), before) << refused;
    }
}

TEST_F(FdvCli, NewDv1WritesAnEmptyDocument) {
    const CliRun r = Tarvex("new-dv1 " + Path("neu.fdv"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CDV1_Doc doc = Read("neu.fdv");
    CDV1_Doc fresh;
    EXPECT_EQ(doc.Store().Texts1(), fresh.Store().Texts1());
    EXPECT_EQ(doc.Store().Words1(), fresh.Store().Words1());
    EXPECT_EQ(doc.Store().Texts2(), fresh.Store().Texts2());
    EXPECT_EQ(doc.Store().Words2(), fresh.Store().Words2());
    EXPECT_EQ(doc.m_Checks, fresh.m_Checks);
    EXPECT_EQ(Tarvex("new-dv1").exitCode, 2);
}

TEST_F(FdvCli, RecalcTakesTheFlagFromTheProfileOrTheOption) {
    CDV1_Doc doc;
    doc.AddPage();
    doc.Store().SetFieldText(2, u"700", 2);
    doc.Store().SetFieldText(4, u"1.000", 2);
    doc.Store().SetFieldText(8, u"ca. 100", 3);
    doc.Store().SetFieldText(31, u"5", 3);  // counts whatever the flag
    Write("in.fdv", doc);

    const struct {
        const char* name;
        int profileFlag;
        const char* option;
        const char16_t* total;
    } cases[] = {
        {"profile 0", 0, "", u"1.000,00"},
        {"profile 1", 1, "", u"700,00"},
        {"option over profile", 1, "--flag-11a 0 ", u"1.000,00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetProfileFlag(c.profileFlag);
        const CliRun r = Tarvex(std::string("recalc ") + c.option + Path("in.fdv") + " " + Path("out.fdv"));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.err.find("Seite 3, Feld 13 (b), Ware 1: \"ca. 100\" ist kein Betrag"), std::string::npos)
            << r.err;
        const CDV1_Doc out = Read("out.fdv");
        EXPECT_EQ(out.Store().GetFieldText(56, 2), c.total);
        EXPECT_EQ(out.Store().GetFieldText(8, 3), u"ca. 100");
        EXPECT_EQ(out.Store().GetFieldText(60, 3), u"5,00");
    }
    // Without OUT the file itself is replaced (the profile still says 1).
    const CliRun inPlace = Tarvex("recalc " + Path("in.fdv"));
    ASSERT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_EQ(Read("in.fdv").Store().GetFieldText(2, 2), u"700,00");

    for (const char* usage : {"recalc", "recalc --flag-11a 2 x.fdv", "recalc a b c", "recalc --flag-11a"})
        EXPECT_EQ(Tarvex(usage).exitCode, 2) << usage;
}

#endif
