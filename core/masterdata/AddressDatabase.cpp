#include "core/masterdata/AddressDatabase.h"

#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

void DefineAddressFields(CdBaseDocument& table) {
    table.ResetDefinition();
    table.AddField(u"ADRESS1", 'C', kAddressLineWidth, 0);
    table.AddField(u"ADRESS2", 'C', kAddressLineWidth, 0);
    table.AddField(u"ADRESS3", 'C', kAddressLineWidth, 0);
    table.AddField(u"ADRESS4", 'C', kAddressLineWidth, 0);
    table.AddField(u"ZOLLNR", 'C', kZollNrWidth, 0);
}

std::filesystem::path AddressTablePath(Profile& profile, const std::filesystem::path& dataFolder) {
    std::u16string value = settings::Get(profile, settings::kSettings, settings::kAdressdatenDatei);
    if (value.empty() || value == u"@") {
        value = (dataFolder / std::filesystem::path(kAddressTableFile)).u16string();
        profile.WriteProfileString(settings::kSettings, settings::kAdressdatenDatei.name, value);
    }
    return std::filesystem::path(value);
}

std::u16string AddressText(const CAddressRecord& record) {
    std::u16string text = record.lines[0];
    for (int i = 1; i < kAddressLines; ++i) {
        text += u"\r\n";
        text += record.lines[i];
    }
    return text;
}

CAddressRecord SplitAddressText(std::u16string_view text, std::u16string_view customsNumber,
                                std::vector<std::u16string>* problems, const AddressWidths& widths) {
    FittedLines fitted =
        FitLines(text, std::vector<size_t>(widths.begin(), widths.begin() + kAddressLines), true);
    CAddressRecord r;
    for (int i = 0; i < kAddressLines; ++i) r.lines[i] = fitted.lines[i];
    const uint16_t numberWidth = widths[kFieldZollNr];
    if (size_t bytes = TableBytes(customsNumber); bytes > numberWidth) {
        fitted.problems.push_back(MdArgs(
            mdstr::kFitFieldTooLongFmt,
            {mdstr::kFitCustomsNumber, MdNumber(static_cast<long long>(bytes)), MdNumber(numberWidth)}));
        r.customsNumber = FitToBytes(customsNumber, numberWidth);
    } else {
        r.customsNumber = std::u16string(customsNumber);
    }
    if (problems) *problems = std::move(fitted.problems);
    return r;
}

std::u16string AddressFirstLine(std::u16string_view text) {
    std::vector<std::u16string> lines = MdSplitLines(text);
    std::u16string first = lines.front();
    size_t b = 0;
    while (b < first.size() && IsWideSpace(first[b])) ++b;
    return first.substr(b);
}

AddressWidths CAddressDatabase::FieldWidths() const {
    AddressWidths widths = kAddressWidths;
    if (!m_table.IsOpen() || !m_bLayoutOk) return widths;
    for (int i = 0; i <= kFieldZollNr; ++i) {
        std::u16string name;
        char type = 0;
        uint16_t decimals = 0;
        m_table.GetFieldInfo(i, name, type, widths[static_cast<size_t>(i)], decimals);
    }
    return widths;
}

bool CAddressDatabase::CheckLayout() {
    m_bLayoutOk = false;
    if (m_table.GetFieldCount() < 5) return false;
    for (int i = 0; i < 5; ++i) {
        std::u16string name;
        char type = 0;
        uint16_t length = 0, decimals = 0;
        m_table.GetFieldInfo(i, name, type, length, decimals);
        if (type != 'C') return false;
    }
    m_bLayoutOk = true;
    return true;
}

int CAddressDatabase::OpenOrCreate(IMasterDataHost& host) {
    // On first use the table is simply not there yet: that is a question, not a failure.
    std::error_code ec;
    const bool missing = !std::filesystem::exists(m_path, ec) && !ec;
    if (!missing && m_table.OpenTable(m_path) == 1) {
        if (!CheckLayout())
            host.ShowMessage(MdArgs(mdstr::kWrongAddressLayoutFmt, {m_path.u16string(), u"5"}));
        return 1;
    }
    if (missing) {
        if (!host.AskYesNo(MdArgs(mdstr::kAskCreateMissingFmt, {m_path.u16string()}))) return 0;
    } else {
        host.ReportTableError(m_table.GetFileError());
        if (!host.AskYesNo(mdstr::kAskRecreate)) return 0;
    }
    CTableError error;
    if (!CreateAddressTable(m_path, 0, error)) {
        if (error.IsSet()) host.ReportTableError(error);
        return 0;
    }
    if (m_table.OpenTable(m_path) != 1) {
        host.ReportTableError(m_table.GetFileError());
        return 0;
    }
    CheckLayout();
    return 1;
}

bool CAddressDatabase::CreateAddressTable(const std::filesystem::path& path, int overwrite,
                                          CTableError& error) {
    CdBaseDocument table;
    DefineAddressFields(table);
    // Without overwrite an existing file stays as it is, also one that cannot be read just now.
    std::error_code ec;
    if (overwrite != 1 && (std::filesystem::exists(path, ec) || ec)) {
        error = {};
        return false;
    }
    if (table.CreateTable(path, overwrite) != 1) {
        error = table.GetFileError();
        return false;
    }
    table.CloseTable();
    if (table.OpenTable(path) != 1) {
        error = table.GetFileError();
        return false;
    }
    // The new table starts with one entry, so that the list is never empty.
    if (table.WriteRecord(1) != 1) {
        error = {path, "Fehler beim Schreiben.", ""};
        return false;
    }
    table.ReadRecord(1);
    table.SetString(kFieldAdress1, mdstr::kFirstEntry);
    for (int i = 1; i <= kFieldZollNr; ++i) table.SetString(i, u"");
    if (table.WriteRecord(1) != 1) {
        error = {path, "Fehler beim Schreiben.", ""};
        return false;
    }
    return true;
}

std::vector<CAddressDatabase::Entry> CAddressDatabase::ReadEntries() {
    std::vector<Entry> entries;
    if (!m_table.IsOpen() || !m_bLayoutOk) return entries;
    const int32_t count = m_table.GetRecordCount();
    entries.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    m_table.ScanRecords([&](int32_t n, const uint8_t* record) {
        Entry e{n, {}};
        m_table.GetStringOf(record, kFieldAdress1, e.name);
        entries.push_back(std::move(e));
        return true;
    });
    return entries;
}

std::vector<CAddressRecord> CAddressDatabase::ReadAll() {
    std::vector<CAddressRecord> all;
    if (!m_table.IsOpen() || !m_bLayoutOk) return all;
    m_table.GetRecordCount();
    m_table.ScanRecords([&](int32_t, const uint8_t* record) {
        CAddressRecord r;
        for (int i = 0; i < kAddressLines; ++i) m_table.GetStringOf(record, i, r.lines[i]);
        m_table.GetStringOf(record, kFieldZollNr, r.customsNumber);
        all.push_back(std::move(r));
        return true;
    });
    return all;
}

bool CAddressDatabase::ReadAddress(int32_t record, CAddressRecord& out) {
    if (!m_bLayoutOk || m_table.ReadRecord(record) != record) return false;
    for (int i = 0; i < kAddressLines; ++i) m_table.GetString(i, out.lines[i]);
    m_table.GetString(kFieldZollNr, out.customsNumber);
    return true;
}

int32_t CAddressDatabase::WriteAddress(int32_t record, const CAddressRecord& address) {
    if (!m_bLayoutOk) return -1;
    const int32_t count = m_table.GetRecordCount();
    if (record < 1 || record > count + 1) return -1;
    // Every value must fit before the buffer is touched: a half-changed buffer would be written
    // back into whatever record it holds by the next read.
    for (int i = 0; i <= kFieldZollNr; ++i) {
        std::u16string name;
        char type = 0;
        uint16_t length = 0, decimals = 0;
        m_table.GetFieldInfo(i, name, type, length, decimals);
        const std::u16string& value = i < kAddressLines ? address.lines[i] : address.customsNumber;
        if (TableBytes(value) > length) return -1;
    }
    // An existing record is read first, so that fields beyond the five keep their bytes; a new one
    // starts from the record read last and gets every one of the five fields below.
    if (record <= count && m_table.ReadRecord(record) != record) return -1;
    if (record > count && m_table.GetCurrentRecord() == 0 && count >= 1) m_table.ReadRecord(1);
    bool ok = true;
    // A table without records has no buffer to fill yet (the fields refuse values then).
    if (m_table.GetCurrentRecord() != 0) {
        for (int i = 0; i < kAddressLines && ok; ++i) ok = m_table.SetString(i, address.lines[i]) == 0;
        ok = ok && m_table.SetString(kFieldZollNr, address.customsNumber) == 0;
    }
    int32_t written = -1;
    if (m_table.GetCurrentRecord() == 0 && ok) {
        // An empty table has no record to start from: append a blank one, then fill it.
        written = m_table.WriteRecord(record);
        if (written > 0) {
            for (int i = 0; i < kAddressLines && ok; ++i) ok = m_table.SetString(i, address.lines[i]) == 0;
            ok = ok && m_table.SetString(kFieldZollNr, address.customsNumber) == 0;
            written = ok ? m_table.WriteRecord(written) : -1;
        }
    } else if (ok) {
        written = m_table.WriteRecord(record);
    }
    if (written < 1) m_table.DiscardBuffer();
    return written;
}

}  // namespace tarvex
