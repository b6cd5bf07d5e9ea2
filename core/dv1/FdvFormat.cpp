#include "core/dv1/FdvFormat.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "core/common/Archive.h"
#include "core/common/AtomicFile.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Strings.h"

namespace tarvex {
namespace {

enum class OldVersion { V100, V101, V110 };

std::u16string FromEnvironment(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) return FromUtf8(value);
    }
    return {};
}

void RequireChecks(const CDV1_Doc& doc) {
    if (doc.m_Checks.size() != kDv1Checks)
        throw ArchiveError(commonstr::Args(dv1str::kBadCheckCount, {std::to_string(doc.m_Checks.size())}));
}

// Version 3.00 after the signature.
void ReadCurrent(CArchiveReader& ar, CDV1_Doc& doc) {
    ar.Skip(4 + 10);
    ar.ReadStringList();  // the origin
    CFieldStore& store = doc.Store();
    store.ReadBlock(ar);
    // The view, the printing and the calculation address 12 and 61 fields; a block of another
    // shape (also one that the store refused by its marker) is not a D.V.1.
    if (store.GetFieldCount1() != kDv1Fields1 || store.GetFieldCount2() != kDv1Fields2 ||
        store.GetPageMode() != kPageModeMulti)
        throw ArchiveError(commonstr::Args(dv1str::kNotDv1Fields, {std::to_string(store.GetFieldCount1()),
                                                                   std::to_string(store.GetFieldCount2())}));
    doc.m_Checks = ar.ReadByteList();
    RequireChecks(doc);
    // The closing byte tells a whole file from one cut after its check marks.
    if (ar.ReadByte() != '@') throw ArchiveError(dv1str::kNoEndMark);
}

void ReadOld(CArchiveReader& ar, CDV1_Doc& doc, OldVersion version) {
    const size_t perPage = version == OldVersion::V110 ? kDv1Fields2 : 56;
    if (version == OldVersion::V100) {
        doc.m_OldTexts1 = ar.ReadStringList();
        doc.m_OldTexts2 = ar.ReadStringList();
        doc.m_OldTexts1.resize(kDv1Fields1);
        doc.m_OldTexts2.resize(kDv1Fields2);
        doc.m_Checks.resize(kDv1Checks);
        ar.ReadRaw(doc.m_Checks.data(), kDv1Checks);
        doc.SetOldPageCount(2);
    } else {
        const uint16_t pages = ar.ReadWord();
        // Checked before the lists are sized by it: the old program never wrote fewer than the
        // front and the back page, and the page-mode word counts at most 255.
        if (pages < 2 || pages > kMaxPages)
            throw ArchiveError(commonstr::Args(dv1str::kBadPageCount, {std::to_string(pages)}));
        doc.m_OldTexts1 = ar.ReadStringList();
        doc.m_OldTexts2 = ar.ReadStringList();
        doc.m_Checks = ar.ReadByteList();
        if (doc.m_OldTexts1.size() < kDv1Fields1)
            throw ArchiveError(
                commonstr::Args(dv1str::kFrontTextsMissing, {std::to_string(doc.m_OldTexts1.size())}));
        const size_t pagesInList = doc.m_OldTexts2.size() / perPage;
        if (pagesInList < static_cast<size_t>(pages - 1))
            throw ArchiveError(commonstr::Args(dv1str::kPageTextsMissing, {std::to_string(pagesInList + 2)}));
        RequireChecks(doc);
        doc.m_OldTexts2.resize(static_cast<size_t>(pages - 1) * perPage);
        doc.SetOldPageCount(pages);
    }
    if (version != OldVersion::V110) doc.ConvertOldLayout();

    CFieldStore& store = doc.Store();
    store.SetPageCount(doc.m_nPages - 1, 2);
    for (int i = 0; i < kDv1Fields1; ++i) store.SetFieldText(i, doc.m_OldTexts1[i], 1);
    doc.ApplyDefaultFormatting(1);
    for (int p = 2; p <= doc.m_nPages; ++p) {
        const size_t base = static_cast<size_t>(p - 2) * kDv1Fields2;
        for (int i = 0; i < kDv1Fields2; ++i) store.SetFieldText(i, doc.m_OldTexts2[base + i], p);
        doc.ApplyDefaultFormatting(p);
    }
    doc.m_OldTexts1.clear();
    doc.m_OldTexts2.clear();
}

}  // namespace

FdvOrigin FdvOriginFromEnvironment() {
    return {FromEnvironment({"COMPUTERNAME", "HOSTNAME"}), FromEnvironment({"USERNAME", "USER", "LOGNAME"})};
}

bool HasFdvFamilySignature(std::span<const uint8_t> data) {
    return data.size() >= kFdvFamilyLength && std::memcmp(data.data(), kFdvFamily, kFdvFamilyLength) == 0;
}

int FdvOpenMessage(const CDV1_Doc& doc, const FdvReadInfo& read) {
    if (doc.m_nLoadMessage == 0 && read.signature.empty() && read.size > 0) return 18;
    return doc.m_nLoadMessage;
}

std::u16string FdvLoadMessageText(int id) {
    switch (id) {
        case 18:
            return dv1str::kMsg18;
        case 19:
            return dv1str::kMsg19;
        case 20:
            return dv1str::kMsg20;
        default:
            return {};
    }
}

bool ReadFdv(std::span<const uint8_t> data, CDV1_Doc& doc, std::string& error, FdvReadInfo* info) {
    if (info) {
        *info = FdvReadInfo();
        info->size = data.size();
    }
    doc.ResetContents();
    doc.m_nLoadMessage = 0;
    doc.SetModifiedFlag(false);
    if (data.size() < kFdvSignatureLength) return true;

    const std::string_view sig(reinterpret_cast<const char*>(data.data()), kFdvSignatureLength);
    if (info) info->signature = sig;
    CArchiveReader ar(data);
    ar.Skip(kFdvSignatureLength);
    try {
        if (!sig.starts_with(kFdvFamily)) {
            doc.m_nLoadMessage = 18;
        } else if (sig == "KTW-DV1Form@1.00") {
            ReadOld(ar, doc, OldVersion::V100);
        } else if (sig == "KTW-DV1Form@1.01") {
            ReadOld(ar, doc, OldVersion::V101);
        } else if (sig == "KTW-DV1Form@1.10") {
            ReadOld(ar, doc, OldVersion::V110);
        } else if (!sig.starts_with("KTW-DV1Form@3")) {
            doc.m_nLoadMessage = 19;
        } else if (sig != kFdvSignature) {
            doc.m_nLoadMessage = 20;
        } else {
            const uint16_t version = ar.ReadWord();
            if (info) info->version = version;
            if (version < kFdvVersion)
                doc.m_nLoadMessage = 19;
            else if (version > kFdvVersion)
                doc.m_nLoadMessage = 20;
            else
                ReadCurrent(ar, doc);
        }
    } catch (const std::exception& e) {
        // Nothing of a damaged file is kept: what was read so far may be half a document.
        doc.ResetContents();
        error = commonstr::Args(dv1str::kDamagedFile, {e.what()});
        return false;
    }
    return true;
}

std::vector<uint8_t> WriteFdv(CDV1_Doc& doc, const FdvOrigin& origin) {
    CArchiveWriter ar;
    const CFieldStore& store = doc.Store();
    size_t estimate = 128 + 2 * (store.Words1().size() + store.Words2().size());
    for (const auto* texts : {&store.Texts1(), &store.Texts2()})
        for (const auto& t : *texts) estimate += 8 + 2 * t.size();
    ar.Data().reserve(estimate);
    ar.WriteRaw(kFdvSignature, kFdvSignatureLength);
    ar.WriteWord(kFdvVersion);
    ar.WriteDWord(0);  // installation number: no reader looks at it
    for (int i = 0; i < 10; ++i) ar.WriteByte(0xFF);
    ar.WriteStringList({origin.computer, origin.user});
    doc.Store().WriteBlock(ar);
    ar.WriteByteList(doc.m_Checks);
    ar.WriteByte('@');
    return std::move(ar.Data());
}

bool LoadFdvFile(const std::filesystem::path& path, CDV1_Doc& doc, std::string& error, FdvReadInfo* info) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    return ReadFdv(bytes, doc, error, info);
}

bool SaveFdvFile(const std::filesystem::path& path, CDV1_Doc& doc, std::string& error) {
    doc.CommitEdit();
    const std::vector<uint8_t> bytes = WriteFdv(doc, FdvOriginFromEnvironment());
    if (!WriteFileAtomic(path, bytes, error)) return false;
    doc.SetModifiedFlag(false);
    return true;
}

}  // namespace tarvex
