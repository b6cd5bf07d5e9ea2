// The `tarvex` command line itself: each command's --help, the usage errors, the order of the
// page options and the tool's own messages, run as a separate program.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/TestUtil.h"

using tarvex::testutil::CliRun;
using tarvex::testutil::QuoteArg;
using tarvex::testutil::TempDir;

namespace {

class CommandLineCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return tarvex::testutil::RunTarvex(args, m_dir.Path()); }
    std::string Path(const std::string& name) { return QuoteArg((m_dir / name).string()); }
    static std::string Fixture(const std::string& folderAndName) {
        return QuoteArg(std::string(TARVEX_FIXTURES_DIR) + "/" + folderAndName);
    }
    bool Wrote(const std::string& name) { return std::filesystem::exists(m_dir / name); }

    TempDir m_dir;
};

}  // namespace

// Every command explains itself and its options on stdout and does nothing else, also when the
// rest of the command line would run it.
TEST_F(CommandLineCli, EachCommandHasItsHelp) {
    struct Case {
        std::string command;
        std::vector<std::string> options;
    } cases[] = {
        {"dump", {}},
        {"convert", {}},
        {"new-sad", {"--variant N", "0779/0780"}},
        {"new-dv1", {}},
        {"recalc", {"--flag-11a 0|1"}},
        {"pdf", {"--pages all|N|N-M", "--page N", "--with-form", "--copies K", "-o OUT.pdf"}},
        {"render", {"--page N", "--zoom Z", "-o OUT.png"}},
        {"layout", {}},
        {"dbf", {"--index POS"}},
        {"codes", {}},
    };
    for (const Case& c : cases) {
        for (const std::string& help :
             {std::string(" --help"), std::string(" -h"), " " + Path("out.x") + " --help"}) {
            const CliRun r = Tarvex(c.command + help);
            EXPECT_EQ(r.exitCode, 0) << c.command << help << ": " << r.err;
            EXPECT_TRUE(r.err.empty()) << c.command << help << ": " << r.err;
            EXPECT_EQ(r.out.rfind("usage: tarvex " + c.command + " ", 0), 0u) << r.out;
            EXPECT_NE(r.out.find("-h, --help"), std::string::npos) << r.out;
            for (const std::string& option : c.options)
                EXPECT_NE(r.out.find(option), std::string::npos) << c.command << ": " << option << "\n"
                                                                 << r.out;
        }
        EXPECT_FALSE(Wrote("out.x")) << c.command;
    }
    // The overview names the commands' help.
    EXPECT_NE(Tarvex("--help").out.find("tarvex COMMAND --help"), std::string::npos);
}

// Wrong usage ends with exit code 2 and the command's usage line before any file is read or
// written, whatever else is wrong with the files.
TEST_F(CommandLineCli, UsageErrors) {
    const std::string aef = Fixture("aef/v210.aef");
    const std::string png = " -o " + Path("x.png");
    const std::string pdf = " -o " + Path("x.pdf");
    const std::string cases[] = {
        "dump --bogus " + aef,
        "dump " + aef + " " + aef,
        "dump " + Path("missing.aef") + " extra",
        "convert " + aef,
        "convert " + aef + " " + Path("a.aef") + " " + Path("b.aef"),
        "new-sad --variant 4 " + Path("x.aef"),
        "new-sad --variant 1.5 " + Path("x.aef"),
        "new-sad --variant",
        "new-sad " + Path("x.aef") + " " + Path("y.aef"),
        "new-dv1 --variant 1 " + Path("x.fdv"),
        "new-dv1 " + Path("x.fdv") + " " + Path("y.fdv"),
        "recalc",
        "recalc --flag-11a 2 " + Path("x.fdv"),
        "recalc --flag-11a x " + Path("x.fdv"),
        "recalc " + Path("a.fdv") + " " + Path("b.fdv") + " " + Path("c.fdv"),
        "pdf " + aef,
        "pdf" + pdf,
        "pdf " + aef + " " + aef + pdf,
        "pdf " + aef + " --pages 0" + pdf,
        "pdf " + aef + " --pages 3-2" + pdf,
        "pdf " + aef + " --pages 2-" + pdf,
        "pdf " + aef + " --pages -2" + pdf,
        "pdf " + aef + " --pages 256" + pdf,
        "pdf " + aef + " --page all" + pdf,  // a range is --pages
        "pdf " + aef + " --page 1-2" + pdf,
        "pdf " + aef + " --copies 0" + pdf,
        "pdf " + aef + " --copies 10" + pdf,
        "pdf " + aef + " --with-form=1" + pdf,
        "pdf " + aef + " --page" + pdf,
        "render " + aef,
        "render" + png,
        "render " + aef + " --zoom 9" + png,
        "render " + aef + " --zoom 26" + png,
        "render " + aef + " --page 0" + png,
        "render " + aef + " --page 2x" + png,
        "render " + aef + " --pages 2" + png,
        "layout",
        "layout sad dv1",
        "layout dv2",
        "dbf",
        "dbf --index " + Fixture("dbf/typed.dbf"),
        "dbf " + Fixture("dbf/typed.dbf") + " --index -1",
        "codes countries offices",
        "codes --bogus",
    };
    for (const std::string& args : cases) {
        const CliRun r = Tarvex(args);
        const std::string command = args.substr(0, args.find(' '));
        EXPECT_EQ(r.exitCode, 2) << args << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("usage: tarvex " + command), std::string::npos) << args << ": " << r.err;
        for (const char* name : {"x.png", "x.pdf", "x.aef", "x.fdv", "a.aef", "b.aef", "b.fdv"})
            EXPECT_FALSE(Wrote(name)) << args << ": " << name;
    }
}

// --pages and the older --page both choose the pages; the later one counts. v210.aef has two pages.
TEST_F(CommandLineCli, TheLaterPageOptionCounts) {
    const std::string aef = Fixture("aef/v210.aef");
    struct Case {
        std::string options;
        int exitCode;
    } cases[] = {
        {"--pages 1-3 --page 1", 0}, {"--page 1 --pages 1-3", 2}, {"--page 3 --pages all", 0},
        {"--pages all --page 3", 2}, {"--pages 2 --pages 3", 2},  {"--pages=2", 0},
    };
    for (const Case& c : cases) {
        const CliRun r = Tarvex("pdf " + aef + " " + c.options + " -o " + Path("x.pdf"));
        EXPECT_EQ(r.exitCode, c.exitCode) << c.options << ": " << r.err;
        EXPECT_EQ(Wrote("x.pdf"), c.exitCode == 0) << c.options;
        std::filesystem::remove(m_dir / "x.pdf");
    }
}

// The tool's own messages speak German, as the program and the readers' messages do.
TEST_F(CommandLineCli, MessagesSpeakGerman) {
    const std::string aef = Fixture("aef/v210.aef");
    struct Case {
        std::string args;
        int exitCode;
        std::string message;
    } cases[] = {
        {"frobnicate", 2, "tarvex: unbekannter Befehl \"frobnicate\""},
        {"render " + aef + " --page 3 -o " + Path("x.png"), 2,
         "v210.aef: Die Seite 3 gibt es in diesem Dokument nicht (Seitenzahl: 2)."},
        {"pdf " + aef + " --pages 2-5 -o " + Path("x.pdf"), 2,
         "v210.aef: Die Seiten 2 bis 5 gibt es in diesem Dokument nicht (Seitenzahl: 2)."},
        {"pdf " + Fixture("fdv/v300.fdv") + " --page 9 -o " + Path("x.pdf"), 2,
         "v300.fdv: Die Seite 9 gibt es in diesem Dokument nicht"},
        {"dbf " + Fixture("dbf/typed.dbf") + " --index 6", 2,
         "tarvex dbf: --index 6: die Tabelle hat 6 Felder (Positionen 0..5)"},
        {"dbf " + Fixture("dbf/typed.dbf") + " --index 3", 2,
         "tarvex dbf: --index 3: ein Feld vom Typ 'D' hat keinen Index (nur C oder N)"},
    };
    for (const Case& c : cases) {
        const CliRun r = Tarvex(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_FALSE(Wrote("x.png") || Wrote("x.pdf")) << c.args;
    }
}

#endif
