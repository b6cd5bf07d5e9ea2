#include "core/sad/AefFormat.h"

#include <cstring>
#include <stdexcept>

#include "core/common/Archive.h"
#include "core/common/AtomicFile.h"
#include "core/common/CommonStrings.h"
#include "core/sad/AefLegacy.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadStrings.h"

namespace tarvex {
namespace {

enum class Layout { V100, V110, V120, V141, V150, V151, V200, V210, Unknown };

Layout LayoutOf(const char* sig) {
    static constexpr struct {
        const char* text;
        Layout layout;
    } kSignatures[] = {
        {"KTW-AEForm@1.00", Layout::V100}, {"KTW-AEForm@1.10", Layout::V110},
        {"KTW-AEForm@1.20", Layout::V120}, {"KTW-AEForm@1.41", Layout::V141},
        {"KTW-AEForm@1.50", Layout::V150}, {"KTW-AEForm@1.51", Layout::V151},
        {"KTW-EHForm@2.00", Layout::V200}, {"KTW-EHForm@2.10", Layout::V210},
    };
    for (const auto& s : kSignatures)
        if (std::memcmp(sig, s.text, kAefSignatureLength) == 0) return s.layout;
    return Layout::Unknown;
}

void ReadFormCode(CArchiveReader& ar, CEinheitspapierDoc& doc, AefReadInfo* info) {
    const uint32_t code = ar.ReadDWord();
    doc.m_nFormVariant = VariantFromFileCode(static_cast<int>(code));
    if (info) {
        info->hasFormCode = true;
        info->formCode = code;
    }
}

// 1.20, 1.41, 1.50 and 1.51 share their beginning and their two text lists.
void ReadOldLayout(CArchiveReader& ar, CEinheitspapierDoc& doc, Layout layout, AefReadInfo* info) {
    ar.ReadWord();
    doc.m_nContinuationCount = ar.ReadWord();
    doc.m_nInputTax = ar.ReadByte();
    ar.ReadByte();
    if (layout == Layout::V151) {
        const int n = ar.ReadByte();
        if (n > kMaxLegacyCurrencyCodes)
            throw ArchiveError(commonstr::Args(sadstr::kTooManyCurrencyCodes,
                                               {std::to_string(n), std::to_string(kMaxLegacyCurrencyCodes)}));
        doc.m_legacyValues.clear();
        for (int i = 0; i < n; ++i) doc.m_legacyValues.push_back(static_cast<int8_t>(ar.ReadByte()));
    }
    if (layout == Layout::V150 || layout == Layout::V151) ReadFormCode(ar, doc, info);
    doc.m_legacyTexts1 = ar.ReadStringList();
    doc.m_legacyTexts2 = ar.ReadStringList();
}

void ReadCurrentLayout(CArchiveReader& ar, CEinheitspapierDoc& doc, Layout layout, AefReadInfo* info) {
    ar.Skip(16);
    doc.m_nContinuationCount = ar.ReadWord();
    doc.m_nReserved = ar.ReadDWord();
    doc.m_nInputTax = ar.ReadByte();
    ReadFormCode(ar, doc, info);
    CFieldStore& store = doc.Store();
    store.ReadBlock(ar);
    if (layout == Layout::V200) {
        // 2.00 had fewer fields per sheet. Growing keeps every text at its index and page but
        // appends an empty continuation sheet, which is taken off again so that the document
        // has the sheets of the file (a single first sheet keeps the new one, as a new
        // document has).
        const int pages = store.GetPageCount();
        if (store.GrowFieldCounts(kSadFields1, kSadFields2) && pages >= 2) store.SetPageCount(pages - 1, 2);
    } else {
        ar.ReadByte();  // the closing "@"
    }
}

// The add-page and remove-page commands work from the document's count; it must describe the
// pages the store really holds, whatever the header of a damaged file said.
void AlignContinuationCount(CEinheitspapierDoc& doc) {
    const int sheets = doc.Store().GetPageCount() - 1;
    if (doc.m_nContinuationCount != sheets) doc.m_nContinuationCount = static_cast<uint16_t>(sheets);
}

}  // namespace

int AefOpenStatus(const CEinheitspapierDoc& doc, const AefReadInfo& read) {
    if (doc.m_nLoadStatus == 0 && read.signature.empty() && read.size > 0) return 18;
    return doc.m_nLoadStatus;
}

bool ReadAef(std::span<const uint8_t> data, CEinheitspapierDoc& doc, std::string& error) {
    return ReadAef(data, doc, error, nullptr);
}

bool ReadAef(std::span<const uint8_t> data, CEinheitspapierDoc& doc, std::string& error, AefReadInfo* info) {
    if (info) {
        *info = AefReadInfo();
        info->size = data.size();
    }
    doc.m_nLoadStatus = 0;
    // Without the defaults of new documents: what the file does not hold stays empty, also in
    // an old version that has fewer boxes or a file too short to hold anything.
    doc.ResetContents(false);
    doc.SetContinuationCount(1);
    doc.SetModifiedFlag(false);
    if (data.size() < kAefSignatureLength) return true;

    char sig[kAefSignatureLength];
    std::memcpy(sig, data.data(), kAefSignatureLength);
    if (info) info->signature.assign(sig, kAefSignatureLength);
    CArchiveReader ar(data);
    ar.Skip(kAefSignatureLength);
    const Layout layout = LayoutOf(sig);
    try {
        switch (layout) {
            case Layout::V100:
                doc.m_nLoadStatus = 19;
                return true;
            case Layout::Unknown:
                doc.m_nLoadStatus = 18;
                return true;
            case Layout::V110: {
                doc.m_nInputTax = ar.ReadWord() & 0xFF;
                ar.ReadWord();
                const std::vector<std::u16string> oldTexts = ar.ReadStringList();
                doc.MapLegacyTexts(oldTexts);
                doc.ConvertLegacyTexts();
                break;
            }
            case Layout::V120:
            case Layout::V141:
            case Layout::V150:
            case Layout::V151:
                ReadOldLayout(ar, doc, layout, info);
                doc.ConvertLegacyTexts();
                break;
            case Layout::V200:
            case Layout::V210:
                ReadCurrentLayout(ar, doc, layout, info);
                break;
        }
    } catch (const std::exception& e) {
        AlignContinuationCount(doc);
        doc.m_legacyTexts1.clear();
        doc.m_legacyTexts2.clear();
        doc.m_legacyTexts3.clear();
        doc.m_legacyValues.clear();
        error = commonstr::Args(sadstr::kDamagedFile, {e.what()});
        return false;
    }
    AlignContinuationCount(doc);
    return true;
}

std::vector<uint8_t> WriteAef(CEinheitspapierDoc& doc) {
    CArchiveWriter ar;
    // One allocation for the whole file: a full document is several megabytes.
    const CFieldStore& store = doc.Store();
    size_t estimate = 64 + 2 * (store.Words1().size() + store.Words2().size());
    for (const auto* texts : {&store.Texts1(), &store.Texts2()})
        for (const auto& t : *texts) estimate += 8 + 2 * t.size();
    ar.Data().reserve(estimate);
    ar.WriteRaw(kAefSignature, kAefSignatureLength);
    for (int i = 0; i < 16; ++i) ar.WriteByte(0xFF);
    ar.WriteWord(doc.m_nContinuationCount);
    ar.WriteDWord(doc.m_nReserved);
    ar.WriteByte(static_cast<uint8_t>(doc.m_nInputTax & 0xFF));
    const int code = FileCodeFromVariant(doc.m_nFormVariant);
    ar.WriteDWord(static_cast<uint32_t>(code < 0 ? 5 : code));
    doc.Store().WriteBlock(ar);
    ar.WriteByte('@');
    return std::move(ar.Data());
}

bool LoadAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error) {
    return LoadAefFile(path, doc, error, nullptr);
}

bool LoadAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error,
                 AefReadInfo* info) {
    std::vector<uint8_t> bytes;
    // A file without one of the signatures is refused from its first bytes, whatever its size.
    auto known = [](std::span<const uint8_t> head) {
        return head.size() < kAefSignatureLength ||
               LayoutOf(reinterpret_cast<const char*>(head.data())) != Layout::Unknown;
    };
    std::uintmax_t size = 0;
    if (!ReadFileBytes(path, bytes, error, kMaxAefFileSize, kAefSignatureLength, known, &size)) return false;
    const bool ok = ReadAef(bytes, doc, error, info);
    if (info) info->size = static_cast<size_t>(size);
    return ok;
}

bool SaveAefFile(const std::filesystem::path& path, CEinheitspapierDoc& doc, std::string& error) {
    doc.CommitEdit();
    const std::vector<uint8_t> bytes = WriteAef(doc);
    if (!WriteFileAtomic(path, bytes, error)) return false;
    doc.SetModifiedFlag(false);
    return true;
}

}  // namespace tarvex
