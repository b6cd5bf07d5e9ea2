// libFuzzer target: large, valid-looking documents of every version of both formats, built from
// a short description in the fuzz input (format, version, counts, text lengths, encodings), then
// optionally damaged at a few places and read. Byte-level fuzzing never grows inputs to the size
// of a real document; here a few hundred bytes describe megabytes. Besides crashes it stops on a
// document whose texts take more memory than 4 x the file + 32 MB, and on a save that does not
// read back.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/common/Archive.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/FieldStore.h"
#include "core/sad/AefFormat.h"
#include "core/sad/AefLegacy.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/settings/Profile.h"

using namespace tarvex;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The description, read from the front; past its end every value is 0.
class Knobs {
public:
    Knobs(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    uint32_t DWord() { return Word() | (static_cast<uint32_t>(Word()) << 16); }
    bool More() const { return m_pos < m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// How the texts of a list are made: most short or empty, some long, in one of the encodings.
struct TextPlan {
    uint8_t mode = 0;         // 0 empty, 1 short, 2 medium, 3 mixed
    bool narrow = false;      // 8-bit strings without the wide marker, as old files have them
    uint32_t longLength = 0;  // the length of the long texts
    uint16_t longEvery = 0;   // every n-th text is long (0: none)
    uint16_t longFirst = 0;   // and these first-sheet entries: 3, 4, 6, 11, 12 when bit 0 of mask
    uint8_t mask = 0;

    static TextPlan From(Knobs& k) {
        TextPlan p;
        const uint8_t b = k.Byte();
        p.mode = b & 3;
        p.narrow = (b & 4) != 0;
        // Up to a megabyte per text, most of the time far less.
        const uint32_t raw = k.DWord();
        p.longLength = (b & 8) ? raw % (1u << 20) : raw % 4096;
        p.longEvery = k.Word();
        p.mask = k.Byte();
        return p;
    }
};

void WriteNarrow(CArchiveWriter& w, size_t length, char fill) {
    if (length < 0xFF) {
        w.WriteByte(static_cast<uint8_t>(length));
    } else if (length < 0xFFFE) {
        w.WriteByte(0xFF);
        w.WriteWord(static_cast<uint16_t>(length));
    } else {
        w.WriteByte(0xFF);
        w.WriteWord(0xFFFF);
        w.WriteDWord(static_cast<uint32_t>(length));
    }
    w.Data().insert(w.Data().end(), length, static_cast<uint8_t>(fill));
}

size_t TextLength(const TextPlan& p, size_t i, bool firstSheet) {
    if (firstSheet && (p.mask & 1) && (i == 3 || i == 4 || i == 6 || i == 11 || i == 12)) return p.longLength;
    if (p.longEvery != 0 && i % p.longEvery == 0) return p.longLength;
    switch (p.mode) {
        case 0:
            return 0;
        case 1:
            return 1 + i % 8;
        case 2:
            return 20 + i % 60;
        default:
            return i % 3 == 0 ? 0 : 1 + i % 40;
    }
}

// What one document's texts may take in the file: far beyond any real declaration, yet small
// enough that the reader's own memory, not the generator's, is what the RSS limit watches.
constexpr size_t kTextBudget = 6u << 20;

void WriteTexts(CArchiveWriter& w, const TextPlan& p, size_t count, bool firstSheet) {
    w.WriteCount(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const size_t used = w.Data().size();
        const size_t left = used < kTextBudget ? (kTextBudget - used) / 2 : 0;
        const size_t length = std::min(TextLength(p, i, firstSheet), left);
        const char fill = static_cast<char>('a' + i % 26);
        if (p.narrow) {
            WriteNarrow(w, length, fill);
        } else {
            // With CR LF now and then, as multi-line boxes hold them.
            std::u16string t(length, static_cast<char16_t>(fill));
            if (length > 4 && (p.mask & 2)) {
                t[length / 2] = u'\r';
                t[length / 2 + 1] = u'\n';
            }
            w.WriteString(t);
        }
    }
}

void WriteWords(CArchiveWriter& w, size_t count, uint16_t word) {
    w.WriteCount(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) w.WriteWord(word);
}

// The field-store block: n1 first-sheet fields, pages pages of n2 fields each after the first.
void WriteBlock(CArchiveWriter& w, Knobs& k, const TextPlan& p, uint16_t n1, uint16_t n2, int pages) {
    const uint8_t shape = k.Byte();
    // Now and then a count that does not match, a single-page block or another version.
    const size_t texts1 = (shape & 1) ? k.Word() % 2000 : n1;
    w.WriteWord((shape & 2) ? k.Word() : 0x1206);
    w.WriteWord((shape & 4) ? k.Byte() % 4 : 2);
    WriteTexts(w, p, texts1, true);
    WriteWords(w, texts1, 3);
    if (shape & 8) {
        w.WriteWord(kPageModeSingle);
        w.WriteWord(0);
        WriteWords(w, 0, 0);
        WriteWords(w, 0, 0);
        return;
    }
    w.WriteWord(static_cast<uint16_t>(kPageModeMulti + (pages & 0xFF)));
    w.WriteWord(n2);
    const size_t texts2 = static_cast<size_t>(n2) * static_cast<size_t>(std::max(0, pages - 1));
    WriteTexts(w, p, texts2, false);
    WriteWords(w, texts2, (shape & 16) ? k.Word() : 2);
}

enum class Kind { Aef, Fdv };

std::vector<uint8_t> BuildAef(Knobs& k, uint8_t version) {
    static constexpr const char* kSignatures[] = {"KTW-AEForm@1.00", "KTW-AEForm@1.10", "KTW-AEForm@1.20",
                                                  "KTW-AEForm@1.41", "KTW-AEForm@1.50", "KTW-AEForm@1.51",
                                                  "KTW-EHForm@2.00", "KTW-EHForm@2.10"};
    const int v = version % 8;
    CArchiveWriter w;
    w.WriteRaw(kSignatures[v], kAefSignatureLength);
    const uint16_t sheets = k.Word() % 300;  // beyond 254 sometimes: refused, never crashed
    const TextPlan p = TextPlan::From(k);
    const uint8_t counts = k.Byte();
    switch (v) {
        case 0:
            break;
        case 1: {
            w.WriteWord(k.Byte());
            w.WriteWord(0);
            WriteTexts(w, p, (counts & 1) ? k.Word() % 2000 : kLegacy110Texts, true);
            break;
        }
        case 2:
        case 3:
        case 4:
        case 5: {
            w.WriteWord(0);
            w.WriteWord(sheets);
            w.WriteByte(k.Byte());
            w.WriteByte(0);
            if (v == 5) {
                const uint8_t n = k.Byte() % 64;
                w.WriteByte(n);
                for (int i = 0; i < n; ++i) w.WriteByte(k.Byte() % 4);
            }
            if (v >= 4) w.WriteDWord(k.Byte() % 12);
            WriteTexts(w, p, (counts & 1) ? k.Word() % 400 : kLegacyFirstSheetTexts, true);
            size_t texts2 = static_cast<size_t>(kLegacySheetTexts) * sheets;
            if (counts & 2) texts2 = texts2 > 0 ? texts2 - 1 - k.Byte() % 8 % texts2 : k.Word();
            WriteTexts(w, p, std::min<size_t>(texts2, kMaxTextsInList), false);
            break;
        }
        default: {
            for (int i = 0; i < 16; ++i) w.WriteByte(0xFF);
            w.WriteWord(sheets);
            w.WriteDWord(0);
            w.WriteByte(k.Byte());
            w.WriteDWord(k.Byte() % 12);
            const bool old = v == 6;
            WriteBlock(w, k, p, old ? 120 : kSadFields1, old ? 200 : kSadFields2, std::min(sheets + 1, 255));
            if (!old) w.WriteByte('@');
        }
    }
    return std::move(w.Data());
}

std::vector<uint8_t> BuildFdv(Knobs& k, uint8_t version) {
    static constexpr const char* kSignatures[] = {"KTW-DV1Form@1.00", "KTW-DV1Form@1.01", "KTW-DV1Form@1.10",
                                                  "KTW-DV1Form@3.00", "KTW-DV1Form@2.00"};
    const int v = version % 5;
    CArchiveWriter w;
    w.WriteRaw(kSignatures[v], kFdvSignatureLength);
    const uint16_t pages = k.Word() % 300;
    const TextPlan p = TextPlan::From(k);
    const uint8_t counts = k.Byte();
    auto checks = [&](bool list) {
        const size_t n = (counts & 4) ? k.Byte() % 20 : kDv1Checks;
        if (list) w.WriteCount(static_cast<uint32_t>(n));
        for (size_t i = 0; i < n; ++i) w.WriteByte(k.Byte() & 1);
    };
    switch (v) {
        case 0:
            WriteTexts(w, p, (counts & 1) ? k.Byte() : kDv1Fields1, true);
            WriteTexts(w, p, (counts & 2) ? k.Byte() : 56, false);
            checks(false);
            break;
        case 1:
        case 2: {
            w.WriteWord(pages);
            const size_t perPage = v == 2 ? kDv1Fields2 : 56;
            WriteTexts(w, p, (counts & 1) ? k.Byte() : kDv1Fields1, true);
            size_t texts2 = perPage * static_cast<size_t>(std::max(0, pages - 1));
            if (counts & 2) texts2 = k.Word();
            WriteTexts(w, p, std::min<size_t>(texts2, kMaxTextsInList), false);
            checks(true);
            break;
        }
        case 3: {
            w.WriteWord((counts & 8) ? k.Word() : kFdvVersion);
            w.WriteDWord(0);
            for (int i = 0; i < 10; ++i) w.WriteByte(0xFF);
            w.WriteStringList({u"RECHNER", u"Sachbearbeiter"});
            WriteBlock(w, k, p, kDv1Fields1, kDv1Fields2, std::clamp<int>(pages, 1, 255));
            checks(true);
            w.WriteByte('@');
            break;
        }
        default:
            break;
    }
    return std::move(w.Data());
}

// Flips, overwrites or cuts a few places, so that damaged variants of large documents are read too.
void Damage(Knobs& k, std::vector<uint8_t>& bytes) {
    const uint8_t n = k.Byte() % 4;
    for (int i = 0; i < n && !bytes.empty(); ++i) {
        const uint8_t op = k.Byte();
        const size_t at = k.DWord() % bytes.size();
        if (op % 3 == 0)
            bytes[at] ^= static_cast<uint8_t>(k.Byte() | 1);
        else if (op % 3 == 1)
            bytes[at] = 0xFF;
        else
            bytes.resize(at);
    }
}

// What the store's texts take: the characters and a string object each.
size_t TextMemory(const CFieldStore& s) {
    size_t total = 0;
    for (const auto* texts : {&s.Texts1(), &s.Texts2()})
        for (const std::u16string& t : *texts) total += sizeof(std::u16string) + 2 * t.size();
    return total;
}

void CheckBound(const CFieldStore& s, size_t fileSize) {
    Check(TextMemory(s) <= 4 * fileSize + (32u << 20));
}

size_t g_largest = 0;

void ReportLargest() {
    std::fprintf(stderr, "fuzz_documents: largest document built: %zu bytes\n", g_largest);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(ReportLargest);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Knobs k(data, size);
    const uint8_t head = k.Byte();
    const Kind kind = (head & 0x80) ? Kind::Fdv : Kind::Aef;
    std::vector<uint8_t> bytes = kind == Kind::Aef ? BuildAef(k, head) : BuildFdv(k, head);
    Damage(k, bytes);
    g_largest = std::max(g_largest, bytes.size());
    std::string error;

    if (kind == Kind::Aef) {
        static CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        const bool ok = ReadAef(bytes, doc, error);
        Check(ok || !error.empty());
        const CFieldStore& s = doc.Store();
        Check(s.GetPageCount() >= 1 && s.GetPageCount() <= kMaxPages);
        Check(doc.m_nContinuationCount == s.GetPageCount() - 1);
        Check(doc.m_legacyTexts1.empty() && doc.m_legacyTexts2.empty());
        CheckBound(s, bytes.size());
        if (!ok || doc.m_nLoadStatus != 0) return 0;
        // Saves and reads back; from the second save on the bytes stay the same.
        CEinheitspapierDoc second(&profile), third(&profile);
        Check(ReadAef(WriteAef(doc), second, error));
        const std::vector<uint8_t> again = WriteAef(second);
        Check(ReadAef(again, third, error));
        Check(WriteAef(third) == again);
        return 0;
    }
    CDV1_Doc doc;
    const bool ok = ReadFdv(bytes, doc, error);
    Check(ok || !error.empty());
    const CFieldStore& s = doc.Store();
    Check(s.GetPageCount() >= 1 && s.GetPageCount() <= kMaxPages);
    Check(doc.m_OldTexts1.empty() && doc.m_OldTexts2.empty());
    CheckBound(s, bytes.size());
    if (!ok || doc.m_nLoadMessage != 0) return 0;
    const FdvOrigin origin{u"pc", u"clerk"};
    CDV1_Doc second, third;
    Check(ReadFdv(WriteFdv(doc, origin), second, error));
    const std::vector<uint8_t> again = WriteFdv(second, origin);
    Check(ReadFdv(again, third, error));
    Check(WriteFdv(third, origin) == again);
    return 0;
}
