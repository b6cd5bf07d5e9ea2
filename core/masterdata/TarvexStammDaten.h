#pragma once
// The article master data: the whole list in memory as eight parallel columns, loaded from and
// saved to one dBase table in the 8-field layout (3) or the older 14-field layout (2, seven
// description lines in seven fields); a new table gets the layout the settings ask for.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/masterdata/Article.h"
#include "core/masterdata/dBaseDocument.h"

namespace tarvex {

class Profile;

inline constexpr uint8_t kLayout14 = 2;
inline constexpr uint8_t kLayout8 = 3;
inline constexpr uint16_t kDescriptionWidth = 254;
inline constexpr int kDescriptionFields14 = 7;
// Width of each description line of a 14-field table this program creates.
inline constexpr uint16_t kDescriptionLineWidth14 = 40;
inline constexpr std::array<uint16_t, kArticleCodes> kCodeWidths = {8, 2, 4, 4, 1, 3, 3};
// SaveArticles: an entry's record was changed or deleted by another instance since it was read.
inline constexpr int kArticleChangedElsewhere = -2;

// The table and layout the settings name: "StammdatenDatei" split into folder and file name
// (empty or at most 2 characters: the data folder and "ARTIKEL.DBF" / "ARTIKEL1.DBF") and
// "Stammdaten" (2 = 14-field layout, otherwise 8-field).
struct ArticleTableSetting {
    std::filesystem::path folder;  // empty: the data folder
    std::u16string fileName;
    uint8_t layout = kLayout8;
};
ArticleTableSetting ArticleTableFromSettings(Profile& profile);

// Folder and file name of a stored path, split at its last separator ('\' or '/').
void SplitTablePath(std::u16string_view path, std::u16string& folder, std::u16string& fileName);

// "84713000-00---": the five commodity-code parts joined by '-'.
std::u16string ArticleCodeText(const CArticle& article);
// The description's first line (text before the first CR or LF).
std::u16string ArticleFirstLine(std::u16string_view description);

class CTarvexStammDaten {
public:
    CTarvexStammDaten() = default;
    virtual ~CTarvexStammDaten();
    CTarvexStammDaten(const CTarvexStammDaten&) = delete;
    CTarvexStammDaten& operator=(const CTarvexStammDaten&) = delete;

    // Tables of 100 000 entries and more are usual: counts are not limited to 16 bits.
    virtual size_t GetArticleCount() const { return m_description.size(); }
    virtual void ResizeArticles(size_t count);
    // path = folder (the data folder when empty) + file name; stores the path and the layout.
    virtual int SetTablePath(const std::filesystem::path& folder, const std::u16string& fileName,
                             uint8_t layout, const std::filesystem::path& dataFolder);
    // Reads every record (deleted ones too) in one pass over the table's blocks; a missing table
    // is created in the layout set by SetTablePath. A table of exactly 8 or 14 text fields is read
    // in its own layout (GetLayout() tells which). progress(done, total) is called now and then.
    // 0 on success; -1 when the table cannot be opened or lacks the layout's fields
    // (GetLoadError() tells why); the list is then empty and nothing will be written.
    virtual int LoadArticles(const std::function<void(int64_t, int64_t)>& progress = {});
    // Writes every entry marked changed, under the table's lock: a new entry is appended after
    // the records the table holds now (another instance may have appended meanwhile), an
    // existing one is written back into its own record only while that record still holds what
    // was read from it. 0 on success; -1 when a record could not be written;
    // kArticleChangedElsewhere when a record was changed or deleted by someone else since it was
    // read (nothing of it is overwritten; reload to see what it holds now). The entry that
    // failed and those after it stay marked, so nothing typed is lost.
    virtual int SaveArticles();
    virtual const std::filesystem::path& GetTablePath() const { return m_strTablePath; }
    // Defines the fields of the layout set by SetTablePath (8 or 14) and creates the table
    // (overwrite as given).
    virtual int CreateArticleTable(int overwrite = 0);

    uint8_t GetLayout() const { return m_nLayout; }
    bool IsWritable() const { return m_bWritable; }
    const CTableError& GetLoadError() const { return m_loadError; }
    const std::u16string& GetLayoutMessage() const { return m_layoutMessage; }
    CdBaseDocument& Table() { return m_table; }

    CArticle GetArticle(size_t i) const;
    const std::u16string& Description(size_t i) const { return m_description[i]; }
    const std::u16string& Code(size_t i, int column) const { return m_codes[column][i]; }
    // Appends an entry marked changed; its index.
    size_t AddArticle(const CArticle& article);
    // Overwrites an entry and marks it changed.
    void SetArticle(size_t i, const CArticle& article);
    bool IsChanged(size_t i) const { return m_changed[i] != 0; }
    // The table record an entry lives in; 0 for a new entry not yet saved.
    int32_t RecordOf(size_t i) const { return m_records[i]; }

    // What the table would cut from an entry (German, one line each); empty when it fits.
    std::vector<std::u16string> FitProblems(const CArticle& article) const;
    // The entry cut to what the table holds.
    CArticle Fitted(const CArticle& article) const;

    // Entry indexes ordered by the description's first line / by the commodity-code text.
    std::vector<int> OrderByDescription() const;
    std::vector<int> OrderByCode() const;
    // Entries of `order` whose description or commodity code (with or without the dashes, or the
    // origin) contains text, case-insensitive; all of `order` for an empty text.
    std::vector<int> Filter(const std::vector<int>& order, std::u16string_view text) const;
    // The same in two steps, so that one search serves both lists: 1 for every entry that contains
    // text (all 1 for an empty text), then an order narrowed to those entries.
    std::vector<uint8_t> MatchMask(std::u16string_view text) const;
    static std::vector<int> Narrow(const std::vector<int>& order, const std::vector<uint8_t>& mask);

private:
    std::vector<uint16_t> FieldWidths() const;
    bool CheckLayout();

    std::vector<std::u16string> m_description;
    std::array<std::vector<std::u16string>, kArticleCodes> m_codes;
    std::vector<uint8_t> m_changed;
    // Per entry: its record number (0: new, not yet in the table) and a fingerprint of that
    // record's bytes (deletion flag included) as last read or written.
    std::vector<int32_t> m_records;
    std::vector<uint64_t> m_stamps;
    std::filesystem::path m_strTablePath;
    CdBaseDocument m_table;
    uint8_t m_nLayout = kLayout8;
    bool m_bWritable = false;
    CTableError m_loadError;
    std::u16string m_layoutMessage;
    // Folded search texts, built on the first search after a change.
    mutable std::vector<std::u16string> m_searchText;
};

}  // namespace tarvex
