#pragma once
// The dBase III table engine: one open table, its field list and one record buffer.
// Every write goes to the file at once; records are read from the file on every access, so that
// what another instance of the program writes into the same table is seen at once.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/masterdata/TableFile.h"

namespace tarvex {

// Results of the field accessors (0 = success).
inline constexpr int kDbfNoRecord = -2;         // no current record
inline constexpr int kDbfWrongType = -3;        // the field has another type
inline constexpr int kDbfHasDecimals = -5;      // integer access to a numeric field with decimals
inline constexpr int kDbfNoDecimals = -6;       // decimal store into a numeric field without decimals
inline constexpr int kDbfLogicalDecimals = -7;  // logical field that declares decimals
inline constexpr int kDbfTooWide = -8;          // the value is wider than the field
inline constexpr int kDbfBadDate = -9;          // invalid date

inline constexpr uint16_t kDbfMaxRecordLength = 4000;

// What the framework's failed-open report shows: the path, the report's text and the cause.
struct CTableError {
    std::filesystem::path path;
    std::string message;  // "Fehler beim Öffnen des Dokuments." or "Unerwartetes Dateiformat."
    std::string cause;    // the system's cause or what is wrong with the header
    bool IsSet() const { return !message.empty(); }
    // One line: "<path>: <message> <cause>".
    std::string Text() const;
};

class CdBaseDocument {
public:
    CdBaseDocument();
    ~CdBaseDocument();
    CdBaseDocument(const CdBaseDocument&) = delete;
    CdBaseDocument& operator=(const CdBaseDocument&) = delete;

    // --- definition and lifecycle
    void ResetDefinition();
    // Upper-cases the name and appends the field; returns the new field count. The limits
    // (name 1..10 characters, length 1..255, record length <= 4000) are checked by CreateTable.
    int AddField(std::u16string_view name, char type, uint16_t length, uint16_t decimals);
    // 1 on success; 0 when the file exists and overwrite is not 1 (nothing changed), or when the
    // file cannot be created (GetFileError() tells why).
    int CreateTable(const std::filesystem::path& path, int overwrite);
    // 1 on success; 0 with GetFileError() set when the file cannot be opened or is no dBase III
    // table (versions 0x03 and 0x83) with a sound header.
    int OpenTable(const std::filesystem::path& path);
    // The same for reading only (listing a table the user may not write); writes answer -1.
    int OpenTableReadOnly(const std::filesystem::path& path);
    // The same on bytes supplied by the caller (memory tables for fuzzing and tests); path only
    // names the table in reports.
    int OpenTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path);
    int CreateTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path);
    void CloseTable();
    bool IsOpen() const { return m_pFile != nullptr; }
    const std::filesystem::path& GetTablePath() const { return m_strTablePath; }
    // Why the last OpenTable or CreateTable failed; cleared by a successful one.
    const CTableError& GetFileError() const { return m_fileError; }

    // --- header
    // Re-reads the header and descriptors from the file (records appended by another process
    // are seen), then returns the record count.
    int32_t GetRecordCount();
    uint16_t GetFieldCount() const { return m_nFieldCount; }
    uint16_t GetHeaderLength() const { return m_nHeaderLength; }
    uint16_t GetRecordLength() const { return m_nRecordLength; }
    uint8_t GetVersion() const { return m_nVersion; }
    // Last-update date of the header as stored: year counted from 1900.
    int GetUpdateYear() const { return m_nUpdateYear; }
    int GetUpdateMonth() const { return m_nUpdateMonth; }
    int GetUpdateDay() const { return m_nUpdateDay; }
    // position, or -1 when position >= field count.
    int GetFieldInfo(int position, std::u16string& name, char& type, uint16_t& length,
                     uint16_t& decimals) const;

    // --- records
    int ReadRecord(int32_t n);
    // n or -1. Writing record count + 1 appends after the records the file holds at that moment
    // (another instance may have appended since this object last counted) and returns the
    // record's real number.
    int WriteRecord(int32_t n);
    int DeleteRecord(int32_t n);
    // Makes the buffer a blank, active record to be appended: its fields can be set, and
    // WriteRecord(GetRecordCount() + 1) appends it in one write. The number it would get now, or
    // -1 without an open table.
    int32_t NewRecord();
    // Appends whole records (record length bytes each, laid out as RecordBuffer()) under the
    // table's lock: all records in one write after those the file holds now, flushed, and only then
    // the header with the new count, so that a failure or a crash at any point leaves the table
    // with its old records only. The number of records appended, -1 when nothing was (no open
    // table, a field list that is not the file's, no lock, a failed write).
    int64_t AppendRecords(const std::vector<uint8_t>& records);
    // The table's lock for writing, held until the result goes: a record read, compared and
    // written back under it cannot be changed by another instance in between. nullptr without an
    // open table or when the lock cannot be taken.
    std::unique_ptr<CTableLock> LockForWriting();
    bool IsRecordActive() const { return m_recordBuffer[0] == ' '; }
    int32_t GetCurrentRecord() const { return m_nCurrentRecord; }
    void SetWriteThrough(bool on) { m_bWriteThrough = on ? 1 : 0; }
    bool IsModified() const { return m_bModified != 0; }
    // Forgets the buffer's unsaved changes and the current record, so that no later read writes
    // them back (after a write failed, the buffer may hold another record's number).
    void DiscardBuffer() {
        m_bModified = 0;
        m_nCurrentRecord = 0;
    }

    // --- field accessors (codes above; a position outside the field list throws
    // std::invalid_argument)
    int GetString(int position, std::u16string& value) const;
    int SetString(int position, std::u16string_view value);
    int GetInteger(int position, int32_t& value) const;
    int SetInteger(int position, int32_t value);
    int GetDouble(int position, double& value) const;
    int SetDouble(int position, double value);
    // DD.MM.YYYY or the empty text.
    int GetDate(int position, std::u16string& value) const;
    int SetDate(int position, int day, int month, int year);
    int SetDate(int position, std::u16string_view dayMonthYear);
    // 1 / 0 or a code.
    int GetLogical(int position) const;
    int SetLogical(int position, int flag);

    // --- one read operation (a listing, an index build, a dialog's load)
    // Holds the table's shared lock from construction to destruction: the record count and the
    // file size are checked once when the outermost operation starts, records are then read without
    // a lock call each, and records read in file order come from block reads. No other instance
    // can write the table meanwhile, so an operation lasts no longer than the work it does (never
    // across a user's input). Writes through this object stay possible; operations nest.
    class CReadOperation {
    public:
        explicit CReadOperation(CdBaseDocument& doc) : m_doc(doc), m_bLocked(doc.BeginRead()) {}
        ~CReadOperation() {
            if (m_bLocked) m_doc.EndRead();
        }
        CReadOperation(const CReadOperation&) = delete;
        CReadOperation& operator=(const CReadOperation&) = delete;
        // False without an open table or when the lock could not be had (reads then lock one by one).
        bool IsLocked() const { return m_bLocked; }

    private:
        CdBaseDocument& m_doc;
        bool m_bLocked;
    };

    // --- reading many records at once
    // Hands the bytes of records 1..record count (deletion flag first, record length bytes) to
    // visit in file order, reading the record area in large blocks: one read call per block, not
    // per record. visit returns false to stop. The record buffer and the current record are left
    // alone; a modified buffer is written back first, as ReadRecord would. A record that is not
    // wholly in the file ends the pass. Returns the number of records handed over, -1 without an
    // open table or when the first block cannot be read.
    int64_t ScanRecords(const std::function<bool(int32_t n, const uint8_t* record)>& visit);
    // A C field of record bytes handed over by ScanRecords, decoded as GetString decodes; codes
    // as GetString (-3 for another type).
    int GetStringOf(const uint8_t* record, int position, std::u16string& value) const;

    // --- in-memory index by one C or N field; element 0 is a placeholder
    // Number of entries (>= 0), or -1 for another type or a table without records.
    int BuildIndex(int position);
    int GetIndexCount() const { return static_cast<int>(m_index.size()); }
    int GotoIndex(int i);
    std::u16string GetIndexKey(int i) const;
    // Record number stored at index element i, -1 outside the list.
    int64_t GetIndexRecord(int i) const;

    // The record buffer (byte 0 is the deletion flag), for tests and inspection.
    const uint8_t* RecordBuffer() const { return m_recordBuffer.data(); }
    // Clock for the header's update date; tests set a fixed day.
    void SetDateProvider(std::function<CDbfDate()> provider) { m_today = std::move(provider); }

    // Date text normalisation of GetDate and SetDate: "d.m.y" -> "DD.MM.YYYY" or "".
    static std::u16string NormaliseDate(std::u16string_view text);

private:
    // Keys are kept as their bytes mapped to the rank of the byte's UTF-16 code unit (see
    // BuildIndex), in one block; an entry carries the first 16 of them for quick comparisons.
    struct IndexEntry {
        uint64_t prefix[2];
        uint64_t offset;  // of the key in m_indexKeys
        uint32_t length;
        uint32_t record;
    };

    void CloseFile();
    bool BeginRead();
    void EndRead();
    // Forgets the block of records read ahead (after this object wrote to the table).
    void DropReadBlock() { m_nBlockRecords = 0; }
    int AttachTable(std::unique_ptr<CTableFile> file, const std::filesystem::path& path);
    int OpenDiskTable(const std::filesystem::path& path, bool readOnly);
    // ReadRecord's read inside an operation: bytes put into the record buffer, or -1.
    int64_t ReadInOperation(int32_t n);
    void RecomputeOffsets();
    bool ValidDefinition(std::string& cause) const;
    // 3 / 0x83 when the header was read and taken over; 0 when it was refused (cause set).
    int ReadHeader(std::string* cause);
    bool WriteHeader();
    uint64_t RecordOffset(int64_t n) const {
        return m_nHeaderLength + static_cast<uint64_t>(n - 1) * m_nRecordLength;
    }
    void CheckPosition(int position) const;
    uint8_t* Field(int position) { return m_recordBuffer.data() + m_fieldOffsets[position]; }
    const uint8_t* Field(int position) const { return m_recordBuffer.data() + m_fieldOffsets[position]; }
    int CheckAccess(int position, char type) const;
    void StoreDone();
    void PutField(int position, std::string_view bytes, char pad);
    int32_t ParseInteger(int position) const;

    // The table's state.
    std::filesystem::path m_strTablePath;
    std::unique_ptr<CTableFile> m_pFile;
    CTableError m_fileError;
    uint8_t m_nVersion = 0;
    int16_t m_nUpdateYear = 0, m_nUpdateMonth = 0, m_nUpdateDay = 0;
    uint16_t m_nHeaderLength = 0;
    uint16_t m_nRecordLength = kDbfMaxRecordLength;
    uint16_t m_nFieldCount = 0;
    int32_t m_nRecordCount = 0;
    std::vector<std::u16string> m_fieldNames;
    std::vector<char> m_fieldTypes;
    std::vector<uint16_t> m_fieldLengths;
    std::vector<uint16_t> m_fieldDecimals;
    std::array<uint8_t, kDbfMaxRecordLength + 1> m_recordBuffer{};
    int m_bCurrentActive = 0;
    int32_t m_nCurrentRecord = 0;
    int m_bWriteThrough = 0;
    int m_bModified = 0;
    std::vector<IndexEntry> m_index;
    std::string m_indexKeys;

    // Kept beside the table state: field offsets, the layout read from the file, buffers, clock.
    std::vector<uint32_t> m_fieldOffsets;  // offset of each field in the record
    // Header and record length as the file lays out its records: kept when the header is written
    // again, so that a table with padding after the descriptors or inside its records (which the
    // reader accepts) is not shifted by an append.
    bool m_bLayoutFromFile = false;
    std::vector<uint8_t> m_headerBytes;  // descriptors as last read or written (skip re-parsing)
    std::vector<uint8_t> m_scratch;
    std::function<CDbfDate()> m_today;

    // The read operation in progress: its depth, the records wholly in the file when it started
    // (or written since by this object), and the block of records read ahead in file order.
    int m_nReadDepth = 0;
    int32_t m_nReadable = 0;
    std::vector<uint8_t> m_readBlock;
    int32_t m_nBlockFirst = 0;
    int32_t m_nBlockRecords = 0;
    int32_t m_nLastRead = 0;
};

}  // namespace tarvex
