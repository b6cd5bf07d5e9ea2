#pragma once
// The address database on "Adress1.dbf": the table's fields, the path rule, conversion between a
// record and the dialog's address text, and the table operations of the address dialog. The
// dialog only shows what this class reads and hands its edits back here.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/masterdata/dBaseDocument.h"

namespace tarvex {

class Profile;

inline constexpr int kAddressLines = 4;
inline constexpr uint16_t kAddressLineWidth = 80;
inline constexpr uint16_t kZollNrWidth = 25;
// Field positions (fields are addressed by position, never by name).
inline constexpr int kFieldAdress1 = 0;
inline constexpr int kFieldZollNr = 4;
inline constexpr char16_t kAddressTableFile[] = u"Adress1.dbf";

// What the table code asks of the user: the engine's failure report and yes/no questions.
class IMasterDataHost {
public:
    virtual ~IMasterDataHost() = default;
    virtual void ReportTableError(const CTableError& error) = 0;
    virtual void ShowMessage(const std::u16string& text) = 0;
    virtual bool AskYesNo(const std::u16string& text) = 0;
};

// ADRESS1..ADRESS4 (C 80), ZOLLNR (C 25).
void DefineAddressFields(CdBaseDocument& table);

// "AdressdatenDatei" of section "Settings"; when empty or "@" the data folder plus "Adress1.dbf",
// written back to the key at once.
std::filesystem::path AddressTablePath(Profile& profile, const std::filesystem::path& dataFolder);

struct CAddressRecord {
    std::array<std::u16string, kAddressLines> lines;
    std::u16string customsNumber;
};

// The dialog's text of a record: the four lines with three CR LF between them, always.
std::u16string AddressText(const CAddressRecord& record);
// Widths of the four address fields and ZOLLNR.
using AddressWidths = std::array<uint16_t, kAddressLines + 1>;
inline constexpr AddressWidths kAddressWidths = {kAddressLineWidth, kAddressLineWidth, kAddressLineWidth,
                                                 kAddressLineWidth, kZollNrWidth};

// A dialog's text as the table stores it: each line without its leading white space, at most four
// lines of the fields' widths (80 bytes unless the table says otherwise); `problems` lists what
// does not fit, naming the line (empty when everything does).
CAddressRecord SplitAddressText(std::u16string_view text, std::u16string_view customsNumber,
                                std::vector<std::u16string>* problems = nullptr,
                                const AddressWidths& widths = kAddressWidths);
// The first line as a new record's name: up to the first line break, leading white space removed.
std::u16string AddressFirstLine(std::u16string_view text);

class CAddressDatabase {
public:
    explicit CAddressDatabase(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }
    CdBaseDocument& Table() { return m_table; }

    // 1 when the table is open. A table that is not there yet is offered with one plain question;
    // one that cannot be opened gets the engine's report and the question whether to create it
    // anew. A new table holds the record "Erster Eintrag".
    int OpenOrCreate(IMasterDataHost& host);
    // False (with the host told) when the open table lacks the five text fields; it is then only
    // listed, never written.
    bool HasAddressLayout() const { return m_bLayoutOk; }
    // The widths of the open table's five fields (a table made elsewhere may have narrower ones).
    AddressWidths FieldWidths() const;
    void CloseTable() { m_table.CloseTable(); }

    struct Entry {
        int32_t record;
        std::u16string name;  // ADRESS1
    };
    // Every record (deleted ones too) in file order, read in one pass over the table's blocks;
    // none from a table of another layout.
    std::vector<Entry> ReadEntries();
    // Every record in full, for the search.
    std::vector<CAddressRecord> ReadAll();

    bool ReadAddress(int32_t record, CAddressRecord& out);
    // Writes a record (count + 1 appends); the record's number, or -1 when nothing could be
    // written (the caller keeps the entry and tells the user).
    int32_t WriteAddress(int32_t record, const CAddressRecord& address);

    // Creates the table with the five fields (overwrite 1 replaces an existing file) and the
    // record "Erster Eintrag"; false with the engine's error when that fails.
    static bool CreateAddressTable(const std::filesystem::path& path, int overwrite, CTableError& error);

    // Checks the open table's first five fields; OpenOrCreate calls it, a caller that opens
    // Table() itself calls it after.
    bool CheckLayout();

private:
    std::filesystem::path m_path;
    CdBaseDocument m_table;
    bool m_bLayoutOk = false;
};

}  // namespace tarvex
