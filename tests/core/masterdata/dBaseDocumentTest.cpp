#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

#include "DbfTestUtil.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/dBaseDocument.h"
#include "core/masterdata/dBaseStrings.h"

using namespace tarvex;
using namespace tarvex::dbftest;

namespace {

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

std::u16string Str(const CdBaseDocument& doc, int pos) {
    std::u16string s;
    EXPECT_EQ(doc.GetString(pos, s), 0);
    return s;
}

std::u16string Date(const CdBaseDocument& doc, int pos) {
    std::u16string s;
    EXPECT_EQ(doc.GetDate(pos, s), 0);
    return s;
}

// Record bytes of a raw table: flag + fields.
std::string Rec(char flag, std::initializer_list<std::string> fields) {
    std::string r(1, flag);
    for (const auto& f : fields) r += f;
    return r;
}

std::string Pad(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string Field(const CdBaseDocument& doc, int pos) {
    std::u16string name;
    char type;
    uint16_t len, dec;
    doc.GetFieldInfo(pos, name, type, len, dec);
    size_t offset = 1;
    for (int i = 0; i < pos; ++i) {
        doc.GetFieldInfo(i, name, type, len, dec);
        offset += len;
    }
    doc.GetFieldInfo(pos, name, type, len, dec);
    return std::string(reinterpret_cast<const char*>(doc.RecordBuffer()) + offset, len);
}

// A table with one field of every accessor type, created in a folder of the test.
class dBaseFields : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetDateProvider(FixedDay);
        doc.ResetDefinition();
        doc.AddField(u"name", 'C', 10, 0);    // 0
        doc.AddField(u"MENGE", 'N', 5, 0);    // 1
        doc.AddField(u"BETRAG", 'N', 12, 2);  // 2
        doc.AddField(u"DATUM", 'D', 8, 0);    // 3
        doc.AddField(u"AKTIV", 'L', 1, 0);    // 4
        doc.AddField(u"NAME2", 'C', 5, 0);    // 5
        doc.AddField(u"LOGDEC", 'L', 1, 1);   // 6
        doc.AddField(u"MEMO", 'M', 10, 0);    // 7
        path = dir / "typed.dbf";
        ASSERT_EQ(doc.CreateTable(path, 0), 1);
        ASSERT_EQ(doc.WriteRecord(1), 1);  // the zero buffer as record 1
        ASSERT_EQ(doc.ReadRecord(1), 1);
    }
    TempDir dir;
    std::filesystem::path path;
    CdBaseDocument doc;
};

}  // namespace

// ------------------------------------------------------------------------------------------------
// File layout

TEST(dBaseDocument, NewAddressTableHeaderBytes) {
    TempDir dir;
    CdBaseDocument doc;
    doc.SetDateProvider(FixedDay);
    DefineAddressTable(doc);
    auto path = dir / "Adress1.dbf";
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    EXPECT_EQ(doc.GetHeaderLength(), 193);
    EXPECT_EQ(doc.GetRecordLength(), 346);
    EXPECT_EQ(doc.GetRecordCount(), 0);
    auto b = ReadBytes(path);
    ASSERT_EQ(b.size(), 193u);  // no 0x1A in a new table
    EXPECT_EQ(b[0], 0x03);
    EXPECT_EQ(b[1], 124);
    EXPECT_EQ(b[2], 5);
    EXPECT_EQ(b[3], 17);
    EXPECT_EQ(Bytes(b, 4, 4), std::string(4, '\0'));
    EXPECT_EQ(b[8], 0xC1);
    EXPECT_EQ(b[9], 0x00);
    EXPECT_EQ(b[10], 0x5A);
    EXPECT_EQ(b[11], 0x01);
    EXPECT_EQ(Bytes(b, 12, 20), std::string(20, '\0'));
    const char* names[] = {"ADRESS1", "ADRESS2", "ADRESS3", "ADRESS4", "ZOLLNR"};
    for (int i = 0; i < 5; ++i) {
        size_t d = 32 + 32 * i;
        std::string name = names[i];
        EXPECT_EQ(Bytes(b, d, 11), name + std::string(11 - name.size(), '\0')) << i;
        EXPECT_EQ(b[d + 11], 'C');
        EXPECT_EQ(Bytes(b, d + 12, 4), std::string(4, '\0'));
        EXPECT_EQ(b[d + 16], i < 4 ? 80 : 25);
        EXPECT_EQ(b[d + 17], 0);
        EXPECT_EQ(Bytes(b, d + 18, 14), std::string(14, '\0'));
    }
    EXPECT_EQ(b[192], 0x0D);
}

TEST(dBaseDocument, AppendWritesRecordEndMarkAndCount) {
    TempDir dir;
    CdBaseDocument doc;
    DefineAddressTable(doc);
    auto path = dir / "Adress1.dbf";
    doc.SetDateProvider([] { return CDbfDate{2023, 1, 2}; });
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    doc.SetDateProvider(FixedDay);  // "today" at the append
    ASSERT_EQ(doc.WriteRecord(1), 1);
    ASSERT_EQ(doc.SetString(0, u"Erster Eintrag"), 0);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    auto b = ReadBytes(path);
    ASSERT_EQ(b.size(), 540u);
    EXPECT_EQ(b[193], ' ');
    EXPECT_EQ(Bytes(b, 194, 80), Pad("Erster Eintrag", 80));
    EXPECT_EQ(b[539], 0x1A);
    EXPECT_EQ(b[1], 124);
    EXPECT_EQ(b[2], 5);
    EXPECT_EQ(b[3], 17);
    EXPECT_EQ(Bytes(b, 4, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(doc.GetRecordCount(), 1);

    // Record count + 2 is refused, record count + 1 appends after the last record.
    EXPECT_EQ(doc.WriteRecord(3), -1);
    EXPECT_EQ(ReadBytes(path).size(), 540u);
    ASSERT_EQ(doc.WriteRecord(2), 2);
    b = ReadBytes(path);
    ASSERT_EQ(b.size(), 193u + 2 * 346 + 1);
    EXPECT_EQ(b[193 + 346], ' ');  // the old end mark is overwritten by record 2
    EXPECT_EQ(b.back(), 0x1A);
    EXPECT_EQ(b[4], 2);
    EXPECT_EQ(doc.GetCurrentRecord(), 2);
}

TEST(dBaseDocument, CreateRespectsOverwriteFlag) {
    TempDir dir;
    auto path = dir / "t.dbf";
    WriteBytes(path, {'x', 'y'});
    CdBaseDocument doc;
    DefineAddressTable(doc);
    EXPECT_EQ(doc.CreateTable(path, 0), 0);
    EXPECT_EQ(ReadBytes(path).size(), 2u);
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(doc.CreateTable(path, 1), 1);
    EXPECT_EQ(ReadBytes(path).size(), 193u);
    EXPECT_EQ(doc.GetTablePath(), path);
}

TEST(dBaseDocument, CreateFailureNamesPathAndCause) {
    TempDir dir;
    auto path = dir / "missing-folder" / "t.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    EXPECT_EQ(doc.CreateTable(path, 0), 0);
    EXPECT_FALSE(doc.IsOpen());
    const auto& e = doc.GetFileError();
    EXPECT_EQ(e.message, dbfstr::kOpenFailed);
    EXPECT_EQ(e.path, path);
    EXPECT_FALSE(e.cause.empty());
    EXPECT_NE(e.Text().find("t.dbf"), std::string::npos);
}

// A table in a folder with umlauts, blanks and letters outside Windows-1252 is created, found and
// reopened under exactly its name (UTF-16 on Windows); the message of a missing one names it.
TEST(dBaseDocument, TablePathOutsideTheAnsiCodePage) {
    TempDir dir;
    const auto folder = dir.Path() / std::filesystem::path(u8"Stammdaten Łódź Ärger");
    std::filesystem::create_directory(folder);
    const auto path = folder / std::filesystem::path(u8"Adressen Ωμέγα ü.dbf");
    {
        CdBaseDocument doc;
        DefineAddressTable(doc);
        ASSERT_EQ(doc.CreateTable(path, 0), 1) << doc.GetFileError().Text();
        ASSERT_EQ(doc.WriteRecord(1), 1);
        ASSERT_EQ(doc.SetString(0, u"Müller"), 0);
        ASSERT_EQ(doc.WriteRecord(1), 1);
    }
    ASSERT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(std::filesystem::directory_iterator(folder)->path().filename().u16string(),
              u"Adressen \u03a9\u03bc\u03ad\u03b3\u03b1 \u00fc.dbf");
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1) << doc.GetFileError().Text();
    ASSERT_EQ(doc.ReadRecord(1), 1);
    EXPECT_EQ(Str(doc, 0), u"Müller");
    CdBaseDocument missing;
    EXPECT_EQ(missing.OpenTable(folder / std::filesystem::path(u8"fehlt Ł.dbf")), 0);
    EXPECT_NE(missing.GetFileError().Text().find("fehlt Ł.dbf"), std::string::npos)
        << missing.GetFileError().Text();
}

TEST(dBaseDocument, CreateRefusesDefinitionTheEngineCannotRead) {
    TempDir dir;
    CdBaseDocument doc;
    doc.ResetDefinition();
    for (int i = 0; i < 16; ++i) doc.AddField(u"F" + Ascii(std::to_string(i)), 'C', 255, 0);  // 4081 bytes
    EXPECT_EQ(doc.CreateTable(dir / "big.dbf", 0), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "big.dbf"));
    EXPECT_NE(doc.GetFileError().cause.find("4081"), std::string::npos);
    doc.ResetDefinition();
    doc.AddField(u"ELEVENCHARS", 'C', 5, 0);
    EXPECT_EQ(doc.CreateTable(dir / "name.dbf", 0), 0);
    doc.ResetDefinition();
    doc.AddField(u"WIDE", 'N', 20, 0);
    EXPECT_EQ(doc.CreateTable(dir / "wide.dbf", 0), 0);
    doc.ResetDefinition();
    doc.AddField(u"WIDE", 'N', 29, 3);
    EXPECT_EQ(doc.CreateTable(dir / "wide.dbf", 0), 1);
}

TEST(dBaseDocument, FieldsAddedToAnOpenTableStayOutsideTheRecord) {
    // A programming error (the field list must be the file's), answered without touching memory
    // or the file outside the record.
    TempDir dir;
    auto path = dir / "t.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    for (int i = 0; i < 20; ++i) doc.AddField(u"X" + Ascii(std::to_string(i)), 'C', 255, 0);
    std::u16string s;
    EXPECT_THROW(doc.GetString(5, s), std::invalid_argument);
    EXPECT_THROW(doc.BuildIndex(5), std::invalid_argument);
    EXPECT_EQ(doc.WriteRecord(2), -1);  // the header of that field list is not written
    EXPECT_EQ(doc.GetRecordLength(), 346);
    EXPECT_EQ(doc.ReadRecord(1), 1);
    CdBaseDocument check;
    ASSERT_EQ(check.OpenTable(path), 1);
    EXPECT_EQ(check.GetFieldCount(), 5);
    EXPECT_EQ(check.GetRecordCount(), 1);
}

TEST(dBaseDocument, AddFieldUpperCasesAndCounts) {
    CdBaseDocument doc;
    EXPECT_EQ(doc.AddField(u"straße", 'C', 10, 0), 1);
    EXPECT_EQ(doc.AddField(u"wnr1", 'C', 4, 0), 2);
    std::u16string name;
    char type;
    uint16_t len, dec;
    EXPECT_EQ(doc.GetFieldInfo(0, name, type, len, dec), 0);
    EXPECT_EQ(name, u"STRAßE");
    EXPECT_EQ(doc.GetFieldInfo(1, name, type, len, dec), 1);
    EXPECT_EQ(name, u"WNR1");
    EXPECT_EQ(type, 'C');
    EXPECT_EQ(len, 4);
    EXPECT_EQ(doc.GetFieldInfo(2, name, type, len, dec), -1);
    EXPECT_EQ(doc.GetFieldInfo(-1, name, type, len, dec), -1);
}

// ------------------------------------------------------------------------------------------------
// Open

TEST(dBaseDocument, FoxProTableIsRefused) {
    TempDir dir;
    RawTable raw;
    raw.version = 0x30;
    raw.fields = {{"NAME", 'C', 5}};
    raw.records = {Rec(' ', {"Hallo"})};
    auto path = dir / "fox.dbf";
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    EXPECT_EQ(doc.OpenTable(path), 0);
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(doc.GetFileError().message, "Unerwartetes Dateiformat.");
    EXPECT_EQ(doc.GetFileError().path, path);
    EXPECT_NE(doc.GetFileError().cause.find("0x30"), std::string::npos);
    for (uint8_t v : {0x02, 0x04, 0x8B, 0xF5, 0x00}) {
        raw.version = v;
        WriteBytes(path, raw.Build());
        EXPECT_EQ(doc.OpenTable(path), 0) << int(v);
    }
    raw.version = 0x83;  // dBase III with memo: read, memo file never opened
    WriteBytes(path, raw.Build());
    EXPECT_EQ(doc.OpenTable(path), 1);
    EXPECT_EQ(doc.GetVersion(), 0x83);
    EXPECT_FALSE(doc.GetFileError().IsSet());
}

TEST(dBaseDocument, MissingFileIsReportedWithPathAndCause) {
    TempDir dir;
    CdBaseDocument doc;
    auto path = dir / "nicht-da.dbf";
    EXPECT_EQ(doc.OpenTable(path), 0);
    EXPECT_EQ(doc.GetFileError().message, "Fehler beim Öffnen des Dokuments.");
    EXPECT_EQ(doc.GetFileError().path, path);
    EXPECT_FALSE(doc.GetFileError().cause.empty());
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(doc.GetRecordCount(), 0);
    EXPECT_EQ(doc.ReadRecord(1), -1);
    EXPECT_EQ(doc.WriteRecord(1), -1);
}

TEST(dBaseDocument, DamagedHeadersAreRefusedWithAMessage) {
    TempDir dir;
    auto path = dir / "bad.dbf";
    auto refused = [&](const RawTable& raw, const char* needle) {
        WriteBytes(path, raw.Build());
        CdBaseDocument doc;
        EXPECT_EQ(doc.OpenTable(path), 0) << needle;
        EXPECT_EQ(doc.GetFileError().message, dbfstr::kUnexpectedFormat);
        EXPECT_NE(doc.GetFileError().cause.find(needle), std::string::npos) << doc.GetFileError().cause;
        EXPECT_FALSE(doc.IsOpen());
    };
    RawTable base;
    base.fields = {{"A", 'C', 3}, {"B", 'N', 4}};
    base.records = {Rec(' ', {"abc", "  12"})};

    RawTable t = base;
    t.recordLengthOverride = 0;
    refused(t, "Satzlänge 0");
    t.recordLengthOverride = 4001;
    refused(t, "Satzlänge 4001");
    t.recordLengthOverride = 7;  // fields need 8
    refused(t, "Das Feld B (Nr. 2) reicht über die Satzlänge 7");
    t = base;
    t.headerLengthOverride = 32;
    refused(t, "Kopflänge 32");
    t = base;
    t.headerLengthOverride = 32 * 40 + 33;  // 40 descriptors claimed, file far shorter
    t.records.clear();
    t.endMark = false;
    refused(t, "Dateiende");
    t = base;
    t.fields = {{"A", 'C', 3}, {"B", 'N', 20}};
    t.records = {Rec(' ', {"abc", std::string(20, '1')})};
    refused(t, "B ist 20 Byte");
    t.fields = {{"A", 'C', 3}, {"B", 'N', 30, 2}};
    t.records = {Rec(' ', {"abc", std::string(30, '1')})};
    refused(t, "B ist 30 Byte");

    WriteBytes(path, {});
    CdBaseDocument doc;
    EXPECT_EQ(doc.OpenTable(path), 0);
    EXPECT_EQ(doc.GetFileError().cause, dbfstr::kEmptyFile);
    WriteBytes(path, {0x03, 124, 1, 1, 0, 0});
    EXPECT_EQ(doc.OpenTable(path), 0);
    EXPECT_NE(doc.GetFileError().cause.find("unvollständig"), std::string::npos);

    // Widest accepted numbers.
    t.fields = {{"A", 'N', 19}, {"B", 'N', 29, 5}};
    t.records = {Rec(' ', {std::string(18, ' ') + "7", std::string(24, ' ') + "1.125"})};
    WriteBytes(path, t.Build());
    ASSERT_EQ(doc.OpenTable(path), 1);
    ASSERT_EQ(doc.ReadRecord(1), 1);
    int32_t i = 0;
    double d = 0;
    EXPECT_EQ(doc.GetInteger(0, i), 0);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(doc.GetDouble(1, d), 0);
    EXPECT_EQ(d, 1.125);
}

TEST(dBaseDocument, FieldCountByIntegerDivisionAndRecordLengthFromHeader) {
    TempDir dir;
    auto path = dir / "odd.dbf";
    RawTable raw;
    raw.fields = {{"A", 'C', 3}, {"B", 'C', 2}};
    raw.extraHeaderBytes = 1;      // one byte after the 0x0D: still two fields
    raw.recordLengthOverride = 8;  // two bytes of padding at the end of every record
    raw.records = {Rec(' ', {"abc", "de", "xx"}), Rec(' ', {"fgh", "ij", "yy"})};
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    doc.SetDateProvider(FixedDay);
    ASSERT_EQ(doc.OpenTable(path), 1);
    EXPECT_EQ(doc.GetFieldCount(), 2);
    EXPECT_EQ(doc.GetHeaderLength(), 98);
    EXPECT_EQ(doc.GetRecordLength(), 8);
    ASSERT_EQ(doc.ReadRecord(2), 2);
    EXPECT_EQ(Str(doc, 0), u"fgh");
    EXPECT_EQ(Str(doc, 1), u"ij");
    // An append keeps the layout the records are stored in (recomputing the lengths, as the
    // original's header write did, would shift every record of such a table).
    ASSERT_EQ(doc.SetString(0, u"klm"), 0);
    ASSERT_EQ(doc.WriteRecord(3), 3);
    CdBaseDocument again;
    ASSERT_EQ(again.OpenTable(path), 1);
    EXPECT_EQ(again.GetHeaderLength(), 98);
    EXPECT_EQ(again.GetRecordLength(), 8);
    EXPECT_EQ(again.GetRecordCount(), 3);
    for (int n = 1; n <= 3; ++n) ASSERT_EQ(again.ReadRecord(n), n);
    EXPECT_EQ(Str(again, 0), u"klm");
    EXPECT_EQ(Str(again, 1), u"ij");
    again.ReadRecord(1);
    EXPECT_EQ(Str(again, 0), u"abc");
}

TEST(dBaseDocument, HeaderClaimingMoreRecordsReadsWhatIsThere) {
    TempDir dir;
    auto path = dir / "short.dbf";
    RawTable raw;
    raw.fields = {{"A", 'C', 3}};
    raw.records = {Rec(' ', {"eins"}).substr(0, 4), Rec(' ', {"zwe"}), Rec(' ', {"dr"})};  // last one partial
    raw.endMark = false;
    raw.countOverride = 5;
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    EXPECT_EQ(doc.GetRecordCount(), 5);
    EXPECT_EQ(doc.ReadRecord(1), 1);
    EXPECT_EQ(doc.ReadRecord(2), 2);
    EXPECT_EQ(Str(doc, 0), u"zwe");
    EXPECT_EQ(doc.ReadRecord(3), -1);  // only 3 of its 4 bytes are there
    EXPECT_EQ(doc.GetCurrentRecord(), 0);
    EXPECT_EQ(doc.ReadRecord(5), -1);
    EXPECT_EQ(doc.ReadRecord(6), -1);
    EXPECT_EQ(doc.BuildIndex(0), 2);
    EXPECT_EQ(doc.GetIndexRecord(1), 1);
    EXPECT_EQ(doc.GetIndexRecord(2), 2);
    // No write leaves a hole in the file.
    ASSERT_EQ(doc.ReadRecord(1), 1);
    EXPECT_EQ(doc.WriteRecord(5), -1);
    EXPECT_EQ(doc.WriteRecord(3), 3);  // starts right at the end of the data
    EXPECT_EQ(ReadBytes(path).size(), 32u + 32 + 1 + 3 * 4);

    // A count beyond the signed range.
    raw.countOverride = 0xFFFFFFFFu;
    WriteBytes(path, raw.Build());
    ASSERT_EQ(doc.OpenTable(path), 1);
    EXPECT_EQ(doc.GetRecordCount(), 0x7FFFFFFF);
    EXPECT_EQ(doc.BuildIndex(0), 2);
    EXPECT_EQ(doc.GetCurrentRecord(), 0);  // the last record "read" by the index is not there
}

TEST(dBaseDocument, GetRecordCountSeesAppendsOfAnotherInstance) {
    TempDir dir;
    auto path = dir / "shared.dbf";
    CdBaseDocument a, b;
    DefineAddressTable(a);
    ASSERT_EQ(a.CreateTable(path, 0), 1);
    ASSERT_EQ(b.OpenTable(path), 1);
    EXPECT_EQ(b.GetRecordCount(), 0);
    ASSERT_EQ(a.WriteRecord(1), 1);
    ASSERT_EQ(a.SetString(0, u"von A"), 0);
    ASSERT_EQ(a.WriteRecord(1), 1);
    ASSERT_EQ(a.WriteRecord(2), 2);
    EXPECT_EQ(b.ReadRecord(1), -1);  // b's count is the one it read last
    EXPECT_EQ(b.GetRecordCount(), 2);
    ASSERT_EQ(b.ReadRecord(2), 2);
    EXPECT_EQ(Str(b, 0), u"von A");
    // Records are read from the file every time: a change by the other instance is seen.
    ASSERT_EQ(a.SetString(0, u"geändert"), 0);
    ASSERT_EQ(a.WriteRecord(2), 2);
    ASSERT_EQ(b.ReadRecord(2), 2);
    EXPECT_EQ(Str(b, 0), u"geändert");
}

// ------------------------------------------------------------------------------------------------
// Records

TEST(dBaseDocument, ReadRecordWritesBackModifiedBufferFirst) {
    TempDir dir;
    auto path = dir / "wb.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    ASSERT_EQ(doc.WriteRecord(2), 2);
    ASSERT_EQ(doc.ReadRecord(1), 1);
    ASSERT_EQ(doc.SetString(0, u"ungespeichert"), 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Bytes(ReadBytes(path), 194, 13), std::string(13, '\0'));  // only the buffer changed
    ASSERT_EQ(doc.ReadRecord(2), 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Bytes(ReadBytes(path), 194, 13), "ungespeichert");
    // Not written back on close.
    ASSERT_EQ(doc.SetString(0, u"verloren"), 0);
    doc.CloseTable();
    EXPECT_EQ(Bytes(ReadBytes(path), 193 + 346 + 1, 8), std::string(8, '\0'));
}

TEST(dBaseDocument, WriteThroughWritesEveryStore) {
    TempDir dir;
    auto path = dir / "wt.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    doc.SetWriteThrough(true);
    ASSERT_EQ(doc.SetString(4, u"DE123"), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Bytes(ReadBytes(path), 1 + 193 + 320, 5), "DE123");
    EXPECT_EQ(doc.SetString(4, std::u16string(26, u'x')), kDbfTooWide);
    doc.ResetDefinition();
    EXPECT_EQ(doc.GetCurrentRecord(), 0);
}

TEST(dBaseDocument, DeleteRecordMarksAndReadsRecordOne) {
    TempDir dir;
    auto path = dir / "del.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_EQ(doc.WriteRecord(n), n);
        ASSERT_EQ(doc.SetString(0, u"R" + Ascii(std::to_string(n))), 0);
        ASSERT_EQ(doc.WriteRecord(n), n);
    }
    EXPECT_EQ(doc.DeleteRecord(4), -1);
    EXPECT_EQ(doc.DeleteRecord(0), -1);
    EXPECT_EQ(doc.DeleteRecord(2), 1);
    EXPECT_EQ(doc.GetCurrentRecord(), 1);
    EXPECT_TRUE(doc.IsRecordActive());
    EXPECT_EQ(ReadBytes(path)[193 + 346], '*');
    ASSERT_EQ(doc.ReadRecord(2), 2);
    EXPECT_FALSE(doc.IsRecordActive());
    EXPECT_EQ(Str(doc, 0), u"R2");
    // Writing a record makes it active again.
    ASSERT_EQ(doc.WriteRecord(2), 2);
    EXPECT_TRUE(doc.IsRecordActive());
    EXPECT_EQ(ReadBytes(path)[193 + 346], ' ');
}

TEST(dBaseDocument, FailedReadLeavesNoCurrentRecord) {
    CdBaseDocument doc;
    DefineAddressTable(doc);
    auto file = std::make_unique<CMemoryFile>();
    CMemoryFile* mem = file.get();
    ASSERT_EQ(doc.CreateTable(std::move(file), "mem.dbf"), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    ASSERT_EQ(doc.ReadRecord(1), 1);
    mem->SetReadFailure(true);
    EXPECT_EQ(doc.ReadRecord(1), -1);
    EXPECT_EQ(doc.GetCurrentRecord(), 0);
    std::u16string s;
    EXPECT_EQ(doc.GetString(0, s), kDbfNoRecord);
    mem->SetReadFailure(false);
    ASSERT_EQ(doc.ReadRecord(1), 1);
    mem->SetWriteLimit(mem->WriteCount());
    EXPECT_EQ(doc.WriteRecord(1), -1);
    EXPECT_EQ(doc.WriteRecord(2), -1);
    EXPECT_EQ(doc.GetRecordCount(), 1);
    EXPECT_EQ(doc.DeleteRecord(1), -1);
    mem->SetWriteLimit(-1);
    mem->SetFlushFailure(true);
    EXPECT_EQ(doc.WriteRecord(2), -1);  // the header write's first flush fails
    EXPECT_EQ(doc.GetRecordCount(), 1);
}

// Every prefix of the writes of an append, as a process killed after it would leave the file,
// opens and reads every record it counts.
TEST(dBaseDocument, AppendIsCrashSafeAtEveryWrite) {
    for (int allowed = 0;; ++allowed) {
        CdBaseDocument doc;
        DefineAddressTable(doc);
        auto file = std::make_unique<CMemoryFile>();
        CMemoryFile* mem = file.get();
        ASSERT_EQ(doc.CreateTable(std::move(file), "mem.dbf"), 1);
        ASSERT_EQ(doc.WriteRecord(1), 1);
        ASSERT_EQ(doc.SetString(0, u"eins"), 0);
        ASSERT_EQ(doc.WriteRecord(1), 1);
        const int before = mem->WriteCount();
        mem->SetWriteLimit(before + allowed);
        ASSERT_EQ(doc.SetString(0, u"zwei"), 0);
        const bool done = doc.WriteRecord(2) == 2;

        CdBaseDocument check;
        ASSERT_EQ(check.OpenTable(std::make_unique<CMemoryFile>(mem->Data()), "after.dbf"), 1) << allowed;
        const int32_t count = check.GetRecordCount();
        EXPECT_EQ(count, done ? 2 : 1) << allowed;
        for (int n = 1; n <= count; ++n) {
            ASSERT_EQ(check.ReadRecord(n), n) << allowed;
            EXPECT_EQ(Str(check, 0), n == 1 ? u"eins" : u"zwei");
        }
        if (done) break;
        ASSERT_LT(allowed, 10);
    }
}

// ------------------------------------------------------------------------------------------------
// Field accessors

TEST_F(dBaseFields, CheckOrderAndCodes) {
    CdBaseDocument empty;
    std::u16string s;
    int32_t i = 0;
    // No current record comes before the position check.
    EXPECT_EQ(empty.GetString(99, s), kDbfNoRecord);
    EXPECT_EQ(empty.SetInteger(99, 1), kDbfNoRecord);
    EXPECT_THROW(doc.GetString(8, s), std::invalid_argument);
    EXPECT_THROW(doc.SetString(-1, u"x"), std::invalid_argument);
    EXPECT_EQ(doc.GetString(1, s), kDbfWrongType);
    EXPECT_EQ(doc.SetString(3, u"x"), kDbfWrongType);
    EXPECT_EQ(doc.GetInteger(0, i), kDbfWrongType);
    EXPECT_EQ(doc.GetInteger(2, i), kDbfHasDecimals);
    EXPECT_EQ(doc.SetInteger(2, 5), kDbfHasDecimals);
    EXPECT_EQ(doc.SetDouble(1, 1.5), kDbfNoDecimals);
    EXPECT_EQ(doc.GetLogical(6), kDbfLogicalDecimals);
    EXPECT_EQ(doc.SetLogical(6, 1), kDbfLogicalDecimals);
    EXPECT_EQ(doc.GetLogical(0), kDbfWrongType);
    EXPECT_EQ(doc.GetDate(0, s), kDbfWrongType);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(doc.GetString(7, s), kDbfWrongType);  // memo: carried, no accessor
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(dBaseFields, SetStringWidthAndBytes) {
    ASSERT_EQ(doc.SetString(5, u"vorne"), 0);
    ASSERT_EQ(doc.SetString(0, u"0123456789"), 0);  // exactly as wide as the field
    EXPECT_EQ(Field(doc, 0), "0123456789");
    EXPECT_EQ(Field(doc, 1), std::string(5, '\0'));  // the next field is untouched
    const std::string before(reinterpret_cast<const char*>(doc.RecordBuffer()), doc.GetRecordLength());
    EXPECT_EQ(doc.SetString(0, u"0123456789A"), kDbfTooWide);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(doc.RecordBuffer()), doc.GetRecordLength()), before);
    ASSERT_EQ(doc.SetString(0, u"ab"), 0);
    EXPECT_EQ(Field(doc, 0), "ab        ");
    EXPECT_EQ(Str(doc, 0), u"ab");
    ASSERT_EQ(doc.SetString(0, u"  links"), 0);
    EXPECT_EQ(Str(doc, 0), u"  links");  // leading spaces kept

    doc.ResetDefinition();
    doc.AddField(u"S", 'C', 20, 0);
    TempDir d2;
    ASSERT_EQ(doc.CreateTable(d2 / "s.dbf", 0), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    ASSERT_EQ(doc.SetString(0, u"Straße – Nr. 5 €"), 0);
    EXPECT_EQ(Field(doc, 0), Pad("Stra\xDF"
                                 "e - Nr. 5 E",
                                 20));
    EXPECT_EQ(Str(doc, 0), u"Straße - Nr. 5 E");
}

TEST_F(dBaseFields, GetStringStopsAtZeroByte) {
    ASSERT_EQ(doc.SetString(0, u"ABC"), 0);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    auto b = ReadBytes(path);
    size_t offset = doc.GetHeaderLength() + 1;
    b[offset + 3] = 0;
    b[offset + 4] = 'Z';
    WriteBytes(path, b);
    ASSERT_EQ(doc.ReadRecord(1), 1);
    EXPECT_EQ(Str(doc, 0), u"ABC");
}

TEST_F(dBaseFields, IntegersUpToTheFieldWidth) {
    int32_t i = -1;
    EXPECT_EQ(doc.GetInteger(1, i), 0);  // zero bytes read as blank
    EXPECT_EQ(i, 0);
    ASSERT_EQ(doc.SetInteger(1, 0), 0);
    EXPECT_EQ(Field(doc, 1), "     ");
    EXPECT_EQ(doc.GetInteger(1, i), 0);
    EXPECT_EQ(i, 0);
    ASSERT_EQ(doc.SetInteger(1, 42), 0);
    EXPECT_EQ(Field(doc, 1), "   42");
    ASSERT_EQ(doc.SetInteger(1, -9999), 0);
    EXPECT_EQ(Field(doc, 1), "-9999");
    EXPECT_EQ(doc.GetInteger(1, i), 0);
    EXPECT_EQ(i, -9999);
    EXPECT_EQ(doc.SetInteger(1, 100000), kDbfTooWide);
    EXPECT_EQ(Field(doc, 1), "-9999");
    ASSERT_EQ(doc.SetInteger(1, 65535), 0);  // fills the field
    EXPECT_EQ(Field(doc, 1), "65535");
    EXPECT_EQ(doc.GetInteger(1, i), 0);
    EXPECT_EQ(i, 65535);
    doc.ResetDefinition();
    doc.AddField(u"N", 'N', 10, 0);
    TempDir d2;
    ASSERT_EQ(doc.CreateTable(d2 / "n.dbf", 0), 1);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    ASSERT_EQ(doc.SetInteger(0, 2147483647), 0);  // 10 characters: the widest that fits
    EXPECT_EQ(doc.GetInteger(0, i), 0);
    EXPECT_EQ(i, 2147483647);
    ASSERT_EQ(doc.SetInteger(0, -2147483647 - 1), kDbfTooWide);  // 11 characters
}

TEST_F(dBaseFields, DoubleFixedPoint) {
    ASSERT_EQ(doc.SetDouble(2, 12.5), 0);
    EXPECT_EQ(Field(doc, 2), "       12.50");
    double d = 0;
    EXPECT_EQ(doc.GetDouble(2, d), 0);
    EXPECT_EQ(d, 12.5);
    ASSERT_EQ(doc.SetDouble(2, -0.125), 0);
    EXPECT_EQ(Field(doc, 2), "       -0.12");  // round half to even of the binary value, as printf
    ASSERT_EQ(doc.SetDouble(2, 123456789.0), 0);
    EXPECT_EQ(Field(doc, 2), "123456789.00");
    EXPECT_EQ(doc.SetDouble(2, 1234567890.0), kDbfTooWide);
    EXPECT_EQ(doc.GetDouble(1, d), 0);  // GetDouble accepts a field without decimals
    EXPECT_EQ(d, 0);
    ASSERT_EQ(doc.SetInteger(1, 77), 0);
    EXPECT_EQ(doc.GetDouble(1, d), 0);
    EXPECT_EQ(d, 77);
}

TEST_F(dBaseFields, Dates) {
    EXPECT_EQ(Date(doc, 3), u"");  // zero bytes
    ASSERT_EQ(doc.SetDate(3, u"1.2.2024"), 0);
    EXPECT_EQ(Field(doc, 3), "20240201");
    EXPECT_EQ(Date(doc, 3), u"01.02.2024");
    EXPECT_EQ(doc.SetDate(3, u"31.13.2024"), kDbfBadDate);
    EXPECT_EQ(doc.SetDate(3, u"32.12.2024"), kDbfBadDate);
    EXPECT_EQ(doc.SetDate(3, u"1.1.1899"), kDbfBadDate);
    EXPECT_EQ(doc.SetDate(3, u"1.1.24"), kDbfBadDate);  // two-digit years are not expanded
    EXPECT_EQ(Field(doc, 3), "20240201");
    ASSERT_EQ(doc.SetDate(3, u"0.1.2024"), 0);
    EXPECT_EQ(Field(doc, 3), "        ");
    EXPECT_EQ(Date(doc, 3), u"");
    ASSERT_EQ(doc.SetDate(3, u"kein Datum"), 0);  // normalises to the empty text: empty date
    EXPECT_EQ(Field(doc, 3), "        ");
    ASSERT_EQ(doc.SetDate(3, 24, 12, 2023), 0);
    EXPECT_EQ(Field(doc, 3), "20231224");
    EXPECT_EQ(Date(doc, 3), u"24.12.2023");
    ASSERT_EQ(doc.SetDate(3, 5, 77, 12), 0);  // numbers: no range check
    EXPECT_EQ(Field(doc, 3), "00127705");
    ASSERT_EQ(doc.SetDate(3, 0, 5, 2020), 0);
    EXPECT_EQ(Field(doc, 3), "        ");
}

TEST(dBaseDocument, DateNormalisation) {
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"1.2.2024"), u"01.02.2024");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u" 3. 4. 1999"), u"03.04.1999");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"1.2.24"), u"01.02.0024");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"1.2"), u"");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"0.2.2024"), u"");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"1.-2.2024"), u"");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"  .  .    "), u"");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u""), u"");
    EXPECT_EQ(CdBaseDocument::NormaliseDate(u"5.6.2024.9"), u"05.06.2024");
}

TEST_F(dBaseFields, Logical) {
    EXPECT_EQ(doc.GetLogical(4), 0);
    ASSERT_EQ(doc.SetLogical(4, 1), 0);
    EXPECT_EQ(Field(doc, 4), "T");
    EXPECT_EQ(doc.GetLogical(4), 1);
    ASSERT_EQ(doc.SetLogical(4, 2), 0);  // only 1 is true
    EXPECT_EQ(Field(doc, 4), "F");
    EXPECT_EQ(doc.GetLogical(4), 0);
    ASSERT_EQ(doc.WriteRecord(1), 1);
    auto b = ReadBytes(path);
    size_t offset = doc.GetHeaderLength() + 1 + 10 + 5 + 12 + 8;
    for (char c : {'T', 't', 'J', 'j', 'Y', 'y', 'N', '?'}) {
        b[offset] = static_cast<uint8_t>(c);
        WriteBytes(path, b);
        ASSERT_EQ(doc.ReadRecord(1), 1);
        EXPECT_EQ(doc.GetLogical(4), (c == 'T' || c == 't' || c == 'J' || c == 'j') ? 1 : 0) << c;
    }
}

TEST(dBaseDocument, StringReadMatchesDecodeAndTrimForEveryByte) {
    // GetString and the index keys use the byte-level trim; it must equal decoding first and
    // trimming the wide text after.
    TempDir dir;
    auto path = dir / "bytes.dbf";
    RawTable raw;
    raw.fields = {{"A", 'C', 3}};
    for (int b = 1; b < 256; ++b) raw.records.push_back(Rec(' ', {std::string{'x', char(b), char(b)}}));
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    ASSERT_EQ(doc.BuildIndex(0), 255);
    for (int i = 1; i < doc.GetIndexCount(); ++i) {
        ASSERT_EQ(doc.GotoIndex(i), doc.GetIndexRecord(i));
        std::string bytes = raw.records[doc.GetIndexRecord(i) - 1].substr(1);
        EXPECT_EQ(Str(doc, 0), TrimmedRight(DecodeWindows1252(bytes))) << i;
        EXPECT_EQ(doc.GetIndexKey(i), Str(doc, 0));
        if (i > 1) {
            EXPECT_LE(doc.GetIndexKey(i - 1), doc.GetIndexKey(i));  // ordinal UTF-16 order
        }
    }
}

// ------------------------------------------------------------------------------------------------
// Index

TEST(dBaseDocument, IndexIsOrdinalStableAndSkipsDeleted) {
    TempDir dir;
    auto path = dir / "idx.dbf";
    RawTable raw;
    raw.fields = {{"NAME", 'C', 6}, {"NR", 'N', 3}, {"D", 'D', 8}};
    raw.records = {
        Rec(' ', {"Zoo   ", " 10", "20240101"}),                              // 1
        Rec(' ', {"\x80uro  ", "  9", "        "}),                           // 2: Euro sign U+20AC
        Rec(' ', {"\xFFlf   ", "100", "        "}),                           // 3: y diaeresis U+00FF
        Rec('*', {"Aaa   ", "  1", "        "}),                              // 4: deleted
        Rec(' ', {"Zoo   ", "  9", "        "}),                              // 5: same key as 1
        Rec(' ', {"\x9F", std::string("\0\0\0\0\0", 5), "  9", "        "}),  // 6: Y diaeresis U+0178
        Rec(' ', {"abc   ", "   ", "        "}),                              // 7
        Rec(' ', {"Zoo   ", "  9", "        "}),                              // 8: same key as 1 and 5
    };
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    EXPECT_EQ(doc.GetIndexCount(), 0);
    EXPECT_EQ(doc.BuildIndex(2), -1);  // date field
    ASSERT_EQ(doc.BuildIndex(0), 7);
    EXPECT_EQ(doc.GetIndexCount(), 8);
    EXPECT_EQ(doc.GetIndexRecord(0), 0);  // the placeholder
    EXPECT_EQ(doc.GetIndexKey(0), u"");
    // Ordinal UTF-16: 'Z' < 'a' < U+00FF < U+0178 < U+20AC; equal keys keep record order.
    std::vector<int64_t> order;
    for (int i = 1; i < doc.GetIndexCount(); ++i) order.push_back(doc.GetIndexRecord(i));
    EXPECT_EQ(order, (std::vector<int64_t>{1, 5, 8, 7, 3, 6, 2}));
    EXPECT_EQ(doc.GetIndexKey(5), u"\u00FFlf");
    EXPECT_EQ(doc.GetIndexKey(6), u"\u0178");
    EXPECT_EQ(doc.GetIndexKey(7), u"\u20ACuro");
    EXPECT_EQ(doc.GotoIndex(8), -1);
    EXPECT_EQ(doc.GotoIndex(-1), -1);
    EXPECT_EQ(doc.GotoIndex(0), -1);  // record 0 of the placeholder
    EXPECT_EQ(doc.GotoIndex(4), 7);
    EXPECT_EQ(doc.GetCurrentRecord(), 7);
    EXPECT_EQ(Str(doc, 0), u"abc");

    // Numeric keys compare as text: "10" before "100" before "9"; blank is "0".
    ASSERT_EQ(doc.BuildIndex(1), 7);
    order.clear();
    std::vector<std::u16string> keys;
    for (int i = 1; i < doc.GetIndexCount(); ++i) {
        order.push_back(doc.GetIndexRecord(i));
        keys.push_back(doc.GetIndexKey(i));
    }
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"0", u"10", u"100", u"9", u"9", u"9", u"9"}));
    EXPECT_EQ(order, (std::vector<int64_t>{7, 1, 3, 2, 5, 6, 8}));
}

TEST(dBaseDocument, IndexRestoresTheCurrentRecordAndWritesBack) {
    TempDir dir;
    auto path = dir / "idx2.dbf";
    CdBaseDocument doc;
    DefineAddressTable(doc);
    ASSERT_EQ(doc.CreateTable(path, 0), 1);
    EXPECT_EQ(doc.BuildIndex(0), -1);  // no records
    for (int n = 1; n <= 5; ++n) {
        ASSERT_EQ(doc.WriteRecord(n), n);
        ASSERT_EQ(doc.SetString(0, u"Name " + Ascii(std::to_string(6 - n))), 0);
        ASSERT_EQ(doc.WriteRecord(n), n);
    }
    ASSERT_EQ(doc.ReadRecord(2), 2);
    ASSERT_EQ(doc.SetString(0, u"AAA"), 0);  // not yet written
    ASSERT_EQ(doc.BuildIndex(0), 5);
    EXPECT_EQ(doc.GetCurrentRecord(), 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Str(doc, 0), u"AAA");
    EXPECT_EQ(doc.GetIndexRecord(1), 2);  // the write-back was indexed
    EXPECT_EQ(doc.GetIndexKey(1), u"AAA");

    // Without a current record the last record stays current, as after a pass over every record.
    CdBaseDocument other;
    ASSERT_EQ(other.OpenTable(path), 1);
    ASSERT_EQ(other.BuildIndex(0), 5);
    EXPECT_EQ(other.GetCurrentRecord(), 5);
    EXPECT_EQ(Str(other, 0), u"Name 1");
    other.ResetDefinition();
    EXPECT_EQ(other.GetIndexCount(), 0);
}

TEST(dBaseDocument, IndexOfALargeTableMatchesRecordByRecordReading) {
    // More records than one block of the index build holds.
    TempDir dir;
    auto path = dir / "large.dbf";
    RawTable raw;
    raw.fields = {{"K", 'C', 7}, {"N", 'N', 6}};
    uint32_t x = 12345;
    for (int n = 1; n <= 40000; ++n) {
        x = x * 1103515245u + 12345u;
        std::string k = std::to_string(x % 5000);
        char flag = (x >> 20) % 17 == 0 ? '*' : ' ';
        std::string num = std::to_string(x % 100000);
        raw.records.push_back(Rec(flag, {Pad(k, 7), std::string(6 - num.size(), ' ') + num}));
    }
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    for (int pos : {0, 1}) {
        // Expected: every record read one by one, stable sort by the key text.
        std::vector<std::pair<std::u16string, int>> expected;
        for (int n = 1; n <= doc.GetRecordCount(); ++n) {
            ASSERT_EQ(doc.ReadRecord(n), n);
            if (!doc.IsRecordActive()) continue;
            std::u16string key;
            if (pos == 0) {
                doc.GetString(0, key);
            } else {
                int32_t v = 0;
                doc.GetInteger(1, v);
                key = Ascii(std::to_string(v));
            }
            expected.emplace_back(key, n);
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        ASSERT_EQ(doc.BuildIndex(pos), static_cast<int>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(doc.GetIndexKey(static_cast<int>(i + 1)), expected[i].first);
            ASSERT_EQ(doc.GetIndexRecord(static_cast<int>(i + 1)), expected[i].second);
        }
    }
}

// ------------------------------------------------------------------------------------------------
// Read operations

namespace {

// Table bytes in memory that count the lock calls and reads made on them.
class CCountingFile : public CMemoryFile {
public:
    using CMemoryFile::CMemoryFile;
    int64_t ReadAt(uint64_t offset, void* data, size_t size) override {
        ++reads;
        return CMemoryFile::ReadAt(offset, data, size);
    }
    bool Lock(bool exclusive) override {
        ++(exclusive ? exclusiveLocks : sharedLocks);
        return true;
    }
    int reads = 0, sharedLocks = 0, exclusiveLocks = 0;
};

}  // namespace

TEST(dBaseDocument, ReadOperationTakesTheLockOnceAndReadsTheTableInBlocks) {
    constexpr int kRecords = 3000;  // several blocks of record bytes
    RawTable raw;
    raw.fields = {{"K", 'C', 8}, {"N", 'N', 6}};
    for (int n = 1; n <= kRecords; ++n) {
        const std::string num = std::to_string(n);
        raw.records.push_back(Rec(n % 7 == 0 ? '*' : ' ', {Pad("k" + std::to_string((n * 37) % 1000), 8),
                                                           std::string(6 - num.size(), ' ') + num}));
    }
    auto owned = std::make_unique<CCountingFile>(raw.Build());
    CCountingFile& file = *owned;
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(std::move(owned), "counted.dbf"), 1);

    struct Case {
        const char* what;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"every record in file order",
         [&] {
             for (int32_t n = 1; n <= doc.GetRecordCount(); ++n) {
                 ASSERT_EQ(doc.ReadRecord(n), n);
                 int32_t v = 0;
                 ASSERT_EQ(doc.GetInteger(1, v), 0);
                 ASSERT_EQ(v, n);
                 ASSERT_EQ(doc.IsRecordActive(), n % 7 != 0) << n;
             }
         }},
        {"the index built and read in its order",
         [&] {
             ASSERT_EQ(doc.BuildIndex(0), kRecords - kRecords / 7);
             std::u16string last;
             for (int i = 1; i < doc.GetIndexCount(); ++i) {
                 ASSERT_EQ(doc.GotoIndex(i), doc.GetIndexRecord(i));
                 const std::u16string key = Str(doc, 0);
                 ASSERT_EQ(key, doc.GetIndexKey(i));
                 ASSERT_LE(last, key);
                 last = key;
             }
         }},
        {"a scan",
         [&] { ASSERT_EQ(doc.ScanRecords([](int32_t, const uint8_t*) { return true; }), kRecords); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        file.reads = file.sharedLocks = file.exclusiveLocks = 0;
        {
            CdBaseDocument::CReadOperation operation(doc);
            ASSERT_TRUE(operation.IsLocked());
            c.run();
        }
        EXPECT_EQ(file.sharedLocks, 1);
        EXPECT_EQ(file.exclusiveLocks, 0);
    }
    // In file order the records come in blocks, not one read each.
    file.reads = 0;
    {
        CdBaseDocument::CReadOperation operation(doc);
        for (int32_t n = 1; n <= kRecords; ++n) ASSERT_EQ(doc.ReadRecord(n), n);
    }
    EXPECT_LT(file.reads, kRecords / 50);
    // Without an operation every read still takes the lock for itself.
    file.sharedLocks = 0;
    for (int32_t n = 1; n <= 10; ++n) ASSERT_EQ(doc.ReadRecord(n), n);
    EXPECT_EQ(file.sharedLocks, 10);
}

TEST(dBaseDocument, ReadOperationSeesItsOwnWritesAndTheRecordsThatAreThere) {
    TempDir dir;
    auto path = dir / "own.dbf";
    RawTable raw;
    raw.fields = {{"A", 'C', 4}};
    for (const char* text : {"eins", "zwei", "drei", "vier"}) raw.records.push_back(Rec(' ', {text}));
    raw.endMark = false;
    raw.countOverride = 6;  // claims two records the file does not hold
    WriteBytes(path, raw.Build());
    CdBaseDocument doc;
    ASSERT_EQ(doc.OpenTable(path), 1);
    CdBaseDocument::CReadOperation operation(doc);
    ASSERT_TRUE(operation.IsLocked());
    EXPECT_EQ(doc.GetRecordCount(), 6);
    ASSERT_EQ(doc.ReadRecord(1), 1);  // records 1..4 now stand in the block read ahead
    ASSERT_EQ(doc.ReadRecord(2), 2);
    EXPECT_EQ(doc.ReadRecord(5), -1);
    EXPECT_EQ(doc.GetCurrentRecord(), 0);
    // A record changed and one deleted by this object are read as they are now, not as the block
    // read before the change holds them.
    ASSERT_EQ(doc.ReadRecord(3), 3);
    ASSERT_EQ(doc.SetString(0, u"DREI"), 0);
    ASSERT_EQ(doc.WriteRecord(3), 3);
    ASSERT_EQ(doc.DeleteRecord(4), 1);
    ASSERT_EQ(doc.ReadRecord(3), 3);
    EXPECT_EQ(Str(doc, 0), u"DREI");
    ASSERT_EQ(doc.ReadRecord(4), 4);
    EXPECT_FALSE(doc.IsRecordActive());
    {
        CdBaseDocument::CReadOperation nested(doc);  // nests without a second lock
        EXPECT_TRUE(nested.IsLocked());
        EXPECT_EQ(doc.BuildIndex(0), 3);
    }
    ASSERT_EQ(doc.ReadRecord(2), 2);
    EXPECT_EQ(Str(doc, 0), u"zwei");
}
