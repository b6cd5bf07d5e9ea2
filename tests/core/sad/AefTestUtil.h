#pragma once
// Helpers shared by the .aef tests.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/common/Archive.h"
#include "core/sad/EinheitspapierDoc.h"
#include "tests/common/TestUtil.h"

namespace tarvex::aeftest {

inline std::filesystem::path Fixture(const std::string& name) {
    return std::filesystem::path(TARVEX_FIXTURES_DIR) / "aef" / name;
}

using testutil::ReadBytes;
using testutil::TempDir;
using testutil::WriteBytes;

// The beginning of a 2.10 file up to the field-store block.
inline CArchiveWriter Header210(uint16_t sheets = 1, uint32_t formCode = 3) {
    CArchiveWriter w;
    w.WriteRaw("KTW-EHForm@2.10", 15);
    for (int i = 0; i < 16; ++i) w.WriteByte(0xFF);
    w.WriteWord(sheets);
    w.WriteDWord(0);
    w.WriteByte(0);
    w.WriteDWord(formCode);
    return w;
}

// A document of 255 pages with every text and every formatting word set.
inline void FillEverything(CEinheitspapierDoc& doc) {
    doc.SetContinuationCount(254);
    CFieldStore& s = doc.Store();
    for (int p = 1; p <= 255; ++p) {
        const int n = p == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int i = 0; i < n; ++i) {
            s.SetFieldText(i,
                           u"Seite " + std::u16string(1, static_cast<char16_t>(u'A' + p % 26)) +
                               u" Feld \u00e4\u20ac " + std::u16string(static_cast<size_t>(i % 17), u'x') +
                               u"\r\nZweite Zeile",
                           p);
            s.SetFieldFlags(i, p, static_cast<uint16_t>((i % 5) | ((p & 1) << 4) | ((i % 3) << 8)));
        }
    }
    doc.m_nFormVariant = 3;
    doc.m_nInputTax = 1;
    doc.m_nReserved = 0x01020304;
}

}  // namespace tarvex::aeftest
