// The `tarvex` tool's SAD subcommands, run as a separate program.

#ifndef _WIN32

#include <gtest/gtest.h>

#include "core/formview/FormZoom.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "tests/common/TestUtil.h"
#include "tests/core/sad/AefTestUtil.h"

using namespace tarvex;
using namespace tarvex::aeftest;
using testutil::CliRun;
using testutil::QuoteArg;

namespace {

class AefCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return testutil::RunTarvex(args, m_dir.Path()); }
    std::string Path(const std::string& name) { return QuoteArg((m_dir / name).string()); }
    static std::string FixtureArg(const std::string& name) { return QuoteArg(Fixture(name).string()); }

    TempDir m_dir;
};

size_t CountOf(const std::string& hay, const std::string& needle) {
    size_t n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(AefCli, DumpPrintsEveryField) {
    const CliRun r = Tarvex("dump " + FixtureArg("v210.aef"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind(
                  "{\"format\":\"aef\",\"signature\":\"KTW-EHForm@2.10\",\"status\":0,\"variant\":2,"
                  "\"formCode\":10,"
                  "\"continuationCount\":1,\"inputTax\":1,\"reserved\":3735928559,\"pageMode\":8194,"
                  "\"fieldCounts\":[154,214],\"pages\":[{\"page\":1,\"fields\":[{\"index\":0,\"text\":\"f0\","
                  "\"flags\":3},{\"index\":1,\"text\":\"\",\"flags\":3},",
                  0),
              0u)
        << r.out.substr(0, 400);
    EXPECT_NE(r.out.find("{\"page\":2,\"fields\":[{\"index\":0,\"text\":\"p2.0\",\"flags\":2}"),
              std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":8,\"text\":\"Zeile 1\\r\\nZeile 2\",\"flags\":274}"), std::string::npos);
    EXPECT_EQ(CountOf(r.out, "{\"index\":"), 154u + 214u);
    EXPECT_EQ(r.out.substr(r.out.size() - 5), "]}]}\n");
    EXPECT_TRUE(r.err.empty()) << r.err;

    const CliRun old = Tarvex("dump " + FixtureArg("v120.aef"));
    ASSERT_EQ(old.exitCode, 0) << old.err;
    EXPECT_NE(old.out.find("\"signature\":\"KTW-AEForm@1.20\",\"status\":0,\"variant\":-1,\"formCode\":null,"
                           "\"continuationCount\":2"),
              std::string::npos);
    EXPECT_NE(old.out.find("\"text\":\"Gr\xC3\xBC\xC3\x9F"
                           "e 3B\""),
              std::string::npos);
}

TEST_F(AefCli, DumpOfFilesThatDoNotOpen) {
    const CliRun unknown = Tarvex("dump " + FixtureArg("unknown.aef"));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.out.find("\"status\":18"), std::string::npos);
    EXPECT_NE(unknown.err.find("Dies ist kein bekanntes Dokumentformat und\nkann daher nicht ge\xC3\xB6"
                               "ffnet werden!"),
              std::string::npos)
        << unknown.err;

    const CliRun old = Tarvex("dump " + FixtureArg("v100.aef"));
    EXPECT_EQ(old.exitCode, 1);
    EXPECT_NE(old.out.find("\"status\":19"), std::string::npos);
    EXPECT_NE(old.err.find("einer \xC3\xA4lteren Version"), std::string::npos) << old.err;
    // Like every other failure: "tarvex: FILE: message", so that a script sees which file it was.
    for (const CliRun* r : {&unknown, &old}) EXPECT_EQ(r->err.rfind("tarvex: ", 0), 0u) << r->err;
    EXPECT_NE(old.err.find("v100.aef: Dies ist ein Dokument"), std::string::npos) << old.err;

    std::vector<uint8_t> cut = ReadBytes(Fixture("v210.aef"));
    cut.resize(cut.size() / 2);
    WriteBytes(m_dir / "cut.aef", cut);
    for (const std::string& file : {Path("cut.aef"), Path("missing.aef")}) {
        const CliRun r = Tarvex("dump " + file);
        EXPECT_EQ(r.exitCode, 1) << file;
        EXPECT_TRUE(r.out.empty()) << file;
        EXPECT_FALSE(r.err.empty()) << file;
    }
}

TEST_F(AefCli, ConvertWritesTheCurrentLayout) {
    const CliRun r = Tarvex("convert " + FixtureArg("v151.aef") + " " + Path("out.aef"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CEinheitspapierDoc direct, converted;
    std::string error;
    ASSERT_TRUE(LoadAefFile(Fixture("v151.aef"), direct, error)) << error;
    ASSERT_TRUE(LoadAefFile(m_dir / "out.aef", converted, error)) << error;
    const std::vector<uint8_t> out = ReadBytes(m_dir / "out.aef");
    EXPECT_EQ(std::string(out.begin(), out.begin() + 15), "KTW-EHForm@2.10");
    EXPECT_EQ(converted.Store().Texts1(), direct.Store().Texts1());
    EXPECT_EQ(converted.Store().Texts2(), direct.Store().Texts2());
    EXPECT_EQ(converted.Store().GetFieldText(50, 2), u"DEM");
    EXPECT_EQ(converted.m_nFormVariant, 3);

    const CliRun bad = Tarvex("convert " + FixtureArg("unknown.aef") + " " + Path("none.aef"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "none.aef"));
    const CliRun unwritable = Tarvex("convert " + FixtureArg("v120.aef") + " " + Path("no/such/folder.aef"));
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("folder.aef"), std::string::npos) << unwritable.err;
}

TEST_F(AefCli, NewSadTakesTheDefaultsOfTheProfileStore) {
    std::filesystem::create_directories(m_dir / "settings" / "user" / "Dalrek");
    std::ofstream(m_dir / "settings" / "user" / "Dalrek" / "Tarvex-Import.ini")
        << "[EHForm_Defaults]\nAnmelder=3\nZollNummer2=DE77\nFeld2=4\nFirma1=Alpha\nFirma2=Beta\nZollNummer1="
           "DE9\n"
           "Bundesland1=05\n";
    const CliRun r = Tarvex("new-sad --variant 1 " + Path("new.aef"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CEinheitspapierDoc doc;
    std::string error;
    ASSERT_TRUE(LoadAefFile(m_dir / "new.aef", doc, error)) << error;
    const CFieldStore& s = doc.Store();
    EXPECT_EQ(doc.m_nFormVariant, 1);
    EXPECT_EQ(doc.m_nContinuationCount, 1);
    EXPECT_EQ(s.GetPageCount(), 2);
    EXPECT_EQ(s.GetFieldText(25, 1), u"Einf\u00fchrer - 00500");
    EXPECT_EQ(s.GetFieldText(24, 1), u"DE77");
    EXPECT_EQ(s.GetFieldText(60, 1), u"05");
    EXPECT_EQ(s.GetFieldText(18, 1), u"Alpha\r\nBeta");
    EXPECT_EQ(s.GetFieldText(8, 2), u"Alpha\r\nBeta");
    EXPECT_EQ(s.GetFieldText(7, 2), u"DE9");
    EXPECT_EQ(s.GetFieldFlags(150, 1), 0x202);  // box 47 total right-aligned, as first shown, size 2

    const CliRun plain = Tarvex("new-sad " + Path("plain.aef"));
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    ASSERT_TRUE(LoadAefFile(m_dir / "plain.aef", doc, error)) << error;
    EXPECT_EQ(doc.m_nFormVariant, 0);
}

TEST_F(AefCli, WrongUsage) {
    for (const char* args : {"", "dump", "dump a b", "convert a", "new-sad", "new-sad --variant 7 x.aef",
                             "new-sad --variant", "frobnicate"}) {
        const CliRun r = Tarvex(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: tarvex"), std::string::npos) << args << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    const CliRun help = Tarvex("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("new-sad [--variant N] OUT"), std::string::npos);
    const CliRun version = Tarvex("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("tarvex ", 0), 0u);
}

// Width and height from a PNG's header chunk; false when the file is no PNG.
bool PngSize(const std::filesystem::path& file, uint32_t& width, uint32_t& height) {
    const std::vector<uint8_t> b = ReadBytes(file);
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() < 24 || !std::equal(kSignature, kSignature + 8, b.begin()) ||
        std::string(b.begin() + 12, b.begin() + 16) != "IHDR")
        return false;
    auto be32 = [&](size_t at) {
        return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
    };
    width = be32(16);
    height = be32(20);
    return true;
}

TEST_F(AefCli, RenderDrawsThePageAtTheZoom) {
    struct Case {
        const char* args;
        int zoom;
    } cases[] = {{"", 10}, {"--zoom 16", 16}, {"--page 2 --zoom 25", 25}};
    for (const Case& c : cases) {
        const CliRun r =
            Tarvex("render " + FixtureArg("v210.aef") + " " + c.args + " -o " + Path("page.png"));
        ASSERT_EQ(r.exitCode, 0) << c.args << ": " << r.err;
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(PngSize(m_dir / "page.png", w, h)) << c.args;
        // The form area, 205 x 350 mm, at the zoom and 96 dpi.
        EXPECT_EQ(w, uint32_t(HimetricToPixels(kSadDocWidthMm * c.zoom * 10, 96))) << c.args;
        EXPECT_EQ(h, uint32_t(HimetricToPixels(kSadDocLengthMm * c.zoom * 10, 96))) << c.args;
        std::filesystem::remove(m_dir / "page.png");
    }
    struct Failure {
        std::string args;
        int exitCode;
    } failures[] = {
        {"render " + FixtureArg("v210.aef") + " --zoom 9 -o " + Path("x.png"), 2},
        {"render " + FixtureArg("v210.aef") + " --page 3 -o " + Path("x.png"), 2},
        {"render " + FixtureArg("v210.aef"), 2},
        {"render " + Path("missing.aef") + " -o " + Path("x.png"), 1},
        {"render " + FixtureArg("unknown.aef") + " -o " + Path("x.png"), 1},
        {"render " + FixtureArg("v210.aef") + " -o " + Path("no/such/folder/x.png"), 1},
        {"pdf " + Path("notes.txt") + " -o " + Path("x.png"),
         1},  // a few bytes of text, as the program refuses it
    };
    testutil::WriteBytes(m_dir / "notes.txt", std::vector<uint8_t>{'h', 'a', 'l', 'l', 'o'});
    for (const Failure& f : failures) {
        const CliRun r = Tarvex(f.args);
        EXPECT_EQ(r.exitCode, f.exitCode) << f.args << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << f.args;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "x.png")) << f.args;
    }
    // A file that does not open says why, in the program's words.
    const CliRun unknown = Tarvex("render " + FixtureArg("unknown.aef") + " -o " + Path("x.png"));
    EXPECT_NE(unknown.err.find("Dies ist kein bekanntes Dokumentformat"), std::string::npos) << unknown.err;
}

TEST_F(AefCli, LayoutSadListsBothSheets) {
    const CliRun r = Tarvex("layout sad");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"sheets\":[{\"sheet\":\"first\",\"fields\":[{\"index\":0,", 0), 0u)
        << r.out.substr(0, 200);
    EXPECT_NE(r.out.find("{\"sheet\":\"continuation\""), std::string::npos);
    // One entry per field of both sheets, and one field with its rectangle and defaults.
    EXPECT_EQ(CountOf(r.out, "\"printRect\":"), size_t(kSadFirstFieldCount + kSadContinuationFieldCount));
    EXPECT_NE(r.out.find("{\"index\":73,\"rect\":[160,1736,1070,2125],\"printRect\":[210,1736,1120,2125],"
                         "\"definition\":[0,0,0,0],\"flags\":3}"),
              std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 5), "]}]}\n");
    for (const char* args : {"layout", "layout dv2", "layout sad x"}) {
        const CliRun bad = Tarvex(args);
        EXPECT_EQ(bad.exitCode, 2) << args;
        EXPECT_TRUE(bad.out.empty()) << args;
    }
}

#endif
