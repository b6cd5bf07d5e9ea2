#pragma once
// Helpers of the dBase engine tests: hand-built tables (temporary folders and file bytes come
// from tests/common/TestUtil.h).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/masterdata/dBaseDocument.h"
#include "tests/common/TestUtil.h"

namespace tarvex::dbftest {

using testutil::ReadBytes;
using testutil::TempDir;
using testutil::WriteBytes;

inline std::string Bytes(const std::vector<uint8_t>& data, size_t from, size_t count) {
    return std::string(data.begin() + static_cast<std::ptrdiff_t>(from),
                       data.begin() + static_cast<std::ptrdiff_t>(from + count));
}

struct RawField {
    std::string name;
    char type;
    uint8_t length;
    uint8_t decimals = 0;
};

// Builds the bytes of a table as another program might have written it; the overrides make
// damaged or unusual headers.
struct RawTable {
    uint8_t version = 0x03;
    uint8_t year = 124, month = 5, day = 17;
    std::vector<RawField> fields;
    std::vector<std::string> records;  // each: flag byte + field bytes, exactly the record length
    int64_t countOverride = -1;
    int headerLengthOverride = -1;
    int recordLengthOverride = -1;
    int extraHeaderBytes = 0;  // zero bytes after the 0x0D, counted in the header length
    bool endMark = true;

    uint16_t HeaderLength() const {
        if (headerLengthOverride >= 0) return static_cast<uint16_t>(headerLengthOverride);
        return static_cast<uint16_t>(32 * fields.size() + 33 + extraHeaderBytes);
    }
    uint16_t RecordLength() const {
        if (recordLengthOverride >= 0) return static_cast<uint16_t>(recordLengthOverride);
        unsigned l = 1;
        for (const auto& f : fields) l += f.length;
        return static_cast<uint16_t>(l);
    }
    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> b(32, 0);
        b[0] = version;
        b[1] = year;
        b[2] = month;
        b[3] = day;
        uint32_t count =
            countOverride >= 0 ? static_cast<uint32_t>(countOverride) : static_cast<uint32_t>(records.size());
        for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(count >> (8 * i));
        uint16_t h = HeaderLength(), l = RecordLength();
        b[8] = static_cast<uint8_t>(h);
        b[9] = static_cast<uint8_t>(h >> 8);
        b[10] = static_cast<uint8_t>(l);
        b[11] = static_cast<uint8_t>(l >> 8);
        for (const auto& f : fields) {
            std::vector<uint8_t> d(32, 0);
            for (size_t i = 0; i < f.name.size() && i < 11; ++i) d[i] = static_cast<uint8_t>(f.name[i]);
            d[11] = static_cast<uint8_t>(f.type);
            d[16] = f.length;
            d[17] = f.decimals;
            b.insert(b.end(), d.begin(), d.end());
        }
        b.push_back(0x0D);
        b.insert(b.end(), static_cast<size_t>(extraHeaderBytes), 0);
        for (const auto& r : records) b.insert(b.end(), r.begin(), r.end());
        if (endMark) b.push_back(0x1A);
        return b;
    }
};

// The address table: ADRESS1..ADRESS4 (C 80) and ZOLLNR (C 25).
inline void DefineAddressTable(CdBaseDocument& doc) {
    doc.ResetDefinition();
    doc.AddField(u"Adress1", 'C', 80, 0);
    doc.AddField(u"ADRESS2", 'C', 80, 0);
    doc.AddField(u"ADRESS3", 'C', 80, 0);
    doc.AddField(u"ADRESS4", 'C', 80, 0);
    doc.AddField(u"ZOLLNR", 'C', 25, 0);
}

inline CDbfDate FixedDay() {
    return {2024, 5, 17};
}

}  // namespace tarvex::dbftest
