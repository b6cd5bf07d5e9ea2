// A writer killed at a random moment leaves a table that opens and reads every record it counts.

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "DbfTestUtil.h"
#include "core/masterdata/dBaseDocument.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/NoSyncFile.h"

using namespace tarvex;
using namespace tarvex::dbftest;
using tarvex::testutil::CNoSyncFile;

namespace {

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

std::u16string NameOf(int n) {
    return u"Eintrag " + Ascii(std::to_string(n));
}

void Define(CdBaseDocument& doc) {
    doc.ResetDefinition();
    doc.AddField(u"NAME", 'C', 40, 0);
    doc.AddField(u"NR", 'N', 8, 0);
    doc.AddField(u"BETRAG", 'N', 10, 2);
    doc.AddField(u"DATUM", 'D', 8, 0);
    doc.AddField(u"AKTIV", 'L', 1, 0);
}

// Half of the runs use the engine's own file with the sync, half the file without it, whose
// appends are fast enough for the kills to land at every point of one, not only inside the sync.

// The child: appends records until it is killed. Every record n holds its own number, so the
// parent can tell a counted record with the wrong contents. Arguments: the table, "sync" or not,
// a file it makes once the table is open (a process starts slowly on some systems: the kill
// is meant for the appends, not for the start).
int AppendForever(const std::vector<std::string>& args) {
    if (args.size() != 3) return 2;
    const std::filesystem::path path(std::u8string(args[0].begin(), args[0].end()));
    CdBaseDocument doc;
    if (args[1] == "sync") {
        if (!doc.OpenTable(path)) return 3;
    } else {
        std::string cause;
        auto file = OpenDiskFile(path, cause);
        if (!file || !doc.OpenTable(std::make_unique<CNoSyncFile>(std::move(file)), path)) return 3;
    }
    WriteBytes(std::filesystem::path(std::u8string(args[2].begin(), args[2].end())), {});
    for (;;) {
        const int32_t count = doc.GetRecordCount();
        if (doc.ReadRecord(count) != count) return 4;
        const int n = count + 1;
        if (doc.SetString(0, NameOf(n)) != 0 || doc.SetInteger(1, n) != 0 || doc.SetDouble(2, n / 4.0) != 0 ||
            doc.SetDate(3, 1 + n % 28, 1 + n % 12, 2000 + n % 50) != 0 || doc.SetLogical(4, n % 2) != 0)
            return 5;
        if (doc.WriteRecord(n) != n) return 6;
    }
}
TARVEX_CHILD_ROLE("append-forever", AppendForever);

void ExpectRecord(CdBaseDocument& doc, int n) {
    ASSERT_EQ(doc.ReadRecord(n), n);
    std::u16string s;
    int32_t i = 0;
    double d = 0;
    EXPECT_TRUE(doc.IsRecordActive());
    EXPECT_EQ(doc.GetString(0, s), 0);
    EXPECT_EQ(s, NameOf(n));
    EXPECT_EQ(doc.GetInteger(1, i), 0);
    EXPECT_EQ(i, n);
    EXPECT_EQ(doc.GetDouble(2, d), 0);
    EXPECT_EQ(d, n / 4.0);
    EXPECT_EQ(doc.GetLogical(4), n % 2);
}

}  // namespace

TEST(dBaseCrash, KilledAppenderLeavesReadableTable) {
    TempDir dir;
    const auto path = dir / "crash.dbf";
    {
        CdBaseDocument doc;
        Define(doc);
        ASSERT_EQ(doc.CreateTable(path, 0), 1);
        ASSERT_EQ(doc.WriteRecord(1), 1);
        ASSERT_EQ(doc.SetString(0, NameOf(1)), 0);
        ASSERT_EQ(doc.SetInteger(1, 1), 0);
        ASSERT_EQ(doc.SetDouble(2, 0.25), 0);
        ASSERT_EQ(doc.SetLogical(4, 1), 0);
        ASSERT_EQ(doc.WriteRecord(1), 1);
    }
    std::mt19937 rng(20240517);
    // An append with the sync takes some milliseconds here, without it some microseconds.
    std::uniform_int_distribution<int> syncDelayUs(0, 25000), fastDelayUs(0, 2000);
    constexpr int kRuns = 200;
    int32_t lastCount = 1;
    int runsThatAppended = 0, unevenEnds = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int run = 0; run < kRuns; ++run) {
        const bool sync = run % 2 == 0;
        const std::u8string utf8Path = path.u8string();
        const auto ready = dir / "offen";
        const std::u8string utf8Ready = ready.u8string();
        testutil::ChildProcess child;
        ASSERT_TRUE(child.Start("append-forever", AppendForever,
                                {std::string(utf8Path.begin(), utf8Path.end()), sync ? "sync" : "fast",
                                 std::string(utf8Ready.begin(), utf8Ready.end())}));
        while (!std::filesystem::exists(ready) && child.Running())
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        std::this_thread::sleep_for(std::chrono::microseconds(sync ? syncDelayUs(rng) : fastDelayUs(rng)));
        child.Kill();  // fails only for a child that has ended by itself, which its exit code shows
        const std::optional<int> exitCode = child.Wait();
        ASSERT_FALSE(exitCode) << "child ended by itself with " << *exitCode << " in run " << run;
        std::filesystem::remove(ready);  // only now: the child may have held it open

        CdBaseDocument doc;
        ASSERT_EQ(doc.OpenTable(path), 1) << doc.GetFileError().Text() << " in run " << run;
        const int32_t count = doc.GetRecordCount();
        ASSERT_GE(count, lastCount) << "run " << run;
        if (count > lastCount) ++runsThatAppended;
        const auto size = std::filesystem::file_size(path);
        const uint64_t end = doc.GetHeaderLength() + uint64_t{doc.GetRecordLength()} * count;
        ASSERT_GE(size, end) << "run " << run;
        if (size != end + 1) ++unevenEnds;  // killed between the record and the count
        // Every counted record reads and holds what the writer stored; re-check the new ones
        // and a sample of the old.
        for (int32_t n = std::max(1, lastCount - 2); n <= count; ++n) {
            ExpectRecord(doc, n);
            if (HasFatalFailure() || HasNonfatalFailure()) FAIL() << "record " << n << " in run " << run;
        }
        ExpectRecord(doc, 1 + static_cast<int>(rng() % static_cast<unsigned>(count)));
        EXPECT_EQ(doc.ReadRecord(count + 1), -1);
        lastCount = count;
    }
    // Every record once more at the end, and the index over all of them.
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    for (int32_t n = 1; n <= doc.GetRecordCount(); ++n) ExpectRecord(doc, n);
    EXPECT_EQ(doc.BuildIndex(0), doc.GetRecordCount());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[          ] " << kRuns << " kills, " << lastCount << " records, " << runsThatAppended
              << " runs appended, " << unevenEnds << " left a record after the counted ones, " << seconds
              << " s\n";
    EXPECT_GT(runsThatAppended, kRuns / 10);  // the kills did not all hit an idle child
}
