// What the `tarvex` tools do with files in a hostile world: a full disk, names that are not
// UTF-8, inputs that are no documents.

#ifndef _WIN32

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/common/TestUtil.h"
#include "tests/core/sad/AefTestUtil.h"

using namespace tarvex;
using namespace tarvex::aeftest;
using testutil::CliRun;
using testutil::QuoteArg;
using testutil::ReadText;
using testutil::TempDir;

namespace {

namespace fs = std::filesystem;

class FileSafetyCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return testutil::RunTarvex(args, m_dir.Path()); }
    // Runs the tool with files limited to `limit` bytes, as on a disk that fills up: a write past
    // the limit fails with EFBIG (the signal that would end the process is ignored, and stays
    // ignored across the exec). Returns the exit code; the messages are in ErrText().
    int TarvexOnFullDisk(const std::string& args, rlim_t limit) {
        const pid_t child = fork();
        if (child < 0) return -1;
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(99);
            _exit(Tarvex(args).exitCode & 0xFF);
        }
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }
    std::string ErrText() { return ReadText(m_dir / "stderr.txt"); }
    static std::string FixtureArg(const std::string& name) { return QuoteArg(Fixture(name).string()); }
    size_t FilesIn(const fs::path& dir) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    TempDir m_dir;
};

}  // namespace

// Every command that reads a file refuses a pipe at once instead of waiting on it, the document
// commands and the table listing alike.
TEST_F(FileSafetyCli, APipeIsRefusedNotWaitedOn) {
    const fs::path fifo = m_dir / "pipe.aef";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string in = QuoteArg(fifo.string());
    for (const std::string args :
         {"dump " + in, "convert " + in + " " + QuoteArg((m_dir / "out.aef").string()),
          "render " + in + " -o " + QuoteArg((m_dir / "x.png").string()),
          "pdf " + in + " -o " + QuoteArg((m_dir / "x.pdf").string()), "recalc " + in,
          "recalc " + in + " " + QuoteArg((m_dir / "out.fdv").string()), "dbf " + in,
          "dbf " + in + " --index 0"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(20);  // a hanging command ends the child, and the test fails
            _exit(Tarvex(args).exitCode & 0xFF);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        // A writer releases a command still blocked on the pipe, so that nothing is left behind.
        if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
        ASSERT_TRUE(WIFEXITED(status)) << args << " waited on the pipe";
        EXPECT_EQ(WEXITSTATUS(status), 1) << args;
        EXPECT_NE(ErrText().find("keine gewöhnliche Datei"), std::string::npos) << args << ": " << ErrText();
    }
}

TEST_F(FileSafetyCli, FailedOutputOnAFullDiskKeepsTheOldFile) {
    TempDir out;
    for (const char* command : {"pdf", "render"}) {
        const fs::path path = out / (std::string("seite.") + (command[0] == 'p' ? "pdf" : "png"));
        const std::string args =
            std::string(command) + " " + FixtureArg("v210.aef") + " -o " + QuoteArg(path);
        ASSERT_EQ(Tarvex(args).exitCode, 0) << command;
        const std::string good = ReadText(path);
        ASSERT_GT(good.size(), 4096u) << command;
        EXPECT_EQ(TarvexOnFullDisk(args, 4096), 1) << command;
        EXPECT_NE(ErrText().find("kann nicht gespeichert werden"), std::string::npos) << ErrText();
        EXPECT_TRUE(ReadText(path) == good) << command << ": the old file was changed";
    }
    EXPECT_EQ(FilesIn(out.Path()), 2u);  // no temporary file left behind
}

TEST_F(FileSafetyCli, NamesThatAreNotUtf8AreTheFilesWritten) {
    TempDir out;
    const std::string in = (out.Path() / "\xe4rger.aef").string();  // Latin-1 "ä"
    fs::copy_file(Fixture("v210.aef"), in);
    const std::string pdf = (out.Path() / "\xff.pdf").string();
    const std::string png = (out.Path() / "seite\xfe.png").string();
    const std::string aef = (out.Path() / "neu\xfc.aef").string();
    for (const std::string& args :
         {"pdf " + QuoteArg(in) + " -o " + QuoteArg(pdf), "render " + QuoteArg(in) + " -o " + QuoteArg(png),
          "convert " + QuoteArg(in) + " " + QuoteArg(aef)}) {
        const CliRun r = Tarvex(args);
        EXPECT_EQ(r.exitCode, 0) << args << ": " << r.err;
    }
    EXPECT_EQ(ReadText(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(ReadText(png).rfind("\x89PNG", 0), 0u);
    EXPECT_EQ(ReadText(aef).rfind("KTW-EHForm@2.10", 0), 0u);
    EXPECT_EQ(FilesIn(out.Path()), 4u);  // nothing under another name
    const CliRun dump = Tarvex("dump " + QuoteArg(in));
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
}

TEST_F(FileSafetyCli, TableTheUserMayOnlyReadIsListed) {
    // As another user where the test runs as root (root may open any file for writing).
    fs::permissions(m_dir.Path(), fs::perms::all);
    const fs::path table = m_dir / "adressen.dbf";
    fs::copy_file(fs::path(TARVEX_FIXTURES_DIR) / "dbf" / "adress1.dbf", table);
    fs::permissions(table, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        _exit(Tarvex("dbf " + QuoteArg(table.string())).exitCode & 0xFF);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ErrText();
}

#endif  // _WIN32
