// The .aef reader in a hostile world: inputs that are no files, files far larger than any
// document, counts that claim more texts than the bytes could hold.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>

#include "AefTestUtil.h"
#include "core/sad/AefFormat.h"
#include "core/sad/AefLegacy.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadFields.h"

using namespace tarvex;
using namespace tarvex::aeftest;

namespace {

namespace fs = std::filesystem;

struct LoadResult {
    int code = -1;  // 0 loaded, 1 refused, 9 killed by the alarm (the reader hung)
    std::string error;
    long peakGrowthKiB = 0;  // how much the child's resident memory grew while reading
};

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long total = 0, resident = 0;
    statm >> total >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Loads the file in a child process, so that a reader that hangs is ended by an alarm instead of
// hanging the test, and the memory it takes is the child's alone.
LoadResult LoadInChild(const fs::path& path) {
    int pipeFd[2];
    if (::pipe(pipeFd) != 0) return {};
    const pid_t child = ::fork();
    if (child < 0) return {};
    if (child == 0) {
        ::close(pipeFd[0]);
        ::alarm(20);
        const long before = ResidentKiB();
        CEinheitspapierDoc doc(nullptr);
        std::string error;
        const bool ok = LoadAefFile(path, doc, error);
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const std::string report = std::to_string(usage.ru_maxrss - before) + "\n" + error;
        (void)!::write(pipeFd[1], report.data(), report.size());
        _exit(ok ? 0 : 1);
    }
    ::close(pipeFd[1]);
    std::string report;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipeFd[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<size_t>(n));
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    LoadResult r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 9;
    const size_t nl = report.find('\n');
    if (nl != std::string::npos) {
        r.peakGrowthKiB = std::stol(report.substr(0, nl));
        r.error = report.substr(nl + 1);
    }
    return r;
}

}  // namespace

TEST(AefHostileFile, WhatIsNoRegularFileIsRefusedBeforeReading) {
    TempDir dir;
    const fs::path fifo = dir / "pipe.aef";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, dir / "link-to-pipe.aef");
    for (const fs::path& path :
         {fifo, dir / "link-to-pipe.aef", fs::path("/dev/zero"), fs::path("/dev/null")}) {
        const LoadResult r = LoadInChild(path);
        EXPECT_EQ(r.code, 1) << path << (r.code == 9 ? ": the reader hung" : "");
        EXPECT_NE(r.error.find("keine gewöhnliche Datei"), std::string::npos) << path << ": " << r.error;
    }
    // A link to a document is read as the document.
    fs::create_symlink(Fixture("v210.aef"), dir / "link.aef");
    EXPECT_EQ(LoadInChild(dir / "link.aef").code, 0);
}

TEST(AefHostileFile, FileLargerThanAnyDocumentIsRefusedUnread) {
    TempDir dir;
    // Sparse files: a valid beginning, then nothing but the size.
    for (uintmax_t size : {uintmax_t{100} << 20, uintmax_t{2} << 30}) {
        const fs::path path = dir / ("gross-" + std::to_string(size) + ".aef");
        fs::copy_file(Fixture("v210.aef"), path);
        fs::resize_file(path, size);
        const LoadResult r = LoadInChild(path);
        EXPECT_EQ(r.code, 1) << size;
        EXPECT_NE(r.error.find("zu groß"), std::string::npos) << size << ": " << r.error;
        EXPECT_LT(r.peakGrowthKiB, 8 * 1024) << size << ": read before it was refused";
    }
}

TEST(AefHostileFile, CountsBeyondTheBytesKeepMemoryNearTheFileSize) {
    TempDir dir;
    // Each claims millions of texts of one byte each (the shortest a text can be).
    constexpr uint32_t kTexts = 12u << 20;
    struct Case {
        const char* name;
        bool continuationList;
    };
    for (const Case c : {Case{"erstes-blatt.aef", false}, Case{"folgeblaetter.aef", true}}) {
        CArchiveWriter w = Header210();
        w.WriteWord(0x1206);
        w.WriteWord(2);
        if (c.continuationList) {
            w.WriteCount(0);
            w.WriteCount(0);
            w.WriteWord(0x2000 + 255);
            w.WriteWord(0xFFFF);
        }
        w.WriteCount(kTexts);
        std::vector<uint8_t> bytes = w.Data();
        bytes.resize(bytes.size() + kTexts, 0);  // kTexts empty texts
        const fs::path path = dir / c.name;
        WriteBytes(path, bytes);
        const LoadResult r = LoadInChild(path);
        EXPECT_EQ(r.code, 1) << c.name;
        const long limitKiB = 4 * static_cast<long>(bytes.size() / 1024) + 32 * 1024;
        EXPECT_LT(r.peakGrowthKiB, limitKiB) << c.name << ": " << r.error;
        std::cout << "[          ] " << c.name << ": " << bytes.size() / 1024 << " KiB file, memory grew by "
                  << r.peakGrowthKiB << " KiB\n";
    }
}

// The old layouts repeat the first sheet's boxes 2, 3 and 8 on every continuation sheet: long
// texts there must not multiply by the 254 sheets a file may announce.
TEST(AefHostileFile, OldVersionsRepeatNoTextBeyondWhatABoxHolds) {
    TempDir dir;
    constexpr size_t kLong = 60000;
    for (const char* sig : {"KTW-AEForm@1.20", "KTW-AEForm@1.41", "KTW-AEForm@1.50", "KTW-AEForm@1.51"}) {
        CArchiveWriter w;
        w.WriteRaw(sig, 15);
        w.WriteWord(0);
        w.WriteWord(254);
        w.WriteByte(0);
        w.WriteByte(0);
        const std::string_view version(sig);
        if (version == "KTW-AEForm@1.51") w.WriteByte(0);  // no currency codes
        if (version >= "KTW-AEForm@1.50") w.WriteDWord(3);
        std::vector<std::u16string> first(127);
        for (int entry : {3, 4, 6, 11, 12}) first[entry] = std::u16string(kLong, u'A' + entry);
        w.WriteStringList(first);
        w.WriteStringList(std::vector<std::u16string>(254 * 193));
        const fs::path path = dir / (std::string(version.substr(11)) + ".aef");
        WriteBytes(path, w.Data());
        const long fileKiB = static_cast<long>(w.Data().size() / 1024);

        const LoadResult r = LoadInChild(path);
        ASSERT_EQ(r.code, 0) << sig << ": " << r.error;
        EXPECT_LT(r.peakGrowthKiB, 4 * fileKiB + 32 * 1024) << sig;
        std::cout << "[          ] " << sig << ": " << fileKiB << " KiB file, memory grew by "
                  << r.peakGrowthKiB << " KiB\n";

        CEinheitspapierDoc doc(nullptr);
        std::string error;
        ASSERT_TRUE(LoadAefFile(path, doc, error)) << error;
        const CFieldStore& s = doc.Store();
        ASSERT_EQ(s.GetPageCount(), 255);
        size_t total = 0;
        for (const auto* texts : {&s.Texts1(), &s.Texts2()})
            for (const std::u16string& t : *texts) {
                EXPECT_LE(t.size(), kMaxLegacyTextLength) << sig;
                total += t.size();
            }
        EXPECT_LT(static_cast<long>(total * 2 / 1024), 4 * fileKiB + 32 * 1024) << sig;
        // What is kept is the text's beginning, on the last sheet as on the first.
        // (Box 2 of the sheets takes the old box 8 or box 2, by the form variant.)
        const std::u16string box2 = s.GetFieldText(kContFieldBox2, 255);
        EXPECT_TRUE(box2 == std::u16string(kMaxLegacyTextLength, u'A' + 12) ||
                    box2 == std::u16string(kMaxLegacyTextLength, u'A' + 4))
            << sig << ": " << box2.size();
        EXPECT_TRUE(s.GetFieldText(9, 1) == std::u16string(kMaxLegacyTextLength, u'A' + 3)) << sig;
    }
}

#else  // _WIN32

#include <gtest/gtest.h>

// Each of these loads in a forked child under an alarm and measures the child's memory through
// /proc and getrusage; pipes and /dev devices are POSIX's. Windows' devices are refused by name
// (AtomicFile.NamesWindowsForbids).
namespace {
constexpr char kPosixChild[] = "needs fork, alarm, /proc and getrusage (POSIX)";
}
TEST(AefHostileFile, WhatIsNoRegularFileIsRefusedBeforeReading) {
    GTEST_SKIP() << "pipes and /dev devices are POSIX's; " << kPosixChild;
}
TEST(AefHostileFile, FileLargerThanAnyDocumentIsRefusedUnread) {
    GTEST_SKIP() << kPosixChild;
}
TEST(AefHostileFile, CountsBeyondTheBytesKeepMemoryNearTheFileSize) {
    GTEST_SKIP() << kPosixChild;
}
TEST(AefHostileFile, OldVersionsRepeatNoTextBeyondWhatABoxHolds) {
    GTEST_SKIP() << kPosixChild;
}

#endif  // _WIN32
