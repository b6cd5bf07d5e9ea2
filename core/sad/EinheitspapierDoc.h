#pragma once
// The SAD document: the values that belong to the declaration as a whole, and the field store
// with every box text of the first sheet and the continuation sheets.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/formview/FieldStore.h"

namespace tarvex {

class Profile;

inline constexpr uint16_t kSadFields1 = 154;
inline constexpr uint16_t kSadFields2 = 214;
inline constexpr int kVariantNone = -1;
inline constexpr int kVariantExport = 5;

// Form variant <-> code stored in the file: 0/3, 1/7, 2/10, 3/11; any other code is variant 5.
int VariantFromFileCode(int code);
int FileCodeFromVariant(int variant);

struct CivilDate {
    int day = 0, month = 0, year = 0;
};

// A goods item: its page and its position on that page (1 on the first sheet, 1-3 after).
struct GoodsItemRef {
    int page = 1;
    int position = 1;
    bool operator==(const GoodsItemRef&) const = default;
};
GoodsItemRef GoodsItemFromListIndex(int listIndex);
std::u16string GoodsItemLabel(int listIndex);
// First field index of a goods item's 21-field block (52 on the first sheet; 11, 32, 53 after).
int GoodsItemBase(const GoodsItemRef& item);

class CEinheitspapierDoc {
public:
    // The profile gives the defaults of new documents; it must outlive the document.
    explicit CEinheitspapierDoc(Profile* profile = nullptr);

    CFieldStore& Store() { return m_store; }
    const CFieldStore& Store() const { return m_store; }
    Profile* GetProfile() const { return m_pProfile; }

    // Store configuration of a new view: 154 and 214 fields, one continuation sheet, size 3,
    // the small fields of box 44 and of box 2/8 on the continuation sheet size 1. Texts empty.
    void ConfigureStore();

    // --- document operations
    void FillNewDefaults();
    void SetContinuationCount(uint16_t count);
    // Back to an empty document; with fillDefaults the defaults of new documents go in. A file's
    // reader resets without them: a document read from a file shows what the file holds.
    void ResetContents(bool fillDefaults = true);
    // The framework's new-document step: reset, then the defaults once more.
    bool OnNewDocument();
    // True from OnNewDocument until a file is read: only a new document takes the defaults the
    // view adds when it first shows it (box 8).
    bool IsNewDocument() const { return m_bNewDocument; }
    // Old file versions (AefLegacy.cpp). MapLegacyTexts fills the legacy lists from the 1337
    // texts of a "KTW-AEForm@1.10" file and sets the continuation sheet count to 8; 255 when the
    // list is too short (the lists stay empty), else 0. ConvertLegacyTexts moves the legacy lists
    // into the store, each text cut to kMaxLegacyTextLength; it throws ArchiveError when the
    // continuation list is too short for the continuation sheet count or the count exceeds what a
    // document can hold.
    int MapLegacyTexts(const std::vector<std::u16string>& oldTexts);
    void ConvertLegacyTexts();

    // Copies the text of the edit window into the store before saving.
    void CommitEdit() { m_store.ActivateField(m_store.GetCurrentField(), 0); }

    // --- members
    int m_nLoadStatus = 0;
    int m_nFormVariant = kVariantNone;
    uint16_t m_nContinuationCount = 1;
    uint32_t m_nInputTax = 0;
    uint32_t m_nReserved = 0;
    // Buffers used only while an old file is converted.
    std::vector<std::u16string> m_legacyTexts1, m_legacyTexts2, m_legacyTexts3;
    std::vector<int32_t> m_legacyValues;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // Clock for the stamp date; tests set a fixed day.
    void SetDateProvider(std::function<CivilDate()> provider) { m_today = std::move(provider); }
    static CivilDate LocalToday();

private:
    Profile* m_pProfile;
    CFieldStore m_store;
    bool m_bModified = false;
    bool m_bNewDocument = false;
    std::function<CivilDate()> m_today;
};

}  // namespace tarvex
