// libFuzzer target of the dBase table engine: the input is a table file, opened from memory. Every
// record and every field is read through every accessor, the index is built over the C and N
// fields, then records are changed, appended and deleted, and the changed bytes must open again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/masterdata/dBaseDocument.h"

using namespace tarvex;

namespace {

void ReadAllFields(CdBaseDocument& doc) {
    const int fields = doc.GetFieldCount();
    std::u16string s;
    for (int f = 0; f < fields; ++f) {
        int32_t i = 0;
        double d = 0;
        doc.GetString(f, s);
        doc.GetInteger(f, i);
        doc.GetDouble(f, d);
        doc.GetDate(f, s);
        doc.GetLogical(f);
    }
}

// Every record the table holds; a header may claim more than the file has, then the first read
// that fails ends the walk (all later ones fail as well).
int32_t ReadAllRecords(CdBaseDocument& doc) {
    const int32_t count = doc.GetRecordCount();
    int32_t n = 1;
    for (; n <= count; ++n) {
        if (doc.ReadRecord(n) != n) break;
        doc.IsRecordActive();
        ReadAllFields(doc);
    }
    return n - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CdBaseDocument doc;
    doc.SetDateProvider([] { return CDbfDate{2024, 5, 17}; });
    auto file = std::make_unique<CMemoryFile>(std::vector<uint8_t>(data, data + size), size + (1 << 20));
    CMemoryFile* mem = file.get();
    if (!doc.OpenTable(std::move(file), "fuzz.dbf")) {
        if (doc.GetFileError().message.empty()) std::abort();  // a refused table always says why
        return 0;
    }
    const int fields = doc.GetFieldCount();
    for (int f = 0; f < fields; ++f) {
        std::u16string name;
        char type;
        uint16_t length, decimals;
        if (doc.GetFieldInfo(f, name, type, length, decimals) != f) std::abort();
    }
    const int32_t readable = ReadAllRecords(doc);

    // The index over (at most eight) C and N fields; every entry leads to a readable record.
    int indexed = 0;
    for (int f = 0; f < fields && indexed < 8; ++f) {
        std::u16string name;
        char type;
        uint16_t length, decimals;
        doc.GetFieldInfo(f, name, type, length, decimals);
        int entries = doc.BuildIndex(f);
        if (type != 'C' && type != 'N') {
            if (entries != -1) std::abort();
            continue;
        }
        ++indexed;
        if (entries > readable) std::abort();
        for (int i = 1; i < doc.GetIndexCount(); ++i) {
            if (doc.GotoIndex(i) != doc.GetIndexRecord(i)) std::abort();
            if (!doc.IsRecordActive()) std::abort();
            doc.GetIndexKey(i);
        }
    }

    // Writes: store into every field of record 1, write it back, append a record, delete one.
    if (readable >= 1 && doc.ReadRecord(1) == 1) {
        for (int f = 0; f < fields; ++f) {
            doc.SetString(f, u"Fuzz \u00e4\u20ac");
            doc.SetInteger(f, static_cast<int32_t>(size));
            doc.SetDouble(f, -1.5);
            doc.SetDate(f, u"1.2.2024");
            doc.SetDate(f, 0, 0, 0);
            doc.SetLogical(f, 1);
        }
        doc.WriteRecord(1);
        const int32_t count = doc.GetRecordCount();
        if (readable == count) {
            // Only where every counted record is there can an append follow the last one.
            if (doc.WriteRecord(count + 1) != count + 1) std::abort();
        }
        doc.DeleteRecord(1);
        ReadAllRecords(doc);
    }

    // What the engine wrote must open again.
    CdBaseDocument again;
    if (!again.OpenTable(std::make_unique<CMemoryFile>(mem->Data()), "again.dbf")) std::abort();
    ReadAllRecords(again);
    return 0;
}
