// The address database, the article master data and the data-file options on real table files.

#include <gtest/gtest.h>

#include <cstring>

#include "DbfTestUtil.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/AddressDatabase.h"
#include "core/masterdata/MasterDataText.h"
#include "core/masterdata/ProgramOptions.h"
#include "core/masterdata/TarvexStammDaten.h"
#include "core/settings/Profile.h"

using namespace tarvex;
using namespace tarvex::dbftest;

namespace {

struct FakeMdHost : IMasterDataHost {
    bool answerYes = true;
    std::vector<std::u16string> questions, messages;
    std::vector<std::string> reports;
    void ReportTableError(const CTableError& e) override { reports.push_back(e.message); }
    void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::u16string& text) override {
        questions.push_back(text);
        return answerYes;
    }
};

std::u16string Repeat(char16_t c, size_t n) {
    return std::u16string(n, c);
}

CArticle Article(std::u16string description, std::array<std::u16string, kArticleCodes> codes) {
    return CArticle{std::move(description), std::move(codes)};
}

// An article table at dir/name with entries saved through the class.
void SaveArticles(const std::filesystem::path& path, const std::vector<CArticle>& entries) {
    CTarvexStammDaten data;
    data.SetTablePath(path.parent_path(), path.filename().u16string(), kLayout8, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    for (const auto& a : entries) data.AddArticle(a);
    ASSERT_EQ(data.SaveArticles(), 0);
}

}  // namespace

// --- addresses

TEST(AddressDatabase, PathRuleWritesTheDefaultBack) {
    for (const char16_t* stored : {u"", u"@"}) {
        CMemoryProfile profile;
        profile.WriteProfileString("Settings", "AdressdatenDatei", stored);
        const auto path = AddressTablePath(profile, "/daten/Tarvex-Import");
        EXPECT_EQ(path, std::filesystem::path("/daten/Tarvex-Import/Adress1.dbf"));
        EXPECT_EQ(profile.GetProfileString("Settings", "AdressdatenDatei", u"x"), path.u16string());
    }
    CMemoryProfile profile;
    profile.WriteProfileString("Settings", "AdressdatenDatei", u"/anders/A.dbf");
    EXPECT_EQ(AddressTablePath(profile, "/daten"), std::filesystem::path("/anders/A.dbf"));
}

// On first use the table is not there yet: one plain question naming it, no failure report.
TEST(AddressDatabase, FirstUseAsksOnceWithoutAnErrorAndCreatesErsterEintrag) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    const std::u16string question = u"Die Adressdatei \"" + path.u16string() +
                                    u"\" ist noch nicht vorhanden.\n\nSoll sie jetzt angelegt werden?";
    {
        FakeMdHost host;
        host.answerYes = false;
        CAddressDatabase db(path);
        EXPECT_EQ(db.OpenOrCreate(host), 0);
        EXPECT_EQ(host.questions, std::vector<std::u16string>{question});
        EXPECT_TRUE(host.reports.empty());
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    FakeMdHost host;
    CAddressDatabase db(path);
    ASSERT_EQ(db.OpenOrCreate(host), 1);
    EXPECT_EQ(host.questions, std::vector<std::u16string>{question});
    EXPECT_TRUE(host.reports.empty()) << "a missing table is no error";
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(db.Table().GetHeaderLength(), 193);
    EXPECT_EQ(db.Table().GetRecordLength(), 346);
    const auto entries = db.ReadEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, u"Erster Eintrag");
    EXPECT_EQ(entries[0].record, 1);
}

TEST(AddressDatabase, NoDBaseFileIsNeitherOverwrittenNorShown) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    WriteBytes(path, {'K', 'e', 'i', 'n', 'e', ' ', 'T', 'a', 'b', 'e', 'l', 'l', 'e'});
    FakeMdHost host;
    CAddressDatabase db(path);
    EXPECT_EQ(db.OpenOrCreate(host), 0);
    EXPECT_EQ(host.reports.front(), "Unerwartetes Dateiformat.");
    // A file that is there but unreadable is a failure: reported, then the old question.
    EXPECT_EQ(host.questions, std::vector<std::u16string>{u"Soll die Datenbankdatei neu erstellt werden?"});
    EXPECT_EQ(ReadBytes(path).size(), 13u);
}

// A dBase table of another layout: the message says what happens (nothing shown, nothing
// changed), and indeed nothing is listed or written.
TEST(AddressDatabase, TableOfAnotherLayoutSaysItIsNeitherShownNorChanged) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    RawTable raw;
    raw.fields = {{"NAME", 'C', 40}, {"PLZ", 'N', 5}};
    const std::string name = "Zeller Import GmbH";
    raw.records = {" " + name + std::string(40 - name.size(), ' ') + "20457"};
    WriteBytes(path, raw.Build());
    const std::vector<uint8_t> before = ReadBytes(path);
    FakeMdHost host;
    CAddressDatabase db(path);
    ASSERT_EQ(db.OpenOrCreate(host), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(u"werden nicht angezeigt"), std::u16string::npos);
    EXPECT_NE(host.messages[0].find(u"nicht geändert"), std::u16string::npos);
    EXPECT_NE(host.messages[0].find(path.u16string()), std::u16string::npos);
    EXPECT_EQ(host.messages[0].find(u"nur angezeigt"), std::u16string::npos);
    EXPECT_TRUE(db.ReadEntries().empty());
    EXPECT_EQ(db.WriteAddress(1, SplitAddressText(u"X", u"")), -1);
    db.CloseTable();
    EXPECT_EQ(ReadBytes(path), before);
}

// A table made by another program with fields narrower than 80 bytes: what does not fit is
// measured against its own widths and named by line, and a fitting address is stored.
TEST(AddressDatabase, NarrowFieldsAreMeasuredAndTheLineIsNamed) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    RawTable raw;
    raw.fields = {{"ADRESS1", 'C', 30},
                  {"ADRESS2", 'C', 30},
                  {"ADRESS3", 'C', 20},
                  {"ADRESS4", 'C', 20},
                  {"ZOLLNR", 'C', 12}};
    WriteBytes(path, raw.Build());
    FakeMdHost host;
    CAddressDatabase db(path);
    ASSERT_EQ(db.OpenOrCreate(host), 1);
    ASSERT_TRUE(db.HasAddressLayout());
    EXPECT_EQ(db.FieldWidths(), (AddressWidths{30, 30, 20, 20, 12}));
    struct Case {
        std::u16string text, number;
        std::vector<std::u16string> problems;
    } cases[] = {
        {u"Zeller Import GmbH\r\nHafenstraße 7\r\n20457 Hamburg", u"DE1111111", {}},
        {u"Zeller Import GmbH\r\nHafenstraße 7, Tor 4, Rampe 2, Halle B\r\n20457 Hamburg",
         u"DE1",
         {u"- Zeile 2 ist 38 Zeichen lang (höchstens 30)."}},
        {u"A\r\nB\r\nC\r\nFreihafen Lagerhaus Süd 12",
         u"DE1234567890123",
         {u"- Zeile 4 ist 26 Zeichen lang (höchstens 20).",
          u"- Die Zollnummer ist 15 Zeichen lang (höchstens 12)."}},
    };
    int32_t record = db.Table().GetRecordCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        std::vector<std::u16string> problems;
        const CAddressRecord r = SplitAddressText(c.text, c.number, &problems, db.FieldWidths());
        EXPECT_EQ(problems, c.problems);
        // What the user agreed to store (cut where told) is written.
        ++record;
        EXPECT_EQ(db.WriteAddress(record, r), record);
    }
    CAddressRecord back;
    ASSERT_TRUE(db.ReadAddress(2, back));
    EXPECT_EQ(back.lines[1], u"Hafenstraße 7, Tor 4, Rampe 2,");
}

TEST(AddressDatabase, TextConversion) {
    struct Case {
        std::u16string text;
        std::array<std::u16string, 4> lines;
        size_t problems;
    } cases[] = {
        {u"  Müller GmbH\r\n Weg 1\r\n\r\n20457 Hamburg",
         {u"Müller GmbH", u"Weg 1", u"", u"20457 Hamburg"},
         0},
        {u"1\r\n2\r\n3\r\n4\r\n5\r\n6", {u"1", u"2", u"3", u"4"}, 1},  // six lines: told, then cut
        {u"\r\nZweite", {u"", u"Zweite", u"", u""}, 0},                // an empty first line stays
        {u"Eins\r\n\r\n\r\n\r\n\r\n", {u"Eins", u"", u"", u""}, 0},    // trailing empty lines: nothing cut
        {u"a\nb", {u"a", u"b", u"", u""}, 0},                          // a pasted LF breaks too
        {Repeat(u'x', 81), {Repeat(u'x', 80), u"", u"", u""}, 1},
        {Repeat(u'ä', 80), {Repeat(u'ä', 80), u"", u"", u""}, 0},  // one byte each in the table
    };
    for (const Case& c : cases) {
        std::vector<std::u16string> problems;
        const CAddressRecord r = SplitAddressText(c.text, u"DE1", &problems);
        EXPECT_EQ(r.lines, c.lines) << testing::PrintToString(ToUtf8(c.text));
        EXPECT_EQ(problems.size(), c.problems) << testing::PrintToString(ToUtf8(c.text));
    }
    CAddressRecord r;
    r.lines = {u"A", u"B", u"", u""};
    EXPECT_EQ(AddressText(r), u"A\r\nB\r\n\r\n") << "always three line breaks";
    EXPECT_EQ(AddressFirstLine(u"  Name\r\nWeg"), u"Name");
    std::vector<std::u16string> problems;
    SplitAddressText(u"A", Repeat(u'1', 26), &problems);
    EXPECT_EQ(problems.size(), 1u);
}

TEST(AddressDatabase, EditingRewritesOnlyItsOwnRecordAndAppendsNewOnes) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    CTableError error;
    ASSERT_TRUE(CAddressDatabase::CreateAddressTable(path, 0, error));
    FakeMdHost host;
    CAddressDatabase db(path);
    ASSERT_EQ(db.OpenOrCreate(host), 1);
    ASSERT_EQ(db.WriteAddress(2, SplitAddressText(u"Zweite GmbH\r\nWeg 2", u"DE2")), 2);
    ASSERT_EQ(db.WriteAddress(3, SplitAddressText(u"Dritte AG", u"DE3")), 3);
    EXPECT_EQ(db.WriteAddress(5, SplitAddressText(u"Lücke", u"")), -1) << "no gaps";
    const std::vector<uint8_t> before = ReadBytes(path);
    ASSERT_EQ(db.WriteAddress(2, SplitAddressText(u"Zweite GmbH & Co. KG\r\nWeg 2", u"DE2")), 2);
    const std::vector<uint8_t> after = ReadBytes(path);
    ASSERT_EQ(before.size(), after.size());
    const size_t record2 = 193 + 346, record3 = 193 + 2 * 346;
    EXPECT_EQ(Bytes(before, 0, 4), Bytes(after, 0, 4));
    EXPECT_EQ(Bytes(before, 193, 346), Bytes(after, 193, 346)) << "record 1 untouched";
    EXPECT_NE(Bytes(before, record2, 346), Bytes(after, record2, 346));
    EXPECT_EQ(Bytes(before, record3, before.size() - record3), Bytes(after, record3, after.size() - record3));
    CAddressRecord r;
    ASSERT_TRUE(db.ReadAddress(2, r));
    EXPECT_EQ(AddressText(r), u"Zweite GmbH & Co. KG\r\nWeg 2\r\n\r\n");
    EXPECT_EQ(r.customsNumber, u"DE2");
    EXPECT_EQ(db.ReadAll().size(), 3u);
}

TEST(AddressDatabase, FailedWriteIsReportedAndNeverLandsInAnotherRecord) {
    TempDir dir;
    const auto path = dir / "Adress1.dbf";
    CTableError error;
    ASSERT_TRUE(CAddressDatabase::CreateAddressTable(path, 0, error));
    auto file = std::make_unique<CMemoryFile>(ReadBytes(path));
    CMemoryFile* mem = file.get();
    CAddressDatabase db(path);
    ASSERT_EQ(db.Table().OpenTable(std::move(file), path), 1);
    ASSERT_TRUE(db.CheckLayout());
    CAddressRecord shown;
    ASSERT_TRUE(db.ReadAddress(1, shown));
    mem->SetWriteLimit(mem->WriteCount());  // the disk is full from now on
    EXPECT_EQ(db.WriteAddress(2, SplitAddressText(u"Neue Firma", u"")), -1);
    mem->SetWriteLimit(-1);
    // The next read must not write the new address over record 1.
    CAddressRecord again;
    ASSERT_TRUE(db.ReadAddress(1, again));
    ASSERT_TRUE(db.ReadAddress(1, again));
    EXPECT_EQ(again.lines[0], u"Erster Eintrag");
    EXPECT_EQ(db.Table().GetRecordCount(), 1);
}

// --- articles

TEST(TarvexStammDaten, StartWithoutSettingsCreatesTheEightFieldTable) {
    TempDir dir;
    CMemoryProfile profile;
    const ArticleTableSetting where = ArticleTableFromSettings(profile);
    EXPECT_EQ(where.fileName, u"ARTIKEL1.DBF");
    EXPECT_TRUE(where.folder.empty());
    profile.WriteProfileInt("Settings", "Stammdaten", 2);
    EXPECT_EQ(ArticleTableFromSettings(profile).fileName, u"ARTIKEL.DBF");
    profile.WriteProfileString("Settings", "StammdatenDatei", u"C:\\Daten\\Waren.dbf");
    EXPECT_EQ(ArticleTableFromSettings(profile).fileName, u"Waren.dbf");
    EXPECT_EQ(ArticleTableFromSettings(profile).folder, std::filesystem::path("C:\\Daten"));

    CTarvexStammDaten data;
    data.SetTablePath({}, where.fileName, where.layout, dir.Path());
    ASSERT_EQ(data.LoadArticles(), 0);
    EXPECT_EQ(data.GetArticleCount(), 0u);
    CdBaseDocument& t = data.Table();
    const char16_t* names[] = {u"WBESCH1", u"WNR1", u"WNR2", u"WNR3", u"WNR4", u"WNR5", u"LAND1", u"LAND2"};
    const uint16_t widths[] = {254, 8, 2, 4, 4, 1, 3, 3};
    ASSERT_EQ(t.GetFieldCount(), 8);
    for (int i = 0; i < 8; ++i) {
        std::u16string name;
        char type;
        uint16_t length, decimals;
        t.GetFieldInfo(i, name, type, length, decimals);
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(type, 'C');
        EXPECT_EQ(length, widths[i]);
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "ARTIKEL1.DBF"));
}

TEST(TarvexStammDaten, SaveLoadListTextsAndEditingTouchesOnlyItsRecord) {
    TempDir dir;
    const auto path = dir / "ARTIKEL1.DBF";
    SaveArticles(path, {Article(u"Notebooks\r\n20 Kartons\r\nZeichen XY",
                                {u"84713000", u"00", u"", u"", u"", u"CN", u""}),
                        Article(u"Äpfel", {u"08081080", u"", u"", u"", u"", u"IT", u"09"}),
                        Article(u"Zangen", {u"82032000", u"90", u"", u"", u"", u"DE", u"05"})});
    CTarvexStammDaten data;
    data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    ASSERT_EQ(data.GetArticleCount(), 3u);
    EXPECT_EQ(ArticleFirstLine(data.Description(0)), u"Notebooks");
    EXPECT_EQ(ArticleCodeText(data.GetArticle(0)), u"84713000-00---");
    EXPECT_EQ(data.Description(1), u"Äpfel");
    EXPECT_EQ(data.Code(1, 6), u"09");

    const std::vector<uint8_t> before = ReadBytes(path);
    CArticle changed = data.GetArticle(1);
    changed.codes[5] = u"FR";
    data.SetArticle(1, changed);
    ASSERT_EQ(data.SaveArticles(), 0);
    EXPECT_FALSE(data.IsChanged(1));
    const std::vector<uint8_t> after = ReadBytes(path);
    ASSERT_EQ(before.size(), after.size());
    const size_t header = data.Table().GetHeaderLength(), length = data.Table().GetRecordLength();
    size_t firstDiff = 0;
    while (before[firstDiff] == after[firstDiff]) ++firstDiff;
    size_t lastDiff = before.size() - 1;
    while (before[lastDiff] == after[lastDiff]) --lastDiff;
    EXPECT_GE(firstDiff, header + length) << "record 1 untouched";
    EXPECT_LT(lastDiff, header + 2 * length) << "record 3 untouched";
}

// Two clerks with the same list: whoever saves second finds the record changed (or deleted) and
// is told so instead of overwriting it; entries nobody else touched and new ones are saved.
TEST(TarvexStammDaten, ARecordChangedOrDeletedElsewhereIsNeverOverwritten) {
    TempDir dir;
    const auto path = dir / "ARTIKEL1.DBF";
    const std::array<std::u16string, kArticleCodes> codes = {u"1", u"", u"", u"", u"", u"", u""};
    SaveArticles(path, {Article(u"Alt 1", codes), Article(u"Alt 2", codes), Article(u"Alt 3", codes)});
    auto open = [&](CTarvexStammDaten& data) {
        data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
        return data.LoadArticles();
    };
    CTarvexStammDaten first, second;
    ASSERT_EQ(open(first), 0);
    ASSERT_EQ(open(second), 0);
    auto stored = [&](int32_t record) {
        CdBaseDocument t;
        std::u16string v;
        if (t.OpenTable(path) != 1 || t.ReadRecord(record) != record) return std::u16string(u"?");
        t.GetString(0, v);
        return std::u16string(t.IsRecordActive() ? u"" : u"*") + v;
    };

    // Both edit the first article.
    first.SetArticle(0, Article(u"vom ersten", codes));
    ASSERT_EQ(first.SaveArticles(), 0);
    second.SetArticle(0, Article(u"vom zweiten", codes));
    EXPECT_EQ(second.SaveArticles(), kArticleChangedElsewhere);
    EXPECT_TRUE(second.IsChanged(0)) << "the refused input stays";
    EXPECT_EQ(stored(1), u"vom ersten");

    // The second reloads and sees it; then the first deletes the second article (another program,
    // or a dBase tool), and the second's edit of it is refused too.
    ASSERT_EQ(open(second), 0);
    EXPECT_EQ(second.Description(0), u"vom ersten");
    ASSERT_EQ(first.Table().DeleteRecord(2), 1);
    second.SetArticle(1, Article(u"vom zweiten", codes));
    EXPECT_EQ(second.SaveArticles(), kArticleChangedElsewhere);
    EXPECT_EQ(stored(2), u"*Alt 2");

    // What nobody else touched is saved, and new entries of both land in records of their own.
    ASSERT_EQ(open(second), 0);
    second.SetArticle(2, Article(u"Alt 3 geändert", codes));
    const size_t added = second.AddArticle(Article(u"neu vom zweiten", codes));
    first.AddArticle(Article(u"neu vom ersten", codes));
    ASSERT_EQ(first.SaveArticles(), 0);
    ASSERT_EQ(second.SaveArticles(), 0);
    EXPECT_EQ(second.RecordOf(added), 5);
    EXPECT_EQ(stored(3), u"Alt 3 geändert");
    EXPECT_EQ(stored(4), u"neu vom ersten");
    EXPECT_EQ(stored(5), u"neu vom zweiten");
    EXPECT_EQ(stored(1), u"vom ersten");
}

TEST(TarvexStammDaten, FourteenFieldTableJoinsAndSplitsSevenLines) {
    TempDir dir;
    RawTable raw;
    for (int i = 1; i <= 7; ++i) raw.fields.push_back({"WBESCH" + std::to_string(i), 'C', 40});
    for (const char* n : {"WNR1", "WNR2", "WNR3", "WNR4", "WNR5", "LAND1", "LAND2"})
        raw.fields.push_back({n, 'C', static_cast<uint8_t>(std::string(n) == "WNR1" ? 8 : 4)});
    std::string rec = " ";
    const char* lines[7] = {"Schrauben", "M8 verzinkt", "", "", "", "", ""};
    for (const char* l : lines) rec += std::string(l) + std::string(40 - std::strlen(l), ' ');
    for (const char* c : {"73181558", "00  ", "    ", "    ", "    ", "DE  ", "05  "}) rec += c;
    raw.records.push_back(rec);
    const auto path = dir / "ARTIKEL.DBF";
    WriteBytes(path, raw.Build());

    CTarvexStammDaten data;
    data.SetTablePath(dir.Path(), u"ARTIKEL.DBF", kLayout14, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    ASSERT_EQ(data.GetArticleCount(), 1u);
    EXPECT_EQ(data.Description(0), u"Schrauben\r\nM8 verzinkt\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(data.Code(0, 0), u"73181558");
    EXPECT_EQ(data.Code(0, 6), u"05");

    CArticle eight =
        Article(u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nacht", {u"1", u"", u"", u"", u"", u"", u""});
    EXPECT_EQ(data.FitProblems(eight).size(), 1u) << "an eighth line is never dropped silently";
    EXPECT_EQ(data.Fitted(eight).description, u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
    CArticle twoLines = Article(u"Muttern\r\nM8", {u"73181630", u"", u"", u"", u"", u"DE", u""});
    EXPECT_TRUE(data.FitProblems(twoLines).empty());
    data.SetArticle(0, twoLines);
    ASSERT_EQ(data.SaveArticles(), 0);
    CdBaseDocument& t = data.Table();
    ASSERT_EQ(t.ReadRecord(1), 1);
    std::u16string v;
    t.GetString(0, v);
    EXPECT_EQ(v, u"Muttern");
    t.GetString(1, v);
    EXPECT_EQ(v, u"M8");
    t.GetString(2, v);
    EXPECT_EQ(v, u"");
    t.GetString(7, v);
    EXPECT_EQ(v, u"73181630");
}

TEST(TarvexStammDaten, WhatDoesNotFitIsToldNotDropped) {
    CTarvexStammDaten data;  // no table: the 8-field widths
    CArticle a = Article(Repeat(u'x', 255), {u"123456789", u"00", u"", u"", u"", u"DEU", u"0912"});
    const auto problems = data.FitProblems(a);
    EXPECT_EQ(problems.size(), 3u);  // description, 33 A, 34 B
    const CArticle fitted = data.Fitted(a);
    EXPECT_EQ(fitted.description.size(), 254u);
    EXPECT_EQ(fitted.codes[0], u"12345678");
    EXPECT_EQ(fitted.codes[6], u"091");
    EXPECT_TRUE(data.FitProblems(fitted).empty());
}

TEST(TarvexStammDaten, FailedSaveKeepsTheEntryMarked) {
    TempDir dir;
    const auto path = dir / "ARTIKEL1.DBF";
    SaveArticles(path, {Article(u"Alt", {u"1", u"", u"", u"", u"", u"", u""})});
    CTarvexStammDaten data;
    data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    auto file = std::make_unique<CMemoryFile>(ReadBytes(path));
    CMemoryFile* mem = file.get();
    ASSERT_EQ(data.Table().OpenTable(std::move(file), path), 1);
    mem->SetWriteLimit(0);
    const size_t added = data.AddArticle(Article(u"Neu", {u"2", u"", u"", u"", u"", u"", u""}));
    EXPECT_EQ(data.SaveArticles(), -1);
    EXPECT_TRUE(data.IsChanged(added));
    mem->SetWriteLimit(-1);
    ASSERT_EQ(data.SaveArticles(), 0);
    EXPECT_FALSE(data.IsChanged(added));
    CdBaseDocument& t = data.Table();
    EXPECT_EQ(t.GetRecordCount(), 2);
    std::u16string v;
    ASSERT_EQ(t.ReadRecord(1), 1);
    t.GetString(0, v);
    EXPECT_EQ(v, u"Alt") << "the failed write did not land in record 1";
}

TEST(TarvexStammDaten, TableOfAnotherLayoutIsRefusedNotCrashed) {
    TempDir dir;
    RawTable raw;
    raw.fields = {{"NAME", 'C', 20}, {"MENGE", 'N', 5}};
    WriteBytes(dir / "ARTIKEL1.DBF", raw.Build());
    CTarvexStammDaten data;
    data.SetTablePath(dir.Path(), u"ARTIKEL1.DBF", kLayout8, {});
    EXPECT_EQ(data.LoadArticles(), -1);
    // The message says what happens: nothing is shown, nothing changed.
    EXPECT_NE(data.GetLayoutMessage().find(u"werden nicht angezeigt"), std::u16string::npos);
    EXPECT_NE(data.GetLayoutMessage().find(u"nicht geändert"), std::u16string::npos);
    EXPECT_FALSE(data.IsWritable());
    data.AddArticle(Article(u"x", {}));
    EXPECT_EQ(data.SaveArticles(), -1);
}

// "Stammdaten" = 2: a missing (or re-created) table gets the 14-field layout the setting asks for
// and opens again; a table of exactly 8 or 14 text fields is read in its own layout whatever the
// setting.
TEST(TarvexStammDaten, TheSettingsLayoutIsCreatedAndEveryTableReadByItsOwnFields) {
    TempDir dir;
    CMemoryProfile profile;
    profile.WriteProfileInt("Settings", "Stammdaten", 2);
    const ArticleTableSetting where = ArticleTableFromSettings(profile);
    ASSERT_EQ(where.layout, kLayout14);
    const CArticle notebooks =
        Article(u"Notebooks\r\n20 Kartons", {u"84713000", u"00", u"", u"", u"", u"CN", u""});
    {
        CTarvexStammDaten data;
        data.SetTablePath({}, where.fileName, where.layout, dir.Path());
        ASSERT_EQ(data.LoadArticles(), 0);
        EXPECT_EQ(data.Table().GetFieldCount(), 14);
        EXPECT_TRUE(std::filesystem::exists(dir / "ARTIKEL.DBF"));
        data.AddArticle(notebooks);
        ASSERT_EQ(data.SaveArticles(), 0);
    }
    {
        CTarvexStammDaten data;
        data.SetTablePath({}, where.fileName, where.layout, dir.Path());
        ASSERT_EQ(data.LoadArticles(), 0) << ToUtf8(data.GetLayoutMessage());
        ASSERT_EQ(data.GetArticleCount(), 1u);
        EXPECT_EQ(data.GetLayout(), kLayout14);
        EXPECT_EQ(data.Description(0), u"Notebooks\r\n20 Kartons\r\n\r\n\r\n\r\n\r\n");
        EXPECT_EQ(data.Code(0, 5), u"CN");
    }
    // Re-created from the program options with the setting 2: the same layout, empty, usable.
    ProgramOptions o = ReadProgramOptions(profile, dir.Path());
    o.articlePath = (dir / "ARTIKEL.DBF").u16string();
    o.initArticles = true;
    EXPECT_TRUE(ApplyProgramOptions(profile, o, dir.Path()).empty());
    {
        CTarvexStammDaten data;
        const ArticleTableSetting again = ArticleTableFromSettings(profile);
        data.SetTablePath(again.folder, again.fileName, again.layout, dir.Path());
        ASSERT_EQ(data.LoadArticles(), 0) << ToUtf8(data.GetLayoutMessage());
        EXPECT_EQ(data.GetArticleCount(), 0u);
        EXPECT_EQ(data.Table().GetFieldCount(), 14);
    }
    // Each table in the other setting's layout: read by its own field count, written back in it.
    SaveArticles(dir / "acht.dbf", {notebooks});
    struct Case {
        const char16_t* file;
        uint8_t setting;
        uint8_t read;
    } cases[] = {{u"acht.dbf", kLayout14, kLayout8}, {u"ARTIKEL.DBF", kLayout8, kLayout14}};
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.file));
        CTarvexStammDaten data;
        data.SetTablePath(dir.Path(), c.file, c.setting, {});
        ASSERT_EQ(data.LoadArticles(), 0) << ToUtf8(data.GetLayoutMessage());
        EXPECT_EQ(data.GetLayout(), c.read);
        data.AddArticle(Article(u"Zangen", {u"82032000", u"", u"", u"", u"", u"DE", u"05"}));
        ASSERT_EQ(data.SaveArticles(), 0);
        CTarvexStammDaten back;
        back.SetTablePath(dir.Path(), c.file, c.setting, {});
        ASSERT_EQ(back.LoadArticles(), 0);
        ASSERT_GE(back.GetArticleCount(), 1u);
        EXPECT_EQ(ArticleFirstLine(back.Description(back.GetArticleCount() - 1)), u"Zangen");
        EXPECT_EQ(back.Code(back.GetArticleCount() - 1, 6), u"05");
    }
}

TEST(TarvexStammDaten, SortOrdersAndSearch) {
    CTarvexStammDaten data;
    data.AddArticle(Article(u"zangen\r\nrot", {u"82032000", u"", u"", u"", u"", u"DE", u""}));
    data.AddArticle(Article(u"Äpfel", {u"08081080", u"", u"", u"", u"", u"IT", u""}));
    data.AddArticle(Article(u"Birnen", {u"08083090", u"", u"", u"", u"", u"IT", u""}));
    data.AddArticle(Article(u"apfelmus", {u"20079910", u"", u"", u"", u"", u"DE", u""}));
    EXPECT_EQ(data.OrderByDescription(), (std::vector<int>{1, 3, 2, 0}));  // case and umlauts folded
    EXPECT_EQ(data.OrderByCode(), (std::vector<int>{1, 2, 3, 0}));
    const std::vector<int> all = data.OrderByDescription();
    struct Case {
        std::u16string text;
        std::vector<int> hits;
    } cases[] = {{u"", {1, 3, 2, 0}}, {u"ÄPF", {1}},  {u"apfel", {3}},     {u"ROT", {0}},   {u"0808", {1, 2}},
                 {u"08083090", {2}},  {u"8203-", {}}, {u"82032000-", {0}}, {u"it", {1, 2}}, {u"kiwi", {}}};
    for (const Case& c : cases) EXPECT_EQ(data.Filter(all, c.text), c.hits) << ToUtf8(c.text);
    data.SetArticle(2, Article(u"Kiwi", {}));
    EXPECT_EQ(data.Filter(all, u"kiwi"), std::vector<int>{2}) << "the search follows edits";
}

// --- data-file options

TEST(ProgramOptions, DefaultsStoredOnOkAndTablesRecreatedEmpty) {
    TempDir dir;
    CMemoryProfile profile;
    ProgramOptions o = ReadProgramOptions(profile, dir.Path());
    EXPECT_EQ(o.addressPath, (dir / "Adress1.dbf").u16string());
    // The article dialog's own default table: not "Artikel1.dbf", another file where case counts.
    EXPECT_EQ(o.articlePath, (dir / "ARTIKEL1.DBF").u16string());
    EXPECT_TRUE(o.paperCheck);
    // Unchanged options are stored; nothing is created without the initialisation.
    EXPECT_TRUE(ApplyProgramOptions(profile, o, dir.Path()).empty());
    EXPECT_EQ(profile.GetProfileString("Settings", "StammdatenDatei", u""), o.articlePath);
    EXPECT_EQ(profile.GetProfileInt("Settings", "PrnPapielageCheck", 7), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "ARTIKEL1.DBF"));

    // A changed article path with initialisation: the table is made there, empty, over entries.
    const auto articles = dir / "neu" / "Waren.dbf";
    std::filesystem::create_directories(articles.parent_path());
    SaveArticles(articles, {Article(u"Alt", {u"1", u"", u"", u"", u"", u"", u""})});
    o.articlePath = articles.u16string();
    o.initArticles = true;
    o.initAddresses = true;
    o.paperCheck = false;
    EXPECT_TRUE(ApplyProgramOptions(profile, o, dir.Path()).empty());
    EXPECT_EQ(profile.GetProfileInt("Settings", "PrnPapielageCheck", 7), 0);
    CTarvexStammDaten data;
    data.SetTablePath(articles.parent_path(), u"Waren.dbf", kLayout8, {});
    ASSERT_EQ(data.LoadArticles(), 0);
    EXPECT_EQ(data.GetArticleCount(), 0u);
    EXPECT_EQ(data.Table().GetFieldCount(), 8);
    FakeMdHost host;
    CAddressDatabase db(dir / "Adress1.dbf");
    ASSERT_EQ(db.OpenOrCreate(host), 1);
    EXPECT_TRUE(host.questions.empty());
    ASSERT_EQ(db.ReadEntries().size(), 1u);
    EXPECT_EQ(db.ReadEntries()[0].name, u"Erster Eintrag");

    o.articlePath = (dir / "fehlt" / "Waren.dbf").u16string();
    EXPECT_EQ(ApplyProgramOptions(profile, o, dir.Path()).size(), 1u) << "a folder that is not there";
    EXPECT_EQ(profile.GetProfileString("Settings", "StammdatenDatei", u""), o.articlePath)
        << "the settings are written all the same";
}
