// Saving replaces a document only where the user may write it, keeps what belongs to the old
// file (mode, owner, the link that leads to it) and leaves nothing of its own behind.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "core/common/AtomicFile.h"
#include "tests/common/TestUtil.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tarvex;
using testutil::ReadText;
using testutil::TempDir;

namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> kNew = {'n', 'e', 'u'};

void WriteText(const fs::path& path, const std::string& text) {
    testutil::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

TEST(AtomicFile, SymbolicLinkIsSavedThroughToItsTarget) {
    if (!testutil::kSymlinksAndModes) GTEST_SKIP() << testutil::kNoSymlinksAndModes;
    TempDir dir;
    WriteText(dir / "ziel.aef", "alt");
    fs::create_symlink("ziel.aef", dir / "link.aef");
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir / "link.aef", kNew, error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "link.aef"));
    EXPECT_EQ(ReadText(dir / "ziel.aef"), "neu");
}

TEST(AtomicFile, LinkThatLeadsNowhereIsRefusedAndKept) {
    if (!testutil::kSymlinksAndModes) GTEST_SKIP() << testutil::kNoSymlinksAndModes;
    TempDir dir;
    fs::create_symlink("fehlt.aef", dir / "haengend.aef");
    fs::create_symlink("schleife-b.aef", dir / "schleife-a.aef");
    fs::create_symlink("schleife-a.aef", dir / "schleife-b.aef");
    for (const char* name : {"haengend.aef", "schleife-a.aef"}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomic(dir / name, kNew, error)) << name;
        EXPECT_NE(error.find("Verknüpfung"), std::string::npos) << error;
        EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
    }
    EXPECT_FALSE(fs::exists(dir / "fehlt.aef"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
}

#ifndef _WIN32

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

// Runs the save in a child process as the user nobody where this test runs as root (root may
// write every file, which would prove nothing). Returns the child's exit code: 0 saved,
// 1 refused with the write-protection message, 2 refused otherwise, 3 setup failed.
int SaveAsOtherUser(const fs::path& path) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (geteuid() == 0 && (setgid(kNoGroup) != 0 || setuid(kNobody) != 0)) _exit(3);
        std::string error;
        if (WriteFileAtomic(path, kNew, error)) _exit(0);
        _exit(error.find("Die Datei ist schreibgeschützt") == 0 ? 1 : 2);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

struct stat StatOf(const fs::path& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

}  // namespace

TEST(AtomicFile, FileTheUserMayNotWriteIsRefusedAndUntouched) {
    TempDir dir;
    // The folder is writable for everyone: the rename alone would succeed.
    fs::permissions(dir.Path(), fs::perms::all);
    struct Case {
        const char* name;
        mode_t mode;
        bool ownedByOther;  // owned by root (the test's own user when not root), saved by nobody
    };
    const Case cases[] = {
        {"schreibgeschuetzt.aef", 0444, false},
        {"fremd.aef", 0644, true},
    };
    const bool root = geteuid() == 0;
    for (const Case& c : cases) {
        const fs::path path = dir / c.name;
        WriteText(path, "alt");
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        if (root && !c.ownedByOther) ASSERT_EQ(::chown(path.c_str(), kNobody, kNoGroup), 0);
        if (!root && c.ownedByOther) continue;  // needs a second user
        const struct stat before = StatOf(path);
        EXPECT_EQ(SaveAsOtherUser(path), 1) << c.name;
        const struct stat after = StatOf(path);
        EXPECT_EQ(ReadText(path), "alt") << c.name;
        EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
        EXPECT_EQ(after.st_uid, before.st_uid) << c.name;
        EXPECT_EQ(after.st_mode, before.st_mode) << c.name;
    }
    // Nothing left behind: only the two documents.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(AtomicFile, SaveKeepsModeAndOwner) {
    if (geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
    TempDir dir;
    const fs::path path = dir / "beleg.aef";
    WriteText(path, "alt");
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNoGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(path, kNew, error)) << error;
    const struct stat st = StatOf(path);
    EXPECT_EQ(ReadText(path), "neu");
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNoGroup);
}

#else  // _WIN32

// Windows has no modes and owners; its write protection is the read-only attribute, checked below.
TEST(AtomicFile, FileTheUserMayNotWriteIsRefusedAndUntouched) {
    GTEST_SKIP() << "POSIX modes and owners; on Windows see ReadOnlyAttributeIsRefusedAndUntouched";
}

TEST(AtomicFile, SaveKeepsModeAndOwner) {
    GTEST_SKIP() << "POSIX modes and owners do not exist on Windows";
}

TEST(AtomicFile, ReadOnlyAttributeIsRefusedAndUntouched) {
    TempDir dir;
    const fs::path path = dir / "schreibgeschuetzt.aef";
    WriteText(path, "alt");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, kNew, error));
    EXPECT_EQ(error.find("Die Datei ist schreibgeschützt"), 0u) << error;
    EXPECT_EQ(ReadText(path), "alt");
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program holding the document open (an editor that locks its file, a viewer that shares
// it for reading): the save is refused with words the clerk understands and the file stays as it
// was; reading goes on where the other program shares it. Once it lets go, the save goes through.
TEST(AtomicFile, FileOpenInAnotherProgram) {
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        TempDir dir;
        const fs::path path = dir / "beleg.aef";
        WriteText(path, "alt");
        const HANDLE other =
            CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        std::string error;
        EXPECT_FALSE(WriteFileAtomic(path, kNew, error)) << share;
        EXPECT_NE(error.find("in einem anderen Programm geöffnet"), std::string::npos)
            << share << ": " << error;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1) << share;
        std::vector<uint8_t> read;
        error.clear();
        const bool readable = ReadFileBytes(path, read, error);
        if (share & FILE_SHARE_READ) {
            EXPECT_TRUE(readable) << share << ": " << error;
            EXPECT_EQ(read, (std::vector<uint8_t>{'a', 'l', 't'})) << share;
        } else {
            EXPECT_FALSE(readable);
            EXPECT_NE(error.find("in einem anderen Programm geöffnet"), std::string::npos) << error;
        }
        CloseHandle(other);
        EXPECT_EQ(ReadText(path), "alt") << share;
        ASSERT_TRUE(WriteFileAtomic(path, kNew, error)) << error;
        EXPECT_EQ(ReadText(path), "neu");
    }
}

#endif  // _WIN32

// Names Windows forbids or takes for something else. The program refuses them on Windows (a
// trailing dot would overwrite the file without it, a colon write into a hidden stream, "CON" to
// the console); elsewhere they are ordinary names and save as they are.
TEST(AtomicFile, NamesWindowsForbids) {
    struct Case {
        const char8_t* name;
        bool forbidden;
    };
    const Case cases[] = {
        {u8"CON", true},          {u8"con.aef", true},
        {u8"Lpt1.fdv", true},     {u8"NUL .aef", true},
        {u8"COM9", true},         {u8"Beleg:1.aef", true},
        {u8"Beleg.aef.", true},   {u8"Beleg.aef ", true},
        {u8"a?b.aef", true},      {u8"a|b.aef", true},
        {u8"a\"b.aef", true},     {u8"a<b>.aef", true},
        {u8"a*b.aef", true},      {u8"Tab\t.aef", true},
        {u8"Beleg.aef", false},   {u8"CONTAINER.aef", false},
        {u8"COM0.aef", false},    {u8"COM10.aef", false},
        {u8"console.aef", false}, {u8"ÄÖÜ ß.aef", false},
        {u8".beleg.aef", false},  {u8"Zoll Łódź.aef", false},
        {u8"a:b", true},
    };
    TempDir dir;
    WriteText(dir / "Beleg.aef", "alt");
    for (const Case& c : cases) {
        const fs::path name(c.name);
        const std::string shown(reinterpret_cast<const char*>(c.name));
        EXPECT_EQ(IsNameWindowsForbids(name), c.forbidden) << shown;
        // "a:b" after a folder names the drive a: on Windows; a tab makes no file here either.
        if (!c.forbidden || name == fs::path(u8"a:b") || name.u8string().find(u8'\t') != std::u8string::npos)
            continue;
        std::string error;
        const bool saved = WriteFileAtomic(dir.Path() / name, kNew, error);
#ifdef _WIN32
        EXPECT_FALSE(saved) << shown;
        EXPECT_NE(error.find("unter Windows als Dateiname nicht erlaubt"), std::string::npos) << error;
        std::vector<uint8_t> read;
        EXPECT_FALSE(ReadFileBytes(dir.Path() / name, read, error)) << shown;
#else
        EXPECT_TRUE(saved) << shown << ": " << error;
        EXPECT_EQ(ReadText(dir.Path() / name), "neu") << shown;
#endif
    }
    EXPECT_EQ(ReadText(dir / "Beleg.aef"), "alt");
}

// Umlauts, blanks and letters outside Windows-1252 in the folder and the file name reach the file
// system as they are (UTF-16 on Windows): the file is found under exactly its name, and a stale
// temporary of it goes with the next save.
TEST(AtomicFile, NamesOutsideTheAnsiCodePage) {
    TempDir dir;
    const fs::path folder = dir.Path() / fs::path(u8"Zollbelege Łódź Ärger");
    fs::create_directory(folder);
    const fs::path name(u8"Beleg 東京 Ωμέγα ü.aef");
    const fs::path path = folder / name;
    WriteText(folder / fs::path(u8".Beleg 東京 Ωμέγα ü.aef.tmp-0123456789ab"), "rest");
    fs::last_write_time(folder / fs::path(u8".Beleg 東京 Ωμέγα ü.aef.tmp-0123456789ab"),
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(path, kNew, error)) << error;
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].u16string(), name.u16string());
    std::vector<uint8_t> read;
    ASSERT_TRUE(ReadFileBytes(path, read, error)) << error;
    EXPECT_EQ(read, kNew);
    // A message names the file as the clerk wrote it.
    EXPECT_FALSE(ReadFileBytes(folder / fs::path(u8"fehlt Ł.aef"), read, error));
    EXPECT_NE(error.find("fehlt Ł.aef"), std::string::npos) << error;
}

TEST(AtomicFile, StaleTemporariesOfTheDocumentGoWithTheNextSave) {
    TempDir dir;
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(2);
    struct Case {
        const char* name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".beleg.aef.tmp-0123456789ab", true, true},     // an interrupted save of this document
        {".beleg.aef.tmp-fedcba987654", false, false},   // written since this process started
        {".anderer.aef.tmp-0123456789ab", true, false},  // another document's
        {".beleg.aef.tmp-0123456789", true, false},      // not the program's naming
        {".beleg.aef.tmp-ABCDEF012345", true, false},   {"beleg.aef.tmp-0123456789ab", true, false},
    };
    for (const Case& c : cases) {
        WriteText(dir / c.name, "rest");
        if (c.old) fs::last_write_time(dir / c.name, past);
    }
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir / "beleg.aef", kNew, error)) << error;
    for (const Case& c : cases) EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
    EXPECT_EQ(ReadText(dir / "beleg.aef"), "neu");
}

// Output made piece by piece replaces the target only when committed: abandoned, destroyed or cut
// short by a full disk, it leaves the old file and no temporary file behind. The full disk is a
// file-size limit in a child process, which Windows does not have.
TEST(AtomicFile, PiecewiseOutputReplacesTheTargetOnlyWhenCommitted) {
    enum class End { Commit, Abandon, Destroy, FullDisk };
    struct Case {
        const char* name;
        End end;
    };
    const Case cases[] = {
        {"committed", End::Commit},
        {"abandoned", End::Abandon},
        {"destroyed", End::Destroy},
#ifndef _WIN32
        {"disk full", End::FullDisk},
#endif
    };
    // More than the writer's buffer, in pieces of every size: small ones gathered, large ones
    // written straight through.
    std::vector<std::vector<uint8_t>> pieces;
    std::string expected;
    for (size_t size : {1u, 7u, 4000u, 70000u, 3u, 200000u, 65536u, 12u}) {
        std::vector<uint8_t> piece(size);
        for (size_t i = 0; i < size; ++i) piece[i] = static_cast<uint8_t>('a' + (size + i) % 26);
        expected.append(piece.begin(), piece.end());
        pieces.push_back(std::move(piece));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path path = dir / "ausgabe.pdf";
        WriteText(path, "alt");
        auto run = [&]() -> int {  // 0: committed, 1: refused with a message, 2: not committed
            CAtomicFileWriter writer;
            std::string error;
            if (!writer.Open(path, error)) return 3;
            for (const auto& piece : pieces) writer.Write(piece);
            if (c.end == End::Abandon) writer.Abandon();
            if (c.end == End::Abandon || c.end == End::Destroy) return 2;
            if (writer.Commit(error)) return 0;
            return error.find("ausgabe.pdf") != std::string::npos ? 1 : 4;
        };
        int result = -1;
#ifndef _WIN32
        if (c.end == End::FullDisk) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{100000, 100000};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(99);
                _exit(run());
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            result = WEXITSTATUS(status);
        } else
#endif
            result = run();
        EXPECT_EQ(result, c.end == End::Commit ? 0 : c.end == End::FullDisk ? 1 : 2);
        EXPECT_EQ(ReadText(path), c.end == End::Commit ? expected : "alt");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    }
}
