// Two processes appending to one table (clerks share the tables on a network folder): no record
// is lost, the count never goes backwards, and every record reads in the engine and in a peer.
// Two clerks adding and editing articles in one article table at the same time lose nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "DbfTestUtil.h"
#include "core/masterdata/TarvexStammDaten.h"
#include "core/masterdata/dBaseDocument.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/NoSyncFile.h"

#ifdef TARVEX_HAVE_SHAPELIB
#include <shapefil.h>
#endif

using namespace tarvex;
using namespace tarvex::dbftest;
using tarvex::testutil::ChildProcess;
using tarvex::testutil::CNoSyncFile;

namespace {

std::string Utf8Of(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

constexpr int kAppendsPerWriter = 10000;

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// The child: appends records "W<writer>" with its own running number, as fast as it can. Exit
// code 0 when every append was answered with a record number; the numbers themselves are
// checked by the parent from the file. Arguments: the table, the writer's number.
int AppendMany(const std::vector<std::string>& args) {
    if (args.size() != 2) return 2;
    const std::filesystem::path path = PathOf(args[0]);
    const std::string& writer = args[1];
    CdBaseDocument doc;
    std::string cause;
    auto file = OpenDiskFile(path, cause);
    if (!file || !doc.OpenTable(std::make_unique<CNoSyncFile>(std::move(file)), path)) return 3;
    int32_t lastCount = 0;
    for (int i = 0; i < kAppendsPerWriter; ++i) {
        const int32_t count = doc.GetRecordCount();
        if (count < lastCount) return 4;  // the header went backwards
        lastCount = count;
        // The buffer holds the record written last; the first append goes out blank and is
        // filled in place, as the master-data dialogs do with a new entry.
        if (doc.GetCurrentRecord() == 0) {
            const int first = doc.WriteRecord(count + 1);
            if (first < 1) return 5;
        }
        if (doc.SetString(0, Ascii("W" + writer)) != 0 || doc.SetInteger(1, i) != 0) return 6;
        const int written = doc.WriteRecord(i == 0 ? doc.GetCurrentRecord() : count + 1);
        if (written < 1) return 7;
    }
    return 0;
}
TARVEX_CHILD_ROLE("append-many", AppendMany);

constexpr int kArticlesPerClerk = 60;

CArticle Named(const std::string& text) {
    CArticle a;
    a.description = Ascii(text);
    return a;
}

// The clerk: the list read once, then new articles one by one, each saved at once as the dialog
// saves it, and every time its own old article (entry `clerk`) edited as well. Says by the file
// `ready` that its list is read and waits for the file `start`, so that both lists are read
// before either clerk saves. Arguments: the table, the clerk's number, ready, start.
int ClerkAddsAndEdits(const std::vector<std::string>& args) {
    if (args.size() != 4) return 2;
    const std::filesystem::path path = PathOf(args[0]);
    const int clerk = args[1] == "1" ? 1 : 0;
    CTarvexStammDaten data;
    data.SetTablePath(path.parent_path(), path.filename().u16string(), kLayout8, {});
    if (data.LoadArticles() != 0 || data.GetArticleCount() != 4) return 3;
    testutil::WriteBytes(PathOf(args[2]), {});
    while (!std::filesystem::exists(PathOf(args[3])))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const std::string who = "K" + std::to_string(clerk);
    for (int j = 0; j < kArticlesPerClerk; ++j) {
        data.AddArticle(Named(who + " neu " + std::to_string(j)));
        data.SetArticle(static_cast<size_t>(clerk), Named(who + " Stand " + std::to_string(j)));
        if (data.SaveArticles() != 0) return 5;
    }
    return 0;
}
TARVEX_CHILD_ROLE("clerk", ClerkAddsAndEdits);

}  // namespace

TEST(dBaseConcurrency, TwoClerksAddingAndEditingArticlesLoseNothing) {
    TempDir dir;
    const auto path = dir / "ARTIKEL1.DBF";
    {
        CTarvexStammDaten data;
        data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
        ASSERT_EQ(data.LoadArticles(), 0);
        for (int i = 1; i <= 4; ++i) data.AddArticle(Named("Alt " + std::to_string(i)));
        ASSERT_EQ(data.SaveArticles(), 0);
    }
    ChildProcess children[2];
    for (int clerk = 0; clerk < 2; ++clerk) {
        ASSERT_TRUE(
            children[clerk].Start("clerk", ClerkAddsAndEdits,
                                  {Utf8Of(path), std::to_string(clerk),
                                   Utf8Of(dir / ("bereit-" + std::to_string(clerk))), Utf8Of(dir / "los")}));
    }
    // A clerk that failed to read its list ends without saying so; its exit code tells.
    for (int clerk = 0; clerk < 2; ++clerk) {
        while (!std::filesystem::exists(dir / ("bereit-" + std::to_string(clerk))) &&
               children[clerk].Running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    testutil::WriteBytes(dir / "los", {});  // both lists are read: both start at once
    for (ChildProcess& child : children) EXPECT_EQ(child.Wait(), 0) << "a save failed";

    CTarvexStammDaten data;
    data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    std::multiset<std::u16string> seen;
    for (size_t i = 0; i < data.GetArticleCount(); ++i) seen.insert(data.Description(i));
    EXPECT_EQ(data.GetArticleCount(), 4u + 2 * kArticlesPerClerk);
    for (int clerk = 0; clerk < 2; ++clerk) {
        const std::string who = "K" + std::to_string(clerk);
        for (int j = 0; j < kArticlesPerClerk; ++j)
            EXPECT_EQ(seen.count(Ascii(who + " neu " + std::to_string(j))), 1u) << who << " " << j;
        // Each edit went into the clerk's own record, the last one stays.
        EXPECT_EQ(data.Description(static_cast<size_t>(clerk)),
                  Ascii(who + " Stand " + std::to_string(kArticlesPerClerk - 1)));
    }
    EXPECT_EQ(data.Description(2), u"Alt 3");
    EXPECT_EQ(data.Description(3), u"Alt 4");
}

// The count as the file's header says it now, read past the engine (and its lock).
static int32_t HeaderCount(const std::filesystem::path& path) {
    const std::vector<uint8_t> head = ReadBytes(path);
    if (head.size() < 8) return -1;
    return static_cast<int32_t>(head[4] | head[5] << 8 | head[6] << 16 | uint32_t{head[7]} << 24);
}

TEST(dBaseConcurrency, ReadOperationSeesOneTableWhileAnotherProcessAppends) {
    TempDir dir;
    const auto path = dir / "growing.dbf";
    {
        CdBaseDocument doc;
        doc.ResetDefinition();
        doc.AddField(u"WER", 'C', 4, 0);
        doc.AddField(u"NR", 'N', 8, 0);
        ASSERT_EQ(doc.CreateTable(path, 0), 1);
    }
    ChildProcess writer;
    ASSERT_TRUE(writer.Start("append-many", AppendMany, {Utf8Of(path), "0"}));

    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1) << doc.GetFileError().Text();
    int32_t lastCount = 0;
    int operations = 0;
    bool writerDone = false;
    while (!writerDone) {
        // Whether the writer had finished before this pass: then the pass sees its last record.
        writerDone = !writer.Running();
        if (writerDone) EXPECT_EQ(writer.Wait(), 0) << "writer failed";
        {
            CdBaseDocument::CReadOperation operation(doc);
            ASSERT_TRUE(operation.IsLocked());
            const int32_t count = doc.GetRecordCount();
            ASSERT_GE(count, lastCount);
            lastCount = count;
            // Every counted record is whole and in the writer's order: no append lands in between.
            for (int32_t n = 1; n <= count; ++n) {
                ASSERT_EQ(doc.ReadRecord(n), n);
                int32_t i = -1;
                ASSERT_EQ(doc.GetInteger(1, i), 0);
                ASSERT_EQ(i, n - 1);
            }
            ASSERT_EQ(doc.BuildIndex(1), count > 0 ? count : -1);
            EXPECT_EQ(doc.GetRecordCount(), count);
            EXPECT_EQ(HeaderCount(path), count) << "appended while the table was being read";
        }
        ++operations;
        // A clerk's dialog reads now and then, not back to back: without a pause outside the lock
        // the writer, waiting for it, may never get it between two passes (slow builds starve it).
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(lastCount, kAppendsPerWriter);
    std::cout << "[          ] " << operations << " read operations while the table grew\n";
}

TEST(dBaseConcurrency, TwoAppendingProcessesLoseNoRecord) {
    TempDir dir;
    const auto path = dir / "shared.dbf";
    {
        CdBaseDocument doc;
        doc.ResetDefinition();
        doc.AddField(u"WER", 'C', 4, 0);
        doc.AddField(u"NR", 'N', 8, 0);
        ASSERT_EQ(doc.CreateTable(path, 0), 1);
    }
    ChildProcess children[2];
    for (int w = 0; w < 2; ++w)
        ASSERT_TRUE(children[w].Start("append-many", AppendMany, {Utf8Of(path), std::to_string(w)}));
    for (ChildProcess& child : children) EXPECT_EQ(child.Wait(), 0) << "writer failed";

    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1) << doc.GetFileError().Text();
    const int32_t count = doc.GetRecordCount();
    std::set<std::pair<std::u16string, int32_t>> seen;
    for (int32_t n = 1; n <= count; ++n) {
        ASSERT_EQ(doc.ReadRecord(n), n);
        std::u16string who;
        int32_t i = -1;
        ASSERT_EQ(doc.GetString(0, who), 0);
        ASSERT_EQ(doc.GetInteger(1, i), 0);
        seen.insert({who, i});
    }
    const int lost = 2 * kAppendsPerWriter - static_cast<int>(seen.size());
    std::cout << "[          ] " << count << " records counted, " << lost << " appends lost\n";
    EXPECT_EQ(count, 2 * kAppendsPerWriter);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(std::filesystem::file_size(path),
              doc.GetHeaderLength() + uint64_t{doc.GetRecordLength()} * 2 * kAppendsPerWriter + 1);

#ifdef TARVEX_HAVE_SHAPELIB
    DBFHandle h = DBFOpen(path.string().c_str(), "rb");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(DBFGetRecordCount(h), 2 * kAppendsPerWriter);
    std::set<std::pair<std::string, int>> peerSeen;
    for (int s = 0; s < DBFGetRecordCount(h); ++s) {
        std::string who = DBFReadStringAttribute(h, s, 0);  // shapelib's buffer is reused by the next read
        peerSeen.insert({who, DBFReadIntegerAttribute(h, s, 1)});
    }
    DBFClose(h);
    EXPECT_EQ(peerSeen.size(), static_cast<size_t>(2 * kAppendsPerWriter));
    for (int w = 0; w < 2; ++w)
        for (int i : {0, kAppendsPerWriter / 2, kAppendsPerWriter - 1})
            EXPECT_EQ(peerSeen.count({"W" + std::to_string(w), i}), 1u) << w << " " << i;
#endif
}
